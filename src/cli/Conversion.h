// Running one command of velmora-convert over its inputs, once the command
// line has been read.
#pragma once

#include <string_view>

#include "cli/Commands.h"
#include "cli/Options.h"

namespace velmora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;  // also: a record of a batch dropped
inline constexpr int kExitUsage = 2;

// A source command's result is an output record; only those take --format,
// --batch and --verbose.
inline bool IsSourceCommand(const Command& command) {
  return command.source != nullptr;
}

// A text command's result for the copied text (line breaks as CRLF): the
// output record, or with `working` a source's working text.
Text ConvertCopied(const Command& command, bool working, TextView copied);

// The same in the buffer of `copied`, for a large text.
Text ConvertCopiedInPlace(const Command& command, bool working, Text copied);

// "velmora-convert: MESSAGE" on standard error.
void PrintError(std::string_view message);

int Convert(const Options& options);

}  // namespace velmora::cli
