// Every kind of finding the repair of a MARC file reports, one row each:
// the report's lines, its summary, --check's exit status and the README's
// list read this table.
//
//   record 12, 001 VN-123: leader/09 said MARC-8, bytes are UTF-8: leader fixed; 245 $a read as
//   tcvn3
//   ...
//   leader-coding-fixed: 1 (leader/09 set to what the fields' bytes are)
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace velmora::marc_repair {

// What a finding means for the record and for --check.
enum class Severity {
  kChange,   // the record is written changed: repaired, converted or normalised
  kProblem,  // something was left as it was, or could not be done: look at it
  kWarning,  // a cataloguing check; nothing is changed
};

enum class FindingKind {
  kStructureRepaired,
  kLeaderCodingFixed,
  kCharsetConverted,
  kReadAsLegacy,
  kDoubleEncoded,
  kNormalized,
  kLeftOut,
  kTooClose,
  kReadsOtherwise,
  kUnreadable,
  kInvalidBytes,
  kNotWritable,
  kRejected,
  kLanguageMismatch,
  kIsbnCheckDigit,
  kLowercasedCapitals,
};

struct FindingKindRow {
  FindingKind kind;
  std::string_view id;  // stable, for scripts: "leader-coding-fixed"
  Severity severity;
  std::string_view caption;  // English, marked for translation: what the summary counts
};

std::span<const FindingKindRow> AllFindingKinds();
const FindingKindRow& Describe(FindingKind kind);
inline constexpr std::size_t kFindingKindCount = 16;

}  // namespace velmora::marc_repair
