#include "MarcExchange/Iso2709Writer.h"

#include <algorithm>

#include "MarcExchange/MarcChars.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::marc_exchange {
namespace {

using messages::Tr;

constexpr int kFieldLengthDigits = 4;
constexpr int kStartDigits = 5;
constexpr std::size_t kTagBytes = 3;

std::string FieldName(std::size_t index, const ExchangeField& field) {
  return messages::Format(Tr("field %1 (%2)"), index + 1, field.tag);
}

std::optional<WriteError> CheckField(std::size_t index, const ExchangeField& field) {
  if (field.tag.size() != kTagBytes || !std::all_of(field.tag.begin(), field.tag.end(),
                                                    [](char c) { return c > 0x20 && c < 0x7F; })) {
    return WriteError{WriteErrorKind::kBadField,
                      messages::Format(Tr("%1: the tag is not three visible characters"),
                                       messages::Format(Tr("field %1"), index + 1))};
  }
  if (field.content.find_first_of("\x1D\x1E") != std::string::npos) {
    return WriteError{
        WriteErrorKind::kBadField,
        messages::Format(Tr("%1 holds a field or record terminator"), FieldName(index, field))};
  }
  if (field.content.size() + 1 > kMaxFieldBytes) {
    return WriteError{
        WriteErrorKind::kFieldTooLong,
        messages::Format(Tr("%1 is %2 bytes; ISO 2709 allows at most %3"), FieldName(index, field),
                         field.content.size() + 1, kMaxFieldBytes)};
  }
  return std::nullopt;
}

}  // namespace

// «00095nam a2200061   4500» «245001900004…» 1E «00» 1F «aDế Mèn» 1F «bSub» 1E … 1D
std::optional<WriteError> Iso2709Writer::Write(const ExchangeRecord& record, std::string& out) {
  replaced_ = 0;
  if (record.FieldCount() == 0)
    return WriteError{WriteErrorKind::kNoFields, Tr("the record has no field")};
  if (WritesAsItStood(record)) {
    out += record.Origin().text;
    return std::nullopt;
  }
  if (record.Leader().find_first_of("\x1D\x1E\x1F") != std::string::npos) {
    return WriteError{WriteErrorKind::kBadField, Tr("the leader holds a delimiter or terminator")};
  }
  for (std::size_t i = 0; i < record.FieldCount(); ++i) {
    if (auto error = CheckField(i, record.Field(i))) return error;
  }
  const Iso2709Lengths lengths = MeasureIso2709(record);
  if (lengths.recordLength > kMaxRecordBytes) {
    return WriteError{WriteErrorKind::kRecordTooLong,
                      messages::Format(Tr("the record is %1 bytes; ISO 2709 allows at most %2"),
                                       lengths.recordLength, kMaxRecordBytes)};
  }
  out.reserve(out.size() + lengths.recordLength);
  out += Iso2709Leader(record);
  std::size_t start = 0;
  for (const ExchangeField& field : record.Fields()) {
    out += field.tag;
    AppendZeroPadded(field.content.size() + 1, kFieldLengthDigits, out);
    AppendZeroPadded(start, kStartDigits, out);
    start += field.content.size() + 1;
  }
  out.push_back(kFieldTerminatorByte);
  for (const ExchangeField& field : record.Fields()) {
    out += field.content;
    out.push_back(kFieldTerminatorByte);
  }
  out.push_back(kRecordTerminatorByte);
  return std::nullopt;
}

}  // namespace velmora::marc_exchange
