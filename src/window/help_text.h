#pragma once
// The fixed page of usage notes shown by the help window "KWL Help".
#include <string>

namespace kwl {

// The help text: its paragraphs, each followed by an empty line (CR LF CR LF).
std::string HelpText(const std::string& manualAddress);

}  // namespace kwl
