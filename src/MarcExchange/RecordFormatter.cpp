#include "MarcExchange/RecordFormatter.h"

#include "Encodings/Utf8.h"
#include "MarcExchange/Iso2709Writer.h"
#include "MarcExchange/MarcXmlWriter.h"
#include "MarcExchange/MrkWriter.h"
#include "MarcExchange/SourceIndicators.h"
#include "ModMain/Text/LineBreaks.h"

namespace velmora::marc_exchange {
std::unique_ptr<RecordWriter> MakeRecordWriter(OutputFormat format) {
  switch (format) {
    case OutputFormat::kRecord:
      return nullptr;
    case OutputFormat::kIso2709:
      return std::make_unique<Iso2709Writer>();
    case OutputFormat::kMarcXml:
      return std::make_unique<MarcXmlWriter>();
    case OutputFormat::kMrk:
      return std::make_unique<MrkWriter>();
  }
  return nullptr;
}

RecordFormatter::RecordFormatter(OutputFormat format, const CalendarDate& dateEntered)
    : writer_(MakeRecordWriter(format)), dateEntered_(dateEntered) {
  if (writer_ == nullptr) return;
  writer_->Begin(header_);
  writer_->End(footer_);
}

FormattedRecord RecordFormatter::FormatText(TextView text) {
  FormattedRecord formatted;
  if (text.empty()) return formatted;
  // The text as it is: only lone surrogates replaced (U+FFFD).
  encodings::AppendEncodedUtf8(text::Replace(text, text::kCrlf, text::kPlatformLineBreakText),
                               formatted.bytes);
  formatted.bytes += text::kPlatformLineBreak;
  return formatted;
}

FormattedRecord RecordFormatter::FormatParsed(ParseResult parsed) {
  FormattedRecord formatted;
  formatted.issues = std::move(parsed.issues);
  CompleteForExchange(parsed.record, dateEntered_);
  formatted.error = writer_->Write(parsed.record, formatted.bytes);
  if (formatted.error) formatted.bytes.clear();
  return formatted;
}

FormattedRecord RecordFormatter::Format(TextView outputRecord, const RecordSource& source) {
  if (writer_ == nullptr) return FormatText(outputRecord);
  ParseResult parsed = ParseOutputRecord(outputRecord);
  if (!source.origins.empty()) ApplySourceIndicators(parsed, source.working, source.origins);
  return FormatParsed(std::move(parsed));
}

FormattedRecord RecordFormatter::FormatWorkingText(TextView working) {
  if (writer_ == nullptr) return FormatText(working);
  return FormatParsed(ParseWorkingText(working));
}

}  // namespace velmora::marc_exchange
