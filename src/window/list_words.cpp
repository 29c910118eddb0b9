#include "list_words.h"

#include <filesystem>
#include <new>
#include <string>

#include "files/paths.h"
#include "formats.h"
#include "listing/output_file.h"
#include "statistics.h"
#include "count_run.h"
#include "session.h"
#include "text/cp1252.h"
#include "files/run_error.h"

namespace kwl {
namespace {

constexpr const char* kOverwritePrompt =
    "To overwrite the current output file click on 'OK'.\r\n"
    "To write to a different file edit the filepath below.\r\n"
    "To disable output to file click on 'Cancel'.\r\n"
    "\r\n"
    "(This 'warn on overwrite' can be disabled\r\n"
    "in the 'Settings' window.)";

// Moves the collected lines into txbOutput. Every assignment to the text box
// copies its whole text, which is why lines arrive in blocks; a block that
// would take the box past its limit is refused with the text-box-full report.
bool Flush(Session& s, std::string& buffer, const char* label) {
  TextBox& box = s.main.txbOutput;
  const auto limit = static_cast<std::size_t>(s.run.lngMaxTextLength);
  if (box.Length() + cp1252::Utf8Length(buffer) > limit) {
    ReportError(s, -6, s.Text(27), label);
    s.main.lblTwirler.SetCaption(" ");
    box.SetCaret(0);
    box.Repaint();
    return false;
  }
  box.Append(buffer);
  box.SetCaret(0);
  buffer.clear();
  return true;
}

bool WriteFailed(const ListingPass& pass) { return pass.file != nullptr && pass.file->Failed(); }

// Whether the output path names the input file being counted, also under
// another spelling ("./", a link).
bool IsInputFile(const Session& s, const std::string& output) {
  if (!s.main.optInFile.Value()) return false;
  const std::string input = TrimBlanks(s.main.txbFile[0].Text());
  if (input.empty()) return false;
  std::error_code ec;
  return input == output || std::filesystem::equivalent(input, output, ec);
}

}  // namespace

void ListWordsAlphabetically(Session& s, ListingPass& pass) {
  TextBox& box = s.main.txbOutput;
  try {
    SetColumnWidths(s, pass);
    const bool toBox = pass.file == nullptr;
    std::string buffer;
    std::int32_t listed = 0;
    for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) {
      if (s.aWords[i].blnIncluded) {
        DisplayNextLine(s, pass, i, buffer);
        ++listed;
        if (toBox && listed % 20 == 0 && !Flush(s, buffer, "ListWordsAlphabetically A")) return;
        // A failed write ends the pass; closing the file reports it.
        if (WriteFailed(pass)) break;
      }
      s.pump.Yield();
      if (s.run.blnStop) break;
    }
    if (toBox && !buffer.empty()) Flush(s, buffer, "ListWordsAlphabetically B");
  } catch (const std::bad_alloc&) {
    ReportError(s, 7, "Out of memory", "ListWordsAlphabetically C");
  }
  box.SetCaret(0);
  box.Repaint();
}

void ListWordsByFrequency(Session& s, ListingPass& pass) {
  TextBox& box = s.main.txbOutput;
  try {
    SetColumnWidths(s, pass);
    const bool toBox = pass.file == nullptr;
    std::string buffer;
    std::int32_t e = s.run.lngFirstFreq;
    bool full = false;
    for (std::int32_t n = 1; n <= s.run.lngNumWordsIncluded; ++n) {
      // The chain ends early only when the counts changed after the ordering.
      if (e < 1 || e > s.aWords.NumWords()) break;
      DisplayNextLine(s, pass, e, buffer);
      if (toBox && n % 20 == 0 && !Flush(s, buffer, "ListWordsByFrequency A")) {
        full = true;
        break;
      }
      if (WriteFailed(pass)) break;
      e = s.aWords[e].lngNextByFreq;
      s.pump.Yield();
      if (s.run.blnStop) break;
    }
    if (toBox && !full && !buffer.empty()) Flush(s, buffer, "ListWordsByFrequency B");
  } catch (const std::bad_alloc&) {
    ReportError(s, 7, "Out of memory", "ListWordsByFrequency C");
  }
  s.main.lblTwirler.SetCaption(" ");
  box.SetCaret(0);
  box.Repaint();
}

