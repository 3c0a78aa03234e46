#include "MarcRepair/RecordRepair.h"

#include <algorithm>
#include <span>

#include "Encodings/Marc8Encoder.h"
#include "Encodings/Normalization.h"
#include "Encodings/Utf8.h"
#include "MarcRepair/CatalogueChecks.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::marc_repair {
namespace {

using field_text::FieldCharset;
using field_text::FieldReading;
using field_text::FieldVerdict;
using field_text::LeaderCoding;
using marc_exchange::ExchangeField;
using marc_exchange::ExchangeRecord;

struct CharsetName {
  FieldCharset charset;
  std::string_view name;
};

constexpr CharsetName kDisplayNames[] = {
    {FieldCharset::Utf8, "UTF-8"},
    {FieldCharset::Marc8, "MARC-8"},
    {FieldCharset::Tcvn3, "TCVN3"},
    {FieldCharset::Vni, "VNI"},
    {FieldCharset::Cp1258, "Windows-1258"},
    {FieldCharset::Viscii, "VISCII"},
    {FieldCharset::Tcvn5712, "TCVN 5712 VN1"},
};

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// «245 $a $c»: the tag and the codes of the subfields that hold more than
// ASCII (where the reading mattered); a control field, or a data field with
// none, is its tag.
std::string FieldLabel(const ExchangeField& field) {
  std::string label = field.tag;
  if (field.IsControlField()) return label;
  for (const marc_exchange::SubfieldView& subfield : marc_exchange::Subfields(field.content)) {
    if (subfield.code == 0 || IsAscii(subfield.value)) continue;
    const auto code = static_cast<unsigned char>(subfield.code);
    label += " $";
    label += code >= 0x21 && code < 0x7F ? subfield.code : '?';
  }
  return label;
}

std::string CodePoint(char32_t c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string digits;
  for (char32_t rest = c; rest != 0 || digits.size() < 4; rest >>= 4)
    digits.insert(digits.begin(), kHex[rest & 0xF]);
  std::string shown = "U+" + digits;
  if (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0) && !(c >= 0xD800 && c < 0xE000)) {
    shown += " '";
    encodings::AppendUtf8(c, shown);
    shown += "'";
  }
  return shown;
}

constexpr char16_t kDelimiterAsRead = marc_exchange::kSubfieldDelimiterByte;

char TargetLeaderByte(TargetCoding target) {
  return target == TargetCoding::kUtf8 ? marc_exchange::kUcsCoding : marc_exchange::kBlankByte;
}

std::string LeaderClaim(char position09) {
  switch (field_text::LeaderCodingOf(position09)) {
    case LeaderCoding::Marc8:
      return "MARC-8";
    case LeaderCoding::Utf8:
      return "UTF-8";
    case LeaderCoding::Unknown:
      break;
  }
  return messages::Format(messages::Tr("'%1' (no character coding)"), std::string(1, position09));
}

// The charset a field's text came from.
FieldCharset SourceOf(const FieldReading& reading) {
  return reading.verdict == FieldVerdict::Repaired ? FieldCharset::Utf8 : reading.charset;
}

bool IsUtf8OrMarc8(FieldCharset charset) {
  return charset == FieldCharset::Utf8 || charset == FieldCharset::Marc8;
}

// Whether `bytes` hold more than ASCII and all of it well-formed UTF-8.
bool IsMultibyteUtf8(std::string_view bytes) {
  encodings::Utf8Error error{};
  return !IsAscii(bytes) && encodings::DecodeUtf8(bytes, &error).has_value();
}

// A field of well-formed UTF-8 among 8-bit fields is UTF-8: 8-bit text that
// happens to be UTF-8 throughout is rare, a name read as TCVN3 from its
// UTF-8 is mojibake. Unless --from says otherwise, such a field is judged on
// its own as UTF-8; where that does not read, too close to tell.
FieldReading WithUtf8Kept(std::string_view bytes, const FieldReading& reading) {
  if (reading.forced || reading.verdict != FieldVerdict::Read || IsUtf8OrMarc8(reading.charset) ||
      !IsMultibyteUtf8(bytes)) {
    return reading;
  }
  FieldReading alone = field_text::ReadFieldText(bytes, {LeaderCoding::Utf8, std::nullopt});
  if (alone.verdict == FieldVerdict::Read && alone.charset == FieldCharset::Utf8) return alone;
  FieldReading close = reading;
  close.verdict = FieldVerdict::TooClose;
  close.rival = FieldCharset::Utf8;
  return close;
}

