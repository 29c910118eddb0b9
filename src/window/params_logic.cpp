#include "params_logic.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "session.h"
#include "window_state.h"
#include "count/limits.h"
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


namespace {

// The controls that show values of the settings file, found by the names the
// settings table gives them.
const Control* SettingsControl(const Session& s, std::string_view name) {
  const Params& p = s.params;
  const MainControls& m = s.main;
  const Control* const controls[] = {
      &m.txbFile[0], &m.txbFile[1], &p.txbWordsToIgnore, &p.txbStartComment[0], &p.txbEndComment[0],
      &p.txbStartComment[1], &p.txbEndComment[1], &p.cboShortWordSize, &p.cboLongWordSize,
      &p.cboThresholdFrequency, &p.chkIgnoreShortWords, &p.chkIgnoreInfrequentWords, &p.chkIgnoreCommonWords,
      &p.chkIgnoreRepetitions, &p.chkIgnoreRomNum40, &p.chkIgnoreNoLetter, &p.chkCaseSignificant, &p.chkDropFinalS,
      &p.chkAllowWordsWithHyphens, &p.chkAllowWordsWithApostrophes, &p.chkAllowWordsWithUnderscores,
      &p.chkAllowWordsWithColons, &p.chkAllowWordsWithBackslashes, &p.chkAllowWordsWithForwardslashes,
      &p.chkAllowWordsWithPeriods, &p.chkAllowWordsWithAtSigns, &p.chkAllowWordsWithNumerals,
      &p.chkOutputWithCommas, &p.chkAllowCommentMarkers, &p.chkWarnOnOverwrite, &p.chkSaveStateOnQuit,
      &m.chkSuppressWords, &m.chkDisableOutputToFile, &m.cboWordOrder, &m.cboDisplayFormat,
      &p.txbCommonWordsFile, &p.chkOnly7bitASCII};
  for (const Control* c : controls)
    if (c->Name() == name) return c;
  return nullptr;
}

Control* SettingsControl(Session& s, std::string_view name) {
  return const_cast<Control*>(SettingsControl(std::as_const(s), name));
}

void ApplyLine(Session& s, const Settings& settings, const SettingLine& line) {
  if (line.text == &Settings::commonWordsFile) s.run.strCommonWordsFile = settings.commonWordsFile;
  Control* control = SettingsControl(s, line.name);
  if (auto* box = dynamic_cast<TextBox*>(control)) {
    box->SetText(settings.*line.text);
  } else if (auto* check = dynamic_cast<CheckBox*>(control)) {
    check->SetValue(static_cast<std::int16_t>(settings.*line.number));
  } else if (auto* list = dynamic_cast<ComboBox*>(control)) {
    list->SetListIndex(settings.*line.number);
  }
  if (line.text == &Settings::wordsToIgnore) NormaliseWordsToIgnore(s);
}

}  // namespace

Settings CurrentSettings(const Session& s) {
  Settings settings;
  for (const SettingLine& line : kSettingsFile) {
    const Control* control = SettingsControl(s, line.name);
    if (const auto* box = dynamic_cast<const TextBox*>(control)) {
      settings.*line.text = box->Text();
    } else if (const auto* check = dynamic_cast<const CheckBox*>(control)) {
      settings.*line.number = check->Value();
    } else if (const auto* list = dynamic_cast<const ComboBox*>(control)) {
      settings.*line.number = list->ListIndex();
    }
  }
  settings.commonWordsFile = s.run.strCommonWordsFile;
  return settings;
}

void ApplySettings(Session& s, const Settings& settings, int lines) {
  for (const SettingLine& line : kSettingsFile)
    if (line.line <= lines) ApplyLine(s, settings, line);
}

void SetDefaultValues(Session& s) {
  s.run.blnWordsGot = false;
  const Settings defaults;
  for (const SettingLine& line : kSettingsFile)
    if (line.restoredByDefaults) ApplyLine(s, defaults, line);
  s.scanner.markers.SetCommentMarkers("C");
}

void Initialize(Session& s) {
  const Settings defaults;
  s.main.txbFile[0].SetText(defaults.inputFile);
  s.main.txbFile[1].SetText(defaults.outputFile);
  s.main.chkUTF8.SetValue(0);
  s.params.txbWordsToIgnore.SetText(defaults.wordsToIgnore);
  SetDefaultValues(s);
  s.main.chkSuppressWords.SetValue(static_cast<std::int16_t>(defaults.suppressWords));
  s.params.txbCommonWordsFile.SetText(defaults.commonWordsFile);
  s.run.strCommonWordsFile = defaults.commonWordsFile;
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
  s.scanner.SetAllowedExtraChars(allowed, kProhibitedInitialOrFinalChars);
  // Which characters may stand in a word to ignore, decided once per character
  // value rather than for each character of a list that may be long.
  std::array<bool, 256> fine{};
  for (int c = 0; c < 256; ++c)
    fine[static_cast<std::size_t>(c)] = scan::IsTableLetter(static_cast<unsigned char>(c)) || c == ' ' ||
                                        allowed.find(static_cast<char>(c)) != std::string::npos;
  const std::string text = cp1252::FromUtf8(p.txbWordsToIgnore.Text());
  for (char ch : text) {
    if (fine[static_cast<unsigned char>(ch)]) continue;
    const bool neverAllowed = kNeverAllowedChars.find(ch) != std::string::npos;
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
