#pragma once
// The frequency order of the finished word table, with the window's signs of
// life while it is built.
namespace kwl {
struct Session;

// Ranks the included entries by frequency (lngFreqRank) and keeps their order
// in aFrequencyOrder. Yields to the event loop after each count value and
// after each placed entry once start-up is over, and appends " ." to
// txbOutput at every thousandth rank.
void BuildFrequencyOrder(Session& s);

}  // namespace kwl
