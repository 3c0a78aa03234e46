// What velmora-convert says on standard error, and its exit statuses.
//
// A message is one whole sentence pattern with numbered places for what
// varies (a file name, a record, a tag), filled in by messages::Format, so
// that a translation may put them in any order:
//
//   messages::Format("%1: no %2 record found", "a.txt", "Libol")  ->  «a.txt: no Libol record
//   found»
#pragma once

#include <string>
#include <string_view>

namespace velmora::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;  // also: a record of a batch dropped
inline constexpr int kExitUsage = 2;

// "velmora-convert: MESSAGE" on standard error.
void PrintError(std::string_view message);

// «warning: WHERE: WHAT» on standard error, for what a run changed or left
// out of an input it still writes.
std::string Warning(std::string_view where, std::string_view what);

}  // namespace velmora::cli
