#pragma once
// The program's windows over one session, made and connected as the program
// starts them: the main window, the settings window and the help window
// (both owned by the main window), the help command, and the main window as
// the owner of message boxes and dialogs. The program, the window tests and
// the screenshot program start the same windows this way.
#include "qt_help_window.h"
#include "qt_main_window.h"
#include "qt_occurrences_window.h"
#include "qt_platform.h"
#include "qt_settings_window.h"

namespace kwl {
struct Session;
}

namespace kwl::qt {

struct ProgramWindows {
  ProgramWindows(Session& session, QtPlatform& platform);

  MainWindow main;
  SettingsWindow settings;
  HelpWindow help;
  OccurrencesWindowWidget occurrences;
};

}  // namespace kwl::qt
