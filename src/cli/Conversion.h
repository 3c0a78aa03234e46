// Running one command of velmora-convert over its input, once the command
// line has been read.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "MarcExchange/RecordStream.h"

namespace velmora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;  // also: a record of a batch dropped
inline constexpr int kExitUsage = 2;

struct Options {
  const Command* command = nullptr;
  std::vector<std::string_view> operands;  // the words before FILE
  ByteRun run;                             // for a command with operands, read from them
  bool working = false;
  // --format: the output records written as MARC; absent is the record text.
  std::optional<marc::OutputFormat> format;
  bool batch = false;  // --batch: records separated by empty lines
  std::string outputPath;
  std::string inputPath;
  bool haveInput = false;
};

// A source command's result is an output record; only those take --format
// and --batch.
inline bool IsSourceCommand(const Command& command) { return command.source != nullptr; }

// A text command's result for the copied text (line breaks as CRLF): the
// output record, or with `working` a source's working text.
Text ConvertCopied(const Command& command, bool working, TextView copied);

void PrintError(std::string_view message);

int Convert(const Options& options);

}  // namespace velmora::cli
