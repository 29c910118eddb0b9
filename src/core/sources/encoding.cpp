#include "sources/encoding.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "files/paths.h"
#include "files/regular_file.h"

namespace kwl {
namespace {

// The first bytes of a file, or the encoding code that stands for the
// reason why there are none.
struct Sample {
  int code = 0;  // 0 when bytes holds the sample
  std::int64_t length = 0;
  std::string bytes;
};

// The errors the program reports as "Permission denied".
bool IsPermissionError(int err) { return err == EACCES || err == EPERM || err == EROFS; }

Sample ReadSample(const std::string& path, std::int64_t size) {
  Sample s;
  if (path.empty()) return {-5, 0, {}};
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {-1, 0, {}};
    return {IsPermissionError(errno) ? -3 : -9, 0, {}};
  }
  // Only a regular file is ever opened: a folder, a named pipe or a device
  // cannot be sampled (and a pipe would block the reading).
  if (!S_ISREG(st.st_mode)) return {-9, 0, {}};
  s.length = static_cast<std::int64_t>(st.st_size);
  if (s.length == 0) return {-2, 0, {}};
  if (s.length <= 4) return {-4, s.length, {}};
  Status status;
  File file = File::Open(path, status);
  std::int64_t got = -1;
  if (status.Ok()) {
    s.bytes.resize(static_cast<std::size_t>(std::min(s.length, size)));
    got = file.ReadFully(s.bytes.data(), s.bytes.size(), status);
  }
  if (got < 0) return {IsPermissionError(status.err) ? -3 : -9, s.length, {}};
  s.bytes.resize(static_cast<std::size_t>(got));
  return s;
}

unsigned char At(const std::string& bytes, std::size_t i) {
  return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
}

bool StartsWith(const std::string& bytes, std::string_view prefix) {
  return bytes.size() >= prefix.size() && std::string_view(bytes).substr(0, prefix.size()) == prefix;
}

// "charset=UTF-8" or charset="UTF-8", exactly in this case, on one of the
// first 10 non-empty lines of the sample.
bool DeclaresUtf8Charset(std::string_view sample) {
  int lines = 0;
  std::size_t i = 0;
  while (i < sample.size() && lines < 10) {
    std::size_t end = i;
    while (end < sample.size() && sample[end] != '\r' && sample[end] != '\n') ++end;
    const std::string_view line = sample.substr(i, end - i);
    if (!line.empty()) {
      ++lines;
      if (line.find("charset=UTF-8") != std::string_view::npos ||
          line.find("charset=\"UTF-8\"") != std::string_view::npos)
        return true;
    }
    i = end;
    if (i < sample.size() && sample[i] == '\r') ++i;
    if (i < sample.size() && sample[i] == '\n') ++i;
  }
  return false;
}

int EncodingOfSample(const std::string& path, const Sample& s, bool charsetFlag) {
  if (s.code != 0) return s.code;
  const std::string& b = s.bytes;
  const std::string head = b.substr(0, static_cast<std::size_t>(kTextSampleSize));
  if (StartsWith(head, "{\\rtf")) return 6;
  if (At(head, 0) == 0xFF && At(head, 1) == 0xFE) return 1;
  if (At(head, 0) == 0xFE && At(head, 1) == 0xFF) return 2;
  if (At(head, 0) == 0xEF && At(head, 1) == 0xBB && At(head, 2) == 0xBF) return 3;
  if (At(head, 0) == 0 && At(head, 1) == 0 && At(head, 2) == 0xFE && At(head, 3) == 0xFF) return 5;
  if (Extension(path) == "xml") {
    if (At(head, 0) == '<' && At(head, 1) != 0) return 3;
    if (At(head, 0) == '<' && At(head, 1) == 0) return 1;
    if (At(head, 0) == 0 && At(head, 1) == '<') return 2;
  }
  if (charsetFlag && IsTextLikeExtension(path) && DeclaresUtf8Charset(head)) return 3;
  if (IsWellFormedUtf8Sample(head)) return 3;
  return 0;
}

}  // namespace

