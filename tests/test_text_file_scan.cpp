// Scanning an input text file: DoItFromFile with its questions, refusals,
// progress bar and stop request, the file dialog of the main window, and
// whole counts of corpus texts through the count command.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <new>
#include <optional>

#include "file_source.h"
#include "files/paths.h"
#include "count_run.h"
#include "file_choice.h"
#include "session.h"
#include "window_state.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using test::TempDir;

// A scripted desktop that can also act when a box is shown (to change the
// file system between the checks and the reading).
struct HookedPlatform : test::FakePlatform {
  std::function<void(const MessageBox&)> onShow;
  Answer ShowMessage(const MessageBox& box) override {
    if (onShow) onShow(box);
    return FakePlatform::ShowMessage(box);
  }
};

// A session after start-up, as TestSession builds it, over HookedPlatform.
struct HookedSession {
  HookedSession() {
    session.programFolder = test::DataFolder();
    EXPECT_GT(session.catalogue.Load(session.programFolder + "/kwl.dat"), 0);
    session.pump.SetThrottled(false);
    InitializeVariables(session);
    session.main.cmdListWords.SetCaption(session.Text(73));
    session.run.blnStartUpCompleted = true;
  }
  HookedPlatform platform;
  Session session{platform};
};

using WordCounts = std::map<std::string, std::int64_t>;

WordCounts Counts(const Session& s) {
  WordCounts out;
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) out[std::string(s.aWords[i].strWord)] = s.aWords[i].count;
  return out;
}

std::int64_t CountOf(const WordCounts& counts, const std::string& word) {
  const auto it = counts.find(word);
  return it == counts.end() ? 0 : it->second;
}

// Distinct words of letters only, one per line: "qaaaa", "qaaab", ...
std::string DistinctWordLines(int n) {
  std::string text;
  for (int i = 0; i < n; ++i) {
    std::string w = "q";
    for (int k = 0, v = i; k < 4; ++k, v /= 26) w += static_cast<char>('a' + v % 26);
    text += w + "\r\n";
  }
  return text;
}

// A plain CR LF text file of exactly size bytes.
std::string TextOfSize(std::size_t size) {
  std::string text;
  while (text.size() + 20 <= size) text += "some words of text\r\n";
  text += std::string(size - text.size(), 'x');
  return text;
}

struct FileScan : ::testing::Test {
  TempDir dir;
  HookedSession h;
  Session& s = h.session;
  HookedPlatform& platform = h.platform;
  MainControls& m = s.main;

  // DoItFromFile as the count run calls it.
  bool Scan(const std::string& path) {
    m.txbFile[0].SetText(path);
    return DoItFromFile(s);
  }
  // Boxes whose title is the given one.
  int BoxesTitled(const std::string& title) const {
    int n = 0;
    for (const auto& b : platform.boxes) n += b.title == title ? 1 : 0;
    return n;
  }
};

TEST_F(FileScan, CrLfCrAndLfFilesGiveTheSameWords) {
  const std::vector<std::string> lines = {"The quick brown fox", "jumps over the lazy dog", "", "  the END  ",
                                          "\t", "last line"};
  auto joined = [&](const std::string& end) {
    std::string text;
    for (const auto& l : lines) text += l + end;
    return text;
  };
  const std::string mixed = "The quick brown fox\r\njumps over the lazy dog\n\r  the END  \r\n\t\rlast line";
  WordCounts first;
  int n = 0;
  for (const std::string& text : {joined("\r\n"), joined("\r"), joined("\n"), mixed}) {
    ASSERT_TRUE(Scan(dir.Write("lines" + std::to_string(n++) + ".txt", text)));
    const WordCounts counts = Counts(s);
    EXPECT_EQ(CountOf(counts, "the"), 3);
    EXPECT_EQ(CountOf(counts, "end"), 1);
    if (first.empty()) first = counts;
    EXPECT_EQ(counts, first) << text;
  }
}

TEST_F(FileScan, ALoneLfEndsALineAndItsComment) {
  ASSERT_TRUE(Scan(dir.Write("code.txt", "alpha // beta\ngamma delta\n")));
  const WordCounts counts = Counts(s);
  EXPECT_EQ(CountOf(counts, "alpha"), 1);
  EXPECT_EQ(CountOf(counts, "beta"), 0);
  EXPECT_EQ(CountOf(counts, "gamma"), 1);
  EXPECT_EQ(CountOf(counts, "delta"), 1);
  EXPECT_EQ(s.run.intLineEndingType, 2);
  EXPECT_TRUE(platform.boxes.empty()) << "no question and no notice for LF line ends";
}

