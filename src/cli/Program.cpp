#include "cli/Program.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "cli/DateEntered.h"
#include "cli/Messages.h"
#include "cli/Options.h"
#include "cli/RunCommand.h"
#include "velmora/Version.h"

namespace velmora::cli {

int RunProgram(std::span<const std::string_view> args) {
  ParsedCommandLine parsed = ParseCommandLine(args);
  if (parsed.outcome == ParsedCommandLine::Outcome::Run && WritesMarc(parsed.options)) {
    const auto date = DateEntered(std::getenv(kSourceDateEpoch), parsed.error);
    if (date) {
      parsed.options.dateEntered = *date;
    } else {
      parsed.outcome = ParsedCommandLine::Outcome::UsageError;
    }
  }
  switch (parsed.outcome) {
    case ParsedCommandLine::Outcome::Help:
      std::fputs(Usage().c_str(), stdout);
      return kExitOk;
    case ParsedCommandLine::Outcome::Version:
      std::printf("velmora-convert %.*s\n", static_cast<int>(kVersion.size()), kVersion.data());
      return kExitOk;
    case ParsedCommandLine::Outcome::UsageError: {
      PrintError(parsed.error);
      // The program's name stays out of the translation.
      const std::string hint = messages::Format(
          messages::Tr("Try '%1 --help' for more information."), "velmora-convert");
      std::fprintf(stderr, "%s\n", hint.c_str());
      return kExitUsage;
    }
    case ParsedCommandLine::Outcome::Run:
      break;
  }
  return RunCommand(parsed.options);
}

}  // namespace velmora::cli
