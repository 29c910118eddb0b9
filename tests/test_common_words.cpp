// Common-words files: reading them into the list, the choice by the input's
// language, the settings window's reactions and the shipped lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/paths.h"
#include "text_file.h"
#include "session.h"
#include "support/test_files.h"
#include "common_words.h"
#include "window_state.h"

namespace kwl {
namespace {

using Words = std::vector<std::string>;

// Reading goes through the text-file check; where that check still refuses
// every file, the tests that read are skipped.
bool TextFileCheckAvailable() {
  test::TempDir dir;
  test::TestSession ts;
  bool utf8 = false;
  int lineClass = 0;
  return CheckTextFile(ts.session, dir.Write("probe.txt", "plain words\r\n"), true, utf8, lineClass, false);
}

#define KWL_REQUIRE_TEXT_FILE_CHECK() \
  if (!TextFileCheckAvailable()) GTEST_SKIP() << "the text-file check refuses every file on this branch"

// Ticks the box as the window does for itself, without its click reaction.
void TickQuietly(Session& s) {
  s.params.selfChange = true;
  s.params.chkIgnoreCommonWords.SetValue(1);
  s.params.selfChange = false;
}

bool Read(Session& s, const std::string& path) {
  s.run.strCommonWordsFile = path;
  return AttemptToReadCommonWords(s);
}

TEST(CommonWords, NumberInWords) {
  test::TestSession ts;
  const struct {
    std::int64_t n;
    const char* text;
  } cases[] = {{0, "No"},          {1, "One"},          {7, "Seven"},        {13, "Thirteen"},
               {19, "Nineteen"},   {20, "Twenty"},      {21, "Twenty one"},  {30, "Thirty"},
               {42, "Forty two"},  {58, "Fifty eight"}, {70, "Seventy"},     {99, "Ninety nine"},
               {100, "100"},       {1201, "1,201"},     {1234567, "1,234,567"}};
  for (const auto& c : cases) EXPECT_EQ(NumberInWords(c.n, ts.platform), c.text) << c.n;
}

TEST(CommonWords, RepeatedAndUpperCaseWordsGiveOneLowerCaseEntry) {
  KWL_REQUIRE_TEXT_FILE_CHECK();
  test::TempDir dir;
  test::TestSession ts;
  Session& s = ts.session;
  const std::string path = dir.Write("words.txt", "The the\r\nTHE, cat;\n\n   \rand/or o'clock x-ray\r\n");
  EXPECT_TRUE(Read(s, path));
  EXPECT_EQ(s.commonWords.Words(), (Words{"and/or", "cat", "o'clock", "the", "x-ray"}));
  EXPECT_TRUE(s.commonWords.Contains("the"));
  EXPECT_FALSE(s.commonWords.Contains("The"));
  EXPECT_EQ(ts.platform.LastBox().text, "Five common words loaded from " + path);
  EXPECT_EQ(ts.platform.LastBox().title, "Common words loaded");
  EXPECT_EQ(ts.platform.LastBox().icon, Icon::Information);
  EXPECT_EQ(s.params.txbCommonWordsFile.Text(), path);
  EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), 1);
  EXPECT_TRUE(s.run.blnCommonWordsLoaded);
  EXPECT_FALSE(s.run.blnReadingWords);
  EXPECT_FALSE(s.run.blnWordsGot);
  EXPECT_EQ(s.main.cmdListWords.Caption(), s.Text(73));
  EXPECT_EQ(s.main.txbOutput.Text(), "");
  EXPECT_EQ(ts.platform.boxes.size(), 1U) << "ticking the box after the read asks nothing more";
}

TEST(CommonWords, ExactlyOneWordIsReportedInTheSingular) {
  KWL_REQUIRE_TEXT_FILE_CHECK();
  test::TempDir dir;
  test::TestSession ts;
  const std::string path = dir.Write("one.txt", "  Only  \r\n");
  EXPECT_TRUE(Read(ts.session, path));
  EXPECT_EQ(ts.platform.LastBox().text, "One common word loaded from " + path);
}

