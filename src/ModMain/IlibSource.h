// The iLib source: one field per line, its columns separated by tabs,
// «245⇥10⇥a⇥Title⇥b⇥Sub».
#pragma once

#include "ModMain/Text.h"

namespace velmora {

// The iLib rewrite, from the copied text with the start marker in front to
// the working text: «ZZZZ␍␊245⇥10⇥a⇥Title⇥b⇥Sub» becomes «245=10$aTitle$bSub».
Text IlibRewrite(Text s);

// The copied text (line breaks as CRLF) to the working text: start marker,
// then the rewrite.
Text IlibWorkingText(TextView copied);

// The whole "Ilib 4X-8X" conversion: the working text rebuilt into the
// output record.
Text ConvertIlib(TextView copied);

}  // namespace velmora
