#include "count/keyed_hash.h"

#include <random>

// Header-only use of xxHash: the functions are compiled into this file.
#define XXH_INLINE_ALL
#include <xxhash.h>

namespace kwl {
namespace {

std::uint64_t Key() {
  static const std::uint64_t key = [] {
    std::random_device device;
    const std::uint64_t high = device();
    return (high << 32) ^ device();
  }();
  return key;
}

}  // namespace

std::uint64_t KeyedHash(std::string_view text) { return XXH3_64bits_withSeed(text.data(), text.size(), Key()); }

}  // namespace kwl