TEST_F(FileScan, CaseIsFoldedUnlessSignificant) {
  const std::string path = dir.Write("case.txt", "Apple APPLE apple \xC9T\xC9\r\n");
  ASSERT_TRUE(Scan(path));
  EXPECT_EQ(CountOf(Counts(s), "apple"), 3);
  EXPECT_EQ(CountOf(Counts(s), "\xE9t\xE9"), 1);
  s.params.chkCaseSignificant.SetValue(1);
  ASSERT_TRUE(Scan(path));
  EXPECT_EQ(CountOf(Counts(s), "Apple"), 1);
  EXPECT_EQ(CountOf(Counts(s), "APPLE"), 1);
}

TEST_F(FileScan, Utf8Question) {
  const std::string utf8File = dir.Write("utf8.txt", "caf\xC3\xA9 cr\xC3\xA8me\r\n");
  const std::string ansiFile = dir.Write("ansi.txt", "caf\xE9 cr\xE8me\r\n");
  const std::string seems =
      "This file seems to be UTF-8 encoded.\r\nClick 'Yes' to scan it as UTF-8 encoded or 'No' to scan it as ANSI.";
  const std::string seemsNot =
      "This file does not seem to be UTF-8 encoded.\r\nClick 'Yes' to scan it as UTF-8 encoded (not advisable)"
      "\r\nor 'No' to scan it as ANSI.";
  const struct {
    std::string path;
    std::int16_t checked;
    std::optional<Answer> answer;  // nullopt: no question expected
    std::string question;
    bool ok;
    std::int16_t checkedAfter;
    bool decoded;
  } cases[] = {
      {utf8File, 0, Answer::Yes, seems, true, 1, true},
      {utf8File, 0, Answer::No, seems, true, 0, false},
      {utf8File, 0, Answer::Cancel, seems, false, 0, false},
      {utf8File, 1, std::nullopt, "", true, 1, true},
      {ansiFile, 1, Answer::Yes, seemsNot, true, 1, false},
      {ansiFile, 1, Answer::No, seemsNot, true, 0, false},
      {ansiFile, 0, std::nullopt, "", true, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path + " checked " + std::to_string(c.checked));
    platform.boxes.clear();
    s.aWords.Reset();
    s.aWords.Add("earlier");
    m.chkUTF8.SetValue(c.checked);
    // Yes to the question also switches the 7-bit rule off.
    const bool yes = c.answer == Answer::Yes;
    s.params.chkOnly7bitASCII.SetValue(yes ? 1 : 0);
    if (c.answer) platform.answers = {*c.answer};
    EXPECT_EQ(Scan(c.path), c.ok);
    EXPECT_EQ(m.chkUTF8.Value(), c.checkedAfter);
    if (c.answer) {
      ASSERT_EQ(platform.boxes.size(), 1u);
      EXPECT_EQ(platform.boxes[0].text, c.question);
      EXPECT_EQ(platform.boxes[0].title, "UTF-8 or ANSI file?");
      EXPECT_EQ(platform.boxes[0].buttons, Buttons::YesNoCancel);
      EXPECT_EQ(s.params.chkOnly7bitASCII.Value(), 0);
    } else {
      EXPECT_TRUE(platform.boxes.empty());
    }
    const WordCounts counts = Counts(s);
    if (!c.ok) {
      EXPECT_EQ(counts, (WordCounts{{"earlier", 1}})) << "a cancelled scan leaves the table alone";
      EXPECT_EQ(m.txbOutput.Text(), "");
      continue;
    }
    EXPECT_EQ(CountOf(counts, "caf\xE9"), (c.decoded || c.path == ansiFile) ? 1 : 0);
    EXPECT_EQ(CountOf(counts, "cr\xE8me"), (c.decoded || c.path == ansiFile) ? 1 : 0);
  }
}

