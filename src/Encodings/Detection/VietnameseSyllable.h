// Whether a word is a well-formed Vietnamese syllable: an onset, a rime
// (vowel nucleus with its glides and final consonant) and at most one tone
// mark, standing where Vietnamese spelling puts it.
//
//   «Việt», «người», «quyển», «giữa», «hoà» and «hòa», «THUỶ»   yes
//   «Vieät» (VNI bytes read as Windows-1258), «strong», «kan», «tàc»   no
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "ModMain/Text/Text.h"

namespace velmora::detection {

// In the order of the tone marks in ModMain/VietnameseLetters.h.
enum class SyllableTone : std::uint8_t { Level, Grave, HookAbove, Tilde, Acute, DotBelow };

// A well-formed syllable: its letters in lowercase without the tone mark,
// where its rime starts and its tone. «Người»: «ngươi», onset «ng», rime
// «ươi», grave; «gìn»: onset «g», rime «in»; «quân»: onset «qu», rime «ân»;
// «quýt»: onset «q», rime «uyt».
struct SyllableParts {
  std::array<char16_t, 7> letters{};  // the longest syllable, «nghiêng», has seven
  std::uint8_t length = 0;
  std::uint8_t rimeStart = 0;
  SyllableTone tone = SyllableTone::Level;

  std::u16string_view Onset() const { return {letters.data(), rimeStart}; }
  std::u16string_view Rime() const {
    return {letters.data() + rimeStart, static_cast<std::size_t>(length - rimeStart)};
  }
};

// `word` holds letters only: precomposed Vietnamese letters, ASCII letters,
// or base letters followed by combining marks (tone marks, and the
// circumflex, breve and horn of fully decomposed text), in any case. Both
// tone placements in use are accepted for «oa», «oe» and «uy» without a final
// consonant («hoà», «hòa»). The rules:
// - onsets b c ch d đ g gh gi h k kh l m n ng ngh nh p ph qu r s t th tr v x
//   or none, with k, gh, ngh only before i, y, e, ê, and c, g, ng never there;
// - the rime one of the rimes of the language (kRimes in the .cpp);
// - a rime ending in c, ch, p or t takes only the acute or the dot below;
// - the tone mark on the vowel with a diacritic (the second of «ươ»), else
//   on the last vowel before a final consonant, else on the first of two
//   vowels or the middle one of three.
// nullopt for a word that breaks them.
std::optional<SyllableParts> ReadSyllable(TextView word);
bool IsVietnameseSyllable(TextView word);

}  // namespace velmora::detection
