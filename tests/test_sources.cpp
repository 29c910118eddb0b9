// The sources of a count over the core alone: a text file, the text of a
// DOCX package, the clipboard's text; their lines, progress and statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

#include "sources/clipboard_text.h"
#include "sources/docx_text.h"
#include "sources/encoding.h"
#include "sources/line_reader.h"
#include "sources/text_file_source.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using Kind = Status::Kind;
using Lines = std::vector<std::string>;

// Every line of a source, and its progress after each.
struct Drained {
  Lines lines;
  std::vector<std::int64_t> done;
};
Drained Drain(LineSource& source) {
  Drained d;
  std::string line;
  while (source.Next(line)) {
    d.lines.push_back(line);
    d.done.push_back(source.Done());
  }
  return d;
}

TEST(TrimForScanning, ControlsGoAndABlankComesFirst) {
  const struct {
    std::string in;
    bool kept;
    std::string out;
  } cases[] = {
      {"", false, ""},          {" \t\x01\x1F ", false, " \t\x01\x1F "},
      {"a", true, " a"},        {"  a b\t\x7F", true, " a b\t\x7F"},
      {"\x0C" "x\x00", true, " x"},
  };
  for (const auto& c : cases) {
    std::string line = c.in;
    EXPECT_EQ(TrimForScanning(line), c.kept) << c.in;
    EXPECT_EQ(line, c.out) << c.in;
  }
}

TEST(TextFileSource, LinesAndBytesFromTheEmptyFileOn) {
  test::TempDir dir;
  const struct {
    std::string bytes;
    bool utf8;
    Lines lines;
    std::vector<std::int64_t> done;
  } cases[] = {
      {"", false, {}, {}},
      {"\r\n \t\n\r", false, {}, {}},
      {"one\r\ntwo", false, {" one", " two"}, {5, 8}},
      {"\n\n  a b \r\r\nc\r", false, {" a b", " c"}, {9, 13}},
      {"caf\xC3\xA9\xE2\x80\x94x\n", true, {" caf\xE9 -- x"}, {10}},
      {"caf\xC3\xA9\xE2\x80\x94x\n", false, {" caf\xC3\xA9\xE2\x80\x94x"}, {10}},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string path = dir.Write("f" + std::to_string(n++) + ".txt", c.bytes);
    for (std::size_t buffer : {1, 3, 1 << 20}) {
      TextFileSource source(path, c.utf8, buffer);
      EXPECT_EQ(source.Total(), static_cast<std::int64_t>(c.bytes.size()));
      const Drained d = Drain(source);
      EXPECT_EQ(d.lines, c.lines) << c.bytes << " buffer " << buffer;
      EXPECT_EQ(d.done, c.done) << c.bytes << " buffer " << buffer;
      EXPECT_EQ(source.Done(), source.Total()) << "blank lines at the end are read too";
      EXPECT_TRUE(source.status().Ok());
    }
  }
}

TEST(TextFileSource, WhatCannotBeOpenedEndsItAtOnce) {
  test::TempDir dir;
  const std::string fifo = dir.File("pipe.txt");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const struct {
    std::string path;
    Kind kind;
  } cases[] = {
      {dir.File("missing.txt"), Kind::kNotFound},
      {dir.Path(), Kind::kNotRegular},
      {fifo, Kind::kNotRegular},
      {"/dev/zero", Kind::kNotRegular},
  };
  for (const auto& c : cases) {
    TextFileSource source(c.path, false);
    EXPECT_EQ(source.status().kind, c.kind) << c.path;
    EXPECT_EQ(source.status().path, c.path);
    std::string line;
    EXPECT_FALSE(source.Next(line)) << c.path;
    EXPECT_EQ(source.Total(), 0);
  }
}

