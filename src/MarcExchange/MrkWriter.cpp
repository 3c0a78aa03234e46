#include "MarcExchange/MrkWriter.h"

#include "Encodings/Utf8.h"
#include "MarcExchange/MarcChars.h"

namespace velmora::marc_exchange {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kAfterTag = "  ";
constexpr std::string_view kLeaderLine = "=LDR";
constexpr char kFieldStart = '=';
constexpr char kMnemonicBlank = '\\';
constexpr char kSubfieldMark = '$';

// In the leader and control fields every blank is "\".
enum class Blanks { kKeep, kAsBackslash };

void AppendMnemonicText(TextView text, Blanks blanks, std::string& out) {
  ForEachCodePoint(text, [&out, blanks](char32_t cp) {
    switch (const char32_t safe = MarcSafeCodePoint(cp)) {
      case U'$':
        out += "{dollar}";
        break;
      case U'{':
        out += "{lcub}";
        break;
      case U'}':
        out += "{rcub}";
        break;
      case U'\\':
        out += "{bsol}";
        break;
      case U' ':
        out += blanks == Blanks::kAsBackslash ? kMnemonicBlank : ' ';
        break;
      default:
        encodings::AppendUtf8(safe, out);
    }
  });
}

void AppendIndicator(char16_t ind, std::string& out) {
  out += ind == kBlankIndicator ? kMnemonicBlank : static_cast<char>(ind);  // checked: ASCII
}

}  // namespace

std::optional<WriteError> MrkWriter::Write(const MarcRecord& record, std::string& out) {
  if (auto error = LayOutRecord(record, layout_)) return error;
  out += kLeaderLine;
  out += kAfterTag;
  for (char ch : layout_.leader) out += ch == ' ' ? kMnemonicBlank : ch;
  out += kLineBreak;
  for (const MarcField& field : record.fields) {
    out += kFieldStart;
    AppendAscii(field.tag, out);
    out += kAfterTag;
    if (field.IsControlField()) {
      AppendMnemonicText(field.data, Blanks::kAsBackslash, out);
    } else {
      AppendIndicator(field.ind1, out);
      AppendIndicator(field.ind2, out);
      for (const Subfield& subfield : field.subfields) {
        out += kSubfieldMark;
        out += static_cast<char>(subfield.code);  // checked: ASCII
        AppendMnemonicText(subfield.value, Blanks::kKeep, out);
      }
    }
    out += kLineBreak;
  }
  out += kLineBreak;  // the empty line that ends the record
  return std::nullopt;
}

}  // namespace velmora::marc_exchange