TEST_F(FileScan, Utf8FilesWithAMarkAnXmlStartOrACharsetAreRecognised) {
  const struct {
    const char* name;
    std::string bytes;
    const char* word;
  } cases[] = {
      {"bom.txt", "\xEF\xBB\xBFhello caf\xC3\xA9\r\n", "caf\xE9"},
      {"doc.xml", "<a>caf\xC3\xA9 <b>word</b></a>\r\n", "caf\xE9"},
      {"page.html", "<html><head><meta charset=UTF-8></head>\r\n<body>plain</body></html>\r\n", "plain"},
      {"bare.txt", "na\xC3\xAFve \xE2\x80\x94 r\xC3\xA9sum\xC3\xA9\n", "r\xE9sum\xE9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    platform.boxes.clear();
    m.chkUTF8.SetValue(0);
    platform.answers = {Answer::Yes};
    ASSERT_TRUE(Scan(dir.Write(c.name, c.bytes)));
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].title, "UTF-8 or ANSI file?");
    EXPECT_EQ(m.chkUTF8.Value(), 1);
    EXPECT_EQ(CountOf(Counts(s), c.word), 1);
  }
  // The byte-order mark reaches the scanner; the words after it still count.
  ASSERT_TRUE(Scan(dir.File("bom.txt")));
  EXPECT_EQ(CountOf(Counts(s), "hello"), 1);
  // A C2 before a byte below 80 is left alone and the line is scanned.
  ASSERT_TRUE(Scan(dir.Write("lone.txt", "\xC3\xA9t\xC3\xA9 odd\xC2" "A byte\r\n")));
  EXPECT_EQ(CountOf(Counts(s), "byte"), 1);
  EXPECT_EQ(CountOf(Counts(s), "\xE9t\xE9"), 1);
}

TEST_F(FileScan, LargeInputQuestionFrom204801Bytes) {
  const std::string question =
      "The input file is quite large.  It is advisable to specify an output file before continuing, in case the "
      "text window will not hold the result. Do you wish to specify an output file?";
  const std::string atLimit = dir.Write("limit.txt", TextOfSize(204800));
  const std::string above = dir.Write("above.txt", TextOfSize(204801));
  ASSERT_EQ(FileLength(above), 204801);

  EXPECT_TRUE(Scan(atLimit));
  EXPECT_EQ(BoxesTitled("Large input file"), 0);

  platform.answers = {Answer::No};
  EXPECT_TRUE(Scan(above));
  ASSERT_EQ(BoxesTitled("Large input file"), 1);
  EXPECT_EQ(platform.LastBox().text, question);
  EXPECT_EQ(platform.LastBox().buttons, Buttons::YesNoCancel);
  EXPECT_TRUE(platform.dialogs.empty());

  // With an output path there is nothing to ask.
  m.txbFile[1].SetText(dir.File("out.txt"));
  EXPECT_TRUE(Scan(above));
  EXPECT_EQ(BoxesTitled("Large input file"), 1);
  m.txbFile[1].Clear();

  // Cancel ends the run before anything is reset.
  SetRunPhase(s, RunPhase::kIdle);
  EnableControls(s, true);
  s.aWords.Reset();
  s.aWords.Add("earlier");
  platform.answers = {Answer::Cancel};
  EXPECT_FALSE(Scan(above));
  EXPECT_EQ(Counts(s), (WordCounts{{"earlier", 1}}));
  EXPECT_EQ(m.cmdListWords.Caption(), s.Text(73));

  // Yes opens the output-file dialog; the run goes on whatever it returns.
  platform.answers = {Answer::Yes};
  platform.fileAnswers = {dir.File("chosen.txt")};
  EXPECT_TRUE(Scan(above));
  ASSERT_EQ(platform.dialogs.size(), 1u);
  EXPECT_EQ(platform.dialogs[0].title, "Specify output file");
  EXPECT_EQ(m.txbFile[1].Text(), dir.File("chosen.txt"));
  m.txbFile[1].Clear();

  platform.answers = {Answer::Yes};
  platform.fileAnswers = {std::nullopt};
  EXPECT_TRUE(Scan(above));
  EXPECT_EQ(CountOf(Counts(s), "words"), 10240);
}

TEST_F(FileScan, OutputFileChosenAtTheLargeInputQuestionMustNotBeTheInput) {
  const std::string above = dir.Write("above.txt", TextOfSize(204801));
  s.aWords.Add("earlier");
  platform.answers = {Answer::Yes};
  platform.fileAnswers = {above};
  EXPECT_FALSE(Scan(above));
  EXPECT_EQ(platform.LastBox().text, "Output file cannot be the same as the input file.");
  EXPECT_EQ(Counts(s), (WordCounts{{"earlier", 1}}));
  EXPECT_EQ(test::ReadAll(above), TextOfSize(204801));
}

