#pragma once
// The desktop services for kestrawl-count, the command-line front end: no
// window and nobody to ask. Message boxes are printed to a stream ("Title:
// text", line breaks as newlines) and answered without prompting; the
// "clipboard" is text the front end hands over (standard input); dialogs are
// cancelled and input boxes keep their default text.
#include <cstdio>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "platform.h"
#include "text/number_text.h"

namespace kwl {

class CliPlatform : public Platform {
 public:
  explicit CliPlatform(std::FILE* messages = stderr) : messages_(messages) {}

  // Prints the box (unless its title is silenced) and answers it:
  // "UTF-8 or ANSI file?" with the forced choice (utf8Choice) or else as the
  // question's own detection says; "Large input file" and the titles in
  // answerNoTitles with No; every other box with its default button, or
  // Yes / OK.
  Answer ShowMessage(const MessageBox& box) override;
  // The default text (for the overwrite warning: overwrite).
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  // Nothing to choose from: cancelled.
  std::optional<std::string> ChooseFile(const FileDialog& dialog) override;
  std::string ClipboardText() override { return clipboard; }
  void ProcessEvents() override;
  bool OpenUrl(const std::string& url) override;
  std::string FormatGrouped(std::int64_t n) override { return GroupDigits(n); }
  std::int64_t MonotonicMs() override;
  // The notice goes to standard error.
  void PopUp(const std::string& text, int, int, int, int, int) override;

  // The text that stands for the clipboard (UTF-8).
  std::string clipboard;
  // --utf8 (true) or --ansi (false); unset: follow the file's detection.
  std::optional<bool> utf8Choice;
  // Titles of boxes that are answered but not printed.
  std::set<std::string> silencedTitles;
  // Titles of questions answered No.
  std::set<std::string> answerNoTitles;
  // Run on every event pump (progress display, timers).
  std::function<void()> onProcessEvents;

  // The box as printed: "Title: text" with CR LF and CR shown as newlines.
  static std::string Render(const MessageBox& box);

 private:
  std::FILE* messages_;
};

}  // namespace kwl
