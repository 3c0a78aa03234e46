// A whole-text command's run (marcedit, and pre-unicode with --precompose):
// each input read and converted as one text; the results written once
// every input is converted.
#pragma once

#include "cli/Commands.h"
#include "cli/Options.h"

namespace velmora::cli {

int RunWholeTextCommand(const WholeTextCommand& command, const Options& options);

}  // namespace velmora::cli
