#include "file_dialog.h"

#include "files/paths.h"

namespace kwl {
namespace {

std::string Label(const std::string& filter) { return TrimBlanks(filter.substr(0, filter.find('|'))); }

// The pattern after "|", else the one in the caption's parentheses.
std::string Pattern(const std::string& filter) {
  if (const auto bar = filter.find('|'); bar != std::string::npos) return TrimBlanks(filter.substr(bar + 1));
  const std::string label = Label(filter);
  const auto open = label.rfind('(');
  const auto close = label.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return {};
  return TrimBlanks(label.substr(open + 1, close - open - 1));
}

}  // namespace

std::string DialogFilter(const std::string& filter) {
  std::string label = Label(filter);
  if (label.empty()) return "All files (*)";
  if (label.find('(') == std::string::npos) return label + " (*)";
  for (auto at = label.find("*.*"); at != std::string::npos; at = label.find("*.*", at + 1)) label.replace(at, 3, "*");
  return label;
}

std::string FilterExtension(const std::string& filter) {
  const std::string pattern = Pattern(filter);
  if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0) return {};
  const std::string extension = pattern.substr(2);
  if (extension.find_first_of("*?; ") != std::string::npos) return {};
  return extension;
}

std::string WithFilterExtension(const std::string& path, const std::string& filter) {
  const std::string extension = FilterExtension(filter);
  const std::string name = FileNamePart(path);
  if (extension.empty() || name.empty() || name.find('.') != std::string::npos) return path;
  return path + "." + extension;
}

bool TakesNewName(const FileDialog& dialog) { return dialog.save || !dialog.mustExist; }

}  // namespace kwl
