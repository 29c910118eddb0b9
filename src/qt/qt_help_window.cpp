#include "qt_help_window.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt_platform.h"
#include "session.h"
#include "binding.h"

namespace kwl::qt {

HelpWindow::HelpWindow(Session& s, QWidget* mainWindow) : QWidget(mainWindow, Qt::Window), mainWindow_(mainWindow) {
  setWindowTitle(QStringLiteral("KWL Help"));
  auto* text = new QPlainTextEdit(this);
  text->setReadOnly(true);
  text->setFont(QFont(QStringLiteral("Liberation Sans"), 10));
  Bind(s.main.txbHelp, text);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  QObject::connect(close, &QPushButton::clicked, this, [this, mainWindow] {
    hide();
    if (mainWindow) mainWindow->activateWindow();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text, 1);
  layout->addWidget(close, 0, Qt::AlignHCenter);
}

void HelpWindow::ShowOrRestore() {
  // Placed over the main window, where that is now, when first shown: 480
  // twips (32 pixels) down, 200 (13) across, 400 (27) narrower and 680 (45)
  // lower. Later it comes back where the user left it.
  if (!placed_ && mainWindow_) {
    placed_ = true;
    resize(mainWindow_->size() - QSize(27, 45));
    move(OnScreen(this, mainWindow_->frameGeometry().topLeft() + QPoint(13, 32)));
  }
  ShowInFront(this);
}

}  // namespace kwl::qt
