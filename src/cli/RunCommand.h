// Running the command of velmora-convert over its inputs, once the command
// line has been read: the run of the command's kind.
#pragma once

#include "cli/Options.h"

namespace velmora::cli {

int RunCommand(const Options& options);

}  // namespace velmora::cli
