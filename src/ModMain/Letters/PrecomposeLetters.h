// Every Vietnamese letter written as its one precomposed character, whatever
// canonically equivalent spelling it came in: «ệ» as U+1EC7 from ê U+0323,
// ẹ U+0302, e U+0323 U+0302 (the canonical order: dot below before
// circumflex) or e U+0302 U+0323. Everything else stays as it came.
#pragma once

#include "ModMain/Text/Text.h"

namespace velmora::letters {

// A base character and the run of those marks after it become the letter of
// VietnameseLetters.h they spell (đ and Đ have no other spelling) and the
// marks left over, in canonical order: Unicode's canonical composition (NFC)
// limited to Vietnamese letters. «e» U+0302 U+0323 gives «ệ»; «ê» U+0301
// U+0301 gives «ế» U+0301; «n» U+0300 (ǹ is no Vietnamese letter), «î» and
// marks with no base stay as they are. A combining mark of any other kind
// ends the run: «e» U+0304 U+0323, a dot below behind a macron, is left as it
// came. The result is canonically equivalent to the text, and a second pass
// changes nothing.
Text PrecomposeLetters(TextView text);

// The same in the text's own buffer, which it only shortens.
void PrecomposeLettersInPlace(Text& text);

}  // namespace velmora::letters
