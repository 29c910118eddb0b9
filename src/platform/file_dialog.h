#pragma once
// How a file dialog's answer is completed by the rules of the desktop's
// dialog. Kept apart from the Qt binding so the rules are tested.
#include <string>

namespace kwl {

// The extension the filter names ("kwl" for "*.kwl"); empty when its pattern
// takes every file or more than one kind.
std::string FilterExtension(const std::string& filter);

// A name typed without an extension gets the filter's extension, as a save
// dialog with a default extension does; any other name stays as it is.
std::string WithFilterExtension(const std::string& path, const std::string& filter);

}  // namespace kwl
