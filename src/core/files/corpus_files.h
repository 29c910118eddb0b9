#pragma once
// The files of a count of many files: files named one by one and folders,
// whose files are taken by their names (the text-like extensions and docx,
// or patterns of the user's), in name order.
//
// Walking a folder never hangs and never stops at the first bad entry: a
// folder that cannot be read, a link that leads back into a folder already
// walked or to nothing, a named pipe, a device or a socket is passed over
// and noted with the reason, and the walk goes on. Whether a file can be
// counted (empty, binary, unreadable) is for the count to say when it
// opens it.
#include <string>
#include <vector>

#include "files/status.h"

namespace kwl {

struct CorpusChoice {
  // Sub-folders of a folder too (the window always; the command line with -r).
  bool recursive = true;
  // Name patterns a folder's file must match, in the shell's glob syntax
  // ("*.txt", "ch??.htm"), matched against the file's name, ignoring case.
  // Empty: the text-like extensions and docx (IsCorpusFileName).
  std::vector<std::string> include;
};

// A path passed over, and why: kNotFound, kOpenFailed (err: a folder that
// cannot be read), kNotRegular (detail: "a named pipe", "a device", "a
// socket", "a link that leads back into a folder already walked", "a link
// to nothing").
struct SkippedPath {
  std::string path;
  Status status;
};

struct CorpusFiles {
  // Regular files (links followed), each once, in name order: ascending
  // byte order of their full paths as given or found, so a folder's files
  // come in the order of their names, sub-folders' files by the sub-folder's
  // name.
  std::vector<std::string> files;
  std::vector<SkippedPath> skipped;  // in the order met
};

// The files of paths: a path naming a file is taken whatever its name (the
// user chose it); a folder contributes the files choice accepts.
CorpusFiles ListCorpusFiles(const std::vector<std::string>& paths, const CorpusChoice& choice);

// A name the text-like extensions or "docx" end, ignoring case.
bool IsCorpusFileName(const std::string& name);

// One line for a skipped path: "<path>: <why>".
std::string SkippedPathText(const SkippedPath& skipped);

}  // namespace kwl
