#include "MarcExchange/Iso2709Writer.h"

#include "MarcExchange/MarcChars.h"

namespace velmora::marc_exchange {
namespace {

constexpr int kFieldLengthDigits = 4;
constexpr int kStartDigits = 5;

}  // namespace

// «00095nam a2200061   4500» «245001900004…» 1E «00» 1F «aDế Mèn» 1F «bSub» 1E … 1D
std::optional<WriteError> Iso2709Writer::Write(const MarcRecord& record, std::string& out) {
  if (auto error = LayOutRecord(record, layout_)) return error;
  out.reserve(out.size() + layout_.recordLength);
  out += layout_.leader;
  std::size_t start = 0;
  for (std::size_t i = 0; i < record.fields.size(); ++i) {
    AppendAscii(record.fields[i].tag, out);  // checked by LayOutRecord: three digits
    AppendZeroPadded(layout_.fieldLengths[i], kFieldLengthDigits, out);
    AppendZeroPadded(start, kStartDigits, out);
    start += layout_.fieldLengths[i];
  }
  out.push_back(kFieldTerminatorByte);
  for (const MarcField& field : record.fields) {
    if (field.IsControlField()) {
      AppendMarcUtf8(field.data, out);
    } else {
      out.push_back(static_cast<char>(field.ind1));  // checked: ASCII
      out.push_back(static_cast<char>(field.ind2));
      for (const Subfield& subfield : field.subfields) {
        out.push_back(kSubfieldDelimiterByte);
        out.push_back(static_cast<char>(subfield.code));  // checked: ASCII
        AppendMarcUtf8(subfield.value, out);
      }
    }
    out.push_back(kFieldTerminatorByte);
  }
  out.push_back(kRecordTerminatorByte);
  return std::nullopt;
}

}  // namespace velmora::marc_exchange
