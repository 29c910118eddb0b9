// The line scanner under random word rules and random text. The first three
// bytes choose the rules, the rest is the text: split into lines at LF and
// handed over with a leading blank as the file source does, or whole as one
// line as the clipboard source does. Every word delivered must be one the
// rules allow, and the comment state must stay within the markers in force.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "scan/char_rules.h"
#include "scan/scanner.h"

namespace {

using kwl::scan::LineScanner;

// The characters each word-rule check box allows, in the settings' order.
constexpr std::string_view kAllowedGroups[] = {"-", "'\x91", "_", ":", "\\", "/", ".", "@", "0123456789"};
constexpr std::string_view kProhibited = "'.:,()";
constexpr std::string_view kAllPossibleExtraChars = "'0123456789-_@:/.\\";

struct Checker : kwl::scan::ScanSink {
  std::string allowed;
  bool dropFinalS = false;
  bool readingWords = false;
  std::size_t stopAfter = 0;  // 0: never stop
  std::size_t words = 0;

  bool Word(std::string_view w) override {
    if (w.empty()) return !Stopped();
    ++words;
    KWL_FUZZ_CHECK(w.size() <= LineScanner::kMaxRun);
    for (char c : w) KWL_FUZZ_CHECK(kwl::scan::IsWordChar(static_cast<unsigned char>(c), false, allowed));
    const auto first = static_cast<unsigned char>(w.front());
    KWL_FUZZ_CHECK(kwl::scan::IsLetterCode(first) || kProhibited.find(w.front()) == std::string_view::npos);
    // Trailing prohibited characters are cut before a final "s" is dropped,
    // so only a dropped "s" can leave one at the end.
    if (!dropFinalS || readingWords) KWL_FUZZ_CHECK(kwl::scan::StripFinalChars(w, kProhibited).size() == w.size());
    return !Stopped();
  }
  void Yield() override {}
  bool Stopped() const { return stopAfter != 0 && words >= stopAfter; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const unsigned mode = data[0] & 7U;  // 0..3 a file's markup, 4 the clipboard, 5 a common-words file
  const unsigned groups = data[1] | ((data[2] & 1U) << 8);
  const std::string_view text(reinterpret_cast<const char*>(data) + 3, size - 3);

  LineScanner scanner;
  Checker sink;
  if (mode == 5) {
    sink.allowed = kAllPossibleExtraChars;
    scanner.rules.readingWords = true;
    scanner.markers.SetCommentMarkers("C");
  } else {
    for (std::size_t g = 0; g < std::size(kAllowedGroups); ++g)
      if ((groups >> g) & 1U) sink.allowed = std::string(kAllowedGroups[g]) + sink.allowed;
    if (mode == 4) {
      scanner.markers.Clear();
    } else {
      static constexpr std::string_view kExtensions[] = {"txt", "xml", "html", "php"};
      scanner.SetMarkupKind(kExtensions[mode & 3U]);
    }
  }
  scanner.SetAllowedExtraChars(sink.allowed);
  scanner.rules.dropFinalS = (data[0] & 0x08U) != 0;
  scanner.rules.apostrophesAllowed = (data[0] & 0x10U) != 0;
  sink.dropFinalS = scanner.rules.dropFinalS;
  sink.readingWords = scanner.rules.readingWords;
  sink.stopAfter = data[2] >> 1;

  auto scan = [&](std::string line) {
    scanner.ScanLine(line, sink);
    KWL_FUZZ_CHECK(scanner.intWithinComment >= -1 && scanner.intWithinComment < scanner.markers.intNumCommentMarkers);
  };
  if (mode == 4) {
    scan(std::string(text));
    return 0;
  }
  std::size_t pos = 0;
  while (pos <= text.size() && !sink.Stopped()) {
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    scan(" " + std::string(text.substr(pos, end - pos)));
    pos = end + 1;
  }
  return 0;
}
