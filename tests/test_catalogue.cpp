#include <gtest/gtest.h>

#include "catalogue.h"
#include "support/test_files.h"

namespace kwl {
namespace {

std::string Entries(int upTo, const std::string& extra = "") {
  std::string text;
  for (int n = 1; n <= upTo; ++n) text += std::to_string(n) + "\t" + (n == 74 ? "Stop" : "~") + "\n";
  return text + extra;
}

TEST(Catalogue, ShippedFileLoadsWithTheTextsTheProgramNeeds) {
  Catalogue c;
  EXPECT_EQ(c.Load(test::DataFolder() + "/kwl.dat"), Catalogue::kCount);
  EXPECT_EQ(c.Text(74), "Stop");
  EXPECT_EQ(c.Text(73), "Count words");
  for (int n : {14, 15, 19, 20, 21, 22, 23, 27, 30, 31, 32, 33, 34, 35, 40, 42, 50, 75, 76, 77, 78, 79, 310})
    EXPECT_FALSE(c.Text(n).empty()) << "catalogue text " << n;
  EXPECT_EQ(c.Text(1), "") << "the ~ marker reads as an empty text";
  EXPECT_EQ(c.Text(0), "");
  EXPECT_EQ(c.Text(428), "");
}

TEST(Catalogue, EachBrokenFileGivesItsStatusAndMessage) {
  test::TempDir dir;
  Catalogue c;
  const std::string missing = dir.File("none.dat");
  EXPECT_EQ(c.Load(missing), -1);
  EXPECT_EQ(Catalogue::FailureMessage(-1, missing), "Cannot open file containing program text.\r\n" + missing);

  EXPECT_EQ(c.Load(dir.Write("empty.dat", "")), -6);
  EXPECT_EQ(Catalogue::FailureMessage(-6, ""), "File is empty.");

  EXPECT_EQ(c.Load(dir.Write("comments.dat", "# nothing here\n")), 0);
  EXPECT_EQ(Catalogue::FailureMessage(0, ""), "No program text was read.");

  // The duplicate stands on file line 428.
  const int dup = c.Load(dir.Write("dup.dat", Entries(427, "12\tagain\n")));
  EXPECT_EQ(dup, -1500 - 428);
  EXPECT_EQ(Catalogue::FailureMessage(dup, ""), "Duplicate in program text at line 428.");

  const int longText = c.Load(dir.Write("long.dat", "1\t" + std::string(1025, 'x') + "\n"));
  EXPECT_EQ(longText, -1001);
  EXPECT_EQ(Catalogue::FailureMessage(longText, ""), "String too long at line 1.");
  EXPECT_GT(c.Load(dir.Write("limit.dat", Entries(427, "").replace(0, 3, "1\t" + std::string(1024, 'y')))), 0);

  const int gap = c.Load(dir.Write("gap.dat", "1\tone\n3\tthree\n"));
  EXPECT_EQ(Catalogue::FailureMessage(gap, ""), "Missing string at line 2.");
  EXPECT_EQ(c.Load(dir.Write("big.dat", "428\tx\n")), -3);
  EXPECT_EQ(Catalogue::FailureMessage(-3, ""), "Too much program text.");
  EXPECT_EQ(Catalogue::FailureMessage(-9, ""), "Error -9");
}

TEST(Catalogue, AFailedLoadKeepsTheTextsLoadedBefore) {
  test::TempDir dir;
  Catalogue c;
  ASSERT_GT(c.Load(dir.Write("good.dat", Entries(427))), 0);
  EXPECT_LT(c.Load(dir.Write("bad.dat", "x\n")), 0);
  EXPECT_EQ(c.Text(74), "Stop");
}

}  // namespace
}  // namespace kwl
