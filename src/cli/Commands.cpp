#include "cli/Commands.h"

#include <algorithm>
#include <vector>

#include "cli/CharsetCommand.h"
#include "ModMain/HueSource.h"
#include "ModMain/IlibSource.h"
#include "ModMain/LacVietSource.h"
#include "ModMain/LibolSource.h"
#include "ModMain/MarcEditExport.h"
#include "ModMain/VerbrarySource.h"

namespace velmora::cli {
namespace {

constexpr Command kCommands[] = {
    {"libol", "Libol record -> output record", ConvertLibol, LibolWorkingText},
    {"lacviet", "LacViet record -> output record", ConvertLacViet, LacVietWorkingText},
    {"verbrary", "Verbrary record -> output record", ConvertVerbrary, VerbraryWorkingText},
    {"ilib", "iLib record -> output record", ConvertIlib, IlibWorkingText},
    {"emiclib", "Emiclib record -> output record", ConvertEmiclib, EmiclibWorkingText},
    {"hue", "Hue, Hai Phong record -> output record", ConvertHue, HueWorkingText},
    {"marcedit", "output record -> MarcEdit lines", ExportMarcEdit, nullptr},
    {"pre-unicode", "decomposed tone marks -> precomposed letters", PreUnicode, nullptr},
    {"charset", "letters FROM -> TO: unicode, vni, tcvn3, cp1258, nomarks or 1-5", nullptr, nullptr,
     "FROM TO", PrepareCharset},
};

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

std::span<const Command> AllCommands() { return kCommands; }

const Command* FindCommand(std::string_view name) {
  for (const Command& command : kCommands) {
    if (command.name == name) return &command;
  }
  return nullptr;
}

std::string_view NearestCommandName(std::string_view name) {
  if (name.size() > 64) return {};
  std::string_view best;
  std::size_t bestDistance = 3;  // further than two edits is no suggestion
  for (const Command& command : kCommands) {
    const std::size_t distance = EditDistance(name, command.name);
    if (distance < bestDistance) best = command.name, bestDistance = distance;
  }
  return best;
}

}  // namespace velmora::cli
