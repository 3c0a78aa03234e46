#include "cli/Options.h"

#include <algorithm>
#include <charconv>

#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "cli/CharsetCommand.h"
#include "cli/SplitFiles.h"

namespace velmora::cli {
namespace {

using messages::Format;
using messages::Tr;
using messages::Translatable;

using Outcome = ParsedCommandLine::Outcome;

struct OptionRow {
  std::string_view longName;  // after "--"
  char shortName;             // after "-"; 0 for none
  std::string_view value;     // what the option takes ("FILE"), translated; empty for a flag
  std::string_view help;      // translated where it is shown
  // Applies the option with its value; false, with the message in
  // `parsed.error`, for a value it cannot take.
  bool (*apply)(ParsedCommandLine& parsed, std::string_view value);
};

bool SetWorking(ParsedCommandLine& parsed, std::string_view) {
  parsed.options.working = true;
  return true;
}

// «record, iso2709, marcxml or mrk».
std::string FormatNames() {
  std::string names;
  const std::size_t count = std::size(marc_exchange::kOutputFormats);
  for (std::size_t i = 0; i + 1 < count; ++i) {
    if (i > 0) names += ", ";
    names += marc_exchange::kOutputFormats[i].name;
  }
  return Format(Tr("%1 or %2"), names, marc_exchange::kOutputFormats[count - 1].name);
}

bool SetFormat(ParsedCommandLine& parsed, std::string_view name) {
  parsed.options.format = marc_exchange::FindOutputFormat(name);
  if (parsed.options.format) return true;
  parsed.error = Format(Tr("unknown format '%1'; use %2"), name, FormatNames());
  return false;
}

bool SetBatch(ParsedCommandLine& parsed, std::string_view) {
  parsed.options.batch = true;
  return true;
}

constexpr unsigned kMostJobs = 1024;

bool SetJobs(ParsedCommandLine& parsed, std::string_view count) {
  unsigned jobs = 0;
  const auto [end, status] = std::from_chars(count.data(), count.data() + count.size(), jobs);
  if (status == std::errc() && end == count.data() + count.size() && jobs >= 1 &&
      jobs <= kMostJobs) {
    parsed.options.jobs = jobs;
    return true;
  }
  parsed.error = Format(Tr("--jobs '%1' is no number of threads; give 1 to %2"), count, kMostJobs);
  return false;
}

bool SetOutput(ParsedCommandLine& parsed, std::string_view path) {
  parsed.options.outputPath = std::string(path);
  return true;
}

bool SetSplitSize(ParsedCommandLine& parsed, std::string_view size) {
  const std::optional<std::size_t> bytes = ParseSplitSize(size);
  if (bytes) {
    parsed.options.splitBytes = *bytes;
    return true;
  }
  parsed.error =
      Format(Tr("--split-size '%1' is no size; give bytes, or KiB or MiB with K or M: 8K"), size);
  return false;
}

bool SetPrecompose(ParsedCommandLine& parsed, std::string_view) {
  parsed.options.precompose = true;
  return true;
}

bool SetVerbose(ParsedCommandLine& parsed, std::string_view) {
  parsed.options.verbose = true;
  return true;
}

std::string FieldCharsetNames() {
  std::string names;
  for (const field_text::FieldCharset charset : field_text::AllFieldCharsets()) {
    if (!names.empty()) names += ", ";
    names += field_text::Name(charset);
  }
  return names;
}

bool SetTo(ParsedCommandLine& parsed, std::string_view name) {
  const auto charset = field_text::FindFieldCharset(name);
  if (charset == field_text::FieldCharset::Utf8 || charset == field_text::FieldCharset::Marc8) {
    parsed.options.marc.to = charset;
    return true;
  }
  parsed.error = "--to '" + std::string(name) + "': MARC records are written in utf-8 or marc-8";
  return false;
}

bool SetFrom(ParsedCommandLine& parsed, std::string_view name) {
  parsed.options.marc.from = field_text::FindFieldCharset(name);
  if (parsed.options.marc.from) return true;
  parsed.error =
      "--from '" + std::string(name) + "' is no character set; use " + FieldCharsetNames();
  return false;
}

bool SetNfd(ParsedCommandLine& parsed, std::string_view) {
  parsed.options.marc.nfd = true;
  return true;
}

bool SetCheck(ParsedCommandLine& parsed, std::string_view) {
  parsed.options.marc.check = true;
  return true;
}

bool SetRejects(ParsedCommandLine& parsed, std::string_view path) {
  parsed.options.marc.rejectsPath = std::string(path);
  return true;
}

bool AskForHelp(ParsedCommandLine& parsed, std::string_view) {
  parsed.outcome = Outcome::Help;
  return true;
}

bool AskForVersion(ParsedCommandLine& parsed, std::string_view) {
  parsed.outcome = Outcome::Version;
  return true;
}

constexpr OptionRow kOptions[] = {
    {"working", 0, "",
     Translatable(
         "print the working text that goes into the record rebuild; with a MARC --format, write "
         "every field of it as MARC (source commands)"),
     SetWorking},
    {"format", 0, Translatable("FORMAT"),
     Translatable("write the output records in FORMAT (below; source commands)"), SetFormat},
    {"batch", 0, "",
     Translatable(
         "the input holds several copied records separated by empty lines (below); each is "
         "converted on its own (source commands); for marcedit, one output record a line, as "
         "--batch writes them"),
     SetBatch},
    {"jobs", 'j', Translatable("N"),
     Translatable(
         "with --batch, convert on N threads at once (default: one for each core); the output is "
         "the same whatever N is"),
     SetJobs},
    {"split-size", 0, Translatable("SIZE"),
     Translatable(
         "with --batch, a MARC --format and -o FILE: numbered files FILE-001, FILE-002, ... of at "
         "most SIZE bytes (8192, 8K, 1M), whole records only"),
     SetSplitSize},
    {"precompose", 0, "",
     Translatable("write every Vietnamese letter as its one precomposed character, whatever "
                  "spelling it came "
                  "in (a base letter and combining marks in any equivalent order)"),
     SetPrecompose},
    {"output", 'o', Translatable("FILE"),
     Translatable(
         "write to FILE instead of standard output (- is standard output); a file is put in place "
         "only once it is complete"),
     SetOutput},
    {"verbose", 'v', "",
     Translatable("name on standard error each field of the copied record that the output record "
                  "leaves out"),
     SetVerbose},
    {"to", 0, "CHARSET",
     Translatable(
         "marc: write the records in utf-8 (the default: leader/09 'a', text in NFC) or marc-8 "
         "(leader/09 blank; a character MARC-8 cannot hold stops the record unless -c)"),
     SetTo},
    {"from", 0, "CHARSET",
     Translatable(
         "marc: read every field of every record as CHARSET (utf-8, marc-8, tcvn3, vni, cp1258, "
         "viscii, tcvn5712-1), whatever its bytes look like"),
     SetFrom},
    {"nfd", 0, "",
     Translatable("marc: with --to utf-8, write letters decomposed (NFD) instead of composed"),
     SetNfd},
    {"check", 0, "",
     Translatable(
         "marc: write no records, only the report; exit status 0 when every record is clean, 1 "
         "when any needs a change or has a problem"),
     SetCheck},
    {"rejects", 0, "FILE",
     Translatable(
         "marc: write each record that cannot be read or written to FILE, its bytes as they came"),
     SetRejects},
};

// The program's own options, listed after every command's.
constexpr OptionRow kProgramOptions[] = {
    {"help", 'h', "", Translatable("show this help"), AskForHelp},
    {"version", 'V', "", Translatable("show the version"), AskForVersion},
};

// The command line as it is read: the options of every command, and the
// words and own options of the command, which it reads itself.
struct Reading {
  ParsedCommandLine parsed;
  std::vector<std::string_view> operands;            // the words before FILE (charset FROM TO)
  std::vector<const CommandOption*> commandOptions;  // given, in their order
};

// An option row of the common table, or of one command's own options.
struct FoundOption {
  const OptionRow* common = nullptr;
  const CommandOption* own = nullptr;
};

template <class Matches>
FoundOption FindOption(Matches matches) {
  for (const std::span<const OptionRow> table :
       {std::span<const OptionRow>(kOptions), std::span<const OptionRow>(kProgramOptions)}) {
    for (const OptionRow& row : table) {
      if (matches(row.longName, row.shortName)) return {.common = &row};
    }
  }
  for (const Command& command : AllCommands()) {
    for (const CommandOption& option : OwnOptionsOf(command)) {
      if (matches(option.longName, option.shortName)) return {.own = &option};
    }
  }
  return {};
}

FoundOption FindLongOption(std::string_view name) {
  return FindOption([name](std::string_view longName, char) { return longName == name; });
}

FoundOption FindShortOption(char name) {
  return FindOption(
      [name](std::string_view, char shortName) { return shortName != 0 && shortName == name; });
}

// How many words `command` takes before its FILEs ("FROM TO": two).
std::size_t OperandCount(const Command& command) {
  std::size_t count = 0;
  bool inWord = false;
  for (const char c : OperandsOf(command)) {
    if (c != ' ' && !inWord) ++count;
    inWord = c != ' ';
  }
  return count;
}

// A word that is not an option: the command, its operands, then the FILEs.
bool TakePositional(Reading& reading, std::string_view word) {
  ParsedCommandLine& parsed = reading.parsed;
  Options& options = parsed.options;
  if (options.command == nullptr) {
    options.command = FindCommand(word);
    if (options.command != nullptr) return true;
    const std::string_view nearest = NearestCommandName(word);
    parsed.error = nearest.empty()
                       ? Format(Tr("unknown command '%1'"), word)
                       : Format(Tr("unknown command '%1'; did you mean '%2'?"), word, nearest);
    return false;
  }
  if (reading.operands.size() < OperandCount(*options.command)) {
    reading.operands.push_back(word);
  } else {
    options.inputPaths.emplace_back(word);
  }
  return true;
}

// Reads the option in args[i] (and its value, which may be args[i + 1]).
bool TakeOption(Reading& reading, std::span<const std::string_view> args, std::size_t& i) {
  ParsedCommandLine& parsed = reading.parsed;
  const std::string_view arg = args[i];
  const bool isLong = arg.starts_with("--");
  std::string_view written = arg;  // the option as the user wrote it, for messages
  std::optional<std::string_view> value;
  FoundOption found;
  if (isLong) {
    const std::size_t equals = arg.find('=');
    written = arg.substr(0, equals);
    if (equals != std::string_view::npos) value = arg.substr(equals + 1);
    found = FindLongOption(written.substr(2));
  } else {
    written = arg.substr(0, 2);
    if (arg.size() > 2) value = arg.substr(2);
    found = FindShortOption(arg[1]);
  }
  if (found.common == nullptr && found.own == nullptr) {
    parsed.error = Format(Tr("unknown option '%1'"), isLong ? written : arg);
    return false;
  }
  const OptionRow* row = found.common;
  if (row == nullptr || row->value.empty()) {
    if (value) {
      parsed.error = Format(Tr("'%1' takes no value"), written);
      return false;
    }
    if (row == nullptr) {
      reading.commandOptions.push_back(found.own);
      return true;
    }
    return row->apply(parsed, {});
  }
  if (!value) {
    if (i + 1 == args.size()) {
      parsed.error = Format(Tr("%1 needs a %2"), written, Tr(row->value));
      return false;
    }
    value = args[++i];
  }
  if (value->empty()) {
    parsed.error = Format(Tr("%1 needs a %2"), written, Tr(row->value));
    return false;
  }
  return row->apply(parsed, *value);
}

// The option as --help names it: «-c», «--list».
std::string OptionName(const CommandOption& option) {
  return option.shortName != 0 ? std::string("-") + option.shortName
                               : "--" + std::string(option.longName);
}

// What the options ask of the command, once both are known; then the
// command's own words read into its run.
// marc's options, once the command is known: the common table's, and
// charset's -c, which marc takes for --to marc-8.
bool CheckMarcOptions(Reading& reading) {
  ParsedCommandLine& parsed = reading.parsed;
  Options& options = parsed.options;
  const auto refuse = [&](std::string message) {
    parsed.error = std::move(message);
    return false;
  };
  for (const CommandOption* option : reading.commandOptions) {
    if (option->longName != "leave-out") return refuse("'marc' takes no " + OptionName(*option));
    options.marc.leaveOut = true;
  }
  if (options.working || options.batch || options.verbose || options.precompose ||
      options.splitBytes > 0) {
    return refuse("'marc' takes none of --working, --batch, --verbose, --precompose, --split-size");
  }
  if (options.format == marc_exchange::OutputFormat::kRecord) {
    return refuse("'marc' writes MARC records: --format iso2709, marcxml or mrk");
  }
  const bool marc8 = options.marc.to == field_text::FieldCharset::Marc8;
  if (marc8 && options.format == marc_exchange::OutputFormat::kMarcXml) {
    return refuse("MARCXML is UTF-8: --to marc-8 writes --format iso2709 or mrk");
  }
  if (marc8 && options.marc.nfd) return refuse("--nfd is for --to utf-8");
  if (options.marc.leaveOut && !marc8) {
    return refuse("-c leaves out what MARC-8 cannot hold: it goes with --to marc-8");
  }
  if (options.marc.check && (!options.outputPath.empty() || !options.marc.rejectsPath.empty())) {
    return refuse("--check writes no records: leave out -o and --rejects");
  }
  return true;
}

bool CheckAgainstCommand(Reading& reading) {
  ParsedCommandLine& parsed = reading.parsed;
  Options& options = parsed.options;
  if (options.command == nullptr) {
    parsed.error = Tr("no command given");
    return false;
  }
  const Command& command = *options.command;
  const std::string name(command.name);
  if (std::holds_alternative<MarcFilesCommand>(command.kind)) return CheckMarcOptions(reading);
  if (options.marc.to || options.marc.from || options.marc.nfd || options.marc.check ||
      !options.marc.rejectsPath.empty()) {
    parsed.error =
        "'" + name + "' takes none of --to, --from, --nfd, --check, --rejects: they are marc's";
    return false;
  }
  const bool isSource = SourceOf(command) != nullptr;
  const StreamCommand* stream = std::get_if<StreamCommand>(&command.kind);
  if (options.working && !isSource) {
    parsed.error = Format(Tr("'%1' has no --working"), name);
    return false;
  }
  const auto* whole = std::get_if<WholeTextCommand>(&command.kind);
  const bool takesBatch = isSource || (whole != nullptr && whole->kind == TextKind::kOutputRecords);
  const bool batchRefused = options.batch && !takesBatch;
  if ((options.format && !isSource) || batchRefused) {
    parsed.error = Format(Tr("'%1' takes no %2: its result is not an output record"), name,
                          batchRefused ? "--batch" : "--format");
    return false;
  }
  if (options.precompose && stream != nullptr && !stream->precomposing) {
    parsed.error = Format(Tr("'%1' takes no --precompose: %2"), name, Tr(stream->noPrecompose));
    return false;
  }
  if (options.splitBytes > 0 &&
      (!WritesMarc(options) || !options.batch || options.outputPath.empty() ||
       options.outputPath == kStandardStream)) {
    parsed.error =
        Tr("--split-size splits a --batch written with a MARC --format into files named after -o "
           "FILE");
    return false;
  }
  if (options.jobs > 0 && !options.batch) {
    parsed.error = Tr("--jobs shares the records of a --batch among threads");
    return false;
  }
  if (options.verbose && !isSource) {
    parsed.error =
        Format(Tr("'%1' takes no %2: its result is not an output record"), name, "--verbose");
    return false;
  }
  // Another command's option, named as --help lists it (the last there of
  // several).
  const CommandOption* foreign = nullptr;
  const std::span<const CommandOption> own = OwnOptionsOf(command);
  for (const Command& other : AllCommands()) {
    for (const CommandOption& option : OwnOptionsOf(other)) {
      const bool given = std::find(reading.commandOptions.begin(), reading.commandOptions.end(),
                                   &option) != reading.commandOptions.end();
      const bool owned = !own.empty() && &option >= own.data() && &option < own.data() + own.size();
      if (given && !owned) foreign = &option;
    }
  }
  if (foreign != nullptr) {
    parsed.error = Format(Tr("'%1' takes no %2"), name, OptionName(*foreign));
    return false;
  }
  if (stream != nullptr) {
    std::vector<std::string_view> given;
    for (const CommandOption* option : reading.commandOptions) given.push_back(option->longName);
    options.run = stream->prepare({reading.operands, given}, parsed.error);
    if (!options.run) return false;
  }
  return true;
}

// How many columns UTF-8 text takes on a terminal: one a character, as the
// help's letters are (Vietnamese ones included, «ệ» two bytes and one
// column).
std::size_t Columns(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Padded(std::string text, std::size_t width) {
  const std::size_t columns = Columns(text);
  if (columns < width) text.append(width - columns, ' ');
  return text;
}

// `text` broken into lines of at most `width` characters, each after `indent`.
std::string Wrapped(std::string_view text, std::size_t indent, std::size_t width) {
  std::string out;
  std::size_t lineLength = 0;
  while (!text.empty()) {
    const std::size_t space = text.find(' ');
    const std::string_view word = text.substr(0, space);
    if (lineLength > 0 && lineLength + 1 + Columns(word) > width) {
      out += "\n" + std::string(indent, ' ');
      lineLength = 0;
    } else if (lineLength > 0) {
      out += ' ';
      ++lineLength;
    }
    out += word;
    lineLength += Columns(word);
    text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
  }
  return out;
}

constexpr std::size_t kHelpColumn = 22;  // where the descriptions start
constexpr std::size_t kHelpWidth = 79 - kHelpColumn;

std::string HelpRow(const std::string& term, std::string_view description) {
  std::string row = "  " + term;
  row = Columns(row) + 2 > kHelpColumn ? row + "\n" + std::string(kHelpColumn, ' ')
                                       : Padded(row, kHelpColumn);
  return row + Wrapped(description, kHelpColumn, kHelpWidth) + "\n";
}

// An option as --help shows it: «-o, --output FILE», «--batch».
std::string OptionTerm(std::string_view longName, char shortName, std::string_view value) {
  std::string term;
  if (shortName != 0) term = std::string("-") + shortName + ", ";
  term += "--" + std::string(longName);
  if (!value.empty()) term += " " + Tr(value);
  return term;
}

}  // namespace

ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args) {
  Reading reading;
  ParsedCommandLine& parsed = reading.parsed;
  bool onlyPositionals = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    bool ok;
    if (!onlyPositionals && arg == "--") {
      onlyPositionals = true;
      continue;
    }
    if (!onlyPositionals && arg.size() > 1 && arg[0] == '-') {
      ok = TakeOption(reading, args, i);
    } else {
      ok = TakePositional(reading, arg);
    }
    if (!ok) {
      parsed.outcome = Outcome::UsageError;
      return parsed;
    }
    if (parsed.outcome != Outcome::Run) return parsed;  // --help, --version
  }
  if (!CheckAgainstCommand(reading)) parsed.outcome = Outcome::UsageError;
  return parsed;
}

