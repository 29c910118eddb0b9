#pragma once
// KWL_TRACE_STARTUP=1: measures how long the program takes to show its main
// window complete.
#include <QObject>
#include <QWidget>

#include <chrono>

namespace kwl::qt {

// KWL_TRACE_STARTUP=1: once the main window has been painted after start-up
// (FormLoad) ended, prints how long the start took and ends the program
// (bench/startup_bench.sh takes the median of several runs). The monotonic
// clock's reading lets a launcher measure from before the process existed.
class StartupTrace : public QObject {
 public:
  using Clock = std::chrono::steady_clock;
  StartupTrace(QWidget* window, Clock::time_point mainEntered) : QObject(window), mainEntered_(mainEntered) {
    window->installEventFilter(this);
  }
  // Start-up has ended: the next paint of the whole window is the one that
  // counts (a paint while start-up ran may have shown it half set up).
  void StartUpEnded(QWidget* window) {
    startUpEnded_ = true;
    window->update();
  }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Report();

  Clock::time_point mainEntered_;
  bool startUpEnded_ = false;
  bool painted_ = false;
};

}  // namespace kwl::qt