TEST_F(FileScan, OutputPathNamingTheInputIsRefusedBeforeReading) {
  const std::string input = dir.Write("in.txt", "some words\r\n");
  const std::string link = dir.File("link.txt");
  std::filesystem::create_symlink(input, link);
  for (const std::string& output : {input, link, dir.Path() + "/./in.txt"}) {
    SCOPED_TRACE(output);
    platform.boxes.clear();
    s.aWords.Reset();
    s.aWords.Add("earlier");
    m.txbFile[1].SetText(output);
    EXPECT_FALSE(Scan(input));
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, "Output file cannot be the same as the input file.");
    EXPECT_EQ(platform.boxes[0].title, s.Text(34));
    EXPECT_EQ(platform.boxes[0].icon, Icon::Warning);
    EXPECT_EQ(Counts(s), (WordCounts{{"earlier", 1}}));
    EXPECT_EQ(m.txbOutput.Text(), "");
  }
  // The whole count command leaves the input untouched as well.
  m.txbFile[1].SetText(input);
  m.txbFile[0].SetText(input);
  cmdListWords_Click(s);
  EXPECT_EQ(test::ReadAll(input), "some words\r\n");
}

TEST_F(FileScan, StopRequestBelowAndAt2000DistinctWords) {
  const std::string path = dir.Write("distinct.txt", DistinctWordLines(3000));
  const std::string really = " 2000 different words have been found.\r\nDo you really wish to stop?";
  const struct {
    int clickAt;
    std::optional<Answer> reallyStop;  // nullopt: no question expected
    std::int32_t wordsAfter;
    bool stopAfter;
  } cases[] = {
      {1999, std::nullopt, 1999, true},
      {2000, Answer::Yes, 2000, true},
      {2000, Answer::No, 3000, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.clickAt);
    platform.boxes.clear();
    bool clicked = false;
    platform.onProcessEvents = [&] {
      if (!clicked && s.aWords.NumWords() >= c.clickAt) {
        clicked = true;
        m.cmdListWords.Click();  // the Stop command during the run
      }
    };
    platform.answers = {Answer::Yes};
    if (c.reallyStop) platform.answers.push_back(*c.reallyStop);
    ASSERT_TRUE(Scan(path));
    EXPECT_TRUE(clicked);
    EXPECT_EQ(s.aWords.NumWords(), c.wordsAfter);
    EXPECT_EQ(s.run.blnStop, c.stopAfter) << "DoIt learns of the stop from blnStop";
    ASSERT_EQ(platform.boxes.size(), c.reallyStop ? 2u : 1u);
    EXPECT_EQ(platform.boxes[0].text, s.Text(75));
    if (c.reallyStop) {
      EXPECT_EQ(platform.boxes[1].text, really);
      EXPECT_EQ(platform.boxes[1].title, s.Text(74));
      EXPECT_EQ(platform.boxes[1].buttons, Buttons::YesNo);
    }
    platform.onProcessEvents = nullptr;
    s.run.blnStop = false;
    SetRunPhase(s, RunPhase::kIdle);
  }
}

TEST_F(FileScan, ProgressBarFillsExactlyForEveryLineEnd) {
  std::string body;
  for (int i = 0; i < 800; ++i) body += "line of words " + std::to_string(i);
  const struct {
    const char* name;
    std::string end;
    std::string prefix;
  } cases[] = {
      {"crlf.txt", "\r\n", ""},
      {"lf.txt", "\n", ""},
      {"cr.txt", "\r", ""},
      {"utf8lf.txt", "\n", "caf\xC3\xA9\n"},  // class 1 by its UTF-8, yet LF line ends
  };
  const std::string full = std::string("[").append(36, '-').append(">]");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = c.prefix;
    for (int i = 0; i < 800; ++i) text += "line of words " + std::to_string(i) + c.end;
    ASSERT_GT(text.size(), 10240u);
    std::vector<std::string> captions;
    bool hidden = false;
    Label& bar = m.lblTotalNumOccurrences;
    bar.onUpdate = [&] {
      if (bar.Caption().rfind('[', 0) == 0) {
        captions.push_back(bar.Caption());
        hidden = hidden || !bar.Visible();
      }
    };
    m.chkUTF8.SetValue(c.prefix.empty() ? 0 : 1);
    ASSERT_TRUE(Scan(dir.Write(c.name, text)));
    bar.onUpdate = nullptr;
    ASSERT_FALSE(captions.empty());
    EXPECT_EQ(captions.front(), "[" + std::string(37, ' ') + "]");
    EXPECT_EQ(captions.back(), full);
    for (const auto& caption : captions) EXPECT_EQ(caption.find(std::string(37, '-')), std::string::npos) << caption;
    EXPECT_FALSE(hidden) << "the bar is visible while it is drawn";
    EXPECT_EQ(bar.Caption(), "");
    EXPECT_EQ(bar.Alignment(), Align::Right);
  }
  // A small input gets no bar.
  std::vector<std::string> captions;
  m.lblTotalNumOccurrences.onUpdate = [&] { captions.push_back(m.lblTotalNumOccurrences.Caption()); };
  ASSERT_TRUE(Scan(dir.Write("small.txt", TextOfSize(10240))));
  for (const auto& caption : captions) EXPECT_EQ(caption.find('['), std::string::npos) << caption;
  m.lblTotalNumOccurrences.onUpdate = nullptr;
}

