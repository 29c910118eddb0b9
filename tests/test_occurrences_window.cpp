// The occurrences window over the scripted desktop: a count, a line of its
// list picked, the window's rows, their order, copy and save, a source
// changed since the count, the "Why?" box and the list's context menu.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "file_choice.h"
#include "occurrences_window.h"
#include "support/test_files.h"
#include "text/cp1252.h"

namespace kwl {
namespace {

// A comment, tags and entities: the scanner skips and decodes them.
constexpr const char* kHtml =
    "<p>The black cat &amp; the caf&eacute; cat.</p>\r\n"
    "<!-- cat cat --> Cats, a white CAT <b>cat</b>\r\n"
    "the dog and the cat\r\n";

struct OccurrencesWindowTest : ::testing::Test {
  test::TempDir dir;
  test::TestSession t;
  Session& s = t.session;
  OccurrencesWindow& w = s.frmOccurrences;

  void Count(const std::string& path) {
    s.main.txbFile[0].SetText(path);
    s.main.cmdListWords.Click();
    ASSERT_GT(s.run.lngNumWordsIncluded, 0);
  }
  std::size_t BoxLineCount() const {
    const std::string& text = s.main.txbOutput.Text();
    std::size_t n = 1;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2)) ++n;
    return n;
  }
  std::string Rows() const { return w.txbOccurrences.Text(); }
  // Opens the window from the list's line (the context menu's first entry).
  void OpenFromLine(std::size_t line) {
    const std::vector<ListMenuEntry> menu = ListContextMenu(s, {line, 0, ""});
    ASSERT_FALSE(menu.empty()) << "line " << line;
    menu.front().action();
  }
};

// Every line of the list in every order and in a format with and without
// a word column, and every word of the one-line format: the rows shown are
// the entry's counted frequency, and each listed entry is reached once.
TEST_F(OccurrencesWindowTest, EveryListedEntryShowsAsManyRowsAsItsFrequency) {
  const std::string input = dir.Write("in.html", kHtml);
  struct Case {
    int order;
    int format;
  } cases[] = {{0, 0}, {1, 0}, {0, 2}, {1, 6}, {0, 9}, {1, 9}};
  for (const Case& c : cases) {
    SCOPED_TRACE("order " + std::to_string(c.order) + " format " + std::to_string(c.format));
    s.main.cboWordOrder.SetListIndex(c.order);
    s.main.cboDisplayFormat.SetListIndex(c.format);
    Count(input);
    std::set<std::int32_t> reached;
    const bool oneLine = c.format == 9;
    const std::size_t places = oneLine ? s.main.txbOutput.Length() : BoxLineCount();
    for (std::size_t k = 0; k < places; ++k) {
      const ListPlace place{oneLine ? 0 : k, oneLine ? k : 0, ""};
      const std::int32_t entry = ListedEntryAt(s, place);
      if (entry == 0) continue;
      // A line names one entry; a word of the one-line format spans columns.
      const bool first = reached.insert(entry).second;
      if (!oneLine) {
        EXPECT_TRUE(first) << "line " << k;
      }
      ShowOccurrencesAt(s, place);
      EXPECT_EQ(static_cast<std::int64_t>(w.aOccurrences.size()), s.aWords[entry].count) << s.aWords[entry].strWord;
      EXPECT_TRUE(w.frmOccurrences.Visible());
    }
    EXPECT_EQ(static_cast<std::int32_t>(reached.size()), s.run.lngNumWordsIncluded);
    EXPECT_EQ(ListedEntryAt(s, {0, 0, ""}) == 0, !oneLine) << "the heading names no entry";
  }
}

