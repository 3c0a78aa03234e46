#include "MarcExchange/MarcXmlWriter.h"

#include <algorithm>

#include "Encodings/Utf8.h"
#include "MarcExchange/MarcChars.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::marc_exchange {
namespace {

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
constexpr std::string_view kRecordIndent = "  ";
constexpr std::string_view kFieldIndent = "    ";
constexpr std::string_view kSubfieldIndent = "      ";

enum class Place { kText, kAttribute };

// Whether XML 1.0 can hold the character.
bool IsXmlCharacter(char32_t cp) {
  if (cp < 0x20) return cp == U'\t' || cp == U'\n' || cp == U'\r';
  return cp != 0xFFFE && cp != 0xFFFF;
}

class XmlText {
 public:
  XmlText(std::string& out, std::size_t& replaced) : out_(out), replaced_(replaced) {}

  // `bytes` (UTF-8) escaped; false, with `out` as it was, when they are not UTF-8.
  bool Append(std::string_view bytes, Place place) {
    const std::size_t before = out_.size();
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < bytes.size();) {
      const unsigned char byte = in[i];
      if (byte >= 0x80) {
        char16_t units[2];
        char16_t* end = units;
        const std::size_t length = encodings::DecodeUtf8Sequence(in, i, bytes.size(), end);
        if (length == 0) {
          out_.resize(before);
          return false;
        }
        const char32_t cp = end - units == 2 ? 0x10000 + ((char32_t(units[0]) - 0xD800) << 10) +
                                                   (char32_t(units[1]) - 0xDC00)
                                             : char32_t(units[0]);
        if (IsXmlCharacter(cp)) {
          out_.append(bytes.substr(i, length));
        } else {
          Replace();
        }
        i += length;
        continue;
      }
      AppendAscii(static_cast<char>(byte), place);
      ++i;
    }
    return true;
  }

 private:
  void Replace() {
    encodings::AppendUtf8(kReplacementCharacter, out_);
    ++replaced_;
  }

  void AppendAscii(char c, Place place) {
    switch (c) {
      case '&':
        out_ += "&amp;";
        return;
      case '<':
        out_ += "&lt;";
        return;
      case '>':  // so that "]]>" never stands in text
        out_ += "&gt;";
        return;
      case '"':
        out_ += "&quot;";
        return;
      case '\r':
        out_ += "&#13;";
        return;
      case '\t':
      case '\n':
        if (place == Place::kAttribute) {
          out_ += c == '\t' ? "&#9;" : "&#10;";
        } else {
          out_ += c;
        }
        return;
      default:
        if (IsXmlCharacter(static_cast<unsigned char>(c))) {
          out_ += c;
        } else {
          Replace();
        }
    }
  }

  std::string& out_;
  std::size_t& replaced_;
};

std::string FieldName(std::size_t index, const ExchangeField& field) {
  return messages::Format(messages::Tr("field %1 (%2)"), index + 1, field.tag);
}

bool IsPrintableAscii(char c) {
  return c >= 0x20 && c <= 0x7E;
}

WriteError NotUtf8(std::size_t index, const ExchangeField& field) {
  return {WriteErrorKind::kNotUtf8,
          messages::Format(
              messages::Tr("%1: the text is not UTF-8, which MARCXML needs; decode the record's "
                           "text first"),
              FieldName(index, field))};
}

}  // namespace

void MarcXmlWriter::Begin(std::string& out) {
  out += kXmlDeclaration;
  out += "<collection xmlns=\"";
  out += kMarcXmlNamespace;
  out += "\">\n";
}

