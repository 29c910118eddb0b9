#include "listing/counts_file.h"

#include <cerrno>
#include <charconv>
#include <limits>

#define XXH_INLINE_ALL
#include <xxhash.h>

#include "count/common_words_list.h"
#include "count/ignore_list.h"
#include "count/limits.h"
#include "files/regular_file.h"
#include "files/replacing_file.h"
#include "text/cp1252.h"
#include "text/unicode_text.h"

namespace kwl {

namespace {

constexpr std::string_view kMagic = "#kestrawl counts";
constexpr std::string_view kColumns = "word\tdisplay spelling\tcount\tfiles";
constexpr std::string_view kEnd = "#end";
// No total may pass these, in one table or in a merge, so that a merge
// adding a table's rows before it checks its totals cannot overflow.
constexpr std::int64_t kMaxTotal = std::int64_t{1} << 61;
constexpr std::int64_t kMaxFiles = std::int64_t{1} << 29;

std::string Flag(bool on) { return on ? "1" : "0"; }

// The number of a list's words and a fingerprint of them (XXH64 of the words,
// each followed by a line end).
std::string Fingerprint(const std::vector<std::string_view>& words) {
  if (words.empty()) return "none";
  // The words joined in one buffer: the same digest as feeding them one by
  // one, without the streaming state.
  std::string joined;
  for (std::string_view w : words) {
    joined.append(w);
    joined.push_back('\n');
  }
  const XXH64_hash_t h = XXH64(joined.data(), joined.size(), 0);
  char hex[17];
  for (int i = 0; i < 16; ++i) hex[i] = "0123456789abcdef"[(h >> (60 - 4 * i)) & 0xF];
  hex[16] = '\0';
  return std::to_string(words.size()) + ":" + hex;
}

std::vector<std::string_view> WordsOf(const IgnoreList* list) {
  std::vector<std::string_view> words;
  if (list == nullptr) return words;
  std::string_view text = list->Text();
  while (!text.empty()) {
    const std::size_t blank = text.find(' ');
    if (blank != 0) words.push_back(text.substr(0, blank));
    if (blank == std::string_view::npos) break;
    text.remove_prefix(blank + 1);
  }
  return words;
}

std::vector<std::string_view> WordsOf(const CommonWordsList* list) {
  std::vector<std::string_view> words;
  if (list != nullptr)
    for (const std::string& w : list->Words()) words.emplace_back(w);
  return words;
}

// A whole decimal number in [0, max]; false for anything else.
bool ParseNumber(std::string_view text, std::int64_t max, std::int64_t& value) {
  if (text.empty() || (text.size() > 1 && text[0] == '0')) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() && value <= max;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

Status Bad(std::size_t lineNumber, const std::string& what) {
  return Status::Failure(Status::Kind::kBadFormat, 0, {}, "line " + std::to_string(lineNumber) + ": " + what);
}

// The word a word column's text stands for (Windows-1252, or UTF-8 with
// unicode); false when the text is not one this program writes.
bool ParseWord(std::string_view text, std::string& word, bool unicode) {
  word.clear();
  std::string run;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      run += text[i];
      continue;
    }
    word += unicode ? run : cp1252::FromUtf8(run);
    run.clear();
    if (i + 1 < text.size() && text[i + 1] == '\\') {
      word += '\\';
      ++i;
    } else if (i + 3 < text.size() && text[i + 1] == 'x') {
      unsigned value = 0;
      const auto [end, ec] = std::from_chars(text.data() + i + 2, text.data() + i + 4, value, 16);
      if (ec != std::errc() || end != text.data() + i + 4) return false;
      word += static_cast<char>(value);
      i += 3;
    } else {
      return false;
    }
  }
  word += unicode ? run : cp1252::FromUtf8(run);
  if (unicode && !unicode::IsValidUtf8(word)) return false;
  // Only the canonical spelling is taken: it is the one text of this word.
  return !word.empty() && CountsWordText(word, unicode) == text;
}

// A table of words in every script says so after its rules; a table
// without the field holds Windows-1252 words.
constexpr std::string_view kUnicodeRule = "unicode";

const std::vector<std::string_view>& HeaderOrder() {
  static const std::vector<std::string_view> names = {
      "chars", "inside-only", "case", "final-s", "apostrophes", "7bit", "short", "long",
      "no-letter", "repetitions", "max-length", "ignore", "common"};
  return names;
}

Status ParseHeader(std::string_view line, CountsTableHeader& header, std::int64_t& words) {
  const std::vector<std::string_view> fields = Fields(line);
  if (fields[0] != kMagic) return Bad(1, "not a Kestrawl counts table");
  std::size_t f = 1;
  const auto next = [&](std::string_view name, std::string_view& value) {
    if (f >= fields.size()) return false;
    const std::string_view field = fields[f];
    if (field.size() <= name.size() || field.substr(0, name.size()) != name || field[name.size()] != '=') return false;
    value = field.substr(name.size() + 1);
    ++f;
    return true;
  };
  std::string_view value;
  if (!next("version", value)) return Bad(1, "not a Kestrawl counts table (no version)");
  if (value != std::to_string(kCountsTableVersion))
    return Bad(1, "a counts table of version " + std::string(value) + "; this program reads version " +
                      std::to_string(kCountsTableVersion));
  header.rules.clear();
  for (std::string_view name : HeaderOrder()) {
    if (!next(name, value)) return Bad(1, "the header lacks the rule " + std::string(name));
    header.rules.emplace_back(std::string(name), std::string(value));
  }
  if (f < fields.size() && fields[f].substr(0, kUnicodeRule.size() + 1) == std::string(kUnicodeRule) + "=") {
    if (!next(kUnicodeRule, value) || value != "1") return Bad(1, "the rule unicode is not unicode=1");
    header.rules.emplace_back(std::string(kUnicodeRule), std::string(value));
  }
  std::int64_t files = 0, skipped = 0;
  if (!next("occurrences", value) || !ParseNumber(value, kMaxTotal, header.totalOccurrences))
    return Bad(1, "the header lacks the number of occurrences");
  if (!next("files", value) || !ParseNumber(value, kMaxFiles, files) || !next("skipped", value) ||
      !ParseNumber(value, kMaxFiles, skipped))
    return Bad(1, "the header lacks the numbers of files");
  if (!next("words", value) || !ParseNumber(value, std::numeric_limits<std::int32_t>::max(), words))
    return Bad(1, "the header lacks the number of words");
  if (f != fields.size()) return Bad(1, "the header has more fields than this version writes");
  header.filesCounted = static_cast<std::int32_t>(files);
  header.filesSkipped = static_cast<std::int32_t>(skipped);
  return {};
}

}  // namespace

