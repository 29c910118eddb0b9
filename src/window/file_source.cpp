#include "file_source.h"

#include <filesystem>
#include <new>
#include <optional>
#include <string_view>

#include "docx.h"
#include "sources/encoding.h"
#include "sources/line_reader.h"
#include "files/paths.h"
#include "text_file.h"
#include "text/utf8_repair.h"
#include "count_run.h"
#include "file_choice.h"
#include "progress.h"
#include "session.h"
#include "window_state.h"
#include "text/normalise.h"
#include "files/run_error.h"

namespace kwl {
namespace {

constexpr const char* kProcedure = "DoItFromFile";
// Above this size the user is advised to name an output file first.
constexpr std::int64_t kLargeInputSize = 204800;
// Inputs above this size get the progress bar.
constexpr std::int64_t kProgressBarMinSize = 10240;
// From this many distinct words on, a stop request is confirmed first.
constexpr std::int32_t kStopQuestionWords = 2000;

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

// Whether the output path names the input file, as typed or through another
// name (a link, a relative path).
bool OutputIsInput(const std::string& output, const std::string& input) {
  if (output.empty()) return false;
  if (output == input) return true;
  std::error_code ec;
  return std::filesystem::equivalent(output, input, ec);
}

// The listing would overwrite the text it counts: refused before anything is read.
bool RefuseOutputOverInput(Session& s, const std::string& input) {
  if (!OutputIsInput(s.main.txbFile[1].Text(), input)) return false;
  s.Warn("Output file cannot be the same as the input file.", s.Text(34));
  s.main.txbOutput.Clear();
  return true;
}

// The question when chkUTF8 disagrees with what the file seems to be. False
// when the user cancelled.
bool AskUtf8OrAnsi(Session& s, bool utf8) {
  CheckBox& box = s.main.chkUTF8;
  std::string question;
  if (box.Value() != 1 && utf8) {
    question =
        "This file seems to be UTF-8 encoded.\r\n"
        "Click 'Yes' to scan it as UTF-8 encoded or 'No' to scan it as ANSI.";
  } else if (box.Value() == 1 && !utf8) {
    question =
        "This file does not seem to be UTF-8 encoded.\r\n"
        "Click 'Yes' to scan it as UTF-8 encoded (not advisable)\r\n"
        "or 'No' to scan it as ANSI.";
  } else {
    return true;
  }
  switch (s.Show(question, "UTF-8 or ANSI file?", Buttons::YesNoCancel)) {
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
    s.Inform(path +
                 "\r\nis too large to be scanned directly.\r\n\r\n"
                 "Recommend saving it as a text file and\r\n"
                 "applying this program to that file.",
             "File too big");
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
    m.lblXMLsize.SetCaption("");
    m.lblFilesize.SetCaption("");
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
  m.cmdListWords.SetCaption(s.Text(73));
  ResetTotalNumOccurrencesLabel(s);
  DeleteTempFolder(s);
}

// "report.docx" becomes "report.txt".
std::string TextFileNameFor(const std::string& docxPath) {
  std::string name = FileNamePart(docxPath);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name + ".txt";
}

enum class DocxText { Ready, NothingToRead, Abandoned };

// Extracts the document's text into a text file of the temporary folder and
// opens it as the reading file.
DocxText PrepareDocxText(Session& s, const std::string& docxPath, std::int64_t& inputSize,
                         std::optional<LineReader>& reader) {
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
  const std::string textPath = JoinPath(r.strDocxTempFolder, TextFileNameFor(docxPath));
  if (!Guarded(s, [&] { WriteDocxPieces(s.docxPieces, textPath); })) {
    r.blnCountIncomplete = true;
    return DocxText::NothingToRead;
  }
  inputSize = FileLength(textPath);
  m.lblXMLsize.SetCaption("Text: " + FileSizeText(s, inputSize));
  TextFileSample sample;
  r.intLineEndingType = AnalyseTextFile(docxPath, kTextSampleSize, 1.0, sample, true);
  if (!Guarded(s, [&] { reader.emplace(textPath); })) {
    AbandonDocxScan(s);
    return DocxText::Abandoned;
  }
  return DocxText::Ready;
}

std::string_view TrimControls(std::string_view line) {
  std::size_t first = 0;
  std::size_t last = line.size();
  while (first < last && static_cast<unsigned char>(line[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(line[last - 1]) <= 32) --last;
  return line.substr(first, last - first);
}

// Reads the file line by line into the scanner until its end or a stop.
void ReadLines(Session& s, LineReader& reader, bool textInput, std::int64_t inputSize, bool showBar) {
  MainControls& m = s.main;
  RunState& r = s.run;
  FileProgressBar bar(s, inputSize, showBar);
  // Every step works on the line as it was read, in place, so that a line
  // of any length is held once (with a little room to grow).
  std::string line;
  for (;;) {
    s.pump.Yield();
    bool got = false;
    // A file that cannot be read on is reported once; reading ends there.
    if (!Guarded(s, [&] { got = reader.Next(line); })) {
      r.blnCountIncomplete = true;
      break;
    }
    if (!got) break;
    bar.Advance(static_cast<std::int64_t>(line.size()) + reader.TerminatorBytes());
    const std::string_view trimmed = TrimControls(line);
    if (trimmed.empty()) continue;
    const bool scanned = Guarded(s, [&] {
      // The trimmed text with a blank put in front. The repairs below never
      // touch that blank nor find a sequence across it, so it may come first.
      const auto first = static_cast<std::size_t>(trimmed.data() - line.data());
      line.resize(first + trimmed.size());
      line.replace(0, first, 1, ' ');
      if (textInput && m.chkUTF8.Value() == 1) {
        DecodeUtf8InPlace(line);
        ReplaceUtf8PunctuationInPlace(line);
      }
      if (s.params.chkCaseSignificant.Value() != 1) scan::FoldCaseInPlace(line);
      ScanOneLine(s, line);
    });
    if (!scanned) r.blnCountIncomplete = true;
    if (r.blnStop) {
      const std::int32_t found = s.aWords.NumWords();
      if (found < kStopQuestionWords) break;
      std::string question = " ";
      question.append(std::to_string(found)).append(" different words have been found.\r\nDo you really wish to stop?");
      const Answer answer = s.Show(question, s.Text(74), Buttons::YesNo);
      if (answer != Answer::No) break;
      r.blnStop = false;
    }
  }
}

// The end of reading, also after a stop: blnStop stays as it is for DoIt.
void FinishReading(Session& s, bool docx) {
  MainControls& m = s.main;
  if (docx) DeleteTempFolder(s);
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
  std::optional<LineReader> reader;
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
    if (!Guarded(s, [&] { reader.emplace(inputPath); })) {
      ShowOutput(m, "");
      return false;
    }
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
  s.aWords.Reset();
  s.scanner.blnCharacterEntitiesPossible = false;
  s.scanner.SetMarkupKind(Extension(inputPath));
  r.blnStop = false;
  m.cmdListWords.SetCaption(s.Text(74));
  EnableControls(s, false);
  // The size that decides on the bar is taken once for the whole scan.
  const bool showBar = FileLength(inputPath) > kProgressBarMinSize;
  if (showBar) SetTotalNumOccurrencesForFileProgressBar(s);
  s.scanner.intWithinComment = -1;

  if (docx) {
    switch (PrepareDocxText(s, inputPath, inputSize, reader)) {
      case DocxText::Abandoned:
        return false;
      case DocxText::NothingToRead:
        FinishReading(s, docx);
        return true;
      case DocxText::Ready:
        break;
    }
  }
  ReadLines(s, *reader, !docx, inputSize, showBar);
  reader.reset();
  FinishReading(s, docx);
  return true;
}

}  // namespace kwl
