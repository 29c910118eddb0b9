#include "support/fake_platform.h"

#include <gtest/gtest.h>

namespace kwl::test {

Answer FakePlatform::ShowMessage(const MessageBox& box) {
  boxes.push_back(box);
  if (!answers.empty()) {
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  if (box.defaultButton) return *box.defaultButton;
  return box.buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}

std::string FakePlatform::InputBox(const std::string& prompt, const std::string&, const std::string& defaultText) {
  inputPrompts.push_back(prompt);
  if (inputAnswers.empty()) return defaultText;
  std::string a = inputAnswers.front();
  inputAnswers.pop_front();
  return a;
}

std::optional<std::string> FakePlatform::ChooseFile(const FileDialog& dialog) {
  dialogs.push_back(dialog);
  if (fileAnswers.empty()) return std::nullopt;
  auto a = fileAnswers.front();
  fileAnswers.pop_front();
  return a;
}

std::optional<std::vector<std::string>> FakePlatform::ChooseFiles(const FileDialog& dialog) {
  if (filesAnswers.empty()) return Platform::ChooseFiles(dialog);
  dialogs.push_back(dialog);
  auto a = filesAnswers.front();
  filesAnswers.pop_front();
  return a;
}

std::optional<std::string> FakePlatform::ChooseFolder(const std::string& title) {
  folderDialogs.push_back(title);
  if (folderAnswers.empty()) return std::nullopt;
  auto a = folderAnswers.front();
  folderAnswers.pop_front();
  return a;
}

void FakePlatform::ProcessEvents() {
  ++eventPumps;
  if (onProcessEvents) onProcessEvents();
}

bool FakePlatform::OpenUrl(const std::string& url) {
  openedUrls.push_back(url);
  return openUrlSucceeds;
}

std::string FakePlatform::FormatGrouped(std::int64_t n) {
  std::string grouped;
  for (char c : GroupDigits(n)) grouped += c == ',' ? groupSeparator : std::string(1, c);
  return grouped;
}

const MessageBox& FakePlatform::LastBox() const {
  static const MessageBox none;
  EXPECT_FALSE(boxes.empty()) << "no message box was shown";
  return boxes.empty() ? none : boxes.back();
}

bool FakePlatform::Showed(const std::string& piece) const {
  for (const auto& b : boxes)
    if (b.text.find(piece) != std::string::npos) return true;
  return false;
}

}  // namespace kwl::test
