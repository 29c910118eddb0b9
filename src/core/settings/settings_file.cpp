#include "settings/settings_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>

#include "files/byte_reader.h"
#include "files/regular_file.h"
#include "files/replacing_file.h"

namespace kwl {
namespace {

// The read stops at the first failure; these carry it out of the value
// reader to the one place that turns it into the status.
struct FormatFailure {
  const char* detail;
};
struct ReadFailure {
  int err;
};

// The bytes of a file; a failed read ends the read with its errno.
class FileBytes {
 public:
  explicit FileBytes(File file) : bytes_(std::move(file)) {}
  int Get() {
    const int c = bytes_.Get();
    if (c != ByteReader::kEnd) return c;
    if (const Status& status = bytes_.status(); !status.Ok()) throw ReadFailure{status.err != 0 ? status.err : EIO};
    return EOF;
  }
  void Unget(int) { bytes_.Unget(); }

 private:
  ByteReader bytes_;
};

// The bytes of a text in memory.
class TextBytes {
 public:
  explicit TextBytes(std::string_view text) : text_(text) {}
  int Get() { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_++]) : EOF; }
  void Unget(int) { --pos_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The values of the file one after the other, as the format defines them.
template <typename Bytes>
class ValueReader {
 public:
  explicit ValueReader(Bytes& bytes) : bytes_(bytes) {}

  std::string Next() {
    int c = bytes_.Get();
    while (c == ' ' || c == '\t') c = bytes_.Get();
    if (c == EOF) throw FormatFailure{"Input past end of file"};
    std::string value;
    if (c == '"') {
      while ((c = bytes_.Get()) != EOF && c != '"') Keep(value, c);
      if (c == '"') {
        std::size_t skipped = 0;
        while ((c = bytes_.Get()) != EOF && c != ',' && c != '\r' && c != '\n')
          if (++skipped > kMaxSettingsValueLength) throw TooLong();
      }
    } else {
      while (c != EOF && c != ',' && c != '\r' && c != '\n') {
        Keep(value, c);
        c = bytes_.Get();
      }
    }
    if (c == '\r') {
      const int after = bytes_.Get();
      if (after != '\n' && after != EOF) bytes_.Unget(after);
    }
    return value;
  }

 private:
  static FormatFailure TooLong() { return FormatFailure{"Value longer than 1 MiB"}; }
  static void Keep(std::string& value, int c) {
    if (value.size() >= kMaxSettingsValueLength) throw TooLong();
    value.push_back(static_cast<char>(c));
  }

  Bytes& bytes_;
};

// The leading number of a text, as the program's conversion takes it: blanks
// skipped, a sign, digits with an optional decimal part and exponent. False
// when the text does not start with a number.
bool LeadingNumber(std::string_view text, double& number) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t digitsStart = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  bool digits = i > digitsStart;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    digits = digits || i > fraction;
  }
  if (!digits) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t expStart = j;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
    if (j > expStart) i = j;
  }
  const std::string piece(text.substr(start, i - start));
  number = std::strtod(piece.c_str(), nullptr);
  return true;
}

// A 16-bit whole number, rounded half to even as the program rounds.
int WholeNumber(const std::string& text, bool numberRequired) {
  double number = 0;
  if (!LeadingNumber(text, number)) {
    if (numberRequired) throw FormatFailure{"Type mismatch"};
    return 0;
  }
  const double rounded = std::nearbyint(number);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw FormatFailure{"Overflow"};
  return static_cast<int>(rounded);
}

int CheckValue(const std::string& text) {
  const int value = WholeNumber(text, false);
  if (value < 0 || value > 2) throw FormatFailure{"Invalid property value"};
  return value;
}

int ListIndex(const std::string& text, int listSize) {
  const int value = WholeNumber(text, true);
  if (value < -1 || value >= listSize) throw FormatFailure{"Invalid property value"};
  return value;
}