void ListWords(Session& s) {
  RunState& r = s.run;
  MainControls& m = s.main;
  TextBox& box = m.txbOutput;
  r.blnOutputFileWritten = false;
  // A stop request belongs to the listing that was running when it was made;
  // without this a re-listing after a stopped one would end at its first entry.
  r.blnStop = false;

  if (r.lngNumWordsIncluded == 0) {
    box.Clear();
    ReportNoWords(s);
  } else {
    r.blnWritingToFile = !m.txbFile[1].Text().empty() && m.chkDisableOutputToFile.Value() != 1;
    if (r.blnCountIncomplete && !r.blnListIncompleteCount) {
      box.Clear();
      return;
    }

    if (r.blnWritingToFile && s.params.chkWarnOnOverwrite.Value() == 1 && FileExists(m.txbFile[1].Text())) {
      box.Clear();
      const std::string answer = s.platform.InputBox(kOverwritePrompt, "The output file exists.", m.txbFile[1].Text());
      if (answer.empty()) {
        m.chkDisableOutputToFile.SetValue(1);
        r.blnWritingToFile = false;
      } else {
        // Paths keep their case: on this system another case names another file.
        const std::string path = TrimBlanks(answer);
        // A bare file name names a file of the working folder, which exists.
        const std::string folder = FolderPart(path);
        if (!folder.empty() && !FolderExists(folder)) {
          r.blnWritingToFile = false;
          s.Warn("Folder does not exist.", s.Text(34));
          return;
        }
        m.txbFile[1].SetText(path);
      }
    }

    // The list never replaces the text it was counted from.
    if (r.blnWritingToFile && IsInputFile(s, m.txbFile[1].Text())) {
      r.blnWritingToFile = false;
      s.Warn("Output file cannot be the same as the input file.", s.Text(34));
      return;
    }

    if (r.blnWritingToFile) {
      box.SetText("Now processing and writing to output file ...");
      box.Repaint();
      try {
        OutputFile file;
        file.Open(m.txbFile[1].Text());
        file.WriteLine(std::string("\"To open this file in Excel state that it is delimited by ") +
                       (s.params.chkOutputWithCommas.Value() == 1 ? "commas." : "spaces."));
        file.WriteLine("\"Set File Origin: Windows (ANSI) & Text qualifier: double-quote.");
        file.WriteLine("");
        ListingPass pass;
        pass.file = &file;
        if (m.cboWordOrder.ListIndex() == 1) {
          ListWordsAlphabetically(s, pass);
        } else {
          ListWordsByFrequency(s, pass);
        }
        // A stopped listing leaves the earlier output file as it was.
        if (!r.blnStop) {
          file.Commit();
          r.blnOutputFileWritten = true;
        }
      } catch (const RunError& e) {
        r.blnWritingToFile = false;
        ReportError(s, e.Number(), e.Description(), "ListWords");
        return;
      } catch (const std::bad_alloc&) {
        r.blnWritingToFile = false;
        ReportError(s, 7, "Out of memory", "ListWords");
        return;
      }
    }

    r.blnWritingToFile = false;
    box.Clear();
    box.Repaint();
    if (r.blnStop) {
      box.SetText("Output to file was terminated.\r\n");
      return;
    }

    ListingPass pass;
    if (m.cboWordOrder.ListIndex() == 1) {
      ListWordsAlphabetically(s, pass);
    } else {
      ListWordsByFrequency(s, pass);
    }
    if (r.blnStop) {
      box.Append("\r\nListing stopped.\r\n");
      box.SetCaretToEnd();
      return;
    }
  }

  if (box.Length() > 2 && DisplayFormat(s) == 9) {
    std::string text = box.Text();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, ", ") == 0) text.resize(text.size() - 2);
    box.SetText(text + "\r\n");
  }
}

}  // namespace kwl
