// A MARC file's repair from the reader's items to the bytes written, in
// three steps so that the middle one can run on several threads: Begin
// writes what comes before the first record (a clean text file's own
// prologue), Repair repairs and writes a chunk of items on any thread,
// End writes what comes after the last record. The caller reads, and
// takes the results back in order.
//
//   RepairPipeline pipeline(options);
//   pipeline.Begin(input.CurrentFormat(), input.FramingSoFar(), out);   // after the first Next
//   std::vector<RepairedItem> done = pipeline.Repair(chunk);           // any thread
//   pipeline.End(input.LastFormat(), input.Framing(), out);
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "MarcExchange/MarcInput.h"
#include "MarcExchange/OutputFormats.h"
#include "MarcRepair/ItemRepair.h"
#include "MarcRepair/RepairReport.h"

namespace velmora::marc_repair {

struct FileRepairOptions {
  RepairOptions repair;
  // --format: the format written; absent is the (first) input's own.
  std::optional<marc_exchange::OutputFormat> format;
  bool check = false;  // --check: nothing written, only reported
};

class RepairPipeline {
 public:
  explicit RepairPipeline(FileRepairOptions options) : options_(std::move(options)) {}

  // `inputFormat` is that of the first input (absent when nothing was
  // read); `framing` what MarcInput::FramingSoFar gives then.
  void Begin(std::optional<marc_exchange::OutputFormat> inputFormat,
             const marc_exchange::FileFraming& framing, std::string& out);
  // Thread-safe once begun: each call writes with a writer of its own.
  std::vector<RepairedItem> Repair(std::span<marc_exchange::ReadItem> items) const;
  void End(std::optional<marc_exchange::OutputFormat> inputFormat,
           const marc_exchange::FileFraming& framing, std::string& out);

  bool Begun() const { return begun_; }
  marc_exchange::OutputFormat Format() const { return format_; }

 private:
  FileRepairOptions options_;
  marc_exchange::OutputFormat format_ = marc_exchange::OutputFormat::kIso2709;
  std::unique_ptr<marc_exchange::RecordWriter> writer_;
  marc_exchange::FileFraming framing_;  // the prologue the writers write in, when used
  bool inFraming_ = false;
  bool begun_ = false;
};

// Everything a repair of whole inputs in memory gives: for tests, the fuzz
// harness and the damaged-file figures.
struct RepairedFiles {
  std::string output;
  std::string rejects;
  std::vector<std::string> lines;  // the report, a line for each item with findings
  RepairTally tally;
  std::vector<marc_exchange::ReadError> errors;
};
RepairedFiles RepairInMemory(std::span<const std::string_view> inputs,
                             const FileRepairOptions& options);

}  // namespace velmora::marc_repair
