// The line scanner for words in every script: lines of UTF-8 text. ASCII
// bytes take the byte classes of the Windows-1252 scan (the same letters,
// extra characters, markers and entities); other characters are classed by
// their Unicode properties.
#include <algorithm>

#include "scan/line_facts.h"
#include "scan/scanner.h"
#include "text/cp1252.h"
#include "text/normalise.h"
#include "text/unicode_text.h"

namespace kwl::scan {
namespace {

// Backspaces removed; line ends, form feeds, tabs and no-break spaces
// (U+00A0) made blanks, a CR LF pair one blank; the right single quotation
// mark U+2019, the typographic apostrophe, made "'". Nothing grows, so the
// result is written over the line as it is read.
void MakeBlanksUtf8(std::string& line) {
  std::size_t w = 0;
  const std::size_t n = line.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == 8) continue;
    if (c == 13) {
      std::size_t j = i + 1;
      while (j < n && line[j] == '\b') ++j;
      if (j < n && line[j] == '\n') i = j;
      line[w++] = ' ';
    } else if (c == 10 || c == 12 || c == 9) {
      line[w++] = ' ';
    } else if (c == 0xC2 && i + 1 < n && static_cast<unsigned char>(line[i + 1]) == 0xA0) {
      line[w++] = ' ';
      ++i;
    } else if (c == 0xE2 && i + 2 < n && static_cast<unsigned char>(line[i + 1]) == 0x80 &&
               static_cast<unsigned char>(line[i + 2]) == 0x99) {
      line[w++] = '\'';
      i += 2;
    } else {
      line[w++] = static_cast<char>(c);
    }
  }
  line.resize(w);
}

}  // namespace

void LineScanner::TakeUnicodeExtras() {
  if (unicodeFrom_ == allowed_) return;
  unicodeFrom_ = allowed_;
  unicodeExtras_.clear();
  unicodeDigits_ = allowed_.find('0') != std::string::npos;
  for (const char c : allowed_) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) continue;
    unicodeExtras_.push_back({cp1252::ToUnicode(b), prohibited_.find(c) != std::string::npos});
  }
}

LineScanner::UnicodeChar LineScanner::UnicodeCharAt(std::string_view line, std::size_t at) const {
  UnicodeChar ch;
  const auto b = static_cast<unsigned char>(line[at]);
  if (b < 0x80) {
    ch.cp = b;
    ch.word = (classes_[b] & kWordChar) != 0;
    ch.start = (classes_[b] & kWordStart) != 0;
    return ch;
  }
  std::size_t i = at;
  ch.cp = unicode::Next(line, i);
  ch.length = i - at;
  for (const Extra& e : unicodeExtras_)
    if (e.cp == ch.cp) {
      ch.word = true;
      ch.start = !e.strip;
      return ch;
    }
  switch (unicode::KindOf(ch.cp)) {
    case unicode::CharKind::kLetter:
      ch.word = ch.start = true;
      ch.noSpace = unicode::IsNoSpaceLetter(ch.cp);
      break;
    case unicode::CharKind::kMark:
      ch.word = true;  // inside a word only
      break;
    case unicode::CharKind::kDigit:
      ch.word = ch.start = unicodeDigits_;
      break;
    case unicode::CharKind::kOther:
      break;
  }
  return ch;
}

std::size_t LineScanner::UnicodeRunEnd(std::string_view line, std::size_t start, std::size_t firstLength,
                                       bool& ascii) const {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(line.data());
  const std::size_t n = line.size();
  const std::size_t limit = n - start > kMaxRun ? start + kMaxRun : n;
  std::size_t end = start + firstLength;
  while (end < limit) {
    if (bytes[end] < 0x80) {
      if ((classes_[bytes[end]] & kWordChar) == 0) break;
      ++end;
      continue;
    }
    const UnicodeChar ch = UnicodeCharAt(line, end);
    if (!ch.word || ch.noSpace) break;
    end += ch.length;
    ascii = false;
  }
  return end;
}

bool LineScanner::StripsAtEnd(char32_t cp) const {
  if (cp < 0x80) return (classes_[static_cast<unsigned char>(cp)] & kFinalStrip) != 0;
  return std::any_of(unicodeExtras_.begin(), unicodeExtras_.end(),
                     [cp](const Extra& e) { return e.cp == cp && e.strip; });
}

void LineScanner::PrepareUnicodeLine(std::string& line) {
  // Only ASCII capitals are folded here: the scanner folds the other
  // characters word by word (full case folding may change a word's length).
  const LineFacts facts = FoldAsciiAndLook(line.data(), line.size(), rules.foldCase);
  if (facts.mayNeedBlanks || facts.nonAscii) MakeBlanksUtf8(line);
  PrepareMarkup(line, facts.hyphen, true);
}

