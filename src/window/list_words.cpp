#include "list_words.h"

#include <cerrno>
#include <new>
#include <string>

#include "files/paths.h"
#include "files/regular_file.h"
#include "count_run.h"
#include "count/limits.h"
#include "files/run_error.h"
#include "formats.h"
#include "listing/listing_writer.h"
#include "listing/output_file.h"
#include "sources/input_notices.h"
#include "progress.h"
#include "session.h"
#include "shown_text.h"
#include "statistics.h"
#include "text/cp1252.h"

namespace kwl {
namespace {

constexpr const char* kOverwritePrompt =
    "To overwrite the current output file click on 'OK'.\r\n"
    "To write to a different file edit the filepath below.\r\n"
    "To disable output to file click on 'Cancel'.\r\n"
    "\r\n"
    "(This 'warn on overwrite' can be disabled\r\n"
    "in the 'Settings' window.)";

// Moves the collected lines into txbOutput. Lines arrive in blocks so that
// the widget lays out text once per block rather than once per line; a block
// that would take the box past the listing's limit is refused with the
// text-box-full report.
bool Flush(Session& s, std::string& buffer, const char* label) {
  TextBox& box = s.main.txbOutput;
  const auto limit = static_cast<std::size_t>(kMaxListingLength);
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

// Both passes yield to the event loop after every step and end at a stop request.
bool GoOn(Session& s) {
  s.pump.Yield();
  return !s.run.blnStop;
}

class FilePass final : public OutputFileSink {
 public:
  FilePass(Session& s, OutputFile& file) : OutputFileSink(file), s_(s) {}
  bool Continue() override { return GoOn(s_); }

 private:
  Session& s_;
};

// The text-box pass: the heading goes straight into txbOutput, the entries'
// lines (UTF-8) in blocks of 20; each line shows the activity indicator.
// The lines of a Unicode table are UTF-8 already; the others Windows-1252.
class TextBoxPass final : public ListingSink {
 public:
  TextBoxPass(Session& s, const char* blockLabel)
      : s_(s), blockLabel_(blockLabel), utf8_(s.aWords.Unicode()) {}

  void Line(std::string_view text) override {
    s_.main.txbOutput.Append(Shown(text));
    Twirl(0);
  }
  bool Entry(std::string_view text, std::int32_t entry, std::int32_t listed) override {
    buffer_ += Shown(text);
    Twirl(entry);
    if (listed % 20 == 0 && !Flush(s_, buffer_, blockLabel_)) {
      full_ = true;
      return false;
    }
    return true;
  }
  bool Continue() override { return GoOn(s_); }

  // Whether a block was refused with the text-box-full report.
  bool Full() const { return full_; }
  // Moves the last, incomplete block into the box.
  void FlushRest(const char* label) {
    if (!full_ && !buffer_.empty()) Flush(s_, buffer_, label);
  }

 private:
  std::string Shown(std::string_view text) const { return ShownText(utf8_, text); }
  void Twirl(std::int32_t entry) {
    s_.main.lblTwirler.SetCaption(TwirlerText(entry));
    s_.main.lblTwirler.Repaint();
  }

  Session& s_;
  const char* blockLabel_;
  const bool utf8_;
  std::string buffer_;
  bool full_ = false;
};

// Whether the output path names the input file being counted, also under
// another spelling ("./", a link).
bool IsInputFile(const Session& s, const std::string& output) {
  return s.main.optInFile.Value() && SameFile(TrimBlanks(s.main.txbFile[0].Text()), output);
}

// One listing pass in key order, into the output file while it is written
// (file set) or into the text box. A full text box ends the pass at once.
void ListWordsAlphabetically(Session& s, OutputFile* file) {
  TextBox& box = s.main.txbOutput;
  try {
    ListingWriter writer(s.aWords, ListingLayoutFor(s, file != nullptr));
    if (file != nullptr) {
      FilePass pass(s, *file);
      writer.WriteInKeyOrder(pass);
    } else {
      TextBoxPass pass(s, "ListWordsAlphabetically A");
      writer.WriteInKeyOrder(pass);
      if (pass.Full()) return;
      pass.FlushRest("ListWordsAlphabetically B");
    }
  } catch (const std::bad_alloc&) {
    ReportError(s, 7, "Out of memory", "ListWordsAlphabetically C");
  }
  box.SetCaret(0);
  box.Repaint();
}

// One listing pass in frequency order, likewise.
void ListWordsByFrequency(Session& s, OutputFile* file) {
  TextBox& box = s.main.txbOutput;
  try {
    ListingWriter writer(s.aWords, ListingLayoutFor(s, file != nullptr));
    if (file != nullptr) {
      FilePass pass(s, *file);
      writer.WriteInFrequencyOrder(s.run.aFrequencyOrder, pass);
    } else {
      TextBoxPass pass(s, "ListWordsByFrequency A");
      writer.WriteInFrequencyOrder(s.run.aFrequencyOrder, pass);
      pass.FlushRest("ListWordsByFrequency B");
    }
  } catch (const std::bad_alloc&) {
    ReportError(s, 7, "Out of memory", "ListWordsByFrequency C");
  }
  s.main.lblTwirler.SetCaption(" ");
  box.SetCaret(0);
  box.Repaint();
}

}  // namespace


void CheckOutputWritable(const std::string& path) {
  const Status status = CheckOutputReplaceable(path);
  if (!status.Ok()) throw RunError::FromOutputStatus(status);
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
      s.Warn(std::string(kOutputIsInputText), s.Text(34));
      return;
    }

    if (r.blnWritingToFile) {
      box.SetText("Now processing and writing to output file ...");
      box.Repaint();
      try {
        OutputFile file;
        if (const Status opened = file.Open(m.txbFile[1].Text()); !opened.Ok()) throw RunError::FromOutputStatus(opened);
        if (m.cboWordOrder.ListIndex() == 1) {
          ListWordsAlphabetically(s, &file);
        } else {
          ListWordsByFrequency(s, &file);
        }
        // A stopped listing leaves the earlier output file as it was.
        if (!r.blnStop) {
          if (const Status committed = file.Commit(); !committed.Ok()) throw RunError::FromOutputStatus(committed);
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

    if (m.cboWordOrder.ListIndex() == 1) {
      ListWordsAlphabetically(s, nullptr);
    } else {
      ListWordsByFrequency(s, nullptr);
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
