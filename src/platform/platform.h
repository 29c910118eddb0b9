#pragma once
// What the engine needs from the desktop. The Qt binding implements it for
// the window, kestrawl-count for the shell, and the tests with a scripted fake
// that records every box shown.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kwl {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

// A modal message box. Texts are UTF-8; line breaks are "\r\n" as the
// messages are composed, and a binding may show them as it likes.
struct MessageBox {
  std::string text;
  std::string title;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  // The button that Enter chooses; nullopt means the first one.
  std::optional<Answer> defaultButton;
};

struct FileDialog {
  std::string title;
  // The filter text as the program composes it ("Settings files (*.kwl) | *.kwl");
  // the binding turns it into its own filter.
  std::string filter;
  std::string initialName;
  bool save = false;
  bool mustExist = false;          // path and file must exist (open dialogs)
  bool confirmOverwrite = false;   // save dialogs: ask before replacing a file
  bool multiple = false;           // open dialogs: several files may be chosen (ChooseFiles)
};

class Platform {
 public:
  virtual ~Platform() = default;

  virtual Answer ShowMessage(const MessageBox& box) = 0;
  // A modal input box; the empty string on Cancel.
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;
  // The chosen path, or nullopt when the user cancelled.
  virtual std::optional<std::string> ChooseFile(const FileDialog& dialog) = 0;
  // The chosen paths of an open dialog that takes several files when
  // dialog.multiple is set, or nullopt when the user cancelled. A desktop
  // without such a dialog offers the one-file dialog.
  virtual std::optional<std::vector<std::string>> ChooseFiles(const FileDialog& dialog) {
    std::optional<std::string> one = ChooseFile(dialog);
    if (!one) return std::nullopt;
    return std::vector<std::string>{std::move(*one)};
  }
  // The chosen folder, or nullopt when the user cancelled (or the desktop
  // has no folder chooser).
  virtual std::optional<std::string> ChooseFolder(const std::string& /*title*/) { return std::nullopt; }
  // The clipboard's plain text as UTF-8; empty when it holds no text.
  virtual std::string ClipboardText() = 0;
  // Puts plain text (UTF-8) on the clipboard; a desktop without one ignores it.
  virtual void SetClipboardText(const std::string& /*utf8*/) {}
  // Processes pending window events (timer ticks, clicks, repaints) and returns.
  virtual void ProcessEvents() = 0;
  // Opens a web address with the desktop's handler; false on failure.
  virtual bool OpenUrl(const std::string& url) = 0;
  // A whole number with the user's digit grouping ("12,345").
  virtual std::string FormatGrouped(std::int64_t n) = 0;
  // The user's decimal separator ("." in English), for numbers with decimals.
  virtual std::string DecimalSeparator() = 0;
  // Milliseconds from a fixed, monotonic origin (used to throttle the pump).
  virtual std::int64_t MonotonicMs() = 0;
  // A transient notice that closes by itself after the given time, or when
  // clicked, placed at left/top (pixels) from the owner window's corner.
  // The caller waits until it has closed.
  virtual void PopUp(const std::string& text, int width, int height, int milliseconds, int top, int left) = 0;
};

}  // namespace kwl