bool CountsTableHeader::Unicode() const {
  return !rules.empty() && rules.back().first == kUnicodeRule && rules.back().second == "1";
}

bool CountsTableHeader::IgnoresListedWords() const {
  for (const auto& [name, value] : rules)
    if ((name == "ignore" || name == "common") && value != "none") return true;
  return false;
}

CountsRules CountsRulesOf(const CountRules& rules) {
  const WordRules& w = rules.word;
  CountsRules fields{
      {"chars", CountsWordText(rules.allowedExtraChars)},
      {"inside-only", CountsWordText(rules.prohibitedInitialOrFinalChars)},
      {"case", Flag(w.caseSignificant)},
      {"final-s", Flag(w.dropFinalS)},
      {"apostrophes", Flag(w.apostrophesAllowed)},
      {"7bit", Flag(w.only7bitAscii)},
      {"short", w.ignoreShortWords ? std::to_string(w.shortWordSize) : "off"},
      {"long", std::to_string(w.longWordSize)},
      {"no-letter", Flag(w.ignoreNoLetter)},
      {"repetitions", Flag(w.ignoreRepetitions)},
      {"max-length", std::to_string(w.maxWordLength)},
      {"ignore", Fingerprint(WordsOf(w.wordsToIgnore))},
      {"common", Fingerprint(WordsOf(w.commonWords))},
  };
  // Only a count of words in every script names the field: the tables of
  // the code page stay as they always were.
  if (rules.unicode) fields.emplace_back(std::string(kUnicodeRule), "1");
  return fields;
}

