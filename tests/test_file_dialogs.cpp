// File dialogs: the extension a typed name gets.
#include <gtest/gtest.h>

#include <string>

#include "file_dialog.h"

namespace kwl {
namespace {

TEST(FileDialog, ANameWithoutAnExtensionGetsTheFiltersExtension) {
  struct Case {
    std::string path;
    std::string filter;
    std::string expected;
  };
  const std::string settings = "Settings files (*.kwl) | *.kwl";
  const Case cases[] = {
      {"", settings, ""},
      {"/home/me/mine", settings, "/home/me/mine.kwl"},
      {"/home/me/mine.kwl", settings, "/home/me/mine.kwl"},
      {"/home/me/mine.txt", settings, "/home/me/mine.txt"},
      {"/home/me.d/mine", settings, "/home/me.d/mine.kwl"},
      {"/home/me/", settings, "/home/me/"},
      {"/home/me/mine", "Settings files (*.kwl)", "/home/me/mine.kwl"},
      {"/home/me/mine", "Any file containing only text (*.*) | *.*", "/home/me/mine"},
      {"/home/me/mine", "A text file or a docx file", "/home/me/mine"},
      {"/home/me/mine", "", "/home/me/mine"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithFilterExtension(c.path, c.filter), c.expected) << c.path << " " << c.filter;
}

}  // namespace
}  // namespace kwl
