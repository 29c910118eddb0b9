#include "count/counter.h"

#include <cerrno>
#include <new>
#include <utility>

#include "count/common_words_list.h"
#include "count/ignore_list.h"
#include "count/parallel_count.h"
#include "text/cp1252.h"
#include "text/normalise.h"
#include "text/unicode_text.h"
#include "text/utf8_measure.h"

namespace kwl {

CountTotals ComputeTotals(const WordTable& table) {
  CountTotals t;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
    const WordEntry& e = table[i];
    if (!e.blnIncluded) {
      ++t.excluded;
      continue;
    }
    ++t.included;
    t.occurrences += e.count;
    if (e.count > t.maxFrequency) t.maxFrequency = e.count;
    const int length = WordLength(e.strWord, table.Unicode());
    if (length > t.longestWord) t.longestWord = length;
  }
  return t;
}

void Counter::Empty(bool unicode) {
  words_.Reset();
  unicode_ = unicode;
  words_.SetUnicode(unicode_);
  totalOccurrences_ = 0;
}

void Counter::Start(const CountRules& rules) {
  Empty(rules.unicode);
  prohibited_ = rules.prohibitedInitialOrFinalChars;
  scanner_.SetAllowedExtraChars(rules.allowedExtraChars, prohibited_);
  if (rules.markup.kind.empty()) {
    scanner_.markers.Clear();
  } else {
    scanner_.markers.SetCommentMarkers(rules.markup.kind);
  }
  scanner_.blnCharacterEntitiesPossible = rules.markup.characterEntities;
  scanner_.intWithinComment = -1;
  rules_ = rules.word;
}

void Counter::StartAsPartOf(const Counter& whole) {
  Empty(whole.unicode_);
  prohibited_ = whole.prohibited_;
  scanner_ = whole.scanner_;
  scanner_.intWithinComment = -1;
  rules_ = whole.rules_;
  splitMinUnits_ = 0;
  // Every word of the part was found in the whole's current file: adding it
  // there counts that file once.
  if (whole.words_.TracksFiles()) words_.TrackFiles();
}

void Counter::Absorb(const Counter& later, CountObserver& observer) {
  const WordTable& words = later.words_;
  for (std::int32_t i = 1; i <= words.NumWords(); ++i) {
    observer.Step();
    const WordEntry& e = words[i];
    if (words_.Add(e.strWord, e.count)) observer.NewWord(e.strWord, words_.NumWords());
  }
  totalOccurrences_ += later.totalOccurrences_;
  scanner_.intWithinComment = later.scanner_.intWithinComment;
}

std::int64_t Counter::ScanLine(std::string& line, CountObserver& observer) {
  // The scanner folds the line in its first pass over it. Folding is
  // idempotent, so a line a reader has folded already comes out the same.
  scanner_.rules = LineRules();
  observer_ = &observer;
  stepsWithinLines_ = observer.StepsWithinLines();
  lineOccurrences_ = 0;
  numPending_ = 0;  // nothing held back from a line whose scan failed
  if (unicode_) {
    line_ = &line;
    scanner_.ScanLineUnicode(line, *this);
  } else {
    scanner_.ScanLine(line, *this);
  }
  AddPending();
  observer_ = nullptr;
  line_ = nullptr;
  totalOccurrences_ += lineOccurrences_;
  return lineOccurrences_;
}

bool Counter::Word(std::string_view word) {
  if (!word.empty()) {
    if (rules_.readingWordList) {
      Take(word);
    } else {
      ++lineOccurrences_;
      if (Kept(word)) Take(word);
    }
  }
  if (!stepsWithinLines_) return true;
  observer_->Step();
  return !observer_->StopRequested();
}

bool Counter::Kept(std::string_view word) {
  return PerWordRule(word, rules_, [this](std::string_view w) { return ListedRule(w); }, unicode_) == WordRule::kCounted;
}

