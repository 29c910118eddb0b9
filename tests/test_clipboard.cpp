// The clipboard source: the size limit, the plain-text test and the scan of
// the text as one line.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "clipboard_source.h"
#include "count_run.h"
#include "session.h"
#include "files/run_error.h"
#include "support/test_files.h"

namespace kwl {
namespace {

std::string Repeat(const std::string& piece, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += piece;
  return out;
}

// The counted words and their counts, "word=count" joined by blanks.
std::string Counted(const Session& s) {
  std::string out;
  for (std::int32_t i = 1; i <= s.aWords.NumWords(); ++i) {
    if (!out.empty()) out += ' ';
    out += std::string(s.aWords[i].strWord) + "=" + std::to_string(s.aWords[i].count);
  }
  return out;
}

TEST(Clipboard, TheLimitCountsUtf16CodeUnits) {
  struct Case {
    const char* what;
    std::string text;
    bool accepted;
    const char* label;
  };
  const Case cases[] = {
      {"exactly the limit", std::string(100000, 'a'), true, "100,000 bytes on the clipboard."},
      {"one more", std::string(100001, 'a'), false, "100,001 bytes on the clipboard."},
      {"three-byte characters count once", Repeat("\xE2\x82\xAC", 100000), true, "100,000 bytes on the clipboard."},
      {"four-byte characters count twice", Repeat("\xF0\x9F\x98\x80", 50000) + "a", false,
       "100,001 bytes on the clipboard."},
      {"a short text", "a few words", true, "11 bytes on the clipboard."},
  };
  for (const auto& c : cases) {
    test::TestSession ts;
    ts.platform.clipboard = c.text;
    EXPECT_EQ(GetClipboardText(ts.session, false), c.accepted) << c.what;
    EXPECT_EQ(ts.session.main.lblSizeOfClipboardContents.Caption(), c.label) << c.what;
    if (c.accepted) {
      EXPECT_EQ(ts.session.run.strClipboardText, c.text) << c.what;
      EXPECT_TRUE(ts.platform.boxes.empty()) << c.what;
    } else {
      EXPECT_EQ(ts.session.run.strClipboardText, "") << c.what;
      EXPECT_EQ(ts.platform.LastBox().title, "Too much clipboard text");
      EXPECT_EQ(ts.platform.LastBox().text,
                "There are 100,001 characters in the text on the clipboard.\r\n"
                "The maximum permitted is 100,000.  If possible,\r\n"
                "count word frequencies for this text using an input file.");
    }
  }
}

TEST(Clipboard, AnEmptyClipboardIsReported) {
  test::TestSession ts;
  ts.session.main.lblSizeOfClipboardContents.SetCaption("old");
  ts.session.main.txbOutput.SetText("old");
  EXPECT_FALSE(GetClipboardText(ts.session, true));
  EXPECT_EQ(ts.platform.LastBox().text, "Clipboard is empty.");
  EXPECT_EQ(ts.platform.LastBox().title, "Clipboard empty");
  EXPECT_EQ(ts.session.main.lblSizeOfClipboardContents.Caption(), "");
  EXPECT_EQ(ts.session.main.txbOutput.Text(), "");
}

TEST(Clipboard, ShowingPutsTheTextIntoTheOutputBox) {
  for (bool show : {false, true}) {
    test::TestSession ts;
    ts.session.run.blnWordsGot = true;
    ts.session.main.lblNumberOfWords.SetVisible(true);
    ts.platform.clipboard = "some text";
    EXPECT_TRUE(GetClipboardText(ts.session, show));
    EXPECT_EQ(ts.session.main.txbOutput.Text(), show ? "some text" : "");
    EXPECT_FALSE(ts.session.run.blnWordsGot);
    EXPECT_FALSE(ts.session.main.lblNumberOfWords.Visible());
  }
}

TEST(Clipboard, SizeLabel) {
  test::TestSession ts;
  ShowClipboardSize(ts.session);
  EXPECT_EQ(ts.session.main.lblSizeOfClipboardContents.Caption(), "0 bytes on the clipboard.");
  ts.platform.clipboard = std::string(12345, 'x');
  ShowClipboardSize(ts.session);
  EXPECT_EQ(ts.session.main.lblSizeOfClipboardContents.Caption(), "12,345 bytes on the clipboard.");
}

// A desktop whose clipboard fails as given.
class FailingClipboard : public test::FakePlatform {
 public:
  explicit FailingClipboard(bool outOfMemory) : outOfMemory_(outOfMemory) {}
  std::string ClipboardText() override {
    if (outOfMemory_) throw std::bad_alloc();
    throw RunError(5, "Invalid procedure call");
  }

