// The Libol source: one field per line, «245    10$aTitle $bSub».
#pragma once

#include "ModMain/Text.h"

namespace velmora {

// The Libol rewrite, from the copied text with the start marker in front to
// the working text: «ZZZZ␍␊245    10$aTitle $bSub» becomes «245=10$aTitle$bSub».
Text LibolRewrite(Text s);

// The copied text (line breaks as CRLF) to the working text: start marker,
// then the rewrite.
Text LibolWorkingText(TextView copied);

// The whole "Libol" conversion: the working text rebuilt into the output record.
Text ConvertLibol(TextView copied);

}  // namespace velmora
