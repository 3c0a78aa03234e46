#include "cli/StreamRun.h"

#include "cli/FileIo.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"
#include "cli/Outputs.h"

namespace velmora::cli {

int RunStreamCommand(const Options& options) {
  std::string error;
  OutputSink sink(options);
  if (!sink.Open()) return kExitBadInput;
  for (const std::string& input : InputPaths(options)) {
    const int fd = OpenInput(input, error);
    if (fd < 0) {
      PrintError(Format("{1}: {2}", {InputName(input), error}));
      return kExitBadInput;
    }
    InputCloser closer{fd};
    if (!options.run(fd, InputName(input), sink.Stream(), error)) {
      sink.Stream().flush();
      PrintError(Format("{1}: {2}", {InputName(input), error}));
      return kExitBadInput;
    }
  }
  if (!sink.Commit(error)) {
    PrintError(Format("{1}: {2}", {OutputName(options), error}));
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace velmora::cli
