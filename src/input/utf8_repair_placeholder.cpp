// Stand-in for the text-file reader's UTF-8 repairs; see the header.
#include "input/utf8_repair_placeholder.h"

#include <utility>

namespace kwl {
namespace {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (true) {
    const std::size_t hit = text.find(from, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

}  // namespace

std::string DecodeUtf8Line(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    const auto next = i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : 0U;
    if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {
      ++i;
    } else if (c == 0xC2 && next >= 0xA0 && next <= 0xBF) {
      out += static_cast<char>(next);
      ++i;
    } else if (c == 0xC3 && next >= 0x80 && next <= 0xBF) {
      out += static_cast<char>(next + 0x40);
      ++i;
    } else if (c == 0xC4 && next == 0x8D) {
      out += 'c';
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string ReplaceUtf8Punctuation(std::string_view line) {
  static const std::pair<std::string_view, std::string_view> kTable[] = {
      {"\xE2\x80\x98", "'"},     {"\xE2\x80\x99", "'"},    {"\xE2\x80\x9C", "\""},   {"\xE2\x80\x9D", "\""},
      {"\xE2\x80\x90", "-"},     {"\xE2\x80\x93", "- "},   {"\xE2\x80\x94", " -- "}, {"\xE2\x94\x80", " -- "},
      {"\xE2\x80\xA6", "..."},   {"\xE2\x80\xA2", " . "},  {"\xE2\x80\x86", " ... "}};
  std::string out(line);
  if (out.find('\xE2') == std::string::npos) return out;
  for (const auto& [from, to] : kTable) out = ReplaceAll(out, from, to);
  return out;
}

}  // namespace kwl
