#pragma once
// The occurrences window: widgets laid out and bound to
// Session::frmOccurrences; and the list's context menu and Ctrl+K, which
// forward the place in txbOutput to the window logic.
#include <QPlainTextEdit>
#include <QWidget>

namespace kwl {
struct Session;
}

namespace kwl::qt {

class OccurrencesWindowWidget : public QWidget {
 public:
  OccurrencesWindowWidget(Session& session, QWidget* mainWindow);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  Session& session_;
};

// The context menu of the list box (the box's own entries, then the
// logic's) and Ctrl+K in the window that holds it.
void ConnectListMenu(Session& session, QPlainTextEdit* list, QWidget* window);

}  // namespace kwl::qt
