#include "inspect/explain.h"

#include <utility>

#include "count/counter.h"
#include "inspect/occurrences.h"
#include "inspect/shown_line.h"
#include "text/cp1252.h"
#include "text/normalise.h"
#include "text/unicode_text.h"
#include "text/utf8_measure.h"

namespace kwl {
namespace {

// Quoted as the explanation quotes text: «text» (guillemets of the
// explanation's encoding: Windows-1252, or UTF-8 for words in every script).
std::string Q(std::string_view text, bool unicode) {
  return (unicode ? "\xC2\xAB" : "\xAB") + std::string(text) + (unicode ? "\xC2\xBB" : "\xBB");
}

// Keeps the place of every word the scanner hands out, fragments too (an
// empty word still points where it stood), and the word as handed on.
class PlaceSink final : public scan::ScanSink {
 public:
  struct Place {
    WordPlace at;       // its steps are views into the line
    std::string entry;  // the word finished (and in a UTF-8 line folded) as the count takes it
  };
  PlaceSink(const std::string& line, const scan::LineScanner& scanner, bool unicode)
      : line_(line), scanner_(scanner), unicode_(unicode) {}
  bool Word(std::string_view word) override {
    places.push_back({PlaceWord(scanner_, line_, word, unicode_), std::string(word)});
    return true;
  }
  void Yield() override {}
  std::vector<Place> places;

