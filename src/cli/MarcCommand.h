// velmora-convert marc: MARC files read as one stream of records, repaired
// on --jobs threads in input order (marc_repair does the work), written to
// standard output or -o, with the report on standard error.
#pragma once

namespace velmora::cli {

struct Options;

int RunMarcCommand(const Options& options);

}  // namespace velmora::cli
