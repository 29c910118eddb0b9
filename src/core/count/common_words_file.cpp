#include "count/common_words_file.h"

#include <utility>

#include "count/rules_from_settings.h"
#include "files/paths.h"
#include "files/regular_file.h"
#include "sources/line_reader.h"
#include "text/cp1252.h"
#include "text/normalise.h"
#include "text/unicode_text.h"
#include "text/utf8_repair.h"

namespace kwl {
namespace {

// The language declaration is looked for near the top of a file; a file
// without line ends must not be read whole for it.
constexpr std::size_t kLanguageSampleBytes = 1 << 20;

// The first ten non-empty lines of the sample, joined by CR LF; a line ends
// at CR LF, CR or LF.
std::string FirstNonEmptyLines(std::string_view sample) {
  std::string text;
  int found = 0;
  std::size_t pos = 0;
  while (found < 10 && pos < sample.size()) {
    std::size_t end = sample.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = sample.size();
    const std::string_view line = sample.substr(pos, end - pos);
    pos = end;
    if (pos < sample.size()) pos += sample.compare(pos, 2, "\r\n") == 0 ? 2 : 1;
    if (line.empty()) continue;
    if (found > 0) text += "\r\n";
    text += line;
    ++found;
  }
  return text;
}

}  // namespace

std::string DetectLanguageCode(const std::string& path, std::string_view allowedCodes, std::string_view defaultCode) {
  Status status;
  File file = File::Open(path, status);
  if (!file.IsOpen()) return std::string(defaultCode);
  std::string sample(kLanguageSampleBytes, '\0');
  const std::int64_t n = file.ReadFully(sample.data(), sample.size(), status);
  if (n < 0 || !status.Ok()) return std::string(defaultCode);
  sample.resize(static_cast<std::size_t>(n));
  std::string text = FirstNonEmptyLines(sample);
  scan::FoldCaseInPlace(text);
  const std::string allowed = scan::FoldCase(allowedCodes);

  // The value of a quoted attribute is taken when its closing quote follows
  // the two letters; lang= alone takes the two characters after the opening
  // quote, so "de-DE" gives "de".
  std::string code;
  bool decided = false;
  auto quotedPair = [&](std::string_view pattern) {
    const auto p = text.find(pattern);
    if (p == std::string::npos) return;
    const std::size_t start = p + pattern.size();
    if (start + 2 < text.size() && text[start + 2] == '"') {
      code = text.substr(start, 2);
      decided = true;
    }
  };
  quotedPair("lang=\"");
  if (!decided) {
    const auto p = text.find("lang=");
    if (p != std::string::npos) {
      const std::size_t start = p + 5 + 1;
      code = start < text.size() ? text.substr(start, 2) : std::string();
      decided = true;
    }
  }
  if (!decided) quotedPair("content=\"");
  if (code.size() < 2) return std::string(defaultCode);
  if (!allowed.empty() && allowed.find(code) == std::string::npos) return std::string(defaultCode);
  return code;
}

int UnicodeCommonWordsListOf(std::string_view code) {
  static constexpr std::array<std::pair<std::string_view, int>, 16> kCodes = {{
      {"en", 0}, {"de", 1}, {"es", 2}, {"pt", 3}, {"it", 4}, {"fr", 5}, {"ru", 8}, {"nl", 9},
      {"sv", 10}, {"da", 11}, {"no", 12}, {"nb", 12}, {"nn", 12}, {"fi", 13}, {"hu", 14}, {"tr", 15}}};
  for (const auto& [c, k] : kCodes)
    if (c == code) return k;
  return -1;
}

std::string CommonWordsFileForLanguage(const std::string& programFolder, const std::string& inputPath, bool unicode) {
  if (unicode) {
    // Any declared code is looked up whole; one without a list is English.
    const int k = UnicodeCommonWordsListOf(DetectLanguageCode(inputPath, "", "en"));
    return JoinPath(programFolder, CommonWordsFileName(k < 0 ? 0 : static_cast<std::size_t>(k)));
  }
  const std::string code = DetectLanguageCode(inputPath, kCommonWordsLanguageCodes, "en");
  const auto pos = kCommonWordsLanguageCodes.find(code);
  return JoinPath(programFolder, kCommonWordsFileNames[pos == std::string_view::npos ? 0 : pos / 3]);
}

Status LocateCommonWordsFile(const std::string& path) {
  if (const std::string_view kind = SpecialFileKindAt(path); !kind.empty())
    return Status::Failure(Status::Kind::kNotRegular, 0, path, std::string(kind));
  if (!FileExists(path)) return Status::Failure(Status::Kind::kNotFound, 0, path);
  return {};
}

CommonWordsFileRead ReadCommonWordsFile(const std::string& path, bool utf8, CountObserver& observer, bool unicode) {
  CommonWordsFileRead read;
  File file = File::Open(path, read.status);
  if (!file.IsOpen()) return read;
  LineReader reader(std::move(file));
  Counter counter;
  CountRules rules = CommonWordsReadingRules();
  rules.unicode = unicode;
  counter.Start(rules);
  std::string line;
  while (reader.Next(line)) {
    std::string text = TrimBlanks(line);
    if (!text.empty()) {
      if (!unicode) {
        if (utf8) DecodeUtf8InPlace(text);
        scan::FoldCaseInPlace(text);
      } else if (utf8) {
        unicode::MakeValidUtf8(text);
      } else {
        text = cp1252::ToUtf8(text);
      }
      text += ' ';
      counter.ScanLine(text, observer);
    }
    observer.Step();
    if (observer.StopRequested()) {
      read.status = Status::Failure(Status::Kind::kStopped, 0, path);
      return read;
    }
  }
  if (!reader.status().Ok()) {
    read.status = reader.status();
    return read;
  }
  WordTable& table = counter.Words();
  table.OrderByWord();
  read.words.reserve(static_cast<std::size_t>(table.NumWords()));
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) read.words.emplace_back(table[i].strWord);
  if (read.words.empty()) read.status = Status::Failure(Status::Kind::kEmpty, 0, path);
  return read;
}

}  // namespace kwl
