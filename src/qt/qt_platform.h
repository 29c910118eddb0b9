#pragma once
// The desktop services of the engine on Qt 6 Widgets.
#include <QElapsedTimer>
#include <QWidget>

#include "platform.h"

namespace kwl::qt {

class QtPlatform : public Platform {
 public:
  // Boxes and dialogs are shown over the given window (may be null).
  explicit QtPlatform(QWidget* owner = nullptr);
  void SetOwner(QWidget* owner) { owner_ = owner; }

  Answer ShowMessage(const MessageBox& box) override;
  std::string InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
  std::optional<std::vector<std::string>> ChooseFiles(const FileDialog& dialog) override;
  std::optional<std::string> ChooseFolder(const std::string& title) override;
  std::string ClipboardText() override;
  void SetClipboardText(const std::string& utf8) override;
  void ProcessEvents() override;
  bool OpenUrl(const std::string& url) override;
  std::string FormatGrouped(std::int64_t n) override;
  std::string DecimalSeparator() override;
  std::int64_t MonotonicMs() override;
  void PopUp(const std::string& text, int width, int height, int milliseconds, int top, int left) override;

  // The program's filter text ("Settings files (*.kwl) | *.kwl") as a Qt filter.
  static QString QtFilter(const std::string& filter);

 private:
  QWidget* owner_;
  QElapsedTimer clock_;
};

// Message texts are composed with CR LF line breaks.
QString FromProgramText(const std::string& utf8);

}  // namespace kwl::qt
