#include "binding.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextCursor>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

#include "qt_platform.h"

namespace kwl::qt {
namespace {

QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QFont ToQFont(const Font& f, const QFont& base) {
  QFont font = base;
  if (f.name == "Arial") font.setFamily(QStringLiteral("Liberation Sans"));
  else if (f.name == "Courier New") font.setFamily(QStringLiteral("Liberation Mono"));
  else if (f.name == "Tahoma") font.setFamily(QStringLiteral("DejaVu Sans"));
  else font.setFamily(Q(f.name));
  font.setPointSize(f.size > 0 ? f.size : 10);
  font.setBold(f.bold);
  return font;
}

// The properties every control shares. Only what changed is set: a new font
// makes a text widget lay out its whole text again.
void SyncCommon(const Control& c, QWidget* w) {
  if (w->isEnabled() != c.Enabled()) w->setEnabled(c.Enabled());
  if (w->isVisibleTo(w->parentWidget()) != c.Visible() || !w->parentWidget()) w->setVisible(c.Visible());
  const QString tip = Q(c.ToolTip());
  if (w->toolTip() != tip) w->setToolTip(tip);
  const QFont font = ToQFont(c.GetFont(), w->font());
  if (w->font() != font) w->setFont(font);
}

// A repaint asked for from a long loop draws at once, but not more often
// than every 20 ms: the listing asks once per line. The widget carries the
// control's name, so that tests and the screenshot program find it by the
// name the window logic uses.
void HookCommon(Control& c, QWidget* w) {
  w->setObjectName(Q(c.Name()));
  auto clock = std::make_shared<QElapsedTimer>();
  c.onRepaint = [w, clock] {
    if (clock->isValid() && clock->elapsed() < 20) {
      w->update();
      return;
    }
    clock->start();
    w->repaint();
  };
  c.onFocus = [w] { w->setFocus(); };
}

Qt::Alignment ToQt(Align a) {
  switch (a) {
    case Align::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Center: return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::Left: break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

// Runs a reaction to each event of the watched object (it lives and goes
// with its parent).
class EventHook : public QObject {
 public:
  EventHook(QObject* parent, std::function<void(QEvent*)> react) : QObject(parent), react_(std::move(react)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    react_(event);
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(QEvent*)> react_;
};

void Hook(QObject* watched, QObject* parent, std::function<void(QEvent*)> react) {
  watched->installEventFilter(new EventHook(parent, std::move(react)));
}

// A text box's reactions to losing the keyboard focus and to a click.
void HookTextBoxEvents(QObject* watched, QObject* parent, TextBox& box) {
  Hook(watched, parent, [&box](QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      box.LoseFocus(reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason);
    }
    if (event->type() == QEvent::MouseButtonRelease) box.Click();
  });
}

}  // namespace

void Bind(Label& c, QLabel* w) {
  auto sync = [&c, w] {
    SyncCommon(c, w);
    w->setText(Q(c.Caption()));
    w->setAlignment(ToQt(c.Alignment()));
  };
  c.onUpdate = sync;
  HookCommon(c, w);
  if (c.onClick) {
    // A label that opens a web page looks like a link: the palette's link
    // colour, underlined. The font's other properties still follow the control.
    QPalette palette = w->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
      palette.setColor(group, QPalette::WindowText, palette.color(group, QPalette::Link));
    w->setPalette(palette);
    QFont font = w->font();
    font.setUnderline(true);
    w->setFont(font);
    w->setCursor(Qt::PointingHandCursor);
    Hook(w, w, [&c](QEvent* event) {
      if (event->type() == QEvent::MouseButtonRelease) c.Click();
    });
  }
  sync();
}

namespace {

// Widens a button whose caption would touch its borders: the style's own
// size leaves little room around a long caption in some fonts. The button
// gets at least the caption's width plus the style's margins and a space on
// either side; a wider minimum set by the window (the count button's) stays.
void FitCaption(QPushButton* w) {
  const QFontMetrics metrics(w->font());
  QString text = w->text();
  text.remove(QLatin1Char('&'));
  const int margins = 2 * (w->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) +
                           w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w));
  const int needed = metrics.horizontalAdvance(text) + margins + 2 * metrics.horizontalAdvance(QLatin1Char(' '));
  if (needed > w->sizeHint().width() && needed > w->minimumWidth()) w->setMinimumWidth(needed);
}

}  // namespace

void Bind(Button& c, QPushButton* w) {
  auto sync = [&c, w] {
    SyncCommon(c, w);
    w->setText(Q(c.Caption()));
    FitCaption(w);
  };
  c.onUpdate = sync;
  HookCommon(c, w);
  QObject::connect(w, &QPushButton::clicked, w, [&c] { c.Click(); });
  sync();
}

void Bind(CheckBox& c, QCheckBox* w) {
  auto sync = [&c, w] {
    SyncCommon(c, w);
    w->setText(Q(c.Caption()));
    const QSignalBlocker block(w);
    w->setCheckState(c.Value() == 1 ? Qt::Checked : c.Value() == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
  };
  c.onUpdate = sync;
  HookCommon(c, w);
  QObject::connect(w, &QCheckBox::clicked, w, [&c](bool checked) { c.SetValue(checked ? 1 : 0); });
  sync();
}

void Bind(OptionButton& c, QRadioButton* w) {
  auto sync = [&c, w] {
    SyncCommon(c, w);
    w->setText(Q(c.Caption()));
    const QSignalBlocker block(w);
    w->setChecked(c.Value());
  };
  c.onUpdate = sync;
  HookCommon(c, w);
  QObject::connect(w, &QRadioButton::clicked, w, [&c] { c.Select(); });
  sync();
}

void Bind(ComboBox& c, QComboBox* w) {
  auto sync = [&c, w] {
    SyncCommon(c, w);
    const QSignalBlocker block(w);
    const auto& items = c.Items();
    bool same = w->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < w->count(); ++i) same = w->itemText(i) == Q(items[static_cast<std::size_t>(i)]);
    if (!same) {
      w->clear();
      for (const auto& item : items) w->addItem(Q(item));
    }
    w->setCurrentIndex(c.ListIndex());
  };
  c.onUpdate = sync;
  HookCommon(c, w);
  QObject::connect(w, qOverload<int>(&QComboBox::activated), w, [&c](int index) { c.SetListIndex(index); });
  sync();
}

void Bind(TextBox& c, QLineEdit* w) {
  auto sync = [&c, w] {
    SyncCommon(c, w);
    if (w->text() != Q(c.Text())) w->setText(Q(c.Text()));
  };
  c.onUpdate = sync;
  HookCommon(c, w);
  QObject::connect(w, &QLineEdit::textEdited, w, [&c](const QString& text) { c.TakeUserText(text.toStdString()); });
  QObject::connect(w, &QLineEdit::returnPressed, w, [&c] { c.LoseFocus(); });
  HookTextBoxEvents(w, w, c);
  sync();
}

void Bind(TextBox& c, QPlainTextEdit* w) {
  // How much of the engine's text the widget shows: the first shownBytes
  // bytes of the text of revision shownRevision; whether a change of the
  // widget comes from the engine rather than from the user's typing. Appends
  // and caret moves are gathered and shown together at the next turn of the
  // event loop: a count appends one word at a time, a listing a block of
  // lines, and laying out the text once per word is quadratic. Text appended
  // since is inserted at the end, so a flush costs what was appended, not the
  // whole text.
  struct State {
    std::uint64_t shownRevision = 0;
    std::size_t shownBytes = 0;
    bool flushQueued = false;
    bool pushing = false;
  };
  auto state = std::make_shared<State>();
  // Tab moves on to the next control, as in the single-line boxes; a
  // multi-line box never holds a typed tab.
  w->setTabChangesFocus(true);
  auto flush = [&c, w, state] {
    state->flushQueued = false;
    SyncCommon(c, w);
    state->pushing = true;
    const std::string& text = c.Text();
    if (state->shownRevision != c.TextRevision() || state->shownBytes > text.size()) {
      w->setPlainText(FromProgramText(text));
    } else if (state->shownBytes < text.size()) {
      // The program's text is not the user's to undo, as setPlainText has it;
      // recording it would also cost a quarter of the insertion.
      QTextDocument* document = w->document();
      document->setUndoRedoEnabled(false);
      QTextCursor end(document);
      end.movePosition(QTextCursor::End);
      end.insertText(FromProgramText(text.substr(state->shownBytes)));
      document->setUndoRedoEnabled(true);
    }
    state->pushing = false;
    state->shownRevision = c.TextRevision();
    state->shownBytes = text.size();
    QTextCursor cursor = w->textCursor();
    const int last = w->document()->characterCount() - 1;
    cursor.setPosition(std::min<int>(static_cast<int>(c.Caret()), last));
    w->setTextCursor(cursor);
  };
  auto queue = [w, state, flush] {
    if (state->flushQueued) return;
    state->flushQueued = true;
    QTimer::singleShot(0, w, flush);
  };
  c.onUpdate = queue;
  c.onAppend = [queue](std::string_view) { queue(); };
  HookCommon(c, w);
  c.onRepaint = [w, state, flush] {
    if (state->flushQueued) flush();
    w->repaint();
  };
  HookTextBoxEvents(w->viewport(), w, c);
  QObject::connect(w, &QPlainTextEdit::textChanged, w, [&c, w, state] {
    if (state->pushing) return;
    // The user typed: take the text over with the program's CR LF line breaks.
    QString text = w->toPlainText();
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    c.TakeUserText(text.toStdString());
    state->shownRevision = c.TextRevision();
    state->shownBytes = c.Text().size();
  });
  // The first flush sets the whole text.
  state->shownRevision = c.TextRevision() + 1;
  flush();
}

namespace {

// Reports where a widget is to its control: a window's outer frame on the
// screen, or a control's place inside its window.
void ReportGeometry(const QWidget* w, Control& c) {
  const QRect r = w->isWindow() ? w->frameGeometry() : QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
  c.TakeGeometry({r.x(), r.y(), r.width(), r.height()});
}

}  // namespace

// A place worked out from another window may lie partly off the screen, and
// a title bar above the screen's top cannot be taken to move the window back.
QPoint OnScreen(const QWidget* w, QPoint topLeft) {
  const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  if (!screen) return topLeft;
  const QRect area = screen->availableGeometry();
  const QSize size = w->frameGeometry().size();
  const int x = std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - size.width()));
  const int y = std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - size.height()));
  return {x, y};
}