TEST_F(OccurrencesWindowTest, RowsAreAlignedOnTheWordAndSortByTheirContext) {
  Count(dir.Write("in.html", kHtml));
  ShowOccurrences(s, "Cat");
  EXPECT_EQ(w.lblOccurrencesOf.Caption(), "Occurrences of \xC2\xAB" "cat\xC2\xBB");
  EXPECT_EQ(w.lblNumOccurrencesShown.Caption(), "5 occurrences");
  EXPECT_EQ(Rows(),
            "1                           <p>The black cat & the caf\xC3\xA9 cat.</p>\r\n"
            "1            <p>The black cat & the caf\xC3\xA9 cat.</p>\r\n"
            "2         <!-- cat cat --> Cats, a white CAT <b>cat</b>\r\n"
            "2  <!-- cat cat --> Cats, a white CAT <b>cat</b>\r\n"
            "3                        the dog and the cat");
  w.cboOccurrenceOrder.SetListIndex(2);
  std::vector<std::string> right;
  for (const Occurrence& o : w.aOccurrences) right.push_back(o.right);
  // Compared word by word: "b" before "b cat b"; an empty context first.
  EXPECT_EQ(right, (std::vector<std::string>{"", " & the caf\xE9 cat.</p>", ".</p>", "</b>", " <b>cat</b>"}));
  w.cboOccurrenceOrder.SetListIndex(0);
  EXPECT_EQ(w.aOccurrences.front().right, " & the caf\xE9 cat.</p>") << "back in the order of the text";
}

TEST_F(OccurrencesWindowTest, ARowIsCopiedAndTheViewSavedAsUtf8) {
  Count(dir.Write("in.html", kHtml));
  ShowOccurrences(s, "caf\xC3\xA9");
  ASSERT_EQ(w.aOccurrences.size(), 1u);
  s.frmOccurrences.cmdCopyOccurrence.Click();
  EXPECT_EQ(t.platform.clipboardSet, std::vector<std::string>{"1  <p>The black cat & the caf\xC3\xA9 cat.</p>"});

  const std::string out = dir.Write("saved.txt", "earlier");
  t.platform.fileAnswers = {std::nullopt, out};
  w.cmdSaveOccurrences.Click();
  EXPECT_EQ(test::ReadAll(out), "earlier") << "cancelled";
  w.cmdSaveOccurrences.Click();
  EXPECT_TRUE(t.platform.dialogs.back().save);
  EXPECT_EQ(test::ReadAll(out),
            "Occurrences of \xC2\xAB" "caf\xC3\xA9\xC2\xBB: 1 occurrence\n\n"
            "1  <p>The black cat & the caf\xC3\xA9 cat.</p>\n");
}

// A source changed or gone since the count: its message, and no rows.
TEST_F(OccurrencesWindowTest, ASourceChangedOrGoneSinceTheCountShowsNoRows) {
  const std::string input = dir.Write("in.html", kHtml);
  struct Case {
    const char* what;
    std::function<void()> change;
    std::string message;
  } cases[] = {
      {"rewritten", [&] { test::WriteAll(input, std::string(kHtml) + "cat\r\n"); },
       input + " has changed since it was counted"},
      {"removed", [&] { std::remove(input.c_str()); }, input + " no longer exists"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::WriteAll(input, kHtml);
    Count(input);
    ShowOccurrences(s, "cat");
    ASSERT_EQ(w.aOccurrences.size(), 5u);
    c.change();
    t.platform.boxes.clear();
    ShowOccurrences(s, "cat");
    EXPECT_TRUE(w.aOccurrences.empty());
    EXPECT_EQ(w.lblNumOccurrencesShown.Caption(), "No occurrences");
    EXPECT_NE(w.txbOccurrences.Text().find(c.message), std::string::npos) << w.txbOccurrences.Text();
    ASSERT_EQ(t.platform.boxes.size(), 1u);
    EXPECT_NE(t.platform.boxes[0].text.find(c.message), std::string::npos);
  }
}

TEST_F(OccurrencesWindowTest, TheWhyBoxNamesTheRuleThatActed) {
  Count(dir.Write("in.html", kHtml));
  const struct {
    std::string token;
    std::string step;
  } cases[] = {
      {"Cats,", "Counted under the entry \xC2\xAB" "cats\xC2\xBB (1 time in the last count)."},
      {"a", "Ignored: too short"},
      {"1984", "The scanner finds no word in \xC2\xAB" "1984\xC2\xBB"},
      {"zzzz", "Ignored:"},
      {"xiv", "a Roman numeral below XL"},
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.token);
    w.txbWhyToken.SetText(c.token);
    w.cmdWhy.Click();
    if (c.step.empty()) {
      EXPECT_EQ(w.txbWhy.Text(), "");
    } else {
      EXPECT_NE(w.txbWhy.Text().find(c.step), std::string::npos) << w.txbWhy.Text();
    }
  }
  // A word that is not in the list: no occurrences, and why.
  ShowOccurrences(s, "a");
  EXPECT_EQ(w.lblNumOccurrencesShown.Caption(), "No occurrences");
  EXPECT_EQ(w.txbOccurrences.Text(), "No occurrences: \xC2\xAB" "a\xC2\xBB is not in the list.");
  EXPECT_NE(w.txbWhy.Text().find("Ignored: too short"), std::string::npos);
}

