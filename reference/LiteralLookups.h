// The four lookups written step by step as they are described, copying
// texts as they go, for the fast lookups (views, early stops) to be checked
// against on arbitrary texts, marks and occurrences.
#pragma once

#include "ModMain/Text/Text.h"

namespace velmora::reference {

// Trim the text, append the delimiter, walk it character by character.
Text LiteralGetToken(TextView text, char16_t delimiter, int index);

// Search `tag` + "=" `occurrence` times, each time in what followed the
// previous match, then the first "%" piece of what is left. A field whose
// content is empty («245=%100=…») is empty text, not the next field.
Text LiteralGetField(TextView text, TextView tag, int occurrence);

// The same with the two-character mark `code` and "$"; an empty value
// («$a$bY») is empty text, not the next subfield.
Text LiteralGetSubfield(TextView fieldText, TextView code, int occurrence);

Text LiteralGetFieldSubfield(TextView text, TextView tag, int occurrence, TextView code,
                             int subOccurrence);

}  // namespace velmora::reference
