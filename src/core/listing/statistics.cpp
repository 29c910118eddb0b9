#include "listing/statistics.h"

namespace kwl {

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
  return st;
}

}  // namespace kwl
