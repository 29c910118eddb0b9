#include "scan/scanner.h"

#include <array>

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

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

}  // namespace

std::string_view StripFinalChars(std::string_view word, std::string_view set) {
  while (!word.empty() && set.find(word.back()) != std::string_view::npos) word.remove_suffix(1);
  return word;
}

void LineScanner::SetAllowedExtraChars(std::string_view allowed, std::string_view prohibited) {
  allowed_ = allowed;
  prohibited_ = prohibited;
  table_.Build(allowed_, prohibited_);
}

void LineScanner::SetMarkupKind(std::string_view extension) {
  const MarkupKind kind = MarkupKindFor(extension);
  blnCharacterEntitiesPossible = kind.characterEntities;
  markers.SetCommentMarkers(kind.kind);
}

void LineScanner::PrepareLine(std::string& line) {
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
  if (rules.readingWords) {
    blnCommentsPossible = true;
    return;
  }
  blnCommentsPossible = markers.intNumCommentMarkers > 0;
  SplitDoubleHyphens(line);
  if (blnCharacterEntitiesPossible) ReplaceEntities(line);
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

std::string LineScanner::FinishWord(std::string_view raw) const {
  std::string_view word = StripFinalChars(raw, prohibited_);
  if (rules.readingWords) return std::string(word);
  if (rules.dropFinalS && word.size() > 2 && word.back() == 's' && !EndsWith(word, "ss") && !EndsWith(word, "'s") &&
      !IsVowel(static_cast<unsigned char>(word[word.size() - 2]))) {
    const std::string lower = FoldCase(word);
    const bool exempt = EndsWith(lower, "ics") || lower == "maths" || lower == "stats" || lower == "dickens" ||
                        lower == "always" || lower == "perhaps";
    if (!exempt) word.remove_suffix(1);
  }
  // Only "s", "t" and the contraction stems (3 to 7 letters ending in "n")
  // can be apostrophe fragments.
  const bool mayBeFragment =
      word.size() == 1 || (word.size() >= 3 && word.size() <= 7 && (word.back() == 'n' || word.back() == 'N'));
  if (!rules.apostrophesAllowed && mayBeFragment) {
    const std::string lower = FoldCase(word);
    if (lower == "s" || lower == "t" || IsContractionStem(lower)) return {};
  }
  return std::string(word);
}

void LineScanner::ScanLine(std::string& strLine, ScanSink& sink) {
  PrepareLine(strLine);
  const std::string_view line = strLine;
  const std::size_t n = line.size();

  // Only characters that begin some marker need the full marker test.
  std::array<bool, 256> markerFirst{};
  for (int slot = 0; slot < markers.intNumCommentMarkers; ++slot) {
    const std::string& start = markers.strCommentStart[static_cast<std::size_t>(slot)];
    if (start.empty()) continue;
    const auto c = static_cast<unsigned char>(start[0]);
    markerFirst[c] = true;
    markerFirst[AsciiLower(c)] = true;
    if (c >= 'a' && c <= 'z') markerFirst[static_cast<unsigned char>(c - 32)] = true;
  }

  std::size_t lp = 0;
  while (lp < n) {
    sink.Yield();
    if (blnCommentsPossible) {
      if (intWithinComment == -1 && markerFirst[static_cast<unsigned char>(line[lp])])
        intWithinComment = CommentStartAt(line, lp);
      while (intWithinComment >= 0) {
        SkipCommentBody(line, lp);
        if (lp >= n) return;  // a comment still open continues on the next line
        if (line[lp] == ' ') {
          intWithinComment = -1;
          break;
        }
        intWithinComment = markerFirst[static_cast<unsigned char>(line[lp])] ? CommentStartAt(line, lp) : -1;
        sink.Yield();
      }
    }
    if (table_.wordStart[static_cast<unsigned char>(line[lp])]) {
      std::size_t len = 0;
      while (lp + len < n && len < kMaxRun && table_.wordChar[static_cast<unsigned char>(line[lp + len])]) ++len;
      const std::string word = FinishWord(line.substr(lp, len));
      lp += len;
      if (!word.empty()) sink.Word(word);
      sink.Yield();
      if (sink.Stopped()) return;
    } else {
      // One character that cannot start a word is passed over, then any blanks.
      ++lp;
      while (lp < n && line[lp] == ' ') ++lp;
    }
  }
}

}  // namespace kwl::scan
