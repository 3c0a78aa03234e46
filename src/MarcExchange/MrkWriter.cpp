#include "MarcExchange/MrkWriter.h"

#include <algorithm>

#include "MarcExchange/MrkMnemonics.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::marc_exchange {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kAfterTag = "  ";
constexpr char kFieldStart = '=';
constexpr char kSubfieldMark = '$';

// In the leader and control fields every blank is "\".
enum class Blanks { kKeep, kAsBackslash };

void AppendName(std::string_view name, std::string& out) {
  out += '{';
  out += name;
  out += '}';
}

void AppendMnemonicText(std::string_view bytes, Blanks blanks, bool marc8, std::string& out) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '$':
      case '{':
      case '}':
      case '\\':
        AppendName(MrkByteName(byte), out);
        continue;
      case ' ':
        out += blanks == Blanks::kAsBackslash ? kMrkBlank : ' ';
        continue;
      default:
        break;
    }
    if (byte < 0x20 || (marc8 && byte >= 0x80)) {
      const std::string_view name = MrkByteName(byte);
      if (!name.empty()) {
        AppendName(name, out);
        continue;
      }
    }
    out += c;
  }
}

void AppendIndicator(char ind, std::string& out) {
  out += ind == kBlankByte ? kMrkBlank : ind;
}

std::string FieldName(std::size_t index, const ExchangeField& field) {
  return messages::Format(messages::Tr("field %1 (%2)"), index + 1, field.tag);
}

}  // namespace

std::optional<WriteError> MrkWriter::Write(const ExchangeRecord& record, std::string& out) {
  replaced_ = 0;
  if (record.FieldCount() == 0)
    return WriteError{WriteErrorKind::kNoFields, messages::Tr("the record has no field")};
  const RecordOrigin& origin = record.Origin();
  // A file's own line breaks inside its framing; MarcEdit's CRLF elsewhere.
  const std::string_view lineBreak = InFraming() ? std::string_view(origin.lineBreak) : kLineBreak;
  if (WritesAsItStood(record)) {
    if (InFraming()) {
      out += origin.leadingText;
      out += origin.text;
    } else {
      out += origin.text;
      if (!origin.text.ends_with('\n') && !origin.text.ends_with('\r')) out += origin.lineBreak;
      out += origin.lineBreak;
    }
    return std::nullopt;
  }
  // What the lines cannot hold so that they read back the same: a tag of
  // other than letters and digits, an indicator "$" or "\" (a blank there),
  // a subfield code "$" or none, a control character in either.
  for (std::size_t i = 0; i < record.FieldCount(); ++i) {
    const ExchangeField& field = record.Field(i);
    if (std::optional<WriteError> error = CheckTag(field, i)) return error;
    if (field.tag == kMrkLeaderLine.substr(1)) {
      return WriteError{
          WriteErrorKind::kBadField,
          messages::Format(messages::Tr("%1: in .mrk the tag LDR stands for the leader"),
                           FieldName(i, field))};
    }
    if (field.IsControlField()) continue;
    for (const char indicator : {field.Indicator1(), field.Indicator2()}) {
      if (static_cast<unsigned char>(indicator) < 0x20 || indicator == '$' || indicator == '\\') {
        return WriteError{WriteErrorKind::kBadField,
                          messages::Format(messages::Tr("%1: an indicator .mrk cannot hold"),
                                           FieldName(i, field))};
      }
    }
    for (const SubfieldView& subfield : Subfields(field.content)) {
      if (static_cast<unsigned char>(subfield.code) < 0x20 || subfield.code == '$') {
        return WriteError{WriteErrorKind::kBadField,
                          messages::Format(messages::Tr("%1: a subfield code .mrk cannot hold"),
                                           FieldName(i, field))};
      }
    }
  }
  const bool marc8 = record.Leader().size() > kLeaderCharacterCoding &&
                     record.Leader()[kLeaderCharacterCoding] != kUcsCoding;
  if (InFraming()) out += origin.leadingText;
  out += kMrkLeaderLine;
  out += kAfterTag;
  std::string leader = record.Leader();
  leader.resize(kLeaderBytes, kBlankByte);
  AppendMnemonicText(leader, Blanks::kAsBackslash, marc8, out);
  out += lineBreak;
  for (const ExchangeField& field : record.Fields()) {
    out += kFieldStart;
    out += field.tag;
    out += kAfterTag;
    if (field.IsControlField()) {
      AppendMnemonicText(field.content, Blanks::kAsBackslash, marc8, out);
    } else {
      AppendIndicator(field.Indicator1(), out);
      AppendIndicator(field.Indicator2(), out);
      AppendMnemonicText(SubfieldHead(field.content), Blanks::kKeep, marc8, out);
      for (const SubfieldView& subfield : Subfields(field.content)) {
        out += kSubfieldMark;
        out += subfield.code;
        AppendMnemonicText(subfield.value, Blanks::kKeep, marc8, out);
      }
    }
    out += lineBreak;
  }
  if (!InFraming()) out += kLineBreak;  // the empty line that ends the record
  return std::nullopt;
}

}  // namespace velmora::marc_exchange
