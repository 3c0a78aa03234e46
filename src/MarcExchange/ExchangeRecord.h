// A MARC record as a file held it: the leader as its 24 bytes, each field its
// tag and its content bytes, in their order, and what it was read from, so
// that a record nobody changed is written again exactly as it stood.
//
// The bytes are in whatever encoding the file used (UTF-8, MARC-8, a legacy
// 8-bit Vietnamese one) until the charset decisions replace them; the
// structure around them is MARC 21's:
//   control field 001  «VN-123»
//   data field 245     «10» 1F «aDế Mèn» 1F «cTô Hoài»
//                      (two indicators, then each subfield: 1F, its code, its value)
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "MarcExchange/OutputFormats.h"

namespace velmora::marc_exchange {

inline constexpr std::size_t kLeaderBytes = 24;
inline constexpr char kSubfieldDelimiterByte = '\x1F';
inline constexpr char kFieldTerminatorByte = '\x1E';
inline constexpr char kRecordTerminatorByte = '\x1D';
inline constexpr char kBlankByte = ' ';
// Leader/09: 'a' for UCS (UTF-8), a blank for MARC-8.
inline constexpr std::size_t kLeaderCharacterCoding = 9;
inline constexpr char kUcsCoding = 'a';

// What a tag is made of: an ASCII letter or digit.
constexpr bool IsAsciiLetterOrDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A tag every exchange format can carry: three ASCII letters or digits
// («245»; MARC allows letters too).
constexpr bool IsWellFormedTag(std::string_view tag) {
  return tag.size() == 3 && IsAsciiLetterOrDigit(tag[0]) && IsAsciiLetterOrDigit(tag[1]) &&
         IsAsciiLetterOrDigit(tag[2]);
}

struct ExchangeField {
  std::string tag;      // three bytes as read («245»; MARC allows letters too)
  std::string content;  // without the field terminator

  bool IsControlField() const;  // tags 001-009 («00» and a digit)
  // A data field's indicators; a blank where the content is too short.
  char Indicator1() const;
  char Indicator2() const;
};

// One subfield of a data field's content.
struct SubfieldView {
  char code;               // the byte after the delimiter; 0 when the content ends there
  std::string_view value;  // up to the next delimiter
  std::size_t offset;      // of the delimiter in the content
};

// The subfields of a data field's content «10» 1F «aX» 1F «bY»: what follows
// the two indicators, split at each delimiter. Bytes between the indicators
// and the first delimiter are no subfield (SubfieldHead gives them).
std::vector<SubfieldView> Subfields(std::string_view content);
std::string_view SubfieldHead(std::string_view content);

// A data field's content built from its parts.
std::string DataFieldContent(char ind1, char ind2,
                             std::initializer_list<std::pair<char, std::string_view>> subfields);

// What a record was read from.
struct RecordOrigin {
  OutputFormat format = OutputFormat::kIso2709;
  std::size_t input = 0;     // which input, from 0
  std::size_t number = 0;    // the record's number in the stream of inputs, from 1
  std::uint64_t offset = 0;  // of its first byte in its input
  std::string text;          // its bytes as they stood (the ISO 2709 record, the
                             // <record> element, the .mrk lines with their breaks)
  std::string leadingText;   // MARCXML, .mrk: the framing between the record before and
                             // this one (white space, comments, empty lines)
  bool exact = false;        // `text` reads as exactly these fields: nothing was repaired
  // MARCXML: `text` means the same inside any <collection> whose default
  // namespace is the MARC 21 slim one (it uses no prefix declared outside it).
  bool xmlTextStandsAlone = false;
  // MARCXML: the default namespace around the record is the slim one, so a
  // <record> written in its place needs no declaration of its own.
  bool xmlSlimDefaultOutside = true;
  std::string lineBreak = "\r\n";  // .mrk: the line break its lines end with
};

class ExchangeRecord {
 public:
  ExchangeRecord() = default;
  explicit ExchangeRecord(std::string leader) : leader_(std::move(leader)) {}

  const std::string& Leader() const { return leader_; }
  const std::vector<ExchangeField>& Fields() const { return fields_; }
  const ExchangeField& Field(std::size_t i) const { return fields_[i]; }
  std::size_t FieldCount() const { return fields_.size(); }

  // Each setter marks the record changed only when the bytes differ.
  void SetLeader(std::string_view leader);  // padded with blanks or cut to 24 bytes
  void SetLeaderByte(std::size_t position, char byte);
  void SetFieldContent(std::size_t field, std::string_view content);
  // The value of the subfield-th subfield (from 0) of a data field.
  void SetSubfieldValue(std::size_t field, std::size_t subfield, std::string_view value);
  void AddField(std::string_view tag, std::string_view content);
  void InsertField(std::size_t at, std::string_view tag, std::string_view content);
  void RemoveField(std::size_t field);

  // Anything different from the text it was read from: a repair the reader
  // made, or a change since.
  bool Changed() const { return edited_ || !origin_.exact; }
  bool Edited() const { return edited_; }

  const RecordOrigin& Origin() const { return origin_; }
  RecordOrigin& MutableOrigin() { return origin_; }

  // For the readers: builds without marking changes.
  void AppendReadField(std::string tag, std::string content) {
    fields_.push_back({std::move(tag), std::move(content)});
  }
  std::string& ReadLeader() { return leader_; }
  std::vector<ExchangeField>& ReadFields() { return fields_; }

 private:
  std::string leader_;
  std::vector<ExchangeField> fields_;
  RecordOrigin origin_;
  bool edited_ = false;
};

// The ISO 2709 lengths of `record` as Iso2709Writer lays it out.
struct Iso2709Lengths {
  std::size_t recordLength = 0;
  std::size_t baseAddress = 0;
};
Iso2709Lengths MeasureIso2709(const ExchangeRecord& record);

// The leader Iso2709Writer writes for `record`: its own, with the lengths
// (00-04, 12-16) and ISO 2709's structure as MARC 21 has it (10-11 «22»: two
// indicators, one-byte subfield codes; 20-23 «4500»: the directory's layout).
std::string Iso2709Leader(const ExchangeRecord& record);

// Writes the record length (leader/00-04) and base address (12-16) that
// ISO 2709 gives the record into its leader (five digits each, "99999" at
// most), for the formats that carry the leader as it is.
void FitLeaderLengths(ExchangeRecord& record);

}  // namespace velmora::marc_exchange
