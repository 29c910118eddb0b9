#include "qt_windows.h"

#include "session.h"

namespace kwl::qt {

ProgramWindows::ProgramWindows(Session& s, QtPlatform& platform)
    : main(s), settings(s, &main), help(s, &main) {
  s.main.cmdHelp.onClick = [this] { help.ShowOrRestore(); };
  platform.SetOwner(&main);
}

}  // namespace kwl::qt