TEST_F(OccurrencesWindowTest, TheContextMenuIsOfferedOnAListOnly) {
  const std::string input = dir.Write("in.html", kHtml);
  auto captions = [&](const ListPlace& place) {
    std::vector<std::string> shown;
    for (const ListMenuEntry& e : ListContextMenu(s, place)) shown.push_back(e.caption + (e.enabled ? "" : " (off)"));
    return shown;
  };
  EXPECT_EQ(captions({0, 0, ""}), std::vector<std::string>{}) << "no list yet";
  std::vector<std::string> duringTheRun{"not asked"};
  t.platform.onProcessEvents = [&] {
    if (duringTheRun.size() == 1 && duringTheRun[0] == "not asked") duringTheRun = captions({1, 0, ""});
  };
  s.main.cboWordOrder.SetListIndex(1);
  Count(input);
  t.platform.onProcessEvents = nullptr;
  EXPECT_EQ(duringTheRun, std::vector<std::string>{}) << "during a run";

  // Alphabetical: the heading, then "and".
  EXPECT_EQ(captions({1, 0, ""}), (std::vector<std::string>{"Show occurrences of \xC2\xAB" "and\xC2\xBB",
                                                             "Why is \xC2\xAB" "and\xC2\xBB counted?"}));
  EXPECT_EQ(captions({0, 0, ""}), std::vector<std::string>{}) << "the heading";
  EXPECT_EQ(captions({0, 0, " a "}), (std::vector<std::string>{"Show occurrences of \xC2\xAB" "a\xC2\xBB",
                                                               "Why is \xC2\xAB" "a\xC2\xBB not in the list?"}));
  int charts = 0;
  s.showChartWindow = [&charts] { ++charts; };
  const std::vector<ListMenuEntry> menu = ListContextMenu(s, {1, 0, ""});
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[2].shortcut, "Ctrl+G");
  menu[2].action();
  EXPECT_EQ(charts, 1);
  menu[1].action();
  EXPECT_NE(w.txbWhy.Text().find("Counted under the entry"), std::string::npos);

  s.main.cmdClearOutput.Click();
  EXPECT_EQ(ListedEntryAt(s, {1, 0, ""}), 0) << "the list was cleared";
}

// A count of several files: each file searched in turn, the file column set.
TEST_F(OccurrencesWindowTest, ACountOfSeveralFilesSearchesEachFileInTurn) {
  const std::string a = dir.Write("a.txt", "cat and dog\r\n");
  const std::string b = dir.Write("b.htm", "<p>cat</p> &amp; cat\r\n");
  t.platform.filesAnswers = {std::vector<std::string>{b, a}};
  t.platform.answers = {Answer::No};
  s.main.cmdFile[0].Click();
  t.platform.answers.clear();
  ASSERT_NE(InputFiles(s), nullptr);
  s.main.cmdListWords.Click();
  ShowOccurrences(s, "cat");
  EXPECT_EQ(Rows(),
            "a.txt  1               cat and dog\r\n"
            "b.htm  1            <p>cat</p> & cat\r\n"
            "b.htm  1  <p>cat</p> & cat");
}

TEST_F(OccurrencesWindowTest, TheClipboardTextIsSearchedAsCounted) {
  t.platform.clipboard = "The cat, the Cat and the CAT.";
  s.main.optOnClipboard.Select();
  s.main.cmdListWords.Click();
  ShowOccurrences(s, "cat");
  EXPECT_EQ(w.lblNumOccurrencesShown.Caption(), "3 occurrences");
}

}  // namespace
}  // namespace kwl
