#include "cli/WholeTextRun.h"

#include "ModMain/Letters/PrecomposeLetters.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"
#include "cli/Outputs.h"

namespace velmora::cli {

int RunWholeTextCommand(const WholeTextCommand& command, const Options& options) {
  const std::vector<std::string> inputs = InputPaths(options);
  WholeOutput output;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    Text copied;
    std::string message;
    if (ReadWholeInput(inputs[i], copied, message) != ReadResult::Read) {
      PrintError(message);
      return kExitBadInput;
    }
    Text result = command.convert(std::move(copied));
    if (options.precompose) letters::PrecomposeLettersInPlace(result);
    if (command.results == TextResults::kTexts) {
      output.AddText(std::move(result));
      continue;
    }
    if (i > 0) {  // an empty line between the records of two inputs
      output.AddLineBreak();
      output.AddLineBreak();
    }
    output.AddRecord(std::move(result), RecordEnd::kNone);
  }
  std::string error;
  if (!output.Write(options, error)) {
    PrintError(Format("{1}: {2}", {OutputName(options), error}));
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace velmora::cli
