// Signs of life during a run: the elapsed time, the word count, the file
// progress bar, the stop request and the small window reactions around them.
#include <gtest/gtest.h>

#include "count_run.h"
#include "progress.h"
#include "session.h"
#include "window_state.h"
#include "support/test_files.h"

namespace kwl {
namespace {

using test::TestSession;

struct Progress : ::testing::Test {
  TestSession t;
  Session& s = t.session;
  MainControls& m = s.main;
};

TEST_F(Progress, TimerTickCountsSecondsAndShowsTheWordsFound) {
  s.run.blnElapsedTimeRunning = false;
  m.lblTimeElapsed.SetCaption("Time elapsed: 0s");
  Timer2_Timer(s);
  EXPECT_EQ(s.run.lngSecondsElapsed, 0) << "a stopped counter does nothing";

  s.run.blnElapsedTimeRunning = true;
  s.run.lngSecondsElapsed = 59;
  for (int i = 0; i < 2345; ++i) s.aWords.Add(std::string("w").append(std::to_string(i)));
  Timer2_Timer(s);
  EXPECT_EQ(s.run.lngSecondsElapsed, 60);
  EXPECT_EQ(m.lblTimeElapsed.Caption(), "Time elapsed: 1m");
  EXPECT_EQ(m.lblNumberOfWords.Caption(), "Number of different words found so far: 2,345");
}

TEST_F(Progress, WithTheClipboardAsSourceTheTimeLabelKeepsItsText) {
  m.optOnClipboard.Select();
  m.lblTimeElapsed.SetCaption("Time elapsed: 0s");
  s.run.blnElapsedTimeRunning = true;
  s.aWords.Add("one");
  for (int i = 0; i < 5; ++i) Timer2_Timer(s);
  EXPECT_EQ(s.run.lngSecondsElapsed, 5);
  EXPECT_EQ(m.lblTimeElapsed.Caption(), "Time elapsed: 0s");
  EXPECT_EQ(m.lblNumberOfWords.Caption(), "Number of different words found so far: 1");
}

TEST_F(Progress, ConcealNumWordsHidesTheStatistics) {
  Label* labels[] = {&m.lblNumberOfWords, &m.lblNumWordsExcluded, &m.lblNumOccurrences, &m.lblTotalNumOccurrences};
  for (bool concealTime : {false, true}) {
    for (Label* l : labels) l->SetVisible(true);
    m.lblTimeElapsed.SetCaption("Time elapsed: 7s");
    ConcealNumWords(s, concealTime);
    for (Label* l : labels) EXPECT_FALSE(l->Visible()) << l->Name();
    EXPECT_EQ(m.lblTimeElapsed.Caption(), concealTime ? "" : "Time elapsed: 7s");
  }
}

TEST_F(Progress, ProgressBarLabelTurnsIntoABarAndBack) {
  Label& bar = m.lblTotalNumOccurrences;
  ConcealNumWords(s, true);
  SetTotalNumOccurrencesForFileProgressBar(s);
  EXPECT_EQ(bar.Caption(), "[" + std::string(37, ' ') + "]");
  EXPECT_EQ(bar.Alignment(), Align::Left);
  EXPECT_EQ(bar.GetFont(), (Font{"Courier New", 10, true}));
  EXPECT_TRUE(bar.Visible()) << "the bar shows although the scan hid the statistics";
  ResetTotalNumOccurrencesLabel(s);
  EXPECT_EQ(bar.Caption(), "");
  EXPECT_EQ(bar.Alignment(), Align::Right);
  EXPECT_EQ(bar.GetFont(), (Font{"Arial", 10, false}));
  EXPECT_TRUE(bar.Visible());
}

TEST_F(Progress, FileProgressBarRedrawsOnlyWhenItMoves) {
  Label& bar = m.lblTotalNumOccurrences;
  int repaints = 0;
  bar.onRepaint = [&] { ++repaints; };
  FileProgressBar progress(s, 740, true);
  for (int i = 0; i < 740; ++i) progress.Advance(1);
  EXPECT_EQ(progress.BytesRead(), 740);
  EXPECT_EQ(bar.Caption(), "[" + std::string(36, '-') + ">]");
  EXPECT_EQ(repaints, 38) << "positions 0 to 37, each drawn once";

  bar.SetCaption("statistics");
  FileProgressBar hidden(s, 740, false);
  hidden.Advance(740);
  EXPECT_EQ(bar.Caption(), "statistics");
}

TEST_F(Progress, SetTheFocusPicksTheInputButtonThenTheCountButton) {
  std::string focused;
  m.cmdFile[0].onFocus = [&] { focused = "cmdFile(0)"; };
  m.cmdListWords.onFocus = [&] { focused = "cmdListWords"; };
  m.lblTwirler.SetCaption("x");
  m.txbFile[0].SetText("/some/input.txt");
  m.txbFile[1].SetText("");

  m.windowVisible = false;
  SetTheFocus(s);
  EXPECT_EQ(focused, "");
  EXPECT_EQ(m.lblTwirler.Caption(), "x") << "nothing happens while the window is not shown";

  m.windowVisible = true;
  SetTheFocus(s);
  EXPECT_EQ(focused, "cmdFile(0)");
  EXPECT_EQ(m.lblTwirler.Caption(), " ");
  EXPECT_TRUE(m.cmdClearFile[0].Enabled());
  EXPECT_FALSE(m.cmdClearFile[1].Enabled());

  m.cmdFile[0].SetEnabled(false);
  SetTheFocus(s);
  EXPECT_EQ(focused, "cmdListWords");
  focused.clear();
  m.cmdListWords.SetVisible(false);
  SetTheFocus(s);
  EXPECT_EQ(focused, "");
}

TEST_F(Progress, StopRequestAskedOnlyDuringARun) {
  SetRunPhase(s, RunPhase::kCounting);
  t.platform.answers = {Answer::No};
  m.cmdListWords.Click();
  EXPECT_FALSE(s.run.blnStop) << "No does not stop";
  ASSERT_EQ(t.platform.boxes.size(), 1u);
  EXPECT_EQ(t.platform.boxes[0].text, s.Text(75));
  EXPECT_EQ(t.platform.boxes[0].title, s.Text(74));
  EXPECT_EQ(t.platform.boxes[0].defaultButton, Answer::No);
  t.platform.answers = {Answer::Yes};
  m.cmdListWords.Click();
  EXPECT_TRUE(s.run.blnStop);
}

}  // namespace
}  // namespace kwl