std::string Usage() {
  std::string text =
      Tr("usage: velmora-convert COMMAND [OPTION...] [FILE...]\n"
         "       velmora-convert charset FROM TO [OPTION...] [FILE...]\n"
         "       velmora-convert charset auto TO [OPTION...] [FILE...]") +
      "\n" + Tr("       velmora-convert marc [--check] [--to CHARSET] [OPTION...] [FILE...]") +
      "\n\n" +
      Tr("Converts what a library system's screen gave when a record was copied (each\n"
         "FILE, or standard input when there is none or FILE is -) and writes the\n"
         "result to standard output. Options may stand before or after the command.\n"
         "Several FILEs are converted in turn: with --batch as one stream of records;\n"
         "otherwise each as its own record, separated by an empty line (charset,\n"
         "pre-unicode and detect write them one after another).") +
      "\n\n" + Tr("commands:") + "\n";
  for (const Command& command : AllCommands()) {
    std::string synopsis(command.name);
    if (!OperandsOf(command).empty()) synopsis.append(" ").append(Tr(OperandsOf(command)));
    text += HelpRow(synopsis, Tr(command.summary));
  }
  text += "\n" + Tr("options:") + "\n";
  for (const OptionRow& row : kOptions)
    text += HelpRow(OptionTerm(row.longName, row.shortName, row.value), Tr(row.help));
  for (const Command& command : AllCommands()) {
    for (const CommandOption& option : OwnOptionsOf(command)) {
      text += HelpRow(OptionTerm(option.longName, option.shortName, {}), Tr(option.help));
    }
  }
  for (const OptionRow& row : kProgramOptions)
    text += HelpRow(OptionTerm(row.longName, row.shortName, row.value), Tr(row.help));
  text += "\n" + Tr("formats (--format):") + "\n";
  for (const marc_exchange::OutputFormatRow& row : marc_exchange::kOutputFormats) {
    text += HelpRow(std::string(row.name), Tr(row.summary));
  }
  text += "\n" + Tr("character sets (marc --to, --from):") + "\n";
  for (const field_text::FieldCharset charset : field_text::AllFieldCharsets()) {
    const bool writable =
        charset == field_text::FieldCharset::Utf8 || charset == field_text::FieldCharset::Marc8;
    text += HelpRow(std::string(field_text::Name(charset)),
                    writable ? Tr("read (--from) and written (--to)") : Tr("read (--from)"));
  }
  text += "\n" +
          Tr("representations (charset FROM TO; any case; 1-5 are the short number codes):") + "\n";
  for (const HelpEntry& entry : RepresentationHelp()) {
    text += HelpRow(entry.term, entry.description);
  }
  text += "\n" +
          Tr("batches (--batch): records are separated by one or more empty lines (a line\n"
             "of nothing but spaces and tabs counts as empty). An empty line between two\n"
             "fields of one record, as text copied from a web page has, does not end the\n"
             "record: a field after it whose tag is not lower than the record's last one\n"
             "goes on with the record (650 after 650, 700 after 650), unless MARC 21 allows\n"
             "the tag once only (001, 008, 100, 245 and the others it marks NR) and the\n"
             "record has it already. A lower tag, a leader (LDR, 000) or a line without a\n"
             "tag starts the next record; a record without a 245 is named on standard\n"
             "error. Each record is converted as it stood, its last line break included,\n"
             "with the warnings it gets alone.") +
          "\n\n" +
          Tr("MARC formats: fields in tag order, the source's indicators, a minimal 008 when\n"
             "the record has none, dated today or by SOURCE_DATE_EPOCH (seconds since 1970).") +
          "\n\n" +
          Tr("input: UTF-8, or UTF-16 with its byte order mark (Notepad's \"Unicode\");\n"
             "charset reads 8-bit files as their code pages define them.") +
          "\n\n" +
          Tr("exit status: 0 done; 1 bad input (invalid UTF-8 or UTF-16, an unreadable file,\n"
             "a character the output cannot hold without -c, a record of a batch dropped or\n"
             "larger than --split-size); 2 wrong usage. A file that cannot be read is named\n"
             "and the others are still converted.") +
          "\n";
  return text;
}

}  // namespace velmora::cli
