#pragma once
// Common-words files: the lists beside the program by language, the language
// a text declares, and the reading of a file into the words of a list.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "count/counter.h"
#include "files/status.h"

namespace kwl {

// The eight lists beside the program, indexed 0 to 7: English, German,
// Spanish, Portuguese, Italian, French, then English and German, then all six.
inline constexpr std::array<std::string_view, 8> kCommonWordsFileNames = {
    "cwds_en.txt", "cwds_de.txt", "cwds_es.txt", "cwds_pt.txt",
    "cwds_it.txt", "cwds_fr.txt", "cwds_en_de.txt", "cwds_en_de_es_pt_it_fr.txt"};
// The code at 1-based position 3k + 1 belongs to list k.
inline constexpr std::string_view kCommonWordsLanguageCodes = "en_de_es_pt_it_fr";

// The two-letter language code a file declares ("lang=" or "content=" in its
// first ten non-empty lines, looked for in its first MiB), lower-cased;
// defaultCode when it declares none, when the code is not in allowedCodes
// (unless that is empty), or when the file cannot be read. Only a regular
// file is opened, and without waiting on it.
std::string DetectLanguageCode(const std::string& path, std::string_view allowedCodes, std::string_view defaultCode);

// The list beside the program for the language the input declares (English
// when it declares none): programFolder + its file name.
std::string CommonWordsFileForLanguage(const std::string& programFolder, const std::string& inputPath);

// Whether a common-words file is there to be read, without opening it:
// kNotRegular (detail: "a folder", "a named pipe" ...) for anything but a
// regular file, kNotFound when nothing is there, otherwise Ok.
Status LocateCommonWordsFile(const std::string& path);

struct CommonWordsFileRead {
  // Ok: the whole file was read. kEmpty: read whole, but it holds no words
  // (words is then the valid, empty list). kStopped: the observer asked to
  // stop. File::Open's kNotFound, kNotRegular or kOpenFailed; kReadFailed.
  Status status;
  // Lower-cased, each once, in the word table's binary order; empty unless
  // the file was read whole.
  std::vector<std::string> words;
};

// Reads a common-words file: each line trimmed of blanks, decoded from UTF-8
// when utf8 is set, lower-cased and scanned with CommonWordsReadingRules().
// The observer is told each new word, and after each line is given a Step()
// and asked whether to stop.
CommonWordsFileRead ReadCommonWordsFile(const std::string& path, bool utf8, CountObserver& observer);

}  // namespace kwl
