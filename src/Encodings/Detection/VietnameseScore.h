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
  std::size_t broken = 0;          // words with a character beyond ASCII, or VIQR's marks
                                   // inside («vie^.t» read as it is), that are no syllable
  // Control characters other than tab, the line breaks and the information
  // separators U+001C to U+001F (MARC's delimiters): C0, DEL and C1, which a
  // code page's undefined bytes also read as. Text holds them seldom; a
  // wrong reading of TCVN 5712 VN1 or VISCII, whose capitals are in C0, often.
  std::size_t controls = 0;
  // The syllables weighed by how likely they are in Vietnamese, in factors
  // of ten: each without a diacritic 1, a lone letter («ở», «ý»: also what a
  // stray byte reads as) 0.25; one with a diacritic 1 more or less as it is
  // common in real text («được» up to 2.5, «chốn» near 0, a word of the
  // dictionary that real text seldom has -0.5). A well-formed syllable that
  // is no word of the language («dủa»), and a word with a character beyond
  // ASCII that is no syllable, weigh -1.5: a wrong reading of legacy bytes is
  // made of them.
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