//   <record>
//     <leader>00095nam a2200061   4500</leader>
//     <datafield tag="245" ind1="0" ind2="0">
//       <subfield code="a">Dế Mèn</subfield>
//     </datafield>
//   </record>
std::optional<WriteError> MarcXmlWriter::Write(const ExchangeRecord& record, std::string& out) {
  replaced_ = 0;
  if (record.FieldCount() == 0)
    return WriteError{WriteErrorKind::kNoFields, messages::Tr("the record has no field")};
  const RecordOrigin& origin = record.Origin();
  if (WritesAsItStood(record) && (InFraming() || origin.xmlTextStandsAlone)) {
    if (InFraming()) {
      out += origin.leadingText;
      out += origin.text;
    } else {
      out += kRecordIndent;
      out += origin.text;
      out += '\n';
    }
    return std::nullopt;
  }
  const bool convert = marc8ToUtf8_ && record.Leader().size() > kLeaderCharacterCoding &&
                       record.Leader()[kLeaderCharacterCoding] != kUcsCoding;
  std::string converted;
  const auto text = [&](std::string_view bytes) -> std::optional<std::string_view> {
    if (!convert) return bytes;
    converted.clear();
    if (!marc8ToUtf8_(bytes, converted)) return std::nullopt;
    return std::string_view(converted);
  };
  std::string xml;
  XmlText escaped(xml, replaced_);
  if (InFraming()) {
    xml += origin.leadingText;
    xml += origin.xmlSlimDefaultOutside
               ? "<record"
               : "<record xmlns=\"" + std::string(kMarcXmlNamespace) + "\"";
    xml += ">\n";
  } else {
    xml += kRecordIndent;
    xml += "<record>\n";
  }
  std::string leader = record.Leader();
  leader.resize(kLeaderBytes, kBlankByte);
  leader[kLeaderCharacterCoding] = kUcsCoding;
  xml += kFieldIndent;
  if (!std::all_of(leader.begin(), leader.end(), IsPrintableAscii)) {
    return WriteError{WriteErrorKind::kBadField, messages::Tr("the leader is not printable ASCII")};
  }
  xml += "<leader>";
  escaped.Append(leader, Place::kText);
  xml += "</leader>\n";
  for (std::size_t i = 0; i < record.FieldCount(); ++i) {
    const ExchangeField& field = record.Field(i);
    if (std::optional<WriteError> error = CheckTag(field, i)) return error;
    xml += kFieldIndent;
    if (field.IsControlField()) {
      xml += "<controlfield tag=\"";
      escaped.Append(field.tag, Place::kAttribute);
      xml += "\">";
      const std::optional<std::string_view> data = text(field.content);
      if (!data || !escaped.Append(*data, Place::kText)) return NotUtf8(i, field);
      xml += "</controlfield>\n";
      continue;
    }
    if (!SubfieldHead(field.content).empty()) {
      return WriteError{
          WriteErrorKind::kBadField,
          FieldName(i, field) + " has data before its first subfield, which MARCXML cannot hold"};
    }
    const char indicators[2] = {field.Indicator1(), field.Indicator2()};
    for (const char indicator : indicators) {
      if (!IsPrintableAscii(indicator)) {
        return WriteError{WriteErrorKind::kBadField,
                          FieldName(i, field) + ": an indicator is not an ASCII character"};
      }
    }
    xml += "<datafield tag=\"";
    escaped.Append(field.tag, Place::kAttribute);
    xml += "\" ind1=\"";
    escaped.Append(std::string_view(&indicators[0], 1), Place::kAttribute);
    xml += "\" ind2=\"";
    escaped.Append(std::string_view(&indicators[1], 1), Place::kAttribute);
    xml += "\">\n";
    for (const SubfieldView& subfield : Subfields(field.content)) {
      if (!IsPrintableAscii(subfield.code)) {
        return WriteError{WriteErrorKind::kBadField,
                          FieldName(i, field) + ": a subfield code is not an ASCII character"};
      }
      xml += kSubfieldIndent;
      xml += "<subfield code=\"";
      escaped.Append(std::string_view(&subfield.code, 1), Place::kAttribute);
      xml += "\">";
      const std::optional<std::string_view> value = text(subfield.value);
      if (!value || !escaped.Append(*value, Place::kText)) return NotUtf8(i, field);
      xml += "</subfield>\n";
    }
    xml += kFieldIndent;
    xml += "</datafield>\n";
  }
  if (InFraming()) {
    xml += kRecordIndent;
    xml += "</record>";
  } else {
    xml += kRecordIndent;
    xml += "</record>\n";
  }
  out += xml;
  return std::nullopt;
}

void MarcXmlWriter::End(std::string& out) {
  out += "</collection>\n";
}

}  // namespace velmora::marc_exchange
