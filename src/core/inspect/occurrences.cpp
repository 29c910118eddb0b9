#include "inspect/occurrences.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "count/counter.h"
#include "inspect/shown_line.h"
#include "sources/encoding.h"
#include "sources/text_file_source.h"
#include "sources/utf16_file_source.h"
#include "listing/collation.h"
#include "text/normalise.h"
#include "text/unicode_text.h"
#include "text/utf8_measure.h"

namespace kwl {
namespace {

// Receives the words of one prepared line and keeps the place of each that
// the count adds to the entry (to any entry when every is set).
class EntrySink final : public scan::ScanSink {
 public:
  // The word's place in the line and its end there (the trailing characters
  // cut off excluded, a dropped final "s" included), and the entry.
  struct Place {
    std::size_t start;
    std::size_t end;
    std::string entry;
  };
  EntrySink(Counter& counter, std::string_view entry, bool every)
      : counter_(counter), entry_(entry), every_(every), unicode_(counter.Words().Unicode()) {}
  // line is scanned next: the scan prepares it where it stands.
  void StartLine(const std::string& line) {
    line_ = &line;
    places_.clear();
  }
  const std::vector<Place>& Places() const { return places_; }

  bool Word(std::string_view word) override {
    if (word.empty() || (!every_ && word != entry_)) return true;
    if (counter_.RuleFor(word) != WordRule::kCounted) return true;
    const WordPlace place = PlaceWord(counter_.Scanner(), *line_, word, unicode_);
    places_.push_back({place.start, place.WordEnd(), std::string(word)});
    return true;
  }
  void Yield() override {}

 private:
  Counter& counter_;
  std::string_view entry_;
  bool every_;
  bool unicode_;
  const std::string* line_ = nullptr;
  std::vector<Place> places_;
};

// Control characters shown as blanks, the outer end trimmed.
std::string Context(std::string_view text, bool trimFront) {
  std::string s(text);
  for (char& c : s)
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  if (trimFront) {
    s.erase(0, std::min(s.size(), s.find_first_not_of(' ')));
  } else {
    const std::size_t last = s.find_last_not_of(' ');
    s.resize(last == std::string::npos ? 0 : last + 1);
  }
  return s;
}

// The start of the context of at most kContextChars characters before the
// word at start. In UTF-8 it never cuts a sequence, nor a combining mark
// from the character it belongs to (a mark at the cut is left out).
std::size_t LeftCut(std::string_view line, std::size_t start, bool unicode) {
  if (!unicode) return start > kContextChars ? start - kContextChars : 0;
  std::size_t from = start;
  for (std::size_t n = 0; n < kContextChars && from > 0; ++n) from = unicode::PreviousStart(line, from);
  while (from > 0 && from < start) {
    std::size_t i = from;
    if (unicode::KindOf(unicode::Next(line, i)) != unicode::CharKind::kMark) break;
    from = i;
  }
  return from;
}

// The end of the context of at most kContextChars characters after the
// word, which ends at end; in UTF-8 the marks of its last character kept.
std::size_t RightCut(std::string_view line, std::size_t end, bool unicode) {
  if (!unicode) return std::min(line.size(), end + kContextChars);
  std::size_t to = end;
  for (std::size_t n = 0; n < kContextChars && to < line.size(); ++n) unicode::Next(line, to);
  while (to < line.size()) {
    std::size_t i = to;
    if (unicode::KindOf(unicode::Next(line, i)) != unicode::CharKind::kMark) break;
    to = i;
  }
  return to;
}

// The sort key of each word of text, in order, or from the last word back:
// the code page's key, or the root collation's for UTF-8 text.
std::vector<std::string> WordKeys(std::string_view text, bool backwards, bool unicode) {
  std::vector<std::string> keys;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', at);
    if (start == std::string_view::npos) break;
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(start, end - start);
    keys.push_back(unicode ? PrimarySortKey(word) : scan::SortKey(word));
    at = end;
  }
  if (backwards) std::reverse(keys.begin(), keys.end());
  return keys;
}

}  // namespace

