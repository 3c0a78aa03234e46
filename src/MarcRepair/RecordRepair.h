// One MARC record repaired in place: each field's bytes read as what they
// are (field_text decides, field by field, whatever the leader says), then
// written in the character set asked for, the leader's position 09 saying
// so; text in NFC (NFD when asked). What was right stays byte for byte:
// a field already in the target set and form is not rewritten, and a record
// nothing needed to change stays unchanged (ExchangeRecord::Changed), so its
// writer writes it as it stood. No field is added, removed or moved.
//
//   leader ' ', 245 «10\x1FaNguy\xE1\xBB\x85n»   leader 'a', 245 kept:
//                                                «leader/09 said MARC-8, bytes are UTF-8: leader
//                                                fixed»
//   leader 'a', 245 «10\x1FaNguy\xD4n»          245 «10\x1FaNguy\xE1\xBB\x85n»: «245 $a read as
//   TCVN3»
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Encodings/FieldText/FieldTextDecoder.h"
#include "MarcExchange/ExchangeRecord.h"
#include "MarcRepair/FindingKinds.h"

namespace velmora::marc_repair {

// The character set a repaired record is written in (--to).
enum class TargetCoding { kUtf8, kMarc8 };

struct RepairOptions {
  TargetCoding target = TargetCoding::kUtf8;
  bool nfd = false;       // --nfd: UTF-8 text decomposed instead of composed
  bool leaveOut = false;  // -c: leave out, and report, what MARC-8 cannot hold
  // --from NAME: every field read as this, whatever its bytes look like.
  std::optional<field_text::FieldCharset> from;
  // --rejects FILE, as the report names it; empty when there is none.
  std::string rejectsName;
};

// One thing found in a record, as its report line says it (in the person's
// language: «245 $a read as TCVN3»).
struct Finding {
  FindingKind kind;
  std::string text;
};

struct RecordRepairOutcome {
  std::vector<Finding> findings;  // in the order of the fields
  // False when a character the target cannot hold stopped the record
  // (without leaveOut): it must not be written.
  bool writable = true;
};

RecordRepairOutcome RepairRecord(marc_exchange::ExchangeRecord& record,
                                 const RepairOptions& options);

// How a report names a character set: "UTF-8", "MARC-8", "TCVN3", "VNI",
// "Windows-1258", "VISCII", "TCVN 5712 VN1".
std::string_view DisplayName(field_text::FieldCharset charset);

}  // namespace velmora::marc_repair
