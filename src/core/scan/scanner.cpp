#include "scan/scanner.h"

#include <algorithm>
#include <array>

#include "scan/line_facts.h"
#include "text/normalise.h"

namespace kwl::scan {
namespace {

unsigned char AsciiLower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

bool EqualsIgnoringCase(std::string_view text, std::size_t pos, std::string_view marker) {
  if (text.size() - pos < marker.size()) return false;
  for (std::size_t i = 0; i < marker.size(); ++i)
    if (AsciiLower(static_cast<unsigned char>(text[pos + i])) != AsciiLower(static_cast<unsigned char>(marker[i])))
      return false;
  return true;
}

std::size_t FindIgnoringCase(std::string_view text, std::string_view marker, std::size_t from) {
  if (marker.empty() || text.size() < marker.size()) return std::string_view::npos;
  const unsigned char first = AsciiLower(static_cast<unsigned char>(marker[0]));
  for (std::size_t p = from; p + marker.size() <= text.size(); ++p)
    if (AsciiLower(static_cast<unsigned char>(text[p])) == first && EqualsIgnoringCase(text, p, marker)) return p;
  return std::string_view::npos;
}

// Backspaces removed; line ends, form feeds, no-break spaces and tabs made
// blanks, a CR LF pair one blank.
void MakeBlanks(std::string& line) {
  // Nothing becomes longer, so the result is written over the line as it is
  // read: a line of any length is never held twice.
  std::size_t w = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == 8) continue;
    if (c == 13) {
      // A CR LF pair (backspaces between them already gone) becomes one blank.
      std::size_t j = i + 1;
      while (j < line.size() && line[j] == '\b') ++j;
      if (j < line.size() && line[j] == '\n') i = j;
      line[w++] = ' ';
    } else if (c == 10 || c == 12 || c == 160 || c == 9) {
      line[w++] = ' ';
    } else {
      line[w++] = static_cast<char>(c);
    }
  }
  line.resize(w);
}

}  // namespace

std::string_view StripFinalChars(std::string_view word, std::string_view set) {
  while (!word.empty() && set.find(word.back()) != std::string_view::npos) word.remove_suffix(1);
  return word;
}

void LineScanner::SetAllowedExtraChars(std::string_view allowed, std::string_view prohibited) {
  allowed_ = allowed;
  prohibited_ = prohibited;
  classes_.SetCharacters(allowed_, prohibited_);
}

void LineScanner::SetMarkupKind(std::string_view extension) {
  const MarkupKind kind = MarkupKindFor(extension);
  blnCharacterEntitiesPossible = kind.characterEntities;
  markers.SetCommentMarkers(kind.kind);
}

void LineScanner::PrepareLine(std::string& line) {
  // Folding changes no byte the other steps look for, so the facts of the
  // line before folding are those after it.
  const LineFacts facts = FoldAsciiAndLook(line.data(), line.size(), rules.foldCase);
  if (rules.foldCase && facts.nonAscii) FoldCaseInPlace(line);  // the capitals beyond ASCII
  if (facts.mayNeedBlanks) MakeBlanks(line);
  PrepareMarkup(line, facts.hyphen, false);
}

void LineScanner::PrepareMarkup(std::string& line, bool hyphen, bool utf8) {
  if (rules.readingWords) {
    blnCommentsPossible = true;
    return;
  }
  blnCommentsPossible = markers.intNumCommentMarkers > 0;
  if (hyphen) SplitDoubleHyphens(line);
  if (!blnCharacterEntitiesPossible) return;
  if (utf8) {
    ReplaceEntitiesUtf8(line);
  } else {
    ReplaceEntities(line);
  }
}

void LineScanner::TakeMarkerFirsts() {
  // The markers are a public field that may change between lines; comparing
  // their first characters costs a few steps per line, rebuilding the
  // classes 256.
  const int slots = std::min<int>(markers.intNumCommentMarkers, static_cast<int>(markers.strCommentStart.size()));
  std::size_t count = 0;
  bool same = true;
  for (int slot = 0; slot < slots; ++slot) {
    const std::string& start = markers.strCommentStart[static_cast<std::size_t>(slot)];
    if (start.empty()) continue;
    same = same && count < markerFirsts_.size() && markerFirsts_[count] == start[0];
    ++count;
  }
  if (same && count == markerFirsts_.size()) return;
  markerFirsts_.clear();
  for (int slot = 0; slot < slots; ++slot) {
    const std::string& start = markers.strCommentStart[static_cast<std::size_t>(slot)];
    if (!start.empty()) markerFirsts_ += start[0];
  }
  classes_.SetMarkerFirsts(markerFirsts_);
}

int LineScanner::CommentStartAt(std::string_view line, std::size_t lp) const {
  for (int slot = 0; slot < markers.intNumCommentMarkers; ++slot) {
    const std::string& start = markers.strCommentStart[static_cast<std::size_t>(slot)];
    if (start.empty() || !EqualsIgnoringCase(line, lp, start)) continue;
    if (start == "&" && markers.strCommentEnd[static_cast<std::size_t>(slot)] == ";" && blnCharacterEntitiesPossible)
      return IsEntityAt(line.substr(lp)) > 0 ? slot : -1;
    return slot;
  }
  return -1;
}

