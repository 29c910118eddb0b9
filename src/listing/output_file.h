#pragma once
// The output file for spreadsheets, written through a large buffer. Move-only
// and closed by its destructor on every path; a write that fails (a full disk,
// an I/O error) is remembered and reported by Close(), so a failed file is
// never taken for a written one.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace kwl {

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  OutputFile(OutputFile&& other) noexcept;
  OutputFile& operator=(OutputFile&& other) noexcept;
  ~OutputFile();

  // Creates or truncates the file. Throws RunError when it cannot be opened.
  void Open(const std::string& path);
  bool IsOpen() const { return file_ != nullptr; }

  // Writes bytes as they are (Windows-1252 text); a failure is kept for Close.
  void Write(std::string_view bytes);
  // The bytes followed by CR LF.
  void WriteLine(std::string_view bytes);

  // True once a write has failed.
  bool Failed() const { return error_ != 0; }

  // Flushes and closes. Throws RunError when a write, the flush or the close
  // failed; the file is closed in every case.
  void Close();

 private:
  static constexpr std::size_t kBufferSize = 1 << 20;
  std::FILE* file_ = nullptr;
  std::unique_ptr<char[]> buffer_;
  int error_ = 0;
};

}  // namespace kwl