TEST(InspectTextFile, WhatAFileIsBeforeItIsCounted) {
  test::TempDir dir;
  const std::string fifo = dir.File("pipe.htm");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = dir.File("folder");
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  const struct {
    std::string path;
    Kind kind;
    std::int64_t size;
    int fileClass;
    std::string markup;
  } cases[] = {
      {"", Kind::kNotFound, 0, -5, ""},
      {dir.File("missing.txt"), Kind::kNotFound, 0, -1, "txt"},
      {folder, Kind::kNotRegular, 0, -9, ""},
      {fifo, Kind::kNotRegular, 0, -9, "htm"},
      {dir.Write("empty.txt", ""), Kind::kEmpty, 0, -2, "txt"},
      {dir.Write("lf.XML", "words\nmore words\n"), Kind::kOk, 17, 2, "xml"},
      {dir.Write("u.txt", "caf\xC3\xA9 words\r\n"), Kind::kOk, 13, 1, "txt"},
  };
  for (const auto& c : cases) {
    const TextFileInspection info = InspectTextFile(c.path);
    EXPECT_EQ(info.status.kind, c.kind) << c.path;
    EXPECT_EQ(info.size, c.size) << c.path;
    EXPECT_EQ(info.fileClass, c.fileClass) << c.path;
    EXPECT_EQ(info.markupKind, c.markup) << c.path;
  }
  EXPECT_EQ(InspectTextFile(fifo).status.detail, "a named pipe");
  EXPECT_TRUE(InspectTextFile(dir.File("u.txt")).sample.utf8);
}

TEST(DocxTextSource, PiecesReadAsLines) {
  const struct {
    std::vector<std::string> pieces;
    Lines lines;
    std::vector<std::int64_t> done;
  } cases[] = {
      {{""}, {}, {}},
      {{" ", "  "}, {}, {}},
      {{"Hello", " world."}, {" Hello world."}, {14}},
      {{"One.  ", "Two", " three.", "tail"}, {" One.", " Two three.", " tail"}, {8, 20, 24}},
      {{"inner\rbreak\nhere"}, {" inner", " break", " here"}, {6, 12, 16}},
  };
  for (const auto& c : cases) {
    DocxTextSource source(c.pieces);
    EXPECT_EQ(source.Total(), static_cast<std::int64_t>(DocxTextOf(c.pieces).size()));
    const Drained d = Drain(source);
    EXPECT_EQ(d.lines, c.lines) << c.pieces.front();
    EXPECT_EQ(d.done, c.done) << c.pieces.front();
    EXPECT_EQ(source.Done(), source.Total());
  }
}

TEST(ExtractDocxBody, PackagesAndTheirRefusals) {
  test::TempDir dir;
  const std::string good = dir.File("good.docx");
  test::WriteDocx(good, "<w:p><w:r><w:t>" + std::string(3000, 'x') + "</w:t></w:r></w:p>");
  const std::string bytes = test::ReadAll(good);
  const struct {
    const char* what;
    std::string path;
    std::int64_t max;
    Kind kind;
    int err;
  } cases[] = {
      {"a package", good, 100000, Kind::kOk, 0},
      {"over the limit", good, 1000, Kind::kTooBig, 0},
      {"missing", dir.File("missing.docx"), 100000, Kind::kBadPackage, 0},
      {"empty", dir.Write("empty.docx", ""), 100000, Kind::kBadPackage, 0},
      {"truncated", dir.Write("cut.docx", bytes.substr(0, bytes.size() / 2)), 100000, Kind::kBadPackage, 0},
      {"garbage", dir.Write("junk.docx", "PK\x03\x04 and nothing of a package"), 100000, Kind::kBadPackage, 0},
      {"a folder", dir.Path(), 100000, Kind::kBadPackage, 0},
  };
  int n = 0;
  for (const auto& c : cases) {
    const std::string folder = dir.File("out" + std::to_string(n++)) + "/";
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    const DocxBody body = ExtractDocxBody(c.path, folder, c.max);
    EXPECT_EQ(body.status.kind, c.kind) << c.what << ": " << body.status.detail;
    EXPECT_EQ(body.status.err, c.err) << c.what;
    EXPECT_FALSE(body.checksumFailed) << c.what;
    if (c.kind != Kind::kOk) {
      EXPECT_FALSE(body.status.detail.empty()) << c.what;
      continue;
    }
    EXPECT_EQ(body.xmlPath, folder + "word/document.xml");
    EXPECT_EQ(body.size, static_cast<std::int64_t>(test::ReadAll(body.xmlPath).size()));
  }
}

