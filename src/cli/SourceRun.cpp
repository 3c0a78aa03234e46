#include "cli/SourceRun.h"

#include <sstream>

#include "MarcExchange/RecordStream.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "ModMain/Text/LineBreaks.h"
#include "cli/BatchRun.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"
#include "cli/Outputs.h"
#include "cli/RecordReader.h"
#include "cli/SourceRecord.h"

namespace velmora::cli {
namespace {

// Each input converted whole, as its own record; the results written once
// every input is converted.
int ConvertWholeInputs(const records::SourceSystem& source, const Options& options) {
  const std::vector<std::string> inputs = InputPaths(options);
  const bool asMarc = WritesMarc(options);
  std::ostringstream marcBytes;
  std::optional<marc_exchange::RecordStream> stream;
  std::optional<marc_exchange::RecordFormatter> formatter;
  if (asMarc) {
    stream.emplace(*options.format, marcBytes, options.dateEntered);
    formatter.emplace(*options.format, options.dateEntered);
  }
  WholeOutput output;
  bool everyRecordWritten = true, everyInputRead = true;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const std::string name = InputName(inputs[i]);
    Text copied;
    std::string message;
    const ReadResult read = ReadWholeInput(inputs[i], copied, message);
    if (read != ReadResult::Read) {
      PrintError(message);
      // A file that cannot be read is named, and the others still converted.
      if (read != ReadResult::Unreadable) return kExitBadInput;
      everyInputRead = false;
      continue;
    }
    ConvertedRecord converted = ConvertRecord(source, std::move(copied));
    if (!options.working && converted.traced.record.empty() && converted.holdsText) {
      PrintError(messages::Format("%1: %2", name, NoRecordMessage(source, converted)));
      return kExitBadInput;
    }
    for (const std::string& warning : RecordWarnings(options, source, converted, name)) {
      PrintError(warning);
    }
    if (options.verbose) {
      // The input is named only when there is more than one.
      for (const std::string& message :
           LeftOutMessages(converted, inputs.size() > 1 ? name : std::string())) {
        PrintError(message);
      }
    }
    if (asMarc) {
      everyRecordWritten &=
          WriteRecord(*stream,
                      PrepareRecord(options, *formatter, source, std::move(converted), name), name)
              .written;
      continue;
    }
    output.AddRecord(TakeWritten(options, converted));
  }
  if (stream) {
    stream->Finish();
    output.AddBytes(std::move(marcBytes).str());
  }
  std::string error;
  if (!output.Write(options, error)) {
    PrintError(messages::Format("%1: %2", OutputName(options), error));
    return kExitBadInput;
  }
  return everyRecordWritten && everyInputRead ? kExitOk : kExitBadInput;
}

// A record of a batch that has no title is most often the end of the record
// before it, cut off by an empty line; it is written as it is, and named.
constexpr std::string_view kNoTitleWarning = messages::Translatable(
    "it has no title (245); if it is the end of the record before it, take out the empty lines "
    "between them");

// Whether what is written of a record has a title 245: the output record
// starts with it; a working text has it as a field anywhere. A record that
// yields nothing is dropped, and said so, instead.
bool HasTitle(const Options& options, const ConvertedRecord& converted) {
  if (!options.working) {
    const TextView record = converted.traced.record;
    return record.empty() || record.starts_with(u"245");
  }
  const TextView working = converted.working;
  return working.empty() || working.starts_with(u"245") ||
         text::FindText(working, u"%245", 0) != TextView::npos;
}

// A batch's record: decoded, converted, and prepared for the stream.
BatchResult ConvertBatchRecord(const records::SourceSystem& source, const Options& options,
                               const BatchRecord& record, const std::string& where,
                               marc_exchange::RecordFormatter& formatter) {
  BatchResult result;
  std::optional<Text> decoded = DecodeTextRecord(record, where, result);
  if (!decoded) return result;
  ConvertedRecord converted = ConvertRecord(source, std::move(*decoded), record.firstLine);
  result.warnings = RecordWarnings(options, source, converted, where);
  if (!HasTitle(options, converted)) {
    result.warnings.push_back(Warning(where, messages::Tr(kNoTitleWarning)));
  }
  if (options.verbose) {
    for (std::string& message : LeftOutMessages(converted, where)) {
      result.warnings.push_back(std::move(message));
    }
  }
  result.prepared = PrepareRecord(options, formatter, source, std::move(converted), where);
  return result;
}

}  // namespace

int RunSourceCommand(const records::SourceSystem& source, const Options& options) {
  if (!options.batch) return ConvertWholeInputs(source, options);
  return RunBatch(options,
                  {.split = [](int fd) { return std::make_unique<RecordReader>(fd); },
                   .convert =
                       [&source, &options](const BatchRecord& record, const std::string& where,
                                           marc_exchange::RecordFormatter& formatter) {
                         return ConvertBatchRecord(source, options, record, where, formatter);
                       }});
}

}  // namespace velmora::cli
