#include "docx.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <string_view>

#include "files/paths.h"
#include "listing/report_text.h"
#include "sources/docx_document.h"
#include "sources/docx_text.h"
#include "sources/input_notices.h"
#include "progress.h"
#include "session.h"
#include "text/cp1252.h"
#include "files/regular_file.h"
#include "files/status.h"
#include "files/run_error.h"
#include "files/temp_cleanup.h"

namespace kwl {
namespace {

std::string WithoutTrailingSlash(const std::string& folder) {
  if (folder.size() > 1 && folder.back() == '/') return folder.substr(0, folder.size() - 1);
  return folder;
}

std::string RemovalFailure(int err) { return std::strerror(err); }

// Removes the private folder around a temporary folder that is gone (see
// CreateTempFolder); one that cannot be removed now goes at exit.
void RemovePrivateFolderOf(const std::string& tempFolder) {
  const std::string parent = WithoutTrailingSlash(FolderPart(WithoutTrailingSlash(tempFolder)));
  if (!tempcleanup::IsRegistered(parent)) return;
  if (::rmdir(parent.c_str()) == 0 || errno == ENOENT) tempcleanup::Forget(parent);
}

}  // namespace

std::string CreateTempFolder(const std::string& prefix) {
  // A private folder first: in a shared temporary folder every fixed name
  // could be taken, or watched, by another user.
  int err = 0;
  PrivateTempFolder privateFolder = PrivateTempFolder::Create(err);
  if (!privateFolder.Made()) return {};
  for (int n = 1; n <= 999; ++n) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03d", n);
    const std::string candidate = privateFolder.Path() + prefix + digits;
    // mkdir fails on any existing name, a dangling link included, so a
    // folder is never shared with another program.
    if (::mkdir(candidate.c_str(), 0700) == 0) {
      // From here on the run removes it (DeleteXMLFile, DeleteTempFolder).
      privateFolder.Release();
      return candidate + "/";
    }
    if (errno != EEXIST) break;
  }
  return {};
}

std::int64_t ExtractXMLFileFromDocXFile(Session& s, const std::string& docxPath, const std::string& folderPrefix,
                                        const DocxSizeLimits& limits) {
  RunState& r = s.run;
  r.strDocxXMLFilepath.clear();
  r.strDocxTempFolder = CreateTempFolder(folderPrefix);
  if (r.strDocxTempFolder.empty()) return -1;

  const DocxBody body = ExtractDocxBody(docxPath, r.strDocxTempFolder, limits.max);
  // The checksum question comes first: the part was written in full.
  if (body.checksumFailed && r.strDocxAgreedPath != docxPath) {
    if (s.Show(DocxChecksumQuestion(docxPath), "", Buttons::YesNo) == Answer::No) {
      DeleteTempFolder(s);
      return -2;
    }
    r.strDocxAgreedPath = docxPath;
  }
  using Kind = Status::Kind;
  switch (body.status.kind) {
    case Kind::kOk:
      break;
    case Kind::kTooBig:
      DeleteTempFolder(s);
      return -4;
    default:
      DeleteTempFolder(s);
      throw DocxBodyError(body.status, docxPath);
  }
  r.strDocxXMLFilepath = body.xmlPath;
  const std::int64_t size = body.size;
  if (size > limits.warn && r.strDocxAgreedPath != docxPath) {
    const Answer answer = s.Show(DocxBigFileQuestion(docxPath), "Big file", Buttons::YesNo, Icon::None, Answer::No);
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
    const std::string& xmlPath = s.run.strDocxXMLFilepath;
    const Status status = ReadWholeFile(xmlPath, text);
    if (status.kind == Status::Kind::kNotRegular) return xmlPath + " is " + status.detail;
    if (!status.Ok()) return RunError::FromStatus(status).Description();
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

namespace {

// The window's part of taking the pieces out: the Stop command with its
// question, the echo of every 20th piece of a large document, the progress
// bar of a long XML text, and the events between the runs.
class PieceProgress : public DocxPieceObserver {
 public:
  PieceProgress(Session& s, std::int64_t xmlSize, std::size_t length)
      : s_(s),
        // A count of several files keeps the text box and its one bar to itself.
        echo_(xmlSize > 1024000 && !s.run.blnCountingFiles),
        bar_(length > 1000000 && !s.run.blnCountingFiles) {}

  bool GoOn() override {
    RunState& r = s_.run;
    if (!r.blnStop) return true;
    if (r.lngSecondsElapsed <= 9) return false;
    if (s_.Show("Many different words have been found.\r\nDo you really wish to stop?", "Stop", Buttons::YesNo) ==
        Answer::Yes)
      return false;
    r.blnStop = false;
    r.blnElapsedTimeRunning = true;
    s_.main.Timer2.SetEnabled(true);
    return true;
  }

  void Piece(const std::string& piece, std::int32_t count, std::int64_t position, std::int64_t length) override {
    MainControls& m = s_.main;
    if (echo_ && !piece.empty() && count % 20 == 0) {
      if (count % 400 == 0) m.txbOutput.Clear();
      m.txbOutput.Append(cp1252::ToUtf8(piece) + "\r\n");
      m.txbOutput.Repaint();
    }
    if (bar_) {
      const std::int64_t p = ProgressBarPosition(position, length, kProgressBarWidth);
      if (p != lastBar_) {
        m.lblTotalNumOccurrences.SetCaption(TextProgressBar(p, kProgressBarWidth));
        m.lblTotalNumOccurrences.Repaint();
        lastBar_ = p;
      }
    }
  }

  void RunDone() override { s_.pump.Yield(); }

 private:
  Session& s_;
  bool echo_;
  bool bar_;
  std::int64_t lastBar_ = -1;
};

}  // namespace

std::int32_t ExtractDelimitedSubstringsXML(Session& s, const std::string& xml, std::int64_t start,
                                           std::vector<std::string>& pieces, std::int64_t& size) {
  PieceProgress progress(s, size, xml.size());
  DocxPieces out = ExtractDocxPieces(xml, start, &progress, s.params.chkUnicodeWords.Value() == 1);
  pieces = std::move(out.pieces);
  size = out.size;
  return out.count;
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

}  // namespace kwl