// A Vietnamese letter beyond Latin-1 (ă đ ơ ư ệ …): what 8-bit text read as
// UTF-8 by chance does not hold.
bool IsVietnameseLetterBeyondLatin1(char16_t c) {
  return (c >= 0x0100 && c <= 0x01B0) || (c >= 0x1EA0 && c <= 0x1EF9);
}

// Whether a character is what double-encoded UTF-8 gives for a lead byte
// (U+00C2-U+00F4) or a continuation byte (0x80-0xBF read as Windows-1252).
bool IsMisreadLead(char16_t c) {
  return c >= 0xC2 && c <= 0xF4;
}
bool IsMisreadContinuation(char16_t c) {
  if (c >= 0x80 && c <= 0xBF) return true;
  static constexpr char16_t kWindows1252[] = {
      0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
      0x0160, 0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};
  return std::find(std::begin(kWindows1252), std::end(kWindows1252), c) != std::end(kWindows1252);
}

// The reading of a record whose every field is ASCII or plainly UTF-8: well-
// formed, with a Vietnamese letter beyond Latin-1, no C1 control, nothing
// that double-encoding gives. Such a record is UTF-8 whatever its leader
// says, and needs no detection, which is most of the time a repair takes;
// any other record (nullopt) is judged by field_text.
std::optional<field_text::RecordReading> PlainUtf8Reading(
    std::span<const std::string_view> fields) {
  field_text::RecordReading reading;
  reading.fields.resize(fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string_view bytes = fields[i];
    FieldReading& field = reading.fields[i];
    if (IsAscii(bytes)) {
      if (bytes.find('\x1B') != std::string_view::npos) return std::nullopt;  // a MARC-8 escape
      field.text.assign(bytes.begin(), bytes.end());
      continue;
    }
    encodings::Utf8Error error{};
    std::optional<Text> text = encodings::DecodeUtf8(bytes, &error);
    if (!text || bytes.starts_with("\xEF\xBB\xBF")) return std::nullopt;
    bool vietnamese = false;
    for (std::size_t k = 0; k < text->size(); ++k) {
      const char16_t c = (*text)[k];
      if (c >= 0x80 && c < 0xA0) return std::nullopt;
      if (IsMisreadLead(c) && k + 1 < text->size() && IsMisreadContinuation((*text)[k + 1])) {
        return std::nullopt;
      }
      vietnamese = vietnamese || IsVietnameseLetterBeyondLatin1(c);
    }
    if (!vietnamese) return std::nullopt;
    field.text = std::move(*text);
    field.verdict = FieldVerdict::Read;
    reading.verdict = FieldVerdict::Read;
  }
  return reading;
}

// Leader/09, or a blank where the leader is too short to hold it.
char LeaderCodingByte(const ExchangeRecord& record) {
  const std::string& leader = record.Leader();
  return leader.size() > marc_exchange::kLeaderCharacterCoding
             ? leader[marc_exchange::kLeaderCharacterCoding]
             : marc_exchange::kBlankByte;
}

std::vector<std::string_view> FieldContents(const ExchangeRecord& record) {
  std::vector<std::string_view> contents;
  contents.reserve(record.FieldCount());
  for (const ExchangeField& field : record.Fields()) contents.push_back(field.content);
  return contents;
}

// The record's fields read as a repair reads them: plainly UTF-8 ones
// without detection, unless `from` names the set they are in.
field_text::RecordReading ReadFields(std::span<const std::string_view> contents, char position09,
                                     std::optional<FieldCharset> from) {
  if (!from) {
    if (std::optional<field_text::RecordReading> plain = PlainUtf8Reading(contents)) {
      return std::move(*plain);
    }
  }
  return field_text::ReadRecordFields(contents, {field_text::LeaderCodingOf(position09), from});
}

// What one field's repair did, before the record's findings are put together.
struct FieldOutcome {
  Text text;                 // what the checks read
  bool targetBytes = false;  // holds more than ASCII, in the target coding
  bool writtenWhole = true;  // false when -c left characters of `text` out
};

