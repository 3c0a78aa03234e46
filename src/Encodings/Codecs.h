// Reading a file's bytes in each character representation into Unicode text,
// and writing Unicode text back: a reading function per 8-bit representation,
// and one entry point each way that takes the representation.
//
//   DecodeVni("\xD1\xF6\xF4\xF8ng") gives «Đường»
//   EncodeRepresentation(Representation::Viqr, u"Việt", ...) writes «Vie^.t»
//
// Decoded text has precomposed letters wherever the representation's letters
// are single characters; nothing else of the text changes (line breaks
// included). Encoding reads its input as the Unicode representation reads it
// (a base followed by its tone mark is one letter) and reports what it could
// not write exactly (EncodeReport.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Encodings/EncodeReport.h"
#include "Encodings/Representation.h"
#include "Encodings/TextInput.h"
#include "ModMain/Text/Text.h"

namespace velmora::encodings {

// --- Reading ---------------------------------------------------------------

// The 8-bit representations read every byte: they never fail.
Text DecodeVni(std::string_view bytes);     // bytes 80-9F as Windows-1252 punctuation
Text DecodeTcvn3(std::string_view bytes);   // toned capitals read as lowercase (shared codes)
Text DecodeCp1258(std::string_view bytes);  // as iconv: base + tone byte joined
Text DecodeViscii(std::string_view bytes);
Text DecodeTcvn5712(std::string_view bytes);  // as iconv: base + tone byte joined

// Text files (UTF-8, or UTF-16 with a byte order mark): nullopt, with
// `error`, when the bytes are not well-formed.
std::optional<Text> DecodeUnicode(std::string_view bytes, TextInputError* error = nullptr);
std::optional<Text> DecodeViqr(std::string_view bytes, TextInputError* error = nullptr);

// Any representation that can be read (not unicode-decomposed, which
// DecodeUnicode reads as it reads all Unicode text). `nomarks` reads as
// tcvn3 letters in a text file, as the number code 5 does.
std::optional<Text> DecodeRepresentation(Representation from, std::string_view bytes,
                                         TextInputError* error = nullptr);

// --- Writing ---------------------------------------------------------------

// Appends the bytes of `text` in the representation. Every target but
// unicode and unicode-decomposed is written from the text composed
// canonically (NFC), so that each letter it holds is written whatever
// spelling it came in. Returns false when a character cannot be written and
// options.leaveOutUnwritable is off (then `report` says which and where in
// the composed text, and `out` holds what came before it).
// tcvn3 writes toned capitals with their lowercase letter's code (counted in
// the report); cp1258 writes every letter as the letter table does (a toned
// letter: base byte and tone byte) and every other character as its byte,
// or as a base and tone byte.
bool EncodeRepresentation(Representation to, TextView text, const EncodeOptions& options,
                          std::string& out, EncodeReport& report);

std::string EncodeUnicode(TextView text);            // UTF-8, letters precomposed
std::string EncodeUnicodeDecomposed(TextView text);  // UTF-8, letters base + marks (NFD order)
std::string EncodeNoMarks(TextView text);            // UTF-8, diacritics taken off

// Each of the 134 letters as a base letter and its combining marks in
// canonical order (ệ is e, U+0323, U+0302); đ and Đ, which Unicode does not
// decompose, and every other character stay as they are.
Text DecomposeLetters(TextView text);

}  // namespace velmora::encodings
