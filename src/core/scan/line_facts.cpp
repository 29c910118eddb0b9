#include "scan/line_facts.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kwl::scan {
namespace {

#if !defined(__SSE2__)
// A byte at a time, where SSE2 is missing.
LineFacts Bytewise(char* data, std::size_t n, bool fold) {
  unsigned char all = 0;
  unsigned char blanks = 0;
  unsigned char hyphen = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(data[i]);
    all |= c;
    blanks |= static_cast<unsigned char>((c <= 13) | (c == 0xA0));
    hyphen |= static_cast<unsigned char>(c == '-');
    if (fold && c >= 'A' && c <= 'Z') data[i] = static_cast<char>(c + 32);
  }
  return {all >= 0x80, blanks != 0, hyphen != 0};
}
#endif

#if defined(__SSE2__)
// Sixteen bytes a step. Lines are short (a few dozen bytes), so there is no
// byte-at-a-time remainder: the last sixteen bytes are taken again, which
// changes nothing (the tests only add up and folding twice folds once), and
// a line shorter than sixteen bytes is worked on in a padded copy.
struct Sixteen {
  __m128i all = _mm_setzero_si128();
  __m128i blanks = _mm_setzero_si128();
  __m128i hyphen = _mm_setzero_si128();

  void Take(char* at, bool fold) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    all = _mm_or_si128(all, v);
    // v <= 13 as unsigned bytes: min(v, 13) == v.
    const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(v, _mm_set1_epi8(13)), v);
    blanks = _mm_or_si128(blanks, _mm_or_si128(control, _mm_cmpeq_epi8(v, _mm_set1_epi8(static_cast<char>(0xA0)))));
    hyphen = _mm_or_si128(hyphen, _mm_cmpeq_epi8(v, _mm_set1_epi8('-')));
    if (fold) {
      // Signed comparison: the bytes from 0x80 up are negative, never capitals.
      const __m128i capital = _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8('A' - 1)),
                                            _mm_cmplt_epi8(v, _mm_set1_epi8('Z' + 1)));
      v = _mm_add_epi8(v, _mm_and_si128(capital, _mm_set1_epi8(32)));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(at), v);
    }
  }
  LineFacts Facts() const {
    return {_mm_movemask_epi8(all) != 0, _mm_movemask_epi8(blanks) != 0, _mm_movemask_epi8(hyphen) != 0};
  }
};
#endif

}  // namespace

LineFacts FoldAsciiAndLook(char* data, std::size_t n, bool fold) {
#if defined(__SSE2__)
  Sixteen s;
  if (n < 16) {
    // Padded with a letter, which none of the tests answers yes to.
    char padded[16];
    std::memset(padded, 'a', sizeof padded);
    std::memcpy(padded, data, n);
    s.Take(padded, fold);
    if (fold) std::memcpy(data, padded, n);
    return s.Facts();
  }
  for (std::size_t i = 0; i + 16 <= n; i += 16) s.Take(data + i, fold);
  if (n % 16 != 0) s.Take(data + n - 16, fold);
  return s.Facts();
#else
  return Bytewise(data, n, fold);
#endif
}

}  // namespace kwl::scan
