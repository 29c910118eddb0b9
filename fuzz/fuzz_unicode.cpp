// The scan of words in every script on random bytes. The first two bytes
// choose the rules, the rest is the text, made valid UTF-8 as the sources
// make it (or read as UTF-16 with its byte order), split into lines at LF.
//  - The text the sources hand on is valid UTF-8.
//  - Every word delivered is valid UTF-8, holds no blank and no line end,
//    and is no longer than a line scan delivers.
//  - The comment state stays within the markers in force.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "scan/scanner.h"
#include "text/unicode_text.h"

namespace {

using kwl::scan::LineScanner;
namespace unicode = kwl::unicode;

struct Checker : kwl::scan::ScanSink {
  bool Word(std::string_view w) override {
    if (w.empty()) return true;
    KWL_FUZZ_CHECK(unicode::IsValidUtf8(w));
    KWL_FUZZ_CHECK(w.find_first_of(" \r\n") == std::string_view::npos);
    KWL_FUZZ_CHECK(unicode::Length(w) <= LineScanner::kMaxRun);
    return true;
  }
  void Yield() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const unsigned flags = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 2, size - 2);

  std::string text;
  if ((flags & 0x60U) == 0x60U) {
    unicode::AppendUtf16(bytes, (flags & 0x80U) != 0, text);
  } else {
    text.assign(bytes);
    unicode::MakeValidUtf8(text);
  }
  KWL_FUZZ_CHECK(unicode::IsValidUtf8(text));

  LineScanner scanner;
  static constexpr std::string_view kExtensions[] = {"txt", "xml", "html", "php"};
  scanner.SetMarkupKind(kExtensions[flags & 3U]);
  std::string allowed;
  if ((data[1] & 1U) != 0) allowed += "-";
  if ((data[1] & 2U) != 0) allowed += "'";
  if ((data[1] & 4U) != 0) allowed += "0123456789";
  if ((data[1] & 8U) != 0) allowed += "_@.";
  scanner.SetAllowedExtraChars(allowed);
  scanner.rules.foldCase = (flags & 0x04U) != 0;
  scanner.rules.dropFinalS = (flags & 0x08U) != 0;
  scanner.rules.apostrophesAllowed = (flags & 0x10U) != 0;

  Checker sink;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    std::string line = " " + text.substr(pos, end - pos);
    scanner.ScanLineUnicode(line, sink);
    KWL_FUZZ_CHECK(scanner.intWithinComment >= -1 && scanner.intWithinComment < scanner.markers.intNumCommentMarkers);
    pos = end + 1;
  }
  return 0;
}
