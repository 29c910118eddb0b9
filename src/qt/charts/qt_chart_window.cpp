#include "charts/qt_chart_window.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QSpinBox>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "binding.h"
#include "session.h"

namespace kwl::qt {
namespace {

QString Text(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// A chart with no legend and no animation: a picture saved at once shows
// what the window shows.
QChart* NewChart(const std::string& title) {
  auto* chart = new QChart;
  chart->setTitle(Text(title));
  chart->legend()->hide();
  chart->setAnimationOptions(QChart::NoAnimation);
  return chart;
}

// The first entries as horizontal bars, the first at the top, the frequency
// of each at its end.
QChart* BarChart(const Session& s, const ListingChart& data) {
  QChart* chart = NewChart(BarChartTitle(s, data));
  auto* set = new QBarSet(QStringLiteral("Frequency"));
  // The frequency stands beyond the bar's end, on the chart's background.
  set->setLabelColor(Qt::black);
  QStringList words;
  std::int64_t highest = 1;
  // A bar axis lists its categories from the bottom up.
  for (auto bar = data.top.rbegin(); bar != data.top.rend(); ++bar) {
    *set << static_cast<qreal>(bar->value);
    words << Text(bar->label);
    highest = std::max(highest, bar->value);
  }
  auto* series = new QHorizontalBarSeries;
  series->append(set);
  series->setBarWidth(0.8);
  series->setLabelsVisible(true);
  series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
  series->setLabelsFormat(QStringLiteral("@value"));
  chart->addSeries(series);
  auto* wordAxis = new QBarCategoryAxis;
  wordAxis->append(words);
  // The words whole: the axis makes room for the longest.
  wordAxis->setTruncateLabels(false);
  chart->addAxis(wordAxis, Qt::AlignLeft);
  series->attachAxis(wordAxis);
  auto* countAxis = new QValueAxis;
  // Room at the end of the longest bar for its number.
  countAxis->setRange(0, static_cast<qreal>(highest) * 1.12);
  countAxis->applyNiceNumbers();
  countAxis->setLabelFormat(QStringLiteral("%d"));
  countAxis->setTitleText(QStringLiteral("Frequency"));
  chart->addAxis(countAxis, Qt::AlignBottom);
  series->attachAxis(countAxis);
  return chart;
}

// Every listed entry at (rank, frequency) on log-log axes, and the fitted line.
QChart* RankFrequencyChart(const Session& s, const ListingChart& data) {
  QChart* chart = NewChart(RankFrequencyTitle(s, data));
  auto* points = new QScatterSeries;
  points->setMarkerSize(5);
  points->setBorderColor(Qt::transparent);
  // Joined by a thin line, so that a run of equal frequency reads as the
  // row of points it stands for.
  auto* runs = new QLineSeries;
  for (const RankPoint& p : PlotOutline(data.ranks)) {
    points->append(static_cast<qreal>(p.rank), static_cast<qreal>(p.frequency));
    runs->append(static_cast<qreal>(p.rank), static_cast<qreal>(p.frequency));
  }
  chart->addSeries(runs);
  chart->addSeries(points);
  const QColor blue(32, 159, 223);  // the bars' colour
  points->setColor(blue);
  runs->setPen(QPen(blue, 1));
  auto* rankAxis = new QLogValueAxis;
  rankAxis->setBase(10);
  rankAxis->setLabelFormat(QStringLiteral("%g"));
  rankAxis->setTitleText(QStringLiteral("Rank"));
  rankAxis->setMinorTickCount(-1);
  const auto lastRank = static_cast<qreal>(data.ranks.size());
  rankAxis->setRange(0.8, std::max<qreal>(lastRank * 1.25, 10));
  auto* frequencyAxis = new QLogValueAxis;
  frequencyAxis->setBase(10);
  frequencyAxis->setLabelFormat(QStringLiteral("%g"));
  frequencyAxis->setTitleText(QStringLiteral("Frequency"));
  frequencyAxis->setMinorTickCount(-1);
  const auto highest = static_cast<qreal>(data.ranks.front().frequency);
  const auto lowest = static_cast<qreal>(data.ranks.back().frequency);
  frequencyAxis->setRange(lowest * 0.8, std::max<qreal>(highest * 1.25, 10));
  chart->addAxis(rankAxis, Qt::AlignBottom);
  chart->addAxis(frequencyAxis, Qt::AlignLeft);
  for (QXYSeries* series : {static_cast<QXYSeries*>(runs), static_cast<QXYSeries*>(points)}) {
    series->attachAxis(rankAxis);
    series->attachAxis(frequencyAxis);
  }
  if (data.fit) {
    auto* line = new QLineSeries;
    line->setPen(QPen(QColor(200, 40, 40), 2));
    line->append(1, data.fit->FrequencyAt(1));
    line->append(lastRank, data.fit->FrequencyAt(lastRank));
    chart->addSeries(line);
    line->attachAxis(rankAxis);
    line->attachAxis(frequencyAxis);
  }
  return chart;
}

// Puts a new chart into a view; the view owns it and lets the old one go.
void Replace(QChartView* view, QChart* chart) {
  QChart* old = view->chart();
  view->setChart(chart);
  delete old;
}

}  // namespace

ChartWindow::ChartWindow(Session& s, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), session_(s), mainWindow_(mainWindow) {
  setWindowTitle(QStringLiteral("KWL Charts"));
  tabs_ = new QTabWidget(this);
  barView_ = new QChartView(new QChart, tabs_);
  rankView_ = new QChartView(new QChart, tabs_);
  for (QChartView* view : {barView_, rankView_}) view->setRenderHint(QPainter::Antialiasing);
  tabs_->addTab(barView_, QStringLiteral("Most frequent words"));
  tabs_->addTab(rankView_, QStringLiteral("Rank and frequency"));

  bars_ = new QSpinBox(this);
  bars_->setRange(1, kMaxChartBars);
  bars_->setValue(kDefaultChartBars);
  bars_->setToolTip(QStringLiteral("How many words the bar chart shows"));
  QObject::connect(bars_, &QSpinBox::valueChanged, this, [this] { Redraw(); });
  nothing_ = new QLabel(QStringLiteral("There is no list to draw: count the words first."), this);
  nothing_->hide();
  auto* save = new QPushButton(QStringLiteral("Save as ..."), this);
  QObject::connect(save, &QPushButton::clicked, this, [this] { SaveShownView(); });
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  QObject::connect(close, &QPushButton::clicked, this, [this] {
    hide();
    if (mainWindow_) mainWindow_->activateWindow();
  });

  auto* controls = new QHBoxLayout;
  auto* barsCaption = new QLabel(QStringLiteral("Words in the bar chart:"), this);
  controls->addWidget(barsCaption);
  controls->addWidget(bars_);
  // The number of bars belongs to the bar chart: shown with it only.
  QObject::connect(tabs_, &QTabWidget::currentChanged, this, [this, barsCaption](int index) {
    barsCaption->setVisible(index == 0);
    bars_->setVisible(index == 0);
  });
  controls->addWidget(nothing_);
  controls->addStretch(1);
  controls->addWidget(save);
  controls->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs_, 1);
  layout->addLayout(controls);
  resize(820, 640);
}

void ChartWindow::ShowOrRestore() {
  if (!placed_ && mainWindow_) {
    placed_ = true;
    move(OnScreen(this, mainWindow_->frameGeometry().topLeft() + QPoint(40, 40)));
  }
  Redraw();
  ShowInFront(this);
}

void ChartWindow::ShowView(ChartView view) { tabs_->setCurrentWidget(ViewOf(view)); }

QChartView* ChartWindow::ViewOf(ChartView view) const {
  return view == ChartView::kTopEntries ? barView_ : rankView_;
}

// The list may have changed while the window was behind another (a new
// count, another order): coming to the front, it draws it again.
bool ChartWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && isVisible()) Redraw();
  return QWidget::event(e);
}

