// Which fields of a MARC 21 bibliographic record may stand in it more than
// once. MARC 21 marks each tag R (repeatable) or NR; the NR ones are listed
// in NonRepeatableTagTable.h, and every other tag, local ones included, is
// taken as repeatable (650, 653, 700 and 500 repeat in nearly every record).
//
// A batch of copied records reads it to tell where one record ends: a second
// 245 starts the next record, a second 650 does not.
#pragma once

#include <string_view>

#include "MarcExchange/NonRepeatableTagTable.h"

namespace velmora::marc_exchange {

// Whether a field tagged `tag` ("650") may stand in one record more than once.
constexpr bool IsRepeatableTag(std::string_view tag) {
  for (const std::string_view nonRepeatable : kNonRepeatableTags) {
    if (tag == nonRepeatable) return false;
  }
  return true;
}

}  // namespace velmora::marc_exchange
