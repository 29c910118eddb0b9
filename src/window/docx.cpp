#include "docx.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string_view>

#include "files/paths.h"
#include "text/utf8_repair.h"
#include "sources/zip_entry.h"
#include "progress.h"
#include "session.h"
#include "text/cp1252.h"
#include "files/regular_file.h"
#include "files/run_error.h"
#include "files/temp_cleanup.h"

namespace kwl {
namespace {

constexpr std::string_view kBodyPart = "word/document.xml";

// Error numbers of a package that cannot be read: the body part is missing
// ("File not found"), or the package is no readable zip file ("Invalid file
// format").
constexpr int kNoBodyPartError = 53;
constexpr int kBadPackageError = 321;

std::string WithoutTrailingSlash(const std::string& folder) {
  if (folder.size() > 1 && folder.back() == '/') return folder.substr(0, folder.size() - 1);
  return folder;
}

// Every "from" replaced by "to" in one pass from left to right; the
// replacement text is not searched again.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::size_t hit = text.find(from);
  if (hit == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (hit != std::string_view::npos) {
    out.append(text.substr(pos, hit - pos));
    out.append(to);
    pos = hit + from.size();
    hit = text.find(from, pos);
  }
  out.append(text.substr(pos));
  return out;
}

std::string ReadWholeFile(const std::string& path) {
  ReadRefusal why;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(OpenRegularFileStream(path, why), &std::fclose);
  if (!f && why.error != 0) throw RunError::FromErrno(why.error);
  // 75 is the program's "Path/File access error".
  if (!f) throw RunError(75, path + " is " + std::string(why.Kind()));
  std::string text;
  char buffer[65536];
  while (true) {
    const std::size_t n = std::fread(buffer, 1, sizeof buffer, f.get());
    text.append(buffer, n);
    if (n < sizeof buffer) break;
  }
  if (std::ferror(f.get())) throw RunError::FromErrno(errno != 0 ? errno : EIO);
  return text;
}

std::string RemovalFailure(int err) { return std::strerror(err); }

// Removes the private folder around a temporary folder that is gone (see
// CreateTempFolder); one that cannot be removed now goes at exit.
void RemovePrivateFolderOf(const std::string& tempFolder) {
  const std::string parent = WithoutTrailingSlash(FolderPart(WithoutTrailingSlash(tempFolder)));
  if (!tempcleanup::IsRegistered(parent)) return;
  if (::rmdir(parent.c_str()) == 0 || errno == ENOENT) tempcleanup::Forget(parent);
}

// The piece of one text run: the run's content after its start tag, a blank
// for an empty run, the three entities replaced in order, UTF-8 repaired.
std::string MakePiece(std::string_view raw) {
  const auto gt = raw.find('>');
  if (gt != std::string_view::npos) raw.remove_prefix(gt + 1);
  if (raw.find_first_not_of(' ') == std::string_view::npos) return " ";
  std::string piece = ReplaceAll(raw, "&amp;", "&");
  piece = ReplaceAll(piece, "&lt;", "<");
  piece = ReplaceAll(piece, "&gt;", ">");
  return ReplaceUtf8Punctuation(DecodeUtf8Line(piece));
}

}  // namespace

std::string CreateTempFolder(const std::string& prefix) {
  const char* tmp = std::getenv("TMPDIR");
  const std::string base = (tmp != nullptr && *tmp != '\0') ? tmp : "/tmp";
  // A private folder first: in a shared temporary folder every fixed name
  // could be taken, or watched, by another user. mkdtemp makes it with mode
  // 0700 under a name nobody can predict.
  std::string privateFolder = JoinPath(base, "kestrawl-XXXXXX");
  if (::mkdtemp(privateFolder.data()) == nullptr) return {};
  // Removed on a signal and at exit should the run not get to remove it.
  if (!tempcleanup::Register(privateFolder)) {
    ::rmdir(privateFolder.c_str());
    return {};
  }
  for (int n = 1; n <= 999; ++n) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03d", n);
    const std::string candidate = JoinPath(privateFolder, prefix + digits);
    // mkdir fails on any existing name, a dangling link included, so a
    // folder is never shared with another program.
    if (::mkdir(candidate.c_str(), 0700) == 0) return candidate + "/";
    if (errno != EEXIST) break;
  }
  tempcleanup::Forget(privateFolder);
  ::rmdir(privateFolder.c_str());
  return {};
}

