// kestrawl: the desktop program.
#include <QApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdlib>

#include "qt_platform.h"
#include "startup_trace.h"
#include "qt_windows.h"
#include "session.h"
#include "startup.h"
#include "files/program_folder.h"
#include "files/temp_cleanup.h"


int main(int argc, char** argv) {
  const kwl::qt::StartupTrace::Clock::time_point mainEntered = kwl::qt::StartupTrace::Clock::now();
  QApplication app(argc, argv);
  // SIGINT, SIGTERM and SIGHUP remove the DOCX temporary folder before the
  // program ends.
  kwl::tempcleanup::InstallSignalHandlers();
  QApplication::setApplicationName(QStringLiteral("Kestrawl"));
  kwl::qt::QtPlatform platform;
  kwl::Session session(platform);
  // Beside the executable (the build tree) or in ../share/kestrawl (installed).
  const kwl::ProgramFolderSearch data = kwl::FindProgramFolder();
  session.programFolder = data.folder;
  if (!data.found) session.programFoldersLookedIn = data.lookedIn;
  kwl::qt::ProgramWindows windows(session, platform);
  kwl::qt::MainWindow& window = windows.main;
  kwl::qt::StartupTrace* trace = nullptr;
  if (const char* on = std::getenv("KWL_TRACE_STARTUP"); on && *on) trace = new kwl::qt::StartupTrace(&window, mainEntered);
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