void LineScanner::SkipCommentBody(std::string_view line, std::size_t& lp) {
  const std::string& end = markers.strCommentEnd[static_cast<std::size_t>(intWithinComment)];
  if (end.empty()) {
    lp = line.size();
    intWithinComment = -1;
    return;
  }
  if (blnCharacterEntitiesPossible && line.substr(lp, 2) == "&#") {
    // A numeric entity: its digits, the ";" and any letters directly after it.
    std::size_t p = lp + 2;
    while (p < line.size()) {
      const auto c = static_cast<unsigned char>(line[p]);
      if (c != ';' && !(c >= '0' && c <= '9') && !IsTableLetter(c)) break;
      ++p;
    }
    lp = p;
    intWithinComment = -1;
    return;
  }
  const std::size_t p = FindIgnoringCase(line, end, lp);
  if (p == std::string_view::npos) {
    lp = line.size();  // the comment stays open for the next line
  } else {
    lp = p + end.size();
    intWithinComment = -1;
  }
}

// Always inlined: the count's call passes no steps, and the tests of steps
// fold away there.
[[gnu::always_inline]] inline std::string_view LineScanner::Finish(std::string_view raw, FinishSteps* steps) const {
  std::string_view word = raw;
  while (!word.empty() && (classes_[static_cast<unsigned char>(word.back())] & kFinalStrip) != 0)
    word.remove_suffix(1);
  if (steps != nullptr) steps->stripped = raw.substr(word.size());
  if (rules.readingWords) return word;
  if (rules.dropFinalS && EndsInDroppableS(word) && !IsVowel(static_cast<unsigned char>(word[word.size() - 2]))) {
    if (!KeepsFinalS(word)) {
      word.remove_suffix(1);
      if (steps != nullptr) steps->droppedFinalS = true;
    }
  }
  if (!rules.apostrophesAllowed && MayBeFragment(word)) {
    if (EqualsFolded(word, "s") || EqualsFolded(word, "t") || IsContractionStem(word)) {
      if (steps != nullptr) steps->fragment = true;
      return raw.substr(0, 0);  // empty, but still telling where the word stood
    }
  }
  return word;
}

bool LineScanner::KeepsFinalS(std::string_view word) {
  return EndsWithFolded(word, "ics") || EqualsFolded(word, "maths") || EqualsFolded(word, "stats") ||
         EqualsFolded(word, "dickens") || EqualsFolded(word, "always") || EqualsFolded(word, "perhaps");
}

std::string_view LineScanner::FinishWordFully(std::string_view raw) const { return Finish(raw, nullptr); }

std::string_view LineScanner::FinishWordExplained(std::string_view raw, FinishSteps& steps) const {
  steps = FinishSteps{};
  return Finish(raw, &steps);
}

void LineScanner::ScanLine(std::string& strLine, ScanSink& sink) {
  PrepareLine(strLine);
  TakeMarkerFirsts();
  const std::string_view line = strLine;
  const auto* const bytes = reinterpret_cast<const unsigned char*>(line.data());
  const std::size_t n = line.size();

  // classes_ is read afresh at every byte: the sink may change the allowed
  // characters from Word() or Yield(), and they apply from the next byte.
  std::size_t lp = 0;
  std::size_t yielded = 0;  // where the last word ended or Yield() was last called
  while (lp < n) {
    if (blnCommentsPossible && (intWithinComment != -1 || (classes_[bytes[lp]] & kMarkerFirst) != 0)) {
      if (!SkipComments(line, lp, sink)) return;  // a comment still open continues on the next line
      if (lp >= n) return;
    }
    if ((classes_[bytes[lp]] & kWordStart) != 0) {
      const std::size_t end = RunEnd(bytes, n, lp);
      const std::string_view word = FinishWord(line.substr(lp, end - lp));
      lp = end;
      yielded = end;
      if (!sink.Word(word)) return;
    } else {
      // Each character that cannot start a word is passed over with the
      // blanks after it, up to one that may start a word or a comment.
      const std::size_t stretchEnd = n - lp > kYieldBytes ? lp + kYieldBytes : n;
      do {
        ++lp;
        while (lp < n && bytes[lp] == ' ') ++lp;
      } while (lp < stretchEnd && (classes_[bytes[lp]] & (kWordStart | kMarkerFirst)) == 0);
      if (lp - yielded >= kYieldBytes) {
        sink.Yield();
        yielded = lp;
      }
    }
  }
}

bool LineScanner::SkipComments(std::string_view line, std::size_t& lp, ScanSink& sink) {
  if (intWithinComment == -1) intWithinComment = CommentStartAt(line, lp);
  while (intWithinComment >= 0) {
    SkipCommentBody(line, lp);
    if (lp >= line.size()) return false;
    if (line[lp] == ' ') {
      intWithinComment = -1;
      break;
    }
    intWithinComment =
        (classes_[static_cast<unsigned char>(line[lp])] & kMarkerFirst) != 0 ? CommentStartAt(line, lp) : -1;
    sink.Yield();
  }
  return true;
}

}  // namespace kwl::scan
