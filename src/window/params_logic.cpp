#include "params_logic.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "session.h"
#include "window_state.h"
#include "scan/char_rules.h"
#include "text/normalise.h"
#include "text/cp1252.h"

namespace kwl {

std::string BuildAllowedExtraChars(const Params& p) {
  // Each checked box puts its characters in front of the set built so far.
  const struct { const CheckBox* box; const char* chars; } order[] = {
      {&p.chkAllowWordsWithHyphens, "-"},
      {&p.chkAllowWordsWithApostrophes, "'\x91"},
      {&p.chkAllowWordsWithUnderscores, "_"},
      {&p.chkAllowWordsWithColons, ":"},
      {&p.chkAllowWordsWithBackslashes, "\\"},
      {&p.chkAllowWordsWithForwardslashes, "/"},
      {&p.chkAllowWordsWithPeriods, "."},
      {&p.chkAllowWordsWithAtSigns, "@"},
      {&p.chkAllowWordsWithNumerals, "0123456789"},
  };
  std::string set;
  for (const auto& o : order)
    if (o.box->Value() == 1) set = o.chars + set;
  return set;
}


void SetDefaultValues(Session& s) {
  Params& p = s.params;
  s.run.blnWordsGot = false;
  const struct { CheckBox* box; std::int16_t value; } defaults[] = {
      {&p.chkCaseSignificant, 0},           {&p.chkIgnoreShortWords, 1},
      {&p.chkIgnoreInfrequentWords, 0},     {&p.chkIgnoreRepetitions, 1},
      {&p.chkIgnoreRomNum40, 1},            {&p.chkIgnoreNoLetter, 1},
      {&p.chkAllowWordsWithHyphens, 1},     {&p.chkAllowWordsWithApostrophes, 0},
      {&p.chkAllowWordsWithUnderscores, 0}, {&p.chkAllowWordsWithColons, 0},
      {&p.chkAllowWordsWithBackslashes, 0}, {&p.chkAllowWordsWithForwardslashes, 0},
      {&p.chkAllowWordsWithPeriods, 0},     {&p.chkAllowWordsWithAtSigns, 0},
      {&p.chkAllowWordsWithNumerals, 0},    {&p.chkDropFinalS, 0},
      {&p.chkOutputWithCommas, 0},          {&p.chkAllowCommentMarkers, 1},
      {&p.chkWarnOnOverwrite, 0},           {&p.chkSaveStateOnQuit, 0},
      {&p.chkOnly7bitASCII, 0},
  };
  for (const auto& d : defaults) d.box->SetValue(d.value);
  s.scanner.markers.SetCommentMarkers("C");
  p.cboShortWordSize.SetListIndex(1);
  p.cboLongWordSize.SetListIndex(7);
  p.cboThresholdFrequency.SetListIndex(0);
}

void Initialize(Session& s) {
  s.main.txbFile[0].Clear();
  s.main.txbFile[1].Clear();
  s.main.chkUTF8.SetValue(0);
  s.params.txbWordsToIgnore.Clear();
  SetDefaultValues(s);
  s.main.chkSuppressWords.SetValue(0);
  s.params.txbCommonWordsFile.Clear();
  s.run.strCommonWordsFile.clear();
  s.params.txbParametersFile.Clear();
  s.scanner.markers.SetCommentMarkers("C");
  NormaliseWordsToIgnore(s);
  UpdateDisableOutputCheckBox(s);
}

namespace {
std::string Trim(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}
}  // namespace

void NormaliseWordsToIgnore(Session& s) {
  TextBox& box = s.params.txbWordsToIgnore;
  std::string text = cp1252::FromUtf8(Trim(box.Text()));
  if (text.empty()) {
    s.run.strWordsToIgnore.Clear();
    return;
  }
  scan::FoldCaseInPlace(text);
  std::replace(text.begin(), text.end(), ',', ' ');
  // The words are sorted as the ranks of their characters, whose plain byte
  // order is cp1252::Compare's; the first eight ranks, packed into one
  // number, decide most comparisons. The order is strict (ranks are one to
  // one), so dropping each word equal to the one before it leaves the same
  // list as dropping later duplicates and then sorting.
  const std::string ranks = cp1252::RankString(text);
  struct Word {
    std::uint64_t prefix;
    std::string_view ranks;
  };
  std::vector<Word> words;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find(' ', pos), text.size());
    if (end > pos) {
      const std::string_view w = std::string_view(ranks).substr(pos, end - pos);
      std::uint64_t prefix = 0;
      for (std::size_t k = 0; k < 8; ++k) prefix = (prefix << 8) | (k < w.size() ? static_cast<unsigned char>(w[k]) : 0U);
      words.push_back(Word{prefix, w});
    }
    pos = end + 1;
  }
  const auto before = [](const Word& a, const Word& b) {
    return a.prefix != b.prefix ? a.prefix < b.prefix : a.ranks < b.ranks;
  };
  // A list saved by the program comes back sorted already.
  if (!std::is_sorted(words.begin(), words.end(), before)) std::sort(words.begin(), words.end(), before);
  words.erase(std::unique(words.begin(), words.end(), [](const Word& a, const Word& b) { return a.ranks == b.ranks; }),
              words.end());
  std::string joined;
  joined.reserve(text.size());
  for (const Word& w : words) {
    if (!joined.empty()) joined += ' ';
    joined.append(text, static_cast<std::size_t>(w.ranks.data() - ranks.data()), w.ranks.size());
  }
  box.SetText(cp1252::ToUtf8(joined));
  s.run.strWordsToIgnore = " " + joined + " ";
  CheckAllowedExtraChars(s);
}

bool CheckAllowedExtraChars(Session& s) {
  const Params& p = s.params;
  if (!s.run.blnStartUpCompleted || p.selfChange || p.setOrClear || p.txbWordsToIgnore.Text().empty()) return true;
  const std::string allowed = BuildAllowedExtraChars(p);
  s.scanner.SetAllowedExtraChars(allowed, s.run.strProhibitedInitialOrFinalChars);
  // Which characters may stand in a word to ignore, decided once per character
  // value rather than for each character of a list that may be long.
  std::array<bool, 256> fine{};
  for (int c = 0; c < 256; ++c)
    fine[static_cast<std::size_t>(c)] = scan::IsTableLetter(static_cast<unsigned char>(c)) || c == ' ' ||
                                        allowed.find(static_cast<char>(c)) != std::string::npos;
  const std::string text = cp1252::FromUtf8(p.txbWordsToIgnore.Text());
  for (char ch : text) {
    if (fine[static_cast<unsigned char>(ch)]) continue;
    const bool neverAllowed = s.run.strNeverAllowedChars.find(ch) != std::string::npos;
    std::string message = "The character " + cp1252::ToUtf8(std::string(1, ch)) +
                          " occurs in some word to ignore\r\nbut is not " +
                          (neverAllowed ? "" : "currently set as ") + "a character allowed in a word.";
    if (ch == ',') message += "\r\n\r\nWords-to-ignore must be separated by a space, not by a comma.";
    s.Warn(message, "Character not allowed");
    return false;
  }
  return true;
}

}  // namespace kwl