std::string EntryFor(std::string_view word, const WordRules& rules, bool unicode) {
  std::string entry;
  if (unicode) {
    unicode::FoldAndCompose(word, !rules.caseSignificant, entry);
    return entry;
  }
  entry = word;
  if (!rules.caseSignificant) scan::FoldCaseInPlace(entry);
  return entry;
}

namespace {

OccurrenceSearch Find(LineSource& source, const CountRules& rules, std::string_view entry, bool every) {
  OccurrenceSearch search;
  search.entry = entry;
  Counter counter;
  counter.Start(rules);
  ShownLine shown(counter);
  EntrySink sink(counter, search.entry, every);
  std::string line;
  std::string original;
  try {
    for (;;) {
      if (!source.Next(line)) {
        search.status = source.status();
        break;
      }
      if (line.empty()) continue;
      original = line;
      scan::LineScanner& scanner = counter.Scanner();
      scanner.rules = counter.LineRules();
      scanner.notePlaces = true;
      // The scan prepares the line where it stands (nothing grows), so the
      // views it hands out point into line's buffer as it is now.
      sink.StartLine(line);
      if (rules.unicode)
        scanner.ScanLineUnicode(line, sink);
      else
        scanner.ScanLine(line, sink);
      if (sink.Places().empty()) continue;
      shown.Prepare(original, line);
      for (const EntrySink::Place& p : sink.Places()) {
        Occurrence o;
        o.line = source.LineNumber();
        o.order = static_cast<std::int64_t>(search.rows.size());
        o.entry = p.entry;
        const std::size_t from = LeftCut(original, p.start, rules.unicode);
        o.left = Context(std::string_view(original).substr(from, p.start - from), true);
        o.word = original.substr(p.start, p.end - p.start);
        o.right =
            Context(std::string_view(original).substr(p.end, RightCut(original, p.end, rules.unicode) - p.end), false);
        search.rows.push_back(std::move(o));
      }
    }
  } catch (const std::bad_alloc&) {
    search.status = Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, {}, "the occurrences could not be held");
  }
  if (!search.status.Ok()) {
    search.rows.clear();
    return search;
  }
  if (every) return search;
  search.excludedBy = PostScanRule(search.entry, static_cast<std::int64_t>(search.rows.size()), counter.Rules());
  if (search.excludedBy != WordRule::kCounted) search.rows.clear();
  return search;
}

}  // namespace

OccurrenceSearch FindOccurrences(LineSource& source, const CountRules& rules, std::string_view entry) {
  return Find(source, rules, entry, false);
}

OccurrenceSearch FindEveryOccurrence(LineSource& source, const CountRules& rules) {
  return Find(source, rules, {}, true);
}

void SortOccurrences(std::vector<Occurrence>& rows, OccurrenceOrder order, bool unicode) {
  // The files in the order they first appear, then each file's own order.
  std::vector<std::string_view> files;
  std::vector<std::pair<std::size_t, std::int64_t>> places;
  places.reserve(rows.size());
  for (const Occurrence& o : rows) {
    auto at = std::find(files.begin(), files.end(), std::string_view(o.file));
    if (at == files.end()) at = files.insert(files.end(), o.file);
    places.emplace_back(static_cast<std::size_t>(at - files.begin()), o.order);
  }
  const bool left = order == OccurrenceOrder::kLeft;
  struct Key {
    std::vector<std::string> words;  // none in the order of the text
    std::pair<std::size_t, std::int64_t> place;
    std::size_t row;
  };
  std::vector<Key> keys;
  keys.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    Key k{{}, places[i], i};
    if (order != OccurrenceOrder::kPosition) k.words = WordKeys(left ? rows[i].left : rows[i].right, left, unicode);
    keys.push_back(std::move(k));
  }
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    return a.words != b.words ? a.words < b.words : a.place < b.place;
  });
  std::vector<Occurrence> sorted;
  sorted.reserve(rows.size());
  for (const Key& k : keys) sorted.push_back(std::move(rows[k.row]));
  rows = std::move(sorted);
}