TEST_F(FileScan, SuppressWordsChangedDuringTheScanIsPutBack) {
  const std::string path = dir.Write("words.txt", DistinctWordLines(50));
  m.chkSuppressWords.SetValue(0);
  platform.onProcessEvents = [&] {
    if (s.aWords.NumWords() == 10) m.chkSuppressWords.SetValue(1);
  };
  ASSERT_TRUE(Scan(path));
  platform.onProcessEvents = nullptr;
  EXPECT_EQ(m.chkSuppressWords.Value(), 0);
  EXPECT_EQ(s.aWords.NumWords(), 50);
  // Words found after the box was checked were not shown.
  EXPECT_EQ(m.txbOutput.Text().find("qkaaa"), std::string::npos);
  EXPECT_NE(m.txbOutput.Text().find("qbaaa"), std::string::npos);
}

TEST_F(FileScan, OutOfMemoryOnALineIsReportedAndReadingGoesOn) {
  const std::string path = dir.Write("lines.txt", "alpha beta\r\ngamma\r\ndelta\r\n");
  bool thrown = false;
  platform.onProcessEvents = [&] {
    if (thrown || s.aWords.NumWords() != 1) return;
    thrown = true;
    throw std::bad_alloc();
  };
  ASSERT_TRUE(Scan(path));
  platform.onProcessEvents = nullptr;
  ASSERT_TRUE(thrown);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.LastBox().text, "At DoItFromFile error #7.\r\nDescription: Out of memory");
  EXPECT_TRUE(s.run.blnCountIncomplete);
  const WordCounts counts = Counts(s);
  EXPECT_EQ(CountOf(counts, "alpha"), 1);
  EXPECT_EQ(CountOf(counts, "gamma"), 1) << "reading goes on with the next line";
  EXPECT_EQ(CountOf(counts, "delta"), 1);
}

TEST_F(FileScan, StateAfterAScan) {
  const std::string path = dir.Write("page.html", "<p>Caf&eacute; &amp; more</p>\r\n");
  m.chkSuppressWords.SetValue(1);
  ASSERT_TRUE(Scan(path));
  EXPECT_EQ(m.cmdListWords.Caption(), s.Text(74)) << "the run goes on in DoIt";
  EXPECT_FALSE(m.txbFile[0].Enabled()) << "controls stay disabled until DoIt ends the run";
  EXPECT_EQ(m.lblTwirler.Caption(), " ");
  EXPECT_EQ(m.chkSuppressWords.Value(), 1);
  EXPECT_EQ(s.run.intLineEndingType, 1);
  EXPECT_TRUE(s.scanner.blnCharacterEntitiesPossible);
  EXPECT_EQ(CountOf(Counts(s), "caf\xE9"), 1) << "entities are decoded in HTML";
  EXPECT_EQ(CountOf(Counts(s), "p"), 0) << "tags are skipped";
}

TEST_F(FileScan, FilesThatCannotBeScannedLeaveEverythingAsItWas) {
  const std::string fifo = dir.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {dir.File("missing.txt"), "Input file does not exist."},
      {dir.Write("empty.txt", ""), "Input file is zero-length."},
      {dir.Path(), "Input file is a folder."},
      {fifo, "Input file is a named pipe."},
      {"/dev/zero", "Input file is a device."},
      {dir.Write("bin.dat", std::string("\x7F" "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0\x03\0", 18) + std::string(200, '\0')),
       "is not an ANSI or UTF-8 encoded text file."},
      {dir.Write("doc.rtf", "{\\rtf1 hello}"), "is an RTF file."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    platform.boxes.clear();
    s.aWords.Reset();
    s.aWords.Add("earlier");
    m.txbOutput.SetText("old");
    EXPECT_FALSE(Scan(c.path));
    EXPECT_TRUE(platform.Showed(c.message));
    EXPECT_EQ(Counts(s), (WordCounts{{"earlier", 1}}));
    EXPECT_EQ(m.txbOutput.Text(), "");
    EXPECT_EQ(m.cmdListWords.Caption(), s.Text(73));
    EXPECT_TRUE(m.txbFile[0].Enabled());
  }
}

