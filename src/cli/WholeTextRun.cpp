#include "cli/WholeTextRun.h"

#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "ModMain/Letters/PrecomposeLetters.h"
#include "ModMain/Records/SourceLayout.h"
#include "ModMain/Text/LineBreaks.h"
#include "cli/BatchRun.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"
#include "cli/Outputs.h"
#include "cli/RecordReader.h"
#include "cli/RecordTextWriter.h"
#include "cli/SourceRecord.h"

namespace velmora::cli {
namespace {

// «this looks like a record copied from Libol, not an output record: …»
// for a text with a library system's layout, which is to be converted
// before it is an output record; empty for any other text.
std::string CopiedRecordMessage(TextView text) {
  const records::SourceLayout layout = records::RecognizeSourceLayout(text);
  if (layout == records::SourceLayout::None) return {};
  return messages::Format(messages::Tr("this looks like a record copied from %1, not an output "
                                       "record: convert it first with %2"),
                          messages::Tr(records::SourceLayoutName(layout)), CommandsFor(layout));
}

// Whether an output record's text goes on, after a line break, with
// another output record «245=00$a…», as --batch writes them, one a line.
bool HoldsSeveralRecords(TextView text) {
  for (std::size_t at = text::FindText(text, text::kCrlf, 0); at != TextView::npos;
       at = text::FindText(text, text::kCrlf, at + 1)) {
    const TextView next = text.substr(at + text::kCrlf.size());
    if (next.size() > 3 && text::IsAsciiDigit(next[0]) && text::IsAsciiDigit(next[1]) &&
        text::IsAsciiDigit(next[2]) && next[3] == u'=') {
      return true;
    }
  }
  return false;
}

Text Converted(const WholeTextCommand& command, const Options& options, Text copied) {
  Text result = command.convert(std::move(copied));
  if (options.precompose) letters::PrecomposeLettersInPlace(result);
  return result;
}

int ConvertWholeInputs(const WholeTextCommand& command, const Options& options) {
  WholeOutput output;
  bool everyInputRead = true;
  for (const std::string& input : InputPaths(options)) {
    Text copied;
    std::string message;
    const ReadResult read = ReadWholeInput(input, copied, message);
    if (read != ReadResult::Read) {
      PrintError(message);
      // A file that cannot be read is named, and the others still converted.
      if (read != ReadResult::Unreadable) return kExitBadInput;
      everyInputRead = false;
      continue;
    }
    if (command.kind == TextKind::kAnyText) {
      output.AddText(Converted(command, options, std::move(copied)));
      continue;
    }
    if (const std::string copiedRecord = CopiedRecordMessage(copied); !copiedRecord.empty()) {
      PrintError(messages::Format("%1: %2", InputName(input), copiedRecord));
      return kExitBadInput;
    }
    if (HoldsSeveralRecords(copied)) {
      PrintError(Warning(InputName(input),
                         messages::Tr("it holds several output records, one a line: "
                                      "'velmora-convert marcedit --batch' writes the lines of "
                                      "each apart")));
    }
    output.AddRecord(Converted(command, options, std::move(copied)));
  }
  std::string error;
  if (!output.Write(options, error)) {
    PrintError(messages::Format("%1: %2", OutputName(options), error));
    return kExitBadInput;
  }
  return everyInputRead ? kExitOk : kExitBadInput;
}

// --batch: an output record a line, each converted into its lines.
BatchResult ConvertBatchRecord(const WholeTextCommand& command, const Options& options,
                               const BatchRecord& record, const std::string& where) {
  BatchResult result;
  std::optional<Text> decoded = DecodeTextRecord(record, where, result);
  if (!decoded) return result;
  Text line = std::move(*decoded);
  if (const std::string copiedRecord = CopiedRecordMessage(line); !copiedRecord.empty()) {
    result.warnings.push_back(
        messages::Format(messages::Tr("warning: %1 dropped: %2"), where, copiedRecord));
    return result;
  }
  PreparedRecord prepared;
  prepared.formatted.bytes = RecordTextBytes(Converted(command, options, std::move(line)));
  prepared.dropped = messages::Tr("it yields no line");
  result.prepared = std::move(prepared);
  return result;
}

}  // namespace

int RunWholeTextCommand(const WholeTextCommand& command, const Options& options) {
  if (!options.batch) return ConvertWholeInputs(command, options);
  return RunBatch(
      options,
      {.split =
           [](int fd) { return std::make_unique<RecordReader>(fd, RecordReader::Split::kLines); },
       .convert =
           [&command, &options](const BatchRecord& record, const std::string& where,
                                marc_exchange::RecordFormatter&) {
             return ConvertBatchRecord(command, options, record, where);
           },
       .emptyLineBetween = true});
}

}  // namespace velmora::cli
