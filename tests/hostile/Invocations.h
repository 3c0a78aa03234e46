// Every way to call velmora-convert that the hostile-input tests try: each
// command, with --working where it has one, and the charset command over
// pairs of representations. Taken from the command table, so that a new
// command is tried without editing the tests.
#pragma once

#include <string>
#include <vector>

#include "cli/Commands.h"

namespace velmora::hostile {

struct Invocation {
  std::string label;              // "libol --working", "charset vni unicode"
  std::vector<std::string> args;  // the words after the program's name
  const cli::Command* command;
  bool working = false;   // --working
  std::string from, to;   // charset's representations
  bool readsUtf8 = true;  // false: 8-bit input, any byte is valid
  bool writesUtf8 = true;
  // --format (MARC exchange) or --batch: a record that yields no field is
  // dropped with a warning and exit code 1, so empty input fails too.
  bool exchange = false;
  bool batch = false;
};

// The MARC formats and --batch are shared by every source command: they are
// tried with the first one only; marcedit is tried with --batch too.
std::vector<Invocation> AllInvocations();

// One invocation per command (no --working, one charset pair), for the
// tests whose inputs are large.
std::vector<Invocation> OneInvocationPerCommand();

// What the command takes, from examples/: its own sample record, the output
// record for the MarcEdit export, Vietnamese text for the letter conversions.
std::string ExampleInputFor(const Invocation& invocation);

// What each source puts before a title so that a long value following it
// reaches the output record («245    10$a» for Libol); empty for commands
// without a record layout.
std::string TitleLayoutFor(const Invocation& invocation);

// What velmora-convert writes for `input`, worked out in-process through the
// same command table: the decoded text, line breaks as CRLF, converted,
// written with LF line breaks, a record ended by one (charset: its own byte
// run). False when the command refuses the input.
bool ConvertInProcess(const Invocation& invocation, const std::string& input, std::string& output);

}  // namespace velmora::hostile
