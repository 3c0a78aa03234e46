// Where a run writes: standard output, or -o FILE through a temporary file
// put in place only once complete (AtomicOutputFile).
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "MarcExchange/RecordStream.h"
#include "ModMain/Text/Text.h"
#include "cli/FileIo.h"
#include "cli/Options.h"
#include "cli/RecordTextWriter.h"

namespace velmora::cli {

// «standard output», or the -o path.
std::string OutputName(const Options& options);

// The one output of a streaming run or a batch: standard output, or -o FILE.
class OutputSink {
 public:
  explicit OutputSink(const Options& options) : options_(options) {}

  // Says on standard error why the output cannot be opened.
  bool Open();
  std::ostream& Stream();
  // Ends `stream` and puts the file in place; false with the system's reason.
  bool Close(marc_exchange::RecordStream& stream, std::string& error);
  // For the runs that write the stream themselves.
  bool Commit(std::string& error);

 private:
  const Options& options_;
  DescriptorStream standardOutput_{StandardOutput()};
  AtomicOutputFile file_;
};

// What a run that converts each input whole writes, gathered until every
// input is converted and then written at once: the results before the last
// as bytes, the last one as its text, encoded a block at a time as it is
// written, so that a large result is not held twice.
class WholeOutput {
 public:
  void AddBytes(std::string_view bytes);
  // A record (WriteRecordText), after an empty line when another one stands
  // before it; an empty one adds nothing.
  void AddRecord(Text record);
  // A text as it is (WriteText), right after what stands before it.
  void AddText(Text text);
  // Writes it all to standard output or -o FILE; false with the reason.
  bool Write(const Options& options, std::string& error);

 private:
  void EncodeLast();
  void WriteLast(const ByteSink& write) const;

  std::string bytes_;
  Text last_;
  bool haveLast_ = false;
  bool lastIsRecord_ = false;  // last_ is written as a record, else as a text
  bool recordAdded_ = false;
};

}  // namespace velmora::cli