TEST(CommonWords, ReadingShowsItsStateAndRestoresTheSettings) {
  KWL_REQUIRE_TEXT_FILE_CHECK();
  test::TempDir dir;
  test::TestSession ts;
  Session& s = ts.session;
  s.main.chkSuppressWords.SetValue(0);
  std::string text;
  for (int i = 0; i < 25; ++i) text += "word" + std::string(1, static_cast<char>('a' + i)) + "\n";
  const std::string path = dir.Write("words.txt", text);
  std::vector<std::string> seen;
  ts.platform.onProcessEvents = [&] {
    EXPECT_EQ(CurrentRunPhase(s), RunPhase::kReadingCommonWords);
    seen.push_back(s.main.txbOutput.Text() + "|" + s.main.cmdListWords.Caption() + "|" +
                   std::to_string(s.main.chkSuppressWords.Value()) + "|" + s.main.lblNumberOfWords.Caption());
  };
  EXPECT_TRUE(Read(s, path));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.front(), "Now reading common words ...|Stop|1|");
  EXPECT_EQ(seen.back(), "Now reading common words ...|Stop|1|Number of common words read so far: 20");
  EXPECT_EQ(s.main.chkSuppressWords.Value(), 0);
  EXPECT_EQ(s.main.lblNumberOfWords.Caption(), "") << "emptied once loaded";
  EXPECT_TRUE(s.main.cmdFile[0].Enabled()) << "controls given back";
  EXPECT_EQ(CurrentRunPhase(s), RunPhase::kIdle);
}

TEST(CommonWords, AStoppedReadKeepsThePreviousList) {
  KWL_REQUIRE_TEXT_FILE_CHECK();
  test::TempDir dir;
  test::TestSession ts;
  Session& s = ts.session;
  ASSERT_TRUE(Read(s, dir.Write("first.txt", "alpha beta\n")));
  const std::size_t boxes = ts.platform.boxes.size();
  std::string many;
  for (int i = 0; i < 100; ++i) many += "w" + std::to_string(i) + "x\n";
  // The Stop command: a click on the count button, answered Yes.
  ts.platform.answers.push_back(Answer::Yes);
  ts.platform.onProcessEvents = [&] {
    if (s.main.cmdListWords.Caption() == s.Text(74) && !s.run.blnStop) s.main.cmdListWords.Click();
  };
  EXPECT_FALSE(Read(s, dir.Write("second.txt", many)));
  EXPECT_EQ(s.commonWords.Words(), (Words{"alpha", "beta"}));
  EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), 0) << "the box is unticked";
  EXPECT_FALSE(s.run.blnCommonWordsLoaded);
  EXPECT_FALSE(s.run.blnStop);
  EXPECT_EQ(ts.platform.boxes.size(), boxes + 1) << "only the stop question";
  EXPECT_EQ(ts.platform.LastBox().text, s.Text(75));
  EXPECT_EQ(s.main.cmdListWords.Caption(), s.Text(73));
}

TEST(CommonWords, RefusedFilesKeepThePreviousList) {
  KWL_REQUIRE_TEXT_FILE_CHECK();
  test::TempDir dir;
  test::TestSession ts;
  Session& s = ts.session;
  ASSERT_TRUE(Read(s, dir.Write("first.txt", "alpha beta\n")));
  for (const std::string& path : {dir.Write("empty.txt", ""), dir.Write("binary.txt", std::string("\x01\x02\x03\x04\x05\x06\x07", 7))}) {
    TickQuietly(s);
    EXPECT_FALSE(Read(s, path)) << path;
    EXPECT_EQ(s.commonWords.Words(), (Words{"alpha", "beta"})) << path;
    EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), 0) << path;
  }
}

TEST(CommonWords, AMissingFileIsReportedAfterStartUpOnly) {
  test::TempDir dir;
  {
    test::TestSession ts;
    TickQuietly(ts.session);
    EXPECT_FALSE(Read(ts.session, dir.File("missing.txt")));
    EXPECT_EQ(ts.platform.LastBox().text, "File for common words not found.");
    EXPECT_EQ(ts.platform.LastBox().title, "File not found");
    EXPECT_EQ(ts.session.params.chkIgnoreCommonWords.Value(), 0);
  }
  {
    test::TestSession ts;
    ts.session.run.blnStartUpCompleted = false;
    EXPECT_FALSE(Read(ts.session, dir.File("missing.txt")));
    EXPECT_TRUE(ts.platform.boxes.empty());
    EXPECT_EQ(ts.session.run.strCommonWordsFile, test::DataFolder() + "/cwds_en.txt") << "the default again";
    EXPECT_EQ(ts.session.params.txbCommonWordsFile.Text(), test::DataFolder() + "/cwds_en.txt");
  }
  {
    test::TestSession ts;
    EXPECT_FALSE(Read(ts.session, "   "));
    EXPECT_TRUE(ts.platform.boxes.empty());
  }
}

