// The commands of velmora-convert: one row per command.
#pragma once

#include <span>
#include <string_view>

#include "Text.h"

namespace velmora::cli {

struct Command {
  std::string_view name;
  std::string_view summary;
  // The copied text (line breaks as CRLF) to what the window's box and
  // clipboard get for it.
  Text (*convert)(TextView copied);
  // With --working: the working text that goes into the record rebuild;
  // nullptr where the command has none.
  Text (*working)(TextView copied);
};

std::span<const Command> AllCommands();
const Command* FindCommand(std::string_view name);

// The known command nearest to a mistyped one, for "did you mean".
std::string_view NearestCommandName(std::string_view name);

}  // namespace velmora::cli