std::string CountsWordText(std::string_view word, bool unicode) {
  std::string text;
  text.reserve(word.size() + word.size() / 4);
  for (char c : word) {
    const auto b = static_cast<unsigned char>(c);
    if (b == '\\') {
      text += "\\\\";
    } else if (b < 0x20 || b == 0x7F) {
      text += "\\x";
      text += "0123456789ABCDEF"[b >> 4];
      text += "0123456789ABCDEF"[b & 0xF];
    } else if (unicode) {
      text += c;
    } else {
      text += cp1252::ToUtf8(std::string_view(&c, 1));
    }
  }
  return text;
}

std::string CountsDisplayText(std::string_view word, bool unicode) {
  std::string text;
  for (char c : word) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F)
      text += "\xEF\xBF\xBD";
    else if (unicode)
      text += c;
    else
      text += cp1252::ToUtf8(std::string_view(&c, 1));
  }
  return text;
}

bool FormatCountsTable(const WordTable& words, const CountsTableHeader& header,
                       const std::function<bool(std::string_view)>& put) {
  std::string text(kMagic);
  text += "\tversion=" + std::to_string(kCountsTableVersion);
  for (const auto& [name, value] : header.rules) text += "\t" + name + "=" + value;
  text += "\toccurrences=" + std::to_string(header.totalOccurrences);
  text += "\tfiles=" + std::to_string(header.filesCounted);
  text += "\tskipped=" + std::to_string(header.filesSkipped);
  text += "\twords=" + std::to_string(words.NumWords()) + "\n";
  text += kColumns;
  text += '\n';
  for (std::int32_t i = 1; i <= words.NumWords(); ++i) {
    const WordEntry& e = words[i];
    text += CountsWordText(e.strWord, words.Unicode());
    text += '\t';
    text += CountsDisplayText(e.strWord, words.Unicode());
    text += '\t';
    text += std::to_string(e.count);
    text += '\t';
    text += std::to_string(words.TracksFiles() ? words.Files(i) : 1);
    text += '\n';
    if (text.size() >= (1 << 20)) {
      if (!put(text)) return false;
      text.clear();
    }
  }
  text += std::string(kEnd) + "\twords=" + std::to_string(words.NumWords()) + "\n";
  return put(text);
}

Status WriteCountsTable(const std::string& path, const WordTable& words, const CountsTableHeader& header) {
  ReplacingFile file;
  int err = file.Open(path);
  if (err == 0 && !FormatCountsTable(words, header, [&](std::string_view bytes) { return (err = file.Write(bytes)) == 0; }))
    return Status::Failure(Status::Kind::kWriteFailed, err, path);
  if (err == 0) err = file.Commit();
  if (err != 0) return Status::Failure(Status::Kind::kWriteFailed, err, path);
  return {};
}