TEST(CommonWords, LanguageCodeFromTheFirstTenLines) {
  test::TempDir dir;
  const std::string nine = "1\n2\n3\n4\n5\n6\n7\n8\n9\n";
  struct Case {
    const char* what;
    std::string content;
    std::string allowed;
    std::string code;
  };
  const Case cases[] = {
      {"lang in double quotes", "<!DOCTYPE html>\n<html lang=\"de\">\n", "en_de_es_pt_it_fr", "de"},
      {"a region after the language", "<html xml:lang=\"fr-FR\" lang=\"fr-FR\">", "en_de_es_pt_it_fr", "fr"},
      {"single quotes", "<html lang='pt'>", "en_de_es_pt_it_fr", "pt"},
      {"upper case", "<HTML LANG=\"IT\">", "en_de_es_pt_it_fr", "it"},
      {"a language without a list", "<html lang=\"fi\">", "en_de_es_pt_it_fr", "en"},
      {"any language when nothing is excluded", "<html lang=\"fi\">", "", "fi"},
      {"content-language", "<meta http-equiv=\"Content-Language\" content=\"es\">", "en_de_es_pt_it_fr", "es"},
      {"content of another kind", "<meta name=\"x\" content=\"text/html\">", "en_de_es_pt_it_fr", "en"},
      {"lang before content", "<meta content=\"es\"><p lang=\"it\">", "en_de_es_pt_it_fr", "it"},
      {"no declaration", "Just some text.\r\nMore text.", "en_de_es_pt_it_fr", "en"},
      {"cut off at the end", "<html lang=", "en_de_es_pt_it_fr", "en"},
      {"the tenth non-empty line counts", nine + "\n\n\r\n<html lang=\"es\">", "en_de_es_pt_it_fr", "es"},
      {"the eleventh does not", nine + "10\n<html lang=\"es\">", "en_de_es_pt_it_fr", "en"},
      {"CR-only lines", "1\r2\r3\r<p lang=\"de\">", "en_de_es_pt_it_fr", "de"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DetectLanguageCode(dir.Write("in.html", c.content), c.allowed, "en"), c.code) << c.what;
  EXPECT_EQ(DetectLanguageCode(dir.File("missing.html"), "en_de", "xx"), "xx");
}

TEST(CommonWords, TheInputsLanguageChoosesTheFile) {
  test::TempDir dir;
  struct Case {
    const char* what;
    std::string content;
    const char* file;
  };
  const Case cases[] = {
      {"German", "<html lang=\"de\"><body>Text</body></html>", "cwds_de.txt"},
      {"French", "<html lang=\"fr\">", "cwds_fr.txt"},
      {"Finnish", "<html lang=\"fi\">", "cwds_en.txt"},
      {"none", "plain text", "cwds_en.txt"},
  };
  for (const auto& c : cases) {
    test::TestSession ts;
    Session& s = ts.session;
    s.main.txbFile[0].SetText("  " + dir.Write("in.html", c.content) + " ");
    ts.platform.answers.push_back(Answer::No);
    ChooseCommonWordsFromInputLanguage(s);
    const std::string expected = test::DataFolder() + "/" + c.file;
    EXPECT_EQ(s.run.strCommonWordsFile, expected) << c.what;
    ASSERT_EQ(ts.platform.boxes.size(), 1U) << c.what;
    EXPECT_EQ(ts.platform.LastBox().text, s.Text(40) + "\r\n" + expected) << c.what;
    EXPECT_EQ(ts.platform.LastBox().title, s.Text(42)) << c.what;
    EXPECT_EQ(ts.platform.LastBox().buttons, Buttons::YesNo) << c.what;
    EXPECT_TRUE(s.commonWords.Words().empty()) << "No reads nothing";
  }
}

TEST(CommonWords, TheAllLanguagesListStaysLoaded) {
  test::TempDir dir;
  test::TestSession ts;
  Session& s = ts.session;
  s.run.blnCommonWordsLoaded = true;
  TickQuietly(s);
  s.params.txbCommonWordsFile.SetText(test::DataFolder() + "/cwds_en_de_es_pt_it_fr.txt");
  s.main.txbFile[0].SetText(dir.Write("in.html", "<html lang=\"de\">"));
  ChooseCommonWordsFromInputLanguage(s);
  EXPECT_TRUE(ts.platform.boxes.empty());
  EXPECT_TRUE(s.run.blnCommonWordsLoaded);
  EXPECT_EQ(s.params.txbCommonWordsFile.Text(), test::DataFolder() + "/cwds_en_de_es_pt_it_fr.txt");
}

TEST(CommonWords, WithoutTheFileTheChoiceIsCleared) {
  test::TempDir dir;
  test::TestSession ts;
  Session& s = ts.session;
  s.programFolder = dir.Path();  // no lists there
  TickQuietly(s);
  s.params.txbCommonWordsFile.SetText("old");
  s.main.txbFile[0].SetText(dir.Write("in.txt", "text"));
  ChooseCommonWordsFromInputLanguage(s);
  EXPECT_EQ(s.run.strCommonWordsFile, "");
  EXPECT_EQ(s.params.txbCommonWordsFile.Text(), "");
  EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), 0);
}

