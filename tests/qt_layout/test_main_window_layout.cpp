// The main window on Qt's offscreen platform: the captions the window logic
// gives its labels move and resize nothing else.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>

#include "progress.h"
#include "qt_main_window.h"
#include "session.h"
#include "statistics.h"
#include "support/test_files.h"

namespace kwl {
namespace {

// Lets the window lay itself out: a text box's scroll bar follows the layout
// of its text, which comes after the layout of the window.
void Settle() {
  for (int i = 0; i < 3; ++i) {
    QApplication::sendPostedEvents();
    QApplication::processEvents();
  }
}

// Where every widget of the window but the labels is, and whether the
// scrolling boxes show a vertical scroll bar.
std::map<QWidget*, std::string> Places(QWidget& window) {
  std::map<QWidget*, std::string> places;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (qobject_cast<QLabel*>(w) || !w->isVisible()) continue;
    const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
    std::string place = std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
                        std::to_string(r.height());
    if (auto* area = qobject_cast<QAbstractScrollArea*>(w))
      place += area->verticalScrollBar()->isVisible() ? " scrolling" : "";
    places[w] = place;
  }
  return places;
}

TEST(MainWindowLayout, LabelCaptionsMoveNothingElse) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "test_main_window_layout";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  test::TestSession t;
  Session& s = t.session;
  MainControls& m = s.main;
  qt::MainWindow window(s);
  // The introduction as at start-up, with the statistics hidden.
  std::string intro = s.Text(19);
  for (int n : {20, 35, 21, 30, 22, 23}) intro += "\r\n\r\n" + s.Text(n);
  m.txbIntro.SetText(intro);
  ConcealNumWords(s, true);
  window.show();
  Settle();
  const auto before = Places(window);
  const char* shots = std::getenv("KWL_LAYOUT_SCREENSHOTS");  // a folder for pictures of each step
  if (shots) window.grab().save(QString::fromUtf8(shots) + "/0-start.png");

  ListStatistics big;
  big.wordsListed = 2000000000;
  big.wordsIgnored = 2000000000;
  big.occurrencesListed = 999999999999;
  big.totalOccurrences = 999999999999;
  const struct {
    const char* what;
    std::function<void()> change;
  } steps[] = {
      {"file sizes", [&] {
         m.lblFilesize.SetCaption("Filesize: 1,234.56 Mb");
         m.lblXMLsize.SetCaption("Text: 987.65 Kb");
       }},
      {"clipboard size", [&] { m.lblSizeOfClipboardContents.SetCaption("98,765 bytes on the clipboard."); }},
      {"time and indicator", [&] {
         m.lblTimeElapsed.SetCaption("Time elapsed: 1h 2m 3s");
         m.lblTwirler.SetCaption(TwirlerText(3));
       }},
      {"statistics", [&] { ShowRunStatistics(s, big); }},
      {"progress bar", [&] { m.lblTotalNumOccurrences.SetCaption("[------------------>                  ]"); }},
      {"all emptied and hidden", [&] {
         for (Label* l : {&m.lblFilesize, &m.lblXMLsize, &m.lblSizeOfClipboardContents, &m.lblTwirler})
           l->SetCaption("");
         ConcealNumWords(s, true);
       }},
  };
  int n = 0;
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    Settle();
    if (shots) window.grab().save(QString::fromUtf8(shots) + "/" + QString::number(++n) + ".png");
    const auto after = Places(window);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [widget, place] : before)
      EXPECT_EQ(after.at(widget), place) << widget->metaObject()->className();
  }
}

}  // namespace
}  // namespace kwl
