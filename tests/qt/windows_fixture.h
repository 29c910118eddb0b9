#pragma once
// The program's real Qt windows under test, on the offscreen platform: the
// windows are started as the program starts them, over a QtPlatform whose
// message boxes, input boxes and file dialogs answer from a script instead of
// waiting for a person. Widgets are found by their control's name.
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "qt_platform.h"
#include "qt_windows.h"
#include "session.h"
#include "support/test_files.h"

namespace kwl::qttest {

// A QtPlatform that never blocks: each box, input box and file dialog is
// recorded and answered from its queue. An empty queue fails the test and
// gives the box's default, so a question nobody expected cannot hang it.
class ScriptedQtPlatform : public qt::QtPlatform {
 public:
  Answer ShowMessage(const MessageBox& box) override;
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
  // Several files: from filesAnswers, else one from fileAnswers.
  std::optional<std::vector<std::string>> ChooseFiles(const FileDialog& dialog) override;
  std::optional<std::string> ChooseFolder(const std::string& title) override;
  bool OpenUrl(const std::string& url) override;
  void PopUp(const std::string& text, int width, int height, int milliseconds, int top, int left) override;

  std::vector<MessageBox> boxes;
  std::vector<std::string> openedUrls;
  std::vector<std::string> popUps;
  std::deque<Answer> answers;
  std::deque<std::string> inputAnswers;
  std::deque<std::optional<std::string>> fileAnswers;
  std::deque<std::optional<std::vector<std::string>>> filesAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
};

// A test over the started windows. The home and settings folders are a fresh
// temporary folder, so no saved state of the user's reaches the test. Two
// dialogs are the windows' own rather than the platform's and wait for a
// person: the language chooser of the settings window and the maker's
// product window; a test that opens one closes it from a QTimer.
class Windows : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  qt::MainWindow& Main() { return windows->main; }
  qt::SettingsWindow& Settings() { return windows->settings; }
  qt::HelpWindow& Help() { return windows->help; }

  // The widget of the named control in the given window (the main window by
  // default); null when the window has none.
  template <typename W = QWidget>
  W* Find(const std::string& name, QWidget* window = nullptr) {
    return qobject_cast<W*>(FindWidget(name, window));
  }
  // Same, ending the test (as a thrown exception) when the widget is missing.
  template <typename W = QWidget>
  W& Get(const std::string& name, QWidget* window = nullptr) {
    W* w = Find<W>(name, window);
    if (!w) throw std::runtime_error("no widget " + name);
    return *w;
  }

  // What a person does: a click with the mouse, typing into a box, Return.
  // Each lets the event loop run afterwards, so the windows show the result.
  static void Click(QWidget& w);
  static void Type(QWidget& w, const QString& text);
  static void Press(QWidget& w, Qt::Key key);
  static void ProcessEvents();
  // The name of the control whose widget has the keyboard focus ("" for none).
  static std::string FocusedName();

  test::TempDir home;
  ScriptedQtPlatform platform;
  Session session{platform};
  std::unique_ptr<qt::ProgramWindows> windows;

 private:
  QWidget* FindWidget(const std::string& name, QWidget* window);
  std::string oldCwd_;
  std::optional<std::string> oldHome_, oldConfig_;
};

}  // namespace kwl::qttest
