// The chart window as a person opens and uses it: Ctrl+G after a count, the
// bar count chosen, the two views saved as pictures.
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "windows_fixture.h"

#ifdef KWL_HAVE_CHARTS
#include <QAbstractBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#endif

namespace kwl::qttest {
namespace {

using ChartWindowOnScreen = Windows;

#ifdef KWL_HAVE_CHARTS

// The bars the bar chart draws.
int BarsDrawn(QWidget& window) {
  auto* view = qobject_cast<QChartView*>(window.findChild<QTabWidget*>()->widget(0));
  if (!view || view->chart()->series().isEmpty()) return 0;
  auto* bars = qobject_cast<QAbstractBarSeries*>(view->chart()->series().front());
  return bars && !bars->barSets().isEmpty() ? static_cast<int>(bars->barSets().front()->count()) : 0;
}

QPushButton& ButtonOf(QWidget& window, const QString& text) {
  for (QPushButton* b : window.findChildren<QPushButton*>())
    if (b->text() == text) return *b;
  throw std::runtime_error("no button " + text.toStdString());
}

TEST_F(ChartWindowOnScreen, CtrlGDrawsTheCountedListAndBothViewsAreSaved) {
  qt::ChartWindow& charts = windows->chart;
  auto pressCtrlG = [this] {
    Main().activateWindow();
    QTest::keyClick(&Main(), Qt::Key_G, Qt::ControlModifier);
    ProcessEvents();
  };
  pressCtrlG();
  EXPECT_FALSE(charts.isVisible()) << "no chart before a count";

  auto& path = Get<QLineEdit>("txbFile(0)");
  Type(path, QString::fromStdString(test::TestData("sample.txt")));
  platform.answers = {Answer::No};  // no English common words
  Press(path, Qt::Key_Return);
  Click(Get("cmdListWords"));
  ASSERT_TRUE(session.run.blnWordsGot);
  pressCtrlG();
  ASSERT_TRUE(charts.isVisible());
  const int listed = session.run.lngNumWordsIncluded;
  EXPECT_EQ(BarsDrawn(charts), std::min(listed, kDefaultChartBars));
  auto* bars = charts.findChild<QSpinBox*>();
  ASSERT_NE(bars, nullptr);
  bars->setValue(3);
  EXPECT_EQ(BarsDrawn(charts), std::min(listed, 3));
  auto* tabs = charts.findChild<QTabWidget*>();
  auto* plot = qobject_cast<QChartView*>(tabs->widget(1));
  ASSERT_NE(plot, nullptr);
  EXPECT_TRUE(plot->chart()->title().contains(QStringLiteral("Zipf exponent"))) << plot->chart()->title().toStdString();

  // Each view through the Save button, one as PNG and one as SVG.
  const struct {
    int tab;
    std::string name;
  } saves[] = {{0, "words.png"}, {1, "zipf.svg"}};
  for (const auto& save : saves) {
    tabs->setCurrentIndex(save.tab);
    platform.fileAnswers = {home.File(save.name)};
    Click(ButtonOf(charts, QStringLiteral("Save as ...")));
    const QString file = QString::fromStdString(home.File(save.name));
    ASSERT_TRUE(QFileInfo::exists(file)) << save.name;
    EXPECT_GT(QFileInfo(file).size(), 1000) << save.name;
    if (file.endsWith(QStringLiteral(".png"))) {
      EXPECT_FALSE(QImage(file).isNull()) << save.name;
    } else {
      QFile svg(file);
      ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
      EXPECT_TRUE(svg.readAll().contains("<svg")) << save.name;
    }
  }
  const std::size_t boxesBefore = platform.boxes.size();
  // A folder that does not exist: the failure is told, not passed over.
  platform.fileAnswers = {home.File("no/such/folder/words.png")};
  platform.answers = {Answer::Ok};
  Click(ButtonOf(charts, QStringLiteral("Save as ...")));
  ASSERT_EQ(platform.boxes.size(), boxesBefore + 1);
  EXPECT_EQ(platform.boxes.back().title, "Chart not saved");
  EXPECT_NE(platform.boxes.back().text.find("No such file or directory"), std::string::npos);
  EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(home.File("no/such/folder/words.png"))));
}

#else

TEST_F(ChartWindowOnScreen, CtrlGDrawsTheCountedListAndBothViewsAreSaved) {
  EXPECT_FALSE(session.showChartWindow) << "a program without Qt Charts offers no chart";
  GTEST_SKIP() << "built without Qt Charts";
}

#endif

}  // namespace
}  // namespace kwl::qttest
