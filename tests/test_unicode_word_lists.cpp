// The word lists in the Unicode mode: common-words lists and words to ignore
// held as UTF-8 words, folded and in NFC as a count folds its words; the
// lists of the eight languages of that mode, chosen by the input's language.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common_words.h"
#include "count/common_words_file.h"
#include "count/common_words_list.h"
#include "count/counter.h"
#include "count/filters.h"
#include "count/rules_from_settings.h"
#include "count/words_to_ignore.h"
#include "params_logic.h"
#include "persistence.h"
#include "session.h"
#include "sources/clipboard_text.h"
#include "sources/input_notices.h"
#include "sources/input_file.h"
#include "support/cli_run.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using Words = std::map<std::string, std::int64_t>;

// Every word found counts unless a list ignores it.
Settings Plain() {
  Settings s = test::WithoutFilters();
  s.ignoreCommonWords = 1;
  return s;
}

std::vector<std::string> ReadList(const std::string& path, bool utf8, bool unicode) {
  CountObserver quiet;
  CommonWordsFileRead read = ReadCommonWordsFile(path, utf8, quiet, unicode);
  EXPECT_TRUE(read.status.Ok()) << path;
  return read.words;
}

// The words a count keeps, with the given lists in force.
Words CountWith(LineSource& source, const IgnoreList* ignore, const CommonWordsList* common,
                scan::MarkupKind markup = {"", false}) {
  CountRules rules = CountRulesFromSettings(Plain(), CountLists{ignore, common}, markup);
  const bool unicode = true;
  rules.unicode = unicode;
  CountObserver quiet;
  const CountResult result = Count(source, rules, quiet, 0);
  EXPECT_TRUE(result.status.Ok());
  Words words;
  for (std::int32_t i = 1; i <= result.words.NumWords(); ++i)
    words[std::string(result.words[i].strWord)] = result.words[i].count;
  return words;
}

Words CountText(const std::string& text, const IgnoreList* ignore, const CommonWordsList* common) {
  ClipboardTextSource source(text);
  source.SetUnicode(true);
  return CountWith(source, ignore, common);
}

