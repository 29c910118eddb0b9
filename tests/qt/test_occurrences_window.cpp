// The list's context menu and the occurrences window on the screen.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>

#include <string>

#include "windows_fixture.h"

namespace kwl::qttest {
namespace {

using OccurrencesOnScreen = Windows;

// A right-click on the second line of the list (the first entry after the
// heading) offers its occurrences; choosing them opens the window with as
// many rows as the entry's frequency.
TEST_F(OccurrencesOnScreen, ARightClickOnALineOpensItsOccurrences) {
  const std::string input = home.Write("in.txt", "cat dog cat\r\nbird cat\r\n");
  session.main.txbFile[0].SetText(input);
  session.main.cmdListWords.Click();
  ProcessEvents();
  auto& list = Get<QPlainTextEdit>("txbOutput");
  ASSERT_TRUE(list.toPlainText().contains(QStringLiteral("cat"))) << list.toPlainText().toStdString();

  QStringList offered;
  QTimer::singleShot(0, [&offered] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    QAction* first = nullptr;
    for (QAction* a : menu->actions()) {
      if (a->objectName() != QStringLiteral("listMenuEntry")) continue;
      offered << a->text();
      if (!first) first = a;
    }
    menu->close();
    if (first) first->trigger();
  });
  const QTextBlock line = list.document()->findBlockByNumber(1);
  const QPoint at = list.cursorRect(QTextCursor(line)).center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
  QApplication::sendEvent(list.viewport(), &event);
  ProcessEvents();

  // The word's two entries, then the chart's where the program has a chart window.
  const QString entries = offered.join(QStringLiteral(" | "));
  ASSERT_GE(offered.size(), 2) << entries.toStdString();
  EXPECT_EQ(offered[0], QString::fromUtf8("Show occurrences of \xC2\xAB" "cat\xC2\xBB"));
#ifdef KWL_HAVE_CHARTS
  ASSERT_EQ(offered.size(), 3) << entries.toStdString();
  EXPECT_EQ(offered[2], QStringLiteral("Show the list as a chart"));
#else
  EXPECT_EQ(offered.size(), 2) << entries.toStdString();
#endif
  QWidget* window = &windows->occurrences;
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Get<QLabel>("lblNumOccurrencesShown", window).text(), QStringLiteral("3 occurrences"));
  EXPECT_EQ(Get<QPlainTextEdit>("txbOccurrences", window).document()->blockCount(), 3);
}

}  // namespace
}  // namespace kwl::qttest
