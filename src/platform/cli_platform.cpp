#include "cli_platform.h"

#include <cstdio>

#include <chrono>

namespace kwl {

std::string CliPlatform::Render(const MessageBox& box) {
  std::string text;
  text.reserve(box.text.size());
  for (std::size_t i = 0; i < box.text.size(); ++i) {
    const char c = box.text[i];
    if (c == '\r') {
      text += '\n';
      if (i + 1 < box.text.size() && box.text[i + 1] == '\n') ++i;
    } else {
      text += c;
    }
  }
  return box.title.empty() ? text : box.title + ": " + text;
}

Answer CliPlatform::ShowMessage(const MessageBox& box) {
  if (messages_ && silencedTitles.count(box.title) == 0) {
    const std::string shown = Render(box) + "\n";
    std::fputs(shown.c_str(), messages_);
    std::fflush(messages_);
  }
  if (box.title == "UTF-8 or ANSI file?") {
    const bool utf8 = utf8Choice ? *utf8Choice : box.text.find("seems to be UTF-8") != std::string::npos;
    return utf8 ? Answer::Yes : Answer::No;
  }
  if (box.title == "Large input file" || answerNoTitles.count(box.title) != 0) return Answer::No;
  if (box.defaultButton) return *box.defaultButton;
  return box.buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}

std::string CliPlatform::InputBox(const std::string&, const std::string&, const std::string& defaultText) {
  return defaultText;
}

std::optional<std::string> CliPlatform::ChooseFile(const FileDialog&) { return std::nullopt; }

void CliPlatform::ProcessEvents() {
  if (onProcessEvents) onProcessEvents();
}

bool CliPlatform::OpenUrl(const std::string&) { return false; }

std::int64_t CliPlatform::MonotonicMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void CliPlatform::PopUp(const std::string& text, int, int, int, int, int) { std::fprintf(stderr, "%s\n", text.c_str()); }

}  // namespace kwl
