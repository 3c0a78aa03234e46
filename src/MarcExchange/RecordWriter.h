// What every exchange writer shares: the streaming interface, the leader and
// the limits of ISO 2709, and the reasons a record is refused.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "MarcExchange/ExchangeRecord.h"
#include "MarcExchange/MarcRecord.h"
#include "MarcExchange/ReadReport.h"

namespace velmora::marc_exchange {

// ISO 2709 writes a record's length in five digits and a field's length
// (with its terminator) in four, both counting bytes of UTF-8.
inline constexpr std::size_t kMaxRecordBytes = 99999;
inline constexpr std::size_t kMaxFieldBytes = 9999;

enum class WriteErrorKind {
  kNoFields,       // a record without fields is not written
  kBadField,       // tag, indicator or subfield code outside MarcRecord.h's rules, or a
                   // field the format cannot hold (a terminator inside, data before
                   // the first subfield in MARCXML)
  kFieldTooLong,   // more than kMaxFieldBytes
  kRecordTooLong,  // more than kMaxRecordBytes
  kNotUtf8,        // MARCXML: text that is not UTF-8 (decode the record's text first)
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

// The error of a writer given a field whose tag no exchange format can
// carry (see IsWellFormedTag); `index` counts the record's fields from 0.
std::optional<WriteError> CheckTag(const ExchangeField& field, std::size_t index);

// The form the exchange writers write a record of the output record model
// in: its text as UTF-8 after MarcSafeCodePoint, with the leader LayOutRecord
// gives it.
ExchangeRecord ToExchangeRecord(const MarcRecord& record, const RecordLayout& layout);

// One record at a time, so that a batch is never held: Begin once, Write for
// each record, End once. Write appends the whole record to `out`, or, when it
// returns an error, appends nothing.
//
// A record read from a file (ExchangeRecord) that nothing changed is written
// as it stood when it was read from this writer's format; otherwise from its
// fields, its leader as it has it (Iso2709Writer sets the lengths). Its bytes
// are written as they are: the charset side puts UTF-8 or MARC-8 there first.
// With BeginInFraming and EndInFraming, a text file read is written in its
// own framing (XML declaration, collection tag, what stands between
// records), so that a clean file comes out byte for byte as it came.
class RecordWriter {
 public:
  virtual ~RecordWriter() = default;
  virtual void Begin(std::string& out);
  // Checked and laid out by LayOutRecord, then written as ToExchangeRecord gives it.
  std::optional<WriteError> Write(const MarcRecord& record, std::string& out);
  virtual std::optional<WriteError> Write(const ExchangeRecord& record, std::string& out) = 0;
  virtual void End(std::string& out);

  // `framing`'s prologue in place of Begin when it is of this writer's format
  // and reusable; returns whether it is used (else Begin has been written).
  bool BeginInFraming(const FileFraming& framing, std::string& out);
  // The epilogue after BeginInFraming used the framing, else End.
  void EndInFraming(const FileFraming& framing, std::string& out);

  // Characters the last record written held that the format cannot carry,
  // each written as U+FFFD (MARCXML: C0 controls other than TAB, LF, CR).
  std::size_t ReplacedCharacters() const { return replaced_; }

 protected:
  virtual OutputFormat Format() const = 0;
  bool InFraming() const { return inFraming_; }
  // Written as it stood: nothing changed since it was read from this format.
  bool WritesAsItStood(const ExchangeRecord& record) const {
    return !record.Changed() && record.Origin().format == Format();
  }
  std::size_t replaced_ = 0;

 private:
  bool inFraming_ = false;
  RecordLayout layout_;  // kept between records for its buffers
};

}  // namespace velmora::marc_exchange