 private:
  const std::string& line_;
  const scan::LineScanner& scanner_;
  bool unicode_;
};

// The token as a line of a text: one blank in front, as every source puts it.
std::string AsLine(std::string_view token) { return " " + std::string(token); }

std::vector<PlaceSink::Place> ScanPlaces(Counter& counter, std::string& line) {
  scan::LineScanner& scanner = counter.Scanner();
  scanner.rules = counter.LineRules();
  scanner.intWithinComment = -1;
  scanner.notePlaces = true;
  const bool unicode = counter.Words().Unicode();
  PlaceSink sink(line, scanner, unicode);
  if (unicode)
    scanner.ScanLineUnicode(line, sink);
  else
    scanner.ScanLine(line, sink);
  return std::move(sink.places);
}

std::string Joined(const std::vector<WordVerdict>& words, bool unicode) {
  std::string s;
  for (const WordVerdict& w : words) s += (s.empty() ? "" : ", ") + Q(w.raw, unicode);
  return s;
}

}  // namespace

std::string RuleSentence(WordRule rule, std::string_view word, const WordRules& rules,
                         std::string_view commonWordsFile, bool unicode) {
  const auto Q = [unicode](std::string_view text) { return kwl::Q(text, unicode); };
  const int length = WordLength(word, unicode);
  const std::string n = std::to_string(length) + (length == 1 ? " character" : " characters");
  switch (rule) {
    case WordRule::kCounted: return "Counted under the entry " + Q(word) + ".";
    case WordRule::kNot7bit:
      return "Ignored: it has a character beyond 7-bit ASCII, and only 7-bit ASCII words are counted.";
    case WordRule::kTooShort:
      return "Ignored: too short (" + n + ", fewer than the threshold of " +
             std::to_string(rules.shortWordSize) + ").";
    case WordRule::kTooLong:
      return "Ignored: too long (" + n + ", more than " + std::to_string(rules.longWordSize) + ").";
    case WordRule::kNoLetter: return "Ignored: it has no letter.";
    case WordRule::kRepetition: return "Ignored: a repetition of one character.";
    case WordRule::kWordsToIgnore: return "Ignored: it is in the words to ignore.";
    case WordRule::kCommonWord:
      return commonWordsFile.empty() ? "Ignored: it is a common word (the common-words list in force)."
                                     : "Ignored: it is a common word of " + std::string(commonWordsFile) + ".";
    case WordRule::kBeyondTable:
      return "Ignored: longer than the " + std::to_string(rules.maxWordLength) + " characters a word may have.";
    case WordRule::kRomanNumeral:
      return "Counted under the entry " + Q(word) + ", but not listed: a Roman numeral below XL (I, V and X only).";
    case WordRule::kInfrequent:
      return "Counted under the entry " + Q(word) + ", but not listed: fewer occurrences than the threshold of " +
             std::to_string(rules.thresholdFrequency) + ".";
  }
  return {};
}

Explanation ExplainToken(std::string_view token, const CountRules& rules, std::string_view commonWordsFile,
                         const WordTable* counted) {
  Explanation ex;
  ex.token = token;
  Counter counter;
  counter.Start(rules);
  ShownLine shown(counter);
  std::string scanned = AsLine(token);
  const std::vector<PlaceSink::Place> places = ScanPlaces(counter, scanned);
  std::string original = AsLine(token);
  shown.Prepare(original, scanned);
  ex.prepared = original.substr(1);

  const bool unicode = rules.unicode;
  const auto Q = [unicode](std::string_view text) { return kwl::Q(text, unicode); };
  std::vector<bool> inWord(scanned.size(), false);
  for (const PlaceSink::Place& p : places) {
    const std::size_t start = p.at.start;
    const std::size_t end = p.at.runEnd;
    for (std::size_t i = start; i < end; ++i) inWord[i] = true;
    WordVerdict w;
    w.raw = original.substr(start, end - start);
    const scan::FinishSteps& steps = p.at.steps;
    // The trailing characters of a UTF-8 line as the text has them.
    w.stripped = unicode ? original.substr(end - steps.stripped.size(), steps.stripped.size())
                         : std::string(steps.stripped);
    w.droppedFinalS = steps.droppedFinalS;
    w.fragment = steps.fragment;
    w.entry = p.entry;
    if (!w.fragment) {
      w.rule = counter.RuleFor(w.entry);
      if (w.rule == WordRule::kCounted && counted != nullptr) {
        for (std::int32_t i = 1; i <= counted->NumWords(); ++i)
          if ((*counted)[i].strWord == w.entry) w.frequency = (*counted)[i].count;
        if (w.frequency < 0) w.frequency = 0;
      }
      if (w.rule == WordRule::kCounted) w.rule = PostScanRule(w.entry, w.frequency, counter.Rules());
    }
    ex.words.push_back(std::move(w));
  }
  // Each cutter once, a whole character of a UTF-8 line.
  for (std::size_t i = 1; i < scanned.size();) {
    std::size_t next = i;
    if (unicode)
      unicode::Next(original, next);
    else
      ++next;
    const std::string_view c = std::string_view(original).substr(i, next - i);
    if (!inWord[i] && scanned[i] != ' ' && ex.cutters.find(c) == std::string::npos) ex.cutters += c;
    i = next;
  }

  // Skipped as markup: without comment markers the scanner finds more.
  if (!rules.markup.kind.empty()) {
    CountRules plain = rules;
    plain.markup = scan::MarkupKind{"", rules.markup.characterEntities};
    Counter bare;
    bare.Start(plain);
    std::string line = AsLine(token);
    ex.skippedAsMarkup = ScanPlaces(bare, line).size() > places.size();
  }

  std::vector<std::string>& s = ex.steps;
  if (ex.prepared != token)
    s.push_back("The scanner reads " + Q(token) + " as " + Q(ex.prepared) +
                " (character entities replaced, double hyphens split, tabs and no-break spaces made blanks).");
  if (ex.skippedAsMarkup) s.push_back("The scanner skips part of it as a comment, a markup tag or an entity.");
  if (ex.words.empty()) {
    s.push_back("The scanner finds no word in " + Q(token) +
                (ex.skippedAsMarkup ? std::string(".")
                                    : ": none of its characters can start a word (letters, and the characters "
                                      "the settings allow in words)."));
    return ex;
  }
  if (!ex.cutters.empty() || ex.words.size() > 1) {
    std::string cut = ex.cutters.empty() ? std::string("The scanner cuts it")
                                         : "The characters " + Q(ex.cutters) + " end or split it: the scanner cuts it";
    const std::string many =
        ex.words.size() == 1 ? std::string("one word") : std::to_string(ex.words.size()) + " words";
    s.push_back(cut + " into " + many + ": " + Joined(ex.words, unicode) + ".");
  }
  const WordRules& wr = counter.Rules();
  for (const WordVerdict& w : ex.words) {
    const std::string who = ex.words.size() > 1 ? Q(w.raw) + ": " : std::string();
    std::string word = w.raw;
    if (!w.stripped.empty()) {
      word.resize(word.size() - w.stripped.size());
      s.push_back(who + "The trailing " + Q(w.stripped) + " is cut off (a word never ends with " +
                  Q(unicode ? cp1252::ToUtf8(rules.prohibitedInitialOrFinalChars) : rules.prohibitedInitialOrFinalChars) +
                  "): " + Q(word) + ".");
    }
    if (w.droppedFinalS) {
      const std::string before = word;
      word.pop_back();  // "s" is one byte in UTF-8 too
      s.push_back(who + "The final \"s\" is dropped: " + Q(before) + " becomes " + Q(word) + ".");
    }
    if (w.fragment) {
      s.push_back(who + Q(word) +
                  " is an apostrophe fragment (words with apostrophes are not allowed): it is not counted.");
      continue;
    }
    if (word != w.entry) s.push_back(who + "Case is folded: " + Q(word) + " becomes " + Q(w.entry) + ".");
    std::string verdict = who + RuleSentence(w.rule, w.entry, wr, commonWordsFile, unicode);
    if (w.rule == WordRule::kCounted && w.frequency >= 0) {
      verdict.pop_back();
      verdict += " (" + std::to_string(w.frequency) + (w.frequency == 1 ? " time" : " times") + " in the last count).";
    }
    s.push_back(std::move(verdict));
  }
  return ex;
}

std::string EntryOfToken(std::string_view token, const CountRules& rules) {
  const Explanation ex = ExplainToken(token, rules);
  if (ex.words.size() == 1 && !ex.words[0].fragment) return ex.words[0].entry;
  return EntryFor(token, rules.word, rules.unicode);
}

}  // namespace kwl
