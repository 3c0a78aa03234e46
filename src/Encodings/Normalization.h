// Unicode's canonical normalisation forms (UAX #15) over UTF-16 text, from
// the tables of unicode-data (NormalizationTables.h), Hangul by algorithm.
//
//   ToNfc(«Vie» U+0323 U+0302 «t»)   «Việt»
//   ToNfd(«Việt»)                    «Vie» U+0323 U+0302 «t»
//
// NFD writes every character as its full canonical decomposition, the marks
// after each starter in canonical order; NFC then composes each starter with
// the marks that may join it. Both are linear in the text's length: text that
// needs no change is only looked at (ASCII a unit at a time), and a run of
// marks is put in order by a counting sort. A lone surrogate passes through
// as the unit it is.
#pragma once

#include <cstdint>
#include <string>

#include "ModMain/Text/Text.h"

namespace velmora::encodings {

Text ToNfc(TextView text);
Text ToNfd(TextView text);

// The same in the text's own buffer, untouched when nothing changes.
void ToNfcInPlace(Text& text);

// Whether ToNfc(text) == text, without building it where the quick check
// answers.
bool IsNfc(TextView text);

// --- The pieces, for writers that compose by their own rules -------------

// The canonical combining class: 0 for a starter.
std::uint8_t CombiningClass(char32_t character);

// The primary composite of `first` followed by `second` (a Hangul syllable
// from its jamo included), or 0 when they do not compose.
char32_t ComposePair(char32_t first, char32_t second);

// Appends the full canonical decomposition of `character` (itself when it has
// none), its marks in canonical order.
void AppendCanonicalDecomposition(char32_t character, std::u32string& out);

// Whether NFC never joins `character` to what comes before it, nor anything
// after it to what came before: a combining class of 0 and a quick check of
// Yes. A text may be normalised piece by piece between such characters.
bool StartsNfcSegment(char32_t character);

}  // namespace velmora::encodings
