#include "count/common_words_list.h"

namespace kwl {

void CommonWordsList::Replace(std::vector<std::string> words, bool unicode) {
  words_ = std::move(words);
  unicode_ = unicode;
  set_.clear();
  set_.reserve(words_.size());
  for (const auto& w : words_) set_.insert(w);
}

}  // namespace kwl
