// The commands of velmora-convert: one row per command, each of one kind.
// --help, the "did you mean" suggestion, bash completion (through --help)
// and the tests read this table.
//
//   source command      libol, lacviet, ...: a copied record -> an output record
//   whole-text command  marcedit: each input converted as one text
//   streaming command   pre-unicode, charset, detect: each input streamed
//                       to the output by the command's own run
//   MARC files command  marc: every input one stream of MARC records, run
//                       by the command itself
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "ModMain/Records/Sources.h"
#include "ModMain/Text/Text.h"

namespace velmora::cli {

// A source system's command: its result is an output record, and with
// --working the working text that goes into the record rebuild. Only these
// take --format, --batch and --verbose.
struct SourceCommand {
  const records::SourceSystem* source;
};

// What a whole-text command reads and writes.
enum class TextKind {
  // Output records: a record copied from a library system is refused, and
  // --batch reads one record a line, as --batch writes them. Each result is
  // a record of lines, an empty line between two.
  kOutputRecords,
  // Any text, written as it is: the results one after another, as iconv
  // writes them.
  kAnyText,
};

// A command that converts each input as one text: the copied text (line
// breaks as CRLF) to what the window's box and clipboard get for it. It
// takes the text over, so that a large one is held once.
struct WholeTextCommand {
  Text (*convert)(Text copied);
  TextKind kind;
};

// An option that only one command takes (charset's -c and --list): a flag.
struct CommandOption {
  std::string_view longName;  // after "--"
  char shortName;             // after "-"; 0 for none
  std::string_view help;
};

// What the command line gave a streaming command: the words it takes before
// FILE, and the long names of its own options that were given.
struct CommandWords {
  std::span<const std::string_view> operands;
  std::span<const std::string_view> options;
  bool Has(std::string_view longName) const;
};

// A run that streams one input (a file descriptor; `name` as messages name
// it) to the output itself; false with a message for bad input.
using ByteRun =
    std::function<bool(int input, std::string_view name, std::ostream& output, std::string& error)>;

// A command that streams its inputs itself. Several inputs give results
// written one after another.
struct StreamCommand {
  std::string_view operands = {};  // the words it takes before FILE ("FROM TO"), for the help
  std::span<const CommandOption> options = {};
  // Reads the words into the run, or gives an empty run and a message when
  // they are wrong (a usage error).
  ByteRun (*prepare)(const CommandWords& words, std::string& error) = nullptr;
  // With --precompose the inputs are converted whole by this command
  // instead; without one, `noPrecompose` says why it takes no --precompose.
  std::optional<WholeTextCommand> precomposing = std::nullopt;
  std::string_view noPrecompose = {};
};

struct Options;

// A command that reads all its inputs as one stream of MARC records and
// writes them itself (marc), with the MARC repair's options of the common
// table and charset's -c; its exit status.
struct MarcFilesCommand {
  int (*run)(const Options& options);
};

using CommandKind = std::variant<SourceCommand, WholeTextCommand, StreamCommand, MarcFilesCommand>;

struct Command {
  std::string_view name;
  std::string_view summary;
  CommandKind kind;
};

// The source systems' commands first, in the source table's order, then the others.
std::span<const Command> AllCommands();
const Command* FindCommand(std::string_view name);

// The known command nearest to a mistyped one, for "did you mean".
std::string_view NearestCommandName(std::string_view name);

// The source system of a source command; nullptr for the others.
const records::SourceSystem* SourceOf(const Command& command);

// The words a command takes before FILE ("FROM TO"), for the help; empty for most.
std::string_view OperandsOf(const Command& command);

// The options that only `command` takes.
std::span<const CommandOption> OwnOptionsOf(const Command& command);

// What a command that converts text gives for the copied text (line breaks
// as CRLF): a source's output record, or with `working` its working text;
// the whole-text conversion of the others. Nullopt for a command that works
// on bytes only (charset, detect).
std::optional<Text> ConvertCopied(const Command& command, bool working, TextView copied);

}  // namespace velmora::cli
