#include "sources/line_reader.h"

#include <cstring>
#include <new>
#include <utility>

namespace kwl {

LineReader::LineReader(File file, std::size_t bufferSize, std::uint64_t start)
    : file_(std::move(file)), buffer_(bufferSize == 0 ? 1 : bufferSize), offset_(start) {}

bool LineReader::Fill() {
  if (atEnd_) return false;
  pos_ = 0;
  end_ = 0;
  cr_ = kNoCr;
  const std::int64_t got = file_.Read(buffer_.data(), buffer_.size(), status_);
  if (got <= 0) {
    atEnd_ = true;
    return false;
  }
  end_ = static_cast<std::size_t>(got);
  offset_ += end_;
  return true;
}

std::size_t LineReader::RestOfLine() {
  // Called when the buffer has been used up: it serves as the scratch space.
  // Only a guide to the string's size: a failure shows again, and is
  // reported, when the line itself is read on.
  std::size_t rest = 0;
  Status ignored;
  for (;;) {
    const std::int64_t got = file_.ReadAt(buffer_.data(), buffer_.size(), offset_ + rest, ignored);
    if (got <= 0) return rest;
    const char* begin = buffer_.data();
    const char* stop = begin + got;
    const char* p = begin;
    while (p != stop && *p != '\r' && *p != '\n') ++p;
    rest += static_cast<std::size_t>(p - begin);
    if (p != stop) return rest;
  }
}

std::size_t LineReader::LineEnd(std::size_t from) {
  // memchr looks at many bytes a step, where a loop testing for both line
  // ends looks at one. Most files hold no CR, or one per line: the next CR
  // is looked for once and remembered, and the LF only before it.
  const char* const data = buffer_.data();
  if (cr_ == kNoCr || cr_ < from) {
    const void* cr = std::memchr(data + from, '\r', end_ - from);
    cr_ = cr != nullptr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : end_;
  }
  const void* lf = std::memchr(data + from, '\n', cr_ - from);
  return lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : cr_;
}

bool LineReader::Next(std::string& line) {
  line.clear();
  terminator_ = 0;
  bool any = false;
  bool measured = false;
  for (;;) {
    if (pos_ == end_ && !Fill()) return any && status_.Ok();
    any = true;
    const char* begin = buffer_.data() + pos_;
    const char* stop = buffer_.data() + end_;
    const char* p = buffer_.data() + LineEnd(pos_);
    line.append(begin, static_cast<std::size_t>(p - begin));
    pos_ += static_cast<std::size_t>(p - begin);
    if (p == stop) {
      if (!measured && line.size() >= buffer_.size()) {
        measured = true;
        const std::size_t rest = RestOfLine();
        line.reserve(line.size() + rest + (line.size() + rest) / 8);
      }
      continue;
    }
    ++pos_;
    terminator_ = 1;
    if (*p == '\r') {
      // The LF of a CR LF pair may stand at the start of the next buffer.
      if (pos_ == end_ && !Fill() && !status_.Ok()) return false;
      if (pos_ < end_ && buffer_[pos_] == '\n') {
        ++pos_;
        terminator_ = 2;
      }
    }
    return true;
  }
}

bool TrimForScanning(std::string& line) {
  std::size_t first = 0;
  std::size_t last = line.size();
  while (first < last && static_cast<unsigned char>(line[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(line[last - 1]) <= 32) --last;
  if (first == last) return false;
  // In place: the kept text moves at most one byte, so a line of any length
  // is held once.
  line.resize(last);
  line.replace(0, first, 1, ' ');
  return true;
}

}  // namespace kwl
