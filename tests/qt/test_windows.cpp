// The program's windows as a person sees and uses them.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "progress.h"
#include "statistics.h"
#include "windows_fixture.h"

namespace kwl::qttest {
namespace {

// The rows "rank frequency word" of a listing, as the reader sees them.
std::vector<std::string> ListedRows(const QString& listing) {
  static const QRegularExpression row(QStringLiteral("^\\s*\\d+\\s+\\d+\\s+\\S+\\s*$"));
  std::vector<std::string> rows;
  for (const QString& line : listing.split(QRegularExpression(QStringLiteral("\r?\n"))))
    if (row.match(line).hasMatch()) rows.push_back(line.simplified().toStdString());
  return rows;
}

// What kestrawl-count prints for a file with the default settings.
QString CountedByCommandLine(const std::string& input) {
  const std::string command = std::string(KWL_BIN_DIR) + "/kestrawl-count '" + input + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  std::string out;
  char buffer[4096];
  while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
  return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

using MainWindowOnScreen = Windows;

TEST_F(MainWindowOnScreen, EveryControlIsThereAndShownAsTheWindowLogicSays) {
  MainControls& m = session.main;
  const struct {
    Control* control;
    const char* kind;  // the widget class a person recognises it by
  } controls[] = {
      {&m.optInFile, "QRadioButton"},
      {&m.optOnClipboard, "QRadioButton"},
      {&m.lblSizeOfClipboardContents, "QLabel"},
      {&m.cmdFile[0], "QPushButton"},
      {&m.cmdFile[1], "QPushButton"},
      {&m.cmdInputFolder, "QPushButton"},
      {&m.txbFile[0], "QLineEdit"},
      {&m.txbFile[1], "QLineEdit"},
      {&m.cmdClearFile[0], "QPushButton"},
      {&m.cmdClearFile[1], "QPushButton"},
      {&m.chkUTF8, "QCheckBox"},
      {&m.chkDisableOutputToFile, "QCheckBox"},
      {&m.lblFilesize, "QLabel"},
      {&m.lblXMLsize, "QLabel"},
      {&m.cmdListWords, "QPushButton"},
      {&m.chkSuppressWords, "QCheckBox"},
      {&m.cboWordOrder, "QComboBox"},
      {&m.cboDisplayFormat, "QComboBox"},
      {&m.txbOutput, "QPlainTextEdit"},
      {&m.txbIntro, "QPlainTextEdit"},
      {&m.lblTimeElapsed, "QLabel"},
      {&m.lblTwirler, "QLabel"},
      {&m.lblNumberOfWords, "QLabel"},
      {&m.lblNumWordsExcluded, "QLabel"},
      {&m.lblNumOccurrences, "QLabel"},
      {&m.lblTotalNumOccurrences, "QLabel"},
      {&m.cmdClearOutput, "QPushButton"},
      {&m.cmdSetParameters, "QPushButton"},
      {&m.cmdSaveState, "QPushButton"},
      {&m.cmdHelp, "QPushButton"},
      {&m.cmdQuit, "QPushButton"},
      {&m.lblOnlineDocumentation, "QLabel"},
      {&m.lblZorvathSystems, "QLabel"},
      {&m.lblZV_URL, "QLabel"},
      {&m.cmdZVsoftware, "QPushButton"},
  };
  ASSERT_TRUE(Main().isVisible());
  EXPECT_FALSE(Settings().isVisible());
  EXPECT_FALSE(Help().isVisible());
  int shown = 0;
  for (const auto& c : controls) {
    SCOPED_TRACE(c.control->Name());
    QWidget* w = Find(c.control->Name());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->inherits(c.kind)) << w->metaObject()->className();
    EXPECT_EQ(w->isVisible(), c.control->Visible());
    EXPECT_EQ(w->isEnabled(), c.control->Enabled());
    shown += w->isVisible();
    // A caption reads as the window logic wrote it.
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      if (auto* captioned = dynamic_cast<Button*>(c.control)) {
        EXPECT_EQ(b->text().toStdString(), captioned->Caption());
      }
      EXPECT_FALSE(b->text().isEmpty());
    }
    if (auto* l = qobject_cast<QLabel*>(w); l && l->isVisible()) {
      EXPECT_EQ(l->text().toStdString(), static_cast<Label*>(c.control)->Caption());
    }
  }
  // At start the statistics wait for a count; the rest of the window is there.
  EXPECT_GE(shown, 28);
  for (Label* hidden : {&m.lblNumberOfWords, &m.lblNumWordsExcluded, &m.lblNumOccurrences, &m.lblTotalNumOccurrences})
    EXPECT_FALSE(Get(hidden->Name()).isVisible()) << hidden->Name();
}

// The windows carry the program's own icon, whatever icon theme is installed.
TEST_F(MainWindowOnScreen, TheWindowsShowTheProgramsIcon) {
  for (QWidget* window : {static_cast<QWidget*>(&Main()), static_cast<QWidget*>(&Settings())})
    EXPECT_FALSE(window->windowIcon().pixmap(48).isNull());
}

TEST_F(MainWindowOnScreen, TheKeyboardStartsOnTheInputFileButton) {
  EXPECT_EQ(FocusedName(), "cmdFile(0)");
}

TEST_F(MainWindowOnScreen, ACountStartedByClicksListsTheWordsOfTheFile) {
  const std::string input = test::TestData("sample.txt");
  auto& path = Get<QLineEdit>("txbFile(0)");
  Type(path, QString::fromStdString(input));
  // The text is English: once the path is confirmed the window offers the
  // English common words, which kestrawl-count leaves out unless told.
  platform.answers = {Answer::No};
  Press(path, Qt::Key_Return);
  Click(Get("cmdListWords"));
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].title, "Load common words?");

  const QString listing = Get<QPlainTextEdit>("txbOutput").toPlainText();
  const std::vector<std::string> rows = ListedRows(listing);
  ASSERT_FALSE(rows.empty()) << listing.toStdString();
  EXPECT_EQ(rows, ListedRows(CountedByCommandLine(input))) << listing.toStdString();
  // The statistics are shown beside the list.
  EXPECT_TRUE(Get<QLabel>("lblNumberOfWords").isVisible());
  EXPECT_TRUE(Get<QLabel>("lblNumberOfWords").text().contains(QString::number(rows.size())));
}