TEST(CommonWords, TheChosenFileIsReadWhenTheSettingIsOn) {
  KWL_REQUIRE_TEXT_FILE_CHECK();
  test::TempDir dir;
  test::TestSession ts;
  Session& s = ts.session;
  s.run.strCommonWordsFile = dir.Write("mine.txt", "mine\n");
  TickQuietly(s);
  s.main.txbFile[0].SetText(dir.Write("in.html", "<html lang=\"de\">"));
  ChooseCommonWordsFromInputLanguage(s);
  ASSERT_EQ(ts.platform.boxes.size(), 1U) << "no question, only the outcome";
  EXPECT_EQ(ts.platform.LastBox().text,
            NumberInWords(231, ts.platform) + " common words loaded from " + test::DataFolder() + "/cwds_de.txt");
  EXPECT_EQ(s.commonWords.Size(), 231U);
}

TEST(CommonWords, ShippedListsArriveWholeWithTheirAccents) {
  KWL_REQUIRE_TEXT_FILE_CHECK();
  const struct {
    const char* file;
    std::size_t words;
    std::vector<std::string> samples;  // Windows-1252
  } lists[] = {
      {"cwds_en.txt", 127, {"the", "and", "yourselves"}},
      {"cwds_de.txt", 231, {"\xFC" "ber", "f\xFCr", "da\xDF", "w\xE4hrend", "k\xF6nnen"}},
      {"cwds_es.txt", 313, {"est\xE1", "m\xE1s", "t\xFA"}},
      {"cwds_pt.txt", 203, {"n\xE3o", "voc\xEA", "at\xE9"}},
      {"cwds_it.txt", 279, {"pi\xF9", "perch\xE9"}},
      {"cwds_fr.txt", 155, {"\xE9t\xE9", "\xE0", "\xE9t\xE9" "es", "\xE9tantes"}},
      {"cwds_en_de.txt", 352, {"the", "\xFC" "ber"}},
      {"cwds_en_de_es_pt_it_fr.txt", 1201, {"the", "\xFC" "ber", "n\xE3o", "\xE9t\xE9"}},
  };
  for (const auto& l : lists) {
    test::TestSession ts;
    const std::string path = test::DataFolder() + "/" + l.file;
    // Every line of the file is one word: all of them must arrive whole.
    std::size_t lines = 0;
    for (char c : test::ReadAll(path)) lines += c == '\n';
    EXPECT_EQ(lines, l.words) << l.file;
    ASSERT_TRUE(Read(ts.session, path)) << l.file;
    EXPECT_EQ(ts.session.commonWords.Size(), l.words) << l.file;
    for (const auto& w : l.samples) EXPECT_TRUE(ts.session.commonWords.Contains(w)) << l.file << ": " << w;
  }
}

