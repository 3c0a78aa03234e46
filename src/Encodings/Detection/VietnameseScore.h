// How well a text reads as Vietnamese: the share of its words that are
// well-formed Vietnamese syllables.
//
//   «Tôi yêu tiếng Việt.»      4 words, 4 syllables, 4 with diacritics
//   «Tôi yêu tiếng Việt.» as VNI bytes read as Windows-1258, «Toâi yeâu tieáng Vieät.»
//                              4 words, 0 syllables
//   «The quick brown fox»      4 words, 1 syllable («the»)
#pragma once

#include <cstddef>

#include "ModMain/Text/Text.h"

namespace velmora::detection {

struct VietnameseScore {
  std::size_t words = 0;           // pieces between white space, hyphens and slashes
                                   // that hold a letter and no digit
  std::size_t syllables = 0;       // of them, well-formed Vietnamese syllables
  std::size_t marked = 0;          // of the syllables of two letters or more, those
                                   // with a letter beyond ASCII
  std::size_t vietnameseOnly = 0;  // of those, with a letter beyond Latin-1 (ư, ệ, đ)
  std::size_t broken = 0;          // words with a character beyond ASCII that are no syllable
  // The syllables weighed by how likely they are in Vietnamese: each 1, a
  // lone letter («ở», «ý»: also what a stray byte reads as) 0.25; one with a
  // diacritic more or less as its rime and tone («ương» more than «ưởm») and
  // its letters («ư», «đ» more than «ỷ», «ẵ») are common in real text, not
  // below -1.5. A wrong reading of legacy bytes that still gives syllables
  // gives rare ones. Each broken word takes 0.5 off.
  double weight = 0.0;

  // syllables / words; 0 for a text without words.
  double Share() const {
    return words == 0 ? 0.0 : static_cast<double>(syllables) / static_cast<double>(words);
  }
};

// Scores the words of `text`. Punctuation at either end of a word (ASCII,
// and the quotes, dashes and ellipsis of prose) is not part of it; a word
// with anything else inside that is not a letter is no syllable. Linear.
VietnameseScore ScoreVietnamese(TextView text);

}  // namespace velmora::detection