 private:
  bool outOfMemory_;
};

TEST(Clipboard, ReadFailuresAreReported) {
  struct Case {
    bool outOfMemory;
    const char* text;
  };
  const Case cases[] = {
      {true,
       "There is too much text on the clipboard to paste into the textbox.\r\n"
       "It may, however, still be possible to count word frequencies."},
      {false, "Warning 5: Invalid procedure call"},
  };
  for (const auto& c : cases) {
    FailingClipboard platform(c.outOfMemory);
    Session s(platform);
    s.programFolder = test::DataFolder();
    ASSERT_GT(s.catalogue.Load(s.programFolder + "/kwl.dat"), 0);
    s.main.lblSizeOfClipboardContents.SetCaption("old");
    EXPECT_FALSE(GetClipboardText(s, true));
    EXPECT_EQ(platform.LastBox().text, c.text);
    EXPECT_EQ(platform.LastBox().title, "Warning");
    EXPECT_EQ(platform.LastBox().icon, Icon::Warning);
    ShowClipboardSize(s);
    EXPECT_EQ(s.main.lblSizeOfClipboardContents.Caption(), "");
  }
}

TEST(Clipboard, PlainTextTestsWholeCharacterCodes) {
  const std::string clean3000(3000, 'a');
  struct Case {
    const char* what;
    std::string text;
    std::int64_t limit;
    bool allowWhiteSpace;
    bool plain;
  };
  const Case cases[] = {
      {"empty", "", 3000, true, true},
      {"TAB, CR, LF and FF", "a\tb\r\nc\fd\re\n", 3000, true, true},
      {"vertical tab", "a\vb", 3000, true, false},
      {"NUL", std::string("a\0b", 3), 3000, true, false},
      {"BS", "a\bb", 3000, true, false},
      {"ESC", "a\x1B" "b", 3000, true, false},
      {"a control character at 3001", clean3000 + "\x01", 3000, true, true},
      {"a control character at 3000", clean3000.substr(1) + "\x01", 3000, true, false},
      {"limit 0 looks at everything", clean3000 + "\x01", 0, true, false},
      {"characters, not bytes, are counted", Repeat("\xC3\xA9", 3000) + "\x01", 3000, true, true},
      {"curly apostrophes and quotes", "it\xE2\x80\x99s \xE2\x80\x98so\xE2\x80\x99 \xE2\x80\x9Cthen\xE2\x80\x9D", 3000,
       true, true},
      {"an em dash", "yes\xE2\x80\x94no", 3000, true, true},
      {"a character whose low byte is a control code (U+0119)", "\xC4\x99", 3000, true, true},
      {"DEL and C1 codes are no control characters here", "\x7F\xC2\x85", 3000, true, true},
      {"white space not allowed: TAB", "a\tb", 3000, false, false},
      {"white space not allowed: plain words", "plain words", 3000, false, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsPlainText(c.text, c.limit, c.allowWhiteSpace), c.plain) << c.what;
}

TEST(Clipboard, ControlCharactersRefuseTheScan) {
  test::TestSession ts;
  ts.session.run.strClipboardText = "a\vb";
  ts.session.aWords.Add("kept");
  EXPECT_FALSE(DoItFromClipboard(ts.session));
  EXPECT_EQ(ts.platform.LastBox().title, "Invalid input");
  EXPECT_EQ(ts.platform.LastBox().text, "The text on the clipboard does not consist\r\nsolely of natural language words.");
  EXPECT_EQ(ts.session.aWords.NumWords(), 1) << "nothing was scanned";
}

TEST(Clipboard, TheTextIsScannedAsOneLine) {
  struct Case {
    const char* what;
    std::string text;
    bool caseSignificant;
    std::string counted;
  };
  const Case cases[] = {
      {"case folded", "Word word WORD", false, "word=3"},
      {"case significant", "Word word", true, "Word=1 word=1"},
      {"line ends separate words", "one\r\ntwo\nthree\rfour\tfive", false,
       "one=1 two=1 three=1 four=1 five=1"},
      {"accented capitals are lowered", "\xC3\x89T\xC3\x89 \xC3\xA9t\xC3\xA9", false, "\xE9t\xE9=2"},
      {"characters outside the code page are no word characters", "naive\xE6\x97\xA5word caf\xC3\xA9", false,
       "naive=1 word=1 caf\xE9=1"},
      {"comment markers do not apply", "/* not skipped */ inside", false, "not=1 skipped=1 inside=1"},
      // Kelvin sign, capital sharp s and Angstrom sign: lowered before the
      // conversion, they keep their words whole.
      {"capitals the code page lacks are lowered first",
       "\xE2\x84\xAA" "elvin kelvin STRA\xE1\xBA\x9E\x45 \xE2\x84\xABngstr\xC3\xB6m", false,
       "kelvin=2 stra\xDF" "e=1 \xE5ngstr\xF6m=1"},
      {"with case significant they are no word characters", "\xE2\x84\xAA" "elvin", true, "elvin=1"},
  };
  for (const auto& c : cases) {
    test::TestSession ts;
    Session& s = ts.session;
    s.params.chkCaseSignificant.SetValue(c.caseSignificant ? 1 : 0);
    s.main.chkSuppressWords.SetValue(0);
    s.run.strClipboardText = c.text;
    std::string captionDuringScan;
    ts.platform.onProcessEvents = [&] { captionDuringScan = s.main.cmdListWords.Caption(); };
    EXPECT_TRUE(DoItFromClipboard(s)) << c.what;
    EXPECT_EQ(Counted(s), c.counted) << c.what;
    EXPECT_EQ(captionDuringScan, "Stop") << c.what;
    EXPECT_FALSE(s.main.cmdFile[0].Enabled()) << "the run keeps the controls until it is listed";
    EXPECT_EQ(s.main.chkSuppressWords.Value(), 0) << c.what;
  }
}

TEST(Clipboard, CountFromTheClipboardEndToEnd) {
  test::TestSession ts;
  Session& s = ts.session;
  s.main.optOnClipboard.Select();
  ts.platform.clipboard = "The cat saw the other cat.";
  s.main.cmdListWords.Click();
  EXPECT_EQ(Counted(s), "cat=2 other=1 saw=1 the=2");
  EXPECT_EQ(s.main.cmdListWords.Caption(), s.Text(73));
  EXPECT_TRUE(s.main.cmdFile[0].Enabled());
  EXPECT_TRUE(s.run.blnWordsGot);

  ts.platform.clipboard.clear();
  s.main.cmdListWords.Click();
  EXPECT_TRUE(s.main.optInFile.Value()) << "an empty clipboard goes back to the file source";
  EXPECT_EQ(ts.platform.LastBox().text, "Clipboard is empty.");
}

}  // namespace
}  // namespace kwl
