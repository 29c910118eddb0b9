#include "support/test_files.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "count_run.h"
#include "text/cp1252.h"

namespace kwl::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kwltest.XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Make everything writable first so that permission tests clean up too.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string TempDir::File(std::string_view name) const { return path_ + "/" + std::string(name); }

std::string TempDir::Write(std::string_view name, std::string_view bytes) const {
  const std::string p = File(name);
  WriteAll(p, bytes);
  return p;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteAll(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteDocx(const std::string& path, const std::string& body) {
  const std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
      "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>" +
      body + "</w:body></w:document>";
  int error = 0;
  zip_t* za = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(za, nullptr) << "zip_open " << error;
  zip_source_t* source = zip_source_buffer(za, xml.data(), xml.size(), 0);
  ASSERT_NE(source, nullptr);
  ASSERT_GE(zip_file_add(za, "word/document.xml", source, ZIP_FL_ENC_UTF_8), 0) << zip_strerror(za);
  ASSERT_EQ(zip_close(za), 0);
}

std::string TestData(std::string_view name) { return std::string(KWL_TEST_DATA_DIR) + "/" + std::string(name); }

std::string CorpusFile(std::string_view relative) {
  const std::string p = std::string(KWL_SOURCE_DIR) + "/../shared/corpus/" + std::string(relative);
  return std::filesystem::exists(p) ? p : std::string();
}

std::string DataFolder() { return KWL_BIN_DIR; }

Settings WithoutFilters() {
  Settings s;
  s.ignoreShortWords = 0;
  s.ignoreInfrequentWords = 0;
  s.ignoreRepetitions = 0;
  s.ignoreNoLetter = 0;
  s.ignoreRomanBelow40 = 0;
  return s;
}

namespace {

void CountWordsAs(Session& s, const std::vector<std::pair<std::string, int>>& words, bool unicode) {
  s.aWords.Reset();
  s.aWords.SetUnicode(unicode);
  s.run.lngTotalNumOccurrences = 0;
  for (const auto& [word, count] : words) {
    for (int k = 0; k < count; ++k) s.aWords.Add(unicode ? word : cp1252::FromUtf8(word));
    s.run.lngTotalNumOccurrences += count;
  }
  s.run.intThresholdFrequency = s.params.ThresholdFrequency();
  FinishCount(s);
}

}  // namespace

void CountWords(Session& s, const std::vector<std::pair<std::string, int>>& words) {
  CountWordsAs(s, words, false);
}

void CountUnicodeWords(Session& s, const std::vector<std::pair<std::string, int>>& words) {
  CountWordsAs(s, words, true);
}

TestSession::TestSession() {
  // Keep the state file of the tests away from the user's own settings.
  static const TempDir configHome;
  ::setenv("XDG_CONFIG_HOME", configHome.Path().c_str(), 1);
  session.programFolder = DataFolder();
  const int status = session.catalogue.Load(session.programFolder + "/kwl.dat");
  EXPECT_GT(status, 0) << "catalogue not loaded from " << session.programFolder;
  session.pump.SetThrottled(false);
  InitializeVariables(session);
  session.main.cmdListWords.SetCaption(session.Text(73));
  session.run.blnStartUpCompleted = true;
}

}  // namespace kwl::test
