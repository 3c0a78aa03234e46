#include "cli/Commands.h"

#include <algorithm>
#include <vector>

#include "Messages/Translate.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "ModMain/Records/MarcEditExport.h"
#include "cli/CharsetCommand.h"
#include "cli/DetectCommand.h"
#include "cli/MarcCommand.h"

namespace velmora::cli {
namespace {

Text JoinedToneMarks(Text text) {
  letters::JoinToneMarksInPlace(text);
  return text;
}

// An output record as a source command writes it ends with a line break,
// which is no empty field: «245=00$aT⏎» gives «=245  00$aT», as the record
// without it does.
Text MarcEditLines(Text record) {
  if (TextView(record).ends_with(text::kCrlf)) record.resize(record.size() - text::kCrlf.size());
  return records::ExportMarcEditInPlace(std::move(record));
}

// The commands besides the source systems'.
const Command kOtherCommands[] = {
    {.name = "marcedit",
     .summary = messages::Translatable(
         "an output record -> the lines of the window's \"TO MARCEDIT\", one field a "
         "line, =245  00$a... (# for a blank indicator); with --batch one output record a "
         "line, an empty line between the records' lines; MarcEdit's own mnemonic file is "
         "--format mrk of a source command"),
     .kind = WholeTextCommand{MarcEditLines, TextKind::kOutputRecords}},
    {.name = "pre-unicode",
     .summary = messages::Translatable(
         "any text: each letter written as base letter + combining tone mark joined into "
         "the precomposed letter, as the window's \"To Pre-Unicode\""),
     .kind = StreamCommand{.prepare = PreparePreUnicode,
                           .precomposing = WholeTextCommand{JoinedToneMarks, TextKind::kAnyText}}},
    {.name = "charset",
     .summary = messages::Translatable(
         "any text: its Vietnamese letters from representation FROM to TO (below); FROM "
         "auto reads each FILE as what it reads best as, says on standard error what that "
         "was, and refuses one that two representations read about as well"),
     .kind = StreamCommand{.operands = messages::Translatable("FROM TO"),
                           .options = kCharsetOptions,
                           .prepare = PrepareCharset,
                           .noPrecompose =
                               messages::Translatable("it writes the representation asked for")}},
    {.name = "detect",
     .summary = messages::Translatable(
         "which representation each FILE is in, as its first 48 KB read best as Vietnamese, "
         "with a confidence, or \"not Vietnamese\" or \"too close to tell\"; and the "
         "library system whose layout a copied record has"),
     .kind = StreamCommand{.prepare = PrepareDetect,
                           .noPrecompose = messages::Translatable("it writes no text")}},
    {.name = "marc",
     .summary = messages::Translatable(
         "MARC files (ISO 2709, MARCXML or MarcEdit .mrk, found from the content) read "
         "as one stream of records and written again repaired: each field's character "
         "set found from its bytes (UTF-8, double-encoded UTF-8, MARC-8, the 8-bit "
         "Vietnamese ones), written as --to says, leader/09 saying so, the structure "
         "recomputed; a record that needs no change is written as it came; a report on "
         "standard error"),
     .kind = MarcFilesCommand{RunMarcCommand}},
};

std::vector<Command> BuildCommands() {
  std::vector<Command> commands;
  for (const records::SourceSystem& source : records::Sources()) {
    commands.push_back(
        {.name = source.name, .summary = source.summary, .kind = SourceCommand{&source}});
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

// Commands are lower case; a name typed in capitals is near its command.
std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

}  // namespace

bool CommandWords::Has(std::string_view longName) const {
  return std::find(options.begin(), options.end(), longName) != options.end();
}

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
  const std::string lower = LowerCase(name);
  std::string_view best;
  std::size_t bestDistance = 3;  // further than two edits is no suggestion
  for (const Command& command : AllCommands()) {
    const std::size_t distance = EditDistance(lower, command.name);
    if (distance < bestDistance) best = command.name, bestDistance = distance;
  }
  return best;
}

const records::SourceSystem* SourceOf(const Command& command) {
  const SourceCommand* source = std::get_if<SourceCommand>(&command.kind);
  return source == nullptr ? nullptr : source->source;
}

std::string_view OperandsOf(const Command& command) {
  const StreamCommand* stream = std::get_if<StreamCommand>(&command.kind);
  return stream == nullptr ? std::string_view() : stream->operands;
}

std::span<const CommandOption> OwnOptionsOf(const Command& command) {
  const StreamCommand* stream = std::get_if<StreamCommand>(&command.kind);
  return stream == nullptr ? std::span<const CommandOption>() : stream->options;
}

std::optional<Text> ConvertCopied(const Command& command, bool working, TextView copied) {
  if (const records::SourceSystem* source = SourceOf(command)) {
    Text text = records::WorkingText(*source, copied);
    return working ? text : source->rebuild.build(text);
  }
  if (const auto* whole = std::get_if<WholeTextCommand>(&command.kind)) {
    return whole->convert(Text(copied));
  }
  const auto* stream = std::get_if<StreamCommand>(&command.kind);
  if (stream == nullptr || !stream->precomposing) return std::nullopt;  // marc: MARC files
  return stream->precomposing->convert(Text(copied));
}

}  // namespace velmora::cli
