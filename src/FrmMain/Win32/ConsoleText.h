// What velmora.exe prints for --help, --version and a usage error. A window
// program has no console of its own: the text goes to the standard stream
// it was given (a pipe or a file), else to the console of the program that
// started it (a cmd or PowerShell window), else into a message box.
#pragma once

#include <string_view>

namespace velmora::frmmain::win32 {

enum class Stream { Output, Error };

// Writes `utf8` (line breaks as LF) where the user who started the program
// sees it.
void WriteForUser(std::string_view utf8, Stream stream);

// Writes `utf8` to the standard stream the program was given, if any;
// whether it was written.
bool WriteToStandardStream(std::string_view utf8, Stream stream);

}  // namespace velmora::frmmain::win32