TEST(CommonWords, LoadedWordsAreIgnoredByACount) {
  KWL_REQUIRE_TEXT_FILE_CHECK();
  test::TestSession ts;
  Session& s = ts.session;
  ASSERT_TRUE(Read(s, test::DataFolder() + "/cwds_en.txt"));
  s.main.optOnClipboard.Select();
  ts.platform.clipboard = "The cat and the dog were there.";
  s.main.cmdListWords.Click();
  std::string counted;
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) counted += std::string(s.aWords[i].strWord) + " ";
  EXPECT_EQ(counted, "cat dog ");
}

TEST(CommonWords, CheckBoxReactions) {
  struct Case {
    const char* what;
    std::string path;
    bool loaded;
    const char* title;
    const char* text;
    std::int16_t after;
  };
  const Case cases[] = {
      {"no file", "", false, "Ignore common words in file:", "Please specify the file containing common words.", 0},
      {"already loaded", "/some/file.txt", true, "Common words loaded",
       "This file has already been loaded.  Click on 'Clear' and re-select the file if it has been changed on disk.",
       1},
  };
  for (const auto& c : cases) {
    test::TestSession ts;
    Session& s = ts.session;
    s.run.strCommonWordsFile = c.path;
    s.run.blnCommonWordsLoaded = c.loaded;
    bool focused = false;
    s.params.cmdClose.onFocus = [&] { focused = true; };
    s.params.chkIgnoreCommonWords.SetValue(1);
    ASSERT_EQ(ts.platform.boxes.size(), 1U) << c.what;
    EXPECT_EQ(ts.platform.LastBox().title, c.title) << c.what;
    EXPECT_EQ(ts.platform.LastBox().text, c.text) << c.what;
    EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), c.after) << c.what;
    EXPECT_TRUE(focused) << c.what;
  }
}

TEST(CommonWords, CheckBoxIsQuietWhileTheProgramSetsIt) {
  for (int when = 0; when < 3; ++when) {
    test::TestSession ts;
    Session& s = ts.session;
    if (when == 0) s.run.blnStartUpCompleted = false;
    if (when == 1) s.params.selfChange = true;
    if (when == 2) s.run.blnReadingWords = true;
    s.params.chkIgnoreCommonWords.SetValue(1);
    EXPECT_TRUE(ts.platform.boxes.empty()) << when;
    EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), 1) << when;
  }
  test::TestSession ts;
  ts.session.run.strCommonWordsFile = "/x";
  TickQuietly(ts.session);
  ts.session.params.chkIgnoreCommonWords.SetValue(0);
  EXPECT_TRUE(ts.platform.boxes.empty()) << "unticking changes nothing else";
  EXPECT_EQ(ts.session.run.strCommonWordsFile, "/x");
}

TEST(CommonWords, ClearForgetsTheFileButNotTheList) {
  test::TestSession ts;
  Session& s = ts.session;
  s.commonWords.Replace({"kept"});
  s.run.strCommonWordsFile = "/a/file.txt";
  s.params.txbCommonWordsFile.SetText("/a/file.txt");
  s.run.blnCommonWordsLoaded = true;
  TickQuietly(s);
  s.params.cmdClearCommonWordsFile.Click();
  EXPECT_EQ(s.params.txbCommonWordsFile.Text(), "");
  EXPECT_EQ(s.run.strCommonWordsFile, "");
  EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), 0);
  EXPECT_FALSE(s.run.blnCommonWordsLoaded);
  EXPECT_EQ(s.commonWords.Words(), Words{"kept"});
}

TEST(CommonWords, SelectingAnyFile) {
  test::TestSession ts;
  Session& s = ts.session;
  int shown = 0;
  s.showSettingsWindow = [&] { ++shown; };
  s.run.strCommonWordsFile = "/before.txt";
  ts.platform.fileAnswers.push_back(std::nullopt);
  s.params.cmdSelectCommonWordsFile[0].Click();
  ASSERT_EQ(ts.platform.dialogs.size(), 1U);
  const FileDialog& d = ts.platform.dialogs[0];
  EXPECT_EQ(d.title, "Specify file of common words to ignore");
  EXPECT_EQ(d.filter, "Any file containing only text (*.*) | *.*");
  EXPECT_EQ(d.initialName, "");
  EXPECT_TRUE(d.mustExist);
  EXPECT_FALSE(d.save);
  EXPECT_EQ(s.run.strCommonWordsFile, "/before.txt") << "Cancel changes nothing";
  EXPECT_EQ(shown, 1);
}

