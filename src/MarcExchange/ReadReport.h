// What the MARC file readers tell besides the records: every structural
// repair they made, each record they could not read, and the error that
// stopped a file, as data (a kind, numbers, tags, the bytes concerned) that
// the command turns into its own report lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "MarcExchange/ExchangeRecord.h"

namespace velmora::marc_exchange {

// clang-format off
#define VELMORA_REPAIR_KINDS(X)                                                                 \
  /* ISO 2709 */                                                                                \
  X(kGarbageSkipped,           "garbage-skipped")            /* offset, actual: bytes skipped */ \
  X(kRecordLengthWrong,        "record-length-wrong")        /* expected: leader, actual */      \
  X(kBaseAddressWrong,         "base-address-wrong")         /* expected: leader, actual */      \
  X(kLeaderNotDigits,          "leader-not-digits")          /* expected: position, actual: count; text: the bytes */ \
  X(kDirectoryNotTerminated,   "directory-not-terminated")                                      \
  X(kDirectoryEntryDamaged,    "directory-entry-damaged")    /* expected: entry number; text */  \
  X(kDirectoryOffsetWrong,     "directory-offset-wrong")     /* tag, expected, actual */         \
  X(kDirectoryLengthWrong,     "directory-length-wrong")     /* tag, expected, actual */         \
  X(kFieldTerminatorMissing,   "field-terminator-missing")   /* tag */                           \
  X(kRecordTerminatorMissing,  "record-terminator-missing")                                     \
  X(kDirectoryPastData,        "directory-past-data")        /* tag: an entry without data */    \
  X(kDataOutsideDirectory,     "data-outside-directory")     /* offset, actual: bytes; text */   \
  X(kRecordTruncated,          "record-truncated")           /* tag: the field cut short */      \
  X(kIndicatorsMissing,        "indicators-missing")         /* tag */                           \
  /* MARCXML */                                                                                 \
  X(kUnknownElementSkipped,    "unknown-element-skipped")    /* text: its name */                \
  X(kStrayTextSkipped,         "stray-text-skipped")         /* actual: bytes; text: the first */ \
  X(kLeaderMissing,            "leader-missing")                                                \
  X(kLeaderRepeated,           "leader-repeated")            /* text: the one left out */        \
  X(kLeaderLengthWrong,        "leader-length-wrong")        /* expected 24, actual; text */     \
  X(kLeaderNotAscii,           "leader-not-ascii")           /* text */                          \
  X(kIndicatorMissing,         "indicator-missing")          /* tag, expected: 1 or 2 */         \
  X(kControlFieldTagNotControl,"control-field-with-data-tag")/* tag */                           \
  X(kDataFieldTagIsControl,    "data-field-with-control-tag")/* tag */                           \
  /* .mrk */                                                                                    \
  X(kUnknownMnemonic,          "unknown-mnemonic")           /* tag; text: «{name}», kept */     \
  X(kLineJoined,               "line-joined")                /* tag: the field it went with */   \
  X(kLineNotAField,            "line-not-a-field")           /* text: the line, skipped */       \
  X(kTagSpacingWrong,          "tag-spacing-wrong")          /* tag */                           \
  X(kControlCharacter,         "control-character")          /* tag; actual: the byte */         \
  X(kRecordWithoutBreak,       "records-not-separated")      /* a =LDR line inside a record */
// clang-format on

enum class RepairKind {
#define VELMORA_REPAIR_ENUM(name, id) name,
  VELMORA_REPAIR_KINDS(VELMORA_REPAIR_ENUM)
#undef VELMORA_REPAIR_ENUM
};

// A stable name for each kind, for reports and tests: "record-length-wrong".
std::string_view RepairKindName(RepairKind kind);

inline constexpr std::size_t kMaxRepairTextBytes = 80;  // Repair::text is cut there

struct Repair {
  RepairKind kind;
  std::uint64_t offset = 0;  // in the input, where the repair applies
  std::size_t line = 0;      // MARCXML, .mrk: from 1; 0 for ISO 2709
  std::size_t column = 0;
  std::string tag;  // the field concerned, when one is
  std::int64_t expected = 0, actual = 0;
  std::string text;  // the bytes concerned, at most kMaxRepairTextBytes
};

// A record that could not be read, handed back as it stood.
enum class RejectReason {
  kNoFields,        // ISO 2709: no leader and directory, or no field to be found
  kTooLarge,        // more bytes than a record may have (`bytes` holds its beginning)
  kBadTag,          // MARCXML, .mrk: a field without a tag of three letters or digits
  kBadIndicator,    // MARCXML: an indicator of more than one byte
  kBadSubfieldCode  // MARCXML: a subfield code that is not one ASCII character
};
std::string_view RejectReasonName(RejectReason reason);

struct RejectedRecord {
  std::size_t input = 0;
  std::size_t number = 0;    // in the stream of records, counted as read records are
  std::uint64_t offset = 0;  // of its first byte in its input
  std::uint64_t length = 0;  // its bytes in the input
  std::string bytes;         // exactly as they stood (for kTooLarge, the first of them)
  RejectReason reason = RejectReason::kNoFields;
  std::size_t line = 0, column = 0;  // text formats: where the reason was found
  std::string tag;
};

// What stops reading an input: it is not MARC, or not well-formed XML.
enum class ReadErrorKind {
  kNotMarc,           // none of ISO 2709, MARCXML, .mrk
  kReadFailed,        // the input could not be read
  kXmlNotWellFormed,  // `detail` names the rule
  kXmlDoctype,        // a document type declaration: MARCXML needs none, and none is read
  kXmlTooDeep,        // more nested elements than kMaxXmlDepth
  kXmlTooLarge,       // a name, attribute, tag or comment larger than its bound
  kXmlEncoding,       // an encoding other than UTF-8, UTF-16, ISO-8859-1, US-ASCII
  kXmlNamespace,      // a prefix that no declaration binds
  kNoMarcXmlRecords   // well-formed XML without MARC 21 records
};
std::string_view ReadErrorKindName(ReadErrorKind kind);

struct ReadError {
  ReadErrorKind kind;
  std::size_t input = 0;
  std::uint64_t offset = 0;
  std::size_t line = 0, column = 0;  // from 1 where known
  std::string detail;  // ASCII: the rule broken («unescaped '<' in an attribute value»), a name
};

// One step of reading: a record, a record handed back, or only repairs made
// outside any record (garbage at the end of an input).
struct ReadItem {
  enum class Kind { kRecord, kRejected, kRepairsOnly };
  Kind kind = Kind::kRecord;
  ExchangeRecord record;
  RejectedRecord rejected;
  std::vector<Repair> repairs;  // in the order found; those before the record first
};

// A text file's framing around its records, so that a clean file can be
// written again as it stood: the XML declaration, comments and the
// <collection> start tag before the first record, the end tag and whatever
// follows the last one.
struct FileFraming {
  OutputFormat format = OutputFormat::kIso2709;
  std::string prologue;  // before the first record
  std::string epilogue;  // after the last record
  bool reusable =
      false;  // the records sit directly in it, its text was kept whole, and it is UTF-8
};

}  // namespace velmora::marc_exchange
