// A streaming command's run (pre-unicode, charset, detect): each input
// streamed in turn to the output by the command's own run, the outputs one
// after another.
#pragma once

#include "cli/Options.h"

namespace velmora::cli {

int RunStreamCommand(const Options& options);

}  // namespace velmora::cli