std::string_view LineScanner::FinishUnicodeWord(std::string_view raw) {
  std::string_view word = raw;
  while (!word.empty()) {
    const std::size_t last = unicode::PreviousStart(word, word.size());
    std::size_t i = last;
    if (!StripsAtEnd(unicode::Next(word, i))) break;
    word.remove_suffix(word.size() - last);
  }
  lastUnicodeWord_ = {raw, {raw.substr(word.size()), false, false}};
  // The final "s" of Latin words, after a consonant (the vowels of the code
  // page, written in any way).
  if (rules.dropFinalS && !rules.readingWords && EndsInDroppableS(word)) {
    const std::size_t before = unicode::PreviousStart(word, word.size() - 1);
    std::size_t i = before;
    const char32_t cp = unicode::Next(word, i);
    const bool vowel = IsVowel(cp < 0x80 ? static_cast<unsigned char>(cp) : cp1252::FromUnicode(cp));
    if (!vowel && !KeepsFinalS(word) && (!unicode::HasNonAscii(word) || unicode::IsLatinWord(word))) {
      word.remove_suffix(1);
      lastUnicodeWord_.steps.droppedFinalS = true;
    }
  }
  if (!rules.readingWords && !rules.apostrophesAllowed && word.size() <= 7 &&
      (EqualsFolded(word, "s") || EqualsFolded(word, "t") || IsContractionStem(word))) {
    word = {};
    lastUnicodeWord_.steps.fragment = true;
  }
  if (!unicode::HasNonAscii(word)) return word;
  unicode::FoldAndCompose(word, rules.foldCase, unicodeWord_);
  return unicodeWord_;
}

void LineScanner::ScanLineUnicode(std::string& strLine, ScanSink& sink) {
  PrepareUnicodeLine(strLine);
  TakeMarkerFirsts();
  TakeUnicodeExtras();
  const std::string_view line = strLine;
  const auto* const bytes = reinterpret_cast<const unsigned char*>(line.data());
  const std::size_t n = line.size();
  const auto hand = [this, &sink](std::string_view word) { return sink.Word(FinishUnicodeWord(word)); };

  std::size_t lp = 0;
  std::size_t yielded = 0;
  while (lp < n) {
    if (blnCommentsPossible &&
        (intWithinComment != -1 || (bytes[lp] < 0x80 && (classes_[bytes[lp]] & kMarkerFirst) != 0))) {
      if (!SkipComments(line, lp, sink)) return;
      // A numeric entity is skipped with the letters right after it, which
      // the byte test may leave within a character: the rest of them too.
      if (lp > 0 && bytes[lp - 1] >= 0x80)
        while (lp < n && bytes[lp] >= 0x80) {
          std::size_t i = lp;
          const char32_t cp = unicode::Next(line, i);
          if ((bytes[lp] & 0xC0U) != 0x80 && unicode::KindOf(cp) != unicode::CharKind::kLetter &&
              unicode::KindOf(cp) != unicode::CharKind::kMark)
            break;
          lp = i;
        }
      if (lp >= n) return;
    }
    if (bytes[lp] < 0x80) {
      if ((classes_[bytes[lp]] & kWordStart) != 0) {
        bool ascii = true;
        const std::size_t end = UnicodeRunEnd(line, lp, 1, ascii);
        const std::string_view raw = line.substr(lp, end - lp);
        lp = end;
        yielded = end;
        // A word of ASCII characters is finished by the code page's rules
        // (FinishWord), which do to it what FinishUnicodeWord does: the same
        // byte classes strip its end, its final "s" follows the same test
        // (every ASCII word is Latin), the fragments "s", "t" and the
        // contraction stems are all ASCII, and an ASCII word has nothing to
        // fold or compose (its capitals were folded with the line). Only
        // the code page's way tests the first and last letters before whole
        // words, and leaves the word in the line. It notes no place, so a
        // scan that needs the places takes the Unicode way for every word.
        if (!sink.Word(ascii && !notePlaces ? FinishWord(raw) : FinishUnicodeWord(raw))) return;
        continue;
      }
      // An ASCII character that cannot start a word is passed over with the
      // blanks after it, up to a character that may start a word or a
      // comment or one beyond ASCII, as the code page's scan does.
      const std::size_t stretchEnd = n - lp > kYieldBytes ? lp + kYieldBytes : n;
      do {
        ++lp;
        while (lp < n && bytes[lp] == ' ') ++lp;
      } while (lp < stretchEnd && bytes[lp] < 0x80 && (classes_[bytes[lp]] & (kWordStart | kMarkerFirst)) == 0);
      if (lp - yielded >= kYieldBytes) {
        sink.Yield();
        yielded = lp;
      }
      continue;
    }
    const UnicodeChar first = UnicodeCharAt(line, lp);
    if (first.noSpace) {
      // A run of a script written without spaces, with the marks in it.
      std::size_t end = lp + first.length;
      while (end < n && bytes[end] >= 0x80) {
        const UnicodeChar ch = UnicodeCharAt(line, end);
        if (!ch.noSpace && (!ch.word || ch.start)) break;
        end += ch.length;
      }
      const bool goOn = splitter_.Split(line.substr(lp, end - lp), hand);
      lp = end;
      yielded = end;
      if (!goOn) return;
    } else if (first.start) {
      bool ascii = false;
      const std::size_t end = UnicodeRunEnd(line, lp, first.length, ascii);
      const std::string_view raw = line.substr(lp, end - lp);
      lp = end;
      yielded = end;
      if (!sink.Word(FinishUnicodeWord(raw))) return;
    } else {
      lp += first.length;
      if (lp - yielded >= kYieldBytes) {
        sink.Yield();
        yielded = lp;
      }
    }
  }
}

}  // namespace kwl::scan
