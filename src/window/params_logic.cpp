#include "params_logic.h"

#include <optional>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "session.h"
#include "text_file.h"
#include "window_state.h"
#include "count/limits.h"
#include "count/rules_from_settings.h"
#include "count/words_to_ignore.h"
#include "sources/input_notices.h"
#include "text/cp1252.h"

namespace kwl {

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
      &p.txbCommonWordsFile, &p.chkOnly7bitASCII, &p.chkShowFiles, &p.chkUnicodeWords};
  for (const Control* c : controls)
    if (c->Name() == name) return c;
  return nullptr;
}

Control* SettingsControl(Session& s, std::string_view name) {
  return const_cast<Control*>(SettingsControl(std::as_const(s), name));
}

// unicode: whether the Unicode setting is on once every line is applied;
// the words to ignore (line 3) are taken in that mode, before line 40 is.
void ApplyLine(Session& s, const Settings& settings, const SettingLine& line, bool unicode) {
  if (line.text == &Settings::commonWordsFile) s.run.strCommonWordsFile = settings.commonWordsFile;
  Control* control = SettingsControl(s, line.name);
  if (auto* box = dynamic_cast<TextBox*>(control)) {
    box->SetText(settings.*line.text);
  } else if (auto* check = dynamic_cast<CheckBox*>(control)) {
    check->SetValue(static_cast<std::int16_t>(settings.*line.number));
  } else if (auto* list = dynamic_cast<ComboBox*>(control)) {
    list->SetListIndex(settings.*line.number);
  }
  if (line.text == &Settings::wordsToIgnore) NormaliseWordsToIgnore(s, unicode);
}

// CheckAllowedExtraChars in the given mode.
bool CheckAllowedExtraChars(Session& s, bool unicode) {
  const Params& p = s.params;
  if (!s.run.blnStartUpCompleted || p.selfChange || p.setOrClear || p.txbWordsToIgnore.Text().empty()) return true;
  const std::string allowed = AllowedExtraChars(CurrentSettings(s));
  // A count takes its characters when it starts; a box ticked in the settings
  // window while one is under way changes them from the next character on.
  s.counter.SetAllowedExtraChars(allowed);
  if (unicode) {
    const std::int32_t c = FirstUnicodeCharacterNotAllowed(p.txbWordsToIgnore.Text(), allowed);
    if (c >= 0) s.Warn(UnicodeCharacterNotAllowedText(static_cast<char32_t>(c)), "Character not allowed");
    return c < 0;
  }
  const int c = FirstCharacterNotAllowed(cp1252::FromUtf8(p.txbWordsToIgnore.Text()), allowed);
  if (c >= 0) {
    const char ch = static_cast<char>(c);
    std::string message = CharacterNotAllowedText(ch);
    if (ch == ',') message += "\r\n\r\nWords-to-ignore must be separated by a space, not by a comma.";
    s.Warn(message, "Character not allowed");
    return false;
  }
  return true;
}

bool UnicodeMode(const Session& s) { return s.params.chkUnicodeWords.Value() == 1; }

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
  const bool unicode = lines >= 40 ? settings.unicodeWords == 1 : UnicodeMode(s);
  for (const SettingLine& line : kSettingsFile)
    if (line.line <= lines) ApplyLine(s, settings, line, unicode);
}

void SetDefaultValues(Session& s) {
  s.run.blnWordsGot = false;
  const Settings defaults;
  for (const SettingLine& line : kSettingsFile)
    if (line.restoredByDefaults) ApplyLine(s, defaults, line, defaults.unicodeWords == 1);
}

void Initialize(Session& s) {
  const Settings defaults;
  s.main.txbFile[0].SetText(defaults.inputFile);
  ForgetInputSizes(s);
  s.main.txbFile[1].SetText(defaults.outputFile);
  s.main.chkUTF8.SetValue(0);
  s.params.txbWordsToIgnore.SetText(defaults.wordsToIgnore);
  SetDefaultValues(s);
  s.main.chkSuppressWords.SetValue(static_cast<std::int16_t>(defaults.suppressWords));
  s.params.txbCommonWordsFile.SetText(defaults.commonWordsFile);
  s.run.strCommonWordsFile = defaults.commonWordsFile;
  s.params.txbParametersFile.Clear();
  NormaliseWordsToIgnore(s);
  UpdateDisableOutputCheckBox(s);
}

void NormaliseWordsToIgnore(Session& s) { NormaliseWordsToIgnore(s, UnicodeMode(s)); }

void NormaliseWordsToIgnore(Session& s, bool unicode) {
  const std::string& text = s.params.txbWordsToIgnore.Text();
  const std::optional<std::string> words =
      unicode ? NormaliseUnicodeWordsToIgnore(text) : kwl::NormaliseWordsToIgnore(text);
  if (!words) {
    s.run.strWordsToIgnore.Clear();
    return;
  }
  s.params.txbWordsToIgnore.SetText(unicode ? *words : cp1252::ToUtf8(*words));
  s.run.strWordsToIgnore.Set(IgnoreListText(*words), unicode);
  CheckAllowedExtraChars(s, unicode);
}

void TakeWordsToIgnoreQuietly(Session& s) {
  const bool unicode = UnicodeMode(s);
  const std::string& text = s.params.txbWordsToIgnore.Text();
  const std::optional<std::string> words =
      unicode ? NormaliseUnicodeWordsToIgnore(text) : kwl::NormaliseWordsToIgnore(text);
  if (words) {
    s.run.strWordsToIgnore.Set(IgnoreListText(*words), unicode);
  } else {
    s.run.strWordsToIgnore.Clear();
  }
}

bool CheckAllowedExtraChars(Session& s) { return CheckAllowedExtraChars(s, UnicodeMode(s)); }

}  // namespace kwl
