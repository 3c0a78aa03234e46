#include "Invocations.h"

#include <span>
#include <variant>

#include "BuildLimits.h"
#include "Encodings/TextInput.h"
#include "Encodings/Utf8.h"
#include "ModMain/Text/LineBreaks.h"
#include "cli/CharsetCommand.h"
#include "support/ChildProcess.h"
#include "support/Files.h"

namespace velmora::hostile {
namespace {

// Pairs of representations for the charset command: both 8-bit readers,
// both 8-bit writers, and UTF-8 on each side.
const std::vector<std::pair<std::string, std::string>> kCharsetPairs = {{"unicode", "vni"},
                                                                        {"vni", "unicode"},
                                                                        {"cp1258", "tcvn3"},
                                                                        {"unicode", "nomarks"},
                                                                        {"tcvn3", "cp1258"}};

bool IsUtf8File(const std::string& representation) {
  const auto found = encodings::FindRepresentation(representation);
  return found && encodings::Describe(*found).bytes == encodings::FileBytes::UnicodeText;
}

}  // namespace

std::vector<Invocation> AllInvocations() {
  std::vector<Invocation> all;
  bool exchangeTried = false;
  for (const cli::Command& command : cli::AllCommands()) {
    const std::string name(command.name);
    // marc reads MARC files, not copied text: its hostile inputs are its
    // fuzz harness's (fuzz_marc_repair) and the damaged files of its tests.
    if (std::holds_alternative<cli::MarcFilesCommand>(command.kind)) continue;
    const bool isSource = cli::SourceOf(command) != nullptr;
    if (!cli::OperandsOf(command).empty()) {
      if (name != "charset") continue;  // operands this test does not know
      for (const auto& [from, to] : kCharsetPairs) {
        all.push_back({name + " " + from + " " + to,
                       {name, from, to},
                       &command,
                       false,
                       from,
                       to,
                       IsUtf8File(from),
                       IsUtf8File(to)});
      }
      continue;
    }
    Invocation plain{name, {name}, &command, false, {}, {}};
    // detect takes any bytes: it says what they read as.
    plain.readsUtf8 = cli::ConvertCopied(command, false, u"").has_value();
    all.push_back(plain);
    // marcedit --batch: one output record a line, each dropped with a
    // warning when it yields nothing to write.
    const auto* whole = std::get_if<cli::WholeTextCommand>(&command.kind);
    if (whole != nullptr && whole->kind == cli::TextKind::kOutputRecords) {
      Invocation batch{name + " --batch", {name, "--batch"}, &command, false, {}, {}};
      batch.exchange = batch.batch = true;
      all.push_back(batch);
    }
    if (isSource) {
      all.push_back({name + " --working", {name, "--working"}, &command, true, {}, {}});
    }
    if (isSource && !exchangeTried) {
      exchangeTried = true;
      for (const std::vector<std::string>& options :
           {std::vector<std::string>{"--format", "iso2709"},
            {"--format", "marcxml"},
            {"--format", "mrk"},
            {"--batch"},
            {"--batch", "--format", "marcxml"}}) {
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
  if (const records::SourceSystem* source = cli::SourceOf(command)) {
    return test::ReadFile(test::ExamplePath(std::string(source->sample) + ".txt"));
  }
  if (command.name == "marcedit") return test::ReadFile(test::ExamplePath("libol.expected.txt"));
  // Vietnamese text with decomposed tone marks, for the letter conversions.
  return test::ReadFile(test::ExamplePath("lacviet.txt"));
}

std::string TitleLayoutFor(const Invocation& invocation) {
  const cli::Command& command = *invocation.command;
  if (command.name == "marcedit") return "245=00$a";
  const records::SourceSystem* source = cli::SourceOf(command);
  if (source == nullptr) return {};
  // The sample's title line up to its first subfield code «a», and the tab
  // that follows a code standing in a column of its own: «245    10$a»,
  // «245⇥10|a», «245⇥10⇥a⇥», «24510  a».
  const std::string sample =
      test::ReadFile(test::ExamplePath(std::string(source->sample) + ".txt"));
  const std::size_t title = sample.find("\n245");
  if (title == std::string::npos) return {};
  const std::string line = sample.substr(title + 1, sample.find('\n', title + 1) - title - 1);
  for (std::size_t at = 4; at < line.size(); ++at) {
    if (line[at] == 'a' && std::string_view("$|\t ").find(line[at - 1]) != std::string_view::npos) {
      return line.substr(0, at + 1) + (at + 1 < line.size() && line[at + 1] == '\t' ? "\t" : "");
    }
  }
  return {};
}

bool ConvertInProcess(const Invocation& invocation, const std::string& input, std::string& output) {
  const cli::Command& command = *invocation.command;
  if (invocation.exchange) return false;  // not worked out here
  if (!cli::OperandsOf(command).empty()) {
    std::string error, notes;
    return cli::RunCharset(input, *encodings::FindRepresentation(invocation.from),
                           *encodings::FindRepresentation(invocation.to), {}, output, error, notes);
  }
  const std::optional<Text> decoded = encodings::DecodeTextInput(input, nullptr);
  if (!decoded) return false;
  const Text copied = text::NormaliseLineBreaks(*decoded);
  const std::optional<Text> result = cli::ConvertCopied(command, invocation.working, copied);
  if (!result) return false;  // detect: no text to work out
  output = encodings::EncodeUtf8(text::Replace(*result, text::kCrlf, u"\n"));
  // A record is written as a line of text.
  const auto* whole = std::get_if<cli::WholeTextCommand>(&command.kind);
  const bool writesRecords = cli::SourceOf(command) != nullptr ||
                             (whole != nullptr && whole->kind == cli::TextKind::kOutputRecords);
  if (writesRecords && !output.empty()) output += "\n";
  return true;
}

}  // namespace velmora::hostile
