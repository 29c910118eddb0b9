#include "windows_fixture.h"

#include <cstdlib>
#include <filesystem>

#include "startup.h"

namespace kwl::qttest {
namespace {

std::optional<std::string> GetEnv(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::optional<std::string>(v) : std::nullopt;
}

void RestoreEnv(const char* name, const std::optional<std::string>& value) {
  if (value) ::setenv(name, value->c_str(), 1);
  else ::unsetenv(name);
}

}  // namespace

Answer ScriptedQtPlatform::ShowMessage(const MessageBox& box) {
  boxes.push_back(box);
  if (!answers.empty()) {
    const Answer a = answers.front();
    answers.pop_front();
    return a;
  }
  ADD_FAILURE() << "unexpected message box \"" << box.title << "\": " << box.text;
  if (box.defaultButton) return *box.defaultButton;
  return box.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
}

std::string ScriptedQtPlatform::InputBox(const std::string& prompt, const std::string&, const std::string&) {
  if (!inputAnswers.empty()) {
    std::string a = inputAnswers.front();
    inputAnswers.pop_front();
    return a;
  }
  ADD_FAILURE() << "unexpected input box: " << prompt;
  return {};
}

std::optional<std::string> ScriptedQtPlatform::ChooseFile(const FileDialog& dialog) {
  if (!fileAnswers.empty()) {
    std::optional<std::string> a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
  }
  ADD_FAILURE() << "unexpected file dialog: " << dialog.title;
  return std::nullopt;
}

std::optional<std::vector<std::string>> ScriptedQtPlatform::ChooseFiles(const FileDialog& dialog) {
  if (filesAnswers.empty()) return Platform::ChooseFiles(dialog);
  std::optional<std::vector<std::string>> a = filesAnswers.front();
  filesAnswers.pop_front();
  return a;
}

std::optional<std::string> ScriptedQtPlatform::ChooseFolder(const std::string& title) {
  if (!folderAnswers.empty()) {
    std::optional<std::string> a = folderAnswers.front();
    folderAnswers.pop_front();
    return a;
  }
  ADD_FAILURE() << "unexpected folder dialog: " << title;
  return std::nullopt;
}

bool ScriptedQtPlatform::OpenUrl(const std::string& url) {
  openedUrls.push_back(url);
  return true;
}

void ScriptedQtPlatform::PopUp(const std::string& text, int, int, int, int, int) { popUps.push_back(text); }

void Windows::SetUp() {
  oldCwd_ = std::filesystem::current_path().string();
  oldHome_ = GetEnv("HOME");
  oldConfig_ = GetEnv("XDG_CONFIG_HOME");
  ::setenv("HOME", home.Path().c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (home.Path() + "/.config").c_str(), 1);
  session.programFolder = test::DataFolder();
  windows = std::make_unique<qt::ProgramWindows>(session, platform);
  Main().show();
  ASSERT_TRUE(FormLoad(session));
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  ProcessEvents();
}

void Windows::TearDown() {
  windows.reset();
  std::filesystem::current_path(oldCwd_);
  RestoreEnv("HOME", oldHome_);
  RestoreEnv("XDG_CONFIG_HOME", oldConfig_);
}

QWidget* Windows::FindWidget(const std::string& name, QWidget* window) {
  if (!window) window = &Main();
  // The settings and help windows are children of the main window: only
  // widgets whose own window is the one asked for count.
  for (QWidget* w : window->findChildren<QWidget*>(QString::fromStdString(name)))
    if (w->window() == window) return w;
  return nullptr;
}

void Windows::Click(QWidget& w) {
  QTest::mouseClick(&w, Qt::LeftButton, Qt::NoModifier, w.rect().center());
  ProcessEvents();
}

void Windows::Type(QWidget& w, const QString& text) {
  w.setFocus();
  QTest::keyClicks(&w, text);
  ProcessEvents();
}

void Windows::Press(QWidget& w, Qt::Key key) {
  QTest::keyClick(&w, key);
  ProcessEvents();
}

std::string Windows::FocusedName() {
  const QWidget* w = QApplication::focusWidget();
  return w ? w->objectName().toStdString() : std::string();
}

void Windows::ProcessEvents() {
  // Twice: a text box shows appended text at the turn after the one that
  // appended it.
  for (int i = 0; i < 2; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
}

}  // namespace kwl::qttest
