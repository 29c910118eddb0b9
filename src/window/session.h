#pragma once
// Everything one running Kestrawl holds: the desktop services, the message
// catalogue, the main window's run state and controls, the settings record,
// the counter (the word table and the scanner), the common-words list. The driver
// procedures of each subsystem (the count run, the input sources, the
// listing) take a Session; the pieces below them take only what they use.
#include <functional>
#include <string>
#include <vector>

#include "event_pump.h"
#include "platform.h"
#include "main_controls.h"
#include "run_state.h"
#include "scan/scanner.h"
#include "params.h"
#include "catalogue.h"
#include "common_words.h"
#include "count/common_words_list.h"
#include "word_intake.h"
#include "count/counter.h"
#include "count/word_table.h"
#include "counted_source.h"
#include "occurrences_window.h"

namespace kwl {

struct Session {
  // Builds the session with the main window's reactions connected.
  explicit Session(Platform& p);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Platform& platform;
  EventPump pump;
  Catalogue catalogue;
  // The folder holding kwl.dat and the common-words files.
  std::string programFolder;
  // The other folders looked in for kwl.dat without finding it, named when
  // it cannot be opened.
  std::vector<std::string> programFoldersLookedIn;

  RunState run;
  MainControls main;
  Params params;
  Counter counter;
  // The counter's table and scanner under the names the window uses.
  WordTable& aWords = counter.Words();
  CommonWordsList commonWords;
  scan::LineScanner& scanner = counter.Scanner();
  WordIntake intake;

  // The language chooser of the common-words files (a modal window).
  LanguageSelection frmLanguageSelection;

  // The text pieces of the last DOCX extraction.
  std::vector<std::string> docxPieces;

  // What the last count read, to find the words of its list again, and the
  // window that shows their places.
  CountedSource counted;
  OccurrencesWindow frmOccurrences;

  // Windows the engine opens but does not own (set by the Qt binding).
  std::function<void()> showSettingsWindow;
  // The chart window of the list; empty when the program has none (built
  // without Qt Charts), and then no chart is offered.
  std::function<void()> showChartWindow;

  // Catalogue text n.
  const std::string& Text(int n) const { return catalogue.Text(n); }

  // Message boxes as the program composes them.
  Answer Show(const std::string& text, const std::string& title, Buttons buttons = Buttons::Ok,
              Icon icon = Icon::None, std::optional<Answer> defaultButton = std::nullopt) {
    return platform.ShowMessage(MessageBox{text, title, buttons, icon, defaultButton});
  }
  void Warn(const std::string& text, const std::string& title) { Show(text, title, Buttons::Ok, Icon::Warning); }
  void Inform(const std::string& text, const std::string& title) {
    Show(text, title, Buttons::Ok, Icon::Information);
  }
};

}  // namespace kwl
