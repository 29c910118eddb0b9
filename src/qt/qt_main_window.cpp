#include "qt_main_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QSizePolicy>
#include <QVBoxLayout>

#include <initializer_list>

#include "binding.h"
#include "chart.h"
#include "main_window.h"
#include "qt_occurrences_window.h"
#include "session.h"

namespace kwl::qt {
namespace {

// Keeps a label's room whatever its caption: as wide as the widest of the
// texts it is expected to show (wider when its layout gives more room) and
// one line high, shown or hidden. A new caption then never moves or resizes
// its neighbours: the path boxes keep their width when the file sizes appear,
// the introduction its height when the statistics do.
void ReserveRoom(QLabel* label, std::initializer_list<const char*> longest) {
  const QString caption = label->text();
  QSize room;
  for (const char* text : longest) {
    label->setText(QString::fromUtf8(text));
    room = room.expandedTo(label->sizeHint());
  }
  label->setText(caption);
  label->setMinimumSize(room);
  QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  policy.setRetainSizeWhenHidden(true);
  label->setSizePolicy(policy);
}

}  // namespace

MainWindow::MainWindow(Session& s) : session_(s) {
  MainControls& m = s.main;
  setWindowTitle(QStringLiteral("Kestrawl"));
  // Tall enough for the whole introduction beside the room the statistics
  // keep below it.
  resize(1000, 720);

  auto* source = new QHBoxLayout;
  source->addWidget(Caption(this, "Source: "));
  source->addWidget(Make<QRadioButton>(this, m.optInFile));
  source->addWidget(Make<QRadioButton>(this, m.optOnClipboard));
  source->addSpacing(20);
  auto* clipboardSize = Make<QLabel>(this, m.lblSizeOfClipboardContents);
  ReserveRoom(clipboardSize, {"999,999,999 bytes on the clipboard."});
  source->addWidget(clipboardSize, 1);

  auto* files = new QGridLayout;
  // Made row by row, so that Tab walks them in reading order. "Input folder"
  // stands beside "Input file" in a column of its own, which the output path
  // box spans: only the input path box gives up the room.
  CheckBox* rowEnds[] = {&m.chkUTF8, &m.chkDisableOutputToFile};
  for (int i = 0; i < 2; ++i) {
    files->addWidget(Make<QPushButton>(this, m.cmdFile[static_cast<std::size_t>(i)]), i, 0);
    if (i == 0) {
      files->addWidget(Make<QPushButton>(this, m.cmdInputFolder), 0, 1);
      files->addWidget(Make<QLineEdit>(this, m.txbFile[0]), 0, 2);
    } else {
      files->addWidget(Make<QLineEdit>(this, m.txbFile[1]), 1, 1, 1, 2);
    }
    files->addWidget(Make<QPushButton>(this, m.cmdClearFile[static_cast<std::size_t>(i)]), i, 3);
    files->addWidget(Make<QCheckBox>(this, *rowEnds[i]), i, 4);
  }
  auto* sizes = new QHBoxLayout;
  auto* fileSize = Make<QLabel>(this, m.lblFilesize);
  ReserveRoom(fileSize, {"Filesize: 99,999.99 Mb"});
  sizes->addWidget(fileSize);
  auto* textSize = Make<QLabel>(this, m.lblXMLsize);
  ReserveRoom(textSize, {"Text: 99,999.99 Mb"});
  sizes->addWidget(textSize);
  files->addLayout(sizes, 0, 5);
  files->setColumnStretch(2, 1);

  auto* command = new QHBoxLayout;
  auto* count = Make<QPushButton>(this, m.cmdListWords);
  count->setMinimumWidth(140);
  command->addWidget(count);
  command->addWidget(Make<QCheckBox>(this, m.chkSuppressWords));
  command->addStretch(1);
  command->addWidget(Caption(this, "Word order:"));
  command->addWidget(Make<QComboBox>(this, m.cboWordOrder));
  command->addWidget(Caption(this, "Display format:"));
  command->addWidget(Make<QComboBox>(this, m.cboDisplayFormat));

  auto* output = Make<QPlainTextEdit>(this, m.txbOutput);
  // Long report lines wrap at the box's edge instead of running off to the
  // right; the list keeps its fixed-width font, so its columns line up.
  output->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Right-click on a line, or Ctrl+K: the occurrences of its word.
  ConnectListMenu(s, output, this);

  auto* side = new QVBoxLayout;
  auto* intro = Make<QPlainTextEdit>(this, m.txbIntro);
  intro->setReadOnly(true);
  side->addWidget(intro, 1);
  auto* stats = new QGroupBox(this);
  auto* statsLayout = new QVBoxLayout(stats);
  auto* timeRow = new QHBoxLayout;
  auto* timeElapsed = Make<QLabel>(this, m.lblTimeElapsed);
  ReserveRoom(timeElapsed, {"Time elapsed: 99d 23h 59m 59s"});
  timeRow->addWidget(timeElapsed, 1);
  auto* twirler = Make<QLabel>(this, m.lblTwirler);
  ReserveRoom(twirler, {"\u2190", "\u2191", "\u2192", "\u2193"});
  timeRow->addWidget(twirler);
  statsLayout->addLayout(timeRow);
  // The longest statistics line, with a total of twelve digits; the last
  // label also shows the progress bar of a DOCX document.
  const char* longestStatistics = "No. of words ignored (other than common words): 999,999,999,999";
  const char* progressBar = "[------------------------------------>]";
  for (Label* l : {&m.lblNumberOfWords, &m.lblNumWordsExcluded, &m.lblNumOccurrences, &m.lblTotalNumOccurrences}) {
    auto* label = Make<QLabel>(stats, *l);
    ReserveRoom(label, {longestStatistics, progressBar});
    statsLayout->addWidget(label);
  }
  // A count of several files: its files counted and skipped side by side,
  // on one line kept free for them.
  auto* filesRow = new QHBoxLayout;
  for (Label* l : {&m.lblFilesCounted, &m.lblFilesSkipped}) {
    auto* label = Make<QLabel>(stats, *l);
    ReserveRoom(label, {"Files counted: 999,999,999,999"});
    filesRow->addWidget(label, 1);
  }
  statsLayout->addLayout(filesRow);
  side->addWidget(stats);

  auto* middle = new QHBoxLayout;
  middle->addWidget(output, 3);
  middle->addLayout(side, 2);

  auto* buttons = new QHBoxLayout;
  for (Button* b : {&m.cmdClearOutput, &m.cmdSetParameters, &m.cmdSaveState, &m.cmdHelp, &m.cmdQuit})
    buttons->addWidget(Make<QPushButton>(this, *b));
  // The settings window is placed from this window's place and the Settings
  // button's width.
  TrackGeometry(m.cmdSetParameters, buttons->itemAt(1)->widget());
  TrackGeometry(m.frmMain, this);
  buttons->addStretch(1);
  buttons->addWidget(Make<QLabel>(this, m.lblOnlineDocumentation));
  buttons->addWidget(Make<QLabel>(this, m.lblZorvathSystems));
  buttons->addWidget(Make<QLabel>(this, m.lblZV_URL));
  buttons->addWidget(Make<QPushButton>(this, m.cmdZVsoftware));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(source);
  layout->addLayout(files);
  layout->addLayout(command);
  layout->addLayout(middle, 1);
  layout->addLayout(buttons);

  for (Timer* t : {&m.Timer1, &m.Timer2}) Bind(*t, new QTimer(this));
  m.cmdQuit.onClick = [this] { close(); };
  m.cmdZVsoftware.onClick = [this] { ShowProductWindow(); };
  // F1 anywhere in the window is the help command.
  auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  QObject::connect(f1, &QShortcut::activated, this, [&s] { s.main.cmdHelp.Click(); });
  // Ctrl+G draws the list in the chart window, when a chart is offered.
  auto* chart = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_G), this);
  QObject::connect(chart, &QShortcut::activated, this, [&s] { ShowChart(s); });
}

