// Line breaks as the text box gives them back: every break is CRLF.
#pragma once

#include <string_view>

#include "ModMain/Text/Text.h"

namespace velmora::text {

// The line break of text files and standard output on the platform the
// programs are built for: every writer of text output writes its line breaks
// as this, in bytes or as text.
#ifdef _WIN32
inline constexpr std::string_view kPlatformLineBreak = "\r\n";
inline constexpr TextView kPlatformLineBreakText = kCrlf;
#else
inline constexpr std::string_view kPlatformLineBreak = "\n";
inline constexpr TextView kPlatformLineBreakText = u"\n";
#endif

// CRLF stays; a lone CR or a lone LF becomes CRLF. Used on every text that
// enters a conversion from outside (a file, standard input, the text box),
// so that a record copied with LF line breaks converts like one with CRLF.
Text NormaliseLineBreaks(TextView s);

// The same, appended to `out`.
void AppendNormalisedLineBreaks(TextView s, Text& out);

}  // namespace velmora::text
