#include "catalogue.h"

#include <bitset>
#include <cerrno>
#include <utility>

#include "text/cp1252.h"
#include "text/number_text.h"
#include "files/byte_reader.h"
#include "files/regular_file.h"

namespace kwl {
namespace {

// The status of a file that could not be opened: -11 a folder, -12 a named
// pipe, -13 a device, -14 another special file, -1 any other failure.
int OpenFailureStatus(const Status& status) {
  if (status.kind != Status::Kind::kNotRegular) return -1;
  if (status.err == EISDIR) return -11;
  if (status.detail == SpecialFileKind(S_IFIFO)) return -12;
  if (status.detail == SpecialFileKind(S_IFCHR)) return -13;
  return -14;
}

// The next line up to "\n" (not kept); false at the end of the file with
// nothing read.
bool NextLine(ByteReader& in, std::string& line) {
  line.clear();
  int c = 0;
  while ((c = in.Get()) != ByteReader::kEnd) {
    if (c == '\n') return true;
    line.push_back(static_cast<char>(c));
  }
  return !line.empty();
}

}  // namespace

int Catalogue::Load(const std::string& path) {
  Status opened;
  File file = File::Open(path, opened);
  if (!opened.Ok()) return OpenFailureStatus(opened);
  ByteReader in(std::move(file));
  std::array<std::string, kCount + 1> texts{};
  std::bitset<kCount + 1> seen;
  std::string line;
  long lineNo = 0;
  bool anyByte = false;
  int loaded = 0;
  while (NextLine(in, line)) {
    anyByte = true;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const auto tab = line.find('\t');
    if (tab == std::string::npos || tab == 0 || tab + 1 >= line.size()) return static_cast<int>(-500 - lineNo);
    int n = 0;
    for (std::size_t i = 0; i < tab; ++i) {
      if (line[i] < '0' || line[i] > '9') return static_cast<int>(-500 - lineNo);
      n = n * 10 + (line[i] - '0');
      if (n > kCount) return -3;
    }
    if (n < 1) return -3;
    if (seen[static_cast<std::size_t>(n)]) return static_cast<int>(-1500 - lineNo);
    std::string text = line.substr(tab + 1);
    if (cp1252::Utf8Length(text) > kMaxTextLength) return static_cast<int>(-1000 - lineNo);
    seen[static_cast<std::size_t>(n)] = true;
    texts[static_cast<std::size_t>(n)] = text == "~" ? std::string() : std::move(text);
    ++loaded;
  }
  if (!in.status().Ok()) return -7;
  if (!anyByte) return -6;
  if (loaded == 0) return 0;
  for (int n = 1; n <= kCount; ++n)
    if (!seen[static_cast<std::size_t>(n)]) return -500 - n;
  texts_ = std::move(texts);
  return loaded;
}

const std::string& Catalogue::Text(int n) const {
  static const std::string empty;
  if (n < 1 || n > kCount) return empty;
  return texts_[static_cast<std::size_t>(n)];
}

std::string Catalogue::FailureMessage(int status, const std::string& path) {
  switch (status) {
    case 0: return "No program text was read.";
    case -1: return "Cannot open file containing program text.\r\n" + path;
    case -2: return "Particular memory allocation error.";
    case -3: return "Too much program text.";
    case -4: return "Text not recovered.";
    case -6: return "File is empty.";
    case -7: return "Error reading file.";
    case -8: return "General memory allocation error.";
    case -11: return "Cannot open file containing program text: it is a folder.\r\n" + path;
    case -12: return "Cannot open file containing program text: it is a named pipe.\r\n" + path;
    case -13: return "Cannot open file containing program text: it is a device.\r\n" + path;
    case -14: return "Cannot open file containing program text: it is not a regular file.\r\n" + path;
    default: break;
  }
  if (status >= -500) return "Error " + std::to_string(status);
  if (status >= -1000) return "Missing string at line" + Str(-500L - status) + ".";
  if (status >= -1500) return "String too long at line" + Str(-1000L - status) + ".";
  return "Duplicate in program text at line" + Str(-1500L - status) + ".";
}

}  // namespace kwl