std::vector<std::string> KwicLines(const std::vector<Occurrence>& rows, bool unicode) {
  // Widths in display columns: a byte each in Windows-1252.
  const auto columns = [unicode](std::string_view text) {
    return static_cast<std::size_t>(WordColumns(text, unicode));
  };
  std::size_t fileWidth = 0;
  std::size_t numberWidth = 1;
  std::size_t leftWidth = 0;
  for (const Occurrence& o : rows) {
    fileWidth = std::max(fileWidth, columns(o.file));
    numberWidth = std::max(numberWidth, std::to_string(o.line).size());
    leftWidth = std::max(leftWidth, columns(o.left));
  }
  std::vector<std::string> lines;
  lines.reserve(rows.size());
  for (const Occurrence& o : rows) {
    std::string s;
    if (fileWidth > 0) s += o.file + std::string(fileWidth - columns(o.file) + 2, ' ');
    const std::string number = std::to_string(o.line);
    s += std::string(numberWidth - number.size(), ' ') + number + "  ";
    s += std::string(leftWidth - columns(o.left), ' ') + o.left + o.word + o.right;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    lines.push_back(std::move(s));
  }
  return lines;
}

Status StampSource(const std::string& path, SourceStamp& stamp) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    const int err = errno;
    const auto kind = (err == ENOENT || err == ENOTDIR) ? Status::Kind::kNotFound : Status::Kind::kOpenFailed;
    return Status::Failure(kind, err, path);
  }
  stamp.size = static_cast<std::int64_t>(st.st_size);
  stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return {};
}

Status CheckSourceUnchanged(const std::string& path, const SourceStamp& counted) {
  SourceStamp now;
  if (Status st = StampSource(path, now); !st.Ok()) return st;
  if (now == counted) return {};
  return Status::Failure(Status::Kind::kReadFailed, 0, path, std::string(kSourceChanged));
}

OccurrenceSearch FindOccurrencesInFile(const std::string& path, bool utf8, const CountRules& rules,
                                       std::string_view entry, const SourceStamp& counted) {
  OccurrenceSearch search;
  search.entry = entry;
  search.status = CheckSourceUnchanged(path, counted);
  if (!search.status.Ok()) return search;
  // Read as the count read it: a UTF-16 file with a byte-order mark only
  // with words in every script, which counts it; every other file as text.
  const int utf16 = rules.unicode ? Utf16ByteOrder(path, InspectTextFile(path)) : 0;
  std::unique_ptr<LineSource> source;
  if (utf16 != 0) {
    source = std::make_unique<Utf16FileSource>(path, utf16 == 2);
  } else {
    auto text = std::make_unique<TextFileSource>(path, utf8);
    text->SetUnicode(rules.unicode);
    source = std::move(text);
  }
  if (!source->status().Ok()) {
    search.status = source->status();
    return search;
  }
  search = FindOccurrences(*source, rules, entry);
  if (!search.status.Ok()) return search;
  // Changed while it was read: the rows may mix the old text and the new.
  if (Status after = CheckSourceUnchanged(path, counted); !after.Ok()) {
    search.rows.clear();
    search.status = std::move(after);
  }
  return search;
}

std::string OccurrenceSearchProblem(const Status& status) {
  if (IsSourceChanged(status))
    return status.path + " " + std::string(kSourceChanged) +
           " (its size or modification time differs): count it again to see its occurrences";
  std::string text = status.path.empty() ? std::string("the text") : status.path;
  switch (status.kind) {
    case Status::Kind::kNotFound: return text + " no longer exists";
    case Status::Kind::kOutOfMemory: return "out of memory: " + (status.detail.empty() ? text : status.detail);
    default: break;
  }
  text += " cannot be read again";
  if (status.err != 0) text += std::string(": ") + std::strerror(status.err);
  if (!status.detail.empty()) text += " (" + status.detail + ")";
  return text;
}

}  // namespace kwl
