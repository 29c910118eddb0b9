#pragma once
// The chart window "KWL Charts": the list shown drawn two ways, on two tabs:
// its first entries as horizontal bars (how many, from a spin box) and the
// rank/frequency plot on log-log axes with the fitted Zipf line. What it
// draws, and when, is the window logic's (chart.h); it draws the list afresh
// whenever it is opened or comes to the front. Built only with Qt Charts.
#include <QWidget>

#include <string>

#include "chart.h"

class QChartView;
class QLabel;
class QSpinBox;
class QTabWidget;

namespace kwl {
struct Session;
}

namespace kwl::qt {

class ChartWindow : public QWidget {
 public:
  ChartWindow(Session& session, QWidget* mainWindow);
  // Draws the list shown and shows the window, restored and in front.
  void ShowOrRestore();
  // Brings a view to the front.
  void ShowView(ChartView view);
  // Writes the view into the file (through a temporary file that replaces
  // it only once complete): "" when saved, otherwise why not.
  std::string Save(ChartView view, const std::string& path, ChartFormat format);

 protected:
  bool event(QEvent* event) override;

 private:
  void Redraw();
  void SaveShownView();
  QChartView* ViewOf(ChartView view) const;

  Session& session_;
  QWidget* mainWindow_;
  bool placed_ = false;
  QTabWidget* tabs_;
  QSpinBox* bars_;
  QChartView* barView_;
  QChartView* rankView_;
  QLabel* nothing_;
};

}  // namespace kwl::qt
