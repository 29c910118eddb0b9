#pragma once
// Binds the engine's plain control objects to Qt widgets: a change made by
// the window logic shows on the widget, and the user's action on the widget
// runs the control's reaction. Fonts named by the program (Arial, Courier
// New) map to their metric-compatible Liberation faces.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "controls.h"

namespace kwl::qt {

void Bind(Label& control, QLabel* widget);
void Bind(Button& control, QPushButton* widget);
void Bind(CheckBox& control, QCheckBox* widget);
void Bind(OptionButton& control, QRadioButton* widget);
void Bind(ComboBox& control, QComboBox* widget);
void Bind(TextBox& control, QLineEdit* widget);
void Bind(TextBox& control, QPlainTextEdit* widget);
// A window: shown, hidden and placed as the control says; Show raises and
// activates it; it reports where it is and when it becomes active.
void BindWindow(Window& control, QWidget* window);
// The top-left corner nearest to topLeft at which the window's frame lies
// within its screen's free area.
QPoint OnScreen(const QWidget* window, QPoint topLeft);
// Shows the window (restored when it is minimised), raised and active.
void ShowInFront(QWidget* window);
// Keeps the control's geometry up to date with the widget's.
void TrackGeometry(Control& control, QWidget* widget);
// The timer runs while the control is enabled.
void Bind(Timer& control, QTimer* timer);

// Makes a widget of type W bound to the control.
template <typename W, typename C>
W* Make(QWidget* parent, C& control) {
  auto* w = new W(parent);
  Bind(control, w);
  return w;
}

// A fixed caption that belongs to no control.
inline QLabel* Caption(QWidget* parent, const char* text) { return new QLabel(QString::fromUtf8(text), parent); }

}  // namespace kwl::qt
