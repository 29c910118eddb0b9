#include <gtest/gtest.h>

#include "help_text.h"

namespace kwl {
namespace {

TEST(HelpText, ElevenParagraphsEachFollowedByAnEmptyLine) {
  const std::string text = HelpText("https://manual.example/");
  int paragraphs = 0;
  for (std::size_t pos = 0; (pos = text.find("\r\n\r\n", pos)) != std::string::npos; pos += 4) ++paragraphs;
  EXPECT_EQ(paragraphs, 11);
  EXPECT_EQ(text.rfind("\r\n\r\n"), text.size() - 4);
  EXPECT_EQ(text.find("An illustrated verson of this documentation (with a lot more information) can be found at "
                      "https://manual.example/.  This help window may be resized for easier reading.\r\n\r\n"),
            0U);
  EXPECT_NE(text.find("'clipboard' selected as the source."), std::string::npos);
}

}  // namespace
}  // namespace kwl
