#include "params.h"

#include "settings/settings.h"

namespace kwl {

Params::Params() {
  struct Caption { CheckBox* box; const char* text; };
  const Caption captions[] = {
      {&chkCaseSignificant, "Upper/lower case significant"},
      {&chkIgnoreShortWords, "Ignore words with fewer than"},
      {&chkIgnoreInfrequentWords, "Ignore words with fewer than"},
      {&chkIgnoreRepetitions, "Ignore a word if consists of a repetition of a single letter"},
      {&chkIgnoreRomNum40, "Ignore Roman numerals < XL (40)"},
      {&chkIgnoreNoLetter, "Ignore word if it lacks a letter (e.g. numbers)"},
      {&chkAllowWordsWithHyphens, "hyphens -"},
      {&chkAllowWordsWithApostrophes, "apostrophes '"},
      {&chkAllowWordsWithUnderscores, "underscores _"},
      {&chkAllowWordsWithColons, "colons :"},
      {&chkAllowWordsWithBackslashes, "backslashes \\"},
      {&chkAllowWordsWithForwardslashes, "forward slashes /"},
      {&chkAllowWordsWithPeriods, "periods ."},
      {&chkAllowWordsWithAtSigns, "at-signs @"},
      {&chkAllowWordsWithNumerals, "numerals"},
      {&chkDropFinalS, "Drop final 's' unless 'ss' or vowel+'s'"},
      {&chkOutputWithCommas, "Include commas in output file"},
      {&chkAllowCommentMarkers, "Allow start- and end-comment markers"},
      {&chkWarnOnOverwrite, "Warn before overwriting output file"},
      {&chkSaveStateOnQuit, "Save settings on quit"},
      {&chkOnly7bitASCII, "Allow only 7-bit ASCII characters"},
      {&chkIgnoreCommonWords, "Ignore common words in file:"},
      {&chkShowFiles, "Show in how many files each word occurs"},
      {&chkUnicodeWords, "Words in every script (Unicode)"},
  };
  for (const auto& c : captions) c.box->SetCaption(c.text);
  cmdClearCommonWordsFile.SetCaption("Clear");
  cmdSelectCommonWordsFile[0].SetCaption("Select some other common words file");
  cmdSelectCommonWordsFile[1].SetCaption("Select common words in some language");
  cmdClose.SetCaption("Close");
  cmdSetOrClearCheckboxes[0].SetCaption("Clear checkboxes");
  cmdSetOrClearCheckboxes[1].SetCaption("Set checkboxes");
  cmdRestoreDefaults.SetCaption("Restore defaults");
  cmdClearWordsToIgnore.SetCaption("Clear");
  cmdSaveLoadState[0].SetCaption("Save settings to file");
  cmdSaveLoadState[1].SetCaption("Load settings from file");
  cmdInitialize.SetCaption("Reinitialize");
  cmdQuit.SetCaption("Quit");
  lblParameters.SetCaption("State loaded from:");
  frmParams.SetVisible(false);
  const Settings defaults;
  txbStartComment[0].SetText(defaults.startComment1);
  txbEndComment[0].SetText(defaults.endComment1);
  txbStartComment[1].SetText(defaults.startComment2);
  txbEndComment[1].SetText(defaults.endComment2);
  FillLists();
}

void Params::FillLists() {
  cboShortWordSize.Clear();
  for (int n = 2; n <= 15; ++n) cboShortWordSize.AddItem(std::to_string(n));
  cboLongWordSize.Clear();
  for (int k = 0; k <= 15; ++k) cboLongWordSize.AddItem(std::to_string(15 + 5 * k));
  cboThresholdFrequency.Clear();
  for (int n = 2; n <= 9; ++n) cboThresholdFrequency.AddItem(std::to_string(n));
  const Settings defaults;
  cboShortWordSize.SetListIndex(defaults.shortWordSizeIndex);
  cboLongWordSize.SetListIndex(defaults.longWordSizeIndex);
  cboThresholdFrequency.SetListIndex(defaults.thresholdFrequencyIndex);
}

int Params::ShortWordSize() const { return cboShortWordSize.ListIndex() + 2; }
int Params::LongWordSize() const { return 15 + 5 * cboLongWordSize.ListIndex(); }
int Params::ThresholdFrequency() const { return cboThresholdFrequency.ListIndex() + 2; }

}  // namespace kwl
