// Converting the Vietnamese letters of a text from one character
// representation into another, one letter at a time.
//
//   ConvertCharset(«Vi» ê U+0323 «t Nam», 1, 1) gives «Việt Nam»
//   ConvertCharset(«Đường», 1, 2) gives U+00D1 U+00F6 U+00F4 U+00F8 «ng» (VNI bytes)
#pragma once

#include <cstddef>
#include <cstdint>

#include "ModMain/Letters/CharsetCodes.h"
#include "ModMain/Letters/Representation.h"
#include "ModMain/Text/Text.h"

namespace velmora::letters {

// Rewrites every Vietnamese letter of `text` written in `fromCode` as
// `toCode` writes it (the codes of CharsetCodes.h); every other character
// is copied unchanged.
//
// With fromCode 1 a base followed by its tone mark is read as one letter
// (the base itself precomposed where the letter has a breve, circumflex or
// horn), so ConvertCharset(text, 1, 1) joins decomposed tone marks into
// precomposed letters and changes nothing else. Only a whole pair counts: a
// tone mark followed by some base («b» U+0300 «a») is no letter, so fully
// decomposed words such as «lợi» (o U+031B U+0323 i) come back unchanged. A fromCode other than 1,
// 2 and 4 reads the text as TCVN3; a toCode outside 1-5 writes every letter as it was read. Equal
// codes other than 1 return the text unchanged.
Text ConvertCharset(TextView text, std::int32_t fromCode, std::int32_t toCode);

// The same between representations: ConvertCharset with their codes.
// `from` reads with its letter table (unicode, vni, cp1258); every other
// representation reads as TCVN3, as an unknown code does. `to` writes with
// its letter table (unicode, vni, tcvn3, cp1258, nomarks); one without a
// letter table writes every letter as it was read. Equal representations
// other than unicode return the text unchanged.
Text ConvertLetters(TextView text, Representation from, Representation to);

// "To Pre-Unicode": ConvertCharset(text, 1, 1), which joins every base letter
// followed by its combining tone mark into the precomposed letter and changes
// nothing else.
Text JoinToneMarks(TextView text);

// The same in the text's own buffer, which it only shortens.
void JoinToneMarksInPlace(Text& text);

// How many units (1 or 2) ConvertLetters reads as one piece at `pos` of
// `text` in `from`: 2 where a two-unit letter begins. Converting a text
// piece by piece gives the same as converting it whole, so a piece of the
// result can be traced back to its place in the text.
std::size_t LetterPieceLength(TextView text, std::size_t pos, Representation from);

}  // namespace velmora::letters