// The characters are counted only for a word longer in bytes: most words
// are shorter than the table's length in bytes already.
inline bool Counter::BeyondTable(std::string_view word) const {
  return static_cast<std::int64_t>(word.size()) > rules_.maxWordLength &&
         (!unicode_ || static_cast<std::int64_t>(unicode::Length(word)) > rules_.maxWordLength);
}

WordRule Counter::RuleFor(std::string_view word) {
  const WordRule rule = PerWordRule(word, rules_, [this](std::string_view w) { return ListedRule(w); }, unicode_);
  if (rule == WordRule::kCounted && BeyondTable(word)) return WordRule::kBeyondTable;
  return rule;
}

// Out of line: with the folding and the lookups inlined, Kept() would save
// and restore registers for every word, listed or not.
[[gnu::noinline]] WordRule Counter::ListedRule(std::string_view word) {
  // A word of the Unicode scan is looked up as the lists of that mode hold
  // their words: case-folded and in NFC (folded already unless case is
  // significant). ASCII letters fold as the code page folds them.
  if (unicode_ && !IsAll7bit(word)) {
    unicode::FoldAndCompose(word, true, lower_);
    return ListRule(lower_, rules_, true);
  }
  lower_.assign(word);
  scan::FoldCaseInPlace(lower_);
  return ListRule(lower_, rules_, unicode_);
}

void Counter::Take(std::string_view word) {
  if (BeyondTable(word)) return;
  if (stepsWithinLines_) {
    // The window: each word added, and a new one shown, before the next step.
    if (words_.Add(word)) observer_->NewWord(word, words_.NumWords());
    return;
  }
  if (unicode_ && !WithinLine(word)) {
    // A word the Unicode scan folded lives in the scanner only as long as
    // the call: added at once, after the words held back, so that the
    // entries keep the order the words were found in.
    AddPending();
    if (words_.Add(word)) observer_->NewWord(word, words_.NumWords());
    return;
  }
  const std::uint32_t hash = words_.Hash(word);
  words_.Prefetch(hash);
  pending_[numPending_++] = Pending{word, hash};
  if (numPending_ == kBatch) AddPending();
}

void Counter::AddPending() {
  for (std::size_t k = 0; k < numPending_; ++k) {
    const Pending& p = pending_[k];
    if (words_.AddHashed(p.word, p.hash)) observer_->NewWord(p.word, words_.NumWords());
  }
  numPending_ = 0;
}

Status Counter::Read(LineSource& source, CountObserver& observer) {
  if (splitMinUnits_ > 0) return ReadInParts(*this, source, observer, splitMinUnits_);
  return ReadInOrder(source, observer);
}

Status Counter::ReadInOrder(LineSource& source, CountObserver& observer, std::int64_t until) {
  std::string line;
  try {
    for (;;) {
      observer.Step();
      if (!source.Next(line)) return source.status();
      observer.Progress(source.Done(), source.Total());
      if (line.empty()) continue;
      ScanLine(line, observer);
      if (observer.StopRequested() && observer.ConfirmStop(words_.NumWords()))
        return Status::Failure(Status::Kind::kStopped, 0, {});
      if (until >= 0 && source.Done() >= until) return Status();
    }
  } catch (const std::bad_alloc&) {
    observer_ = nullptr;
    return Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, {}, "a line could not be counted");
  }
}

CountResult Count(LineSource& source, const CountRules& rules, CountObserver& observer,
                  std::int64_t splitMinUnits) {
  Counter counter;
  counter.Start(rules);
  counter.SetSplitMinUnits(splitMinUnits);
  CountResult result;
  result.status = counter.Read(source, observer);
  result.words = std::move(counter.Words());
  result.words.OrderByWord();
  ApplyPostScanRules(result.words, counter.Rules());
  result.totals = ComputeTotals(result.words);
  result.totals.totalOccurrences = counter.TotalOccurrences();
  return result;
}

}  // namespace kwl