TEST(ExtractDocxPieces, TheObserverSeesEachPieceAndMayStop) {
  struct Watch : DocxPieceObserver {
    int asked = 0;
    int stopAt = 0;
    std::vector<std::int64_t> positions;
    bool GoOn() override { return ++asked != stopAt; }
    void Piece(const std::string&, std::int32_t, std::int64_t position, std::int64_t) override {
      positions.push_back(position);
    }
    void RunDone() override {}
  };
  const std::string xml = "<w:t>one</w:t><w:tab/><w:t>two</w:t>";
  Watch all;
  const DocxPieces out = ExtractDocxPieces(xml, 1, &all);
  EXPECT_EQ(out.pieces, (Lines{"one", "two"}));
  EXPECT_EQ(out.count, 2);
  EXPECT_EQ(out.size, 6);
  // The second search starts after "<w:tab".
  EXPECT_EQ(all.positions, (std::vector<std::int64_t>{1, 19}));
  Watch stopping;
  stopping.stopAt = 3;  // "<w:tab/>" is asked about too
  const DocxPieces stopped = ExtractDocxPieces(xml, 1, &stopping);
  EXPECT_TRUE(stopped.stopped);
  EXPECT_EQ(stopped.count, 0);
  EXPECT_EQ(stopped.pieces, Lines{"one"});
}

TEST(ClipboardTextSource, OneLineOfTheCodePageWithABlankAppended) {
  const struct {
    std::string utf8;
    std::string line;
    std::int64_t total;
  } cases[] = {
      {"", " ", 0},
      {"Words", "Words ", 5},
      {"caf\xC3\xA9\r\nna\xC3\xAFve", "caf\xE9\r\nna\xEFve ", 11},
      {"\xE2\x82\xAC \xF0\x9F\x98\x80", "\x80 ? ", 4},  // the euro sign is in the code page, an emoji is not
  };
  for (const auto& c : cases) {
    ClipboardTextSource source(c.utf8);
    EXPECT_EQ(source.Total(), c.total) << c.utf8;
    const Drained d = Drain(source);
    EXPECT_EQ(d.lines, Lines{c.line}) << c.utf8;
    EXPECT_EQ(source.Done(), c.total);
    EXPECT_TRUE(source.status().Ok());
  }
}

TEST(ClipboardTextSource, LowerCasedBeforeTheConversionWhenAsked) {
  const struct {
    std::string utf8;
    bool lowerCase;
    std::string line;
  } cases[] = {
      {"", true, " "},
      {"\xE2\x84\xAA\xE1\xBA\x9E\xE2\x84\xAB", false, "??? "},  // Kelvin, capital sharp s, Angstrom
      {"\xE2\x84\xAA\xE1\xBA\x9E\xE2\x84\xAB", true, "k\xDF\xE5 "},
      {"AZ\xC3\x89\xC5\xB8\xC5\x92 \xC4\xB0\xC6\x91", true, "az\xE9\xFF\x9C i\x83 "},
      {"\xE2\x82\xAC \xCE\xA9", true, "\x80 ? "},  // Greek has no small letter in the code page
  };
  for (const auto& c : cases) {
    ClipboardTextSource source(c.utf8, c.lowerCase);
    EXPECT_EQ(Drain(source).lines, Lines{c.line}) << c.utf8;
  }
}

TEST(CheckClipboardText, EmptyAndTooLong) {
  const struct {
    std::string utf8;
    std::int64_t max;
    Kind kind;
    std::size_t characters;
  } cases[] = {
      {"", 10, Kind::kEmpty, 0},
      {"abc", 3, Kind::kOk, 3},
      {"abcd", 3, Kind::kTooBig, 4},
      {"\xF0\x9F\x98\x80\xC3\xA9", 3, Kind::kOk, 3},  // a surrogate pair counts twice
      {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80", 3, Kind::kTooBig, 4},
  };
  for (const auto& c : cases) {
    std::size_t characters = 99;
    EXPECT_EQ(CheckClipboardText(c.utf8, c.max, characters).kind, c.kind) << c.utf8;
    EXPECT_EQ(characters, c.characters) << c.utf8;
  }
}

}  // namespace
}  // namespace kwl
