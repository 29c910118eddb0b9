#include "platform/qt/binding.h"

#include <QEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>

#include <memory>

#include "platform/qt/qt_platform.h"

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

// The properties every control shares.
void SyncCommon(const Control& c, QWidget* w) {
  w->setEnabled(c.Enabled());
  w->setVisible(c.Visible());
  w->setToolTip(Q(c.ToolTip()));
  w->setFont(ToQFont(c.GetFont(), w->font()));
}

void HookCommon(Control& c, QWidget* w) {
  c.onRepaint = [w] { w->repaint(); };
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

// Runs a text box's reactions to losing the keyboard focus and to a click.
class TextBoxEvents : public QObject {
 public:
  TextBoxEvents(QObject* parent, TextBox& box) : QObject(parent), box_(box) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) box_.LoseFocus();
    if (event->type() == QEvent::MouseButtonRelease) box_.Click();
    return QObject::eventFilter(watched, event);
  }

 private:
  TextBox& box_;
};

}  // namespace

void Bind(Label& c, QLabel* w) {
  auto sync = [&c, w] {
    SyncCommon(c, w);
    w->setText(Q(c.Caption()));
    w->setAlignment(ToQt(c.Alignment()));
  };
  c.onUpdate = sync;
  HookCommon(c, w);
  sync();
}

void Bind(Button& c, QPushButton* w) {
  auto sync = [&c, w] {
    SyncCommon(c, w);
    w->setText(Q(c.Caption()));
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
  w->installEventFilter(new TextBoxEvents(w, c));
  sync();
}

void Bind(TextBox& c, QPlainTextEdit* w) {
  // What the widget shows, as the engine last gave it, and whether a change
  // of the widget comes from the engine rather than from the user's typing.
  struct State {
    std::string shown;
    bool pushing = false;
  };
  auto state = std::make_shared<State>();
  auto sync = [&c, w, state] {
    SyncCommon(c, w);
    if (state->shown != c.Text()) {
      state->pushing = true;
      w->setPlainText(FromProgramText(c.Text()));
      state->pushing = false;
      state->shown = c.Text();
    }
    QTextCursor cursor = w->textCursor();
    cursor.setPosition(std::min<int>(static_cast<int>(c.Caret()), w->document()->characterCount() - 1));
    w->setTextCursor(cursor);
  };
  c.onUpdate = sync;
  c.onAppend = [w, state](std::string_view more) {
    state->pushing = true;
    QTextCursor end(w->document());
    end.movePosition(QTextCursor::End);
    end.insertText(FromProgramText(std::string(more)));
    state->pushing = false;
    state->shown.append(more);
  };
  HookCommon(c, w);
  w->viewport()->installEventFilter(new TextBoxEvents(w, c));
  QObject::connect(w, &QPlainTextEdit::textChanged, w, [&c, w, state] {
    if (state->pushing) return;
    // The user typed: take the text over with the program's CR LF line breaks.
    QString text = w->toPlainText();
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    state->shown = text.toStdString();
    c.TakeUserText(state->shown);
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
