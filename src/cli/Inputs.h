// The inputs of a run, and how messages name them and the records in them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "ModMain/Text/Text.h"
#include "cli/Options.h"
#include "cli/WholeText.h"

namespace velmora::cli {

// Standard input or output: no path, or "-".
bool IsStandardStream(std::string_view path);

// «standard input», or the path.
std::string InputName(std::string_view path);

// The inputs in turn: standard input when none is named.
std::vector<std::string> InputPaths(const Options& options);

// A text's first line as a message shows it: «245    10$aTitle…», at most
// 60 characters.
std::string FirstLine(TextView text);

// The valid part of a record's first line, for naming a record that does
// not decode.
std::string FirstLine(std::string_view bytes);

// «record 3 ('245    10$aTitle')», after «a.txt: » when `file` names the
// input (a batch of several).
std::string RecordName(std::string_view file, std::size_t number, std::string_view firstLine);

// Reads all of `path` as copied text (ReadCopiedText). Unless it reads,
// `message` says why, naming the input: the system's reason, or where it
// does not decode and what it reads as instead.
ReadResult ReadWholeInput(std::string_view path, Text& copied, std::string& message);

}  // namespace velmora::cli
