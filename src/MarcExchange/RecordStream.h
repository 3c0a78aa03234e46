// Output records written one at a time to a stream in the chosen format, so
// that a batch of any size is never held in memory:
//
//   RecordStream stream(OutputFormat::kIso2709, std::cout, today);
//   for (each copied record) {
//     const Text working = WorkingText(source, copied);
//     const TracedRecord traced = source.rebuild.traced(working);
//     const RecordStream::Outcome outcome =
//         stream.Add(traced.record, {working, traced.origins});
//     if (!outcome.written) { warn, with outcome.error / outcome.issues }
//   }
//   stream.Finish();
//
// The MARC formats write each record as a MARC 21 importer expects it: the
// source's indicators where the record says where its fields came from, a
// minimal 008 when it has none, every field in tag order.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "MarcExchange/FixedField008.h"
#include "MarcExchange/MarcRecord.h"
#include "MarcExchange/OutputFormats.h"
#include "MarcExchange/RecordFormatter.h"
#include "MarcExchange/RecordWriter.h"
#include "ModMain/Records/TracedRecord.h"

namespace velmora::marc_exchange {

// The numbered outputs of a stream split by size («records-001.mrc», …).
// The stream opens one, fills it, closes it and opens the next.
class OutputSequence {
 public:
  virtual ~OutputSequence() = default;
  // The next output, or nullptr with the reason in `error`.
  virtual std::ostream* OpenNext(std::string& error) = 0;
  // Completes the output opened last; false with the reason in `error`.
  virtual bool CloseCurrent(std::string& error) = 0;
};

class RecordStream {
 public:
  // One output. `dateEntered` goes into the 008 made for a record without one.
  RecordStream(OutputFormat format, std::ostream& out, const CalendarDate& dateEntered);
  // Outputs of at most `maxBytes` bytes each, whole records only, each one
  // complete in itself (a MARCXML output is a whole collection). A record
  // larger than that on its own stands alone in an output.
  RecordStream(OutputFormat format, OutputSequence& outputs, std::size_t maxBytes,
               const CalendarDate& dateEntered);
  RecordStream(const RecordStream&) = delete;
  RecordStream& operator=(const RecordStream&) = delete;
  ~RecordStream();

  struct Outcome {
    // False: nothing was written for this record (an empty output record, no
    // field left after parsing, a record ISO 2709 cannot hold, or an output
    // that failed).
    bool written = false;
    std::vector<ParseIssue> issues;   // pieces skipped or characters replaced
    std::optional<WriteError> error;  // why it was not written, for MARC formats
    bool oversized = false;           // split: larger than an output may be
  };

  // Writes one output record «245=00$aTitle%100=##$aAuthor», formatted by
  // the stream's own RecordFormatter::Format.
  Outcome Add(TextView outputRecord, const RecordSource& source = {});

  // Writes every field of a working text (RecordFormatter::FormatWorkingText).
  Outcome AddWorkingText(TextView working);

  // Writes a record formatted by a RecordFormatter of the same format.
  Outcome Add(FormattedRecord record);

  // Ends the output (</collection> for MARCXML; a MARCXML output with no
  // record is still a well-formed, empty collection) and flushes. False if
  // the output failed at any point (OutputError says why when it knows).
  // Add after Finish is not allowed.
  bool Finish();

  bool Failed() const { return failed_; }
  const std::string& OutputError() const { return outputError_; }
  std::size_t RecordsWritten() const { return written_; }
  std::size_t OutputsOpened() const { return outputsOpened_; }

 private:
  // Puts record_ into the output; false when the output failed.
  bool Emit(Outcome& outcome);
  bool StartOutput();
  bool EndOutput();
  void Fail(std::string error);

  RecordFormatter formatter_;
  std::string record_;           // one record's bytes
  std::ostream* out_ = nullptr;  // the current output
  OutputSequence* outputs_ = nullptr;
  std::size_t maxBytes_ = 0;     // 0: one output
  std::size_t outputBytes_ = 0;  // written to the current output
  std::size_t outputRecords_ = 0;
  std::size_t outputsOpened_ = 0;
  bool started_ = false;  // the current output has its header
  bool finished_ = false;
  bool failed_ = false;
  std::string outputError_;
  std::size_t written_ = 0;
};

}  // namespace velmora::marc_exchange
