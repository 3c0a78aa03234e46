// The MarcEdit export's rewrite: an output record, fields separated by "%",
// becomes one line per field. «245=00$aTitle%020=##$a123» becomes
// «=245  00$aTitle␍␊=020  ##$a123».
#pragma once

#include "ModMain/Records/Rewrite.h"

namespace velmora::records {

inline constexpr RewriteStep kMarcEditSteps[] = {
    // «245=00$aTitle» -> «=245  00$aTitle» (two spaces), only for the tag of
    // a field: at the start of the text or directly after "%". Digits before
    // "=" inside a value («$aA 1999=B») are data and stay as they are.
    /* 1 */ RewriteStep::FieldStartTags(u"%", u"=", u"=", u"  "),
    /* 2 */ RewriteStep::Substitute(u"%", text::kCrlf),
};

}  // namespace velmora::records