TEST(UnicodeWordLists, TheInputsLanguageChoosesAListOfTheMode) {
  test::TempDir dir;
  const struct {
    const char* what;
    std::string input;
    bool unicode;
    const char* file;
  } cases[] = {
      {"Russian, mode on", dir.Write("ru.html", "<html lang=\"ru\">"), true, "cwds_ru.txt"},
      {"Russian, mode off", dir.Write("ru.html", "<html lang=\"ru\">"), false, "cwds_en.txt"},
      {"Finnish, mode on", dir.Write("fi.html", "<html lang=\"fi\">"), true, "cwds_fi.txt"},
      {"Finnish, mode off", dir.Write("fi.html", "<html lang=\"fi\">"), false, "cwds_en.txt"},
      {"Bokmål", dir.Write("nb.html", "<p lang=\"nb\">"), true, "cwds_no.txt"},
      {"Nynorsk", dir.Write("nn.html", "<p lang='nn'>"), true, "cwds_no.txt"},
      {"Dutch", dir.Write("nl.html", "<p lang=\"nl\">"), true, "cwds_nl.txt"},
      {"Swedish", dir.Write("sv.html", "<p lang=\"sv\">"), true, "cwds_sv.txt"},
      {"Danish", dir.Write("da.html", "<p lang=\"da\">"), true, "cwds_da.txt"},
      {"Hungarian", dir.Write("hu.html", "<p lang=\"hu\">"), true, "cwds_hu.txt"},
      {"German, mode on", dir.Write("de.html", "<p lang=\"de\">"), true, "cwds_de.txt"},
      {"no list for Polish", dir.Write("pl.html", "<p lang=\"pl\">"), true, "cwds_en.txt"},
      {"none declared", dir.Write("plain.txt", "words"), true, "cwds_en.txt"},
      // Outside the mode a code is still found within "en_de_es_pt_it_fr".
      {"part of the codes, mode off", dir.Write("x.html", "<p lang=\"_d\">"), false, "cwds_en.txt"},
      {"part of the codes, mode on", dir.Write("x.html", "<p lang=\"_d\">"), true, "cwds_en.txt"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CommonWordsFileForLanguage("/data", c.input, c.unicode), std::string("/data/") + c.file) << c.what;
}

TEST(UnicodeWordLists, TheDeclarationsPickTheirListsAndTheRussianCountIgnoresItsCommonWords) {
  KWL_REQUIRE_CORPUS(russian, "unicode/udhr_rus.html");
  KWL_REQUIRE_CORPUS(turkish, "unicode/udhr_tur.html");
  const std::string data = test::DataFolder();
  EXPECT_EQ(CommonWordsFileForLanguage(data, russian, true), data + "/cwds_ru.txt");
  EXPECT_EQ(CommonWordsFileForLanguage(data, russian, false), data + "/cwds_en.txt");
  EXPECT_EQ(CommonWordsFileForLanguage(data, turkish, true), data + "/cwds_tr.txt");

  CommonWordsList common;
  common.Replace(ReadList(data + "/cwds_ru.txt", true, true), true);
  ASSERT_EQ(common.Size(), 151U);
  OpenedFile file = OpenInputFile(russian, InputFileChoice{std::nullopt, false, true});
  ASSERT_TRUE(file.source != nullptr);
  const Words words = CountWith(*file.source, nullptr, &common, file.markup);
  EXPECT_EQ(words.count("и"), 0U);
  EXPECT_EQ(words.count("в"), 0U);
  ASSERT_EQ(words.count("человека"), 1U);
  EXPECT_EQ(words.at("человека"), 8);
}

TEST(UnicodeWordLists, TheListsOfTheModeArriveWhole) {
  const struct {
    const char* file;
    std::size_t words;
    std::vector<std::string> samples;
  } lists[] = {
      {"cwds_ru.txt", 151, {"и", "в", "ее", "чтобы"}},
      {"cwds_nl.txt", 101, {"het", "een", "zij"}},
      {"cwds_sv.txt", 114, {"och", "för", "där"}},
      {"cwds_da.txt", 94, {"og", "på", "være"}},
      {"cwds_no.txt", 172, {"og", "på", "være"}},
      {"cwds_fi.txt", 229, {"että", "minä", "ovat"}},
      // The file's "ill." is the word "ill" (a final period is no part of a
      // word), which it lists as well.
      {"cwds_hu.txt", 197, {"és", "hogy", "között", "ill"}},
      {"cwds_tr.txt", 53, {"ve", "bazı", "niçin"}},
      // A list of the code page read in the mode: "daß" folded to "dass".
      {"cwds_de.txt", 231, {"über", "dass"}},
  };
  for (const auto& l : lists) {
    const std::string path = test::DataFolder() + "/" + l.file;
    CommonWordsList list;
    list.Replace(ReadList(path, true, true), true);
    EXPECT_EQ(list.Size(), l.words) << l.file;
    for (const auto& w : l.samples) EXPECT_TRUE(list.Contains(w)) << l.file << ": " << w;
  }
}

TEST(UnicodeWordLists, AListIsFoldedAndComposedAsTheCountFoldsItsWords) {
  test::TempDir dir;
  // "é" decomposed in the list, composed in the text; a Greek final sigma in
  // the text against a capital one in the list; "ß" folded to "ss".
  const std::string utf8List = dir.Write("list.txt", "Łódź ΣΟΦΙΑΣ\ncafe\xCC\x81 Straße\n");
  const std::vector<std::string> read = ReadList(utf8List, true, true);
  EXPECT_EQ(read, (std::vector<std::string>{"café", "strasse", "łódź", "σοφιασ"}));
  // A list that is not UTF-8 is Windows-1252, converted.
  EXPECT_EQ(ReadList(dir.Write("ansi.txt", "Caf\xE9 NA\xCFVE\r\n"), false, true),
            (std::vector<std::string>{"café", "naïve"}));

  CommonWordsList common;
  common.Replace(read, true);
  const struct {
    const char* text;
    bool kept;
  } cases[] = {
      {"łódź", false}, {"ŁÓDŹ", false},   {"σοφιας", false}, {"Σοφιας", false}, {"σοφια", true},
      {"café", false}, {"CAFÉ", false},   {"straße", false}, {"STRASSE", false}, {"lodz", true},
  };
  for (const auto& c : cases) {
    const Words words = CountText(std::string(c.text) + " kept", nullptr, &common);
    EXPECT_EQ(words.size(), c.kept ? 2U : 1U) << c.text;
  }
}

TEST(UnicodeWordLists, ACountLooksUpOnlyListsOfItsOwnKind) {
  CommonWordsList codePage;
  codePage.Replace({"caf\xE9", "the"});
  CommonWordsList utf8;
  utf8.Replace({"café", "the"}, true);
  IgnoreList ignoreCodePage;
  ignoreCodePage = " caf\xE9 the ";
  IgnoreList ignoreUtf8;
  ignoreUtf8.Set(" café the ", true);
  const struct {
    const char* what;
    const CommonWordsList* common;
    const IgnoreList* ignore;
    bool unicode;
    WordRule rule;
  } cases[] = {
      {"UTF-8 list, Unicode count", &utf8, nullptr, true, WordRule::kCommonWord},
      {"code page list, Unicode count", &codePage, nullptr, true, WordRule::kCounted},
      {"UTF-8 list, code page count", &utf8, nullptr, false, WordRule::kCounted},
      {"code page list, code page count", &codePage, nullptr, false, WordRule::kCommonWord},
      {"UTF-8 words to ignore, Unicode count", nullptr, &ignoreUtf8, true, WordRule::kWordsToIgnore},
      {"code page words to ignore, Unicode count", nullptr, &ignoreCodePage, true, WordRule::kCounted},
      {"UTF-8 words to ignore, code page count", nullptr, &ignoreUtf8, false, WordRule::kCounted},
  };
  for (const auto& c : cases) {
    WordRules rules;
    rules.commonWords = c.common;
    rules.wordsToIgnore = c.ignore;
    EXPECT_EQ(ListRule(c.unicode ? "café" : "caf\xE9", rules, c.unicode), c.rule) << c.what;
    EXPECT_EQ(ListRule("the", rules, c.unicode) != WordRule::kCounted, c.rule != WordRule::kCounted)
        << c.what << ": ASCII words too";
  }
}

TEST(UnicodeWordLists, WordsToIgnoreAreFoldedComposedAndSortedByBytes) {
  const struct {
    const char* text;
    std::optional<std::string> normalised;
  } cases[] = {
      {"", std::nullopt},
      {"   ", std::nullopt},
      {",", ""},
      {"человек Straße", "strasse человек"},
      {"Łódź,łódź  ŁÓDŹ", "łódź"},
      {"cafe\xCC\x81 café", "café"},
      {"ΣΟΦΙΑΣ zebra Apple", "apple zebra σοφιασ"},
      {"bad\xFF", "bad\xEF\xBF\xBD"},
  };
  for (const auto& c : cases) EXPECT_EQ(NormaliseUnicodeWordsToIgnore(c.text), c.normalised) << c.text;

  IgnoreList ignore;
  ignore.Set(IgnoreListText(*NormaliseUnicodeWordsToIgnore("человек Straße")), true);
  EXPECT_EQ(CountText("Человек человека strasse STRASSE straße Strasse", &ignore, nullptr),
            (Words{{"человека", 1}}));
}

TEST(UnicodeWordLists, TheCharactersAWordToIgnoreMayHold) {
  const struct {
    const char* words;
    const char* allowed;
    std::int32_t first;
  } cases[] = {
      {"", "", -1},
      {"человек łódź ΣΟΦΙΑ 東京 नमस्ते", "", -1},
      {"a+b", "-", '+'},
      {"well-known", "-", -1},
      {"well-known", "", '-'},
      {"don’t", "'", -1},
      {"don’t", "", 0x2019},
      {"‘quoted", "'\x91", -1},
      {"٣٤", "0123456789", -1},
      {"٣٤", "", 0x0663},
      {"a→b", "-", 0x2192},
  };
  for (const auto& c : cases) EXPECT_EQ(FirstUnicodeCharacterNotAllowed(c.words, c.allowed), c.first) << c.words;
  EXPECT_EQ(UnicodeCharacterNotAllowedText(0x2192),
            "The character → occurs in some word to ignore\r\nbut is not currently set as a character allowed in a word.");
  EXPECT_EQ(UnicodeCharacterNotAllowedText('+'),
            "The character + occurs in some word to ignore\r\nbut is not a character allowed in a word.");
}

// kestrawl-count picks and reads the lists as the window does: a settings
// file that ticks the common words (line 13) and counts short words (line 11
// off), with words to ignore (line 3) in some cases.
TEST(UnicodeWordLists, TheCommandLineReadsItsListsInTheMode) {
  KWL_REQUIRE_CLI();
  test::TempDir dir;
  const auto settings = [&dir](const std::string& wordsToIgnore) {
    std::vector<std::string> lines = {"\"\"", "\"\"", "\"" + wordsToIgnore + "\"", "\"/*\"", "\"*/\"", "\"//\"",
                                      "\"\"", "1", "7", "0", "0", "0", "1", "1", "1", "1", "0", "0", "1", "0", "0",
                                      "0", "0", "0", "0", "0", "0", "0", "0", "1", "0", "0", "0", "0", "0", "0",
                                      "\"\"", "0"};
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return dir.Write(std::to_string(text.size()) + ".kwl", text);
  };
  const std::string russian = dir.Write("ru.html", "<html lang=\"ru\"><p>И человек в мире</p></html>\r\n");
  const std::string list = dir.Write("list.txt", "Łódź Straße\n");
  const std::string polish = dir.Write("pl.txt", "ŁÓDŹ strasse kept\r\n");
  const struct {
    const char* what;
    std::vector<std::string> args;
    std::vector<std::string> listed;
    std::vector<std::string> absent;
    std::string loaded;
  } cases[] = {
      {"Russian, in the mode", {"--unicode", "--settings", settings(""), russian},
       {"мире", "человек"}, {"и\r\n", "в\r\n"}, "151 common words loaded from " + test::DataFolder() + "/cwds_ru.txt"},
      {"Russian, outside the mode", {"--settings", settings(""), russian},
       {}, {}, "127 common words loaded from " + test::DataFolder() + "/cwds_en.txt"},
      {"a named UTF-8 list", {"--unicode", "--settings", settings(""), "--common-words", list, polish},
       {"kept"}, {"łódź", "strasse"}, "Two common words loaded from " + list},
      {"words to ignore", {"--unicode", "--settings", settings("Человек Straße"), "--common-words", list, russian},
       {"мире", "и", "в"}, {"человек", "strasse"}, ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--format", "8", "--order", "alphabetical"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const test::CliResult r = test::RunCli(args);
    EXPECT_EQ(r.status, 0) << c.what << ": " << r.err;
    for (const std::string& w : c.listed) EXPECT_NE(r.out.find(w), std::string::npos) << c.what << ": " << w;
    for (const std::string& w : c.absent) EXPECT_EQ(r.out.find(w), std::string::npos) << c.what << ": " << w;
    EXPECT_NE(r.err.find(c.loaded), std::string::npos) << c.what << ": " << r.err;
  }
}

// The window: the chooser's languages follow the mode, the lists in force
// are made of the mode's kind when a count starts, and a Russian word to
// ignore survives saving and loading the settings.
TEST(UnicodeWordLists, TheWindowKeepsItsListsInTheModesKind) {
  test::TempDir dir;
  test::TestSession ts;
  Session& s = ts.session;
  LanguageSelection& f = s.frmLanguageSelection;
  int choice = -1;
  std::vector<std::size_t> offered;
  f.showModal = [&] {
    offered.push_back(f.cboCommonWordsFiles.Items().size());
    f.cboCommonWordsFiles.SetListIndex(choice);
    if (choice >= 0) f.cmdAccept.Click();
  };
  s.params.cmdSelectCommonWordsFile[1].Click();
  s.params.chkUnicodeWords.SetValue(1);
  choice = 8;
  s.params.cmdSelectCommonWordsFile[1].Click();
  EXPECT_EQ(f.cboCommonWordsFiles.Items()[8], "Russian");
  EXPECT_EQ(f.cboCommonWordsFiles.Items()[15], "Turkish");
  EXPECT_EQ(f.cmdAccept.Caption(), "Load common words file for this language");
  EXPECT_EQ(s.run.strCommonWordsFile, test::DataFolder() + "/cwds_ru.txt");
  EXPECT_EQ(ts.platform.LastBox().text, "151 common words loaded from " + test::DataFolder() + "/cwds_ru.txt");
  EXPECT_TRUE(s.commonWords.Unicode());
  EXPECT_TRUE(s.commonWords.Contains("и"));
  s.params.chkUnicodeWords.SetValue(0);
  choice = -1;
  s.params.cmdSelectCommonWordsFile[1].Click();
  EXPECT_EQ(offered, (std::vector<std::size_t>{8, 16, 8})) << "the mode's languages only in the mode";

  // A list read outside the mode is read again in it as the count starts.
  choice = 0;
  s.params.cmdSelectCommonWordsFile[1].Click();
  ASSERT_FALSE(s.commonWords.Unicode());
  s.params.txbWordsToIgnore.SetText("Straße");
  NormaliseWordsToIgnore(s);
  EXPECT_FALSE(s.run.strWordsToIgnore.Unicode());
  s.params.chkUnicodeWords.SetValue(1);
  s.params.chkIgnoreShortWords.SetValue(0);
  s.main.optOnClipboard.Select();
  ts.platform.clipboard = "The STRASSE and the café";
  const std::size_t boxes = ts.platform.boxes.size();
  s.main.cmdListWords.Click();
  ASSERT_EQ(ts.platform.boxes.size(), boxes + 1);
  EXPECT_EQ(ts.platform.LastBox().text, "127 common words loaded from " + test::DataFolder() + "/cwds_en.txt");
  EXPECT_TRUE(s.commonWords.Unicode());
  EXPECT_TRUE(s.run.strWordsToIgnore.Unicode());
  std::vector<std::string> counted;
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) counted.emplace_back(s.aWords[i].strWord);
  EXPECT_EQ(counted, std::vector<std::string>{"café"});

  // Typed in the mode, saved, and loaded by a window outside the mode.
  s.params.txbWordsToIgnore.SetText("Человек Straße");
  s.params.txbWordsToIgnore.onLostFocus();
  EXPECT_EQ(s.params.txbWordsToIgnore.Text(), "strasse человек");
  const std::string saved = dir.File("russian.kwl");
  ASSERT_EQ(SaveState(s, saved), "");
  test::TestSession other;
  Session& o = other.session;
  ASSERT_EQ(o.params.chkUnicodeWords.Value(), 0);
  ASSERT_EQ(RestoreSavedState(o, saved), "");
  EXPECT_EQ(o.params.chkUnicodeWords.Value(), 1);
  EXPECT_EQ(o.params.txbWordsToIgnore.Text(), "strasse человек");
  EXPECT_TRUE(o.run.strWordsToIgnore.Unicode());
  EXPECT_TRUE(o.run.strWordsToIgnore.Contains("человек"));
}

// The list the input's language chose outside the mode gives way to the
// list it chooses in the mode when the count starts.
TEST(UnicodeWordLists, TheInputsLanguageChoosesAgainInTheMode) {
  KWL_REQUIRE_CORPUS(russian, "unicode/udhr_rus.html");
  test::TestSession ts;
  Session& s = ts.session;
  s.main.txbFile[0].SetText(russian);
  ts.platform.answers.push_back(Answer::Yes);
  ChooseCommonWordsFromInputLanguage(s);
  ASSERT_EQ(s.run.strCommonWordsFile, test::DataFolder() + "/cwds_en.txt");
  ASSERT_EQ(s.commonWords.Size(), 127U);
  s.params.chkUnicodeWords.SetValue(1);
  s.params.chkIgnoreShortWords.SetValue(0);
  s.main.chkUTF8.SetValue(1);
  s.main.cmdListWords.Click();
  EXPECT_EQ(s.run.strCommonWordsFile, test::DataFolder() + "/cwds_ru.txt");
  EXPECT_TRUE(s.commonWords.Unicode());
  EXPECT_EQ(s.commonWords.Size(), 151U);
  bool listed = false;
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) {
    EXPECT_NE(s.aWords[i].strWord, "и");
    listed = listed || s.aWords[i].strWord == "человека";
  }
  EXPECT_TRUE(listed);
}

}  // namespace
}  // namespace kwl
