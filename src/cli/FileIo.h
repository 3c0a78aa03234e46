// Reading the input and writing the output of velmora-convert.
#pragma once

#include <string>
#include <string_view>

namespace velmora::cli {

// Reads all of `path`, or standard input when `path` is empty or "-".
// On failure returns false and puts the system's reason in `error`.
bool ReadAll(std::string_view path, std::string& bytes, std::string& error);

// Writes `bytes` to standard output.
bool WriteStdout(std::string_view bytes, std::string& error);

// Writes `bytes` to `path` through a temporary file in the same folder that
// is renamed over it, so that a failed run leaves no half-written file.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

}  // namespace velmora::cli
