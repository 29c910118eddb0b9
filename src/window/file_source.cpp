#include "file_source.h"

#include <memory>
#include <new>
#include <string_view>

#include "docx.h"
#include "sources/docx_text.h"
#include "sources/encoding.h"
#include "sources/input_notices.h"
#include "sources/text_file_source.h"
#include "files/paths.h"
#include "files/regular_file.h"
#include "text_file.h"
#include "count_run.h"
#include "file_choice.h"
#include "progress.h"
#include "session.h"
#include "window_state.h"
#include "word_filters.h"
#include "word_intake.h"
#include "files/run_error.h"

namespace kwl {
namespace {

constexpr const char* kProcedure = "DoItFromFile";
// Above this size the user is advised to name an output file first.
constexpr std::int64_t kLargeInputSize = 204800;
// Inputs above this size get the progress bar.
constexpr std::int64_t kProgressBarMinSize = 10240;

void ShowOutput(MainControls& m, const std::string& text) {
  m.txbOutput.SetText(text);
  m.txbOutput.Repaint();
}

// Runs one step of the scan; a failure is reported and the scan goes on.
// False when the step failed.
template <typename Step>
bool Guarded(Session& s, Step&& step) {
  try {
    step();
    return true;
  } catch (const RunError& e) {
    ReportError(s, e.Number(), e.Description(), kProcedure);
  } catch (const std::bad_alloc&) {
    ReportError(s, 7, "Out of memory", kProcedure);
  } catch (const std::exception& e) {
    ReportError(s, 51, e.what(), kProcedure);  // 51: the program's "Internal error"
  }
  return false;
}

// A source that could not be opened or read on, or a line that could not be
// counted: reported as the run's error.
void ReportFailure(Session& s, const Status& status) {
  const RunError e = RunError::FromStatus(status);
  ReportError(s, e.Number(), e.Description(), kProcedure);
}

// The listing would overwrite the text it counts: refused before anything is read.
bool RefuseOutputOverInput(Session& s, const std::string& input) {
  if (!SameFile(s.main.txbFile[1].Text(), input)) return false;
  s.Warn(std::string(kOutputIsInputText), s.Text(34));
  s.main.txbOutput.Clear();
  return true;
}

// The question when chkUTF8 disagrees with what the file seems to be. False
// when the user cancelled.
bool AskUtf8OrAnsi(Session& s, bool utf8) {
  CheckBox& box = s.main.chkUTF8;
  if ((box.Value() == 1) == utf8) return true;
  switch (s.Show(Utf8OrAnsiQuestion(utf8), "UTF-8 or ANSI file?", Buttons::YesNoCancel)) {
    case Answer::Cancel:
      return false;
    case Answer::Yes:
      box.SetValue(1);
      s.params.chkOnly7bitASCII.SetValue(0);
      break;
    default:
      box.SetValue(0);
      break;
  }
  return true;
}

// The messages for the codes of a DOCX extraction that the file source
// answers itself; every other negative code has been explained already.
void ShowDocxFailure(Session& s, const std::string& path, std::int64_t code) {
  if (code == -4) {
    const Notice tooBig = DocxTooBigNotice(path);
    s.Inform(tooBig.text, tooBig.title);
  } else if (code == -1) {
    s.Warn("Unable to create temporary folder.", s.Text(34));
  }
}

// The first extraction only tests the package and learns the size of its
// text; its folder is removed at once. Negative when the DOCX cannot be read.
std::int64_t TestDocxPackage(Session& s, const std::string& path) {
  std::int64_t code = 0;
  try {
    code = ExtractXMLFileFromDocXFile(s, path, "KWL");
  } catch (...) {
    DeleteTempFolder(s);
    throw;
  }
  DeleteTempFolder(s);
  if (code < 0) {
    MainControls& m = s.main;
    ShowDocxFailure(s, path, code);
    ForgetInputSizes(s);
    StopElapsedTime(s);
    m.txbFile[0].Clear();
    m.txbOutput.Clear();
  }
  return code;
}

// The early end of a DOCX scan: nothing was scanned, the run is over.
void AbandonDocxScan(Session& s) {
  MainControls& m = s.main;
  ShowOutput(m, "");
  s.run.blnStop = false;
  EnableControls(s, true);
  SetRunPhase(s, RunPhase::kIdle);
  ResetTotalNumOccurrencesLabel(s);
  DeleteTempFolder(s);
}

enum class DocxText { Ready, NothingToRead, Abandoned };

// Extracts the document's text pieces and makes them the source of the lines.
DocxText PrepareDocxText(Session& s, const std::string& docxPath, std::int64_t& inputSize,
                         std::unique_ptr<LineSource>& source) {
  MainControls& m = s.main;
  RunState& r = s.run;
  ShowOutput(m, "Processing input file ...\r\n\r\n");
  std::string error;
  bool extracted = true;
  const bool ok = Guarded(s, [&] {
    const std::int64_t size = ExtractXMLFileFromDocXFile(s, docxPath, "KWL");
    SetTotalNumOccurrencesForFileProgressBar(s);
    if (size < 0) {
      ShowDocxFailure(s, docxPath, size);
      extracted = false;
      return;
    }
    inputSize = size;
    std::string xml;
    // In: the XML size, which decides on echoing pieces for large documents;
    // out: the length of the text pieces.
    std::int64_t textSize = size;
    m.chkSuppressWords.SetVisible(false);
    try {
      error = GetLineFromXMLFile(s, true, xml, textSize, true, true);
    } catch (...) {
      m.chkSuppressWords.SetVisible(true);
      throw;
    }
    m.chkSuppressWords.SetVisible(true);
  });
  if (!ok || !extracted) {
    AbandonDocxScan(s);
    return DocxText::Abandoned;
  }
  if (!error.empty()) {
    s.Warn(error + " when processing \r\n" + docxPath, "Error");
    r.blnStop = true;
  }
  if (r.blnStop) {
    AbandonDocxScan(s);
    return DocxText::Abandoned;
  }
  ShowOutput(m, "");
  bool made = false;
  Guarded(s, [&] {
    source = std::make_unique<DocxTextSource>(s.docxPieces);
    made = true;
  });
  if (!made || !source->status().Ok()) {
    if (made) ReportFailure(s, source->status());
    r.blnCountIncomplete = true;
    return DocxText::NothingToRead;
  }
  inputSize = source->Total();
  KeepInputSizesFor(s, docxPath);
  m.lblXMLsize.SetCaption("Text: " + FileSizeText(s, inputSize));
  TextFileSample sample;
  r.intLineEndingType = AnalyseTextFile(docxPath, kTextSampleSize, 1.0, sample, true);
  return DocxText::Ready;
}

// The word intake as the file source's observer while it reads: a stop
// confirmed from 2000 words on, the progress bar drawn as lines are read.
class FileIntake {
 public:
  FileIntake(WordIntake& intake, FileProgressBar& bar) : intake_(intake) {
    intake_.askBeforeStopping = true;
    intake_.progressBar = &bar;
  }
  ~FileIntake() { intake_.progressBar = nullptr; }
  FileIntake(const FileIntake&) = delete;
  FileIntake& operator=(const FileIntake&) = delete;

