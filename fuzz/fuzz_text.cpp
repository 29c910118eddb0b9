// The UTF-8 repairs and the Windows-1252 conversions on random bytes.
//  - Windows-1252 text survives ToUtf8 then FromUtf8, and its UTF-8 form
//    has one character per byte.
//  - FromUtf8 makes one byte of each character that Utf8Length counts.
//  - Compare orders as std::string orders the rank strings, antisymmetric.
//  - DecodeUtf8Line never lengthens a line and gives back Latin-1 text
//    (the bytes outside 80..9F) from its UTF-8 form.
//  - ReplaceUtf8Punctuation equals replacing each sequence of its table in
//    turn over the whole line, and leaves none of them behind.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "text/utf8_repair.h"
#include "text/cp1252.h"

namespace {

namespace cp1252 = kwl::cp1252;

struct Replacement {
  std::string_view sequence;
  std::string_view text;
};
constexpr Replacement kPunctuation[] = {
    {"\xE2\x80\x98", "'"},   {"\xE2\x80\x99", "'"},     {"\xE2\x80\x9C", "\""},  {"\xE2\x80\x9D", "\""},
    {"\xE2\x80\x90", "-"},   {"\xE2\x80\x93", "- "},    {"\xE2\x80\x94", " -- "}, {"\xE2\x94\x80", " -- "},
    {"\xE2\x80\xA6", "..."}, {"\xE2\x80\xA2", " . "},   {"\xE2\x80\x86", " ... "},
};

std::string ReplaceEach(std::string line) {
  for (const Replacement& r : kPunctuation)
    for (std::size_t p = 0; (p = line.find(r.sequence, p)) != std::string::npos; p += r.text.size())
      line.replace(p, r.sequence.size(), r.text);
  return line;
}

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const std::string utf8 = cp1252::ToUtf8(bytes);
  KWL_FUZZ_CHECK(cp1252::FromUtf8(utf8) == bytes);
  KWL_FUZZ_CHECK(cp1252::Utf8Length(utf8) == bytes.size());
  KWL_FUZZ_CHECK(cp1252::FromUtf8(bytes).size() == cp1252::Utf8Length(bytes));

  const std::string_view a = bytes.substr(0, size / 2);
  const std::string_view b = bytes.substr(size / 2);
  const int order = Sign(cp1252::Compare(a, b));
  KWL_FUZZ_CHECK(order == Sign(cp1252::RankString(a).compare(cp1252::RankString(b))));
  KWL_FUZZ_CHECK(order == -Sign(cp1252::Compare(b, a)));

  KWL_FUZZ_CHECK(kwl::DecodeUtf8Line(bytes).size() <= size);
  std::string latin1;
  for (char c : bytes)
    if (static_cast<unsigned char>(c) < 0x80 || static_cast<unsigned char>(c) >= 0xA0) latin1 += c;
  KWL_FUZZ_CHECK(kwl::DecodeUtf8Line(cp1252::ToUtf8(latin1)) == latin1);

  const std::string replaced = kwl::ReplaceUtf8Punctuation(bytes);
  KWL_FUZZ_CHECK(replaced == ReplaceEach(std::string(bytes)));
  for (const Replacement& r : kPunctuation) KWL_FUZZ_CHECK(replaced.find(r.sequence) == std::string::npos);
  return 0;
}
