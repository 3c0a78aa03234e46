#include "cli/RunCommand.h"

#include <variant>

#include "cli/MarcCommand.h"
#include "cli/SourceRun.h"
#include "cli/StreamRun.h"
#include "cli/WholeTextRun.h"

namespace velmora::cli {
namespace {

struct RunOfKind {
  const Options& options;

  int operator()(const SourceCommand& command) const {
    return RunSourceCommand(*command.source, options);
  }
  int operator()(const WholeTextCommand& command) const {
    return RunWholeTextCommand(command, options);
  }
  // pre-unicode --precompose converts each input whole, as the other commands.
  int operator()(const StreamCommand& command) const {
    if (options.precompose && command.precomposing) {
      return RunWholeTextCommand(*command.precomposing, options);
    }
    return RunStreamCommand(options);
  }
  int operator()(const MarcFilesCommand& command) const { return command.run(options); }
};

}  // namespace

int RunCommand(const Options& options) {
  return std::visit(RunOfKind{options}, options.command->kind);
}

}  // namespace velmora::cli
