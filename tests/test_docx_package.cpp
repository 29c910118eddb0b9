// DOCX packages: the temporary folder, the extraction of the body part with
// its limits, broken and hostile packages, and the shared corpus.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "docx.h"
#include "sources/zip_entry.h"
#include "session.h"
#include "files/run_error.h"
#include "support/test_files.h"

namespace kwl {
namespace {

namespace fs = std::filesystem;

struct Entry {
  std::string name;
  std::string data;
  bool stored = false;  // no compression, so a test can find and change the bytes
};

void WritePackage(const std::string& path, const std::vector<Entry>& entries) {
  int error = 0;
  zip_t* za = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(za, nullptr) << "zip_open " << error;
  for (const Entry& e : entries) {
    zip_source_t* source = zip_source_buffer(za, e.data.data(), e.data.size(), 0);
    ASSERT_NE(source, nullptr);
    const zip_int64_t index = zip_file_add(za, e.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    ASSERT_GE(index, 0) << zip_strerror(za);
    if (e.stored) zip_set_file_compression(za, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  ASSERT_EQ(zip_close(za), 0);
}

std::string DocumentXml(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
         "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>" +
         body + "</w:body></w:document>";
}

// A body part of exactly n bytes (blanks fill it up).
std::string DocumentOfSize(std::size_t n) {
  std::string xml = DocumentXml("<w:p><w:r><w:t>Sized text.</w:t></w:r></w:p>");
  xml.insert(xml.size() - std::string("</w:document>").size(), n - xml.size(), ' ');
  return xml;
}

void Patch32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Sets the uncompressed size of every entry, in the local headers and the
// central directory, to a lie.
void ClaimUncompressedSize(std::string& zip, std::uint32_t size) {
  for (std::size_t p = 0; (p = zip.find("PK\x03\x04", p)) != std::string::npos; p += 4) Patch32(zip, p + 22, size);
  for (std::size_t p = 0; (p = zip.find("PK\x01\x02", p)) != std::string::npos; p += 4) Patch32(zip, p + 24, size);
}

// The last component of a folder path ending with "/".
std::string FileNamePartOf(const std::string& folder) { return fs::path(folder).parent_path().filename().string(); }

// Every test runs with its own system temporary folder, so that it can see
// what the DOCX reader leaves there.
class DocxPackage : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TMPDIR");
    if (old) savedTmp_ = old;
    tmp_ = dir_.File("tmp");
    fs::create_directory(tmp_);
    ::setenv("TMPDIR", tmp_.c_str(), 1);
  }
  void TearDown() override {
    if (savedTmp_) {
      ::setenv("TMPDIR", savedTmp_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }

  Session& S() { return ts_.session; }
  test::FakePlatform& P() { return ts_.platform; }

  std::string Package(const std::string& name, const std::vector<Entry>& entries) {
    const std::string path = dir_.File(name);
    WritePackage(path, entries);
    return path;
  }
  std::string Docx(const std::string& name, const std::string& xml) {
    return Package(name, {{"[Content_Types].xml", "<Types/>"}, {"word/document.xml", xml}});
  }

  // What the temporary folder holds.
  std::vector<std::string> TmpEntries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(tmp_)) names.push_back(e.path().filename().string());
    return names;
  }

  // Extracts, reads and removes, as the file source does.
  std::vector<std::string> Pieces(const std::string& docx) {
    const std::int64_t size = ExtractXMLFileFromDocXFile(S(), docx, "KWL");
    EXPECT_GT(size, 0);
    std::string text;
    std::int64_t pieceSize = size;
    EXPECT_EQ(GetLineFromXMLFile(S(), true, text, pieceSize, true, true), "");
    EXPECT_TRUE(DeleteTempFolder(S()));
    return S().docxPieces;
  }

  test::TempDir dir_;
  std::string tmp_;
  std::optional<std::string> savedTmp_;
  test::TestSession ts_;
};

TEST_F(DocxPackage, BodyPartIsExtractedIntoANewPrivateFolder) {
  const std::string xml = DocumentXml("<w:p><w:r><w:t>Hello</w:t></w:r></w:p><w:p><w:r><w:t>world.</w:t></w:r></w:p>");
  const std::string docx = Docx("a.docx", xml);
  EXPECT_EQ(ExtractXMLFileFromDocXFile(S(), docx, "KWL"), static_cast<std::int64_t>(xml.size()));
  // tmp/kestrawl-XXXXXX/KWL001/, a private folder around the numbered one.
  const std::string folder = S().run.strDocxTempFolder;
  const std::vector<std::string> entries = TmpEntries();
  ASSERT_EQ(entries.size(), 1U);
  EXPECT_EQ(entries[0].substr(0, 9), "kestrawl-");
  EXPECT_EQ(folder, tmp_ + "/" + entries[0] + "/KWL001/");
  EXPECT_EQ(S().run.strDocxXMLFilepath, folder + "word/document.xml");
  EXPECT_EQ(test::ReadAll(S().run.strDocxXMLFilepath), xml);
  for (const std::string& made : {tmp_ + "/" + entries[0], folder}) {
    struct stat st {};
    ASSERT_EQ(::stat(made.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700U) << made;
  }

  std::string text;
  std::int64_t size = static_cast<std::int64_t>(xml.size());
  EXPECT_EQ(GetLineFromXMLFile(S(), true, text, size, true, true), "");
  EXPECT_EQ(S().docxPieces, (std::vector<std::string>{"Hello ", "world."}));
  EXPECT_EQ(size, 12);
  EXPECT_EQ(text, "") << "the XML text is let go";
  EXPECT_FALSE(fs::exists(folder + "word")) << "the XML and its folder go once read";
  EXPECT_TRUE(fs::exists(folder)) << "the folder is kept for the text file";
  EXPECT_TRUE(P().boxes.empty());

  EXPECT_TRUE(DeleteTempFolder(S()));
  EXPECT_TRUE(TmpEntries().empty());
  EXPECT_EQ(S().run.strDocxTempFolder, "");
  EXPECT_TRUE(DeleteTempFolder(S())) << "nothing left to remove";
}

TEST_F(DocxPackage, PiecesCanBeJoinedInsteadOfKept) {
  const std::string docx = Docx("a.docx", DocumentXml("<w:t>one</w:t></w:p><w:t>two</w:t>"));
  const std::int64_t size = ExtractXMLFileFromDocXFile(S(), docx, "KWL");
  std::string text;
  std::int64_t pieceSize = size;
  EXPECT_EQ(GetLineFromXMLFile(S(), false, text, pieceSize, false, false), "");
  EXPECT_EQ(text, "one two");
  EXPECT_EQ(S().docxPieces, std::vector<std::string>{""});
  EXPECT_TRUE(TmpEntries().empty()) << "the folder goes too when it is not kept";
}

TEST_F(DocxPackage, NamesTakenInTheSharedFolderChangeNothing) {
  fs::create_directory(tmp_ + "/KWL001");
  test::WriteAll(tmp_ + "/KWL002", "a file");
  fs::create_symlink(tmp_ + "/elsewhere", tmp_ + "/KWL003");
  S().run.strDocxTempFolder = CreateTempFolder("KWL");
  const std::string second = CreateTempFolder("KWL");
  EXPECT_EQ(FileNamePartOf(S().run.strDocxTempFolder), "KWL001");
  EXPECT_EQ(FileNamePartOf(second), "KWL001");
  EXPECT_NE(S().run.strDocxTempFolder, second) << "each in a private folder of its own";
  EXPECT_FALSE(fs::exists(tmp_ + "/elsewhere")) << "a dangling link is not followed";
  EXPECT_EQ(test::ReadAll(tmp_ + "/KWL002"), "a file");
  EXPECT_TRUE(DeleteTempFolder(S()));
  S().run.strDocxTempFolder = second;
  EXPECT_TRUE(DeleteTempFolder(S()));
  EXPECT_EQ(TmpEntries().size(), 3U) << "only the names of others are left";
}

TEST_F(DocxPackage, NoTemporaryFolderGivesMinusOne) {
  const std::string docx = Docx("a.docx", DocumentXml("<w:t>x</w:t>"));
  ::setenv("TMPDIR", dir_.File("no such folder").c_str(), 1);
  EXPECT_EQ(CreateTempFolder("KWL"), "");
  EXPECT_EQ(ExtractXMLFileFromDocXFile(S(), docx, "KWL"), -1);
  EXPECT_EQ(S().run.strDocxTempFolder, "");
}

TEST_F(DocxPackage, SizeLimitsAskAndRefuseAtTheirBoundaries) {
  constexpr std::int64_t kWarn = 10485760;
  constexpr std::int64_t kMax = 20971520;
  struct Case {
    std::int64_t size;
    std::optional<Answer> answer;  // to the "Big file" question
    std::int64_t result;
    std::size_t boxes;
  };
  const Case cases[] = {
      {kWarn, std::nullopt, kWarn, 0},
      {kWarn + 1, Answer::No, -5, 2},
      {kWarn + 1, Answer::Yes, kWarn + 1, 1},
      {kMax, Answer::Yes, kMax, 1},
      {kMax + 1, std::nullopt, -4, 0},
  };
  for (const auto& c : cases) {
    test::TestSession ts;
    const std::string docx = Docx("big.docx", DocumentOfSize(static_cast<std::size_t>(c.size)));
    if (c.answer) ts.platform.answers.push_back(*c.answer);
    EXPECT_EQ(ExtractXMLFileFromDocXFile(ts.session, docx, "KWL"), c.result) << c.size;
    ASSERT_EQ(ts.platform.boxes.size(), c.boxes) << c.size;
    if (c.boxes > 0) {
      const MessageBox& ask = ts.platform.boxes[0];
      EXPECT_EQ(ask.title, "Big file");
      EXPECT_EQ(ask.text, docx + "\r\nis rather large.  It may take awhile to scan.\r\nDo you wish to continue?");
      EXPECT_EQ(ask.buttons, Buttons::YesNo);
      EXPECT_EQ(ask.defaultButton, Answer::No);
    }
    if (c.boxes > 1) {
      EXPECT_EQ(ts.platform.boxes[1].text, "You could try saving it as a text file\r\nand applying this program to that file.");
      EXPECT_EQ(ts.platform.boxes[1].title, "Big file");
    }
    if (c.result < 0) {
      EXPECT_TRUE(TmpEntries().empty()) << c.size;
    } else {
      EXPECT_TRUE(DeleteTempFolder(ts.session));
    }
  }
}

TEST_F(DocxPackage, GivenSizeLimitsTakeThePlaceOfTheFixedOnes) {
  constexpr DocxSizeLimits kLimits{1000, 2000};
  struct Case {
    std::int64_t size;
    std::optional<Answer> answer;
    std::int64_t result;
  };
  const Case cases[] = {
      {1000, std::nullopt, 1000},
      {1001, Answer::No, -5},
      {2000, Answer::Yes, 2000},
      {2001, std::nullopt, -4},
  };
  for (const auto& c : cases) {
    test::TestSession ts;
    const std::string docx = Docx("small.docx", DocumentOfSize(static_cast<std::size_t>(c.size)));
    if (c.answer) ts.platform.answers.push_back(*c.answer);
    EXPECT_EQ(ExtractXMLFileFromDocXFile(ts.session, docx, "KWL", kLimits), c.result) << c.size;
    EXPECT_EQ(ts.platform.answers.size(), 0u) << c.size << ": the question was asked if answered";
    if (c.result >= 0) {
      EXPECT_TRUE(DeleteTempFolder(ts.session));
    }
  }
}

TEST_F(DocxPackage, ZipBombsStopAtTheLimitWhateverTheDirectoryClaims) {
  const std::string big = DocumentOfSize(24 * 1024 * 1024);
  // An honest directory: refused before a byte is written.
  EXPECT_EQ(ExtractXMLFileFromDocXFile(S(), Docx("honest.docx", big), "KWL"), -4);
  EXPECT_TRUE(TmpEntries().empty());

  // A directory that claims a few bytes: the writing stops at the limit.
  const std::string path = Docx("bomb.docx", big);
  std::string bytes = test::ReadAll(path);
  ClaimUncompressedSize(bytes, 1000);
  test::WriteAll(path, bytes);
  const zipentry::ExtractResult r = zipentry::ExtractEntry(path, "word/document.xml", tmp_ + "/", 20971520);
  EXPECT_EQ(r.status, zipentry::kTooBig) << r.description;
  EXPECT_FALSE(fs::exists(tmp_ + "/word")) << "nothing is left of the partial file";
  EXPECT_EQ(ExtractXMLFileFromDocXFile(S(), path, "KWL"), -4);
  EXPECT_TRUE(TmpEntries().empty());
}

TEST_F(DocxPackage, BrokenPackagesAreReportedAndLeaveNothingBehind) {
  const std::string good = Docx("good.docx", DocumentXml("<w:t>" + std::string(5000, 'x') + "</w:t>"));
  const std::string bytes = test::ReadAll(good);
  struct Case {
    const char* what;
    std::string path;
    int number;
    const char* piece;
  };
  const Case cases[] = {
      {"no body part", Package("nobody.docx", {{"word/other.xml", "<x/>"}}), 53, "word/document.xml is missing"},
      {"truncated", dir_.Write("truncated.docx", bytes.substr(0, bytes.size() / 2)), 321, "cannot be read as a 'docx'"},
      {"not a zip file", dir_.Write("text.docx", "PK\x03\x04 but nothing else of a package"), 321,
       "cannot be read as a 'docx'"},
      {"a body part only outside the package's root",
       Package("outside.docx", {{"../word/document.xml", DocumentXml("<w:t>x</w:t>")}}), 53, "is missing"},
  };
  for (const auto& c : cases) {
    try {
      ExtractXMLFileFromDocXFile(S(), c.path, "KWL");
      ADD_FAILURE() << c.what << ": no error";
    } catch (const RunError& e) {
      EXPECT_EQ(e.Number(), c.number) << c.what;
      EXPECT_NE(e.Description().find(c.path), std::string::npos) << c.what << ": " << e.Description();
      EXPECT_NE(e.Description().find(c.piece), std::string::npos) << c.what << ": " << e.Description();
    }
    EXPECT_TRUE(TmpEntries().empty()) << c.what;
    EXPECT_EQ(S().run.strDocxTempFolder, "") << c.what;
  }
}

TEST_F(DocxPackage, ChecksumFailureAsksWhetherToScanAnyway) {
  const std::string xml = DocumentXml("<w:t>Checked text</w:t>");
  const std::string path = Package("crc.docx", {{"word/document.xml", xml, true}});
  std::string bytes = test::ReadAll(path);
  const std::size_t at = bytes.find("Checked");
  ASSERT_NE(at, std::string::npos);
  bytes[at] = 'X';
  test::WriteAll(path, bytes);
  const std::string question =
      "Invalid checksum found when processing\r\n" + path + "\r\n\r\nDo you wish to scan this file anyway?";

  P().answers = {Answer::No};
  EXPECT_EQ(ExtractXMLFileFromDocXFile(S(), path, "KWL"), -2);
  EXPECT_EQ(P().LastBox().text, question);
  EXPECT_EQ(P().LastBox().buttons, Buttons::YesNo);
  EXPECT_TRUE(TmpEntries().empty());

  P().answers = {Answer::Yes};
  EXPECT_EQ(Pieces(path), std::vector<std::string>{"Xhecked text"});
  EXPECT_EQ(P().boxes.size(), 2U);
  EXPECT_TRUE(TmpEntries().empty());
}

TEST_F(DocxPackage, EntryNamesNeverLeadOutOfTheFolder) {
  const std::string path = Package("escape.docx", {{"../escaped.xml", "outside"},
                                                   {"word/../../escaped2.xml", "outside"},
                                                   {"/abs.xml", "outside"},
                                                   {"word/document.xml", DocumentXml("<w:t>inside</w:t>")}});
  EXPECT_EQ(Pieces(path), std::vector<std::string>{"inside"});
  EXPECT_TRUE(TmpEntries().empty());
  for (const auto& e : fs::recursive_directory_iterator(dir_.Path()))
    EXPECT_EQ(e.path().filename().string().find("escaped"), std::string::npos) << e.path();

  for (const char* name : {"../escaped.xml", "word/../../escaped2.xml", "/abs.xml", "word//x", "./x", ""}) {
    const zipentry::ExtractResult r = zipentry::ExtractEntry(path, name, tmp_ + "/", 1000);
    EXPECT_EQ(r.status, zipentry::kBadEntryName) << name;
  }
  EXPECT_TRUE(TmpEntries().empty());
}

TEST_F(DocxPackage, ExtractionNeverWritesThroughAnExistingFileOrLink) {
  const std::string path = Docx("a.docx", DocumentXml("<w:t>x</w:t>"));
  const std::string target = dir_.Write("victim.txt", "keep me");
  fs::create_directory(tmp_ + "/word");
  fs::create_symlink(target, tmp_ + "/word/document.xml");
  const zipentry::ExtractResult r = zipentry::ExtractEntry(path, "word/document.xml", tmp_ + "/", 1000);
  EXPECT_EQ(r.status, zipentry::kWriteFailed);
  EXPECT_EQ(test::ReadAll(target), "keep me");
  EXPECT_TRUE(fs::is_symlink(tmp_ + "/word/document.xml")) << "what was there before stays";
}

TEST_F(DocxPackage, DeleteFailuresAreReportedOnlyWhenAsked) {
  const std::string docx = Docx("a.docx", DocumentXml("<w:t>x</w:t>"));
  for (bool report : {false, true}) {
    test::TestSession ts;
    ASSERT_GT(ExtractXMLFileFromDocXFile(ts.session, docx, "KWL"), 0);
    const std::string folder = ts.session.run.strDocxTempFolder;
    test::WriteAll(folder + "word/extra.txt", "keeps the folder busy");
    DeleteXMLFile(ts.session, report, false);
    if (report) {
      ASSERT_EQ(ts.platform.boxes.size(), 2U);
      EXPECT_EQ(ts.platform.boxes[0].text, std::string(std::strerror(ENOTEMPTY)) +
                                               " when attempting to delete folder " + folder + "word");
      EXPECT_EQ(ts.platform.boxes[1].text,
                std::string(std::strerror(ENOTEMPTY)) + " when attempting to delete folder " + folder);
      EXPECT_EQ(ts.platform.boxes[1].title, "Error");
    } else {
      EXPECT_TRUE(ts.platform.boxes.empty());
    }
    EXPECT_FALSE(fs::exists(folder + "word/document.xml"));
    EXPECT_EQ(ts.session.run.strDocxTempFolder, folder) << "a folder still there is still known";
    EXPECT_TRUE(DeleteTempFolder(ts.session));
    EXPECT_TRUE(TmpEntries().empty());
  }
}

TEST_F(DocxPackage, AMissingXmlFileIsReturnedAsAFailureText) {
  const std::string docx = Docx("a.docx", DocumentXml("<w:t>x</w:t>"));
  ASSERT_GT(ExtractXMLFileFromDocXFile(S(), docx, "KWL"), 0);
  fs::remove(S().run.strDocxXMLFilepath);
  std::string text;
  std::int64_t size = 0;
  EXPECT_EQ(GetLineFromXMLFile(S(), true, text, size, true, true), std::strerror(ENOENT));
  EXPECT_TRUE(DeleteTempFolder(S()));
  EXPECT_TRUE(TmpEntries().empty());
}

TEST_F(DocxPackage, EveryCorpusDocumentIsExtracted) {
  KWL_REQUIRE_CORPUS(folder, "docx");
  struct Known {
    const char* file;
    const char* text;
  };
  const Known known[] = {
      {"mammoth_tables.docx", "Top left"},
      {"mammoth_utf8-bom.docx", "This XML has a byte order mark."},
      {"de_poi_stress008.docx", "\xFC"},  // ü, decoded to Windows-1252
      {"es_poi_stress018.docx", "\xF3"},  // ó
      {"pt_poi_Bug51170.docx", "\xE7"},   // ç
      {"docx4j_decracdiscrim1.docx", "discrimination"},
      // A manual about the format: markup quoted in its text comes out as text.
      {"docx4j_Docx4j_GettingStarted.docx", "<w:document xmlns:w="},
  };
  int documents = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".docx") continue;
    ++documents;
    test::TestSession ts;
    ts.platform.answers.push_back(Answer::Yes);  // the largest one asks first
    const std::string path = entry.path().string();
    const std::int64_t size = ExtractXMLFileFromDocXFile(ts.session, path, "KWL");
    ASSERT_GT(size, 0) << path;
    std::string text;
    std::int64_t pieceSize = size;
    EXPECT_EQ(GetLineFromXMLFile(ts.session, true, text, pieceSize, true, true), "") << path;
    std::string all;
    for (const std::string& piece : ts.session.docxPieces) all += piece;
    EXPECT_GT(all.size(), 20U) << path;
    EXPECT_EQ(pieceSize, static_cast<std::int64_t>(all.size())) << path;
    for (const auto& k : known)
      if (entry.path().filename() == k.file) {
        EXPECT_NE(all.find(k.text), std::string::npos) << k.file;
      }
    EXPECT_TRUE(DeleteTempFolder(ts.session)) << path;
    EXPECT_TRUE(TmpEntries().empty()) << path;
  }
  EXPECT_GE(documents, 9);
}

TEST_F(DocxPackage, ACountedLargeDocumentEchoesItsPiecesWhileExtracting) {
  std::string body;
  for (int i = 0; i < 25000; ++i) body += "<w:p><w:r><w:t>piece" + std::to_string(100000 + i) + " alpha</w:t></w:r></w:p>";
  const std::string xml = DocumentXml(body);
  ASSERT_GT(xml.size(), 1024000U);
  Session& s = S();
  s.main.txbFile[0].SetText(Docx("large.docx", xml));
  s.main.txbFile[1].SetText(dir_.File("list.txt"));
  bool echoed = false;
  P().onProcessEvents = [&] { echoed = echoed || s.main.txbOutput.Text().find("alpha\r\n") != std::string::npos; };
  s.main.cmdListWords.Click();
  EXPECT_TRUE(echoed) << "every 20th piece is shown while a large document is read";
  EXPECT_TRUE(TmpEntries().empty());
}

}  // namespace
}  // namespace kwl
