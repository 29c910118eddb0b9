#pragma once
// The main window's widgets, laid out and bound to the control objects of
// Session::main. All behaviour lives in the window logic of src/run/.
#include <QWidget>

namespace kwl {
struct Session;
}

namespace kwl::qt {

class MainWindow : public QWidget {
 public:
  explicit MainWindow(Session& session);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowProductWindow();
  Session& session_;
};

}  // namespace kwl::qt
