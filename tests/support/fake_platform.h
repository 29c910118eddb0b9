#pragma once
// A scripted desktop for tests: records every message box, input box and file
// dialog, and answers from queues (or with the box's default when a queue
// is empty). ProcessEvents runs an optional hook, which is how a test
// "clicks" Stop in the middle of a run.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform.h"
#include "text/number_text.h"

namespace kwl::test {

class FakePlatform : public Platform {
 public:
  Answer ShowMessage(const MessageBox& box) override;
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
  // Answers from filesAnswers, or else as ChooseFile from fileAnswers.
  std::optional<std::vector<std::string>> ChooseFiles(const FileDialog& dialog) override;
  std::optional<std::string> ChooseFolder(const std::string& title) override;
  std::string ClipboardText() override { return clipboard; }
  void SetClipboardText(const std::string& utf8) override { clipboardSet.push_back(utf8); }
  void ProcessEvents() override;
  bool OpenUrl(const std::string& url) override;
  std::string FormatGrouped(std::int64_t n) override;
  std::string DecimalSeparator() override { return decimalSeparator; }
  std::int64_t MonotonicMs() override { return clockMs += 1; }
  void PopUp(const std::string& text, int, int, int, int, int) override { popUps.push_back(text); }

  // What happened.
  std::vector<MessageBox> boxes;
  std::vector<std::string> inputPrompts;
  std::vector<FileDialog> dialogs;
  std::vector<std::string> folderDialogs;  // their titles
  std::vector<std::string> openedUrls;
  std::vector<std::string> popUps;
  std::vector<std::string> clipboardSet;  // texts put on the clipboard
  int eventPumps = 0;

  // The script.
  std::deque<Answer> answers;
  std::deque<std::string> inputAnswers;
  std::deque<std::optional<std::string>> fileAnswers;
  std::deque<std::optional<std::vector<std::string>>> filesAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::string clipboard;
  bool openUrlSucceeds = true;
  // The locale's separators: English by default.
  std::string groupSeparator = ",";
  std::string decimalSeparator = ".";
  std::function<void()> onProcessEvents;
  std::int64_t clockMs = 0;

  // The last box shown (fails the test when there is none).
  const MessageBox& LastBox() const;
  // Whether any box's text contains the given piece.
  bool Showed(const std::string& piece) const;
};

}  // namespace kwl::test