// The maker's other products: the main window and the settings window step
// aside while it is shown; the main window comes back.
void MainWindow::ShowProductWindow() {
  Session& s = session_;
  hide();
  s.params.frmParams.SetVisible(false);
  QDialog products;
  products.setWindowTitle(QStringLiteral("Zorvath Systems Software"));
  auto* layout = new QVBoxLayout(&products);
  auto* link = new QPushButton(QStringLiteral("Kestrawl"), &products);
  link->setFlat(true);
  link->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline; text-align: left;"));
  QObject::connect(link, &QPushButton::clicked, &products, [&s] { OpenWebPage(s, 14); });
  layout->addWidget(link);
  layout->addWidget(new QLabel(
      QStringLiteral("Counts how often each different word occurs in a text, a docx document or the clipboard."),
      &products));
  auto* close = new QPushButton(QStringLiteral("Close"), &products);
  QObject::connect(close, &QPushButton::clicked, &products, &QDialog::accept);
  layout->addWidget(close, 0, Qt::AlignRight);
  products.exec();
  show();
  if (s.main.cmdSetParameters.Enabled()) s.main.cmdSetParameters.SetFocus();
}

// Closing the window by any means is the quit command.
void MainWindow::closeEvent(QCloseEvent* event) {
  cmdQuit_Click(session_);
  session_.main.windowVisible = false;
  event->accept();
}

}  // namespace kwl::qt
