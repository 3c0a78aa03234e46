// The Verbrary source: one field per line, tag, indicators and each subfield
// separated by tabs, subfields introduced by "|", the punctuation before the
// next subfield kept: «245⇥10⇥|aTitle :⇥|bsub /⇥|cAuthor.».
#pragma once

#include "ModMain/Text.h"

namespace velmora {

// The Verbrary rewrite, from the copied text (no start marker) to the working
// text: «245⇥10⇥|aTitle :⇥|bsub /⇥|cAuthor.␍␊650⇥#7⇥|aX⇥|xY.␍␊» becomes
// «245=10$aTitle$bsub$cAuthor%650=#7$aX%650=##$aY%».
Text VerbraryRewrite(Text s);

// The copied text (line breaks as CRLF) to the working text: the rewrite,
// then the letters written as base + combining tone mark joined into
// precomposed letters.
Text VerbraryWorkingText(TextView copied);

// The whole "Verbrary" conversion: the working text rebuilt into the output record.
Text ConvertVerbrary(TextView copied);

}  // namespace velmora
