// velmora-convert: the conversions of the Velmora window on the command line.
//
//   velmora-convert libol record.txt > output.txt
//   velmora-convert charset vni unicode old.txt > new.txt
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Commands.h"
#include "cli/Conversion.h"

#ifndef VELMORA_VERSION
#define VELMORA_VERSION "0.0.0"
#endif

namespace velmora::cli {
namespace {

constexpr std::string_view kProgram = "velmora-convert";

// "charset FROM TO": the command with the words it takes before FILE.
std::string Synopsis(const Command& command) {
  std::string synopsis(command.name);
  if (!command.operands.empty()) synopsis.append(" ").append(command.operands);
  return synopsis;
}

std::size_t OperandCount(const Command& command) {
  std::size_t count = 0;
  bool inWord = false;
  for (const char c : command.operands) {
    if (c != ' ' && !inWord) ++count;
    inWord = c != ' ';
  }
  return count;
}

std::string Usage() {
  std::string text =
      "usage: velmora-convert COMMAND [--working] [--format FORMAT] [--batch] [-o FILE] [FILE]\n";
  for (const Command& command : AllCommands()) {
    if (!command.operands.empty()) {
      text += "       velmora-convert " + Synopsis(command) + " [-o FILE] [FILE]\n";
    }
  }
  text += "\nConverts a copied record (FILE, or standard input when FILE is absent or -)\n";
  text += "and writes the result to standard output, or to FILE with -o.\n\ncommands:\n";
  std::size_t width = 14;  // the summaries line up after the longest synopsis
  for (const Command& command : AllCommands()) {
    width = std::max(width, Synopsis(command).size() + 2);
  }
  for (const Command& command : AllCommands()) {
    std::string name = Synopsis(command);
    name.resize(width, ' ');
    text += "  " + name + std::string(command.summary) + "\n";
  }
  text +=
      "\noptions:\n"
      "  --working     print the working text that goes into the record rebuild\n"
      "  --format FORMAT\n"
      "                write the output record as record (the default), iso2709\n"
      "                (MARC 21 exchange format, UTF-8), marcxml or mrk (MarcEdit)\n"
      "  --batch       the input holds several records separated by empty lines;\n"
      "                each is converted on its own (records: one per line)\n"
      "  -o FILE       write the result to FILE instead of standard output\n"
      "  -h, --help    show this help\n"
      "  --version     show the version\n";
  return text;
}

int UsageError(std::string_view message) {
  PrintError(message);
  std::fprintf(stderr, "Try '%s --help' for more information.\n", kProgram.data());
  return kExitUsage;
}

int Run(const std::vector<std::string_view>& args) {
  if (args.empty()) return UsageError("no command given");
  if (args[0] == "--help" || args[0] == "-h") {
    std::fputs(Usage().c_str(), stdout);
    return kExitOk;
  }
  if (args[0] == "--version") {
    std::printf("%s %s\n", kProgram.data(), VELMORA_VERSION);
    return kExitOk;
  }
  Options options;
  options.command = FindCommand(args[0]);
  if (options.command == nullptr) {
    std::string message = "unknown command '" + std::string(args[0]) + "'";
    const std::string_view nearest = NearestCommandName(args[0]);
    if (!nearest.empty()) message += "; did you mean '" + std::string(nearest) + "'?";
    return UsageError(message);
  }
  bool onlyOperands = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!onlyOperands && (arg == "--help" || arg == "-h")) {
      std::fputs(Usage().c_str(), stdout);
      return kExitOk;
    }
    if (!onlyOperands && arg == "--") {
      onlyOperands = true;
    } else if (!onlyOperands && arg == "--working") {
      if (!IsSourceCommand(*options.command)) {
        return UsageError("'" + std::string(options.command->name) + "' has no --working");
      }
      options.working = true;
    } else if (!onlyOperands && (arg == "--format" || arg.starts_with("--format="))) {
      std::string_view name;
      if (arg == "--format") {
        if (++i == args.size()) return UsageError("--format needs a FORMAT");
        name = args[i];
      } else {
        name = arg.substr(std::string_view("--format=").size());
      }
      options.format = marc::FindOutputFormat(name);
      if (!options.format) {
        return UsageError("unknown format '" + std::string(name) +
                          "'; use record, iso2709, marcxml or mrk");
      }
    } else if (!onlyOperands && arg == "--batch") {
      options.batch = true;
    } else if (!onlyOperands && arg == "-o") {
      if (++i == args.size()) return UsageError("-o needs a FILE");
      options.outputPath = std::string(args[i]);
      if (options.outputPath.empty()) return UsageError("-o needs a FILE");
    } else if (!onlyOperands && arg.size() > 1 && arg[0] == '-') {
      return UsageError("unknown option '" + std::string(arg) + "'");
    } else if (options.operands.size() < OperandCount(*options.command)) {
      options.operands.push_back(arg);
    } else if (options.haveInput) {
      return UsageError("more than one input FILE");
    } else {
      options.inputPath = std::string(arg);
      options.haveInput = true;
    }
  }
  const std::string name(options.command->name);
  if ((options.format || options.batch) && !IsSourceCommand(*options.command)) {
    return UsageError("'" + name + "' takes no " + (options.batch ? "--batch" : "--format") +
                      ": its result is not an output record");
  }
  if (options.working && options.format && *options.format != marc::OutputFormat::kRecord) {
    return UsageError("--working prints the working text; it has no --format");
  }
  if (options.command->prepare != nullptr) {
    std::string error;
    options.run = options.command->prepare(options.operands, error);
    if (!options.run) return UsageError(error);
  }
  return Convert(options);
}

}  // namespace
}  // namespace velmora::cli

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  return velmora::cli::Run(args);
}
