#include "text/number_text.h"

namespace kwl {

std::string GroupDigits(std::int64_t n) {
  const bool negative = n < 0;
  const std::uint64_t v = negative ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  const std::string digits = std::to_string(v);
  std::string out;
  const std::size_t len = digits.size();
  for (std::size_t i = 0; i < len; ++i) {
    if (i > 0 && (len - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return negative ? "-" + out : out;
}

}  // namespace kwl
