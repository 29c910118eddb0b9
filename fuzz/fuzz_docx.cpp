// The DOCX reader on random bytes: the bytes are the package. The body part
// is taken out as the file source takes it (checksum questions are answered
// "scan anyway"), its text pieces are extracted and read as lines, and the
// temporary folder is removed. Whatever the package holds, the reader
// either fails with a run error or delivers pieces whose lengths add up to
// the size it reports, and no file or folder is left behind.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "docx.h"
#include "sources/docx_text.h"
#include "files/run_error.h"

namespace {

struct Paths {
  std::string package;
  std::string tmp;  // the reader's temporary folders go here ($TMPDIR)
};

const Paths& Files() {
  static const Paths paths = [] {
    Paths p;
    const std::string& scratch = kwl::fuzz::ScratchFolder();
    p.package = scratch + "/input.docx";
    p.tmp = scratch + "/tmp";
    std::filesystem::create_directory(p.tmp);
    ::setenv("TMPDIR", p.tmp.c_str(), 1);
    return p;
  }();
  return paths;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Paths& files = Files();
  kwl::fuzz::WriteFile(files.package, std::string_view(reinterpret_cast<const char*>(data), size));

  kwl::fuzz::FuzzSession fs;
  kwl::Session& s = fs.session;
  // Small limits keep a run fast and still reach the refusal, the question
  // for a large part and the echo of the pieces of a large part.
  constexpr kwl::DocxSizeLimits kLimits{1050000, 1100000};
  try {
    const std::int64_t size = kwl::ExtractXMLFileFromDocXFile(s, files.package, "KWL", kLimits);
    KWL_FUZZ_CHECK(size >= 0 || size == -4 || size == -5);  // -5: the stub declines a large part
    if (size >= 0) {
      KWL_FUZZ_CHECK(size <= kLimits.max);
      std::string text;
      std::int64_t pieceSize = size;
      KWL_FUZZ_CHECK(kwl::GetLineFromXMLFile(s, true, text, pieceSize, true, true).empty());
      std::int64_t total = 0;
      for (const std::string& piece : s.docxPieces) total += static_cast<std::int64_t>(piece.size());
      KWL_FUZZ_CHECK(total == pieceSize);
      kwl::DocxTextSource source(s.docxPieces);
      std::string line;
      while (source.Next(line)) KWL_FUZZ_CHECK(line.size() > 1 && line[0] == ' ');
      KWL_FUZZ_CHECK(source.status().Ok() && source.Done() == source.Total());
    }
  } catch (const kwl::RunError& e) {
    KWL_FUZZ_CHECK(e.Number() == 53 || e.Number() == 321);
  }
  KWL_FUZZ_CHECK(kwl::DeleteTempFolder(s));
  KWL_FUZZ_CHECK(kwl::fuzz::FolderIsEmpty(files.tmp));
  return 0;
}