TEST_F(MainWindowOnScreen, TheHelpButtonOpensTheHelpWithTheManualsAddress) {
  Click(Get("cmdHelp"));
  ASSERT_TRUE(Help().isVisible());
  const QString help = Get<QPlainTextEdit>("txbHelp", &Help()).toPlainText();
  const std::string address = session.Text(15);
  ASSERT_FALSE(address.empty());
  EXPECT_TRUE(help.contains(QString::fromStdString(address))) << help.left(300).toStdString();
  EXPECT_TRUE(platform.openedUrls.empty()) << "the help is the program's own window";
}

// The settings window opens beside the main window, wherever the user has
// moved that, and comes back in front when Settings is clicked again; near
// the screen's edge it stays on the screen.
TEST_F(MainWindowOnScreen, TheSettingsWindowOpensBesideTheMainWindowAndComesToTheFront) {
  auto& settingsButton = Get("cmdSetParameters");
  const QRect screen = Main().screen()->availableGeometry();
  for (const QPoint mainAt : {QPoint(20, 30), QPoint(160, 10)}) {
    Main().move(mainAt);
    ProcessEvents();
    Click(settingsButton);
    ASSERT_TRUE(Settings().isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Settings()));
    const QRect main = Main().frameGeometry();
    const QRect beside = Settings().frameGeometry();
    EXPECT_EQ(beside.top(), main.top()) << "level with the main window";
    EXPECT_GT(beside.left(), main.left() + settingsButton.width()) << "to the right of the Settings button's width";
    EXPECT_LT(beside.left(), main.left() + 2 * settingsButton.width()) << "but near it";
    // The main window comes to the front; Settings brings the window back.
    Main().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Main()));
  }
  Main().move(screen.right() - 200, screen.top());
  ProcessEvents();
  Click(settingsButton);
  EXPECT_TRUE(screen.contains(Settings().frameGeometry())) << "on the screen";
}

// Tab from the first control walks every control in reading order to the
// last one, also past the input path box with a path typed into it: the
// window takes the path and lets the focus go on.
TEST_F(MainWindowOnScreen, TabFromTheFirstControlReachesTheLastOne) {
  platform.answers = {Answer::No};  // the offer of the common words of the file's language
  Get("optInFile").setFocus(Qt::TabFocusReason);
  ProcessEvents();
  std::vector<std::string> walked{FocusedName()};
  bool typed = false;
  for (int i = 0; i < 40 && walked.back() != "cmdZVsoftware"; ++i) {
    if (walked.back() == "txbFile(0)" && !typed) {
      QTest::keyClicks(QApplication::focusWidget(), QString::fromStdString(test::TestData("sample.txt")));
      typed = true;
    }
    Press(*QApplication::focusWidget(), Qt::Key_Tab);
    walked.push_back(FocusedName());
  }
  std::string trail;
  for (const std::string& name : walked) trail += name + " ";
  const std::vector<std::string> inOrder = {
      "optInFile",    "cmdFile(0)",       "cmdInputFolder", "txbFile(0)",   "chkUTF8",          "cmdFile(1)",
      "txbFile(1)",   "cmdListWords",     "chkSuppressWords", "cboWordOrder", "cboDisplayFormat", "txbOutput",
      "txbIntro",     "cmdSetParameters", "cmdSaveState", "cmdHelp",          "cmdQuit",          "cmdZVsoftware"};
  auto at = walked.begin();
  for (const std::string& name : inOrder) {
    at = std::find(at, walked.end(), name);
    ASSERT_NE(at, walked.end()) << name << " not reached in reading order: " << trail;
  }
  EXPECT_EQ(platform.boxes.size(), 1u) << "the path is taken once: " << trail;
}