void ChartWindow::Redraw() {
  const std::optional<ListingChart> data = ChartOfShownList(session_, bars_->value());
  nothing_->setVisible(!data);
  tabs_->setEnabled(data.has_value());
  if (!data) {
    Replace(barView_, new QChart);
    Replace(rankView_, new QChart);
    return;
  }
  Replace(barView_, BarChart(session_, *data));
  Replace(rankView_, RankFrequencyChart(session_, *data));
}

void ChartWindow::SaveShownView() {
  const ChartView view = tabs_->currentWidget() == barView_ ? ChartView::kTopEntries : ChartView::kRankFrequency;
  const std::optional<ChartFile> file = ChooseChartFile(session_, view);
  if (!file) return;
  if (const std::string failure = Save(view, file->path, file->format); !failure.empty())
    ReportChartNotSaved(session_, file->path, failure);
}

std::string ChartWindow::Save(ChartView view, const std::string& path, ChartFormat format) {
  QChartView* chartView = ViewOf(view);
  // A view never shown has no size of its own: it is drawn at the size of
  // the one that is.
  if (chartView->size() != tabs_->currentWidget()->size()) chartView->resize(tabs_->currentWidget()->size());
  QSaveFile file(Text(path));
  if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
  if (format == ChartFormat::kSvg) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(chartView->size());
    svg.setViewBox(QRect(QPoint(0, 0), chartView->size()));
    svg.setTitle(chartView->chart()->title());
    QPainter painter;
    if (!painter.begin(&svg)) return "The picture could not be drawn.";
    chartView->render(&painter);
    painter.end();
  } else if (!chartView->grab().save(&file, "PNG")) {
    file.cancelWriting();
    return file.error() != QFileDevice::NoError ? file.errorString().toStdString() : "The picture could not be written.";
  }
  if (!file.commit()) return file.errorString().toStdString();
  return {};
}

}  // namespace kwl::qt
