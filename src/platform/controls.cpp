#include "controls.h"

#include "text/cp1252.h"

namespace kwl {

void TextBox::SetText(std::string text) {
  if (text == text_) return;
  length_ = cp1252::Utf8Length(text);
  text_ = std::move(text);
  ++revision_;
  if (caret_ > length_) caret_ = length_;
  Changed();
}

void TextBox::Append(std::string_view more) {
  if (more.empty()) return;
  length_ += cp1252::Utf8Length(more);
  text_.append(more);
  if (onAppend) {
    onAppend(more);
  } else {
    Changed();
  }
}

void TextBox::TakeUserText(std::string text) {
  length_ = cp1252::Utf8Length(text);
  text_ = std::move(text);
  ++revision_;
  if (caret_ > length_) caret_ = length_;
}

void CheckBox::SetValue(std::int16_t v) {
  if (v == value_) return;
  value_ = v;
  Changed();
  if (onClick) onClick();
}

void OptionButton::Select() {
  if (group_)
    for (OptionButton* other : *group_)
      if (other != this) other->SetRaw(false);
  SetRaw(true);
  if (onClick) onClick();
}

void ComboBox::Clear() {
  items_.clear();
  index_ = -1;
  Changed();
}

void ComboBox::AddItem(std::string item) {
  items_.push_back(std::move(item));
  Changed();
}

std::string ComboBox::Text() const {
  if (index_ < 0 || index_ >= static_cast<int>(items_.size())) return {};
  return items_[static_cast<std::size_t>(index_)];
}

bool ComboBox::SetListIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) return false;
  index_ = static_cast<std::int16_t>(index);
  Changed();
  if (onClick) onClick();
  return true;
}

}  // namespace kwl
