#pragma once
// A hash of words keyed with a random number drawn once per process, for the
// hash tables that hold words read from input and settings files. Anyone may
// write such a file: with a fixed hash, distinct words chosen to share one
// hash value would make every lookup walk past all of them (quadratic time);
// keyed, their hash values cannot be foreseen. Nothing that is listed or
// saved may depend on the key, which changes from run to run.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kwl {

// The keyed 64-bit XXH3 hash of text.
std::uint64_t KeyedHash(std::string_view text);

// KeyedHash for unordered containers of strings; looks up string_views too.
struct KeyedHasher {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const { return static_cast<std::size_t>(KeyedHash(text)); }
};

}  // namespace kwl
