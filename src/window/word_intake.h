#pragma once
// The main window as the observer of a count: each new word shown in the
// text box as it is found, the event pump between words, the stop request
// of the count button and its confirmation, the progress bar of a file.
#include <cstdint>
#include <string_view>

#include "count/counter.h"

namespace kwl {
class FileProgressBar;
struct Session;

class WordIntake : public CountObserver {
 public:
  explicit WordIntake(Session& s) : s_(s) {}

  // Pumps events (throttled) once start-up has completed. The settings
  // window stays usable during a count, so whenever events have run the
  // counter takes the word rules afresh from the settings.
  void Step() override;
  // blnStop, set by the count button's stop question.
  bool StopRequested() override;
  // From 2000 different words on the user is asked whether to stop; No
  // withdraws the request (blnStop) and the count goes on.
  bool ConfirmStop(std::int32_t distinctWords) override;
  // Shows the word in txbOutput unless display is suppressed (chkSuppressWords,
  // ticked once the box passes kDisplaySuppressLength); every tenth word shows the
  // word-count label.
  void NewWord(std::string_view word, std::int32_t distinctWords) override;
  // Draws the progress bar up to done, when there is one.
  void Progress(std::int64_t done, std::int64_t total) override;

  // False for a source whose stop needs no confirmation (the clipboard's
  // single line): a stop request always ends the count.
  bool askBeforeStopping = true;
  // The file source's progress bar while it reads (the bar counts the units
  // done); none otherwise.
  FileProgressBar* progressBar = nullptr;

 private:
  void ShowNewWord(std::string_view word);

  Session& s_;
};

}  // namespace kwl