Status ReadCountsTableText(std::string_view text, CountsTableHeader& header, WordTable& table) {
  std::size_t lineNumber = 0;
  const auto nextLine = [&](std::string_view& line) {
    if (text.empty()) return false;
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return false;  // a last line without its end: cut
    line = text.substr(0, end);
    text.remove_prefix(end + 1);
    ++lineNumber;
    return true;
  };
  std::string_view line;
  if (!nextLine(line)) {
    if (text.substr(0, kMagic.size()) == kMagic) return Bad(1, "the table ends within its header");
    return Bad(1, "not a Kestrawl counts table");
  }
  std::int64_t words = 0;
  if (Status st = ParseHeader(line, header, words); !st.Ok()) return st;
  const bool unicode = header.Unicode();
  table.SetUnicode(unicode);
  if (!nextLine(line)) return Bad(2, "the table ends after its header");
  if (line != kColumns) return Bad(2, "the column names are not \"" + std::string(kColumns) + "\"");
  std::string word, previous;
  std::int64_t rows = 0;
  for (;;) {
    if (!nextLine(line)) return Bad(lineNumber + 1, "the table is cut short (no #end line)");
    const std::vector<std::string_view> fields = Fields(line);
    if (fields[0] == kEnd) {
      std::int64_t n = 0;
      if (fields.size() != 2 || fields[1].substr(0, 6) != "words=" || !ParseNumber(fields[1].substr(6), kMaxTotal, n) ||
          n != rows || rows != words)
        return Bad(lineNumber, "the #end line does not match the " + std::to_string(rows) + " words read");
      if (!text.empty()) return Bad(lineNumber + 1, "text after the #end line");
      return {};
    }
    if (fields.size() != 4) return Bad(lineNumber, "a row has " + std::to_string(fields.size()) + " fields, not 4");
    if (!ParseWord(fields[0], word, unicode))
      return Bad(lineNumber, "the word is not written as this program writes words");
    if (static_cast<std::int64_t>(unicode ? unicode::Length(word) : word.size()) > kMaxWordLength)
      return Bad(lineNumber, "a word longer than " + std::to_string(kMaxWordLength) + " characters");
    if (fields[1] != CountsDisplayText(word, unicode))
      return Bad(lineNumber, "the display spelling is not that of the word");
    // The binary order of the table's words (WordTable::OrderByWord).
    if (rows > 0 && (unicode ? previous.compare(word) : cp1252::Compare(previous, word)) >= 0)
      return Bad(lineNumber, "the words are not in ascending order (or one is there twice)");
    std::int64_t count = 0, files = 0;
    if (!ParseNumber(fields[2], header.totalOccurrences, count) || count == 0)
      return Bad(lineNumber, "the count is not a number from 1 to the occurrences of the header");
    if (!ParseNumber(fields[3], std::min<std::int64_t>(count, header.filesCounted), files) || files == 0)
      return Bad(lineNumber, "the files are not a number from 1 to the count and the files of the header");
    if (++rows > words) return Bad(lineNumber, "more rows than the header's words");
    table.AddCounted(word, count, static_cast<std::int32_t>(files));
    previous.swap(word);
  }
}

Status ReadCountsTable(const std::string& path, CountsTableHeader& header, WordTable& table) {
  std::string text;
  if (Status st = ReadWholeFile(path, text); !st.Ok()) return st;
  Status st = ReadCountsTableText(text, header, table);
  st.path = path;
  return st;
}

Status MergeCountsHeader(CountsTableHeader& whole, const CountsTableHeader& later, bool first) {
  if (first) {
    whole = later;
    return {};
  }
  for (std::size_t i = 0; i < whole.rules.size() && i < later.rules.size(); ++i) {
    const auto& [name, value] = whole.rules[i];
    if (later.rules[i] != whole.rules[i])
      return Status::Failure(Status::Kind::kBadFormat, 0, {},
                             later.rules[i].first + "=" + later.rules[i].second + ", not " + name + "=" + value);
  }
  // The rules alike but for the unicode field, which one of them lacks.
  if (whole.Unicode() != later.Unicode())
    return Status::Failure(Status::Kind::kBadFormat, 0, {},
                           std::string(later.Unicode() ? "unicode=1, not unicode=0" : "unicode=0, not unicode=1"));
  if (whole.totalOccurrences > kMaxTotal - later.totalOccurrences ||
      whole.filesCounted > kMaxFiles - later.filesCounted || whole.filesSkipped > kMaxFiles - later.filesSkipped)
    return Status::Failure(Status::Kind::kBadFormat, 0, {}, "the totals of the tables together are too large");
  whole.totalOccurrences += later.totalOccurrences;
  whole.filesCounted += later.filesCounted;
  whole.filesSkipped += later.filesSkipped;
  return {};
}

}  // namespace kwl