// A line after the described ones: on only when it reads as the whole
// number 1, whatever else it holds; a reader of the older file has no such
// line and must not be refused for it, so nothing here fails.
int OptionalCheckValue(const std::string& text) {
  double number = 0;
  return LeadingNumber(text, number) && std::nearbyint(number) == 1.0 ? 1 : 0;
}

template <typename Bytes>
SettingsRead ReadValues(Bytes& bytes, const std::string& path) {
  SettingsRead read;
  try {
    ValueReader<Bytes> in(bytes);
    bool optionalEnded = false;
    for (const SettingLine& line : kSettingsFile) {
      if (line.kind == SettingKind::kOptionalCheck) {
        // The file may end before it (Input past end of file), or hold a
        // value too long to be one: off, and the read goes on. The lines
        // after such a one are off too: the reader stopped inside a value,
        // and its rest is no line of the file.
        read.settings.*line.number = 0;
        if (!optionalEnded) {
          try {
            read.settings.*line.number = OptionalCheckValue(in.Next());
          } catch (const FormatFailure&) {
            optionalEnded = true;
          }
        }
        read.lines = line.line;
        continue;
      }
      std::string value = in.Next();
      switch (line.kind) {
        case SettingKind::kText: read.settings.*line.text = std::move(value); break;
        case SettingKind::kListIndex: read.settings.*line.number = ListIndex(value, line.listSize); break;
        case SettingKind::kCheck: read.settings.*line.number = CheckValue(value); break;
        case SettingKind::kDropped:
        case SettingKind::kOptionalCheck: break;
      }
      read.lines = line.line;
    }
  } catch (const FormatFailure& failure) {
    read.status = Status::Failure(Status::Kind::kBadFormat, 0, path, failure.detail);
  } catch (const ReadFailure& failure) {
    read.status = Status::Failure(Status::Kind::kReadFailed, failure.err, path);
  } catch (const std::bad_alloc&) {
    read.status = Status::Failure(Status::Kind::kOutOfMemory, ENOMEM, path);
  }
  return read;
}

}  // namespace

SettingsRead ParseSettings(std::string_view bytes) {
  TextBytes text(bytes);
  return ReadValues(text, {});
}

SettingsRead ReadSettingsFile(const std::string& path) {
  if (path.empty()) return SettingsRead{{}, 0, Status::Failure(Status::Kind::kNotFound, ENOENT, path)};
  Status opened;
  File file = File::Open(path, opened);
  if (!opened.Ok()) return SettingsRead{{}, 0, std::move(opened)};
  FileBytes bytes(std::move(file));
  return ReadValues(bytes, path);
}

std::string ComposeSettingsFile(const Settings& settings) {
  std::string out;
  for (const SettingLine& line : kSettingsFile) {
    if (line.text != nullptr) out += '"' + settings.*line.text + '"';
    else if (line.kind == SettingKind::kOptionalCheck) out += settings.*line.number == 1 ? "1" : "0";
    else out += std::to_string(settings.*line.number);
    out += "\r\n";
  }
  return out;
}

Status WriteSettingsFile(const std::string& requested, const Settings& settings) {
  if (requested.empty()) return Status::Failure(Status::Kind::kNotFound, ENOENT, requested);
  const std::string path = ResolveLinks(requested);
  // A named pipe or a device (or a link to one) is no settings file, and the
  // folder of a device is no place for a temporary file.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    return Status::Failure(Status::Kind::kNotRegular, S_ISDIR(st.st_mode) ? EISDIR : 0, requested,
                           std::string(SpecialFileKind(st.st_mode)));
  }
  ReplacingFile file;
  int err = file.Open(path, true);
  if (err == 0) err = file.Write(ComposeSettingsFile(settings));
  if (err == 0) err = file.Commit();
  if (err != 0) return Status::Failure(Status::Kind::kWriteFailed, err, requested);
  return {};
}

}  // namespace kwl
