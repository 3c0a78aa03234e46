// The variant record rebuild, for the Hue, Hai Phong source: each subfield
// of the title, ISBN, classification, imprint and physical description
// stands in a field of its own that repeats the tag, and the rebuild joins
// them again: «245=10$aTitle%245=$bSub» becomes «245=##$aTitle$bSub».
#pragma once

#include "ModMain/Records/TracedRecord.h"
#include "ModMain/Text/Text.h"

namespace velmora::records {

// The output record, of the same form as BuildCatalogRecord's, with the
// title's indicators "##" and no clean-up of any value. Never fails; a
// working text with none of the selected fields gives empty text.
Text BuildCatalogRecordHue(TextView text);

// The same record with the origin of each field.
TracedRecord BuildCatalogRecordHueTraced(TextView text);

}  // namespace velmora::records
