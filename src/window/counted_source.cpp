#include "counted_source.h"

#include <set>

#include "files/paths.h"
#include "scan/markup.h"
#include "session.h"
#include "sources/clipboard_text.h"
#include "sources/docx_text.h"

namespace kwl {
namespace {

// The file column: the file's name, or its path when two files of the count
// share a name (a folder counted with its sub-folders).
std::vector<std::string> FileLabels(const std::vector<CountedFile>& files) {
  std::vector<std::string> labels;
  std::set<std::string> names;
  bool shared = false;
  for (const CountedFile& f : files) shared = !names.insert(FileNamePart(f.path)).second || shared;
  for (const CountedFile& f : files) labels.push_back(shared ? f.path : FileNamePart(f.path));
  return labels;
}

// A DOCX document is searched in the text pieces the count read, once the
// document is seen to be as it was.
OccurrenceSearch SearchDocx(const CountedFile& file, const CountRules& rules, const std::string& entry) {
  OccurrenceSearch search;
  search.entry = entry;
  search.status = CheckSourceUnchanged(file.path, file.stamp);
  if (!search.status.Ok()) return search;
  DocxTextSource source(file.docxPieces);
  return FindOccurrences(source, rules, entry);
}

}  // namespace

void CountedSource::Begin(const CountRules& rules) {
  rules_ = rules;
  wordsToIgnore_ = rules.word.wordsToIgnore ? *rules.word.wordsToIgnore : IgnoreList();
  commonWordsInForce_ = rules.word.commonWords != nullptr;
  commonWords_ = commonWordsInForce_ ? *rules.word.commonWords : CommonWordsList();
  rules_.word.wordsToIgnore = nullptr;
  rules_.word.commonWords = nullptr;
  files_.clear();
  clipboard_ = false;
  clipboardText_.clear();
  listed_ = false;
  whole_ = false;
}

void CountedSource::AddFile(const std::string& path, bool docx, bool utf8,
                            const std::vector<std::string>& docxPieces) {
  CountedFile f;
  f.path = path;
  f.docx = docx;
  f.utf8 = utf8;
  // A file that cannot be examined keeps the empty stamp, which no file
  // has: the search then says it cannot be read again.
  StampSource(path, f.stamp);
  if (docx) f.docxPieces = docxPieces;
  files_.push_back(std::move(f));
}

CountRules CountedSource::RulesFor(const CountedFile* file) const {
  CountRules rules = rules_;
  rules.word.wordsToIgnore = &wordsToIgnore_;
  rules.word.commonWords = commonWordsInForce_ ? &commonWords_ : nullptr;
  if (file != nullptr) rules.markup = scan::MarkupKindFor(Extension(file->path));
  return rules;
}

namespace {

// The rules of a search: those applied to the finished list are the
// caller's to judge, as a word infrequent in each file of a corpus may be
// frequent in all of them.
CountRules WithoutListRules(CountRules rules) {
  rules.word.ignoreInfrequentWords = false;
  rules.word.ignoreRomanNumerals = false;
  return rules;
}

}  // namespace

OccurrenceSearch CountedSource::Search(const std::string& entry) const {
  OccurrenceSearch all;
  all.entry = entry;
  if (clipboard_) {
    const CountRules rules = WithoutListRules(RulesFor(nullptr));
    ClipboardTextSource source(clipboardText_, !rules.word.caseSignificant);
    source.SetUnicode(rules.unicode);
    return FindOccurrences(source, rules, entry);
  }
  const std::vector<std::string> labels = FileLabels(files_);
  for (std::size_t i = 0; i < files_.size(); ++i) {
    const CountedFile& file = files_[i];
    const CountRules rules = WithoutListRules(RulesFor(&file));
    OccurrenceSearch one = file.docx ? SearchDocx(file, rules, entry)
                                     : FindOccurrencesInFile(file.path, file.utf8, rules, entry, file.stamp);
    if (!one.status.Ok()) {
      if (one.status.path.empty()) one.status.path = file.path;
      all.rows.clear();
      all.status = one.status;
      return all;
    }
    for (Occurrence& o : one.rows) {
      if (files_.size() > 1) o.file = labels[i];
      all.rows.push_back(std::move(o));
    }
  }
  return all;
}

void NoteCountStart(Session& s, const CountRules& rules) {
  s.counted.Begin(rules);
  s.counted.commonWordsFile = s.run.strCommonWordsFile;
}

void NoteCountedFile(Session& s, const std::string& path, bool docx, bool utf8) {
  s.counted.AddFile(path, docx, utf8, s.docxPieces);
}

void NoteCountedClipboard(Session& s) { s.counted.SetClipboard(s.run.strClipboardText); }

void NoteCountListed(Session& s) { s.counted.Listed(!s.run.blnInterrupted && !s.run.blnCountIncomplete); }

}  // namespace kwl
