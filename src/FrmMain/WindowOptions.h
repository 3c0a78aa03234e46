// The window program's own command line, the same on every platform:
//   velmora [--hotkey KEYS | --no-hotkey] [--help] [--version]
// plus the window system's own options (Qt's -platform and the like),
// which the front end names and hands on.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "FrmMain/KeyCombination.h"

namespace velmora::frmmain {

// An option of the window system's own, accepted as it stands.
struct ToolkitOption {
  std::string_view name;  // "-platform"; also read with two dashes or as -name=value
  bool takesValue;
};

struct WindowOptions {
  enum class Outcome { Run, Help, Version, UsageError };
  Outcome outcome = Outcome::Run;
  std::optional<KeyCombination> hotkey;  // nothing with --no-hotkey
  std::string error;                     // for UsageError: one line, no program name
};

// `args` without the program's name.
WindowOptions ParseWindowOptions(std::span<const std::string_view> args,
                                 std::span<const ToolkitOption> toolkitOptions);

// What --help prints; `toolkitNote` is a line on the window system's own
// options, or "".
std::string WindowUsage(std::string_view toolkitNote);

// The line printed for a usage error.
std::string UsageErrorLine(const WindowOptions& options);

}  // namespace velmora::frmmain