TEST_F(FileScan, FileVanishingBetweenTheChecksAndTheReadingIsReported) {
  const std::string path = dir.Write("going.txt", "caf\xC3\xA9 words\r\n");
  platform.onShow = [&](const MessageBox& box) {
    if (box.title == "UTF-8 or ANSI file?") std::filesystem::remove(path);
  };
  s.aWords.Add("earlier");
  platform.answers = {Answer::Yes};
  EXPECT_FALSE(Scan(path));
  EXPECT_EQ(platform.LastBox().text, "At DoItFromFile error #2.\r\nDescription: No such file or directory");
  EXPECT_EQ(platform.LastBox().title, s.Text(34));
  EXPECT_EQ(Counts(s), (WordCounts{{"earlier", 1}}));
  EXPECT_EQ(m.cmdListWords.Caption(), s.Text(73));
}

TEST_F(FileScan, FileTurnedIntoAPipeBetweenTheChecksAndTheReadingIsNotOpened) {
  const std::string path = dir.Write("turning.txt", "caf\xC3\xA9 words\r\n");
  platform.onShow = [&](const MessageBox& box) {
    if (box.title != "UTF-8 or ANSI file?") return;
    std::filesystem::remove(path);
    ::mkfifo(path.c_str(), 0600);
  };
  platform.answers = {Answer::Yes};
  EXPECT_FALSE(Scan(path));
  EXPECT_EQ(platform.LastBox().text,
            "At DoItFromFile error #75.\r\nDescription: Not a regular file (a named pipe, a device or a socket)");
}

