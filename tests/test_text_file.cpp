// The checks of an input text file: encoding codes, file classes, the
// messages of CheckTextFile and CheckInputFile, and the size texts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "sources/encoding.h"
#include "text_file.h"
#include "count_run.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using test::TempDir;
using test::TestSession;

// Runs check with the rights of an ordinary user, who cannot read a file of
// mode 000. As root that takes a child process that gives up root's rights.
void ExpectAsOrdinaryUser(const TempDir& dir, const std::function<bool()>& check) {
  if (::geteuid() != 0) {
    EXPECT_TRUE(check());
    return;
  }
  ::chmod(dir.Path().c_str(), 0755);
  EXPECT_EXIT(
      {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
        ::_exit(check() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

std::string Bytes(std::initializer_list<int> codes) {
  std::string out;
  for (int c : codes) out += static_cast<char>(c);
  return out;
}

TEST(DetectFileEncoding, EachCodeInItsOrder) {
  TempDir dir;
  const std::string ascii = "plain text line\r\nanother line\r\n";
  const struct {
    const char* name;
    std::string bytes;
    bool charset;
    int code;
  } cases[] = {
      {"empty.txt", "", false, -2},
      {"four.txt", "abcd", false, -4},
      {"one.txt", "a", false, -4},
      {"five.txt", "abcde", false, 0},
      {"doc.rtf", "{\\rtf1\\ansi hello}", false, 6},
      {"le.txt", Bytes({0xFF, 0xFE, 'a', 0, 'b', 0}), false, 1},
      {"be.txt", Bytes({0xFE, 0xFF, 0, 'a', 0, 'b'}), false, 2},
      {"bom.txt", Bytes({0xEF, 0xBB, 0xBF}) + "hello there", false, 3},
      {"utf32.txt", Bytes({0, 0, 0xFE, 0xFF, 0, 0, 0, 'a'}), false, 5},
      {"a.xml", "<?xml version=\"1.0\"?><a/>", false, 3},
      {"b.xml", Bytes({'<', 0, '?', 0, 'x', 0}), false, 1},
      {"c.xml", Bytes({0, '<', 0, '?', 0, 'x'}), false, 2},
      {"a.XML", "<root>text</root>", false, 3},
      {"notxml.txt", "<root>text</root>", false, 0},
      {"page.html", "<html><head>\n<meta charset=UTF-8>\n</head></html>\n", true, 3},
      {"page2.htm", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">\n", true, 3},
      {"quoted.xhtml", "<meta charset=\"UTF-8\" />\r\n", true, 3},
      {"nocheck.html", "<meta charset=UTF-8>\n", false, 0},
      {"lower.html", "<meta charset=utf-8>\n", true, 0},
      {"page.php", "<meta charset=UTF-8>\n", true, 0},
      {"accents.txt", "caf\xC3\xA9 cr\xC3\xA8me\r\n", false, 3},
      {"latin1.txt", "caf\xE9 cr\xE8me\r\n", false, 0},
      {"overlong.txt", "a\xC0\xAF b\r\n", false, 0},
      {"surrogate.txt", "a\xED\xA0\x80 b\r\n", false, 0},
      {"four_byte.txt", "emoji \xF0\x9F\x98\x80 here\r\n", false, 3},
      {"above.txt", "big \xF4\x90\x80\x80 here\r\n", false, 0},
      {"ascii.txt", ascii, true, 0},
  };
  for (const auto& c : cases) {
    const std::string path = dir.Write(c.name, c.bytes);
    EXPECT_EQ(DetectFileEncoding(path, c.charset), c.code) << c.name;
  }
  EXPECT_EQ(DetectFileEncoding(""), -5);
  EXPECT_EQ(DetectFileEncoding(dir.File("missing.txt")), -1);
  EXPECT_EQ(DetectFileEncoding(dir.Path()), -9) << "a folder cannot be sampled";
}

TEST(DetectFileEncoding, CharsetDeclarationCountsOnlyOnTheFirstTenNonEmptyLines) {
  TempDir dir;
  std::string tenth;
  for (int i = 0; i < 9; ++i) tenth += "<p>line</p>\n\n";
  const std::string within = tenth + "<meta charset=UTF-8>\n";
  const std::string beyond = tenth + "<p>tenth</p>\n<meta charset=UTF-8>\n";
  EXPECT_EQ(DetectFileEncoding(dir.Write("within.html", within), true), 3);
  EXPECT_EQ(DetectFileEncoding(dir.Write("beyond.html", beyond), true), 0);
  // CR-only lines count as lines too.
  std::string cr;
  for (int i = 0; i < 9; ++i) cr += "<p>line</p>\r";
  EXPECT_EQ(DetectFileEncoding(dir.Write("cr.html", cr + "<meta charset=UTF-8>\r"), true), 3);
}

TEST(DetectFileEncoding, WellFormedUtf8IsJudgedOnTheFirst16384BytesOnly) {
  TempDir dir;
  const std::string asciiHead(16383, 'a');
  // A sequence cut off by the end of the sample counts as well-formed.
  EXPECT_EQ(DetectFileEncoding(dir.Write("cut.txt", asciiHead + "\xC3\xA9 rest")), 3);
  EXPECT_EQ(DetectFileEncoding(dir.Write("cut3.txt", std::string(16382, 'a') + "\xE2\x80\x94 rest")), 3);
  // A bad sequence beyond the sample is not seen.
  EXPECT_EQ(DetectFileEncoding(dir.Write("late_bad.txt", asciiHead + "\xC3\xA9\xFF")), 3);
  // Non-ASCII bytes only beyond the sample: nothing to go by.
  EXPECT_EQ(DetectFileEncoding(dir.Write("late.txt", std::string(16384, 'a') + "\xC3\xA9")), 0);
  // A cut-off sequence must still be a valid beginning.
  EXPECT_EQ(DetectFileEncoding(dir.Write("badcut.txt", std::string(16382, 'a') + "\xE0\x80")), 0);
}

TEST(IsWellFormedUtf8Sample, SequencesAndTheirLimits) {
  const struct {
    std::string bytes;
    bool expected;
  } cases[] = {
      {"", false},
      {"ascii only", false},
      {"\xC2\xA0", true},
      {"\xC2", true},
      {"\xC2 ", false},
      {"\xC1\xBF", false},
      {"\xDF\xBF", true},
      {"\xE0\xA0\x80", true},
      {"\xE0\x9F\xBF", false},
      {"\xED\x9F\xBF", true},
      {"\xED\xA0\x80", false},
      {"\xEF\xBF\xBF", true},
      {"\xF0\x90\x80\x80", true},
      {"\xF0\x8F\xBF\xBF", false},
      {"\xF4\x8F\xBF\xBF", true},
      {"\xF4\x90\x80\x80", false},
      {"\xF5\x80\x80\x80", false},
      {"\x80", false},
      {"\xFF", false},
      {"ok \xC3\xA9 then \xA9", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsWellFormedUtf8Sample(c.bytes), c.expected) << c.bytes;
}

TEST(AnalyseTextFile, EachClassWithItsFindings) {
  TempDir dir;
  const struct {
    const char* name;
    std::string bytes;
    int cls;
    bool utf8;
    int firstControl;
    std::int64_t position;
  } cases[] = {
      {"crlf.txt", "one two\r\nthree four\r\n", 1, false, -1, 0},
      {"none.txt", "one two three four", 1, false, -1, 0},
      {"lf.txt", "one two\nthree four\n", 2, false, -1, 0},
      {"cr.txt", "one two\rthree four\r", 3, false, -1, 0},
      {"mixed.txt", "one two\r\nthree\nfour\r", 1, false, -1, 0},
      {"tabs.txt", "one\ttwo\x0C three\x08 four\r\n", 1, false, -1, 0},
      {"binary.txt", "abc\x01" "def ghi\r\n", 0, false, 1, 4},
      {"nul.txt", std::string("abcdef\0gh", 9), 0, false, 0, 7},
      {"bom.txt", "\xEF\xBB\xBFhello\nworld\n", 1, true, -1, 0},
      {"utf8lf.txt", "caf\xC3\xA9\nbar\n", 1, true, -1, 0},
      {"utf16.txt", std::string("\xFF\xFEh\0i\0", 6), 7, false, -1, 0},
      {"utf16be.txt", std::string("\xFE\xFF\0h\0i", 6), 7, false, -1, 0},
      {"utf32.txt", std::string("\0\0\xFE\xFF\0\0\0h", 8), 7, false, -1, 0},
      {"doc.rtf", "{\\rtf1 text}", 6, false, -1, 0},
      {"empty.txt", "", -2, false, -1, 0},
      {"tiny.txt", "abc", -4, false, -1, 0},
  };
  for (const auto& c : cases) {
    TextFileSample sample;
    const int cls = AnalyseTextFile(dir.Write(c.name, c.bytes), kTextSampleSize, 0.0, sample, true);
    EXPECT_EQ(cls, c.cls) << c.name;
    EXPECT_EQ(sample.utf8, c.utf8) << c.name;
    EXPECT_EQ(sample.firstControlByte, c.firstControl) << c.name;
    EXPECT_EQ(sample.firstControlPosition, c.position) << c.name;
  }
  TextFileSample sample;
  EXPECT_EQ(AnalyseTextFile(dir.File("missing.txt"), kTextSampleSize, 0.0, sample), -1);
  EXPECT_EQ(AnalyseTextFile("", kTextSampleSize, 0.0, sample), -5);
}

TEST(AnalyseTextFile, ControlByteShareAgainstTheThreshold) {
  TempDir dir;
  // One control byte in 1000: 0.1 %.
  std::string text(1000, 'a');
  text[500] = '\x02';
  const std::string path = dir.Write("share.txt", text);
  TextFileSample sample;
  EXPECT_EQ(AnalyseTextFile(path, kTextSampleSize, 0.0, sample), 0);
  EXPECT_DOUBLE_EQ(sample.binaryShare, 0.1);
  EXPECT_EQ(AnalyseTextFile(path, kTextSampleSize, 1.0, sample), 1) << "below a 1 % threshold it is text";
  // Past a fifth of the sample size the share so far is held against ten
  // times the threshold, and the sampling ends at once.
  std::string late(8000, 'a');
  late[10] = '\x03';
  TextFileSample early;
  EXPECT_EQ(AnalyseTextFile(dir.Write("late.txt", late), kTextSampleSize, 0.0, early), 0);
  EXPECT_DOUBLE_EQ(early.binaryShare, 100.0 / 3277.0);
}

TEST(AnalyseTextFile, UnreadableAndSpecialFiles) {
  TempDir dir;
  TextFileSample sample;
  EXPECT_EQ(AnalyseTextFile(dir.Path(), kTextSampleSize, 0.0, sample), -9) << "a folder";
  const std::string fifo = dir.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(AnalyseTextFile(fifo, kTextSampleSize, 0.0, sample), -9) << "a named pipe is never opened";
  const std::string locked = dir.Write("locked.txt", "some text here\r\n");
  ::chmod(locked.c_str(), 0);
  ExpectAsOrdinaryUser(dir, [&] { return AnalyseTextFile(locked, kTextSampleSize, 0.0, sample) == -3; });
}

TEST(IsTextLikeExtension, TheElevenExtensions) {
  for (const char* p : {"a.prn", "a.csv", "a.xhtml", "a.xhtm", "a.shtml", "a.shtm", "a.html", "a.htm", "a.xml",
                        "a.log", "a.txt", "dir/A.TXT", "x.y.Html"})
    EXPECT_TRUE(IsTextLikeExtension(p)) << p;
  for (const char* p : {"", "a", "a.php", "a.docx", "a.text", "a.txt.bak", "dir.txt/file", "a.", ".hidden"})
    EXPECT_FALSE(IsTextLikeExtension(p)) << p;
}

struct TextFileCheck : ::testing::Test {
  TempDir dir;
  TestSession t;
  Session& s = t.session;
  bool utf8 = false;
  int lineClass = -99;
  bool Check(const std::string& path, bool classifyOnly = false) {
    return CheckTextFile(s, path, classifyOnly, utf8, lineClass, true);
  }
};

TEST_F(TextFileCheck, FatalClassesShowTheirMessage) {
  const std::string rtf = dir.Write("doc.rtf", "{\\rtf1 text}");
  const std::string uni = dir.Write("uni.txt", std::string("\xFF\xFEh\0i\0", 6));
  const std::string tiny = dir.Write("tiny.txt", "abc");
  const std::string empty = dir.Write("empty.txt", "");
  const std::string missing = dir.File("missing.txt");
  const struct {
    std::string path;
    std::string text;
    int cls;
  } cases[] = {
      {rtf, "File " + rtf + "\r\nis an RTF file.", 6},
      {uni, "File " + uni + "\r\nis a Unicode file but not UTF-8 encoded.", 7},
      {dir.Path(), "File " + dir.Path() + "\r\ncannot be opened.", -9},
      {tiny, "File " + tiny + "\r\ncontains only from 1 to 4 bytes.", -4},
      {empty, "File " + empty + " is zero-length.", -2},
      {missing, "File " + missing + " not found.", -1},
  };
  for (const auto& c : cases) {
    t.platform.boxes.clear();
    s.main.txbOutput.SetText("old text");
    EXPECT_FALSE(Check(c.path)) << c.path;
    EXPECT_EQ(lineClass, c.cls) << c.path;
    EXPECT_TRUE(s.main.txbOutput.Text().empty());
    ASSERT_EQ(t.platform.boxes.size(), 1u) << c.path;
    EXPECT_EQ(t.platform.boxes[0].text, c.text);
    EXPECT_EQ(t.platform.boxes[0].title, "Fatal error");
    EXPECT_EQ(t.platform.boxes[0].icon, Icon::Information);
  }
  t.platform.boxes.clear();
  EXPECT_FALSE(Check(""));
  EXPECT_TRUE(t.platform.boxes.empty()) << "an empty path is refused silently";
}

TEST_F(TextFileCheck, PermissionDenied) {
  const std::string locked = dir.Write("locked.txt", "some text here\r\n");
  ::chmod(locked.c_str(), 0);
  ExpectAsOrdinaryUser(dir, [&] {
    return !Check(locked) && lineClass == -3 && t.platform.boxes.size() == 1 &&
           t.platform.boxes[0].text == "File " + locked + "\r\n cannot be opened (permission denied)." &&
           t.platform.boxes[0].title == "Fatal error";
  });
}

TEST_F(TextFileCheck, BinaryFilesAreRefusedWithAdviceForSmallOnes) {
  std::string mostlyText(5000, 'a');
  mostlyText[20] = '\x01';
  const std::string small = dir.Write("small.dat", mostlyText);
  EXPECT_FALSE(Check(small));
  EXPECT_EQ(lineClass, 0);
  EXPECT_EQ(t.platform.LastBox().text,
            small +
                "\r\nis not an ANSI or UTF-8 encoded text file.\r\nIt appears to be a binary file.\r\n\r\n"
                "You could try reading it using its associated application, then copying the text and pasting it "
                "into the textbox (then copy it to the clipboard and select 'Clipboard' as the source).");
  EXPECT_EQ(t.platform.LastBox().title, "Not a text file");
  EXPECT_EQ(t.platform.LastBox().icon, Icon::Information);

  // Mostly control bytes: no advice.
  const std::string dense = dir.Write("dense.bin", std::string(5000, '\x01'));
  EXPECT_FALSE(Check(dense));
  EXPECT_EQ(t.platform.LastBox().text,
            dense + "\r\nis not an ANSI or UTF-8 encoded text file.\r\nIt appears to be a binary file.");

  // 102400 bytes or more: no advice either.
  std::string big(102400, 'a');
  big[7] = '\x01';
  const std::string large = dir.Write("large.dat", big);
  EXPECT_FALSE(Check(large));
  EXPECT_EQ(t.platform.LastBox().text,
            large + "\r\nis not an ANSI or UTF-8 encoded text file.\r\nIt appears to be a binary file.");
}

TEST_F(TextFileCheck, TextClassesPass) {
  const struct {
    const char* name;
    std::string bytes;
    int cls;
    bool utf8;
  } cases[] = {
      {"crlf.txt", "one\r\ntwo\r\n", 1, false},
      {"lf.txt", "one\ntwo\n", 2, false},
      {"bom.txt", "\xEF\xBB\xBFone\r\n", 1, true},
      {"plain.xml", "<a>one</a>", 1, true},
      {"page.html", "<meta charset=UTF-8>\n<p>one</p>\n", 1, true},
      {"nobom.txt", "caf\xC3\xA9\r\n", 1, true},
  };
  for (const auto& c : cases) {
    t.platform.boxes.clear();
    EXPECT_TRUE(Check(dir.Write(c.name, c.bytes))) << c.name;
    EXPECT_EQ(lineClass, c.cls) << c.name;
    EXPECT_EQ(utf8, c.utf8) << c.name;
    EXPECT_TRUE(t.platform.boxes.empty()) << c.name;
  }
}

TEST_F(TextFileCheck, LfOnlyFilesPassSilentlyAtAnySize) {
  std::string text;
  while (text.size() < 600000) text += "a line of plain text\n";
  for (bool ask : {true, false}) {
    EXPECT_TRUE(CheckTextFile(s, dir.Write("big_lf.txt", text), false, utf8, lineClass, ask));
    EXPECT_EQ(lineClass, 2);
  }
  EXPECT_TRUE(t.platform.boxes.empty());
}

TEST_F(TextFileCheck, MacNoticeOncePerInitialisation) {
  const std::string cr = dir.Write("mac.txt", "one two\rthree\r");
  EXPECT_TRUE(Check(cr));
  EXPECT_EQ(lineClass, 3);
  ASSERT_EQ(t.platform.boxes.size(), 1u);
  EXPECT_EQ(t.platform.boxes[0].text,
            "File " + cr +
                "\r\nhas Macintosh-type line endings (CR).\r\nYou might wish to use a program such as Notepad++"
                "\r\nto convert the line endings to Windows-type (CR+LF).");
  EXPECT_EQ(t.platform.boxes[0].title, "This is a Mac-style text file");
  EXPECT_EQ(t.platform.boxes[0].icon, Icon::Information);
  EXPECT_TRUE(Check(cr));
  EXPECT_EQ(t.platform.boxes.size(), 1u) << "shown once";
  InitializeVariables(s);
  EXPECT_TRUE(Check(cr));
  EXPECT_EQ(t.platform.boxes.size(), 2u) << "shown again after the variables were initialised";
  // Classify-only never shows it.
  InitializeVariables(s);
  EXPECT_TRUE(Check(cr, true));
  EXPECT_EQ(t.platform.boxes.size(), 2u);
}

TEST(FileSizeText, BytesKilobytesMegabytes) {
  TestSession t;
  const struct {
    std::int64_t n;
    const char* text;
  } cases[] = {
      {0, "0 bytes"},
      {1, "1 bytes"},
      {1023, "1023 bytes"},
      {1024, "1.00 Kb"},
      {1152, "1.13 Kb"},  // 1.125: the half goes up
      {1536, "1.50 Kb"},
      {2000, "1.95 Kb"},
      {204800, "200.00 Kb"},
      {1048575, "1,024.00 Kb"},
      {1048576, "1.00 Mb"},
      {4332506, "4.13 Mb"},
      {1234567890, "1,177.38 Mb"},
      {10737418240, "10,240.00 Mb"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileSizeText(t.session, c.n), c.text) << c.n;

  TempDir dir;
  EXPECT_EQ(FileSizeTextOfFile(t.session, dir.Write("f.txt", std::string(3000, 'x'))), "2.93 Kb");
  EXPECT_EQ(FileSizeTextOfFile(t.session, dir.File("missing.txt")), "");
  EXPECT_EQ(FileSizeTextOfFile(t.session, ""), "");
}

TEST(FileSizeText, UsesTheLocaleSeparators) {
  TestSession t;
  t.platform.groupSeparator = ".";
  t.platform.decimalSeparator = ",";
  const struct {
    std::int64_t n;
    const char* text;
  } cases[] = {
      {1023, "1023 bytes"},
      {1024, "1,00 Kb"},
      {1030000, "1.005,86 Kb"},
      {4332506, "4,13 Mb"},
      {1234567890, "1.177,38 Mb"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileSizeText(t.session, c.n), c.text) << c.n;
  TempDir dir;
  EXPECT_TRUE(CheckInputFile(t.session, dir.Write("f.txt", std::string(3000, 'x'))));
  EXPECT_EQ(t.session.main.lblFilesize.Caption(), "Filesize: 2,93 Kb");
}

struct InputFileCheck : ::testing::Test {
  TempDir dir;
  TestSession t;
  Session& s = t.session;
};

TEST_F(InputFileCheck, ExistingFileSetsTheSizeLabelAndTheCurrentDirectory) {
  const std::string path = dir.Write("words.txt", std::string(2000, 'w'));
  EXPECT_TRUE(CheckInputFile(s, path));
  EXPECT_EQ(s.main.lblFilesize.Caption(), "Filesize: 1.95 Kb");
  EXPECT_TRUE(t.platform.boxes.empty());
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.Path()));
}

TEST_F(InputFileCheck, MissingAndEmptyFiles) {
  EXPECT_FALSE(CheckInputFile(s, ""));
  EXPECT_TRUE(t.platform.boxes.empty());

  s.main.chkUTF8.SetValue(1);
  s.main.lblFilesize.SetCaption("Filesize: 5 bytes");
  EXPECT_FALSE(CheckInputFile(s, dir.File("missing.txt")));
  EXPECT_EQ(t.platform.LastBox().text, "Input file does not exist.");
  EXPECT_EQ(t.platform.LastBox().title, "File not found");
  EXPECT_EQ(t.platform.LastBox().icon, Icon::Warning);
  EXPECT_EQ(s.main.chkUTF8.Value(), 0);
  EXPECT_EQ(s.main.lblFilesize.Caption(), "");

  EXPECT_FALSE(CheckInputFile(s, dir.Write("empty.txt", "")));
  EXPECT_EQ(t.platform.LastBox().text, "Input file is zero-length.");
  EXPECT_EQ(t.platform.LastBox().title, "Empty file");
  EXPECT_EQ(s.main.lblFilesize.Caption(), "Filesize: 0 bytes");
}

TEST_F(InputFileCheck, DuringStartUpOnlyAnEmptyFileIsReported) {
  s.run.blnStartUpCompleted = false;
  s.main.chkUTF8.SetValue(1);
  EXPECT_FALSE(CheckInputFile(s, dir.File("missing.txt")));
  EXPECT_FALSE(CheckInputFile(s, dir.Path()));
  EXPECT_TRUE(t.platform.boxes.empty());
  EXPECT_EQ(s.main.chkUTF8.Value(), 1);
  EXPECT_FALSE(CheckInputFile(s, dir.Write("empty.txt", "")));
  EXPECT_EQ(t.platform.LastBox().text, "Input file is zero-length.");
}

TEST_F(InputFileCheck, FoldersPipesAndDevicesAreNotInputFiles) {
  const std::string fifo = dir.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    const char* text;
  } cases[] = {
      {dir.Path(), "Input file is a folder."},
      {fifo, "Input file is a named pipe."},
      {"/dev/null", "Input file is a device."},
  };
  for (const auto& c : cases) {
    s.main.lblFilesize.SetCaption("Filesize: 1 bytes");
    EXPECT_FALSE(CheckInputFile(s, c.path)) << c.path;
    EXPECT_EQ(t.platform.LastBox().text, c.text);
    EXPECT_EQ(t.platform.LastBox().title, "Not a file");
    EXPECT_EQ(s.main.lblFilesize.Caption(), "");
  }
}

TEST_F(InputFileCheck, UnreachableFolderGivesTheSystemMessage) {
  const std::string sub = dir.File("closed");
  ASSERT_EQ(::mkdir(sub.c_str(), 0700), 0);
  const std::string path = sub + "/words.txt";
  test::WriteAll(path, "hello\r\n");
  ::chmod(sub.c_str(), 0);
  ExpectAsOrdinaryUser(dir, [&] {
    return !CheckInputFile(s, path) && t.platform.boxes.size() == 1 &&
           t.platform.boxes[0].text == "Input file cannot be opened: Permission denied." &&
           t.platform.boxes[0].title == "Cannot open file";
  });
}

}  // namespace
}  // namespace kwl