std::int64_t ExtractXMLFileFromDocXFile(Session& s, const std::string& docxPath, const std::string& folderPrefix) {
  RunState& r = s.run;
  r.strDocxXMLFilepath.clear();
  r.strDocxTempFolder = CreateTempFolder(folderPrefix);
  if (r.strDocxTempFolder.empty()) return -1;

  const zipentry::ExtractResult result =
      zipentry::ExtractEntry(docxPath, std::string(kBodyPart), r.strDocxTempFolder, r.lngDocxMaxSize);
  switch (result.status) {
    case zipentry::kOk:
      break;
    case zipentry::kChecksumFailed:
      if (r.strDocxAgreedPath == docxPath) break;
      if (s.Show("Invalid checksum found when processing\r\n" + docxPath + "\r\n\r\nDo you wish to scan this file anyway?",
                 "", Buttons::YesNo) == Answer::No) {
        DeleteTempFolder(s);
        return -2;
      }
      r.strDocxAgreedPath = docxPath;
      break;
    case zipentry::kTooBig:
      DeleteTempFolder(s);
      return -4;
    case zipentry::kWriteFailed: {
      DeleteTempFolder(s);
      const RunError e = RunError::FromErrno(result.systemError != 0 ? result.systemError : EIO);
      throw RunError(e.Number(), e.Description() + " when extracting " + std::string(kBodyPart) + " from " + docxPath);
    }
    case zipentry::kEntryMissing:
      DeleteTempFolder(s);
      throw RunError(kNoBodyPartError, "The file " + docxPath + " has no document text (" + std::string(kBodyPart) +
                                           " is missing): it is not a 'docx' document.");
    default:
      DeleteTempFolder(s);
      throw RunError(kBadPackageError,
                     "The file " + docxPath + " cannot be read as a 'docx' package: " + result.description + ".");
  }

  r.strDocxXMLFilepath = r.strDocxTempFolder + std::string(kBodyPart);
  const std::int64_t size = FileLength(r.strDocxXMLFilepath);
  if (size < 0) {
    DeleteTempFolder(s);
    throw RunError(kNoBodyPartError, "File not found: " + std::string(kBodyPart));
  }
  if (size > r.lngDocxMaxSize) {
    DeleteTempFolder(s);
    return -4;
  }
  if (size > r.lngDocxWarnSize && r.strDocxAgreedPath != docxPath) {
    const Answer answer = s.Show(docxPath + "\r\nis rather large.  It may take awhile to scan.\r\nDo you wish to continue?",
                                 "Big file", Buttons::YesNo, Icon::None, Answer::No);
    if (answer == Answer::No) {
      s.Show("You could try saving it as a text file\r\nand applying this program to that file.", "Big file");
      DeleteTempFolder(s);
      return -5;
    }
    r.strDocxAgreedPath = docxPath;
  }
  return size;
}

std::string GetLineFromXMLFile(Session& s, bool reportDeleteFailures, std::string& text, std::int64_t& size,
                               bool keepPieces, bool keepFolder) {
  try {
    text = ReadWholeFile(s.run.strDocxXMLFilepath);
    DeleteXMLFile(s, reportDeleteFailures, keepFolder);
    ExtractDelimitedSubstringsXML(s, text, 1, s.docxPieces, size);
    if (!s.run.blnStop) {
      if (keepPieces) {
        text.clear();
      } else {
        text.clear();
        for (const std::string& piece : s.docxPieces) text += piece;
        s.docxPieces.assign(1, std::string());
      }
    }
    return {};
  } catch (const RunError& e) {
    return e.Description();
  } catch (const std::bad_alloc&) {
    return "Out of memory";
  }
}

