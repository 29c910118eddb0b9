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

// The lists chosen in the Unicode mode only (their words hold letters the
// code page lacks), indexed 8 to 15 after the eight above: Russian, Dutch,
// Swedish, Danish, Norwegian, Finnish, Hungarian, Turkish.
inline constexpr std::array<std::string_view, 8> kUnicodeCommonWordsFileNames = {
    "cwds_ru.txt", "cwds_nl.txt", "cwds_sv.txt", "cwds_da.txt",
    "cwds_no.txt", "cwds_fi.txt", "cwds_hu.txt", "cwds_tr.txt"};
inline constexpr std::size_t kNumCommonWordsLists = 16;
// The file name of list k (0 to 15).
inline std::string_view CommonWordsFileName(std::size_t k) {
  return k < 8 ? kCommonWordsFileNames[k] : kUnicodeCommonWordsFileNames[k - 8];
}
// The list a language code selects in the Unicode mode: the six codes of
// kCommonWordsLanguageCodes, then ru, nl, sv, da, no (nb and nn, the two
// written forms of Norwegian, too), fi, hu and tr; -1 for any other code.
// The code is matched whole.
int UnicodeCommonWordsListOf(std::string_view code);

// The two-letter language code a file declares ("lang=" or "content=" in its
// first ten non-empty lines, looked for in its first MiB), lower-cased;
// defaultCode when it declares none, when the code is not in allowedCodes
// (unless that is empty), or when the file cannot be read. Only a regular
// file is opened, and without waiting on it.
std::string DetectLanguageCode(const std::string& path, std::string_view allowedCodes, std::string_view defaultCode);

// The list beside the program for the language the input declares (English
// when it declares none): programFolder + its file name. Outside the Unicode
// mode the six codes of kCommonWordsLanguageCodes choose among the first six
// lists; in it, the sixteen codes of UnicodeCommonWordsListOf.
std::string CommonWordsFileForLanguage(const std::string& programFolder, const std::string& inputPath,
                                       bool unicode = false);

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
  // the file was read whole. UTF-8 when read in the Unicode mode.
  std::vector<std::string> words;
};

// Reads a common-words file: each line trimmed of blanks, decoded from UTF-8
// when utf8 is set, lower-cased and scanned with CommonWordsReadingRules().
// The observer is told each new word, and after each line is given a Step()
// and asked whether to stop. In the Unicode mode (unicode) the lines are
// read as the mode reads a text file, UTF-8 (malformed bytes as U+FFFD) when
// utf8 is set and Windows-1252 converted otherwise, and the Unicode scan
// cuts the words, case-folded and in NFC as a count folds its words.
CommonWordsFileRead ReadCommonWordsFile(const std::string& path, bool utf8, CountObserver& observer,
                                        bool unicode = false);

}  // namespace kwl
