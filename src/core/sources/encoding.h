#pragma once
// What kind of text a file holds, judged from its first bytes: the encoding
// (byte-order marks, XML starts, charset declarations, well-formed UTF-8) and
// the class of the file (text with its line ends, binary, Unicode but not
// UTF-8). Nothing here reads more than the first 16384 bytes of a file, and
// nothing shows a message: the window turns the class into the user's
// messages.
#include <cstdint>
#include <string>
#include <string_view>

#include "files/status.h"

namespace kwl {

// The bytes both checks look at.
inline constexpr std::int64_t kTextSampleSize = 16384;

// The encoding code of a file, tested in this order:
//   -5 empty path; -1 no such file; -2 zero bytes; -4 one to four bytes;
//    6 starts with "{\rtf";  1 FF FE (UTF-16 LE);  2 FE FF (UTF-16 BE);
//    3 EF BB BF (UTF-8);  5 00 00 FE FF (UTF-32 BE);
//    3 / 1 / 2 an .xml file starting "<" + non-zero, "<" + 0, 0 + "<";
//    3 with charsetFlag, a text-like extension and "charset=UTF-8" (or
//      charset="UTF-8") in the first 10 non-empty lines;
//    3 at least one non-ASCII byte, all in well-formed UTF-8 sequences;
//    0 otherwise.
// -3 when the file cannot be read for want of permission, -9 for any other
// failure to open or read it (a folder, a named pipe or a device too).
int DetectFileEncoding(const std::string& path, bool charsetFlag = false);

// What AnalyseTextFile found besides the class.
struct TextFileSample {
  int firstControlByte = -1;              // the first control byte, -1 when none
  std::int64_t firstControlPosition = 0;  // its 1-based position
  double binaryShare = 0.0;               // control bytes per 100 bytes sampled
  bool utf8 = false;                      // the file is UTF-8 (encoding code 3)
};

// The class of a file: 1 text with CR LF line ends (or none in the sample),
// 2 text with LF only, 3 text with CR only, 0 not a text file (the share of
// control bytes other than TAB, FF, BS, CR and LF is above thresholdPercent),
// 7 Unicode but not UTF-8, 6 RTF, and the negative codes of
// DetectFileEncoding. A UTF-8 file is class 1 with sample.utf8 set.
int AnalyseTextFile(const std::string& path, std::int64_t sampleSize, double thresholdPercent,
                    TextFileSample& sample, bool charsetFlag = false);

// What a file is before it is counted.
struct TextFileInspection {
  // kNotFound (also for the empty path), kOpenFailed (err: it cannot be
  // examined), kNotRegular (err EISDIR for a folder; detail the
  // SpecialFileKind), kEmpty for zero bytes; Ok for a regular file of one
  // byte or more.
  Status status;
  std::int64_t size = 0;   // bytes
  int fileClass = 0;       // AnalyseTextFile's class, with charset declarations honoured
  TextFileSample sample;   // what AnalyseTextFile found besides
  std::string markupKind;  // the extension, which chooses the scanner's markup rules
};
TextFileInspection InspectTextFile(const std::string& path, double thresholdPercent = 0.0);

// The byte order of an inspected file that is UTF-16 with a byte-order mark,
// which the words in every script read: 1 little-endian, 2 big-endian; 0 for
// any other file (UTF-32 included).
int Utf16ByteOrder(const std::string& path, const TextFileInspection& info);

// The extension is one of prn, csv, xhtml, xhtm, shtml, shtm, html, htm, xml, log, txt.
bool IsTextLikeExtension(const std::string& path);

// At least one byte of 80 or above, and every such byte part of a well-formed
// UTF-8 sequence; a sequence cut off by the end of bytes counts as well-formed.
bool IsWellFormedUtf8Sample(std::string_view bytes);

}  // namespace kwl
