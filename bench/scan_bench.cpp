// Microbenchmarks of the path from a line to the word table: the scanner
// alone (LineScanner::ScanLine into a sink that only takes the words) and
// Counter::ScanLine with its per-word rules and the table, on a mix of lines
// like those of the corpus: prose with capitals, punctuation, hyphens and
// apostrophes, some accented words and numbers, and a markup mix with tags,
// comments and entities; and the same prose in UTF-8 counted as words in
// every script, beside words of other scripts. Throughput is in bytes of the
// lines; each iteration copies its line first, because a scan rewrites the
// line it is handed.
//
// Run by the bench target after run_bench.sh (`make bench`), or alone:
// build/bin/kwl-scan-bench [--benchmark_filter=...].
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "count/count_rules.h"
#include "count/counter.h"
#include "count/ignore_list.h"
#include "scan/scanner.h"
#include "text/cp1252.h"

namespace {

using namespace kwl;

// A fixed pseudo-random choice, the same in every run.
struct Choice {
  std::uint32_t state = 12345;
  std::uint32_t Next(std::uint32_t below) {
    state = state * 1664525U + 1013904223U;
    return (state >> 8) % below;
  }
};

// 2,000 lines of at least `fewest` pieces (and fewer than fewest + spread),
// drawn from pieces and joined by blanks, each line starting with a blank as
// the sources hand them.
std::vector<std::string> LinesOf(const std::vector<std::string_view>& pieces, std::uint32_t fewest,
                                 std::uint32_t spread) {
  Choice choose;
  std::vector<std::string> lines;
  for (int l = 0; l < 2000; ++l) {
    std::string line = " ";
    const std::uint32_t n = fewest + choose.Next(spread);
    for (std::uint32_t w = 0; w < n; ++w) {
      if (w > 0) line += ' ';
      line += pieces[choose.Next(static_cast<std::uint32_t>(pieces.size()))];
    }
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> ProseLines() {
  static const std::vector<std::string_view> words = {
      "And", "the", "LORD", "said", "unto", "Moses,", "Behold", "thou", "shalt", "sleep", "with", "thy",
      "fathers;", "and", "this", "people", "will", "rise", "up,", "don't", "well-known", "children",
      "Israel.", "\xE9t\xE9", "caf\xE9", "na\xEFve", "1611", "3:16", "(which", "is", "good)", "--",
      "always", "perhaps", "words", "isn't", "O", "upon", "them:", "because"};
  return LinesOf(words, 4, 12);
}

std::vector<std::string> MarkupLines() {
  static const std::vector<std::string_view> pieces = {
      "<p>", "</p>", "<a href=\"#core\">", "</a>", "Die", "Direktive", "&uuml;ber", "&lt;Directory&gt;",
      "<!-- note -->", "&#252;", "Server", "wird", "<code>AllowOverride</code>", "&nbsp;", "Konfiguration",
      "in", "der", "Datei", "<script>var x = 1;</script>", "Module"};
  return LinesOf(pieces, 3, 10);
}

// The lines in UTF-8, as the sources hand them to a Unicode count.
std::vector<std::string> Utf8(std::vector<std::string> lines) {
  for (auto& line : lines) line = cp1252::ToUtf8(line);
  return lines;
}

// Prose of Latin, Greek and Cyrillic words beyond ASCII, with capitals to
// fold (a count in the mode folds and composes each such word).
std::vector<std::string> OtherScriptLines() {
  static const std::vector<std::string_view> words = {
      "Każdy", "człowiek", "ma", "prawo", "do", "życia,", "wolności", "Łódź", "Dvořák", "Каждый", "человек",
      "имеет", "право", "на", "жизнь,", "свободу", "Όλοι", "οι", "άνθρωποι", "ΓΕΝΝΙΟΥΝΤΑΙ", "ελεύθεροι",
      "and", "the", "of"};
  return LinesOf(words, 4, 12);
}

std::int64_t Bytes(const std::vector<std::string>& lines) {
  std::int64_t bytes = 0;
  for (const auto& l : lines) bytes += static_cast<std::int64_t>(l.size());
  return bytes;
}

struct TakeWords final : scan::ScanSink {
  std::int64_t words = 0;
  bool Word(std::string_view word) override {
    words += word.empty() ? 0 : 1;
    return true;
  }
  void Yield() override {}
};

// A window-like observer: steps at every word.
struct Stepping final : CountObserver {
  std::int64_t steps = 0;
  void Step() override { ++steps; }
};

// The command line's observer: no steps within lines.
struct Quiet final : CountObserver {
  bool StepsWithinLines() override { return false; }
};

void ScanLines(benchmark::State& state, const std::vector<std::string>& lines, std::string_view kind) {
  scan::LineScanner scanner;
  scanner.SetAllowedExtraChars("-");
  scanner.markers.SetCommentMarkers(kind);
  scanner.blnCharacterEntitiesPossible = kind == "HTML";
  scanner.rules.foldCase = true;
  TakeWords sink;
  std::string line;
  for (auto _ : state) {
    for (const auto& l : lines) {
      line = l;
      scanner.ScanLine(line, sink);
    }
  }
  benchmark::DoNotOptimize(sink.words);
  state.SetBytesProcessed(state.iterations() * Bytes(lines));
}

void BM_ScannerProse(benchmark::State& state) { ScanLines(state, ProseLines(), "C"); }
void BM_ScannerMarkup(benchmark::State& state) { ScanLines(state, MarkupLines(), "HTML"); }

// The settings' defaults, or every rule on (state.range(0) == 1).
CountRules Rules(bool everyRule, const IgnoreList& ignore) {
  CountRules rules;
  rules.allowedExtraChars = "-";
  if (everyRule) {
    rules.allowedExtraChars = "0123456789@./\\:_'\x91-";
    rules.word.caseSignificant = true;
    rules.word.dropFinalS = true;
    rules.word.apostrophesAllowed = true;
    rules.word.ignoreShortWords = true;
    rules.word.shortWordSize = 4;
    rules.word.ignoreNoLetter = true;
    rules.word.ignoreRepetitions = true;
    rules.word.wordsToIgnore = &ignore;
  } else {
    rules.word.ignoreShortWords = true;
    rules.word.ignoreNoLetter = true;
    rules.word.ignoreRepetitions = true;
  }
  return rules;
}

template <typename Observer>
void CountLines(benchmark::State& state, const std::vector<std::string>& lines, scan::MarkupKind markup,
                bool unicode = false) {
  IgnoreList ignore;
  ignore = std::string(" and the this with ");
  CountRules rules = Rules(state.range(0) == 1, ignore);
  rules.markup = markup;
  rules.unicode = unicode;
  Observer observer;
  std::string line;
  for (auto _ : state) {
    Counter counter;
    counter.Start(rules);
    for (const auto& l : lines) {
      line = l;
      counter.ScanLine(line, observer);
    }
    benchmark::DoNotOptimize(counter.TotalOccurrences());
  }
  state.SetBytesProcessed(state.iterations() * Bytes(lines));
}

void BM_CounterProse(benchmark::State& state) { CountLines<Quiet>(state, ProseLines(), {"C", false}); }
void BM_CounterProseSteppingEveryWord(benchmark::State& state) {
  CountLines<Stepping>(state, ProseLines(), {"C", false});
}
void BM_CounterMarkup(benchmark::State& state) { CountLines<Quiet>(state, MarkupLines(), {"HTML", true}); }
// Words in every script: the prose in UTF-8, to set beside BM_CounterProse,
// and words of other scripts.
void BM_CounterProseUnicode(benchmark::State& state) {
  CountLines<Quiet>(state, Utf8(ProseLines()), {"C", false}, true);
}
void BM_CounterOtherScriptsUnicode(benchmark::State& state) {
  CountLines<Quiet>(state, OtherScriptLines(), {"C", false}, true);
}

}  // namespace

BENCHMARK(BM_ScannerProse);
BENCHMARK(BM_ScannerMarkup);
// Argument 0: the default settings; 1: every word rule and filter on.
BENCHMARK(BM_CounterProse)->Arg(0)->Arg(1);
BENCHMARK(BM_CounterProseSteppingEveryWord)->Arg(0);
BENCHMARK(BM_CounterMarkup)->Arg(0)->Arg(1);
BENCHMARK(BM_CounterProseUnicode)->Arg(0)->Arg(1);
BENCHMARK(BM_CounterOtherScriptsUnicode)->Arg(0)->Arg(1);

BENCHMARK_MAIN();
