#include "qt_occurrences_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QShortcut>
#include <QTextBlock>
#include <QVBoxLayout>

#include <memory>

#include "binding.h"
#include "occurrences_window.h"
#include "session.h"

namespace kwl::qt {
namespace {

// The place of a text cursor in the list: its line and column, and the
// selection when the cursor holds one.
ListPlace PlaceOf(const QTextCursor& cursor, const QString& selection) {
  ListPlace place;
  place.line = static_cast<std::size_t>(std::max(0, cursor.blockNumber()));
  place.column = static_cast<std::size_t>(std::max(0, cursor.positionInBlock()));
  // A selection spanning lines is no word.
  if (!selection.contains(QChar::ParagraphSeparator)) place.selection = selection.toStdString();
  return place;
}

}  // namespace

OccurrencesWindowWidget::OccurrencesWindowWidget(Session& s, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), session_(s) {
  OccurrencesWindow& w = s.frmOccurrences;
  setWindowTitle(QStringLiteral("Occurrences"));
  // Wide enough for a whole row: a line number, 60 characters each side
  // and the word.
  resize(1140, 600);

  auto* top = new QHBoxLayout;
  auto* of = Make<QLabel>(this, w.lblOccurrencesOf);
  top->addWidget(of, 1);
  top->addWidget(Caption(this, "Order:"));
  top->addWidget(Make<QComboBox>(this, w.cboOccurrenceOrder));

  auto* rows = Make<QPlainTextEdit>(this, w.txbOccurrences);
  rows->setReadOnly(true);
  rows->setLineWrapMode(QPlainTextEdit::NoWrap);
  QObject::connect(rows, &QPlainTextEdit::cursorPositionChanged, rows, [&w, rows] {
    w.intCurrentRow = static_cast<std::size_t>(std::max(0, rows->textCursor().blockNumber()));
  });

  auto* commands = new QHBoxLayout;
  commands->addWidget(Make<QLabel>(this, w.lblNumOccurrencesShown), 1);
  commands->addWidget(Make<QPushButton>(this, w.cmdCopyOccurrence));
  commands->addWidget(Make<QPushButton>(this, w.cmdSaveOccurrences));

  auto* why = new QGroupBox(this);
  auto* whyLayout = new QVBoxLayout(why);
  whyLayout->addWidget(Make<QLabel>(why, w.lblWhy));
  auto* ask = new QHBoxLayout;
  ask->addWidget(Make<QLineEdit>(why, w.txbWhyToken), 1);
  ask->addWidget(Make<QPushButton>(why, w.cmdWhy));
  whyLayout->addLayout(ask);
  auto* answer = Make<QPlainTextEdit>(why, w.txbWhy);
  answer->setReadOnly(true);
  answer->setFixedHeight(answer->fontMetrics().lineSpacing() * 7 + 12);
  whyLayout->addWidget(answer);

  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(Make<QPushButton>(this, w.cmdCloseOccurrences));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(rows, 1);
  layout->addLayout(commands);
  layout->addWidget(why);
  layout->addLayout(bottom);
  BindWindow(w.frmOccurrences, this);
}

// Closing the window only hides it, like its Close button.
void OccurrencesWindowWidget::closeEvent(QCloseEvent* event) {
  session_.frmOccurrences.frmOccurrences.SetVisible(false);
  event->accept();
}

void ConnectListMenu(Session& s, QPlainTextEdit* list, QWidget* window) {
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(list, &QPlainTextEdit::customContextMenuRequested, list, [&s, list](const QPoint& pos) {
    const QTextCursor clicked = list->cursorForPosition(pos);
    const QTextCursor selected = list->textCursor();
    // The selection counts when the click falls on it; otherwise the line.
    const bool onSelection = selected.hasSelection() && clicked.position() >= selected.selectionStart() &&
                             clicked.position() <= selected.selectionEnd();
    const ListPlace place = PlaceOf(clicked, onSelection ? selected.selectedText() : QString());
    std::unique_ptr<QMenu> menu(list->createStandardContextMenu(pos));
    const std::vector<ListMenuEntry> entries = ListContextMenu(s, place);
    if (!entries.empty()) menu->addSeparator();
    for (const ListMenuEntry& e : entries) {
      QAction* action = menu->addAction(QString::fromStdString(e.caption));
      action->setObjectName(QStringLiteral("listMenuEntry"));
      if (!e.shortcut.empty()) action->setShortcut(QKeySequence(QString::fromStdString(e.shortcut)));
      action->setEnabled(e.enabled);
      QObject::connect(action, &QAction::triggered, list, e.action);
    }
    menu->exec(list->viewport()->mapToGlobal(pos));
  });
  auto* ctrlK = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), window);
  QObject::connect(ctrlK, &QShortcut::activated, list, [&s, list] {
    const QTextCursor cursor = list->textCursor();
    ShowOccurrencesAt(s, PlaceOf(cursor, cursor.selectedText()));
  });
}

}  // namespace kwl::qt
