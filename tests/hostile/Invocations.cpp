#include "Invocations.h"

#include <map>
#include <span>

#include "cli/CharsetCommand.h"
#include "cli/Conversion.h"
#include "BuildLimits.h"
#include "support/ChildProcess.h"
#include "support/Files.h"
#include "ModMain/LineBreaks.h"
#include "Encodings/TextInput.h"
#include "Encodings/Utf8.h"

namespace velmora::hostile {
namespace {

// Pairs of representations for the charset command: both 8-bit readers,
// both 8-bit writers, and UTF-8 on each side.
const std::vector<std::pair<std::string, std::string>> kCharsetPairs = {
    {"unicode", "vni"}, {"vni", "unicode"}, {"cp1258", "tcvn3"}, {"unicode", "nomarks"},
    {"tcvn3", "cp1258"}};

bool IsUtf8File(const std::string& representation) {
  const auto found = FindRepresentation(representation);
  return found && Describe(*found).bytes == FileBytes::UnicodeText;
}

}  // namespace

std::vector<Invocation> AllInvocations() {
  std::vector<Invocation> all;
  bool exchangeTried = false;
  for (const cli::Command& command : cli::AllCommands()) {
    const std::string name(command.name);
    if (!command.operands.empty()) {
      if (name != "charset") continue;  // operands this test does not know
      for (const auto& [from, to] : kCharsetPairs) {
        all.push_back({name + " " + from + " " + to, {name, from, to}, &command, false, from, to,
                       IsUtf8File(from), IsUtf8File(to)});
      }
      continue;
    }
    all.push_back({name, {name}, &command, false, {}, {}});
    if (command.source != nullptr) {
      all.push_back({name + " --working", {name, "--working"}, &command, true, {}, {}});
    }
    if (command.source != nullptr && !exchangeTried) {
      exchangeTried = true;
      for (const std::vector<std::string>& options :
           {std::vector<std::string>{"--format", "iso2709"}, {"--format", "marcxml"},
            {"--format", "mrk"}, {"--batch"}, {"--batch", "--format", "marcxml"}}) {
        Invocation invocation{name, {name}, &command, false, {}, {}};
        for (const std::string& option : options) {
          invocation.label += " " + option;
          invocation.args.push_back(option);
        }
        invocation.exchange = true;
        invocation.batch = options.front() == "--batch";
        all.push_back(invocation);
      }
    }
  }
  return all;
}

std::vector<Invocation> OneInvocationPerCommand() {
  std::vector<Invocation> one;
  for (const Invocation& invocation : AllInvocations()) {
    if (invocation.working) continue;
    if (!one.empty() && one.back().command == invocation.command && !invocation.exchange) continue;
    one.push_back(invocation);
  }
  return one;
}

std::string ExampleInputFor(const Invocation& invocation) {
  const cli::Command& command = *invocation.command;
  if (command.source != nullptr) {
    return test::ReadFile(test::ExamplePath(std::string(command.source->sample) + ".txt"));
  }
  if (command.name == "marcedit") return test::ReadFile(test::ExamplePath("libol.expected.txt"));
  // Vietnamese text with decomposed tone marks, for the letter conversions.
  return test::ReadFile(test::ExamplePath("lacviet.txt"));
}

std::string TitleLayoutFor(const Invocation& invocation) {
  static const std::map<std::string, std::string> kLayouts = {
      {"libol", "245    10$a"},  {"lacviet", "245\t10|a"},  {"emiclib", "245\t10|a"},
      {"verbrary", "245\t10\t|a"}, {"ilib", "245\t10\ta\t"}, {"hue", "24510  a"},
      {"marcedit", "245=00$a"}};
  const auto found = kLayouts.find(std::string(invocation.command->name));
  return found == kLayouts.end() ? std::string() : found->second;
}

bool ConvertInProcess(const Invocation& invocation, const std::string& input,
                      std::string& output) {
  const cli::Command& command = *invocation.command;
  if (invocation.exchange) return false;  // not worked out here
  if (!command.operands.empty()) {
    std::string error, notes;
    return cli::RunCharset(input, *FindRepresentation(invocation.from),
                           *FindRepresentation(invocation.to), {}, output, error, notes);
  }
  const std::optional<Text> decoded = DecodeTextInput(input, nullptr);
  if (!decoded) return false;
  const Text copied = NormaliseLineBreaks(*decoded);
  const Text result = cli::ConvertCopied(command, invocation.working, copied);
  output = EncodeUtf8(Replace(result, kCrlf, u"\n"));
  return true;
}

}  // namespace velmora::hostile
