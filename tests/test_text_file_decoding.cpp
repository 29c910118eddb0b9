// The UTF-8 repairs, the file handle and the line reader that the text-file
// source builds on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <random>

#include "files/regular_file.h"
#include "sources/line_reader.h"
#include "text/utf8_repair.h"
#include "files/run_error.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using test::TempDir;

TEST(DecodeUtf8Line, TwoByteSequences) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"caf\xC3\xA9", "caf\xE9"},                  // é
      {"a\xC2\xA0" "b", "a\xA0" "b"},              // no-break space
      {"a\xC2\x85" "b", "ab"},                     // C1 control: gone
      {"a\xC2\x80\xC2\x9F" "b", "ab"},
      {"\xC2\xBF\xC2\xA1", "\xBF\xA1"},            // ¿ ¡
      {"a\xC2" "b", "a\xC2" "b"},                  // followed by a byte below 80: left alone
      {"a\xC2\xC3\xA9", "a\xC2\xE9"},
      {"end\xC2", "end\xC2"},                      // standing last
      {"\xC3\x80\xC3\xBF", "\xC0\xFF"},            // À ÿ
      {"\xC3\x83O", "\xC3O"},                      // Ã
      {"\xC3(", "\xC3("},
      {"\xC4\x8D" "a", "ca"},                      // č
      {"\xC4\x8C", "\xC4\x8C"},                    // Č is not decoded
      {"\xE2\x80\x94", "\xE2\x80\x94"},            // three-byte sequences stay
      {"\xEF\xBB\xBFword", "\xEF\xBB\xBFword"},    // the byte-order mark stays
      {"\xC3\xA9\xC3\xA9\xC3\xA9", "\xE9\xE9\xE9"},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeUtf8Line(c.in), c.out) << c.in;
}

TEST(DecodeUtf8Line, EachSequenceIsDecodedOnceFromLeftToRight) {
  // Valid UTF-8 whose neighbours could pair up again after a replacement:
  // U+0085 U+00A0 is a deleted control and a no-break space; U+00C3 U+00A0
  // is "Ã" and a no-break space; neither may turn into another character.
  EXPECT_EQ(DecodeUtf8Line("\xC2\x85\xC2\xA0"), "\xA0");
  EXPECT_EQ(DecodeUtf8Line("N\xC3\x83\xC2\xA0 \xC3\xA0"), "N\xC3\xA0 \xE0");
  EXPECT_EQ(DecodeUtf8Line("\xC2\xC2\xA0"), "\xC2\xA0");
  // The passes run one after the other over the whole line.
  EXPECT_EQ(DecodeUtf8Line("\xC3\xC2\x85\xA9"), "\xE9");
  EXPECT_EQ(DecodeUtf8Line("\xC3\x84\x8D"), "c");
}

TEST(DecodeUtf8Line, ValidUtf8OfTheLatinRangeBecomesItsCodePage) {
  // Random text of ASCII and U+00A0..U+00FF, encoded as UTF-8, decodes to
  // the same characters as Windows-1252 bytes (the code page equals Latin-1
  // there); C1 controls U+0080..U+009F vanish.
  std::mt19937 rng(12345);
  std::uniform_int_distribution<int> pick(0, 255);
  for (int round = 0; round < 200; ++round) {
    std::string utf8;
    std::string expected;
    for (int i = 0; i < 60; ++i) {
      const int cp = pick(rng);
      if (cp < 0x80) {
        utf8 += static_cast<char>(cp);
        expected += static_cast<char>(cp);
      } else {
        utf8 += static_cast<char>(0xC0 | (cp >> 6));
        utf8 += static_cast<char>(0x80 | (cp & 0x3F));
        if (cp >= 0xA0) expected += static_cast<char>(cp);
      }
    }
    ASSERT_EQ(DecodeUtf8Line(utf8), expected) << "round " << round;
  }
}

