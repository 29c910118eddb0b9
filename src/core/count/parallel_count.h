#pragma once
// A count read on two threads with the result of a count on one.
//
// Counter::Read splits a large source (LineSource::SplitOffBack) at a line
// start near the middle of its text. The calling thread counts the front
// part as a count on one thread would, with the observer; another thread
// counts the back part with a counter of its own that starts from the state
// of a fresh line (no comment open) and with a copy of the word rules and
// their lists, and reports nothing but its progress.
//
// When the front part has been read to the cut, its result decides:
//  - the front ended in the state the back part assumed (Counter::Carried)
//    and under the same word rules and characters: the back part's table is
//    added to the front's in the back part's found order (counts added, new
//    words appended and reported through NewWord in that order), which is
//    exactly the table, the order, the totals and the new words of a count
//    on one thread;
//  - otherwise (a comment open across the cut, the rules changed from the
//    settings during the count, the back part failed to read or ran out of
//    memory): the back part's result is thrown away and the calling thread
//    reads the back part itself, line after line, so that every outcome,
//    failures included, is that of a count on one thread.
//
// The observer is called on the calling thread only. While the front is
// read, Progress() reports the bytes of both parts; while the calling thread
// then waits for the back part it keeps calling Step() (as often as the back
// part stepped) and Progress(), and watches the rules and the stop request.
// A stop requested while it waits stops the back part after its next word;
// the two tables are then joined and ConfirmStop() asked, which is the stop
// of a count on one thread at that word. A stop confirmed in the front part
// ends the count there: the back part is thrown away.
#include "count/counter.h"
#include "count/line_source.h"
#include "files/status.h"

namespace kwl {

// Reads source into counter as Counter::ReadInOrder would, on two threads
// when source has at least minUnits left and splits. The first sixteenth of
// minUnits is read first on the calling thread alone: when nearly every
// word is a new one, adding the back part's table would cost about what
// counting it costs, so the rest is read in order too. source reads on from
// where the count ended (for a reader that goes on after a failure to count
// a line).
Status ReadInParts(Counter& counter, LineSource& source, CountObserver& observer, std::int64_t minUnits);

}  // namespace kwl
