#pragma once
// Plain control objects: the state of each window's controls (caption, text,
// value, enabled, visible, tooltip, font) without any toolkit. The window
// logic reads and writes them; the Qt binding mirrors them onto real widgets
// and forwards the user's actions back.
//
// As in the program's windows, setting a value from code runs the same
// reaction as the user's action: CheckBox::SetValue, OptionButton::Select and
// ComboBox::SetListIndex call the control's click handler.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kwl {

struct Font {
  std::string name;
  int size = 10;
  bool bold = false;
  bool operator==(const Font&) const = default;
};

enum class Align { Left, Right, Center };

// Where a control stands, in pixels: a window's outer frame on the screen, a
// control's place inside its window. The binding keeps it up to date.
struct Geometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Geometry&) const = default;
};

class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  virtual ~Control() = default;

  const std::string& Name() const { return name_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on) { Set(enabled_, on); }
  bool Visible() const { return visible_; }
  void SetVisible(bool on) { Set(visible_, on); }
  const std::string& ToolTip() const { return toolTip_; }
  void SetToolTip(std::string tip) { Set(toolTip_, std::move(tip)); }
  const Font& GetFont() const { return font_; }
  void SetFont(Font font) { Set(font_, std::move(font)); }

  const Geometry& GetGeometry() const { return geometry_; }
  // The binding reports where the widget is now (no echo back to it).
  void TakeGeometry(Geometry g) { geometry_ = g; }

  // Draws the control at once (used by long loops between event pumps).
  void Repaint() { if (onRepaint) onRepaint(); }
  // Gives the control the keyboard focus.
  void SetFocus() { if (onFocus) onFocus(); }

  // Hooks for the binding.
  std::function<void()> onUpdate;   // a property changed from code
  std::function<void()> onRepaint;
  std::function<void()> onFocus;

 protected:
  template <typename T, typename U>
  void Set(T& field, U&& value) {
    if (field == value) return;
    field = std::forward<U>(value);
    Changed();
  }
  void Changed() { if (onUpdate) onUpdate(); }
  Geometry geometry_;

 private:
  std::string name_;
  bool enabled_ = true;
  bool visible_ = true;
  std::string toolTip_;
  Font font_{"Arial", 10, false};
};

class Label : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { Set(caption_, std::move(caption)); }
  Align Alignment() const { return align_; }
  void SetAlignment(Align a) { Set(align_, a); }
  // Labels that act as links react to a click.
  std::function<void()> onClick;
  void Click() { if (onClick) onClick(); }

 private:
  std::string caption_;
  Align align_ = Align::Left;
};

// A text box. The text is UTF-8; Length() counts characters and is kept up to
// date, so long loops can test it without walking the text.
class TextBox : public Control {
 public:
  using Control::Control;
  const std::string& Text() const { return text_; }
  std::size_t Length() const { return length_; }
  void SetText(std::string text);
  void Append(std::string_view more);
  void Clear() { SetText(std::string()); }
  // Caret position in characters; SetCaretToEnd scrolls to the end.
  std::size_t Caret() const { return caret_; }
  void SetCaret(std::size_t pos) { Set(caret_, pos); }
  void SetCaretToEnd() { SetCaret(length_); }

  std::function<void()> onLostFocus;
  // byTab: the user left the box with Tab or Shift+Tab, so the focus is on its
  // way to the next control and a reaction must not take it back.
  void LoseFocus(bool byTab = false) {
    leftByTab_ = byTab;
    if (onLostFocus) onLostFocus();
    leftByTab_ = false;
  }
  bool LeftByTab() const { return leftByTab_; }
  std::function<void()> onClick;
  void Click() { if (onClick) onClick(); }
  // Set by a binding that can add text at the end cheaply; Append then calls
  // it instead of onUpdate (a long count appends one word at a time).
  std::function<void(std::string_view)> onAppend;
  // Counts the replacements of the whole text (SetText with another text, the
  // user's typing); appends leave it. A binding that has shown the first n
  // bytes of Text() under the same count only needs the bytes after them.
  std::uint64_t TextRevision() const { return revision_; }
  // The user typed: takes the widget's text without echoing it back.
  void TakeUserText(std::string text);

 private:
  std::string text_;
  std::size_t length_ = 0;
  std::size_t caret_ = 0;
  bool leftByTab_ = false;
  std::uint64_t revision_ = 0;
};

class Button : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { Set(caption_, std::move(caption)); }
  std::function<void()> onClick;
  void Click() { if (onClick) onClick(); }

 private:
  std::string caption_;
};

// A check box: 0 unchecked, 1 checked (2 greyed, accepted as stored files may hold it).
class CheckBox : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { Set(caption_, std::move(caption)); }
  std::int16_t Value() const { return value_; }
  // Runs the click reaction when the value changes.
  void SetValue(std::int16_t v);
  std::function<void()> onClick;

 private:
  std::string caption_;
  std::int16_t value_ = 0;
};

// One option of a group. Selecting it deselects the others of its group and
// runs its click reaction.
class OptionButton : public Control {
 public:
  using Control::Control;
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { Set(caption_, std::move(caption)); }
  bool Value() const { return value_; }
  void Select();
  void JoinGroup(std::vector<OptionButton*>* group) { group_ = group; }
  std::function<void()> onClick;

 private:
  void SetRaw(bool v) { Set(value_, v); }
  std::string caption_;
  bool value_ = false;
  std::vector<OptionButton*>* group_ = nullptr;
};

// A drop-down list with fixed entries; -1 means no entry is chosen.
class ComboBox : public Control {
 public:
  using Control::Control;
  const std::vector<std::string>& Items() const { return items_; }
  void Clear();
  void AddItem(std::string item);
  std::int16_t ListIndex() const { return index_; }
  std::string Text() const;
  // Chooses an entry (runs the click reaction). Returns false, changing
  // nothing, for an index outside -1 .. count-1.
  bool SetListIndex(int index);
  std::function<void()> onClick;

 private:
  std::vector<std::string> items_;
  std::int16_t index_ = -1;
};

// A window of the program. Hidden and shown through Visible; Show also
// raises it above the others and makes it the active window when it is
// shown already. Move places its frame on the screen.
class Window : public Control {
 public:
  using Control::Control;
  void Show() {
    SetVisible(true);
    if (onShow) onShow();
  }
  void Move(int left, int top) {
    Geometry g = geometry_;
    g.left = left;
    g.top = top;
    Set(geometry_, g);
  }
  // The window became the active window (the binding calls it).
  void Activated() { if (onActivated) onActivated(); }
  std::function<void()> onActivated;
  std::function<void()> onShow;  // for the binding: raise and activate
};

// A timer with a millisecond interval. The binding drives Tick() while it is
// enabled; tests call Tick() themselves.
class Timer : public Control {
 public:
  using Control::Control;
  int Interval() const { return interval_; }
  void SetInterval(int ms) { Set(interval_, ms); }
  void Tick() { if (Enabled() && onTimer) onTimer(); }
  std::function<void()> onTimer;

 private:
  int interval_ = 1000;
};

}  // namespace kwl