// "Input folder" stands beside "Input file": the input box then shows the
// folder, and its tooltip the files found in it.
TEST_F(MainWindowOnScreen, TheInputFolderButtonShowsTheFolderAndItsFiles) {
  std::filesystem::create_directories(home.File("corpus"));
  const std::string a = home.Write("corpus/a.txt", "alpha beta\r\n");
  const std::string b = home.Write("corpus/b.txt", "gamma\r\n");
  ProcessEvents();
  const QRect file = Get("cmdFile(0)").geometry();
  const QRect folder = Get("cmdInputFolder").geometry();
  EXPECT_EQ(folder.top(), file.top());
  EXPECT_GT(folder.left(), file.right());
  EXPECT_LT(folder.right(), Get("txbFile(0)").geometry().left());
  EXPECT_EQ(Get("txbFile(1)").geometry().left(), folder.left()) << "the output path box starts where it always did";
  platform.folderAnswers = {home.File("corpus")};
  platform.answers = {Answer::No};  // the offer of the common words of the first file's language
  Click(Get("cmdInputFolder"));
  const auto& box = Get<QLineEdit>("txbFile(0)");
  EXPECT_EQ(box.text().toStdString(), home.File("corpus"));
  EXPECT_EQ(box.toolTip().toStdString(), a + "\n" + b);
}

// Where every widget of a window but the labels is, and whether the
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

// The captions the window logic gives its labels move and resize nothing
// else: not the path boxes, not the introduction (no scroll bar appears).
TEST_F(MainWindowOnScreen, LabelCaptionsMoveNothingElse) {
  MainControls& m = session.main;
  ProcessEvents();
  const auto before = Places(Main());
  ListStatistics big;
  big.wordsListed = 2000000000;
  big.wordsIgnored = 2000000000;
  big.occurrencesListed = 999999999999;
  big.totalOccurrences = 999999999999;
  big.filesCounted = 2000000000;
  big.filesSkipped = 2000000000;
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
      {"statistics", [&] { ShowRunStatistics(session, big); }},
      {"progress bar", [&] { m.lblTotalNumOccurrences.SetCaption("[------------------>                  ]"); }},
      {"all emptied and hidden", [&] {
         for (Label* l : {&m.lblFilesize, &m.lblXMLsize, &m.lblSizeOfClipboardContents, &m.lblTwirler})
           l->SetCaption("");
         ConcealNumWords(session, true);
       }},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.change();
    ProcessEvents();
    const auto after = Places(Main());
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [widget, place] : before)
      EXPECT_EQ(after.at(widget), place) << widget->metaObject()->className();
  }
}

// The settings window's controls each have their own place: no two visible
// widgets overlap unless one holds the other (a group box and its boxes).
TEST_F(MainWindowOnScreen, NoTwoControlsOfTheSettingsWindowOverlap) {
  Click(Get("cmdSetParameters"));
  ASSERT_TRUE(Settings().isVisible());
  ProcessEvents();
  std::vector<std::pair<QWidget*, QRect>> placed;
  for (QWidget* w : Settings().findChildren<QWidget*>()) {
    if (!w->isVisible() || w->objectName().isEmpty()) continue;
    placed.emplace_back(w, QRect(w->mapTo(&Settings(), QPoint(0, 0)), w->size()));
  }
  ASSERT_NE(std::find_if(placed.begin(), placed.end(),
                         [](const auto& p) { return p.first->objectName() == QStringLiteral("chkShowFiles"); }),
            placed.end())
      << "the files check box is in the window";
  for (std::size_t i = 0; i < placed.size(); ++i)
    for (std::size_t j = i + 1; j < placed.size(); ++j) {
      QWidget* a = placed[i].first;
      QWidget* b = placed[j].first;
      if (a->isAncestorOf(b) || b->isAncestorOf(a)) continue;
      EXPECT_FALSE(placed[i].second.intersects(placed[j].second))
          << a->objectName().toStdString() << " and " << b->objectName().toStdString();
    }
  QWidget& files = Get("chkShowFiles", &Settings());
  EXPECT_TRUE(Settings().rect().contains(QRect(files.mapTo(&Settings(), QPoint(0, 0)), files.size())));
  // A click reaches the setting.
  Click(files);
  EXPECT_EQ(session.params.chkShowFiles.Value(), 1);
  // The Unicode mode's box at the foot of the window, below every other control.
  QWidget& unicode = Get("chkUnicodeWords", &Settings());
  const QRect unicodeRect(unicode.mapTo(&Settings(), QPoint(0, 0)), unicode.size());
  EXPECT_TRUE(Settings().rect().contains(unicodeRect));
  for (const auto& [widget, rect] : placed)
    if (widget != &unicode && !widget->isAncestorOf(&unicode)) {
      EXPECT_LE(rect.top(), unicodeRect.top()) << widget->objectName().toStdString();
    }
  Click(unicode);
  EXPECT_EQ(session.params.chkUnicodeWords.Value(), 1);
}

}  // namespace
}  // namespace kwl::qttest
