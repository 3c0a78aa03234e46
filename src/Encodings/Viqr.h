// VIQR (RFC 1456): Vietnamese in ASCII, each mark written after its letter.
//
//   «Vie^.t Nam», «DDu+o+`ng», «Tie^'ng Vie^.t\.» (a full stop after «t»)
//
// Modifiers: ^ circumflex, ( breve, + horn; tones: ` grave, ? hook above,
// ~ tilde, ' acute, . dot below; dd is đ, DD (or Dd) is Đ. A mark joins the
// letter before it whenever the two make a Vietnamese letter; a backslash in
// front keeps it literal («Thu.y\.» is «Thụy.»). The backslash escapes the
// marks, d, D and itself; before anything else it is an ordinary character.
#pragma once

#include <cstddef>
#include <string>

#include "Encodings/EncodeReport.h"
#include "ModMain/Text/Text.h"

namespace velmora::encodings {

// VIQR to Unicode: the marks joined into precomposed letters, escapes
// resolved, every other character unchanged.
Text ReadViqr(TextView viqr);

// Unicode (precomposed letters) to VIQR, escaping what would otherwise join.
// A character that is neither ASCII nor one of the 134 letters cannot be
// written: see EncodeReport.
bool WriteViqr(TextView text, const EncodeOptions& options, std::string& out, EncodeReport& report);

}  // namespace velmora::encodings
