#pragma once
// The run state of the main window: the variables that the count run, the
// scanner's drivers, the listing and the progress display share. Names and
// meanings are the window's own; counters of occurrences are 64-bit so that
// inputs of more than 2^31 words cannot overflow them.
#include <cstdint>
#include <string>
#include <vector>

#include "count/ignore_list.h"

namespace kwl {

// What the main window is doing. The count button's caption follows it
// (SetRunPhase): the count command when idle, the stop command otherwise.
enum class RunPhase { kIdle, kCounting, kListing, kReadingCommonWords };

struct RunState {
  RunPhase phase = RunPhase::kIdle;
  bool blnCommonWordsLoaded = false;
  bool blnWordsGot = false;
  bool blnStartUpCompleted = false;
  bool blnReadingWords = false;
  bool blnStop = false;
  bool blnElapsedTimeRunning = false;

  int intMaxWordLengthFound = 0;
  int intThresholdFrequency = 2;

  std::int32_t lngNumWordsIncluded = 0;
  std::int32_t lngNumWordsExcluded = 0;
  std::int64_t lngMaxFrequency = 0;
  std::int64_t lngNumOccurrences = 0;
  std::int64_t lngTotalNumOccurrences = 0;
  std::int64_t lngSecondsElapsed = 0;
  // The included entries in frequency order, the entry of rank k at k - 1.
  std::vector<std::int32_t> aFrequencyOrder;

  // The words-to-ignore list in force: lower-cased, joined by single blanks,
  // with a blank before the first and after the last word (Windows-1252).
  IgnoreList strWordsToIgnore;
  std::string strCommonWordsFile;
  std::string strDocxTempFolder;
  std::string strDocxXMLFilepath;
  // The DOCX package whose checksum or size question the user has already
  // answered Yes in this run (the package is extracted twice per run).
  std::string strDocxAgreedPath;
  // The input path the window last took: lblFilesize and lblXMLsize describe
  // it (labels left by another input are emptied: ForgetInputSizes,
  // KeepInputSizesFor), and the input box losing the focus with this path in
  // it checks nothing and asks nothing again.
  std::string strInputTaken;
  // Several input files, chosen together or found in a folder (the folder
  // in strInputFolder, else ""), in name order. They are the input while
  // txbFile(0) shows strInputFilesShown: typing another path, choosing one
  // file or emptying the box makes the box's path the input again.
  std::vector<std::string> aInputFiles;
  std::string strInputFolder;
  std::string strInputFilesShown;
  // A count of several files is running: the DOCX extraction leaves the
  // progress bar and the text box to it.
  bool blnCountingFiles = false;
  // The files of the last count of several files that were counted and
  // that were skipped (both 0 after a count of one file or the clipboard).
  std::int32_t lngFilesCounted = 0;
  std::int32_t lngFilesSkipped = 0;

  bool blnResultsShown = false;
  bool blnWritingToFile = false;
  bool blnOutputFileWritten = false;
  bool blnInterrupted = false;
  bool blnMacNoticeShown = false;
  bool blnDisplaySuppressed = false;
  // The source could not be read to its end (a read error, out of memory on
  // a line): the words found are listed after the error report, but the list
  // is not the whole input's.
  bool blnCountIncomplete = false;
  // Whether such an incomplete count is listed at all. The window lists it
  // after its error report; the command line, with no box a person sees,
  // writes nothing.
  bool blnListIncompleteCount = true;
  int intSuppressWordsSaved = 0;
  int intLineEndingType = 0;
  std::string strStateFile;
  // The clipboard text being scanned (UTF-8); emptied when a file is scanned.
  std::string strClipboardText;
};

}  // namespace kwl
