// kwl-count-bench: times a whole count of a text file in the real main
// window (Qt, offscreen unless QT_QPA_PLATFORM says otherwise), from the
// click on the count button to the end of the listing into an output file,
// and how responsive the window stayed: the gaps between two runs of the
// event loop during the count. Not part of the test run.
//
//   kwl-count-bench [--one-thread] [--runs N] input.txt output.txt
//
// --one-thread counts on the calling thread alone (no split of the file),
// for comparison with the count on two threads.
#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "count_run.h"
#include "qt_main_window.h"
#include "qt_platform.h"
#include "session.h"
#include "bench_session.h"

namespace {

using Clock = std::chrono::steady_clock;

// The real window's desktop; message boxes are counted instead of waiting
// for a click, and every run of the event loop is timed.
class TimedQtPlatform final : public kwl::qt::QtPlatform {
 public:
  kwl::Answer ShowMessage(const kwl::MessageBox& box) override {
    ++boxes;
    std::fprintf(stderr, "box: %s\n", box.title.c_str());
    return box.buttons == kwl::Buttons::Ok ? kwl::Answer::Ok : kwl::Answer::No;
  }
  void ProcessEvents() override {
    pumps.push_back(Clock::now());
    QtPlatform::ProcessEvents();
  }
  int boxes = 0;
  std::vector<Clock::time_point> pumps;
};

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  bool oneThread = false;
  int runs = 3;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--one-thread") {
      oneThread = true;
    } else if (arg == "--runs" && i + 1 < argc) {
      runs = std::atoi(argv[++i]);
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) {
    std::fprintf(stderr, "usage: kwl-count-bench [--one-thread] [--runs N] input.txt output.txt\n");
    return 2;
  }
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("XDG_CONFIG_HOME", "/nonexistent-kwl-bench", 1);
  QApplication app(argc, argv);
  const std::string folder = QCoreApplication::applicationDirPath().toStdString();

  TimedQtPlatform platform;
  kwl::Session s(platform);
  kwl::qt::MainWindow window(s);
  platform.SetOwner(&window);
  kwl::bench::PrepareSession(s, folder, "kwl-count-bench");
  window.show();
  QApplication::processEvents();
  if (oneThread) s.counter.SetSplitMinUnits(0);

  for (int run = 0; run < runs; ++run) {
    s.main.txbFile[0].SetText(files[0]);
    s.main.txbFile[1].SetText(files[1]);
    platform.pumps.clear();
    const Clock::time_point start = Clock::now();
    const std::clock_t cpu = std::clock();
    kwl::cmdListWords_Click(s);
    QApplication::processEvents();
    window.repaint();
    const Clock::time_point end = Clock::now();
    // The gaps between two runs of the event loop, from the click to the end.
    std::vector<double> gaps;
    Clock::time_point last = start;
    for (const Clock::time_point t : platform.pumps) {
      gaps.push_back(Ms(t - last));
      last = t;
    }
    gaps.push_back(Ms(end - last));
    std::sort(gaps.begin(), gaps.end());
    const double seconds = Ms(end - start) / 1000.0;
    std::printf("%s: %.3f s (cpu %.3f s), %zu words, event loop run %zu times (%.0f/s), longest gap %.1f ms, "
                "median gap %.1f ms\n",
                oneThread ? "one thread" : "two threads", seconds,
                static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, static_cast<std::size_t>(s.aWords.NumWords()),
                platform.pumps.size(), static_cast<double>(platform.pumps.size()) / seconds, gaps.back(),
                gaps[gaps.size() / 2]);
  }
  return platform.boxes > 0 ? 1 : 0;
}
