// kwl-listing-bench: times a listing into the main window's text box, once
// through the window logic alone (a platform that draws nothing) and once
// into the real window (Qt, offscreen unless QT_QPA_PLATFORM says otherwise).
// Not part of the test run; `make bench` runs it.
//
//   kwl-listing-bench [lines]     (default 400000)
//
// KWL_SCREENSHOT=file.png saves a picture of the window after the last run.
//
// The words are distinct and of five letters; the display format "word"
// makes lines of 7 characters, so 400,000 lines (2.8 million characters)
// stay under the text box's limit. A second run lists as many entries in
// the format "rank frequency word" (26 characters a line), which passes the
// limit and ends with the text-box-full report.
#include <QApplication>
#include <QPlainTextEdit>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "count_run.h"
#include "list_words.h"
#include "qt_main_window.h"
#include "qt_platform.h"
#include "session.h"
#include "bench_session.h"

namespace {

using Clock = std::chrono::steady_clock;

// Wall time and the process's processor time: on a busy machine the second
// shows the cost of the work itself.
struct Stopwatch {
  Clock::time_point wall = Clock::now();
  std::clock_t cpu = std::clock();
  std::string Text() const {
    char text[64];
    std::snprintf(text, sizeof text, "%6.3f s (cpu %6.3f s)", std::chrono::duration<double>(Clock::now() - wall).count(),
                  static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC);
    return text;
  }
};

// The desktop of the window-logic run: every box is answered with its
// default and counted, nothing is drawn.
class QuietPlatform final : public kwl::Platform {
 public:
  kwl::Answer ShowMessage(const kwl::MessageBox& box) override {
    ++boxes;
    return box.buttons == kwl::Buttons::Ok ? kwl::Answer::Ok : kwl::Answer::No;
  }
  std::string InputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> ChooseFile(const kwl::FileDialog&) override { return std::nullopt; }
  std::string ClipboardText() override { return {}; }
  void ProcessEvents() override {}
  bool OpenUrl(const std::string&) override { return false; }
  std::string FormatGrouped(std::int64_t n) override { return std::to_string(n); }
  std::string DecimalSeparator() override { return "."; }
  std::int64_t MonotonicMs() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
  }
  void PopUp(const std::string&, int, int, int, int, int) override {}
  int boxes = 0;
};

// The real window's desktop, except that message boxes are counted instead
// of waiting for a click.
class CountingQtPlatform final : public kwl::qt::QtPlatform {
 public:
  kwl::Answer ShowMessage(const kwl::MessageBox& box) override {
    ++boxes;
    return box.buttons == kwl::Buttons::Ok ? kwl::Answer::Ok : kwl::Answer::No;
  }
  int boxes = 0;
};

// Settings as a fresh start has them, without the user's saved state.
// n distinct words of five letters, each counted once, as a count leaves
// them; the format index chooses the display format.
void Count(kwl::Session& s, int n, int format) {
  // With no words got, choosing the format lists nothing.
  s.run.blnWordsGot = false;
  s.main.cboDisplayFormat.SetListIndex(format);
  s.main.txbOutput.Clear();
  s.aWords.Reset();
  for (int i = 0; i < n; ++i) {
    std::string word(5, 'a');
    for (int k = 4, v = i; k >= 0; --k, v /= 26) word[static_cast<std::size_t>(k)] = static_cast<char>('a' + v % 26);
    s.aWords.Add(word);
  }
  s.run.lngTotalNumOccurrences = n;
  s.run.intThresholdFrequency = s.params.ThresholdFrequency();
}

struct Run {
  const char* name;
  int format;
};
const Run kRuns[] = {{"word", 8}, {"rank frequency word", 0}};

// Times the end of a count (sorting, statistics, listing) and then a second
// listing of the same words; `settle` waits until the window shows it all.
void Measure(const char* where, kwl::Session& s, int lines, const int& boxes, const std::function<void()>& settle) {
  for (const Run& run : kRuns) {
    Count(s, lines, run.format);
    const int boxesBefore = boxes;
    Stopwatch count;
    kwl::FinishCount(s);
    settle();
    const std::string counted = count.Text();
    Stopwatch listing;
    kwl::ListWords(s);
    settle();
    const std::string listed = listing.Text();
    std::printf("%-12s %7d lines, %-19s %9zu characters%s\n  end of count %s, listing again %s\n", where, lines,
                run.name, s.main.txbOutput.Length(), boxes > boxesBefore ? ", text box full" : "", counted.c_str(),
                listed.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int lines = argc > 1 ? std::atoi(argv[1]) : 400000;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Keep the user's settings file out of it.
  setenv("XDG_CONFIG_HOME", "/nonexistent-kwl-bench", 1);
  QApplication app(argc, argv);
  const std::string folder = QCoreApplication::applicationDirPath().toStdString();

  {
    QuietPlatform platform;
    kwl::Session s(platform);
    kwl::bench::PrepareSession(s, folder, "kwl-listing-bench");
    Measure("window logic", s, lines, platform.boxes, [] {});
  }
  {
    CountingQtPlatform platform;
    kwl::Session s(platform);
    kwl::qt::MainWindow window(s);
    platform.SetOwner(&window);
    kwl::bench::PrepareSession(s, folder, "kwl-listing-bench");
    window.show();
    QApplication::processEvents();
    QPlainTextEdit* output = nullptr;  // the output box; the introduction's is read-only
    for (auto* edit : window.findChildren<QPlainTextEdit*>())
      if (!edit->isReadOnly()) output = edit;
    Measure("Qt window", s, lines, platform.boxes, [&window, output] {
      // The last block reaches the widget at the next turn of the event
      // loop; the window is then drawn once with it.
      QApplication::processEvents();
      output->repaint();
      window.repaint();
    });
    // KWL_SCREENSHOT=file.png: a picture of the window after the last listing.
    if (const char* shot = std::getenv("KWL_SCREENSHOT"); shot && *shot) window.grab().save(QString::fromLocal8Bit(shot));
  }
  return 0;
}
