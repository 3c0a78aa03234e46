// An output record together with where each of its fields came from in the
// working text, for the MARC formats, which write the source's indicators.
#pragma once

#include <vector>

#include "ModMain/Text/Text.h"

namespace velmora::records {

// Where a field of the output record was taken from: the field of the working
// text (tag and occurrence) whose lookup opened it. Subfields that later rows
// join to it may come from other fields («245=10$aT%245=$bS» gives one 245
// whose origin is 245, occurrence 1); the tag may differ (440 is written as 490).
struct FieldOrigin {
  TextView tag;
  int occurrence;
  friend bool operator==(const FieldOrigin&, const FieldOrigin&) = default;
};

// An output record and, in the same order, the origin of each of its fields.
struct TracedRecord {
  Text record;
  std::vector<FieldOrigin> origins;
};

}  // namespace velmora::records
