#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace kwl {

// A number's decimal text with a leading blank when it is not negative, as
// several messages put a number after a word ("at line 12", "error 7").
inline std::string Str(std::int64_t n) { return (n >= 0 ? " " : "") + std::to_string(n); }

// Digits grouped by commas in threes: "1,234,567", "-1,000". The program's
// grouping wherever no locale gives another.
std::string GroupDigits(std::int64_t n);

// How a window groups digits (its locale's way); GroupDigits by default.
using DigitGrouping = std::function<std::string(std::int64_t)>;

}  // namespace kwl
