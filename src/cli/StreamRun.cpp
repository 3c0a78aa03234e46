#include "cli/StreamRun.h"

#include "Messages/Format.h"
#include "cli/FileIo.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"
#include "cli/Outputs.h"

namespace velmora::cli {

int RunStreamCommand(const Options& options) {
  std::string error;
  OutputSink sink(options);
  if (!sink.Open()) return kExitBadInput;
  bool everyInputRead = true;
  for (const std::string& input : InputPaths(options)) {
    error.clear();  // each input's run says its own
    const int fd = OpenInput(input, error);
    if (fd < 0) {
      // Named, and the others still converted, as cat and grep do.
      PrintError(messages::Format("%1: %2", InputName(input), error));
      everyInputRead = false;
      continue;
    }
    InputCloser closer{fd};
    if (!options.run(fd, InputName(input), sink.Stream(), error)) {
      sink.Stream().flush();
      PrintError(messages::Format("%1: %2", InputName(input), error));
      return kExitBadInput;
    }
  }
  if (!sink.Commit(error)) {
    PrintError(messages::Format("%1: %2", OutputName(options), error));
    return kExitBadInput;
  }
  return everyInputRead ? kExitOk : kExitBadInput;
}

}  // namespace velmora::cli
