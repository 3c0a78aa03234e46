// Writing Unicode text as the MARC-8 bytes of one field.
//
//   «Nguyễn Văn Trường»   «Nguy\xE3\xE4en V\xE6an Tr\xBD\xE1\xBCng»
//   «Москва»              «\x1B(NmOSKWA\x1B(B» (basic Cyrillic, then back to ASCII)
//
// Every character is written as MARC-8 holds it, whatever its Unicode
// spelling (precomposed, decomposed or mixed): a letter MARC-8 has as one
// code as that code (ơ ư Ơ Ư BC BD AC AD, đ Đ B3 A3), else its base and
// combining marks, the marks in canonical order before the base, each mark
// MARC-8 lacks composed into the base where that gives a letter it has
// («ợ»: the dot below F2, then ơ BC). What MARC-8 holds as it stands is
// written as it stands. An escape sequence is written only where a
// character's set is not in G0 or G1 already, and the field ends with basic
// Latin and ANSEL in place again.
//
// A character MARC-8 cannot hold (nor the controls ESC, 1D and 1E, which
// would end the record or the field, nor a mark with no base before it;
// the subfield delimiter 1F is written as it is) stops the writing,
// and the report names it and where it stands; with leaveOutUnwritable it is
// left out and counted instead.
#pragma once

#include <string>

#include "Encodings/EncodeReport.h"
#include "ModMain/Text/Text.h"

namespace velmora::encodings {

// Appends the MARC-8 bytes of `text`; false when a character cannot be
// written (then `out` holds what came before its cluster).
bool EncodeMarc8(TextView text, const EncodeOptions& options, std::string& out,
                 EncodeReport& report);

}  // namespace velmora::encodings
