// velmora-convert pre-unicode and charset FROM TO: the character-set
// conversion on the command line, streamed in blocks of whole lines.
//
//   velmora-convert pre-unicode copied.txt          decomposed tone marks joined
//   velmora-convert charset vni unicode old.txt     a VNI Windows file to UTF-8
//   velmora-convert charset -c unicode viscii a.txt what VISCII cannot hold left out
//   velmora-convert charset --list                  the representations and their aliases
//   velmora-convert charset auto unicode old.txt    from what old.txt reads as (DetectCommand.h)
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Encodings/EncodeReport.h"
#include "Encodings/Representation.h"
#include "Messages/Translate.h"
#include "ModMain/Text/Text.h"
#include "cli/Commands.h"
#include "cli/LineBlocks.h"

namespace velmora::cli {

// The whole `charset FROM TO` run over an input held in memory: the bytes
// decoded as FROM's files are, converted, written as TO's files are, line
// breaks as LF. Returns false with a message for bad input: bytes that are
// not well-formed text, or a character the output cannot hold, named with its
// line and column in the input. `notes` gets the loss report's lines.
bool RunCharset(std::string_view input, encodings::Representation from,
                encodings::Representation to, const encodings::EncodeOptions& options,
                std::string& output, std::string& error, std::string& notes);

// Reads `reader` block by block, converts, and writes the output in large
// blocks; the loss report goes to standard error.
bool StreamCharset(LineBlockReader& reader, std::ostream& output, encodings::Representation from,
                   encodings::Representation to, const encodings::EncodeOptions& options,
                   std::string& error);

// The loss report of a finished run, one line per kind; empty when nothing
// was lost.
std::string LossReport(encodings::Representation to, const encodings::EncodeReport& report);

// The options that only charset takes, as --help lists them (marc takes
// -c too, for --to marc-8).
inline constexpr CommandOption kCharsetOptions[] = {
    {"leave-out", 'c',
     messages::Translatable(
         "charset: leave out what TO cannot hold, and count it on standard error, as iconv -c "
         "(without it such a character stops the conversion); marc: the same for --to marc-8")},
    {"list", 0,
     messages::Translatable("charset: list the representations, their number codes and aliases")},
};

// The command table's `prepare` of charset (FROM TO, -c, --list) and of
// pre-unicode: a run that streams its input to its output.
ByteRun PrepareCharset(const CommandWords& words, std::string& error);
ByteRun PreparePreUnicode(const CommandWords& words, std::string& error);

// A line of --help: a representation's names and what it is.
struct HelpEntry {
  std::string term;
  std::string description;
};
// Every representation with its number code, aliases and what it is.
std::vector<HelpEntry> RepresentationHelp();

}  // namespace velmora::cli
