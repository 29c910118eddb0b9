#pragma once
// What a count read and the rules it read it with, kept so that the words of
// its list can be found again in their places: the files with the state
// they had when they were counted (a DOCX document's text pieces too), or
// the clipboard text, and copies of the word lists in force.
#include <string>
#include <vector>

#include "count/common_words_list.h"
#include "count/count_rules.h"
#include "count/ignore_list.h"
#include "inspect/occurrences.h"

namespace kwl {
struct Session;

struct CountedFile {
  std::string path;
  bool docx = false;
  bool utf8 = false;                     // the encoding the count read it in
  SourceStamp stamp;                     // size and time when it was counted
  std::vector<std::string> docxPieces;   // a DOCX document's text as counted
};

class CountedSource {
 public:
  CountedSource() = default;
  // The rules point into this object's own lists.
  CountedSource(const CountedSource&) = delete;
  CountedSource& operator=(const CountedSource&) = delete;

  // A count begins with rules: the record is emptied and the rules and their
  // lists copied (the lists the window holds may change after the count).
  void Begin(const CountRules& rules);
  // The count read this file (before reading it) or the clipboard text.
  void AddFile(const std::string& path, bool docx, bool utf8, const std::vector<std::string>& docxPieces);
  void SetClipboard(const std::string& utf8Text) { clipboard_ = true; clipboardText_ = utf8Text; }
  // The count was listed; whole is false when it stopped before the end of
  // its text or could not read it to its end.
  void Listed(bool whole) { listed_ = true; whole_ = whole; }

  bool IsListed() const { return listed_; }
  bool IsWhole() const { return whole_; }
  bool IsClipboard() const { return clipboard_; }
  const std::vector<CountedFile>& Files() const { return files_; }
  const std::string& ClipboardText() const { return clipboardText_; }
  // The common-words file in force, named by explanations.
  std::string commonWordsFile;

  // The rules of the count, for one of its files (its markup) or the
  // clipboard (none), with the count's lists.
  CountRules RulesFor(const CountedFile* file) const;
  // The rules of the count with no file's markup (explanations).
  CountRules Rules() const { return RulesFor(nullptr); }

  // Every occurrence of entry in what was counted, in the order of the text,
  // each file searched in turn (the file column set when there are
  // several). Rules applied to the finished list are left to the caller,
  // who knows the list. A file changed since the count, or one that cannot
  // be read again, ends the search with its status and no rows.
  OccurrenceSearch Search(const std::string& entry) const;

 private:
  CountRules rules_;
  IgnoreList wordsToIgnore_;
  CommonWordsList commonWords_;
  bool commonWordsInForce_ = false;
  std::vector<CountedFile> files_;
  bool clipboard_ = false;
  std::string clipboardText_;
  bool listed_ = false;
  bool whole_ = false;
};

// The count's notes, called by the count run and its sources.
void NoteCountStart(Session& s, const CountRules& rules);
void NoteCountedFile(Session& s, const std::string& path, bool docx, bool utf8);
void NoteCountedClipboard(Session& s);
void NoteCountListed(Session& s);

}  // namespace kwl
