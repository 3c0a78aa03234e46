// What the record rebuild leaves out of a copied record.
#pragma once

#include <vector>

#include "ModMain/Text/Text.h"

namespace velmora::records {

// The fields of `working` (a working text) whose tag `outputRecord` (the
// rebuild of that working text) does not hold, in their order, each as the
// working text holds it: «500=##$aNote». A field whose text does not begin
// with a tag (the leader of some sources, «000nam a22») counts as its first
// three characters.
std::vector<TextView> FieldsLeftOut(TextView working, TextView outputRecord);

}  // namespace velmora::records
