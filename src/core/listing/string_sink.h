#pragma once
// A listing collected in memory, byte for byte as an output file would hold it.
#include <string>
#include <string_view>

#include "listing/listing_writer.h"

namespace kwl {

class StringSink : public ListingSink {
 public:
  void Line(std::string_view text) override { text_ += text; }
  bool Entry(std::string_view text, std::int32_t, std::int32_t) override {
    text_ += text;
    return true;
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace kwl
