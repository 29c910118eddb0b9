// The window in the Unicode mode: its check box as a word rule of the
// settings, and the words of a Unicode table (UTF-8 already) shown in the
// text box as they are, found or listed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "count_run.h"
#include "file_choice.h"
#include "list_words.h"
#include "listing/formats.h"
#include "occurrences_window.h"
#include "params_logic.h"
#include "settings_window.h"
#include "support/test_files.h"
#include "text/cp1252.h"
#include "word_filters.h"

namespace kwl {
namespace {

class UnicodeInTheWindow : public ::testing::Test {
 protected:
  test::TestSession t;
  Session& s = t.session;
  Params& p = s.params;
};

TEST_F(UnicodeInTheWindow, TheCheckBoxIsAWordRuleOffByDefault) {
  EXPECT_EQ(p.chkUnicodeWords.Value(), 0) << "off by default";
  EXPECT_EQ(p.chkUnicodeWords.Caption(), "Words in every script (Unicode)");
  EXPECT_EQ(CurrentSettings(s).unicodeWords, 0);
  EXPECT_FALSE(MakeCountRules(s).unicode);
  p.chkUnicodeWords.SetValue(1);
  EXPECT_EQ(CurrentSettings(s).unicodeWords, 1);
  EXPECT_TRUE(MakeCountRules(s).unicode) << "the count's rules follow the box";

  // With counted words held, a change asks for a new count like any word rule.
  ConnectSettingsWindow(s);
  const struct {
    Answer answer;
    int value;        // the box after the click, which sets it to 0
    bool wordsGot;    // the counted words still held
  } cases[] = {
      {Answer::No, 1, true},    // taken back
      {Answer::Yes, 0, false},  // the words must be counted anew
  };
  for (const auto& c : cases) {
    p.chkUnicodeWords.SetValue(1);
    s.run.blnWordsGot = true;
    t.platform.answers.push_back(c.answer);
    p.chkUnicodeWords.SetValue(0);
    EXPECT_TRUE(t.platform.Showed("Changing this entails reading the file anew."));
    EXPECT_EQ(p.chkUnicodeWords.Value(), c.value);
    EXPECT_EQ(s.run.blnWordsGot, c.wordsGot);
  }

  // Set and clear leave it; Restore defaults and Reinitialize turn it off.
  s.run.blnWordsGot = false;
  p.chkUnicodeWords.SetValue(1);
  p.cmdSetOrClearCheckboxes[0].Click();
  EXPECT_EQ(p.chkUnicodeWords.Value(), 1);
  p.cmdRestoreDefaults.Click();
  EXPECT_EQ(p.chkUnicodeWords.Value(), 0);
  p.cmdSetOrClearCheckboxes[1].Click();
  EXPECT_EQ(p.chkUnicodeWords.Value(), 0);
  p.chkUnicodeWords.SetValue(1);
  p.cmdInitialize.Click();
  EXPECT_EQ(p.chkUnicodeWords.Value(), 0);
}

// A Unicode table's words are UTF-8: listed in every format they appear once
// as they are, never converted a second time.
TEST_F(UnicodeInTheWindow, AUnicodeTableIsListedAsItIs) {
  const std::vector<std::pair<std::string, int>> words = {
      {"człowieka", 7}, {"человека", 8}, {"ανθρώπους", 3}, {"人人", 2}, {"émile", 1}, {"zebra", 4}};
  for (int format = 0; format < 10; ++format) {
    SCOPED_TRACE(format);
    s.main.cboDisplayFormat.SetListIndex(format);
    test::CountUnicodeWords(s, words);
    const FormatSpec& layout = FormatSpecOf(format);
    const auto end = layout.columns.begin() + static_cast<std::ptrdiff_t>(layout.numColumns);
    if (!layout.oneLine && std::find(layout.columns.begin(), end, Column::Word) == end) continue;  // no words shown
    const std::string shown = s.main.txbOutput.Text();
    for (const auto& [word, count] : words) {
      EXPECT_NE(shown.find(word), std::string::npos) << word;
      if (word != "zebra") {
        EXPECT_EQ(shown.find(cp1252::ToUtf8(word)), std::string::npos) << word << " converted again";
      }
    }
  }
  // The same table as Windows-1252 (the mode off) shows the same words.
  s.main.cboDisplayFormat.SetListIndex(9);
  test::CountWords(s, {{"émile", 1}, {"zebra", 4}});
  const std::string off = s.main.txbOutput.Text();
  test::CountUnicodeWords(s, {{"émile", 1}, {"zebra", 4}});
  EXPECT_EQ(s.main.txbOutput.Text(), off);
  EXPECT_EQ(off, "zebra, émile\r\n");
}

// Each new word is shown as it is found: as it is in a Unicode count, from
// Windows-1252 otherwise; the count's rules decide, not the box.
TEST_F(UnicodeInTheWindow, WordsAsFoundAreShownInTheCountsEncoding) {
  const struct {
    bool unicode;
    std::string first;
    std::string second;
    std::string shown;
  } cases[] = {
      {true, "łódź", "日本", "łódź 日本 "},
      {false, "\xe9mile", "caf\xe9", "émile café "},
  };
  for (const auto& c : cases) {
    CountRules rules = MakeCountRules(s);
    rules.unicode = c.unicode;
    p.chkUnicodeWords.SetValue(c.unicode ? 0 : 1);
    StartCount(s, rules);
    EXPECT_EQ(s.aWords.Unicode(), c.unicode);
    s.intake.NewWord(c.first, 1);
    s.intake.NewWord(c.second, 2);
    EXPECT_EQ(s.main.txbOutput.Text(), c.shown);
  }
}

// The list's context menu finds the entry of a Unicode table's line by its
// text as shown (the column in the text box's UTF-16 units), and names it
// as it is.
TEST_F(UnicodeInTheWindow, TheListsMenuFindsAUnicodeEntryByItsLine) {
  const std::vector<std::string> words = {"człowieka", "𝔸𝔹", "人人", "émile"};
  for (int format : {0, 9}) {
    SCOPED_TRACE(format);
    s.main.cboDisplayFormat.SetListIndex(format);
    test::CountUnicodeWords(s, {{words[0], 4}, {words[1], 3}, {words[2], 2}, {words[3], 1}});
    const std::string& text = s.main.txbOutput.Text();
    for (const std::string& word : words) {
      SCOPED_TRACE(word);
      const std::size_t at = text.find(word);
      ASSERT_NE(at, std::string::npos);
      std::size_t line = 0;
      for (std::size_t i = text.find("\r\n"); i < at; i = text.find("\r\n", i + 2)) ++line;
      // The column as the text box counts it: UTF-16 units ("𝔸" takes two).
      const std::size_t start = line == 0 ? 0 : text.rfind("\r\n", at) + 2;
      std::size_t column = 0;
      for (std::size_t i = start; i < at; ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        column += ((b & 0xC0) != 0x80 ? 1 : 0) + (b >= 0xF0 ? 1 : 0);
      }
      const std::int32_t entry = ListedEntryAt(s, {line, column, ""});
      ASSERT_GT(entry, 0);
      EXPECT_EQ(s.aWords[entry].strWord, word);
      const std::vector<ListMenuEntry> menu = ListContextMenu(s, {line, column, ""});
      ASSERT_FALSE(menu.empty());
      EXPECT_EQ(menu.front().caption, "Show occurrences of \u00AB" + word + "\u00BB");
    }
  }
}

// The bytes of a UTF-16 file with its byte-order mark.
std::string Utf16File(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

// With the box ticked, the Count button reads a UTF-8 file, a Windows-1252
// file and UTF-16 files as Unicode text: their words reach the list as they
// are written, with no letter lost to the code page. A UTF-16 file is asked
// no question of UTF-8 or ANSI, whatever the UTF-8 box says.
TEST_F(UnicodeInTheWindow, TheCountButtonCountsEveryScriptFromEveryKindOfInput) {
  test::TempDir dir;
  const std::u16string utf16Text = u"\u0141\u00F3d\u017A \u043C\u0438\u0440 \u0142\u00F3d\u017A \U0001D538\r\n";
  // "𝔸" is a letter beyond the 16-bit units (a surrogate pair), without case.
  const std::vector<std::string> utf16Words = {"\U0001D538", "\xC5\x82\xC3\xB3" "d\xC5\xBA", "\xD0\xBC\xD0\xB8\xD1\x80"};
  p.chkUnicodeWords.SetValue(1);
  p.chkIgnoreShortWords.SetValue(0);
  const struct {
    const char* name;
    std::string path;
    bool utf8;
    std::vector<std::string> words;  // in the listed order (alphabetical, format 8)
  } cases[] = {
      {"UTF-8", dir.Write("u.txt", "Dvo\xC5\x99\xC3\xA1k \xC5\x81\xC3\xB3" "d\xC5\xBA \xD1\x87\xD0\xB5\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xB5\xD0\xBA" " dvo\xC5\x99\xC3\xA1k\r\n"), true,
       {"dvo\xC5\x99\xC3\xA1k", "\xC5\x82\xC3\xB3" "d\xC5\xBA", "\xD1\x87\xD0\xB5\xD0\xBB\xD0\xBE\xD0\xB2\xD0\xB5\xD0\xBA"}},
      {"Windows-1252", dir.Write("a.txt", "Caf\xE9 na\xEFve caf\xE9\r\n"), false, {"caf\xC3\xA9", "na\xC3\xAFve"}},
      {"UTF-16 LE", dir.Write("le.txt", Utf16File(utf16Text, false)), false, utf16Words},
      {"UTF-16 BE", dir.Write("be.txt", Utf16File(utf16Text, true)), true, utf16Words},
  };
  for (const auto& c : cases) {
    s.main.txbFile[0].SetText(c.path);
    s.main.chkUTF8.SetValue(c.utf8 ? 1 : 0);
    s.main.cboWordOrder.SetListIndex(1);
    s.main.cboDisplayFormat.SetListIndex(8);
    s.main.cmdListWords.Click();
    ASSERT_TRUE(s.aWords.Unicode()) << c.name;
    std::vector<std::string> listed;
    for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) listed.emplace_back(s.aWords[i].strWord);
    EXPECT_EQ(listed, c.words) << c.name;
    for (const std::string& w : c.words)
      EXPECT_NE(s.main.txbOutput.Text().find(w), std::string::npos) << c.name << ": " << w << " not shown";
  }
  EXPECT_FALSE(t.platform.Showed("UTF-8 or ANSI")) << "no file was asked about";
  // The same files in a folder counted as one.
  s.main.txbOutput.Clear();
  TakeInputFiles(s, {cases[2].path, cases[3].path}, "");
  s.main.cmdListWords.Click();
  ASSERT_EQ(s.aWords.NumWords(), 3);
  EXPECT_EQ(s.aWords[2].count, 4);
  // With the box clear a UTF-16 file is refused, as ever.
  p.chkUnicodeWords.SetValue(0);
  s.main.txbFile[0].SetText(cases[2].path);
  s.main.cmdListWords.Click();
  EXPECT_TRUE(t.platform.Showed("is a Unicode file but not UTF-8 encoded."));
}

}  // namespace
}  // namespace kwl
