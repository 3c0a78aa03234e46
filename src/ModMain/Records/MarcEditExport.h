// The MarcEdit export: an output record, fields separated by "%", becomes
// one line per field, «245=00$aTitle%020=##$a123» becomes the two lines
// «=245  00$aTitle» and «=020  ##$a123» (the steps in MarcEditSteps.h).
#pragma once

#include "ModMain/Text/Text.h"

namespace velmora::records {

// The box's text to the MarcEdit lines, separated by CRLF. Text already
// exported comes back unchanged.
Text ExportMarcEdit(TextView boxText);

// The same in the buffer of `boxText`, for a large text.
Text ExportMarcEditInPlace(Text boxText);

}  // namespace velmora::records