class RecordRepairer {
 public:
  RecordRepairer(ExchangeRecord& record, const RepairOptions& options)
      : record_(record), options_(options) {}

  RecordRepairOutcome Run() {
    const char position09 = LeaderCodingByte(record_);
    const std::vector<std::string_view> contents = FieldContents(record_);
    const field_text::RecordReading reading = ReadFields(contents, position09, options_.from);
    std::vector<FieldOutcome> fields(record_.FieldCount());
    for (std::size_t i = 0; i < record_.FieldCount(); ++i) {
      fields[i] = RepairField(i, WithUtf8Kept(contents[i], reading.fields[i]));
    }
    AddGroups();
    FixLeader(position09, reading, fields);
    if (converted_) {
      outcome_.findings.insert(outcome_.findings.begin(),
                               {FindingKind::kCharsetConverted,
                                messages::Format(messages::Tr("fields in %1 written as %2"),
                                                 DisplayName(*converted_), DisplayName(Target()))});
    }
    std::vector<CheckedField> checked;
    checked.reserve(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const FieldReading& field = reading.fields[i];
      const bool tcvn3 =
          (field.verdict == FieldVerdict::Read && field.charset == FieldCharset::Tcvn3);
      checked.push_back({record_.Field(i).tag, fields[i].text, tcvn3});
    }
    CheckRecord(checked, outcome_.findings);
    // An unchanged record reads again as it did, unless --from said otherwise.
    if (record_.Changed() || options_.from) CheckReadsAsWritten(reading, fields);
    return std::move(outcome_);
  }

 private:
  FieldCharset Target() const {
    return options_.target == TargetCoding::kUtf8 ? FieldCharset::Utf8 : FieldCharset::Marc8;
  }

  void Add(FindingKind kind, std::string text) {
    outcome_.findings.push_back({kind, std::move(text)});
  }

  // Fields that had the same done to them are named in one finding:
  // «100 $a, 245 $a $c, 650 $a read as TCVN3».
  void AddToGroup(FindingKind kind, std::optional<FieldCharset> charset, const std::string& label) {
    for (Group& group : groups_) {
      if (group.kind != kind || group.charset != charset) continue;
      if (std::find(group.labels.begin(), group.labels.end(), label) == group.labels.end()) {
        group.labels.push_back(label);
      }
      return;
    }
    groups_.push_back({kind, charset, {label}});
  }

  void AddGroups() {
    for (const Group& group : groups_) {
      std::string labels;
      for (const std::string& label : group.labels) {
        if (!labels.empty()) labels += ", ";
        labels += label;
      }
      std::string text;
      switch (group.kind) {
        case FindingKind::kReadAsLegacy:
          text = messages::Format(messages::Tr("%1 read as %2"), labels,
                                  DisplayName(group.charset.value_or(FieldCharset::Utf8)));
          break;
        case FindingKind::kDoubleEncoded:
          text = messages::Format(messages::Tr("%1: double-encoded UTF-8 repaired"), labels);
          break;
        default:
          text = messages::Format(options_.nfd ? messages::Tr("%1: text not in NFD: decomposed")
                                               : messages::Tr("%1: text not in NFC: composed"),
                                  labels);
          break;
      }
      Add(group.kind, std::move(text));
    }
  }

