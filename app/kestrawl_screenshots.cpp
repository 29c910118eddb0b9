// kestrawl-screenshots: the README's pictures. Starts the windows as the
// program does, on the offscreen platform, counts the given file as a person
// would (path, Return, "Count words") and saves the main window, the settings
// window, the help window, the occurrences window and the chart window's two
// views (when built with Qt Charts) as PNG files in the given folder. Questions are
// answered with their default button (No when there is none: no common
// words, no output file) and printed.
// Given more files, it counts them as one with words in every script and
// saves the main window listing them.
// Usage: kestrawl-screenshots FOLDER INPUT [UNICODE_INPUT...]
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "file_choice.h"
#include "files/program_folder.h"
#include "occurrences_window.h"
#include "qt_platform.h"
#include "qt_windows.h"
#include "session.h"
#include "startup.h"

namespace {

// Answers every question so that nothing waits for a person.
class AnsweringPlatform : public kwl::qt::QtPlatform {
 public:
  kwl::Answer ShowMessage(const kwl::MessageBox& box) override {
    using kwl::Answer;
    // Ticking a word rule after a count asks whether to read anew: yes.
    const bool reread = box.text.rfind("Changing this entails reading", 0) == 0;
    const Answer answer = reread                              ? Answer::Yes
                          : box.buttons == kwl::Buttons::Ok ? Answer::Ok
                                                            : box.defaultButton.value_or(Answer::No);
    std::fprintf(stderr, "%s: %s -> %s\n", box.title.c_str(), box.text.c_str(),
                 answer == Answer::Yes ? "Yes" : answer == Answer::No ? "No" : answer == Answer::Ok ? "OK" : "Cancel");
    return answer;
  }
  std::optional<std::string> ChooseFile(const kwl::FileDialog&) override { return std::nullopt; }
  bool OpenUrl(const std::string&) override { return false; }
  void PopUp(const std::string&, int, int, int, int, int) override {}
};

// Lets the windows take in what changed (text boxes show appended text at
// the next turn of the event loop) and saves one window's picture.
bool Save(QWidget& window, const QDir& folder, const char* name) {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  const QString file = folder.filePath(QString::fromLatin1(name));
  if (!window.grab().save(file)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return false;
  }
  std::printf("%s\n", qPrintable(file));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kestrawl"));
  if (argc < 3) {
    std::fprintf(stderr, "Usage: kestrawl-screenshots FOLDER INPUT [UNICODE_INPUT...]\n");
    return 2;
  }
  // Every path made absolute: the start-up moves to the home folder.
  const QDir folder(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath());
  const std::string input = QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath().toStdString();
  std::vector<std::string> texts;
  for (int i = 3; i < argc; ++i)
    texts.push_back(QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath().toStdString());
  // A fresh home: the user's saved settings do not reach the pictures.
  QTemporaryDir home;
  if (!home.isValid() || !folder.mkpath(QStringLiteral("."))) return 1;
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral(".config")).toLocal8Bit());

  AnsweringPlatform platform;
  kwl::Session session(platform);
  session.programFolder = kwl::ProgramFolder();
  kwl::qt::ProgramWindows windows(session, platform);
  windows.main.show();
  if (!kwl::FormLoad(session)) return 1;

  kwl::MainControls& m = session.main;
  m.txbFile[0].TakeUserText(input);
  m.txbFile[0].LoseFocus();
  // The count runs to its end inside the click.
  m.cmdListWords.Click();
  if (!session.run.blnWordsGot) {
    std::fprintf(stderr, "the count of %s did not complete\n", input.c_str());
    return 1;
  }
  bool ok = Save(windows.main, folder, "main-window.png");
  m.cmdSetParameters.Click();
  ok = Save(windows.settings, folder, "settings-window.png") && ok;
  session.params.cmdClose.Click();
  m.cmdHelp.Click();
  ok = Save(windows.help, folder, "help-window.png") && ok;
  // The occurrences of a word of the novel, and why a token with an
  // apostrophe is counted as it is.
  kwl::ShowOccurrences(session, "Emma");
  kwl::ShowWhy(session, "l'amour");
  ok = Save(windows.occurrences, folder, "occurrences-window.png") && ok;
#ifdef KWL_HAVE_CHARTS
  // The chart window, as Ctrl+G opens it, on each of its two views.
  if (!kwl::ShowChart(session)) {
    std::fprintf(stderr, "no chart is offered for %s\n", input.c_str());
    return 1;
  }
  windows.chart.ShowView(kwl::ChartView::kTopEntries);
  ok = Save(windows.chart, folder, "chart-words.png") && ok;
  windows.chart.ShowView(kwl::ChartView::kRankFrequency);
  ok = Save(windows.chart, folder, "chart-zipf.png") && ok;
#endif
  // The main window listing texts of other scripts, counted as one with
  // words in every script (short words kept: many Japanese words have one
  // or two characters).
  if (!texts.empty()) {
    session.params.chkUnicodeWords.SetValue(1);
    session.params.chkIgnoreShortWords.SetValue(0);
    kwl::TakeInputFiles(session, texts, "");
    m.cmdListWords.Click();
    if (!session.run.blnWordsGot) {
      std::fprintf(stderr, "the count of the texts in every script did not complete\n");
      return 1;
    }
    ok = Save(windows.main, folder, "main-window-unicode.png") && ok;
    // The occurrences of a Russian word, and why a Japanese phrase gives
    // the words it does.
    kwl::ShowOccurrences(session, "\xD0\xA7\xD0\xB5\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xB5\xD0\xBA\xD0\xB0");
    kwl::ShowWhy(session, "\xE3\x81\x99\xE3\x81\xB9\xE3\x81\xA6\xE3\x81\xAE\xE4\xBA\xBA\xE9\x96\x93");
    ok = Save(windows.occurrences, folder, "occurrences-window-unicode.png") && ok;
  }
  return ok ? 0 : 1;
}
