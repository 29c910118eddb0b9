// Several input files, chosen together or found in a folder, counted as one text.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "file_choice.h"
#include "files/paths.h"
#include "support/test_files.h"

namespace kwl {
namespace {

struct InputFiles : ::testing::Test {
  test::TempDir dir;
  test::TestSession t;
  Session& s = t.session;

  void ChooseFiles(std::vector<std::string> paths) {
    t.platform.filesAnswers = {std::move(paths)};
    t.platform.answers = {Answer::No};  // the offer of the common words of the first file's language
    s.main.cmdFile[0].Click();
    t.platform.answers.clear();
    s.params.chkIgnoreCommonWords.SetValue(0);
  }

  // The word table as "word count" lines, in its key order.
  std::vector<std::string> Table() const {
    std::vector<std::string> words;
    for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i)
      words.push_back(std::string(s.aWords[i].strWord) + " " + std::to_string(s.aWords[i].count));
    return words;
  }

  std::vector<std::string> TitlesShown() const {
    std::vector<std::string> titles;
    for (const MessageBox& box : t.platform.boxes) titles.push_back(box.title);
    return titles;
  }
};

TEST_F(InputFiles, SeveralFilesShowTheFirstAndHowManyMoreUntilOneFileIsTheInputAgain) {
  const std::string a = dir.Write("a.txt", "alpha\r\n");
  const std::string b = dir.Write("b.txt", "beta beta\r\n");
  const std::string c = dir.Write("c.htm", "<p>gamma</p>\r\n");
  ChooseFiles({c, a, b});
  EXPECT_EQ(s.main.txbFile[0].Text(), a + " + 2 more");
  EXPECT_EQ(s.main.txbFile[0].ToolTip(), a + "\n" + b + "\n" + c) << "in name order";
  EXPECT_EQ(s.main.lblFilesize.Caption(), "Filesize: 32 bytes") << "their total";
  s.main.Timer1.SetEnabled(true);
  s.main.Timer1.Tick();
  EXPECT_EQ(s.main.txbFile[0].ToolTip(), a + "\n" + b + "\n" + c) << "kept by the upkeep";
  s.main.txbFile[0].LoseFocus();
  EXPECT_NE(kwl::InputFiles(s), nullptr) << "leaving the box changes nothing";
  EXPECT_EQ(s.main.lblFilesize.Caption(), "Filesize: 32 bytes");

  const struct {
    const char* what;
    std::function<void()> step;
    std::string box;
    std::string filesize;
  } ways[] = {
      {"a path typed", [&] { s.main.txbFile[0].SetText(b); s.main.txbFile[0].LoseFocus(); }, b, "Filesize: 11 bytes"},
      {"one file chosen", [&] { t.platform.fileAnswers = {a}; s.main.cmdFile[0].Click(); }, a, "Filesize: 7 bytes"},
      {"the box cleared", [&] { s.main.cmdClearFile[0].Click(); }, "", ""},
  };
  for (const auto& way : ways) {
    SCOPED_TRACE(way.what);
    ChooseFiles({a, b, c});
    ASSERT_NE(kwl::InputFiles(s), nullptr);
    way.step();
    EXPECT_EQ(kwl::InputFiles(s), nullptr);
    EXPECT_EQ(s.main.txbFile[0].Text(), way.box);
    EXPECT_EQ(s.main.lblFilesize.Caption(), way.filesize);
    s.main.Timer1.Tick();
    EXPECT_EQ(s.main.txbFile[0].ToolTip(), "");
  }
}

TEST_F(InputFiles, TheFolderButtonTakesTheFolderWithItsSubFoldersInNameOrder) {
  std::filesystem::create_directories(dir.File("corpus/sub"));
  std::filesystem::create_directories(dir.File("empty/sub"));
  const std::string b = dir.Write("corpus/b.txt", "beta\r\n");
  const std::string a = dir.Write("corpus/a.docx", "not a package, but named like one\r\n");
  const std::string c = dir.Write("corpus/sub/c.txt", "gamma\r\n");
  dir.Write("corpus/picture.png", "not a text file by its name");
  ASSERT_EQ(::mkfifo(dir.File("corpus/pipe.txt").c_str(), 0600), 0);
  const std::string before = dir.Write("before.txt", "delta\r\n");
  s.main.txbFile[0].SetText(before);
  s.main.txbFile[0].LoseFocus();

  t.platform.folderAnswers = {std::nullopt};
  s.main.cmdInputFolder.Click();
  EXPECT_EQ(s.main.txbFile[0].Text(), before) << "cancelled";

  t.platform.folderAnswers = {dir.File("empty")};
  s.main.cmdInputFolder.Click();
  EXPECT_EQ(t.platform.LastBox().title, "No files to count");
  EXPECT_EQ(t.platform.LastBox().text, "The folder " + dir.File("empty") + "\r\nholds no text files or docx files to count.");
  EXPECT_EQ(s.main.txbFile[0].Text(), before) << "the input stays as it was";
  EXPECT_EQ(s.main.lblFilesize.Caption(), "Filesize: 7 bytes");

  t.platform.boxes.clear();
  t.platform.folderAnswers = {dir.File("corpus")};
  t.platform.answers = {Answer::Ok, Answer::No};  // the entries passed over; the common words
  s.main.cmdInputFolder.Click();
  EXPECT_EQ(t.platform.folderDialogs.back(), "Specify input folder");
  ASSERT_FALSE(t.platform.boxes.empty());
  EXPECT_EQ(t.platform.boxes.front().title, "Files not counted");
  EXPECT_EQ(t.platform.boxes.front().text,
            "These entries of " + dir.File("corpus") + " are not counted:\r\n" + dir.File("corpus/pipe.txt") +
                ": is a named pipe");
  EXPECT_EQ(s.main.txbFile[0].Text(), dir.File("corpus"));
  EXPECT_EQ(s.main.txbFile[0].ToolTip(), a + "\n" + b + "\n" + c);
  EXPECT_EQ(s.main.chkUTF8.Value(), 0) << "each file's own check decides";
}

// Counting an ANSI file, a UTF-8 file and a DOCX document together gives the
// table and the listing of one UTF-8 text that holds the three texts.
TEST_F(InputFiles, CountingThreeFilesEqualsCountingTheirConcatenation) {
  const std::string ansi = dir.Write("1.txt", "caf\xE9 alpha beta\r\nalpha\r\n");
  const std::string utf8 = dir.Write("2.txt", "caf\xC3\xA9 beta \xE2\x80\x94 gamma\r\n");
  test::WriteDocx(dir.File("3.docx"), "<w:p><w:r><w:t>Caf\xC3\xA9 delta alpha.</w:t></w:r></w:p>");
  const std::string all = dir.Write("all.txt",
                                    "caf\xC3\xA9 alpha beta\r\nalpha\r\n"
                                    "caf\xC3\xA9 beta \xE2\x80\x94 gamma\r\n"
                                    "Caf\xC3\xA9 delta alpha.\r\n");
  s.main.txbFile[0].SetText(all);
  s.main.chkUTF8.SetValue(1);
  s.main.cmdListWords.Click();
  const std::vector<std::string> table = Table();
  const std::string listing = s.main.txbOutput.Text();
  ASSERT_EQ(table, (std::vector<std::string>{"alpha 3", "beta 2", "caf\xE9 3", "delta 1", "gamma 1"}));
  EXPECT_EQ(s.run.lngFilesCounted, 0) << "one file";

  ChooseFiles({dir.File("3.docx"), utf8, ansi});
  t.platform.boxes.clear();
  s.main.cmdListWords.Click();
  EXPECT_EQ(TitlesShown(), std::vector<std::string>{}) << "no question: each file's own check decides its encoding";
  EXPECT_EQ(Table(), table);
  EXPECT_EQ(s.main.txbOutput.Text(), listing);
  EXPECT_EQ(s.run.lngFilesCounted, 3);
  EXPECT_EQ(s.run.lngFilesSkipped, 0);
  EXPECT_TRUE(s.run.blnWordsGot);
  EXPECT_EQ(s.main.cmdListWords.Caption(), s.Text(73));
}

// A file that cannot be counted, between two that can: one box names it and
// why, and offers to skip it; No stops the count as the Stop command does.
TEST_F(InputFiles, ARefusedFileIsSkippedOrStopsTheCount) {
  const std::string a = dir.Write("a.txt", "alpha beta\r\n");
  const std::string b = dir.Write("b.txt", std::string("bin\0ary", 7) + " data\r\n");
  const std::string c = dir.Write("c.txt", "gamma alpha\r\n");
  const struct {
    const char* what;
    std::deque<Answer> answers;
    std::vector<std::string> titles;
    std::vector<std::string> table;
    std::int32_t counted, skipped;
    bool wordsGot;
  } cases[] = {
      {"skipped", {Answer::Yes}, {"Not a text file"}, {"alpha 2", "beta 1", "gamma 1"}, 2, 1, true},
      {"stopped, the words found listed", {Answer::No, Answer::Yes}, {"Not a text file", "Counting interrupted"},
       {"alpha 1", "beta 1"}, 1, 0, false},
      {"stopped, nothing listed", {Answer::No, Answer::No}, {"Not a text file", "Counting interrupted"},
       {"alpha 1", "beta 1"}, 1, 0, false},
  };
  for (const auto& c_ : cases) {
    SCOPED_TRACE(c_.what);
    ChooseFiles({a, b, c});
    t.platform.boxes.clear();
    t.platform.answers = c_.answers;
    s.main.cmdListWords.Click();
    EXPECT_EQ(TitlesShown(), c_.titles);
    const MessageBox& refusal = t.platform.boxes.front();
    EXPECT_EQ(refusal.text, b + "\r\nis not an ANSI or UTF-8 encoded text file.\r\nIt appears to be a binary file.\r\n\r\n"
                                "You could try reading it using its associated application, then copying the text and "
                                "pasting it into the textbox (then copy it to the clipboard and select 'Clipboard' as "
                                "the source).\r\n\r\nSkip this file and count the others?");
    EXPECT_EQ(refusal.buttons, Buttons::YesNo);
    EXPECT_EQ(Table(), c_.table);
    EXPECT_EQ(s.run.lngFilesCounted, c_.counted);
    EXPECT_EQ(s.run.lngFilesSkipped, c_.skipped);
    EXPECT_EQ(s.run.blnWordsGot, c_.wordsGot);
    EXPECT_EQ(s.main.cmdListWords.Caption(), s.Text(73));
    EXPECT_TRUE(s.main.cmdFile[0].Enabled());
    EXPECT_TRUE(s.main.cmdInputFolder.Enabled());
  }
}

// One bar over all the files' bytes: it only moves forward, through a DOCX
// document whose text is shorter than the document too, and is full once.
TEST_F(InputFiles, TheProgressBarCoversAllTheFilesAndIsFullOnce) {
  std::string lines;
  for (int i = 0; i < 300; ++i) lines += "word" + std::to_string(i % 50) + " and more words\r\n";
  std::string pieces;
  for (int i = 0; i < 200; ++i) pieces += "<w:p><w:r><w:t>piece " + std::to_string(i) + ".</w:t></w:r></w:p>";
  const std::string a = dir.Write("a.txt", lines);
  test::WriteDocx(dir.File("b.docx"), pieces);
  const std::string c = dir.Write("c.txt", lines);
  ChooseFiles({a, dir.File("b.docx"), c});
  s.main.chkSuppressWords.SetValue(1);
  std::vector<std::size_t> drawn;  // the bar's hyphens, each time it is drawn
  std::string last;
  s.main.lblTotalNumOccurrences.onUpdate = [&] {
    const std::string& bar = s.main.lblTotalNumOccurrences.Caption();
    if (bar == last) return;  // another property changed
    last = bar;
    if (bar.size() == 39 && bar.front() == '[')
      drawn.push_back(static_cast<std::size_t>(std::count(bar.begin(), bar.end(), '-')));
  };
  s.main.cmdListWords.Click();
  s.main.lblTotalNumOccurrences.onUpdate = nullptr;
  EXPECT_EQ(s.run.lngFilesCounted, 3);
  ASSERT_GT(drawn.size(), 20u);
  EXPECT_TRUE(std::is_sorted(drawn.begin(), drawn.end()));
  EXPECT_EQ(std::count(drawn.begin(), drawn.end(), 36u), 1) << "full once, at the end";
}

}  // namespace
}  // namespace kwl
