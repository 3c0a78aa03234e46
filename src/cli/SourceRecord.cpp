#include "cli/SourceRecord.h"

#include "ModMain/Letters/PrecomposeLetters.h"
#include "ModMain/Records/LeftOutFields.h"
#include "cli/Inputs.h"
#include "cli/MarcWarnings.h"
#include "cli/Messages.h"
#include "cli/RecordTextWriter.h"

namespace velmora::cli {

ConvertedRecord ConvertRecord(const records::SourceSystem& source, Text copied) {
  ConvertedRecord converted;
  converted.holdsText = records::HoldsMoreThanWhiteSpace(copied);
  converted.layout = records::RecognizeSourceLayout(copied);
  converted.working = records::WorkingTextInPlace(source, std::move(copied));
  converted.traced = source.rebuild.traced(converted.working);
  return converted;
}

std::string OtherSourceHint(const records::SourceSystem& source, records::SourceLayout layout) {
  if (layout == records::SourceLayout::None || layout == source.layout) return {};
  std::string commands;
  for (const records::SourceSystem* other : SourcesWithLayout(layout)) {
    if (!commands.empty()) commands += " or ";
    commands += "'velmora-convert " + std::string(other->name) + "'";
  }
  return Format("; it looks like a {1} record: try {2}",
                {records::SourceLayoutName(layout), commands});
}

std::string NoRecordMessage(const records::SourceSystem& source, const ConvertedRecord& converted) {
  return Format("no {1} record found", {source.title}) +
         OtherSourceHint(source, converted.layout);
}

std::string OtherSourceWarning(const records::SourceSystem& source,
                               const ConvertedRecord& converted) {
  const std::string hint = OtherSourceHint(source, converted.layout);
  if (hint.empty()) return {};
  return Format("not a {1} record", {source.title}) + hint;
}

std::vector<std::string> LeftOutMessages(const ConvertedRecord& converted,
                                         const std::string& where) {
  std::vector<std::string> messages;
  for (const TextView field : records::FieldsLeftOut(converted.working, converted.traced.record)) {
    messages.push_back(where.empty() ? Format("left out: {1}", {FirstLine(field)})
                                     : Format("{1}: left out: {2}", {where, FirstLine(field)}));
  }
  return messages;
}

Text TakeWritten(const Options& options, ConvertedRecord& converted) {
  Text written = options.working ? std::move(converted.working) : std::move(converted.traced.record);
  if (options.precompose) letters::PrecomposeLettersInPlace(written);
  return written;
}

PreparedRecord PrepareRecord(const Options& options, marc_exchange::RecordFormatter& formatter,
                             const records::SourceSystem& source, ConvertedRecord converted,
                             const std::string& where) {
  PreparedRecord prepared;
  const std::vector<records::FieldOrigin> origins = std::move(converted.traced.origins);
  // The text the formatter parses, which the issues' positions count in.
  const Text written = TakeWritten(options, converted);
  if (!WritesMarc(options)) {
    prepared.formatted.bytes = RecordTextBytes(written, RecordEnd::kLineBreak);
  } else if (options.working) {
    prepared.formatted = formatter.FormatWorkingText(written);
  } else {
    prepared.formatted = formatter.Format(written, {converted.working, origins});
  }
  for (const marc_exchange::ParseIssue& issue : prepared.formatted.issues) {
    prepared.warnings.push_back(Warning(where, DescribeIssue(issue, written)));
  }
  // Nothing to write: only the stream's failure keeps a formatted record out.
  if (prepared.formatted.bytes.empty()) {
    prepared.dropped = prepared.formatted.error
                           ? prepared.formatted.error->message
                           : "it yields no field" + OtherSourceHint(source, converted.layout);
  }
  return prepared;
}

}  // namespace velmora::cli
