#pragma once
// The program's fixed limits and fixed character sets, in one place. None of
// them is a setting: each is the same in every run, in the window and on the
// command line.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kwl {

// Words longer than this are never counted, even when reading a word list.
inline constexpr int kMaxWordLength = 80;
// The longest run of word characters the scanner cuts out as one word.
inline constexpr std::size_t kMaxScanRun = 65000;
// The most characters of clipboard text a count takes.
inline constexpr std::int32_t kMaxClipboardChars = 100000;
// The most characters a listing puts into the window's output text box; a
// longer list gets the text-box-full report. A Qt text view holds many
// millions of characters, and lines are added a block at a time.
inline constexpr std::int32_t kMaxListingLength = 4000000;
// From this length of the text box on, the words found by a count are no
// longer shown there: showing each word as it is found is the costly part of
// a count, so this cut-off stays far below the listing's.
inline constexpr std::int32_t kDisplaySuppressLength = 65000 - 100;
// A DOCX body part larger than this is only scanned after a question.
inline constexpr std::int64_t kDocxWarnSize = 10 * 1024 * 1024;
// A DOCX body part larger than this is refused.
inline constexpr std::int64_t kDocxMaxSize = 20 * 1024 * 1024;
// From this many different words on, a stop request is confirmed first.
inline constexpr std::int32_t kWordsBeforeStopQuestion = 2000;
// The positions of the progress bar between its brackets.
inline constexpr int kProgressBarWidth = 37;
// The narrowest column of counts and ranks in a listing.
inline constexpr int kMinColumnWidth = 6;
// The activity indicator's four arrows, as Symbol-font codes, in turn.
inline constexpr std::array<int, 4> kTwirlerChars{172, 173, 174, 175};

// Every character the settings may allow in words besides the letters.
inline constexpr std::string_view kAllPossibleExtraChars = "'0123456789-_@:/.\\";
// Allowed characters that may stand inside a word only, never first or last.
inline constexpr std::string_view kProhibitedInitialOrFinalChars = "'.:,()";
// Characters that are never part of a word, whatever the settings say.
inline constexpr std::string_view kNeverAllowedChars = "\"+;<>";

}  // namespace kwl
