// What a warning says of a piece of a record that the MARC formats changed or
// left out.
#pragma once

#include <string>

#include "MarcExchange/MarcRecord.h"

namespace velmora::cli {

// «field 245, character 12: U+0001 replaced by U+FFFD» or «field 245,
// character 8: text before the field's first subfield, 'x' left out»:
// where the issue stands in `record` (the text the MARC formats read, in
// which issue.position counts) and what was done.
std::string DescribeIssue(const marc_exchange::ParseIssue& issue, TextView record);

}  // namespace velmora::cli
