#include "files/corpus_files.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <set>
#include <utility>

#include "files/paths.h"
#include "files/regular_file.h"
#include "sources/encoding.h"

namespace kwl {
namespace {

using FileId = std::pair<dev_t, ino_t>;

class Walk {
 public:
  explicit Walk(const CorpusChoice& choice) : choice_(choice) {}

  // A path the user named: a file whatever its name, a folder walked.
  void Named(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
      const int err = errno;
      const bool dangling = err == ENOENT && IsLink(path);
      Skip(path, dangling ? Status::Kind::kNotRegular : Status::Kind::kNotFound, err, dangling ? "a link to nothing" : "");
      return;
    }
    if (S_ISDIR(st.st_mode)) {
      if (!walked_.contains(FileId{st.st_dev, st.st_ino})) Folder(path, st);  // a folder named twice: once
    } else if (S_ISREG(st.st_mode)) {
      Take(path, st);
    } else {
      Skip(path, Status::Kind::kNotRegular, 0, std::string(SpecialFileKind(st.st_mode)));
    }
  }

  CorpusFiles Result() {
    std::sort(found_.begin(), found_.end());
    CorpusFiles result;
    std::set<FileId> seen;
    for (auto& [path, id] : found_)
      if (seen.insert(id).second) result.files.push_back(std::move(path));
    result.skipped = std::move(skipped_);
    return result;
  }

 private:
  static bool IsLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  }

  void Skip(const std::string& path, Status::Kind kind, int err, std::string detail) {
    skipped_.push_back(SkippedPath{path, Status::Failure(kind, err, path, std::move(detail))});
  }

  void Take(const std::string& path, const struct stat& st) { found_.emplace_back(path, FileId{st.st_dev, st.st_ino}); }

  bool Wanted(const std::string& name) const {
    if (choice_.include.empty()) return IsCorpusFileName(name);
    return std::any_of(choice_.include.begin(), choice_.include.end(), [&](const std::string& pattern) {
      return ::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
    });
  }

  // The folder's entries; a folder met before (through a link, or named
  // twice) is not walked again, so no link can make the walk go round.
  void Folder(const std::string& path, const struct stat& st) {
    if (!walked_.insert(FileId{st.st_dev, st.st_ino}).second) {
      Skip(path, Status::Kind::kNotRegular, ELOOP, "a link that leads back into a folder already walked");
      return;
    }
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path.c_str()), ::closedir);
    if (!dir) {
      Skip(path, Status::Kind::kOpenFailed, errno, "");
      return;
    }
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
      const std::string name = entry->d_name;
      // Hidden entries (and "." and "..") are no part of a folder's texts.
      if (!name.empty() && name[0] != '.') names.push_back(name);
      errno = 0;
    }
    if (errno != 0) Skip(path, Status::Kind::kReadFailed, errno, "");
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) Entry(JoinPath(path, name), name);
  }

  void Entry(const std::string& path, const std::string& name) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
      // A link to nothing, or an entry gone since the folder was read.
      const int err = errno;
      if (!Wanted(name)) return;
      if (IsLink(path)) {
        Skip(path, Status::Kind::kNotRegular, err, "a link to nothing");
      } else {
        Skip(path, Status::Kind::kNotFound, err, "");
      }
      return;
    }
    if (S_ISDIR(st.st_mode)) {
      if (choice_.recursive) Folder(path, st);
      return;
    }
    if (!Wanted(name)) return;
    if (S_ISREG(st.st_mode)) {
      Take(path, st);
    } else {
      Skip(path, Status::Kind::kNotRegular, 0, std::string(SpecialFileKind(st.st_mode)));
    }
  }

  const CorpusChoice& choice_;
  std::vector<std::pair<std::string, FileId>> found_;
  std::vector<SkippedPath> skipped_;
  std::set<FileId> walked_;
};

}  // namespace

bool IsCorpusFileName(const std::string& name) {
  const std::string ext = Extension(name);
  return ext == "docx" || ext == "php" || IsTextLikeExtension(name);
}

CorpusFiles ListCorpusFiles(const std::vector<std::string>& paths, const CorpusChoice& choice) {
  Walk walk(choice);
  for (const std::string& path : paths) walk.Named(path);
  return walk.Result();
}

std::string SkippedPathText(const SkippedPath& skipped) {
  std::string why;
  switch (skipped.status.kind) {
    case Status::Kind::kNotFound:
      why = "not found";
      break;
    case Status::Kind::kOpenFailed:
      why = "cannot be opened";
      break;
    case Status::Kind::kReadFailed:
      why = "cannot be read to its end";
      break;
    case Status::Kind::kNotRegular:
      why = skipped.status.detail.empty() ? "not a file" : "is " + skipped.status.detail;
      break;
    default:
      why = "cannot be counted";
      break;
  }
  if (skipped.status.err != 0 && skipped.status.kind != Status::Kind::kNotRegular)
    why += " (" + std::string(std::strerror(skipped.status.err)) + ")";
  return skipped.path + ": " + why;
}

}  // namespace kwl
