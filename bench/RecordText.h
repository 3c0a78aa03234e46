// Record texts for the benchmarks: the bundled sample records.
#pragma once

#include <cstddef>

#include "ModMain/Records/Sources.h"

namespace velmora::bench {

// The source's sample record from examples/, line breaks as CRLF (as the
// window's box and the command line hand it to the conversion).
TextView SampleRecord(records::SourceId id);

// Copies of `record` one after another until the text holds at least
// `units` code units.
Text Repeated(TextView record, std::size_t units);

}  // namespace velmora::bench