std::int32_t ExtractDelimitedSubstringsXML(Session& s, const std::string& xml, std::int64_t start,
                                           std::vector<std::string>& pieces, std::int64_t& size) {
  constexpr std::string_view kRunStart = "<w:t";
  constexpr std::string_view kRunEnd = "</w:t>";
  constexpr std::size_t npos = std::string::npos;
  RunState& r = s.run;
  MainControls& m = s.main;

  pieces.assign(1, std::string());
  std::int32_t count = 0;
  const bool echo = size > 1024000;
  size = 0;
  const std::size_t length = xml.size();
  const bool bar = length > 1000000;
  std::int64_t lastBar = -1;

  // Each search starts where the last one ended, and the end tag and the
  // next start tag are remembered, so the text is walked once.
  std::size_t a = start > 0 ? static_cast<std::size_t>(start - 1) : 0;
  std::size_t end = npos;
  bool endKnown = false;
  std::size_t nextStart = npos;
  std::size_t nextStartFrom = npos;

  while (a < length) {
    const std::size_t d = (nextStartFrom == a) ? nextStart : xml.find(kRunStart, a);
    if (d == npos) return count;
    if (r.blnStop) {
      if (r.lngSecondsElapsed <= 9) return 0;
      if (s.Show("Many different words have been found.\r\nDo you really wish to stop?", "Stop", Buttons::YesNo) ==
          Answer::Yes)
        return 0;
      r.blnStop = false;
      r.blnElapsedTimeRunning = true;
      m.Timer2.SetEnabled(true);
    }
    if (!endKnown || (end != npos && end < a)) {
      end = xml.find(kRunEnd, a);
      endKnown = true;
    }
    if (end == npos || end < d) return count;

    // "<w:tab/>", "<w:tbl>", "<w:tc>" ...: another element, not a text run.
    const char after = d + 4 < length ? xml[d + 4] : '\0';
    if (after != '>' && after != ' ') {
      a = d + 4;
      continue;
    }

    const std::size_t e = end;
    if (d + 4 < e) {
      std::string raw = xml.substr(d + 4, e - (d + 4));
      // A line break or paragraph end before the next run keeps the words
      // on its two sides apart.
      const std::size_t following = e + kRunEnd.size();
      nextStart = xml.find(kRunStart, following);
      nextStartFrom = following;
      if (nextStart != npos) {
        const std::string_view between(xml.data() + following, nextStart - following);
        if (between.find("<w:br/>") != npos || between.find("</w:p>") != npos) raw += ' ';
      }
      std::string piece = MakePiece(raw);
      size += static_cast<std::int64_t>(piece.size());
      ++count;
      if (echo && !piece.empty() && count % 20 == 0) {
        if (count % 400 == 0) m.txbOutput.Clear();
        m.txbOutput.Append(cp1252::ToUtf8(piece) + "\r\n");
        m.txbOutput.Repaint();
      }
      if (count == 1) {
        pieces[0] = std::move(piece);
      } else {
        pieces.push_back(std::move(piece));
      }
      if (bar) {
        const std::int64_t p = ProgressPosition(static_cast<std::int64_t>(a + 1), static_cast<std::int64_t>(length),
                                                r.intProgressBarWidth);
        if (p != lastBar) {
          m.lblTotalNumOccurrences.SetCaption(ProgressBarText(p, r.intProgressBarWidth));
          m.lblTotalNumOccurrences.Repaint();
          lastBar = p;
        }
      }
    }
    a = e + kRunEnd.size();
    s.pump.Yield();
  }
  return count;
}

void DeleteXMLFile(Session& s, bool reportFailures, bool keepFolder) {
  RunState& r = s.run;
  if (!r.strDocxXMLFilepath.empty()) {
    ::chmod(r.strDocxXMLFilepath.c_str(), S_IRUSR | S_IWUSR);
    if (::unlink(r.strDocxXMLFilepath.c_str()) != 0 && errno != ENOENT && reportFailures)
      s.Show("Error when attempting to delete " + r.strDocxXMLFilepath, "Error", Buttons::Ok, Icon::Warning);
  }
  if (r.strDocxTempFolder.empty()) return;
  const std::string word = r.strDocxTempFolder + "word";
  if (::rmdir(word.c_str()) != 0) {
    const int err = errno;
    if (err != ENOENT && reportFailures)
      s.Show(RemovalFailure(err) + " when attempting to delete folder " + word, "Error", Buttons::Ok, Icon::Warning);
  }
  if (keepFolder) return;
  if (::rmdir(WithoutTrailingSlash(r.strDocxTempFolder).c_str()) != 0) {
    const int err = errno;
    if (err != ENOENT) {
      if (reportFailures)
        s.Show(RemovalFailure(err) + " when attempting to delete folder " + r.strDocxTempFolder, "Error", Buttons::Ok,
               Icon::Warning);
      return;
    }
  }
  RemovePrivateFolderOf(r.strDocxTempFolder);
  r.strDocxTempFolder.clear();
}

bool DeleteTempFolder(Session& s) {
  RunState& r = s.run;
  if (r.strDocxTempFolder.empty()) return true;
  namespace fs = std::filesystem;
  const fs::path folder = WithoutTrailingSlash(r.strDocxTempFolder);
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(folder, ec))) {
    RemovePrivateFolderOf(r.strDocxTempFolder);
    r.strDocxTempFolder.clear();
    return true;
  }
  // Folders made read-only would keep their contents: give them back to the owner first.
  if (fs::is_directory(fs::symlink_status(folder, ec))) {
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add | fs::perm_options::nofollow, ec);
    for (auto it = fs::recursive_directory_iterator(folder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
      if (it->is_directory(ec) && !it->is_symlink(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add | fs::perm_options::nofollow, ec);
  }
  ec.clear();
  fs::remove_all(folder, ec);
  if (ec) return false;
  RemovePrivateFolderOf(r.strDocxTempFolder);
  r.strDocxTempFolder.clear();
  return true;
}

void WriteDocxPieces(const std::vector<std::string>& pieces, const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!f) throw RunError::FromErrno(errno);
  for (const std::string& piece : pieces) {
    std::fwrite(piece.data(), 1, piece.size(), f.get());
    const auto last = piece.find_last_not_of(' ');
    if (last != std::string::npos && piece[last] == '.') std::fwrite("\r\n", 1, 2, f.get());
  }
  if (std::ferror(f.get())) throw RunError::FromErrno(errno != 0 ? errno : EIO);
  std::FILE* raw = f.release();
  if (std::fclose(raw) != 0) throw RunError::FromErrno(errno);
}

}  // namespace kwl