TEST_F(FileScan, FileBecomingUnreadableBetweenTheChecksAndTheReadingIsReported) {
  const std::string path = dir.Write("locked.txt", "caf\xC3\xA9 words\r\n");
  platform.onShow = [&](const MessageBox& box) {
    if (box.title == "UTF-8 or ANSI file?") ::chmod(path.c_str(), 0);
  };
  platform.answers = {Answer::Yes};
  auto check = [&] {
    return !Scan(path) && platform.LastBox().text == "At DoItFromFile error #70.\r\nDescription: Permission denied" &&
           s.aWords.NumWords() == 0;
  };
  if (::geteuid() != 0) {
    EXPECT_TRUE(check());
    return;
  }
  // The ordinary user must own the file to take its rights away.
  ::chmod(dir.Path().c_str(), 0755);
  ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  EXPECT_EXIT(
      {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        ::_exit(check() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(FileScan, DocxNamedTextIsScannedAsText) {
  ASSERT_TRUE(Scan(dir.Write("notes.docx", "plain words in a file\r\n")));
  EXPECT_EQ(CountOf(Counts(s), "plain"), 1);
}

// The file dialog of the main window.
struct FileChoice : FileScan {};

TEST_F(FileChoice, InputDialogAndItsChecks) {
  const std::string ansi = dir.Write("ansi.txt", "plain words\r\n");
  const std::string utf8 = dir.Write("utf8.txt", "caf\xC3\xA9\r\n");
  s.run.blnWordsGot = true;
  platform.fileAnswers = {ansi};
  platform.answers = {Answer::No};  // the offer to load the common words of the file's language
  cmdFile_Click(s, 0);
  ASSERT_EQ(platform.dialogs.size(), 1u);
  EXPECT_EQ(platform.dialogs[0].title, "Specify input file");
  EXPECT_EQ(platform.dialogs[0].filter, "A text file or a docx file");
  EXPECT_TRUE(platform.dialogs[0].mustExist);
  EXPECT_FALSE(platform.dialogs[0].save);
  EXPECT_FALSE(s.run.blnWordsGot);
  EXPECT_EQ(m.txbFile[0].Text(), ansi);
  EXPECT_EQ(m.lblFilesize.Caption(), "Filesize: 13 bytes");
  EXPECT_EQ(m.chkUTF8.Value(), 0);
  EXPECT_TRUE(m.optInFile.Value());
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].title, s.Text(42));
  s.params.chkIgnoreCommonWords.SetValue(0);

  platform.fileAnswers = {utf8};
  cmdFile_Click(s, 0);
  EXPECT_EQ(m.chkUTF8.Value(), 1);

  platform.fileAnswers = {ansi};
  cmdFile_Click(s, 0);
  EXPECT_EQ(m.chkUTF8.Value(), 0) << "unchecked before the check of the new file";

  // Cancel changes nothing.
  platform.fileAnswers = {std::nullopt};
  m.lblXMLsize.SetCaption("Text: 1 bytes");
  cmdFile_Click(s, 0);
  EXPECT_EQ(m.txbFile[0].Text(), ansi);
  EXPECT_EQ(m.lblXMLsize.Caption(), "Text: 1 bytes");
}

TEST_F(FileChoice, InputFileRefusals) {
  const std::string fake = dir.Write("fake.docx", "not a zip package at all");
  platform.fileAnswers = {fake};
  cmdFile_Click(s, 0);
  EXPECT_EQ(platform.LastBox().text,
            "The file " + fake + "\r\nhas a 'docx' extension but does not appear to be an MS Word 'docx' file.");
  EXPECT_EQ(platform.LastBox().title, s.Text(34));
  EXPECT_EQ(m.txbFile[0].Text(), "");

  const std::string binary = dir.Write("data.bin", std::string(3000, '\x01'));
  platform.fileAnswers = {binary};
  cmdFile_Click(s, 0);
  EXPECT_TRUE(platform.Showed("It appears to be a binary file."));
  EXPECT_EQ(m.txbFile[0].Text(), binary) << "the path stays for the user to see";
}

TEST_F(FileChoice, OutputDialogEnablesTheDisableBox) {
  platform.fileAnswers = {dir.File("out.csv")};
  cmdFile_Click(s, 1);
  ASSERT_EQ(platform.dialogs.size(), 1u);
  EXPECT_EQ(platform.dialogs[0].title, "Specify output file");
  EXPECT_EQ(platform.dialogs[0].filter, "");
  EXPECT_FALSE(platform.dialogs[0].mustExist);
  EXPECT_EQ(m.txbFile[1].Text(), dir.File("out.csv"));
  EXPECT_TRUE(m.chkDisableOutputToFile.Enabled());
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(FileChoice, ToolTipOfLongPaths) {
  const std::string path75 = std::string("/").append(74, 'p');
  const std::string path76 = std::string("/").append(75, 'p');
  m.txbFile[1].SetToolTip("old");
  m.txbFile[1].SetText(path75);
  UpdateFileToolTip(s, 1);
  EXPECT_EQ(m.txbFile[1].ToolTip(), "");
  EXPECT_EQ(m.cmdFile[1].ToolTip(), "");
  m.txbFile[1].SetText(path76);
  UpdateFileToolTip(s, 1);
  EXPECT_EQ(m.cmdFile[1].ToolTip(), path76);
  // Characters, not bytes: 75 two-byte characters are still short.
  std::string wide = "/";
  for (int i = 0; i < 74; ++i) wide += "\xC3\xA9";
  m.cmdFile[0].SetToolTip("");
  m.txbFile[0].SetText(wide);
  UpdateFileToolTip(s, 0);
  EXPECT_EQ(m.cmdFile[0].ToolTip(), "");
}

// Whole counts through the count command; the listing itself is not checked.
struct CorpusCount : FileScan {
  WordCounts CountFile(const std::string& path, std::deque<Answer> answers) {
    m.txbFile[0].SetText(path);
    platform.answers = std::move(answers);
    cmdListWords_Click(s);
    EXPECT_EQ(m.cmdListWords.Caption(), s.Text(73));
    return Counts(s);
  }
};

TEST_F(CorpusCount, KingJamesBible) {
  KWL_REQUIRE_CORPUS(path, "kjvbible.txt");
  const WordCounts counts = CountFile(path, {Answer::No});  // no output file
  EXPECT_EQ(BoxesTitled("Large input file"), 1);
  // Counted independently: runs of letters and hyphens, lower-cased, "--"
  // taken as a dash, words under three letters left out.
  EXPECT_EQ(s.aWords.NumWords(), 12532);
  EXPECT_EQ(s.run.lngTotalNumOccurrences, 790029);
  EXPECT_EQ(CountOf(counts, "god"), 4469);
  EXPECT_EQ(CountOf(counts, "lord"), 7964);
  EXPECT_EQ(CountOf(counts, "jesus"), 983);
  EXPECT_EQ(CountOf(counts, "of"), 0) << "short words are ignored";
  for (std::int32_t i = 2; i <= s.aWords.NumWords(); ++i)
    ASSERT_LT(s.aWords[i - 1].strWord, s.aWords[i].strWord) << "the table is in word order";

  // The same text with CR LF line ends gives the same table.
  std::string text = test::ReadAll(path);
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 30);
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  text.clear();
  EXPECT_EQ(CountFile(dir.Write("kjv_crlf.txt", crlf), {Answer::No}), counts);
}

TEST_F(CorpusCount, MadameBovaryAsUtf8) {
  KWL_REQUIRE_CORPUS(path, "text/fr_flaubert_madame-bovary_pg14155.utf8bom.crlf.txt");
  const WordCounts counts = CountFile(path, {Answer::Yes, Answer::No});  // UTF-8 yes, no output file
  EXPECT_EQ(m.chkUTF8.Value(), 1);
  EXPECT_EQ(CountOf(counts, "emma"), 372);
  EXPECT_EQ(CountOf(counts, "charles"), 316);
  EXPECT_EQ(CountOf(counts, "\xE9t\xE9"), 74);
  EXPECT_EQ(CountOf(counts, "l\xE9on"), 140);
  EXPECT_EQ(CountOf(counts, "homais"), 167);
}

TEST_F(CorpusCount, HeidiWithLfAndWithCrLineEnds) {
  KWL_REQUIRE_CORPUS(lf, "text/de_spyri_heidis-lehr-und-wanderjahre.utf8bom.lf.txt");
  KWL_REQUIRE_CORPUS(cr, "text/de_spyri_heidis-lehr-und-wanderjahre.utf8bom.cr.DERIVED.txt");
  const WordCounts fromLf = CountFile(lf, {Answer::Yes, Answer::No});
  const std::int64_t total = s.run.lngTotalNumOccurrences;
  const WordCounts fromCr = CountFile(cr, {Answer::No});  // chkUTF8 is still checked
  EXPECT_EQ(fromCr, fromLf);
  EXPECT_EQ(s.run.lngTotalNumOccurrences, total);
  EXPECT_EQ(CountOf(fromLf, "heidi"), 651);
  EXPECT_EQ(CountOf(fromLf, "gro\xDFmutter"), 145);
  EXPECT_EQ(CountOf(fromLf, "f\xFCr"), 123);
}

// Peak resident memory of the process so far, in MiB (Linux).
long PeakMiB() {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  if (!f) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, f))
    if (std::sscanf(line, "VmHWM: %ld kB", &kb) == 1) break;
  std::fclose(f);
  return kb / 1024;
}

