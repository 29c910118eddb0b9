// kestrawl: the desktop program.
#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QTimer>

#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "qt_help_window.h"
#include "qt_main_window.h"
#include "qt_platform.h"
#include "qt_settings_window.h"
#include "session.h"
#include "startup.h"
#include "files/program_folder.h"
#include "files/temp_cleanup.h"

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds from the start of this process (the kernel's record, in clock
// ticks of usually 10 ms) to now; -1 when /proc cannot tell.
double MsSinceProcessStart() {
  std::ifstream in("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // The fields after the command name, which ends with the last ')'; the
  // start time is field 22 of the line, the 20th after the name.
  const auto close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  for (int i = 0; i < 20 && fields >> field; ++i) {
  }
  timespec now{};
  if (!fields || clock_gettime(CLOCK_BOOTTIME, &now) != 0) return -1;
  const double startSeconds = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
  return (static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9 - startSeconds) * 1000;
}

// KWL_TRACE_STARTUP=1: once the main window has been painted after start-up
// (FormLoad) ended, prints how long the start took and ends the program
// (bench/startup_bench.sh takes the median of several runs). The monotonic
// clock's reading lets a launcher measure from before the process existed.
class StartupTrace : public QObject {
 public:
  StartupTrace(QWidget* window, Clock::time_point mainEntered) : QObject(window), mainEntered_(mainEntered) {
    window->installEventFilter(this);
  }
  // Start-up has ended: the next paint of the whole window is the one that
  // counts (a paint while start-up ran may have shown it half set up).
  void StartUpEnded(QWidget* window) {
    startUpEnded_ = true;
    window->update();
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && startUpEnded_ && !painted_) {
      painted_ = true;
      // The children are drawn in the same turn of the event loop.
      QTimer::singleShot(0, this, [this] { Report(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Report() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double fromMain = std::chrono::duration<double, std::milli>(Clock::now() - mainEntered_).count();
    std::printf("startup: first paint ended %.1f ms after the process started, %.1f ms after main; monotonic %lld.%09ld\n",
                MsSinceProcessStart(), fromMain, static_cast<long long>(now.tv_sec), now.tv_nsec);
    std::fflush(stdout);
    QApplication::quit();
  }

  Clock::time_point mainEntered_;
  bool startUpEnded_ = false;
  bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const Clock::time_point mainEntered = Clock::now();
  QApplication app(argc, argv);
  // SIGINT, SIGTERM and SIGHUP remove the DOCX temporary folder before the
  // program ends.
  kwl::tempcleanup::InstallSignalHandlers();
  QApplication::setApplicationName(QStringLiteral("Kestrawl"));
  kwl::qt::QtPlatform platform;
  kwl::Session session(platform);
  session.programFolder = kwl::ProgramFolder();
  kwl::qt::MainWindow window(session);
  kwl::qt::SettingsWindow settings(session, &window);
  kwl::qt::HelpWindow help(session, &window);
  session.main.cmdHelp.onClick = [&help] { help.ShowOrRestore(); };
  platform.SetOwner(&window);
  StartupTrace* trace = nullptr;
  if (const char* on = std::getenv("KWL_TRACE_STARTUP"); on && *on) trace = new StartupTrace(&window, mainEntered);
  window.show();
  if (!kwl::FormLoad(session)) return 1;
  if (trace) trace->StartUpEnded(&window);
  // KWL_SCREENSHOT=file.png saves a picture of the window and ends the
  // program (for the README and for checking the layout without a display).
  if (const char* shot = std::getenv("KWL_SCREENSHOT"); shot && *shot) {
    QTimer::singleShot(500, &window, [&window, shot] {
      window.grab().save(QString::fromLocal8Bit(shot));
      QApplication::quit();
    });
  }
  return QApplication::exec();
}
