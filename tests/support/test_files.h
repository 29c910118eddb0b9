#pragma once
// Files for tests: a temporary folder removed at the end of the test, the
// project's small test data, the shared corpus (tests skip when it is absent),
// and a ready session over the scripted desktop.
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "session.h"
#include "settings/settings.h"
#include "support/fake_platform.h"

namespace kwl::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  // Writes bytes to a file in the folder and returns its full path.
  std::string Write(std::string_view name, std::string_view bytes) const;
  std::string File(std::string_view name) const;

 private:
  std::string path_;
};

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, std::string_view bytes);

// A minimal DOCX package at path whose word/document.xml holds the given
// body (paragraphs, runs) inside the document's root elements.
void WriteDocx(const std::string& path, const std::string& body);

// A file of the project's tests/data folder.
std::string TestData(std::string_view name);
// A file of the shared corpus, or "" when the corpus is not there.
std::string CorpusFile(std::string_view relative);
// The folder with kwl.dat and the common-words files as the build lays them out.
std::string DataFolder();

// The default settings with none of the filters that drop words (short,
// infrequent, repeated, letterless, Roman numerals): every word found counts.
Settings WithoutFilters();

// Counts the words (UTF-8 here) as a finished scan would have, each the given
// number of times, and runs the rest of the count: sort, filters, totals,
// frequency order, statistics and listing.
void CountWords(Session& s, const std::vector<std::pair<std::string, int>>& words);
// The same for a Unicode table: the words are counted as they are, UTF-8.
void CountUnicodeWords(Session& s, const std::vector<std::pair<std::string, int>>& words);

// A session over a FakePlatform after start-up: catalogue loaded, variables
// initialised, the event pump unthrottled (every yield reaches the fake).
struct TestSession {
  TestSession();
  FakePlatform platform;
  Session session{platform};
};

}  // namespace kwl::test

// Skips the current test when the shared corpus file is absent.
#define KWL_REQUIRE_CORPUS(var, relative)                                   \
  const std::string var = ::kwl::test::CorpusFile(relative);               \
  if (var.empty()) GTEST_SKIP() << "corpus file " << relative << " absent"
