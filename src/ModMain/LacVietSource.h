// The LacViet and Emiclib sources: one field per line, the tag, a tab, the
// indicators with "_" for a blank one, subfields introduced by "|":
// «245⇥10|aTitle|bSub». Both systems copy the same layout and share one rewrite.
#pragma once

#include "ModMain/Text.h"

namespace velmora {

// The rewrite shared by LacViet and Emiclib, from the copied text with the
// start marker in front to the working text:
// «ZZZZ␍␊245⇥10|aTitle|bSub␍␊100⇥1_|aAuthor» becomes
// «245=10$aTitle$bSub%100=1#$aAuthor».
Text LacVietRewrite(Text s);

// The copied LacViet text (line breaks as CRLF) to the working text: start
// marker, the rewrite, then the letters written as base + combining tone
// mark joined into precomposed letters.
Text LacVietWorkingText(TextView copied);

// The whole "LacViet" conversion: the working text rebuilt into the output record.
Text ConvertLacViet(TextView copied);

// The copied Emiclib text to the working text: start marker and the same
// rewrite as LacViet; letters stay as they were copied.
Text EmiclibWorkingText(TextView copied);

// The whole "Emiclib" conversion.
Text ConvertEmiclib(TextView copied);

}  // namespace velmora
