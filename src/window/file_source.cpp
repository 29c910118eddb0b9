#include "file_source.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "docx.h"
#include "sources/docx_text.h"
#include "sources/encoding.h"
#include "sources/input_notices.h"
#include "sources/text_file_source.h"
#include "sources/utf16_file_source.h"
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
#include "counted_source.h"
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

// The source of a text input file as the settings read it: UTF-16 with the
// byte order given, else as UTF-8 or Windows-1252; a failure to open is in
// its status().
std::unique_ptr<LineSource> OpenTextInput(Session& s, const std::string& path, int utf16ByteOrder, bool utf8) {
  if (utf16ByteOrder != 0) return std::make_unique<Utf16FileSource>(path, utf16ByteOrder == 2);
  auto file = std::make_unique<TextFileSource>(path, utf8);
  file->SetUnicode(s.params.chkUnicodeWords.Value() == 1);
  return file;
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

// The second extraction of a DOCX document (the first only tested the
// package): its text pieces into Session::docxPieces; error receives the
// description of a failure to read them. False when the extraction failed
// (reported already).
bool ExtractDocxPieces(Session& s, const std::string& docxPath, std::string& error) {
  MainControls& m = s.main;
  bool extracted = true;
  const bool ok = Guarded(s, [&] {
    const std::int64_t size = ExtractXMLFileFromDocXFile(s, docxPath, "KWL");
    // A count of several files keeps its one bar over all of them.
    if (!s.run.blnCountingFiles) SetTotalNumOccurrencesForFileProgressBar(s);
    if (size < 0) {
      ShowDocxFailure(s, docxPath, size);
      extracted = false;
      return;
    }
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
  return ok && extracted;
}

// The lines of the extracted text pieces. False when they cannot be had
// (reported; the count is incomplete).
bool MakeDocxSource(Session& s, std::unique_ptr<LineSource>& source) {
  bool made = false;
  Guarded(s, [&] {
    source = std::make_unique<DocxTextSource>(s.docxPieces);
    made = true;
  });
  if (made && source->status().Ok()) return true;
  if (made) ReportFailure(s, source->status());
  s.run.blnCountIncomplete = true;
  return false;
}

// Extracts the document's text pieces and makes them the source of the lines.
DocxText PrepareDocxText(Session& s, const std::string& docxPath, std::int64_t& inputSize,
                         std::unique_ptr<LineSource>& source) {
  MainControls& m = s.main;
  RunState& r = s.run;
  ShowOutput(m, "Processing input file ...\r\n\r\n");
  std::string error;
  if (!ExtractDocxPieces(s, docxPath, error)) {
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
  if (!MakeDocxSource(s, source)) return DocxText::NothingToRead;
  inputSize = source->Total();
  KeepInputSizesFor(s, docxPath);
  m.lblXMLsize.SetCaption("Text: " + FileSizeText(s, inputSize));
  TextFileSample sample;
  r.intLineEndingType = AnalyseTextFile(docxPath, kTextSampleSize, 1.0, sample, true);
  return DocxText::Ready;
}

// Before a large input is read without an output file, the user may name
// one. False when the user cancelled, or named one of the inputs.
bool AskForOutputFile(Session& s, std::int64_t inputSize, const std::vector<std::string>& inputs) {
  if (inputSize <= kLargeInputSize || !s.main.txbFile[1].Text().empty()) return true;
  const Answer answer = s.Show(
      "The input file is quite large.  It is advisable to specify an output file "
      "before continuing, in case the text window will not hold the result. "
      "Do you wish to specify an output file?",
      "Large input file", Buttons::YesNoCancel);
  if (answer == Answer::Cancel) return false;
  if (answer == Answer::Yes) {
    cmdFile_Click(s, 1);
    for (const std::string& input : inputs)
      if (RefuseOutputOverInput(s, input)) return false;
  }
  return true;
}

// The count begins: the counter started with the rules in force (a count
// that shows the files column keeps, per word, the files it occurs in), the
// run-sensitive controls disabled.
void BeginReading(Session& s, bool clearOutput) {
  MainControls& m = s.main;
  RunState& r = s.run;
  ShowOutput(m, "Now processing input file ...");
  m.lblSizeOfClipboardContents.SetCaption("");
  ConcealNumWords(s, true);
  r.strClipboardText.clear();
  if (clearOutput) cmdClearOutput_Click(s);
  r.intSuppressWordsSaved = m.chkSuppressWords.Value();
  // The characters, the markup of the file's extension and the word rules.
  StartCount(s, MakeCountRules(s));
  r.blnStop = false;
  SetRunPhase(s, RunPhase::kCounting);
  EnableControls(s, false);
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
// failure of the source, drawing the bar's current part. Out of memory while
// a line is counted is reported, leaves the count incomplete, and reading
// goes on with the next line.
void ReadLines(Session& s, LineSource& source, FileProgressBar& bar) {
  RunState& r = s.run;
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
  bar.PartDone(source.Done());
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

// One file of several: what its checks found before it is read.
struct FileCheck {
  std::optional<Notice> refusal;  // why it cannot be counted
  bool declined = false;          // the user answered No to a DOCX question
  bool docx = false;
  bool utf8 = false;              // its own check found UTF-8
  int utf16 = 0;                  // UTF-16 read in the mode: its byte order
};

// The checks of one file of several, as a chosen file gets them but with no
// box of their own: a refusal comes back as a notice for the skip question.
// The questions of a DOCX document (its checksum, its size) are asked, and
// the advice about CR line ends is given once as ever. A text file's
// encoding is what its own check finds: no file is asked about.
FileCheck CheckFileOfMany(Session& s, const std::string& path) {
  FileCheck check;
  if (Extension(path) == "docx") {
    if (!IsDocxFile(path)) {
      check.refusal = Notice{s.Text(34), NotADocxText(path)};
      return check;
    }
    check.docx = true;
    std::int64_t code = 0;
    try {
      code = ExtractXMLFileFromDocXFile(s, path, "KWL");
    } catch (const RunError& e) {
      DeleteTempFolder(s);
      check.refusal = Notice{s.Text(34), e.Description()};
      return check;
    } catch (...) {
      DeleteTempFolder(s);
      throw;
    }
    DeleteTempFolder(s);
    if (code == -4) {
      check.refusal = DocxTooBigNotice(path);
    } else if (code == -1) {
      check.refusal = Notice{s.Text(34), "Unable to create temporary folder."};
    } else if (code < 0) {
      check.declined = true;
    }
    return check;
  }
  const TextFileInspection info = InspectTextFile(path, 0.0);
  if (std::optional<Notice> refusal = InputFileRefusal(info.status)) {
    check.refusal = std::move(refusal);
    return check;
  }
  check.utf16 = s.params.chkUnicodeWords.Value() == 1 ? Utf16ByteOrder(path, info) : 0;
  if (check.utf16 != 0) return check;
  const TextFileVerdict verdict = JudgeTextFile(path, info);
  if (!verdict.accepted) {
    check.refusal = verdict.notice ? *verdict.notice : Notice{"Not a text file", "It cannot be counted."};
    return check;
  }
  if (verdict.notice && !s.run.blnMacNoticeShown) {
    s.run.blnMacNoticeShown = true;
    s.Inform(verdict.notice->text, verdict.notice->title);
  }
  check.utf8 = info.sample.utf8;
  s.run.intLineEndingType = info.fileClass;
  return check;
}

// A file of several that cannot be counted: one box says why and offers to
// skip it. True to skip it and go on, false to stop the count.
bool SkipRefusedFile(Session& s, const std::string& path, const Notice& why) {
  std::string text = why.text.find(path) == std::string::npos ? path + "\r\n" + why.text : why.text;
  text += "\r\n\r\nSkip this file and count the others?";
  return s.Show(text, why.title, Buttons::YesNo, Icon::Warning, Answer::Yes) == Answer::Yes;
}

enum class FileOutcome { Counted, Skipped, Stopped };

// Checks one file of several and reads it into the count as the next file
// (StartFile, its own markup), drawing its part of the bar: bytes of the
// total.
FileOutcome CountFileOfMany(Session& s, const std::string& path, std::int64_t bytes, bool first,
                            FileProgressBar& bar) {
  RunState& r = s.run;
  r.strDocxAgreedPath.clear();
  const FileCheck check = CheckFileOfMany(s, path);
  if (check.refusal) return SkipRefusedFile(s, path, *check.refusal) ? FileOutcome::Skipped : FileOutcome::Stopped;
  if (check.declined) return FileOutcome::Skipped;
  std::unique_ptr<LineSource> source;
  if (check.docx) {
    std::string error;
    if (ExtractDocxPieces(s, path, error) && error.empty() && !r.blnStop && !MakeDocxSource(s, source))
      source.reset();
    // The pieces are read from memory: the folder is not needed any more.
    DeleteTempFolder(s);
    // A stop asked for while the pieces were taken out ends the count here.
    if (r.blnStop) return FileOutcome::Stopped;
    if (!error.empty())
      return SkipRefusedFile(s, path, Notice{"Error", error + " when processing \r\n" + path}) ? FileOutcome::Skipped
                                                                                             : FileOutcome::Stopped;
    // A failure reported already.
    if (!source) return FileOutcome::Skipped;
  } else {
    std::unique_ptr<LineSource> file = OpenTextInput(s, path, check.utf16, check.utf8);
    if (!file->status().Ok()) {
      const Notice why{s.Text(34), RunError::FromStatus(file->status()).Description()};
      return SkipRefusedFile(s, path, why) ? FileOutcome::Skipped : FileOutcome::Stopped;
    }
    source = std::move(file);
  }
  if (!first) s.counter.StartFile();
  NoteCountedFile(s, path, check.docx, check.utf8);
  s.scanner.SetMarkupKind(Extension(path));
  bar.BeginPart(bytes, source->Total());
  ReadLines(s, *source, bar);
  return FileOutcome::Counted;
}

// While several files are counted, the DOCX extraction leaves the bar and
// the text box to the count.
class CountingFiles {
 public:
  explicit CountingFiles(RunState& r) : r_(r) { r_.blnCountingFiles = true; }
  ~CountingFiles() { r_.blnCountingFiles = false; }
  CountingFiles(const CountingFiles&) = delete;
  CountingFiles& operator=(const CountingFiles&) = delete;

 private:
  RunState& r_;
};

}  // namespace

bool DoItFromFiles(Session& s, const std::vector<std::string>& files) {
  MainControls& m = s.main;
  RunState& r = s.run;
  ShowOutput(m, "Now processing input file ...");
  m.lblXMLsize.SetCaption("");
  r.intLineEndingType = 0;
  for (const std::string& file : files)
    if (RefuseOutputOverInput(s, file)) return false;
  // The sizes as the count begins: the bar's parts, and the size label.
  std::vector<std::int64_t> sizes;
  std::int64_t total = 0;
  for (const std::string& file : files) {
    sizes.push_back(std::max<std::int64_t>(FileLength(file), 0));
    total += sizes.back();
  }
  ShowInputFilesSize(s, files);
  ShowOutput(m, "");
  if (!AskForOutputFile(s, total, files)) return false;
  BeginReading(s, true);
  const bool showBar = total > kProgressBarMinSize;
  if (showBar) SetTotalNumOccurrencesForFileProgressBar(s);
  FileProgressBar bar(s, total, showBar);
  std::int32_t counted = 0;
  std::int32_t skipped = 0;
  {
    const CountingFiles counting(r);
    for (std::size_t i = 0; i < files.size() && !r.blnStop; ++i) {
      switch (CountFileOfMany(s, files[i], sizes[i], counted == 0, bar)) {
        case FileOutcome::Counted:
          ++counted;
          break;
        case FileOutcome::Skipped:
          ++skipped;
          bar.BeginPart(sizes[i], sizes[i]);
          break;
        case FileOutcome::Stopped:
          r.blnStop = true;
          break;
      }
      if (!r.blnStop) bar.EndPart();
    }
  }
  r.lngFilesCounted = counted;
  r.lngFilesSkipped = skipped;
  FinishReading(s, false);
  return true;
}

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
    int utf16 = 0;
    if (!CheckInputFile(s, inputPath) ||
        !CheckTextFile(s, inputPath, false, utf8, r.intLineEndingType, true, &utf16)) {
      ShowOutput(m, "");
      return false;
    }
    // A UTF-16 file has no question of UTF-8 or ANSI.
    if (utf16 == 0 && !AskUtf8OrAnsi(s, utf8)) {
      ShowOutput(m, "");
      return false;
    }
    inputSize = FileLength(inputPath);
    // Opened before anything is reset, so that a file that vanished or became
    // unreadable since the checks ends the run with nothing changed.
    std::unique_ptr<LineSource> file = OpenTextInput(s, inputPath, utf16, m.chkUTF8.Value() == 1);
    if (!file->status().Ok()) {
      ReportFailure(s, file->status());
      ShowOutput(m, "");
      return false;
    }
    source = std::move(file);
  }

  ShowOutput(m, "");
  if (!AskForOutputFile(s, inputSize, {inputPath})) return false;
  BeginReading(s, !docx);
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
  FileProgressBar bar(s, inputSize, showBar);
  bar.BeginPart(inputSize, inputSize);
  NoteCountedFile(s, inputPath, docx, m.chkUTF8.Value() == 1);
  ReadLines(s, *source, bar);
  source.reset();
  FinishReading(s, docx);
  return true;
}

}  // namespace kwl
