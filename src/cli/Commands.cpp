#include "cli/Commands.h"

#include <algorithm>
#include <vector>

#include "cli/CharsetCommand.h"
#include "ModMain/ConvertCharset.h"
#include "ModMain/MarcEditExport.h"

namespace velmora::cli {
namespace {

// The commands besides the source systems'.
constexpr Command kOtherCommands[] = {
    {.name = "marcedit", .summary = "output record -> MarcEdit lines", .convert = ExportMarcEdit},
    {.name = "pre-unicode",
     .summary = "decomposed tone marks -> precomposed letters",
     .convert = JoinToneMarks},
    {.name = "charset",
     .summary = "letters FROM -> TO: unicode, vni, tcvn3, cp1258, nomarks or 1-5",
     .operands = "FROM TO",
     .prepare = PrepareCharset},
};

std::vector<Command> BuildCommands() {
  std::vector<Command> commands;
  for (const SourceSystem& source : Sources()) {
    commands.push_back({.name = source.name, .summary = source.summary, .source = &source});
  }
  commands.insert(commands.end(), std::begin(kOtherCommands), std::end(kOtherCommands));
  return commands;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::span<const Command> AllCommands() {
  static const std::vector<Command> commands = BuildCommands();
  return commands;
}

const Command* FindCommand(std::string_view name) {
  for (const Command& command : AllCommands()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

std::string_view NearestCommandName(std::string_view name) {
  if (name.size() > 64) return {};
  std::string_view best;
  std::size_t bestDistance = 3;  // further than two edits is no suggestion
  for (const Command& command : AllCommands()) {
    const std::size_t distance = EditDistance(name, command.name);
    if (distance < bestDistance) best = command.name, bestDistance = distance;
  }
  return best;
}

}  // namespace velmora::cli
