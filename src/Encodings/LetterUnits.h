// How the charset command converts between representations: a file's bytes
// are read into the units the letter tables hold (VNI and TCVN3 bytes as the
// units of equal value, every other representation as Unicode), the letters
// are converted by ConvertLetters, and the result is written. Converting
// this way gives, between the representations that have number codes,
// exactly what ConvertCharset gives.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Encodings/EncodeReport.h"
#include "Encodings/Representation.h"
#include "ModMain/Text/Text.h"

namespace velmora::encodings {

// The representation whose letter table ConvertLetters reads and writes a
// representation's units with: its own for vni, tcvn3 and nomarks; unicode
// for the others, which are read into Unicode and written from it.
Representation LetterUnitsOf(Representation representation);

// Appends the units of an 8-bit file: VNI and TCVN3 through Windows-1252 (so
// bytes A0-FF are the units of equal value, 80-9F punctuation); the others
// as their code page reads them.
void AppendEightBitUnits(Representation from, std::string_view bytes, Text& out);

// How many letters of `units`, read as `from` reads them, are capitals with
// a tone mark (which TCVN3 writes with the lowercase letter's code).
std::size_t CountTonedCapitals(TextView units, Representation from);

// Whether Unicode text is composed canonically (NFC) before it is written
// in `to`: so for every target that holds letters as codes of its own (the
// 8-bit code pages, VIQR, nomarks), whose letters would otherwise be missed
// when they come decomposed («e» U+0302 U+0301 is VISCII's «ế»). unicode
// keeps the text's own spelling (tone marks joined), unicode-decomposed
// decomposes.
bool ComposesBeforeWriting(Representation to);

// Appends `converted` (the result of ConvertLetters into LetterUnitsOf(to))
// as the target's bytes.
bool EncodeConverted(Representation to, TextView converted, const EncodeOptions& options,
                     std::string& out, EncodeReport& report);

}  // namespace velmora::encodings
