// The Hue, Hai Phong source: one field per line, the tag and indicators run
// together and two spaces before each subfield code, «24510  aTitle  bSub».
#pragma once

#include "ModMain/Text.h"

namespace velmora {

// The Hue rewrite, from the text with the start marker in front to the
// working text: «ZZZZ␍␊24510  aTitle» becomes «245=10$aTitle».
Text HueRewrite(Text s);

// The box's text (line breaks as CRLF) to the working text: start marker,
// then the rewrite.
Text HueWorkingText(TextView boxText);

// The whole "Hue, Hai Phong" conversion: the working text rebuilt into the
// output record by the variant rebuild.
Text ConvertHue(TextView boxText);

}  // namespace velmora
