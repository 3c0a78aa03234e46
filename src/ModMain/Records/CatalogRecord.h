// The catalogue record rebuild: from the working text to the output record
// pasted into the catalogue, «245=00$aTitle$bSub%100=##$aAuthor».
#pragma once

#include "ModMain/Records/TracedRecord.h"
#include "ModMain/Text/Text.h"

namespace velmora::records {

// Keeps a fixed selection of fields and subfields in a fixed order, with the
// title's indicators "00" and every other field's "##". Never fails; a
// working text with none of the selected fields gives empty text.
Text BuildCatalogRecord(TextView text);

// The same record with the origin of each field: the title's is the first 245.
TracedRecord BuildCatalogRecordTraced(TextView text);

}  // namespace velmora::records
