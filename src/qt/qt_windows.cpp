#include "qt_windows.h"

#include <QApplication>
#include <QIcon>

#include "session.h"

namespace kwl::qt {

ProgramWindows::ProgramWindows(Session& s, QtPlatform& platform)
    : main(s), settings(s, &main), help(s, &main), occurrences(s, &main)
#ifdef KWL_HAVE_CHARTS
      , chart(s, &main)
#endif
{
  s.main.cmdHelp.onClick = [this] { help.ShowOrRestore(); };
#ifdef KWL_HAVE_CHARTS
  s.showChartWindow = [this] { chart.ShowOrRestore(); };
#endif
  // The program's own icon, carried in the program; the desktop entry of
  // the same name lets the desktop match the windows to it.
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/kestrawl/kestrawl-256.png")));
  QGuiApplication::setDesktopFileName(QStringLiteral("kestrawl"));
  platform.SetOwner(&main);
}

}  // namespace kwl::qt
