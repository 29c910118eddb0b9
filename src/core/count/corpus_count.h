#pragma once
// A corpus: many files counted as one text, in the order given (name order).
//
// Each file is opened by the caller's opener, which makes its checks, decides
// its questions and either hands back the file's lines as a LineSource or
// refuses the file; a refused file is skipped and the count goes on. Every
// file starts outside any comment and with the comment markers of its own
// kind of text; a word counts each file it occurs in once
// (WordTable::TrackFiles).
//
// On one thread the files are read one after the other into the caller's
// counter. On N threads each file is opened and read on a thread of a small
// pool with a counter of its own, and the calling thread adds the files'
// tables to the caller's counter in the files' order (StartFile, then
// Absorb): the table, its found order, the totals and the files of every word
// are those of the count on one thread. At most N files' tables exist at a
// time (being counted or waiting to be added), so memory stays bounded
// however many files there are.
//
// The observer is called on the calling thread only, and each file's messages
// reach it in the files' order whatever the number of threads.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "count/counter.h"
#include "count/line_source.h"
#include "files/status.h"
#include "scan/markup.h"

namespace kwl {

// What the user is told about a file: a title and a text whose lines are
// separated by CR LF, as a message box shows them.
struct FileMessage {
  std::string title;
  std::string text;
  bool operator==(const FileMessage&) const = default;
};

// A file of a corpus, opened for its count, or refused.
struct OpenedFile {
  std::unique_ptr<LineSource> source;   // null: the file is refused and skipped
  scan::MarkupKind markup{"", false};   // its comment markers and entities
  std::vector<FileMessage> messages;    // what opening it told, in order (a refusal last)
};

// Opens one file (its full path). Called on the pool's threads when the count
// runs on several, so it must be safe to call on several files at once.
using CorpusFileOpener = std::function<OpenedFile(const std::string& path)>;

class CorpusObserver : public CountObserver {
 public:
  // Before file `index` (0-based) of the list is added to the count: what
  // opening it told; skipped when it was refused.
  virtual void FileOpened(std::size_t /*index*/, const std::string& /*path*/,
                          const std::vector<FileMessage>& /*messages*/, bool /*skipped*/) {}
};

struct CorpusTally {
  // Ok: every file was counted or skipped. kStopped after a confirmed stop.
  // Otherwise the failure that ended the reading of file failedFile (its
  // words are then partly counted: the count is incomplete).
  Status status;
  std::int32_t filesCounted = 0;
  std::int32_t filesSkipped = 0;
  std::string failedFile;
};

// Counts files into counter, which the caller has started with the rules of
// the count (Counter::Start, then TrackFiles() when wanted), on `threads`
// threads (1 or fewer: on the calling thread alone; never more threads than
// files). Progress() reports the bytes of the whole list (FileLength of each
// file) done of their total.
CorpusTally CountCorpus(Counter& counter, const std::vector<std::string>& files, const CorpusFileOpener& open,
                        CorpusObserver& observer, int threads);

// Sets a counter's comment markers and entity decoding for the next file.
void SetMarkup(Counter& counter, scan::MarkupKind markup);

}  // namespace kwl