  FieldOutcome RepairField(std::size_t i, const FieldReading& reading) {
    const ExchangeField& field = record_.Field(i);
    const std::string label = FieldLabel(field);
    switch (reading.verdict) {
      case FieldVerdict::Ascii:
        return {reading.text, false};
      case FieldVerdict::TooClose:
        Add(FindingKind::kTooClose,
            messages::Format(messages::Tr("%1: too close to tell, %2 or %3: bytes kept"), label,
                             DisplayName(reading.charset), DisplayName(reading.rival)));
        return {};
      case FieldVerdict::Unreadable:
        Add(FindingKind::kUnreadable,
            messages::Format(
                messages::Tr("%1: not %2, and no reading is Vietnamese: bytes kept; name the "
                             "character set with --from"),
                label, DisplayName(reading.charset)));
        return {};
      case FieldVerdict::Read:
      case FieldVerdict::Repaired:
        break;
    }
    if (reading.invalid > 0) {
      Add(FindingKind::kInvalidBytes,
          messages::Format(messages::TrN("%1: %n byte sequence is not %2 (the first at byte %3): "
                                         "bytes kept",
                                         "%1: %n byte sequences are not %2 (the first at byte "
                                         "%3): bytes kept",
                                         reading.invalid),
                           label, DisplayName(reading.charset), reading.firstInvalidAt));
      return {};
    }
    const FieldCharset source = SourceOf(reading);
    Text text = reading.text;
    std::string bytes;
    bool whole = true;
    bool keep = false;
    if (options_.target == TargetCoding::kUtf8) {
      Text normal = options_.nfd ? encodings::ToNfd(text) : encodings::ToNfc(text);
      const bool wasNormal = normal == text;
      text = std::move(normal);
      keep = source == FieldCharset::Utf8 && reading.verdict == FieldVerdict::Read && wasNormal;
      if (!keep) bytes = encodings::EncodeUtf8(text);
      if (!wasNormal && source == FieldCharset::Utf8 && reading.verdict == FieldVerdict::Read) {
        AddToGroup(FindingKind::kNormalized, {}, label);
      }
    } else {
      keep = source == FieldCharset::Marc8 && reading.verdict == FieldVerdict::Read;
      if (!keep) {
        encodings::EncodeReport blanked;
        if (options_.leaveOut && !field.IsControlField()) blanked = BlankUnwritableIndicators(text);
        if (!EncodeToMarc8(label, text, blanked, bytes, whole)) return {};
      }
    }
    if (reading.verdict == FieldVerdict::Repaired) {
      AddToGroup(FindingKind::kDoubleEncoded, {}, label);
    } else if (!IsUtf8OrMarc8(source)) {
      AddToGroup(FindingKind::kReadAsLegacy, source, label);
    } else if (source != Target() && !converted_) {
      converted_ = source;
    }
    if (!keep) record_.SetFieldContent(i, bytes);
    return {std::move(text), true, whole};
  }

  // -c leaves out what MARC-8 cannot hold. An indicator left out would take
  // the field's first data character for its place, so it is a blank
  // instead, as the reader gives for one that is missing.
  // What it left out is counted as the encoder counts it.
  static encodings::EncodeReport BlankUnwritableIndicators(Text& text) {
    encodings::EncodeReport blanked;
    for (std::size_t i = 0; i < 2 && i < text.size() && text[i] != kDelimiterAsRead;) {
      const text::CodePoint cp = text::CodePointAt(text, i);
      std::string bytes;
      encodings::EncodeReport report;
      if (encodings::EncodeMarc8(TextView(text).substr(i, cp.units), {}, bytes, report)) {
        i += cp.units;
        continue;
      }
      if (blanked.leftOut++ == 0) blanked.firstLeftOut = cp.value;
      // A blank for each indicator the character stood in.
      const std::size_t blanks = std::min<std::size_t>(cp.units, 2 - i);
      text.replace(i, cp.units, blanks, u' ');
      i += blanks;
    }
    return blanked;
  }

  // `blanked`: the indicators already left out of `text`, counted with the
  // characters the encoder leaves out.
  bool EncodeToMarc8(const std::string& label, TextView text,
                     const encodings::EncodeReport& blanked, std::string& bytes, bool& whole) {
    encodings::EncodeReport encoded;
    if (!encodings::EncodeMarc8(text, {options_.leaveOut}, bytes, encoded)) {
      outcome_.writable = false;
      Add(FindingKind::kNotWritable,
          messages::Format(messages::Tr("%1: %2 cannot be written in MARC-8 (-c leaves such "
                                        "characters out)"),
                           label, CodePoint(encoded.unwritable)));
      return false;
    }
    encodings::EncodeReport report = blanked;  // the indicators come first
    report.Add(encoded);
    whole = report.leftOut == 0;
    if (report.leftOut > 0) {
      Add(FindingKind::kLeftOut,
          messages::Format(messages::TrN("%1: %n character MARC-8 cannot hold left out (%2)",
                                         "%1: %n characters MARC-8 cannot hold left out (the "
                                         "first %2)",
                                         report.leftOut),
                           label, CodePoint(report.firstLeftOut)));
    }
    return true;
  }

