#pragma once
// The help window "KWL Help": the usage notes in a resizable, scrollable box.
#include <QWidget>

namespace kwl {
struct Session;
}

namespace kwl::qt {

class HelpWindow : public QWidget {
 public:
  HelpWindow(Session& session, QWidget* mainWindow);
  // Shows the window, or restores it when it is minimised.
  void ShowOrRestore();

 private:
  QWidget* mainWindow_;
  bool placed_ = false;
};

}  // namespace kwl::qt
