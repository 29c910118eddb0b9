#include "qt_settings_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSpacerItem>
#include <QVBoxLayout>

#include "binding.h"
#include "session.h"

namespace kwl::qt {
namespace {

// A check box with a list and a trailing word: "Ignore words with fewer than [3] characters".
QHBoxLayout* Row(QWidget* parent, QWidget* first, ComboBox& list, const char* after) {
  auto* row = new QHBoxLayout;
  row->addWidget(first);
  row->addWidget(Make<QComboBox>(parent, list));
  row->addWidget(Caption(parent, after));
  row->addStretch(1);
  return row;
}

// The modal language chooser, shown by the window logic and left when the
// choice or Cancel hides it.
// It opens with its top-left corner on the button that opened it.
void ConnectLanguageChooser(Session& s, QWidget* owner, QWidget* button) {
  LanguageSelection& sel = s.frmLanguageSelection;
  sel.showModal = [&sel, &s, owner, button] {
    QDialog dialog(owner);
    dialog.move(button->mapToGlobal(QPoint(0, 0)));
    dialog.setWindowTitle(QString::fromStdString(s.params.cmdSelectCommonWordsFile[1].Caption()));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(Make<QLabel>(&dialog, sel.lblSelectLanguageOfWordsToIgnore));
    layout->addWidget(Make<QComboBox>(&dialog, sel.cboCommonWordsFiles));
    auto* buttons = new QHBoxLayout;
    auto* accept = Make<QPushButton>(&dialog, sel.cmdAccept);
    auto* cancel = Make<QPushButton>(&dialog, sel.cmdCancel);
    buttons->addWidget(accept);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    auto close = [&dialog, &sel] {
      if (!sel.visible) dialog.done(0);
    };
    QObject::connect(accept, &QPushButton::clicked, &dialog, close);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, close);
    QObject::connect(&dialog, &QDialog::rejected, &dialog, [&sel] {
      if (sel.visible) sel.cmdCancel.Click();
    });
    cancel->setFocus();
    dialog.exec();
    // The widgets go with the dialog: the controls must not reach them later.
    for (Control* c : std::initializer_list<Control*>{&sel.lblSelectLanguageOfWordsToIgnore, &sel.cboCommonWordsFiles,
                                                      &sel.cmdAccept, &sel.cmdCancel}) {
      c->onUpdate = nullptr;
      c->onRepaint = nullptr;
      c->onFocus = nullptr;
    }
  };
}

}  // namespace

