// A source command's run (libol, lacviet, ...): each input converted whole
// as one copied record, or with --batch as a stream of records; written as
// output records or, with --format, as MARC.
#pragma once

#include "ModMain/Records/Sources.h"
#include "cli/Options.h"

namespace velmora::cli {

int RunSourceCommand(const records::SourceSystem& source, const Options& options);

}  // namespace velmora::cli
