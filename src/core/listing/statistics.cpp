#include "listing/statistics.h"

#include <algorithm>

#include "text/utf8_measure.h"

namespace kwl {

std::int32_t MostFiles(const WordTable& table) {
  std::int32_t most = 0;
  if (!table.TracksFiles()) return most;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i)
    if (table[i].blnIncluded && table.Files(i) > most) most = table.Files(i);
  return most;
}

ListStatistics ComputeListStatistics(const WordTable& table, std::int64_t totalOccurrences) {
  ListStatistics st;
  st.totalOccurrences = totalOccurrences;
  for (std::int32_t i = 1; i <= table.NumWords(); ++i) {
    const WordEntry& e = table[i];
    if (!e.blnIncluded) {
      ++st.wordsIgnored;
      continue;
    }
    ++st.wordsListed;
    st.occurrencesListed += e.count;
    if (e.count > st.maxFrequency) st.maxFrequency = e.count;
    st.longestWord = std::max(st.longestWord, WordLength(e.strWord, table.Unicode()));
  }
  st.maxFiles = MostFiles(table);
  return st;
}

}  // namespace kwl