SettingsWindow::SettingsWindow(Session& s, QWidget* mainWindow) : QWidget(mainWindow, Qt::Window), session_(s) {
  Params& p = s.params;
  setWindowTitle(QString::fromStdString(s.main.cmdSetParameters.Caption()));

  auto* allow = new QGroupBox(QStringLiteral("Allow 'words' with:"), this);
  auto* allowGrid = new QGridLayout(allow);
  CheckBox* allowBoxes[] = {&p.chkAllowWordsWithHyphens,     &p.chkAllowWordsWithApostrophes,
                            &p.chkAllowWordsWithUnderscores, &p.chkAllowWordsWithColons,
                            &p.chkAllowWordsWithBackslashes, &p.chkAllowWordsWithForwardslashes,
                            &p.chkAllowWordsWithPeriods,     &p.chkAllowWordsWithAtSigns,
                            &p.chkAllowWordsWithNumerals};
  for (int i = 0; i < 9; ++i) allowGrid->addWidget(Make<QCheckBox>(allow, *allowBoxes[i]), i % 5, i / 5);
  allowGrid->addWidget(Make<QPushButton>(allow, p.cmdSetOrClearCheckboxes[1]), 5, 0);
  allowGrid->addWidget(Make<QPushButton>(allow, p.cmdSetOrClearCheckboxes[0]), 5, 1);

  auto* rules = new QGroupBox(QStringLiteral("Furthermore:"), this);
  auto* rulesLayout = new QVBoxLayout(rules);
  for (CheckBox* box : {&p.chkCaseSignificant, &p.chkDropFinalS, &p.chkOnly7bitASCII})
    rulesLayout->addWidget(Make<QCheckBox>(rules, *box));
  rulesLayout->addLayout(Row(rules, Make<QCheckBox>(rules, p.chkIgnoreShortWords), p.cboShortWordSize, "characters"));
  rulesLayout->addLayout(Row(rules, Caption(rules, "Ignore words with more than"), p.cboLongWordSize, "characters"));
  rulesLayout->addLayout(
      Row(rules, Make<QCheckBox>(rules, p.chkIgnoreInfrequentWords), p.cboThresholdFrequency, "occurrences"));
  for (CheckBox* box : {&p.chkIgnoreRepetitions, &p.chkIgnoreRomNum40, &p.chkIgnoreNoLetter})
    rulesLayout->addWidget(Make<QCheckBox>(rules, *box));

  auto* ignore = new QGroupBox(QStringLiteral("Ignore these words:"), this);
  auto* ignoreGrid = new QGridLayout(ignore);
  ignoreGrid->addWidget(Make<QLineEdit>(ignore, p.txbWordsToIgnore), 0, 0, 1, 2);
  ignoreGrid->addWidget(Make<QPushButton>(ignore, p.cmdClearWordsToIgnore), 0, 2);
  ignoreGrid->addWidget(Make<QCheckBox>(ignore, p.chkIgnoreCommonWords), 1, 0);
  ignoreGrid->addWidget(Make<QLineEdit>(ignore, p.txbCommonWordsFile), 1, 1);
  ignoreGrid->addWidget(Make<QPushButton>(ignore, p.cmdClearCommonWordsFile), 1, 2);
  auto* selectLanguage = Make<QPushButton>(ignore, p.cmdSelectCommonWordsFile[1]);
  ignoreGrid->addWidget(selectLanguage, 2, 0);
  ignoreGrid->addWidget(Make<QPushButton>(ignore, p.cmdSelectCommonWordsFile[0]), 2, 1);
  ignoreGrid->setColumnStretch(1, 1);

  auto* markers = new QGroupBox(this);
  auto* markersGrid = new QGridLayout(markers);
  markersGrid->addWidget(Make<QCheckBox>(markers, p.chkAllowCommentMarkers), 0, 0, 1, 3);
  markersGrid->addWidget(Caption(markers, "1st pair:"), 1, 0);
  markersGrid->addWidget(Caption(markers, "2nd pair:"), 2, 0);
  for (int i = 0; i < 2; ++i) {
    markersGrid->addWidget(Make<QLineEdit>(markers, p.txbStartComment[static_cast<std::size_t>(i)]), i + 1, 1);
    markersGrid->addWidget(Make<QLineEdit>(markers, p.txbEndComment[static_cast<std::size_t>(i)]), i + 1, 2);
  }

  auto* output = new QGroupBox(this);
  auto* outputLayout = new QVBoxLayout(output);
  for (CheckBox* box : {&p.chkOutputWithCommas, &p.chkWarnOnOverwrite, &p.chkSaveStateOnQuit})
    outputLayout->addWidget(Make<QCheckBox>(output, *box));

  auto* files = new QGridLayout;
  files->addWidget(Make<QPushButton>(this, p.cmdRestoreDefaults), 0, 0);
  files->addWidget(Make<QPushButton>(this, p.cmdSaveLoadState[0]), 0, 1);
  files->addWidget(Make<QPushButton>(this, p.cmdSaveLoadState[1]), 0, 2);
  files->addWidget(Make<QLabel>(this, p.lblParameters), 1, 0);
  auto* path = Make<QLineEdit>(this, p.txbParametersFile);
  path->setReadOnly(true);
  files->addWidget(path, 1, 1, 1, 2);

  auto* buttons = new QGridLayout;
  buttons->addWidget(Make<QPushButton>(this, p.cmdInitialize), 0, 0);
  // The files column's box has the free room of this row: beside the output
  // boxes a fourth line would make the window taller and move every control
  // below them. The Unicode mode's box goes under it, in a row of its own at
  // the foot of the window, so that no control above it moves either.
  buttons->addItem(new QSpacerItem(20, 0), 0, 1);
  buttons->addWidget(Make<QCheckBox>(this, p.chkShowFiles), 0, 2);
  buttons->addWidget(Make<QCheckBox>(this, p.chkUnicodeWords), 1, 2);
  buttons->setColumnStretch(3, 1);
  buttons->addWidget(Make<QPushButton>(this, p.cmdQuit), 0, 4);
  buttons->addWidget(Make<QPushButton>(this, p.cmdClose), 0, 5);

  auto* top = new QHBoxLayout;
  top->addWidget(allow);
  top->addWidget(rules, 1);
  auto* middle = new QHBoxLayout;
  middle->addWidget(markers);
  middle->addWidget(output, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(ignore);
  layout->addLayout(middle);
  layout->addLayout(files);
  layout->addLayout(buttons);

  BindWindow(p.frmParams, this);
  ConnectLanguageChooser(s, this, selectLanguage);
}

// Closing the window only hides it, like its Close button.
void SettingsWindow::closeEvent(QCloseEvent* event) {
  session_.params.frmParams.SetVisible(false);
  event->accept();
}

}  // namespace kwl::qt
