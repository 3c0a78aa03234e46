// The command line of velmora-convert read into Options, from one table of
// options that also writes the help.
//
//   velmora-convert [OPTION...] COMMAND [OPERAND...] [FILE...] [OPTION...]
//
// Options may stand before or after the command; "--" ends them. A long
// option's value follows it ("--output FILE") or an "=" ("--output=FILE");
// a short one's follows it or is joined to it ("-o FILE", "-oFILE"). "-" is
// standard input as a FILE and standard output as -o's value.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Encodings/FieldText/FieldTextDecoder.h"
#include "MarcExchange/FixedField008.h"
#include "MarcExchange/OutputFormats.h"
#include "cli/Commands.h"

namespace velmora::cli {

inline constexpr std::string_view kStandardStream = "-";

// What the options of marc ask of its run.
struct MarcFlags {
  std::optional<field_text::FieldCharset> to;    // --to: utf-8 (default) or marc-8
  std::optional<field_text::FieldCharset> from;  // --from: every field read as this
  bool nfd = false;                              // --nfd: UTF-8 text decomposed
  bool check = false;                            // --check: only the report
  bool leaveOut = false;                         // -c: leave out what MARC-8 cannot hold
  std::string rejectsPath;                       // --rejects FILE
};

struct Options {
  const Command* command = nullptr;
  ByteRun run;  // a streaming command's run, prepared from its words
  bool working = false;
  // --format: the output records written as MARC; absent is the record text.
  std::optional<marc_exchange::OutputFormat> format;
  bool batch = false;          // --batch: records separated by empty lines
  unsigned jobs = 0;           // --jobs: threads for --batch; 0: one per core
  bool verbose = false;        // --verbose: name what the output record leaves out
  bool precompose = false;     // --precompose: every letter as one precomposed character
  std::size_t splitBytes = 0;  // --split-size: numbered files of at most this many bytes
  marc_exchange::CalendarDate dateEntered;  // the 008's date entered (SOURCE_DATE_EPOCH or today)
  std::string outputPath;                   // empty or "-": standard output
  std::vector<std::string> inputPaths;      // none: standard input; "-" is standard input
  MarcFlags marc;                           // marc's --to, --from, --nfd, --check, --rejects, -c
};

struct ParsedCommandLine {
  enum class Outcome { Run, Help, Version, UsageError };
  Outcome outcome = Outcome::Run;
  Options options;
  std::string error;  // for UsageError
};

ParsedCommandLine ParseCommandLine(std::span<const std::string_view> args);

// The output records are written in a MARC format (not as record text).
inline bool WritesMarc(const Options& options) {
  return options.format && *options.format != marc_exchange::OutputFormat::kRecord;
}

// The text of --help: every command, option, format and representation.
std::string Usage();

}  // namespace velmora::cli
