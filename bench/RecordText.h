// Realistic record texts of a given size for the benchmarks.
#pragma once

#include <cstddef>

#include "ModMain/Text.h"

namespace velmora::bench {

// A copied Libol record of about 2 KB, line breaks as CRLF.
TextView LibolRecord();

// Copies of `record` one after another until the text holds at least
// `units` code units.
Text Repeated(TextView record, std::size_t units);

}  // namespace velmora::bench
