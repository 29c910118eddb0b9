// DOCX documents counted end to end through the count command.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "count_run.h"
#include "support/test_files.h"

namespace kwl {
namespace {

// Counts a DOCX file with the temporary folders made inside a test folder.
struct DocxCount : ::testing::Test {
  test::TempDir tmp;
  test::TempDir out;
  test::TestSession t;
  Session& s = t.session;

  DocxCount() { ::setenv("TMPDIR", tmp.Path().c_str(), 1); }
  ~DocxCount() override { ::unsetenv("TMPDIR"); }

  bool TempFolderIsEmpty() const { return std::filesystem::is_empty(tmp.Path()); }

  std::int64_t CountOf(const std::string& word) {
    for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i)
      if (s.aWords[i].strWord == word) return s.aWords[i].count;
    return 0;
  }

  void Count(const std::string& path) {
    s.main.txbFile[0].SetText(path);
    s.main.txbFile[1].SetText(out.File("list.txt"));
    s.main.chkSuppressWords.SetValue(1);
    s.main.cmdListWords.Click();
  }
};

TEST_F(DocxCount, EveryCorpusDocumentIsCountedAndLeavesNoTemporaryFolder) {
  const std::string folder = test::CorpusFile("docx");
  if (folder.empty()) GTEST_SKIP() << "corpus absent";
  int documents = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".docx") continue;
    ++documents;
    SCOPED_TRACE(entry.path().filename().string());
    t.platform.boxes.clear();
    t.platform.answers = {Answer::Yes};  // the question for documents above 10 MiB of XML
    Count(entry.path().string());
    int bigFileQuestions = 0;
    for (const auto& box : t.platform.boxes) {
      EXPECT_TRUE(box.title == "Big file" || box.title == s.Text(27)) << box.title << ": " << box.text;
      bigFileQuestions += box.title == "Big file";
    }
    EXPECT_LE(bigFileQuestions, 1) << "asked once, although the package is extracted twice";
    EXPECT_GT(s.aWords.NumWords(), 0);
    EXPECT_GT(s.run.lngNumWordsIncluded, 0);
    EXPECT_TRUE(TempFolderIsEmpty());
    EXPECT_EQ(s.main.cmdListWords.Caption(), s.Text(73));
  }
  EXPECT_GE(documents, 9);
}

TEST_F(DocxCount, TableCellsAndParagraphsStayApart) {
  KWL_REQUIRE_CORPUS(path, "docx/mammoth_tables.docx");
  Count(path);
  // "Above", a 2x2 table "Top left" ... "Bottom right", "Below".
  EXPECT_EQ(CountOf("above"), 1);
  EXPECT_EQ(CountOf("below"), 1);
  EXPECT_EQ(CountOf("top"), 2);
  EXPECT_EQ(CountOf("bottom"), 2);
  EXPECT_EQ(CountOf("left"), 2);
  EXPECT_EQ(CountOf("right"), 2);
  EXPECT_TRUE(TempFolderIsEmpty());
}

TEST_F(DocxCount, GermanDocumentKeepsItsUmlauts) {
  KWL_REQUIRE_CORPUS(path, "docx/de_poi_stress008.docx");
  Count(path);
  bool umlaut = false;
  for (std::int32_t i = 1; i <= s.aWords.NumWords() && !umlaut; ++i)
    umlaut = s.aWords[i].strWord.find('\xFC') != std::string::npos;  // ü
  EXPECT_TRUE(umlaut);
  EXPECT_GT(CountOf("und"), 100);
}

TEST_F(DocxCount, ANonPackageNamedDocxIsCountedAsText) {
  Count(tmp.Write("plain.docx", "just some plain words\r\n"));
  EXPECT_EQ(CountOf("plain"), 1);
}

TEST_F(DocxCount, BrokenPackageIsReportedAndLeavesNothingBehind) {
  // A zip signature followed by garbage.
  Count(tmp.Write("broken.docx", std::string("PK\x03\x04", 4) + std::string(200, '\x7F')));
  EXPECT_FALSE(t.platform.boxes.empty());
  EXPECT_EQ(s.main.cmdListWords.Caption(), s.Text(73));
  EXPECT_TRUE(s.main.cmdFile[0].Enabled());
  std::filesystem::remove(tmp.File("broken.docx"));
  EXPECT_TRUE(TempFolderIsEmpty());
}

}  // namespace
}  // namespace kwl
