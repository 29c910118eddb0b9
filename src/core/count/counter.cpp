#include "count/counter.h"

#include <cerrno>
#include <new>
#include <utility>

#include "count/common_words_list.h"
#include "count/filters.h"
#include "count/ignore_list.h"
#include "count/parallel_count.h"
#include "text/normalise.h"
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

void Counter::Start(const CountRules& rules) {
  words_.Reset();
  totalOccurrences_ = 0;
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
  words_.Reset();
  totalOccurrences_ = 0;
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
  scanner_.rules =
      scan::ScanRules{rules_.dropFinalS, rules_.apostrophesAllowed, rules_.readingWordList, !rules_.caseSignificant};
  observer_ = &observer;
  stepsWithinLines_ = observer.StepsWithinLines();
  lineOccurrences_ = 0;
  numPending_ = 0;  // nothing held back from a line whose scan failed
  scanner_.ScanLine(line, *this);
  AddPending();
  observer_ = nullptr;
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
  if (rules_.only7bitAscii && !IsAll7bit(word)) return false;
  if (!KeptByLengthAndShapeRules(word, rules_)) return false;
  const bool ignoreList = rules_.wordsToIgnore != nullptr && !rules_.wordsToIgnore->Empty();
  const bool ignoreCommon = rules_.commonWords != nullptr;
  return !(ignoreList || ignoreCommon) || !Listed(word, ignoreList, ignoreCommon);
}

// Out of line: with the folding and the lookups inlined, Kept() would save
// and restore registers for every word, listed or not.
[[gnu::noinline]] bool Counter::Listed(std::string_view word, bool ignoreList, bool ignoreCommon) {
  lower_.assign(word);
  scan::FoldCaseInPlace(lower_);
  return (ignoreList && rules_.wordsToIgnore->Contains(lower_)) || (ignoreCommon && rules_.commonWords->Contains(lower_));
}

void Counter::Take(std::string_view word) {
  if (static_cast<std::int64_t>(word.size()) > rules_.maxWordLength) return;
  if (stepsWithinLines_) {
    // The window: each word added, and a new one shown, before the next step.
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
