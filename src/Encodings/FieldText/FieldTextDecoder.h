// What the bytes of a MARC record's fields are, whatever its leader says,
// and their text: the character side of repairing an old catalogue.
//
//   leader 'a', «Nguy\xE1\xBB\x85n»             UTF-8, as the leader says: «Nguyễn»
//   leader 'a', «Nguy\xC3\xA1\xC2\xBB\xE2\x80\xA6n» (UTF-8 of «Nguyá»…n»)
//                                               double-encoded UTF-8, repaired: «Nguyễn»
//   leader ' ', «Nguy\xE3\xE4en»                MARC-8, as the leader says: «Nguyễn»
//   leader 'a', «Nguy\xD4n V\xA8n»              not UTF-8: read as TCVN3, «Nguyễn Văn»
//
// A record is judged first, on the text of all its fields that hold more
// than ASCII: a field is short (a 100 of a dozen letters) and says little
// alone. Then each field is read as its record is, but for a field that
// reads clearly otherwise, which is judged on its own: one in well-formed
// UTF-8 with Vietnamese letters among 8-bit fields, or one that is not what
// its record is (not UTF-8 among UTF-8 fields). Where two readings are too
// close to tell, or none fits, the answer says so and keeps the bytes: never
// a silent guess. The 8-bit representations are told apart by
// detection::DetectRepresentation, as `velmora-convert detect` tells them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "ModMain/Text/Text.h"

namespace velmora::field_text {

// What position 09 of the leader says the record's fields are in.
enum class LeaderCoding : std::uint8_t {
  Marc8,    // blank
  Utf8,     // 'a'
  Unknown,  // anything else
};
LeaderCoding LeaderCodingOf(char position09);

// What a field's bytes can be read as.
enum class FieldCharset : std::uint8_t { Utf8, Marc8, Tcvn3, Vni, Cp1258, Viscii, Tcvn5712 };

// "utf-8", "marc-8", and the representations' own names ("tcvn3").
std::string_view Name(FieldCharset charset);
std::span<const FieldCharset> AllFieldCharsets();
// A name: "marc-8" or "marc8", or a name or alias of unicode or of one of the
// 8-bit representations ("utf8", "vn3", "windows-1258"), any case.
std::optional<FieldCharset> FindFieldCharset(std::string_view word);

enum class FieldVerdict : std::uint8_t {
  Ascii,       // nothing beyond ASCII (and no escape): it reads the same as anything
  Read,        // read as `charset`
  Repaired,    // UTF-8 that had been read as Windows-1252 (or Latin-1, or
               // Windows-1258) and written again (as UTF-8, or in `charset`):
               // the text it was
  TooClose,    // `charset` or `rival`, too close to tell: the bytes are kept
  Unreadable,  // no reading fits (not the UTF-8 or MARC-8 the leader says, and
               // no reading is Vietnamese): the bytes are kept
};

struct FieldReading {
  // Ascii, Read, Repaired: the text. TooClose, Unreadable: each byte as the
  // unit of equal value (U+0000-U+00FF), so that the bytes can be written
  // back as they came.
  Text text;
  FieldVerdict verdict = FieldVerdict::Ascii;
  // Read, Repaired: what the bytes were read as; TooClose: the
  // reading that reads a little better; Unreadable: what the leader says.
  FieldCharset charset = FieldCharset::Utf8;
  FieldCharset rival = FieldCharset::Utf8;  // TooClose: the other reading
  bool forced = false;                      // read as the caller said, whatever the bytes are
  bool decidedAlone = false;                // judged on its own: it reads otherwise than its record
  // Read as UTF-8 or MARC-8 (forced, or as the leader says) with bytes that
  // do not decode: how many problems (each read as U+FFFD), and where the
  // first stands.
  std::size_t invalid = 0;
  std::size_t firstInvalidAt = 0;
};

// Whether the leader said what the field turned out to be: UTF-8 (repaired
// or not) under 'a', MARC-8 under blank; an ASCII field agrees with every
// leader.
bool AgreesWithLeader(const FieldReading& field, LeaderCoding leader);

struct FieldReadingOptions {
  LeaderCoding leader = LeaderCoding::Unknown;
  // Read every field as this (--from NAME), whatever it looks like.
  std::optional<FieldCharset> forced;
};

struct RecordReading {
  // The record judged as a whole (Ascii when no field holds more than ASCII).
  FieldVerdict verdict = FieldVerdict::Ascii;
  FieldCharset charset = FieldCharset::Utf8, rival = FieldCharset::Utf8;
  std::vector<FieldReading> fields;  // one for each field, in order
};

// The fields' bytes as the record holds them (a data field's indicators and
// subfields with their delimiters 1F included, or only its data: either
// reads the same).
RecordReading ReadRecordFields(std::span<const std::string_view> fields,
                               const FieldReadingOptions& options);

// One field judged on its own, as a record of that one field.
FieldReading ReadFieldText(std::string_view field, const FieldReadingOptions& options);

}  // namespace velmora::field_text