TEST(CommonWords, SelectingAnyFileReadsItKeepingTheCaseOfItsPath) {
  KWL_REQUIRE_TEXT_FILE_CHECK();
  test::TempDir dir;
  test::TestSession ts;
  Session& s = ts.session;
  const std::string path = dir.Write("My Words.TXT", "Mine\n");
  ts.platform.fileAnswers.push_back(path);
  s.params.cmdSelectCommonWordsFile[0].Click();
  EXPECT_EQ(s.run.strCommonWordsFile, path);
  EXPECT_EQ(s.params.txbCommonWordsFile.Text(), path);
  EXPECT_EQ(s.commonWords.Words(), Words{"mine"});
  EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), 1);
}

TEST(CommonWords, TheLanguageChooser) {
  test::TestSession ts;
  Session& s = ts.session;
  LanguageSelection& f = s.frmLanguageSelection;
  std::vector<std::string> states;
  f.showModal = [&] {
    states.push_back(f.caption + "|" + std::to_string(f.cboCommonWordsFiles.ListIndex()) + "|" +
                     (f.cmdAccept.Enabled() ? "on" : "off"));
    f.cmdCancel.Click();
  };
  s.params.cmdSelectCommonWordsFile[1].Click();
  EXPECT_EQ(states, std::vector<std::string>{"Select common words in some language|-1|off"});
  EXPECT_EQ(f.cboCommonWordsFiles.Items(),
            (Words{"English", "German", "Spanish", "Portuguese", "Italian", "French", "English and German",
                   "All six languages"}));
  EXPECT_EQ(s.run.strCommonWordsFile, "") << "Cancel changes nothing";
  EXPECT_TRUE(ts.platform.boxes.empty());

  f.cboCommonWordsFiles.SetListIndex(3);
  EXPECT_TRUE(f.cmdAccept.Enabled());
  EXPECT_EQ(f.cmdAccept.Caption(), "Load common words file for this language");
  f.cboCommonWordsFiles.SetListIndex(6);
  EXPECT_EQ(f.cmdAccept.Caption(), "Load common words file for these languages");
  f.cboCommonWordsFiles.SetListIndex(-1);
  EXPECT_FALSE(f.cmdAccept.Enabled());
}

TEST(CommonWords, TheLanguageChooserLoadsTheChosenList) {
  KWL_REQUIRE_TEXT_FILE_CHECK();
  test::TestSession ts;
  Session& s = ts.session;
  LanguageSelection& f = s.frmLanguageSelection;
  f.showModal = [&] {
    f.cboCommonWordsFiles.SetListIndex(5);
    f.cmdAccept.Click();
  };
  s.params.cmdSelectCommonWordsFile[1].Click();
  EXPECT_EQ(s.run.strCommonWordsFile, test::DataFolder() + "/cwds_fr.txt");
  EXPECT_EQ(s.commonWords.Size(), 155U);
  EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), 1);
  EXPECT_EQ(ts.platform.LastBox().text, "155 common words loaded from " + test::DataFolder() + "/cwds_fr.txt");
}

TEST(CommonWords, ATypedPathIsTakenOverOnlyWhileTheBoxIsTicked) {
  test::TempDir dir;
  test::TestSession ts;
  Session& s = ts.session;
  s.run.strCommonWordsFile = "/old.txt";
  s.params.txbCommonWordsFile.SetText("/typed.txt");
  s.params.txbCommonWordsFile.LoseFocus();
  EXPECT_EQ(s.run.strCommonWordsFile, "/old.txt");

  TickQuietly(s);
  s.run.blnCommonWordsLoaded = true;
  s.params.txbCommonWordsFile.SetText("  " + dir.File("missing.txt") + " ");
  s.params.txbCommonWordsFile.LoseFocus();
  EXPECT_EQ(s.run.strCommonWordsFile, dir.File("missing.txt"));
  EXPECT_EQ(s.params.txbCommonWordsFile.Text(), dir.File("missing.txt"));
  EXPECT_EQ(ts.platform.LastBox().text, "File for common words not found.") << "the new file is read";
  EXPECT_EQ(s.params.chkIgnoreCommonWords.Value(), 0);
  EXPECT_FALSE(s.run.blnCommonWordsLoaded);
}

}  // namespace
}  // namespace kwl
