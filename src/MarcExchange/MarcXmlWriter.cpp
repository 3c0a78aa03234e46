#include "MarcExchange/MarcXmlWriter.h"

#include "Encodings/Utf8.h"
#include "MarcExchange/MarcChars.h"

namespace velmora::marc_exchange {
namespace {

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
constexpr std::string_view kRecordIndent = "  ";
constexpr std::string_view kFieldIndent = "    ";
constexpr std::string_view kSubfieldIndent = "      ";

void AppendAttribute(std::string_view name, TextView value, std::string& out) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendXmlEscaped(value, out);
  out += '"';
}

}  // namespace

void AppendXmlEscaped(TextView text, std::string& out) {
  ForEachCodePoint(text, [&out](char32_t cp) {
    switch (const char32_t safe = MarcSafeCodePoint(cp)) {
      case U'&':
        out += "&amp;";
        break;
      case U'<':
        out += "&lt;";
        break;
      case U'>':  // so that "]]>" never stands in text
        out += "&gt;";
        break;
      case U'"':
        out += "&quot;";
        break;
      default:
        encodings::AppendUtf8(safe, out);
    }
  });
}

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
std::optional<WriteError> MarcXmlWriter::Write(const MarcRecord& record, std::string& out) {
  if (auto error = LayOutRecord(record, layout_)) return error;
  out += kRecordIndent;
  out += "<record>\n";
  out += kFieldIndent;
  out += "<leader>";
  out += layout_.leader;
  out += "</leader>\n";
  for (const MarcField& field : record.fields) {
    out += kFieldIndent;
    if (field.IsControlField()) {
      out += "<controlfield";
      AppendAttribute("tag", field.tag, out);
      out += '>';
      AppendXmlEscaped(field.data, out);
      out += "</controlfield>\n";
      continue;
    }
    out += "<datafield";
    AppendAttribute("tag", field.tag, out);
    AppendAttribute("ind1", TextView(&field.ind1, 1), out);
    AppendAttribute("ind2", TextView(&field.ind2, 1), out);
    out += ">\n";
    for (const Subfield& subfield : field.subfields) {
      out += kSubfieldIndent;
      out += "<subfield";
      AppendAttribute("code", TextView(&subfield.code, 1), out);
      out += '>';
      AppendXmlEscaped(subfield.value, out);
      out += "</subfield>\n";
    }
    out += kFieldIndent;
    out += "</datafield>\n";
  }
  out += kRecordIndent;
  out += "</record>\n";
  return std::nullopt;
}

void MarcXmlWriter::End(std::string& out) {
  out += "</collection>\n";
}

}  // namespace velmora::marc_exchange