  // Leader/09 says the target coding once a field holds more than ASCII in
  // it; a record of ASCII (or of fields kept as they came) keeps a leader
  // that says either coding.
  void FixLeader(char position09, const field_text::RecordReading& reading,
                 const std::vector<FieldOutcome>& fields) {
    const bool holdsTarget = std::any_of(fields.begin(), fields.end(),
                                         [](const FieldOutcome& f) { return f.targetBytes; });
    const LeaderCoding claim = field_text::LeaderCodingOf(position09);
    if (!holdsTarget && claim != LeaderCoding::Unknown) return;
    const char wanted = TargetLeaderByte(options_.target);
    if (position09 == wanted) return;
    record_.SetLeaderByte(marc_exchange::kLeaderCharacterCoding, wanted);
    FieldReading whole;
    whole.verdict = reading.verdict;
    whole.charset = reading.charset;
    const bool readAsSaid =
        (reading.verdict != FieldVerdict::Read && reading.verdict != FieldVerdict::Repaired) ||
        field_text::AgreesWithLeader(whole, claim);
    if (readAsSaid && claim != LeaderCoding::Unknown) return;  // a conversion, reported as one
    std::string found = reading.verdict == FieldVerdict::Repaired
                            ? messages::Tr("double-encoded UTF-8")
                            : std::string(DisplayName(reading.charset));
    if (reading.verdict != FieldVerdict::Read && reading.verdict != FieldVerdict::Repaired) {
      found = messages::Tr("ASCII");
    }
    outcome_.findings.insert(
        outcome_.findings.begin(),
        {FindingKind::kLeaderCodingFixed,
         messages::Format(messages::Tr("leader/09 said %1, bytes are %2: leader fixed"),
                          LeaderClaim(position09), found)});
  }

  // The record as written, read again as a later repair without --from
  // would read it:
  // each field read here must read back as the same text, or a second
  // repair would change it. Detection can read a short or unusual text
  // written in one set as another; such a field is named, not left to chance.
  void CheckReadsAsWritten(const field_text::RecordReading& reading,
                           const std::vector<FieldOutcome>& fields) {
    const field_text::RecordReading again =
        ReadFields(FieldContents(record_), LeaderCodingByte(record_), std::nullopt);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const FieldVerdict first = reading.fields[i].verdict;
      if (first != FieldVerdict::Read && first != FieldVerdict::Repaired) continue;
      const FieldReading& second = again.fields[i];
      // Read as the set it was written in; as the same text, unless -c left
      // some of it out.
      const bool sameSet = second.verdict == FieldVerdict::Ascii ||
                           (second.verdict == FieldVerdict::Read && second.charset == Target());
      const bool same =
          sameSet && (!fields[i].writtenWhole ||
                      encodings::ToNfc(second.text) == encodings::ToNfc(fields[i].text));
      if (same) continue;
      const std::string otherwise = second.verdict == FieldVerdict::Repaired
                                        ? messages::Tr("double-encoded UTF-8")
                                        : std::string(DisplayName(second.charset));
      Add(FindingKind::kReadsOtherwise,
          messages::Format(messages::Tr("%1: written in %2, its bytes would be read as %3 when "
                                        "read again: check its text"),
                           FieldLabel(record_.Field(i)), DisplayName(Target()), otherwise));
    }
  }

  ExchangeRecord& record_;
  const RepairOptions& options_;
  RecordRepairOutcome outcome_;
  std::optional<FieldCharset> converted_;  // UTF-8 or MARC-8 fields written in the other
  struct Group {
    FindingKind kind;
    std::optional<FieldCharset> charset;
    std::vector<std::string> labels;
  };
  std::vector<Group> groups_;
};

}  // namespace

std::string_view DisplayName(FieldCharset charset) {
  for (const CharsetName& row : kDisplayNames) {
    if (row.charset == charset) return row.name;
  }
  return field_text::Name(charset);
}

RecordRepairOutcome RepairRecord(ExchangeRecord& record, const RepairOptions& options) {
  return RecordRepairer(record, options).Run();
}

}  // namespace velmora::marc_repair
