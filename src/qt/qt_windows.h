#pragma once
// The program's windows over one session, made and connected as the program
// starts them: the main window, the settings window and the help window
// (owned by the main window, as is the chart window when built), the help command, and the main window as
// the owner of message boxes and dialogs. The program, the window tests and
// the screenshot program start the same windows this way.
#include "qt_help_window.h"
#include "qt_main_window.h"
#include "qt_occurrences_window.h"
#include "qt_platform.h"
#include "qt_settings_window.h"
#ifdef KWL_HAVE_CHARTS
#include "charts/qt_chart_window.h"
#endif

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
#ifdef KWL_HAVE_CHARTS
  // Opened through Session::showChartWindow; a program built without Qt
  // Charts leaves that hook empty and offers no chart.
  ChartWindow chart;
#endif
};

}  // namespace kwl::qt
