// The commands of velmora-convert: one row per command.
#pragma once

#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

#include "ModMain/Records/Sources.h"
#include "ModMain/Text/Text.h"

namespace velmora::cli {

// A prepared run that streams one input (a file descriptor; `name` as
// messages name it) to the output itself; false with a message for bad input.
using ByteRun =
    std::function<bool(int input, std::string_view name, std::ostream& output, std::string& error)>;

// What the options of charset ask of its run.
struct CharsetFlags {
  bool leaveOut = false;  // -c: leave out, and count, what TO cannot hold
  bool list = false;      // --list: name the representations instead
};

struct Command {
  std::string_view name;
  std::string_view summary;
  // A source system's command: its result is an output record, and with
  // --working the working text that goes into the record rebuild.
  const records::SourceSystem* source = nullptr;
  // Any other text command: the copied text (line breaks as CRLF) to what
  // the window's box and clipboard get for it.
  // It takes the text over, so that a large one is held once.
  Text (*convert)(Text copied) = nullptr;
  // A command that streams its input itself (pre-unicode, charset, detect) gives
  // `prepare`, which reads the words it takes before FILE (charset FROM TO,
  // named here for the help) and charset's options into the run, or gives an
  // empty run and a message when they are wrong (a usage error).
  // Several input files give results separated by an empty line (records),
  // or written one after another (texts, as iconv does).
  bool separatesFiles = true;
  std::string_view operands = {};
  ByteRun (*prepare)(std::span<const std::string_view> operands, CharsetFlags flags,
                     std::string& error) = nullptr;
  bool takesCharsetFlags = false;  // -c and --list
};

// The source systems' commands first, in the source table's order, then the others.
std::span<const Command> AllCommands();
const Command* FindCommand(std::string_view name);

// The known command nearest to a mistyped one, for "did you mean".
std::string_view NearestCommandName(std::string_view name);

}  // namespace velmora::cli
