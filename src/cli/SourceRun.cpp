#include "cli/SourceRun.h"

#include <sstream>

#include "Encodings/Utf8.h"
#include "MarcExchange/RecordStream.h"
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
  bool everyRecordWritten = true;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const std::string name = InputName(inputs[i]);
    Text copied;
    std::string message;
    if (ReadWholeInput(inputs[i], copied, message) != ReadResult::Read) {
      PrintError(message);
      return kExitBadInput;
    }
    ConvertedRecord converted = ConvertRecord(source, std::move(copied));
    if (!options.working) {
      if (converted.traced.record.empty() && converted.holdsText) {
        PrintError(Format("{1}: {2}", {name, NoRecordMessage(source, converted)}));
        return kExitBadInput;
      }
      const std::string otherSource = OtherSourceWarning(source, converted);
      if (!otherSource.empty()) PrintError(Warning(name, otherSource));
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
          WriteRecord(*stream, PrepareRecord(options, *formatter, source, std::move(converted), name),
                      name)
              .written;
      continue;
    }
    if (i > 0) {  // an empty line between the records of two inputs
      output.AddLineBreak();
      output.AddLineBreak();
    }
    output.AddRecord(TakeWritten(options, converted), RecordEnd::kNone);
  }
  if (stream) {
    stream->Finish();
    output.AddBytes(std::move(marcBytes).str());
  }
  std::string error;
  if (!output.Write(options, error)) {
    PrintError(Format("{1}: {2}", {OutputName(options), error}));
    return kExitBadInput;
  }
  return everyRecordWritten ? kExitOk : kExitBadInput;
}

// A batch's record: decoded, converted, and prepared for the stream.
BatchResult ConvertBatchRecord(const records::SourceSystem& source, const Options& options,
                               const BatchRecord& record, const std::string& where,
                               marc_exchange::RecordFormatter& formatter) {
  BatchResult result;
  encodings::Utf8Error utf8Error{};
  std::optional<Text> decoded = encodings::DecodeUtf8(record.bytes, &utf8Error);
  if (!decoded) {
    result.warnings.push_back(
        Format("warning: {1} dropped: invalid UTF-8 at byte offset {2}",
               {where, std::to_string(record.byteOffset + utf8Error.byteOffset)}));
    return result;
  }
  ConvertedRecord converted = ConvertRecord(source, text::NormaliseLineBreaks(*decoded));
  if (options.verbose) result.warnings = LeftOutMessages(converted, where);
  result.prepared = PrepareRecord(options, formatter, source, std::move(converted), where);
  return result;
}

}  // namespace

int RunSourceCommand(const records::SourceSystem& source, const Options& options) {
  if (!options.batch) return ConvertWholeInputs(source, options);
  return RunBatch(options,
                  {.split = [](int fd) { return std::make_unique<RecordReader>(fd); },
                   .convert = [&source, &options](const BatchRecord& record,
                                                  const std::string& where,
                                                  marc_exchange::RecordFormatter& formatter) {
                     return ConvertBatchRecord(source, options, record, where, formatter);
                   }});
}

}  // namespace velmora::cli
