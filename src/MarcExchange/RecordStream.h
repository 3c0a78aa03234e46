// Output records written one at a time to a stream in the chosen format, so
// that a batch of any size is never held in memory:
//
//   RecordStream stream(OutputFormat::kIso2709, std::cout);
//   for (each copied record) {
//     const RecordStream::Outcome outcome = stream.Add(ConvertRecord(SourceOf(SourceId::Libol), copied));
//     if (!outcome.written) { warn, with outcome.error / outcome.issues }
//   }
//   stream.Finish();
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "MarcExchange/MarcRecord.h"
#include "MarcExchange/OutputFormats.h"
#include "MarcExchange/RecordWriter.h"

namespace velmora::marc {

// The writer of a MARC format; nullptr for kRecord, which has none.
std::unique_ptr<RecordWriter> MakeRecordWriter(OutputFormat format);

class RecordStream {
 public:
  RecordStream(OutputFormat format, std::ostream& out);
  RecordStream(const RecordStream&) = delete;
  RecordStream& operator=(const RecordStream&) = delete;
  ~RecordStream();

  struct Outcome {
    // False: nothing was written for this record (an empty output record, no
    // field left after parsing, or a record ISO 2709 cannot hold).
    bool written = false;
    std::vector<ParseIssue> issues;   // pieces skipped or characters replaced
    std::optional<WriteError> error;  // why it was not written, for MARC formats
  };

  // Writes one output record «245=00$aTitle%100=##$aAuthor». In the record
  // format it is written as it is, UTF-8, CRLF as "\n", followed by "\n";
  // in the MARC formats it is parsed (ParseOutputRecord) and written.
  Outcome Add(TextView outputRecord);

  // Ends the output (</collection> for MARCXML; a MARCXML output with no
  // record is still a well-formed, empty collection) and flushes. False if
  // the stream failed at any point. Add after Finish is not allowed.
  bool Finish();

  std::size_t RecordsWritten() const { return written_; }

 private:
  void BeginOnce();
  void Flush();

  OutputFormat format_;
  std::ostream& out_;
  std::unique_ptr<RecordWriter> writer_;
  std::string buffer_;  // one record's bytes, reused
  bool begun_ = false;
  bool finished_ = false;
  std::size_t written_ = 0;
};

}  // namespace velmora::marc
