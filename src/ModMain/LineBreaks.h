// Line breaks as the text box gives them back: every break is CRLF.
#pragma once

#include "ModMain/Text.h"

namespace velmora {

// CRLF stays; a lone CR or a lone LF becomes CRLF. Used on every text that
// enters a conversion from outside (a file, standard input, the text box),
// so that a record copied with LF line breaks converts like one with CRLF.
Text NormaliseLineBreaks(TextView s);

// The same, appended to `out`.
void AppendNormalisedLineBreaks(TextView s, Text& out);

}  // namespace velmora
