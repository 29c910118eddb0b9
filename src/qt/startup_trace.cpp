#include "startup_trace.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace kwl::qt {
namespace {

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

}  // namespace

bool StartupTrace::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && startUpEnded_ && !painted_) {
    painted_ = true;
    // The children are drawn in the same turn of the event loop.
    QTimer::singleShot(0, this, [this] { Report(); });
  }
  return QObject::eventFilter(watched, event);
}

void StartupTrace::Report() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const double fromMain = std::chrono::duration<double, std::milli>(Clock::now() - mainEntered_).count();
  std::printf("startup: first paint ended %.1f ms after the process started, %.1f ms after main; monotonic %lld.%09ld\n",
              MsSinceProcessStart(), fromMain, static_cast<long long>(now.tv_sec), now.tv_nsec);
  std::fflush(stdout);
  QApplication::quit();
}

}  // namespace kwl::qt