TEST(ReplaceUtf8Punctuation, TheElevenSequences) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"", ""},
      {"it\xE2\x80\x98s", "it's"},
      {"it\xE2\x80\x99s", "it's"},
      {"\xE2\x80\x9Cquoted\xE2\x80\x9D", "\"quoted\""},
      {"a\xE2\x80\x90" "b", "a-b"},
      {"1\xE2\x80\x93" "2", "1- 2"},
      {"word\xE2\x80\x94word", "word -- word"},
      {"box\xE2\x94\x80line", "box -- line"},
      {"wait\xE2\x80\xA6", "wait..."},
      {"\xE2\x80\xA2item", " . item"},
      {"a\xE2\x80\x86" "b", "a ... b"},
      {"\xE2\x80\x9F", "\xE2\x80\x9F"},   // not in the table
      {"\xE2\x82\xAC", "\xE2\x82\xAC"},   // the euro sign stays as bytes
      {"cut\xE2\x80", "cut\xE2\x80"},
      {"\xE2\xE2\x80\x94", "\xE2 -- "},
      {"\xE2\x80\x98\xE2\x80\x99", "''"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplaceUtf8Punctuation(c.in), c.out) << c.in;
}

// All lines of a file with each buffer size, and the bytes of their line ends.
struct Read {
  std::vector<std::string> lines;
  std::vector<int> ends;
};
Read ReadWith(const std::string& path, std::size_t bufferSize) {
  Read r;
  Status status;
  LineReader reader(File::Open(path, status), bufferSize);
  EXPECT_TRUE(status.Ok()) << path;
  std::string line;
  while (reader.Next(line)) {
    r.lines.push_back(line);
    r.ends.push_back(reader.TerminatorBytes());
  }
  return r;
}

TEST(LineReader, CrLfCrAndLfEndLinesWhereverTheBufferIsCut) {
  TempDir dir;
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
    std::vector<int> ends;
  } cases[] = {
      {"", {}, {}},
      {"one", {"one"}, {0}},
      {"one\r\ntwo\r\n", {"one", "two"}, {2, 2}},
      {"one\ntwo\n", {"one", "two"}, {1, 1}},
      {"one\rtwo\r", {"one", "two"}, {1, 1}},
      {"one\r\n\r\ntwo", {"one", "", "two"}, {2, 2, 0}},
      {"a\n\rb", {"a", "", "b"}, {1, 1, 0}},
      {"a\r\r\nb\n", {"a", "", "b"}, {1, 2, 1}},
      {"\r\n", {""}, {2}},
      {"\n\n", {"", ""}, {1, 1}},
      {"x\r", {"x"}, {1}},
      {std::string("nul\0inside\r\n", 12), {std::string("nul\0inside", 10)}, {2}},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string path = dir.Write(std::string("f").append(std::to_string(n++)).append(".txt"), c.bytes);
    for (std::size_t size : {1, 2, 3, 4, 7, 64, 1 << 20}) {
      const Read r = ReadWith(path, size);
      EXPECT_EQ(r.lines, c.lines) << "buffer " << size << " for " << c.bytes;
      EXPECT_EQ(r.ends, c.ends) << "buffer " << size << " for " << c.bytes;
    }
  }
}

TEST(LineReader, LongLinesSpanManyBuffers) {
  TempDir dir;
  const std::string longLine(300000, 'x');
  const std::string path = dir.Write("long.txt", "a\r\n" + longLine + "\r\nb");
  const Read r = ReadWith(path, 4096);
  ASSERT_EQ(r.lines.size(), 3u);
  EXPECT_EQ(r.lines[1], longLine);
}

TEST(File, OnlyRegularFilesAreOpened) {
  TempDir dir;
  const std::string fifo = dir.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  using Kind = Status::Kind;
  const struct {
    std::string path;
    Kind kind;
    int err;
    std::string detail;
    int number;  // as the run's error report shows it
  } cases[] = {
      {dir.File("missing.txt"), Kind::kNotFound, ENOENT, "", 2},
      {dir.File("missing/below.txt"), Kind::kNotFound, ENOENT, "", 2},
      {dir.Path(), Kind::kNotRegular, EISDIR, "a folder", 21},
      {fifo, Kind::kNotRegular, 0, "a named pipe", 75},
      {"/dev/null", Kind::kNotRegular, 0, "a device", 75},
      {dir.Write("there.txt", "x"), Kind::kOk, 0, "", 0},
  };
  for (const auto& c : cases) {
    Status status;
    const File file = File::Open(c.path, status);
    EXPECT_EQ(status.kind, c.kind) << c.path;
    EXPECT_EQ(file.IsOpen(), c.kind == Kind::kOk) << c.path;
    EXPECT_EQ(status.err, c.err) << c.path;
    EXPECT_EQ(status.detail, c.detail) << c.path;
    if (status.Ok()) continue;
    EXPECT_EQ(status.path, c.path);
    EXPECT_EQ(RunError::FromStatus(status).Number(), c.number) << c.path;
  }
}

}  // namespace
}  // namespace kwl
