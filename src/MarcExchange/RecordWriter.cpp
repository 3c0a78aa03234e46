#include "MarcExchange/RecordWriter.h"

#include "MarcExchange/MarcChars.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::marc_exchange {
namespace {

using messages::Format;
using messages::Tr;

constexpr std::size_t kLeaderLength = 24;
constexpr std::size_t kDirectoryEntryLength = 12;  // tag 3, field length 4, start 5
constexpr std::size_t kTerminatorLength = 1;       // field or record terminator
constexpr std::size_t kIndicatorsLength = 2;
constexpr std::size_t kSubfieldMarkLength = 2;  // delimiter 1F and the code
constexpr int kRecordLengthDigits = 5;
constexpr int kBaseAddressDigits = 5;

// Leader positions 05-11 and 17-23 (see LayOutRecord).
constexpr std::string_view kLeaderStatusToCodes = "nam a22";
constexpr std::string_view kLeaderLevelToEntryMap = "   4500";

std::string FieldName(std::size_t index, const MarcField& field) {
  if (!IsValidTag(field.tag)) return Format(Tr("field %1"), index + 1);
  return Format(Tr("field %1 (%2)"), index + 1, std::string(field.tag.begin(), field.tag.end()));
}

// The bytes of a field's data with its terminator, or an error.
std::optional<WriteError> MeasureField(std::size_t index, const MarcField& field,
                                       std::size_t& bytes) {
  if (!IsValidTag(field.tag)) {
    return WriteError{
        WriteErrorKind::kBadField,
        Format(Tr("%1: the tag is not three digits 001-999"), FieldName(index, field))};
  }
  if (field.IsControlField()) {
    bytes = MarcUtf8Length(field.data);
  } else {
    if (!IsValidIndicator(field.ind1) || !IsValidIndicator(field.ind2)) {
      return WriteError{WriteErrorKind::kBadField,
                        Format(Tr("%1: an indicator is not a blank, a digit or a lowercase letter"),
                               FieldName(index, field))};
    }
    if (field.subfields.empty()) {
      return WriteError{WriteErrorKind::kBadField,
                        Format(Tr("%1: no subfield"), FieldName(index, field))};
    }
    bytes = kIndicatorsLength;
    for (const Subfield& subfield : field.subfields) {
      if (!IsValidSubfieldCode(subfield.code)) {
        return WriteError{
            WriteErrorKind::kBadField,
            Format(Tr("%1: a subfield code is not a letter or digit"), FieldName(index, field))};
      }
      bytes += kSubfieldMarkLength + MarcUtf8Length(subfield.value);
    }
  }
  bytes += kTerminatorLength;
  if (bytes > kMaxFieldBytes) {
    return WriteError{WriteErrorKind::kFieldTooLong,
                      Format(Tr("%1 is %2 bytes; ISO 2709 allows at most %3"),
                             FieldName(index, field), bytes, kMaxFieldBytes)};
  }
  return std::nullopt;
}

}  // namespace

std::optional<WriteError> CheckTag(const ExchangeField& field, std::size_t index) {
  if (IsWellFormedTag(field.tag)) return std::nullopt;
  return WriteError{WriteErrorKind::kBadField,
                    messages::Format(messages::Tr("%1: the tag is not three letters or digits"),
                                     messages::Format(messages::Tr("field %1"), index + 1))};
}

std::optional<WriteError> LayOutRecord(const MarcRecord& record, RecordLayout& layout) {
  if (record.fields.empty())
    return WriteError{WriteErrorKind::kNoFields, Tr("the record has no field")};
  layout.fieldLengths.clear();
  layout.fieldLengths.reserve(record.fields.size());
  std::size_t dataLength = 0;
  for (std::size_t i = 0; i < record.fields.size(); ++i) {
    std::size_t bytes = 0;
    if (auto error = MeasureField(i, record.fields[i], bytes)) return error;
    layout.fieldLengths.push_back(bytes);
    dataLength += bytes;
  }
  layout.baseAddress =
      kLeaderLength + kDirectoryEntryLength * record.fields.size() + kTerminatorLength;
  layout.recordLength = layout.baseAddress + dataLength + kTerminatorLength;
  if (layout.recordLength > kMaxRecordBytes) {
    return WriteError{WriteErrorKind::kRecordTooLong,
                      Format(Tr("the record is %1 bytes; ISO 2709 allows at most %2"),
                             layout.recordLength, kMaxRecordBytes)};
  }
  layout.leader.clear();
  AppendZeroPadded(layout.recordLength, kRecordLengthDigits, layout.leader);
  layout.leader += kLeaderStatusToCodes;
  AppendZeroPadded(layout.baseAddress, kBaseAddressDigits, layout.leader);
  layout.leader += kLeaderLevelToEntryMap;
  return std::nullopt;
}

ExchangeRecord ToExchangeRecord(const MarcRecord& record, const RecordLayout& layout) {
  ExchangeRecord exchange(layout.leader);
  std::vector<ExchangeField>& fields = exchange.ReadFields();
  fields.reserve(record.fields.size());
  for (const MarcField& field : record.fields) {
    ExchangeField& out = fields.emplace_back();
    AppendAscii(field.tag, out.tag);
    if (field.IsControlField()) {
      AppendMarcUtf8(field.data, out.content);
      continue;
    }
    out.content.push_back(static_cast<char>(field.ind1));  // checked: ASCII
    out.content.push_back(static_cast<char>(field.ind2));
    for (const Subfield& subfield : field.subfields) {
      out.content.push_back(kSubfieldDelimiterByte);
      out.content.push_back(static_cast<char>(subfield.code));  // checked: ASCII
      AppendMarcUtf8(subfield.value, out.content);
    }
  }
  return exchange;
}

std::optional<WriteError> RecordWriter::Write(const MarcRecord& record, std::string& out) {
  if (auto error = LayOutRecord(record, layout_)) return error;
  return Write(ToExchangeRecord(record, layout_), out);
}

void RecordWriter::Begin(std::string&) {}
void RecordWriter::End(std::string&) {}

bool RecordWriter::BeginInFraming(const FileFraming& framing, std::string& out) {
  inFraming_ = framing.reusable && framing.format == Format();
  if (inFraming_) {
    out += framing.prologue;
  } else {
    Begin(out);
  }
  return inFraming_;
}

void RecordWriter::EndInFraming(const FileFraming& framing, std::string& out) {
  if (inFraming_) {
    out += framing.epilogue;
  } else {
    End(out);
  }
}

}  // namespace velmora::marc_exchange
