#include "listing/statistics.h"

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
    if (static_cast<int>(e.strWord.size()) > st.longestWord) st.longestWord = static_cast<int>(e.strWord.size());
  }
  st.maxFiles = MostFiles(table);
  return st;
}

}  // namespace kwl
