// The row machinery shared by the two record rebuilds.
//
// A row looks up one subfield of the working text, cleans the value up and
// appends it to the output record, either as a new field or as a subfield
// joined to the field already written:
//
//   «260=##$aHanoi :$bPublisher,$c2019» becomes «%260=##$aHanoi$bPublisher$c2019»
#pragma once

#include <span>
#include <vector>

#include "ModMain/Records/TracedRecord.h"
#include "ModMain/Text/Text.h"

namespace velmora::records {

enum class Cleanup {
  None,
  RemoveColonsTestThenTrim,  // the one row tested for emptiness before trimming
  RemoveCommasThenTrim,
  RemoveColonsAndSemicolonsThenTrim,  // colons first, then semicolons
  RemoveSemicolonsThenTrim,
};

enum class Emit {
  // The output record gets the opening literal and the value.
  NewField,
  // If the output record already holds the field (the opening up to and
  // including its "="), it gets the subfield mark (the opening's last two
  // characters) and the value; otherwise the opening and the value.
  Joined,
};

struct RebuildRow {
  TextView tag;   // source tag looked up in the working text
  int field;      // field occurrence, from 1
  TextView mark;  // subfield mark looked up, "$a"
  int sub;        // subfield occurrence, from 1
  Cleanup cleanup;
  Emit emit;
  TextView opening;  // "%020=##$c"
};

// A row is well formed when its opening reads «tag=##$x»: the test literal
// of a joined row (up to the "=") and its mark (the last two characters)
// are derived from it.
constexpr bool IsWellFormed(const RebuildRow& row) {
  const std::size_t equals = row.opening.find(u'=');
  return row.tag.size() == 3 && row.mark.size() == 2 && row.mark[0] == u'$' && row.field >= 1 &&
         row.sub >= 1 && equals != TextView::npos && row.opening.size() == equals + 5 &&
         row.opening[row.opening.size() - 2] == u'$';
}

// Appends the values of `rows`, in order, to `out`. With `origins`, also
// appends the origin of every field that a row opens.
void EmitRows(TextView working, std::span<const RebuildRow> rows, Text& out,
              std::vector<FieldOrigin>* origins = nullptr);

}  // namespace velmora::records
