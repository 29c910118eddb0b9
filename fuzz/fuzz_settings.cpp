// The settings-file reader on random bytes.
//  - Read from memory and from a file, the bytes give the same record, the
//    same number of lines and the same failure.
//  - A record read (wholly or in part: the lines after a failure keep their
//    defaults) composes to a file that reads back whole, as the same record.
//    A text value with a double quote inside is the exception: texts are
//    written between quotes with nothing escaped, so such a text cannot
//    survive (the rest of its line is skipped, or read as the next values
//    when it holds a comma). Each round of compose and read drops a part of
//    such a text, so the record reaches one without it within a few rounds.
//  - The window shows the record as it is, the words to ignore normalised;
//    shown again in another window, nothing changes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "params_logic.h"
#include "settings/settings_file.h"

namespace {

bool HasQuoteInsideText(const kwl::Settings& settings) {
  for (const kwl::SettingLine& line : kwl::kSettingsFile)
    if (line.text != nullptr && (settings.*line.text).find('"') != std::string::npos) return true;
  return false;
}

bool SameRead(const kwl::SettingsRead& a, const kwl::SettingsRead& b) {
  return a.settings == b.settings && a.lines == b.lines && a.status.kind == b.status.kind &&
         a.status.err == b.status.err && a.status.detail == b.status.detail;
}

// The record as a window shows it after applying it, as a load does.
kwl::Settings Shown(const kwl::Settings& settings) {
  kwl::fuzz::FuzzSession fs;
  fs.session.params.selfChange = true;
  kwl::ApplySettings(fs.session, settings);
  fs.session.params.selfChange = false;
  return kwl::CurrentSettings(fs.session);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kwl::SettingsRead read = kwl::ParseSettings(bytes);
  const std::string path = kwl::fuzz::ScratchFolder() + "/input.kwl";
  kwl::fuzz::WriteFile(path, bytes);
  kwl::SettingsRead fromFile = kwl::ReadSettingsFile(path);
  fromFile.status.path.clear();
  KWL_FUZZ_CHECK(SameRead(read, fromFile));
  KWL_FUZZ_CHECK(read.status.Ok() == (read.lines == kwl::kSettingsFileLines));

  kwl::Settings settings = read.settings;
  constexpr int kMaxRounds = 64;
  int round = 0;
  for (; round < kMaxRounds && HasQuoteInsideText(settings); ++round)
    settings = kwl::ParseSettings(kwl::ComposeSettingsFile(settings)).settings;
  KWL_FUZZ_CHECK(round < kMaxRounds);
  const kwl::SettingsRead again = kwl::ParseSettings(kwl::ComposeSettingsFile(settings));
  KWL_FUZZ_CHECK(again.status.Ok());
  KWL_FUZZ_CHECK(again.settings == settings);

  const kwl::Settings shown = Shown(settings);
  kwl::Settings expected = settings;
  expected.wordsToIgnore = shown.wordsToIgnore;
  KWL_FUZZ_CHECK(shown == expected);
  KWL_FUZZ_CHECK(Shown(shown) == shown);
  return 0;
}
