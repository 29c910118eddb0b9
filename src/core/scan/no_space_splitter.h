#pragma once
// Splits a run of letters of the scripts written without spaces (Han, kana,
// Thai, Lao, Khmer, Myanmar) into words with ICU's dictionary-based word
// break iterator (root locale). A run of any length is split a chunk at a
// time, so time and memory grow with the run, never with its square.
#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>

namespace kwl::scan {

class NoSpaceSplitter {
 public:
  // The bytes of a run handed to the iterator at once. A chunk ends where
  // the last word the iterator found in it begins, so that no word is cut
  // by the end of a chunk unless it fills the chunk.
  static constexpr std::size_t kChunkBytes = std::size_t{64} << 10;

  NoSpaceSplitter();
  ~NoSpaceSplitter();
  // A copy starts with an iterator of its own (made when first needed).
  NoSpaceSplitter(const NoSpaceSplitter&);
  NoSpaceSplitter& operator=(const NoSpaceSplitter&);

  // Hands each word of the UTF-8 run to each, in order; false from each
  // stops and returns false. Without the iterator (ICU lacks its data) each
  // character is a word.
  bool Split(std::string_view run, const std::function<bool(std::string_view)>& each,
             std::size_t chunkBytes = kChunkBytes);

 private:
  struct Iterator;
  std::unique_ptr<Iterator> iterator_;
};

}  // namespace kwl::scan