void TrackGeometry(Control& c, QWidget* w) {
  ReportGeometry(w, c);
  Hook(w, w, [&c, w](QEvent* event) {
    const QEvent::Type t = event->type();
    if (t == QEvent::Move || t == QEvent::Resize || t == QEvent::Show) ReportGeometry(w, c);
  });
}

void ShowInFront(QWidget* w) {
  if (w->isMinimized()) {
    w->showNormal();
  } else {
    w->show();
  }
  w->raise();
  w->activateWindow();
}

void BindWindow(Window& c, QWidget* w) {
  auto sync = [&c, w] {
    const Geometry& g = c.GetGeometry();
    const QPoint wanted(g.left, g.top);
    if (w->frameGeometry().topLeft() != wanted) w->move(OnScreen(w, wanted));
    if (c.Visible() == w->isVisible()) return;
    if (c.Visible()) {
      w->show();
    } else {
      w->hide();
    }
  };
  c.onUpdate = sync;
  c.onShow = [w] {
    if (w->isMinimized()) w->showNormal();
    w->raise();
    w->activateWindow();
  };
  c.onRepaint = [w] { w->repaint(); };
  c.onFocus = [w] { w->activateWindow(); };
  TrackGeometry(c, w);
  Hook(w, w, [&c](QEvent* event) {
    if (event->type() == QEvent::WindowActivate) c.Activated();
  });
  sync();
}

void Bind(Timer& c, QTimer* t) {
  auto sync = [&c, t] {
    t->setInterval(c.Interval());
    if (c.Enabled() && !t->isActive()) t->start();
    if (!c.Enabled() && t->isActive()) t->stop();
  };
  c.onUpdate = sync;
  QObject::connect(t, &QTimer::timeout, t, [&c] { c.Tick(); });
  sync();
}

}  // namespace kwl::qt
