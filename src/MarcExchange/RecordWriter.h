// What every exchange writer shares: the streaming interface, the leader and
// the limits of ISO 2709, and the reasons a record is refused.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "MarcExchange/MarcRecord.h"

namespace velmora::marc_exchange {

// ISO 2709 writes a record's length in five digits and a field's length
// (with its terminator) in four, both counting bytes of UTF-8.
inline constexpr std::size_t kMaxRecordBytes = 99999;
inline constexpr std::size_t kMaxFieldBytes = 9999;

enum class WriteErrorKind {
  kNoFields,       // a record without fields is not written
  kBadField,       // tag, indicator or subfield code outside MarcRecord.h's rules
  kFieldTooLong,   // more than kMaxFieldBytes
  kRecordTooLong,  // more than kMaxRecordBytes
};

struct WriteError {
  WriteErrorKind kind;
  std::string message;  // ASCII: "field 7 (520) is 10234 bytes; ISO 2709 allows at most 9999"
};

// The byte layout ISO 2709 gives a record.
struct RecordLayout {
  std::string leader;                     // 24 ASCII characters
  std::vector<std::size_t> fieldLengths;  // bytes of each field's data with its terminator
  std::size_t recordLength = 0;
  std::size_t baseAddress = 0;
};

// Checks `record` and lays it out. The leader is the one every format
// writes, for a new Unicode language-material monograph:
// «00095nam a2200061   4500» = record length, status n (new), type a
// (language material), level m (monograph), no type of control, a (UCS),
// 2 indicators, 2-character subfield codes, base address, blanks for
// encoding level, cataloguing form and multipart level, and the entry map
// 4500. A record too long for ISO 2709 is refused by every writer, so that
// one batch holds the same records in each format; the rebuilt output records
// stay far below the limits.
std::optional<WriteError> LayOutRecord(const MarcRecord& record, RecordLayout& layout);

// One record at a time, so that a batch is never held: Begin once, Write for
// each record, End once. Write appends the whole record to `out`, or, when it
// returns an error, appends nothing.
class RecordWriter {
 public:
  virtual ~RecordWriter() = default;
  virtual void Begin(std::string& out);
  virtual std::optional<WriteError> Write(const MarcRecord& record, std::string& out) = 0;
  virtual void End(std::string& out);
};

}  // namespace velmora::marc_exchange
