#include "clipboard_source.h"

#include <exception>
#include <new>
#include <optional>
#include <string>

#include "count_run.h"
#include "progress.h"
#include "session.h"
#include "counted_source.h"
#include "window_state.h"
#include "word_filters.h"
#include "count/limits.h"
#include "files/status.h"
#include "sources/clipboard_text.h"
#include "sources/input_notices.h"
#include "files/run_error.h"
#include "text/number_text.h"

namespace kwl {
namespace {

void SetClipboardSizeLabel(Session& s, std::size_t n) {
  const std::string size = n == 0 ? "0 bytes" : s.platform.FormatGrouped(static_cast<std::int64_t>(n)) + " bytes";
  s.main.lblSizeOfClipboardContents.SetCaption(size + " on the clipboard.");
}

// What follows every read, accepted or failed: the statistics hidden, the
// counted words forgotten, the focus on the main command.
void AfterClipboardRead(Session& s) {
  ConcealNumWords(s, true);
  s.run.blnWordsGot = false;
  SetTheFocus(s);
}

}  // namespace

void ShowClipboardSize(Session& s) {
  try {
    SetClipboardSizeLabel(s, Utf16Length(s.platform.ClipboardText()));
  } catch (const std::exception&) {
    s.main.lblSizeOfClipboardContents.SetCaption("");
  }
}

bool GetClipboardText(Session& s, bool show) {
  MainControls& m = s.main;
  RunState& r = s.run;
  m.txbOutput.Clear();
  std::size_t n = 0;
  try {
    std::string text = s.platform.ClipboardText();
    const Status check = CheckClipboardText(text, kMaxClipboardChars, n);
    const std::optional<Notice> refusal =
        ClipboardTextRefusal(check, n, [&s](std::int64_t k) { return s.platform.FormatGrouped(k); });
    if (check.kind == Status::Kind::kEmpty) {
      m.lblSizeOfClipboardContents.SetCaption("");
      s.Show(refusal->text, refusal->title);
      return false;
    }
    SetClipboardSizeLabel(s, n);
    if (refusal) {
      s.Show(refusal->text, refusal->title);
      return false;
    }
    r.strClipboardText = std::move(text);
    if (show) m.txbOutput.SetText(r.strClipboardText);
    AfterClipboardRead(s);
    return true;
  } catch (const std::bad_alloc&) {
    std::string message = "There is too much text on the clipboard to paste into the textbox.";
    if (n < static_cast<std::size_t>(kMaxClipboardChars))
      message += "\r\nIt may, however, still be possible to count word frequencies.";
    s.Warn(message, s.Text(34));
  } catch (const RunError& e) {
    s.Warn(s.Text(34) + Str(e.Number()) + ": " + e.Description(), s.Text(34));
  }
  AfterClipboardRead(s);
  return false;
}

bool DoItFromClipboard(Session& s) {
  MainControls& m = s.main;
  RunState& r = s.run;
  if (!IsPlainText(r.strClipboardText, 3000, true)) {
    const Notice notPlain = NotPlainTextNotice();
    s.Warn(notPlain.text, notPlain.title);
    return false;
  }
  const std::int16_t suppressSaved = m.chkSuppressWords.Value();
  bool ok = false;
  try {
    cmdClearOutput_Click(s);
    CountRules rules = MakeCountRules(s);
    // The clipboard's text has no comment markers and no character entities.
    rules.markup = scan::MarkupKind{"", false};
    StartCount(s, rules);
    NoteCountedClipboard(s);
    r.blnStop = false;
    SetRunPhase(s, RunPhase::kCounting);
    EnableControls(s, false);
    m.txbOutput.Clear();
    ClipboardTextSource source(r.strClipboardText, !rules.word.caseSignificant);
    source.SetUnicode(rules.unicode);
    // The text is one line: a stop request ends it at once, unasked.
    s.intake.askBeforeStopping = false;
    const Status status = s.counter.Read(source, s.intake);
    s.intake.askBeforeStopping = true;
    r.lngTotalNumOccurrences = s.counter.TotalOccurrences();
    if (!status.Ok() && status.kind != Status::Kind::kStopped) throw RunError::FromStatus(status);
    ok = true;
  } catch (const RunError& e) {
    ReportError(s, e.Number(), e.Description(), "DoItFromClipboard");
  } catch (const std::bad_alloc&) {
    ReportError(s, 7, "Out of memory", "DoItFromClipboard");
  }
  if (!ok) {
    // The run does not go on to the listing, which would have given the
    // controls back: give them back here.
    m.lblTwirler.SetCaption(" ");
    EnableControls(s, true);
    SetRunPhase(s, RunPhase::kIdle);
  }
  m.chkSuppressWords.SetValue(suppressSaved);
  SetTheFocus(s);
  return ok;
}

}  // namespace kwl