 private:
  WordIntake& intake_;
};

// Reads the source into the counter until its end, a confirmed stop or a
// failure of the source. Out of memory while a line is counted is reported,
// leaves the count incomplete, and reading goes on with the next line.
void ReadLines(Session& s, LineSource& source, std::int64_t inputSize, bool showBar) {
  RunState& r = s.run;
  FileProgressBar bar(s, inputSize, showBar);
  {
    const FileIntake intake(s.intake, bar);
    for (;;) {
      const std::int64_t before = source.Done();
      const Status status = s.counter.Read(source, s.intake);
      if (status.kind != Status::Kind::kOutOfMemory || !source.status().Ok()) break;
      ReportFailure(s, status);
      r.blnCountIncomplete = true;
      // Nothing read since the last try: there is no next line to go on with.
      if (source.Done() == before) break;
    }
  }
  // Blank lines after the last line with words are read all the same.
  bar.Advance(source.Done() - bar.BytesRead());
  // A file that cannot be read on is reported once; reading ended there.
  if (!source.status().Ok()) {
    ReportFailure(s, source.status());
    r.blnCountIncomplete = true;
  }
}

// The end of reading, also after a stop: blnStop stays as it is for DoIt.
void FinishReading(Session& s, bool docx) {
  MainControls& m = s.main;
  if (docx) DeleteTempFolder(s);
  s.run.lngTotalNumOccurrences = s.counter.TotalOccurrences();
  ResetTotalNumOccurrencesLabel(s);
  m.chkSuppressWords.SetValue(static_cast<std::int16_t>(s.run.intSuppressWordsSaved));
  m.lblTwirler.SetCaption(" ");
}

}  // namespace

bool DoItFromFile(Session& s) {
  MainControls& m = s.main;
  RunState& r = s.run;
  const std::string inputPath = m.txbFile[0].Text();
  ShowOutput(m, "Now processing input file ...");
  const bool docx = IsDocxFile(inputPath);
  r.strDocxAgreedPath.clear();
  if (!docx) {
    m.lblXMLsize.SetCaption("");
    r.intLineEndingType = 0;
  }
  // A DOCX input is protected as well: the listing would overwrite the document.
  if (RefuseOutputOverInput(s, inputPath)) return false;

  std::int64_t inputSize = 0;
  std::unique_ptr<LineSource> source;
  if (docx) {
    inputSize = TestDocxPackage(s, inputPath);
    if (inputSize < 0) return false;
  } else {
    bool utf8 = false;
    if (!CheckInputFile(s, inputPath) || !CheckTextFile(s, inputPath, false, utf8, r.intLineEndingType, true)) {
      ShowOutput(m, "");
      return false;
    }
    if (!AskUtf8OrAnsi(s, utf8)) {
      ShowOutput(m, "");
      return false;
    }
    inputSize = FileLength(inputPath);
    // Opened before anything is reset, so that a file that vanished or became
    // unreadable since the checks ends the run with nothing changed.
    auto file = std::make_unique<TextFileSource>(inputPath, m.chkUTF8.Value() == 1);
    if (!file->status().Ok()) {
      ReportFailure(s, file->status());
      ShowOutput(m, "");
      return false;
    }
    source = std::move(file);
  }

  ShowOutput(m, "");
  if (inputSize > kLargeInputSize && m.txbFile[1].Text().empty()) {
    const Answer answer = s.Show(
        "The input file is quite large.  It is advisable to specify an output file "
        "before continuing, in case the text window will not hold the result. "
        "Do you wish to specify an output file?",
        "Large input file", Buttons::YesNoCancel);
    if (answer == Answer::Cancel) return false;
    if (answer == Answer::Yes) {
      cmdFile_Click(s, 1);
      if (RefuseOutputOverInput(s, inputPath)) return false;
    }
  }

  ShowOutput(m, "Now processing input file ...");
  m.lblSizeOfClipboardContents.SetCaption("");
  ConcealNumWords(s, true);
  r.strClipboardText.clear();
  if (!docx) cmdClearOutput_Click(s);
  r.intSuppressWordsSaved = m.chkSuppressWords.Value();
  // The characters, the markup of the file's extension and the word rules.
  StartCount(s, MakeCountRules(s));
  r.blnStop = false;
  SetRunPhase(s, RunPhase::kCounting);
  EnableControls(s, false);
  // The size that decides on the bar is taken once for the whole scan.
  const bool showBar = FileLength(inputPath) > kProgressBarMinSize;
  if (showBar) SetTotalNumOccurrencesForFileProgressBar(s);

  if (docx) {
    switch (PrepareDocxText(s, inputPath, inputSize, source)) {
      case DocxText::Abandoned:
        return false;
      case DocxText::NothingToRead:
        FinishReading(s, docx);
        return true;
      case DocxText::Ready:
        break;
    }
  }
  ReadLines(s, *source, inputSize, showBar);
  source.reset();
  FinishReading(s, docx);
  return true;
}

}  // namespace kwl
