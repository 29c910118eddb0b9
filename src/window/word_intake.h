#pragma once
// Where the scanner's words go: the per-word ignore rules (GetWords2) and the
// counting in the word table (AddWordToList), with the display of each new
// word in the main window's text box while a count runs.
#include <string_view>

#include "scan/scanner.h"

namespace kwl {
class CommonWordsList;
class EventPump;
class WordTable;
struct MainControls;
struct Params;
struct RunState;

class WordIntake : public scan::ScanSink {
 public:
  WordIntake(WordTable& table, const CommonWordsList& common, RunState& run, MainControls& main,
             Params& params, EventPump& pump)
      : table_(table), common_(common), run_(run), main_(main), params_(params), pump_(pump) {}

  // ScanSink: while a common-words file is read the words go straight to the
  // table; otherwise each is counted in lngTotalNumOccurrences and filtered.
  void Word(std::string_view word) override;
  // Pumps events (throttled) once start-up has completed.
  void Yield() override;
  bool Stopped() override;

  // Applies the per-word rules in order and counts the survivors.
  void GetWords2(std::string_view word);
  // Counts one occurrence (words above intMaxWordLength are dropped) and
  // shows a new word in txbOutput unless display is suppressed.
  void AddWordToList(std::string_view word);

 private:
  void ShowNewWord(std::string_view word);

  WordTable& table_;
  const CommonWordsList& common_;
  RunState& run_;
  MainControls& main_;
  Params& params_;
  EventPump& pump_;
};

}  // namespace kwl