bool IsWellFormedUtf8Sample(std::string_view bytes) {
  bool nonAscii = false;
  std::size_t i = 0;
  const std::size_t n = bytes.size();
  while (i < n) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    nonAscii = true;
    // The sequence length and the range of its second byte.
    int length = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      if (c == 0xE0) lo = 0xA0;  // no overlong forms
      if (c == 0xED) hi = 0x9F;  // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
    } else {
      return false;
    }
    for (int k = 1; k < length; ++k) {
      if (i + static_cast<std::size_t>(k) >= n) return true;  // cut off by the end of the sample
      const auto f = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
      const unsigned char low = k == 1 ? lo : 0x80;
      const unsigned char high = k == 1 ? hi : 0xBF;
      if (f < low || f > high) return false;
    }
    i += static_cast<std::size_t>(length);
  }
  return nonAscii;
}

bool IsTextLikeExtension(const std::string& path) {
  static constexpr std::array<std::string_view, 11> kExtensions{"prn",  "csv", "xhtml", "xhtm", "shtml", "shtm",
                                                                "html", "htm", "xml",   "log",  "txt"};
  const std::string ext = Extension(path);
  return std::find(kExtensions.begin(), kExtensions.end(), ext) != kExtensions.end();
}

int DetectFileEncoding(const std::string& path, bool charsetFlag) {
  return EncodingOfSample(path, ReadSample(path, kTextSampleSize), charsetFlag);
}

int AnalyseTextFile(const std::string& path, std::int64_t sampleSize, double thresholdPercent,
                    TextFileSample& sample, bool charsetFlag) {
  sample = TextFileSample{};
  // One read serves both the encoding tests and the sampling below.
  const Sample s = ReadSample(path, std::max(sampleSize, kTextSampleSize));
  const int code = EncodingOfSample(path, s, charsetFlag);
  if (code < 0 || code == 6) return code;
  if (code == 3) {
    sample.utf8 = true;
    return 1;
  }
  if (code > 0) return 7;

  const std::int64_t n = std::min(static_cast<std::int64_t>(s.bytes.size()), std::max<std::int64_t>(sampleSize, 0));
  const double fifth = static_cast<double>(sampleSize) / 5.0;
  std::int64_t controls = 0;
  bool sawLf = false;
  bool sawCr = false;
  for (std::int64_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(s.bytes[static_cast<std::size_t>(i)]);
    if (c == 10) {
      sawLf = true;
    } else if (c == 13) {
      sawCr = true;
    } else if (c < 32 && c != 9 && c != 12 && c != 8) {
      if (controls == 0) {
        sample.firstControlByte = c;
        sample.firstControlPosition = i + 1;
      }
      ++controls;
    }
    const std::int64_t read = i + 1;
    if (static_cast<double>(read) > fifth) {
      const double share = static_cast<double>(controls) * 100.0 / static_cast<double>(read);
      if (share > 10.0 * thresholdPercent) {
        sample.binaryShare = share;
        return 0;
      }
    }
  }
  sample.binaryShare = n > 0 ? static_cast<double>(controls) * 100.0 / static_cast<double>(n) : 0.0;
  if (sample.binaryShare > thresholdPercent) return 0;
  if (sawCr == sawLf) return 1;
  return sawCr ? 3 : 2;
}

TextFileInspection InspectTextFile(const std::string& path, double thresholdPercent) {
  using Kind = Status::Kind;
  TextFileInspection info;
  info.markupKind = Extension(path);
  struct stat st {};
  if (path.empty()) {
    info.status = Status::Failure(Kind::kNotFound, ENOENT, path);
  } else if (::stat(path.c_str(), &st) != 0) {
    const int err = errno;
    info.status = Status::Failure(err == ENOENT || err == ENOTDIR ? Kind::kNotFound : Kind::kOpenFailed, err, path);
  } else if (!S_ISREG(st.st_mode)) {
    info.status = Status::Failure(Kind::kNotRegular, S_ISDIR(st.st_mode) ? EISDIR : 0, path,
                                  std::string(SpecialFileKind(st.st_mode)));
  } else {
    info.size = static_cast<std::int64_t>(st.st_size);
    if (info.size == 0) info.status = Status::Failure(Kind::kEmpty, 0, path);
  }
  info.fileClass = AnalyseTextFile(path, kTextSampleSize, thresholdPercent, info.sample, true);
  return info;
}

int Utf16ByteOrder(const std::string& path, const TextFileInspection& info) {
  if (!info.status.Ok() || info.fileClass != 7) return 0;
  const int encoding = DetectFileEncoding(path);
  return encoding == 1 || encoding == 2 ? encoding : 0;
}

}  // namespace kwl
