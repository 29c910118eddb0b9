// The message catalogue reader on random bytes: the bytes are kwl.dat. A
// load either fails with a status that has a message and leaves the texts
// loaded before untouched, or loads all 427 texts, none longer than the
// limit.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "catalogue.h"
#include "text/cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = kwl::fuzz::ScratchFolder() + "/kwl.dat";
  kwl::fuzz::WriteFile(path, std::string_view(reinterpret_cast<const char*>(data), size));

  const kwl::Catalogue& before = kwl::fuzz::ProgramCatalogue();
  kwl::Catalogue catalogue = before;
  const int status = catalogue.Load(path);
  if (status <= 0) {
    KWL_FUZZ_CHECK(!kwl::Catalogue::FailureMessage(status, path).empty());
    for (int n = 1; n <= kwl::Catalogue::kCount; ++n) KWL_FUZZ_CHECK(catalogue.Text(n) == before.Text(n));
    return 0;
  }
  KWL_FUZZ_CHECK(status == kwl::Catalogue::kCount);
  KWL_FUZZ_CHECK(catalogue.Text(0).empty() && catalogue.Text(kwl::Catalogue::kCount + 1).empty());
  for (int n = 1; n <= kwl::Catalogue::kCount; ++n) {
    const std::string& text = catalogue.Text(n);
    KWL_FUZZ_CHECK(kwl::cp1252::Utf8Length(text) <= kwl::Catalogue::kMaxTextLength);
    KWL_FUZZ_CHECK(text != "~" && text.find('\n') == std::string::npos);
  }
  return 0;
}
