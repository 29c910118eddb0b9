// The word table and the count run over lines handed to the scanner.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>

#include "count/limits.h"
#include "files/paths.h"
#include "count_run.h"
#include "progress.h"
#include "scan/char_rules.h"
#include "text/normalise.h"
#include "params_logic.h"
#include "text/cp1252.h"
#include "support/test_files.h"
#include "window_state.h"
#include "count/word_table.h"
#include "word_filters.h"
#include "count/rules_from_settings.h"

namespace kwl {
namespace {

using test::TestSession;

void Feed(Session& s, std::initializer_list<std::string> lines) {
  for (std::string line : lines) {
    if (s.params.chkCaseSignificant.Value() != 1) scan::FoldCaseInPlace(line);
    line = " " + line;
    ScanOneLine(s, line);
  }
}

std::vector<std::pair<std::string, std::int64_t>> Table(Session& s) {
  s.aWords.OrderByWord();
  std::vector<std::pair<std::string, std::int64_t>> out;
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) out.emplace_back(s.aWords[i].strWord, s.aWords[i].count);
  return out;
}

using Counts = std::vector<std::pair<std::string, std::int64_t>>;

TEST(WordTable, RepeatedWordIsCountedNotShownAgain) {
  TestSession t;
  Session& s = t.session;
  s.params.chkIgnoreShortWords.SetValue(0);
  Feed(s, {"b a c a"});
  EXPECT_EQ(s.main.txbOutput.Text(), "b a c ");
  EXPECT_EQ(Table(s), (Counts{{"a", 2}, {"b", 1}, {"c", 1}}));
  EXPECT_EQ(s.run.lngTotalNumOccurrences, 4);
}

TEST(WordTable, OrderIsBinaryByUtf16CodeUnits) {
  TestSession t;
  Session& s = t.session;
  s.params.chkCaseSignificant.SetValue(1);
  s.params.chkIgnoreShortWords.SetValue(0);
  // "Zeta" < "the" < "The"? No: capitals sort before small letters; é (E9)
  // after z; the left quotation mark 91 (U+2018) after every Latin-1 letter.
  s.scanner.SetAllowedExtraChars("'\x91");
  s.params.chkAllowWordsWithApostrophes.SetValue(1);
  Feed(s, {"the The zeta caf\xE9 cafe \x91quote \xFF" "ber"});
  const Counts table = Table(s);
  std::vector<std::string> words;
  for (const auto& [w, n] : table) words.push_back(w);
  EXPECT_EQ(words, (std::vector<std::string>{"The", "cafe", "caf\xE9", "the", "zeta", "\xFF" "ber", "\x91quote"}));
  EXPECT_EQ(scan::SortKey(s.aWords[1].strWord), "the");
  EXPECT_EQ(scan::SortKey(s.aWords[3].strWord), "cafe");
}

TEST(WordTable, WordsAboveEightyCharactersAreNotCounted) {
  TestSession t;
  Session& s = t.session;
  s.params.cboLongWordSize.SetListIndex(15);  // 90: the long-word rule lets them through
  std::string w80;
  for (int i = 0; i < 40; ++i) w80 += "ab";
  Feed(s, {w80 + " " + w80 + "c"});
  EXPECT_EQ(Table(s), (Counts{{w80, 1}}));
}

TEST(WordTable, EveryWordIsFoundAgainWhateverItHashesTo) {
  // Sets of distinct words that crowd a hash index: words sharing the low 20
  // bits of an unkeyed FNV-1a hash, words one byte apart (every byte value),
  // prefixes of one another, and enough words for many growths of the index.
  std::vector<std::string> fnvLow20 = {"mlpeaaaag", "qbclaaaai", "oymuaaaak", "phitaaaal", "doltaaaap",
                                       "iyujaaaap", "ztonaaaar", "brtbaaaaw", "prgpaaabe", "ctzpaaabm"};
  std::vector<std::string> lastByte, prefixes, many;
  for (int c = 0; c < 256; ++c) lastByte.push_back(std::string("ab") + static_cast<char>(c));
  for (std::size_t n = 1; n <= 80; ++n) prefixes.emplace_back(n, 'a');
  for (int i = 0; i < 20000; ++i) many.push_back("w" + std::to_string(i));
  for (const auto* words : {&fnvLow20, &lastByte, &prefixes, &many}) {
    WordTable table;
    table.Reset();
    // Word i is added i % 3 + 1 times, in rounds, so repeats follow new words.
    std::map<std::string, std::int64_t> expected;
    for (int round = 0; round < 3; ++round)
      for (std::size_t i = 0; i < words->size(); ++i) {
        if (static_cast<int>(i % 3) < round) continue;
        EXPECT_EQ(table.Add((*words)[i]), round == 0) << (*words)[i];
        ++expected[(*words)[i]];
      }
    ASSERT_EQ(table.NumWords(), static_cast<std::int32_t>(words->size()));
    table.OrderByWord();
    std::map<std::string, std::int64_t> counted;
    for (std::int32_t i = 1; i <= table.NumWords(); ++i) counted[std::string(table[i].strWord)] = table[i].count;
    EXPECT_EQ(counted, expected) << words->front();
  }
}

TEST(WordTable, DisplayOfWordsStopsWithANoticeBeforeTheTextBoxFills) {
  TestSession t;
  Session& s = t.session;
  std::string line;
  for (int i = 0; i < 20000; ++i) line += "w" + std::to_string(100000 + i) + "x ";
  s.params.chkAllowWordsWithNumerals.SetValue(1);
  s.scanner.SetAllowedExtraChars("0123456789");
  Feed(s, {line});
  const std::string& text = s.main.txbOutput.Text();
  const std::string notice = "[Suppressing display of words to avoid buffer overflow.]";
  EXPECT_EQ(text.find(notice), text.size() - notice.size());
  EXPECT_EQ(text.find(notice), text.rfind(notice)) << "the notice is shown once";
  // Words stop once the box passes 64,900 characters, far below the listing's limit.
  EXPECT_GT(text.find(notice), 64900U);
  EXPECT_LE(text.size(), 65000U);
  EXPECT_EQ(s.main.chkSuppressWords.Value(), 1);
  EXPECT_EQ(s.aWords.NumWords(), 20000);
}

TEST(WordTable, SuppressedDisplayShowsNothingAndTheCountLabelAppearsEveryTenWords) {
  TestSession t;
  Session& s = t.session;
  s.main.chkSuppressWords.SetValue(1);
  s.main.lblNumberOfWords.SetVisible(false);
  Feed(s, {"one two three four five six seven eight nine"});
  EXPECT_FALSE(s.main.lblNumberOfWords.Visible());
  Feed(s, {"ten"});
  EXPECT_TRUE(s.main.lblNumberOfWords.Visible());
  EXPECT_EQ(s.main.txbOutput.Text(), "");
}

TEST(WordRules, AllowedExtraCharactersFollowTheCheckBoxes) {
  TestSession t;
  Session& s = t.session;
  Params& p = s.params;
  for (CheckBox* box : {&p.chkAllowWordsWithHyphens, &p.chkAllowWordsWithApostrophes, &p.chkAllowWordsWithUnderscores,
                        &p.chkAllowWordsWithColons, &p.chkAllowWordsWithBackslashes,
                        &p.chkAllowWordsWithForwardslashes, &p.chkAllowWordsWithPeriods, &p.chkAllowWordsWithAtSigns,
                        &p.chkAllowWordsWithNumerals})
    box->SetValue(0);
  EXPECT_EQ(MakeCountRules(s).allowedExtraChars, "");
  p.chkAllowWordsWithHyphens.SetValue(1);
  p.chkAllowWordsWithApostrophes.SetValue(1);
  p.chkAllowWordsWithNumerals.SetValue(1);
  EXPECT_EQ(MakeCountRules(s).allowedExtraChars, "0123456789'\x91-");
}

TEST(WordRules, PerWordRulesApplyInOrder) {
  TestSession t;
  Session& s = t.session;
  s.params.chkAllowWordsWithNumerals.SetValue(1);
  s.scanner.SetAllowedExtraChars(AllowedExtraChars(CurrentSettings(s)));
  s.params.txbWordsToIgnore.SetText("Fox");
  NormaliseWordsToIgnore(s);
  // Defaults: short words below 3, no-letter words, repetitions are dropped.
  Feed(s, {"an the 1984 4th zzz 000 FOX fox mix"});
  EXPECT_EQ(Table(s), (Counts{{"4th", 1}, {"mix", 1}, {"the", 1}}));
  EXPECT_EQ(s.run.lngTotalNumOccurrences, 9);
}

TEST(WordRules, SevenBitRuleAndCommonWords) {
  TestSession t;
  Session& s = t.session;
  s.params.chkOnly7bitASCII.SetValue(1);
  s.commonWords.Replace({"the", "and"});
  s.params.selfChange = true;  // tick the box without reading a file
  s.params.chkIgnoreCommonWords.SetValue(1);
  s.params.selfChange = false;
  Feed(s, {"The caf\xE9 and cafe"});
  EXPECT_EQ(Table(s), (Counts{{"cafe", 1}}));
}

// The settings window is not modal and stays usable while a count runs: a
// change made while events are processed applies to the next word, or for
// the shaping rules to the next line.
TEST(WordRules, ASettingChangedDuringACountAppliesFromTheNextWordOrLine) {
  TestSession t;
  Session& s = t.session;
  t.platform.onProcessEvents = [&s] {
    if (s.aWords.NumWords() == 1 && s.params.chkIgnoreShortWords.Value() == 1) {
      s.params.chkIgnoreShortWords.SetValue(0);
      s.params.chkDropFinalS.SetValue(1);
    }
  };
  Feed(s, {"an cat an be cats", "cats"});
  EXPECT_EQ(Table(s), (Counts{{"an", 1}, {"be", 1}, {"cat", 2}, {"cats", 1}}));
}

// An allowed character ticked in the settings window during a count applies
// from the next character read, when there are words to ignore to check.
TEST(WordRules, AnAllowedCharacterTickedDuringACountAppliesFromTheNextLine) {
  TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  s.params.chkAllowWordsWithHyphens.SetValue(0);
  s.params.txbWordsToIgnore.SetText("zzz");
  s.main.txbFile[0].SetText(dir.Write("in.txt", "alpha-beta\r\nalpha-beta\r\n"));
  t.platform.onProcessEvents = [&s] {
    if (s.aWords.NumWords() == 2) s.params.chkAllowWordsWithHyphens.SetValue(1);
  };
  s.main.cmdListWords.Click();
  EXPECT_EQ(Table(s), (Counts{{"alpha", 1}, {"alpha-beta", 1}, {"beta", 1}}));
}

TEST(WordRules, TheRulesOfACountFollowTheSettings) {
  TestSession t;
  Session& s = t.session;
  Params& p = s.params;
  p.cboShortWordSize.SetListIndex(2);
  p.cboLongWordSize.SetListIndex(1);
  s.run.intThresholdFrequency = 4;
  p.chkAllowWordsWithHyphens.SetValue(1);
  p.chkAllowWordsWithNumerals.SetValue(0);
  CountRules rules = MakeCountRules(s);
  EXPECT_EQ(rules.word.shortWordSize, 4);
  EXPECT_EQ(rules.word.longWordSize, 20);
  EXPECT_EQ(rules.word.thresholdFrequency, 4);
  EXPECT_EQ(rules.word.maxWordLength, 80);
  EXPECT_EQ(rules.word.commonWords, nullptr) << "common words are not ignored by default";
  EXPECT_EQ(rules.allowedExtraChars, "-");
  EXPECT_EQ(rules.prohibitedInitialOrFinalChars, "'.:,()");

  const struct {
    const char* input;
    bool clipboard;
    std::string_view kind;
    bool entities;
  } inputs[] = {
      {"a.txt", false, "C", false},     {" page.HTML ", false, "HTML", true}, {"x.php", false, "PHP", true},
      {"data.xml", false, "XML", false}, {"doc.docx", false, "C", false},    {"a.html", true, "", false},
  };
  for (const auto& in : inputs) {
    s.main.txbFile[0].SetText(in.input);
    if (in.clipboard) {
      s.main.optOnClipboard.Select();
    } else {
      s.main.optInFile.Select();
    }
    rules = MakeCountRules(s);
    EXPECT_EQ(rules.markup.kind, in.kind) << in.input;
    EXPECT_EQ(rules.markup.characterEntities, in.entities) << in.input;
  }

  // A common-words file is read whole and lower-cased, with plain-text comments.
  p.chkCaseSignificant.SetValue(1);
  s.run.blnReadingWords = true;
  rules = MakeCountRules(s);
  EXPECT_EQ(rules.allowedExtraChars, kAllPossibleExtraChars);
  EXPECT_EQ(rules.markup.kind, "C");
  EXPECT_TRUE(rules.word.readingWordList);
  EXPECT_FALSE(rules.word.caseSignificant);
}

TEST(CountCommand, StopRequestAsksAndOnlyYesStops) {
  TestSession t;
  Session& s = t.session;
  SetRunPhase(s, RunPhase::kCounting);
  t.platform.answers = {Answer::No};
  s.main.cmdListWords.Click();
  EXPECT_FALSE(s.run.blnStop);
  const MessageBox& box = t.platform.LastBox();
  EXPECT_EQ(box.text, s.Text(75));
  EXPECT_EQ(box.title, s.Text(74));
  EXPECT_EQ(box.buttons, Buttons::YesNo);
  EXPECT_EQ(box.defaultButton, Answer::No);
  t.platform.answers = {Answer::Yes};
  s.main.cmdListWords.Click();
  EXPECT_TRUE(s.run.blnStop);
}

// The count button reads "Count words" when idle and "Stop" in every other
// phase, and the commands that must not disturb a run ask the phase.
TEST(RunPhase, TheCountButtonAndTheRunSensitiveCommandsFollowThePhase) {
  const struct {
    const char* what;
    RunPhase phase;
    const char* caption;
    bool running;
  } cases[] = {
      {"idle", RunPhase::kIdle, "Count words", false},
      {"counting", RunPhase::kCounting, "Stop", true},
      {"listing", RunPhase::kListing, "Stop", true},
      {"reading common words", RunPhase::kReadingCommonWords, "Stop", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TestSession t;
    Session& s = t.session;
    SetRunPhase(s, c.phase);
    EXPECT_EQ(s.main.cmdListWords.Caption(), c.caption);
    EXPECT_EQ(CurrentRunPhase(s), c.phase);
    // The upkeep offers the clear command only between runs.
    s.main.txbOutput.SetText("x");
    s.main.Timer1.SetEnabled(true);
    s.main.Timer1.Tick();
    EXPECT_EQ(s.main.cmdClearOutput.Enabled(), !c.running);
    // Clearing the box during a run keeps the counted words.
    s.run.blnWordsGot = true;
    cmdClearOutput_Click(s);
    EXPECT_EQ(s.run.blnWordsGot, c.running);
    // The count button asks to stop a run, and otherwise starts one (here
    // refused at once: no input file).
    t.platform.answers = {Answer::No};
    s.main.cmdListWords.Click();
    ASSERT_FALSE(t.platform.boxes.empty());
    EXPECT_EQ(t.platform.LastBox().text, c.running ? s.Text(75) : "Input file not specified.");
  }
}

TEST(CountCommand, AStopWithManyWordsFoundIsConfirmedFirst) {
  const struct {
    std::int32_t found;
    bool ask;
    std::deque<Answer> answers;
    bool stops;
    bool asked;
  } cases[] = {
      {1999, true, {}, true, false},
      {2000, true, {Answer::Yes}, true, true},
      {2000, true, {Answer::No}, false, true},
      {5000, false, {}, true, false},
  };
  for (const auto& c : cases) {
    TestSession t;
    Session& s = t.session;
    s.run.blnStop = true;
    s.intake.askBeforeStopping = c.ask;
    t.platform.answers = c.answers;
    EXPECT_EQ(s.intake.ConfirmStop(c.found), c.stops) << c.found;
    EXPECT_EQ(s.run.blnStop, c.stops) << "No withdraws the request";
    ASSERT_EQ(t.platform.boxes.size(), c.asked ? 1U : 0U) << c.found;
    if (!c.asked) continue;
    EXPECT_EQ(t.platform.LastBox().text, " 2000 different words have been found.\r\nDo you really wish to stop?");
    EXPECT_EQ(t.platform.LastBox().title, s.Text(74));
    EXPECT_EQ(t.platform.LastBox().buttons, Buttons::YesNo);
  }
}

TEST(CountCommand, Utf8WithSevenBitOnlyIsRefused) {
  TestSession t;
  Session& s = t.session;
  s.main.chkUTF8.SetValue(1);
  s.params.chkOnly7bitASCII.SetValue(1);
  s.main.cmdListWords.Click();
  EXPECT_EQ(t.platform.LastBox().title, "Incompatible setting");
  EXPECT_EQ(t.platform.LastBox().text, "Scanning as UTF-8 is not compatible with\r\nallowing only 7-bit ASCII characters.");
  EXPECT_EQ(t.platform.LastBox().icon, Icon::Warning);
}

TEST(CountCommand, BlankInputPathIsNotSpecified) {
  TestSession t;
  Session& s = t.session;
  s.main.txbFile[0].SetText("   ");
  s.main.txbOutput.SetText("old");
  s.main.cmdListWords.Click();
  EXPECT_EQ(t.platform.LastBox().text, "Input file not specified.");
  EXPECT_EQ(t.platform.LastBox().title, s.Text(34));
  EXPECT_EQ(s.main.txbFile[0].Text(), "");
  EXPECT_EQ(s.main.txbOutput.Text(), "");
  EXPECT_EQ(s.main.lblTimeElapsed.Caption(), "") << "a run under 4 seconds leaves no elapsed time";
}

TEST(CountCommand, WordsToIgnoreWithAForbiddenCharacterStopTheRun) {
  TestSession t;
  Session& s = t.session;
  bool settingsShown = false;
  s.showSettingsWindow = [&] { settingsShown = true; };
  s.params.txbWordsToIgnore.SetText("don't");
  s.main.cmdListWords.Click();
  EXPECT_TRUE(settingsShown);
  EXPECT_EQ(t.platform.LastBox().title, "Character not allowed");
  EXPECT_EQ(t.platform.LastBox().text,
            "The character ' occurs in some word to ignore\r\nbut is not currently set as a character allowed in a word.");
  t.platform.boxes.clear();
  s.params.txbWordsToIgnore.SetText("a,b <c");
  EXPECT_FALSE(CheckAllowedExtraChars(s));
  EXPECT_EQ(t.platform.LastBox().text,
            "The character , occurs in some word to ignore\r\nbut is not currently set as a character allowed in a word."
            "\r\n\r\nWords-to-ignore must be separated by a space, not by a comma.");
  s.params.txbWordsToIgnore.SetText("x <y");
  EXPECT_FALSE(CheckAllowedExtraChars(s));
  EXPECT_EQ(t.platform.LastBox().text.find("currently set as"), std::string::npos);
  s.params.chkAllowWordsWithApostrophes.SetValue(1);
  s.params.txbWordsToIgnore.SetText("don't");
  EXPECT_TRUE(CheckAllowedExtraChars(s));
  s.run.blnStartUpCompleted = false;
  s.params.txbWordsToIgnore.SetText("<<<");
  EXPECT_TRUE(CheckAllowedExtraChars(s)) << "before start-up has completed the check passes";
}

TEST(CountCommand, UnwritableOutputFileIsReportedBeforeScanning) {
  TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  s.main.txbFile[0].SetText(dir.Write("in.txt", "some words here\r\n"));
  s.main.txbFile[1].SetText(dir.Path());  // a folder cannot be opened for writing
  s.main.cmdListWords.Click();
  EXPECT_EQ(t.platform.LastBox().text, "At DoIt error #" + std::to_string(EISDIR) + ".\r\nDescription: " + std::strerror(EISDIR));
  EXPECT_EQ(s.main.cmdListWords.Caption(), s.Text(73));
  EXPECT_TRUE(s.main.cmdFile[0].Enabled());

  // Permission denied is error 70 and brings the advice about the open file.
  const char* locked = "/sys/kernel/notes";
  std::FILE* probe = std::fopen(locked, "wb");
  if (probe != nullptr || errno != EACCES) {
    if (probe) std::fclose(probe);
    GTEST_SKIP() << "no file here refuses writing with EACCES";
  }
  s.main.txbFile[1].SetText(locked);
  s.main.cmdListWords.Click();
  EXPECT_EQ(t.platform.LastBox().text, "At DoIt error #70.\r\nDescription: Permission denied");
  EXPECT_EQ(s.main.txbOutput.Text(),
            "Error: Permission denied\r\n\r\nIf the output file is open in Excel then it must first be closed\r\n"
            "or a different file should be specified as the output file.");
}

// The checks before scanning create and change nothing, and the error report
// of a failed run never claims the output file an earlier run wrote.
TEST(CountCommand, AFailedRunNeitherTouchesNorClaimsAnOutputFile) {
  TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  s.main.txbFile[0].SetText(dir.Write("in.txt", "some words here\r\n"));
  s.main.txbFile[1].SetText(dir.File("first.txt"));
  s.main.cmdListWords.Click();
  ASSERT_TRUE(s.run.blnOutputFileWritten);

  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& out : {dir.File("missing/out.txt"), fifo}) {
    s.main.txbFile[1].SetText(out);
    s.main.cmdListWords.Click();
    EXPECT_EQ(t.platform.LastBox().text.find(s.Text(33)), std::string::npos) << t.platform.LastBox().text;
    EXPECT_FALSE(s.run.blnOutputFileWritten);
  }
  EXPECT_EQ(t.platform.LastBox().text,
            "At DoIt error #75.\r\nDescription: The output file " + fifo + " is a named pipe, not a file.");
  // A count without words to list leaves an earlier file as it was, and
  // creates none where there was none.
  const std::string earlier = dir.Write("earlier.txt", "the earlier list\r\n");
  s.main.txbFile[0].SetText(dir.Write("short.txt", "a an to\r\n"));
  for (const std::string& out : {earlier, dir.File("new.txt")}) {
    s.main.txbFile[1].SetText(out);
    s.main.cmdListWords.Click();
    EXPECT_EQ(s.run.lngNumWordsIncluded, 0);
  }
  EXPECT_EQ(test::ReadAll(earlier), "the earlier list\r\n");
  EXPECT_FALSE(FileExists(dir.File("new.txt")));
}

TEST(CountCommand, OutputNamedLikeTheInputIsNeverTruncated) {
  TestSession t;
  Session& s = t.session;
  test::TempDir dir;
  const std::string input = dir.Write("in.txt", "precious words\r\n");
  s.main.txbFile[0].SetText(input);
  s.main.txbFile[1].SetText(dir.Path() + "/./in.txt");
  s.main.cmdListWords.Click();
  EXPECT_EQ(test::ReadAll(input), "precious words\r\n");
}

TEST(CountRun, StoppedRunReportsTheWordsFoundAndAsksToList) {
  TestSession t;
  Session& s = t.session;
  Feed(s, {"alpha"});
  s.run.blnStop = true;
  t.platform.answers = {Answer::No};
  FinishCount(s);
  EXPECT_EQ(s.main.txbOutput.Text(), "alpha \r\n\r\nStopped with 1 word found.");
  EXPECT_EQ(t.platform.LastBox().title, "Counting interrupted");
  EXPECT_EQ(t.platform.LastBox().text,
            "The operation was stopped before all words were counted.\r\nDo you wish to list the words which were found?");
  EXPECT_FALSE(s.run.blnStop);
  EXPECT_FALSE(s.run.blnResultsShown);

  TestSession t2;
  Session& s2 = t2.session;
  s2.main.chkSuppressWords.SetValue(1);
  Feed(s2, {"alpha beta"});
  s2.run.blnStop = true;
  t2.platform.answers = {Answer::Yes};
  FinishCount(s2);
  EXPECT_TRUE(s2.run.blnInterrupted);
  EXPECT_FALSE(s2.run.blnWordsGot);
  EXPECT_EQ(s2.main.lblTotalNumOccurrences.Caption(), "") << "an interrupted count shows no occurrence totals";
  EXPECT_EQ(s2.main.cmdListWords.Caption(), s2.Text(73));
}

TEST(CountRun, CompleteRunComputesTotalsAndShowsStatistics) {
  TestSession t;
  Session& s = t.session;
  Feed(s, {"the cat and the hat", "xiv the xxi"});
  s.run.intThresholdFrequency = 2;
  FinishCount(s);
  EXPECT_TRUE(s.run.blnWordsGot);
  EXPECT_EQ(s.run.lngNumWordsIncluded, 4);  // and, cat, hat, the
  EXPECT_EQ(s.run.lngNumWordsExcluded, 2);  // xiv, xxi
  EXPECT_EQ(s.run.lngNumOccurrences, 6);
  EXPECT_EQ(s.run.lngTotalNumOccurrences, 8);
  EXPECT_EQ(s.main.lblNumberOfWords.Caption(), "Number of words in this list: 4");
  EXPECT_EQ(s.main.lblTotalNumOccurrences.Caption(), "Total number of instances of words: 8");
}

TEST(ErrorReport, TextBoxFullNamesTheStateOfTheOutputFile) {
  TestSession t;
  Session& s = t.session;
  ReportError(s, -6, "", "ListWordsByFrequency A");
  EXPECT_EQ(t.platform.LastBox().text, s.Text(27) + "  " + s.Text(31));
  EXPECT_EQ(t.platform.LastBox().title, s.Text(27));
  s.main.txbFile[1].SetText("/tmp/out.txt");
  s.main.chkDisableOutputToFile.SetValue(1);
  ReportError(s, -6, "", "x");
  EXPECT_EQ(t.platform.LastBox().text, s.Text(27) + "  " + s.Text(32));
  s.main.chkDisableOutputToFile.SetValue(0);
  s.run.blnOutputFileWritten = true;
  ReportError(s, -6, "", "x");
  EXPECT_EQ(t.platform.LastBox().text, s.Text(27) + "  \r\n" + s.Text(33));
  ReportError(s, 53, "File not found", "ListWords");
  EXPECT_EQ(t.platform.LastBox().text, "At ListWords error #53.\r\nDescription: File not found\r\n" + s.Text(33));
  EXPECT_EQ(t.platform.LastBox().title, s.Text(34));
  EXPECT_FALSE(s.main.Timer2.Enabled());
}

TEST(Progress, TimerTickShowsTimeAndWordsSoFar) {
  TestSession t;
  Session& s = t.session;
  s.run.blnElapsedTimeRunning = true;
  s.run.lngSecondsElapsed = 59;
  s.main.Timer2.SetEnabled(true);
  Feed(s, {"one two three"});
  s.main.Timer2.Tick();
  EXPECT_EQ(s.main.lblTimeElapsed.Caption(), "Time elapsed: 1m");
  EXPECT_EQ(s.main.lblNumberOfWords.Caption(), "Number of different words found so far: 3");
  s.main.optOnClipboard.Select();
  s.main.lblTimeElapsed.SetCaption("Time elapsed: 0s");
  s.main.Timer2.Tick();
  EXPECT_EQ(s.main.lblTimeElapsed.Caption(), "Time elapsed: 0s") << "the clipboard run keeps the label";
}

}  // namespace
}  // namespace kwl
