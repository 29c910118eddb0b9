#pragma once
// The settings window and the language chooser: widgets laid out and bound
// to Session::params and Session::frmLanguageSelection.
#include <QWidget>

namespace kwl {
struct Session;
}

namespace kwl::qt {

class SettingsWindow : public QWidget {
 public:
  SettingsWindow(Session& session, QWidget* mainWindow);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Session& session_;
};

}  // namespace kwl::qt