// Manual measurement, not part of the test run (build without sanitizers):
//   test_text_file_scan --gtest_also_run_disabled_tests --gtest_filter='*DISABLED_Measure*'
// The files are written piece by piece, so the peak memory shown is the scan's.
TEST_F(FileScan, DISABLED_MeasureLargeFiles) {
  s.main.chkSuppressWords.SetValue(1);
  s.pump.SetThrottled(true);
  auto measure = [&](const char* what, const std::string& path) {
    platform.answers = {Answer::No};
    s.run.lngTotalNumOccurrences = 0;
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(Scan(path));
    const double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %lld bytes, %d distinct words, %lld words found: %.2f s, peak %ld MiB\n", what,
                static_cast<long long>(FileLength(path)), s.aWords.NumWords(),
                static_cast<long long>(s.run.lngTotalNumOccurrences), secs, PeakMiB());
    std::filesystem::remove(path);
  };
  auto writeRepeated = [&](const std::string& name, const std::string& piece, std::size_t size) {
    const std::string path = dir.File(name);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    for (std::size_t done = 0; done < size; done += piece.size()) std::fwrite(piece.data(), 1, piece.size(), f);
    std::fclose(f);
    return path;
  };
  std::string chunk;
  for (int i = 0; i < 20000; ++i) {
    std::string w;
    for (int k = 0, v = i; k < 4; ++k, v /= 26) w += static_cast<char>('a' + v % 26);
    chunk += "The quick brown " + w + " jumps over the lazy dog\r\n";
  }
  measure("100 MB of generated lines", writeRepeated("hundred.txt", chunk, 100u << 20));
  const std::string kjv = test::CorpusFile("kjvbible.txt");
  if (!kjv.empty()) measure("the KJV 24 times (LF)", writeRepeated("kjv24.txt", test::ReadAll(kjv), 24 * 4332506u));
  std::string piece;
  for (int i = 0; i < 1000; ++i) piece += "caf\xC3\xA9 na\xC3\xAFve \xE2\x80\x94 r\xC3\xA9sum\xC3\xA9 words ";
  m.chkUTF8.SetValue(1);
  measure("one UTF-8 line of 20 MB", writeRepeated("oneline.txt", piece, 20u << 20));
  // Lead bytes without their sequences: every byte is a candidate.
  measure("one line of 20 MB stray lead bytes", writeRepeated("leads.txt", "\xC2\xC2\xC3\xC3\xE2\xE2\x80 ", 20u << 20));
}

}  // namespace
}  // namespace kwl
