// An output record formatted as the bytes of an output format, apart from
// the stream that writes it: a batch formats its records on several
// threads, each with its own formatter, and one RecordStream writes them in
// order.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "MarcExchange/FixedField008.h"
#include "MarcExchange/MarcRecord.h"
#include "MarcExchange/OutputFormats.h"
#include "MarcExchange/RecordWriter.h"
#include "ModMain/Records/TracedRecord.h"

namespace velmora::marc_exchange {

// The writer of a MARC format; nullptr for kRecord, which has none.
std::unique_ptr<RecordWriter> MakeRecordWriter(OutputFormat format);

// Where an output record came from: the working text it was rebuilt from and
// the origin of each of its fields (BuildCatalogRecordTraced).
struct RecordSource {
  TextView working;
  std::span<const records::FieldOrigin> origins;
};

struct FormattedRecord {
  std::string bytes;                // empty: nothing to write
  std::vector<ParseIssue> issues;   // pieces skipped or characters replaced
  std::optional<WriteError> error;  // why it cannot be written, for MARC formats
};

class RecordFormatter {
 public:
  // `dateEntered` goes into the 008 made for a record without one.
  RecordFormatter(OutputFormat format, const CalendarDate& dateEntered);

  // What every output begins and ends with (a MARCXML collection's tags).
  const std::string& Header() const { return header_; }
  const std::string& Footer() const { return footer_; }

  // One output record «245=00$aTitle%100=##$aAuthor». In the record format
  // it is written as it is, UTF-8, CRLF as "\n", followed by "\n"; in the
  // MARC formats it is parsed (ParseOutputRecord) and written, with the
  // indicators of its fields' origins when `source` gives them
  // (ApplySourceIndicators).
  FormattedRecord Format(TextView outputRecord, const RecordSource& source = {});

  // Every field of a working text (ParseWorkingText); in the record format,
  // the text as it is.
  FormattedRecord FormatWorkingText(TextView working);

 private:
  FormattedRecord FormatText(TextView text);
  FormattedRecord FormatParsed(ParseResult parsed);

  std::unique_ptr<RecordWriter> writer_;
  CalendarDate dateEntered_;
  std::string header_, footer_;
};

}  // namespace velmora::marc_exchange
