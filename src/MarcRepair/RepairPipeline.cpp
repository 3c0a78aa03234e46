#include "MarcRepair/RepairPipeline.h"

#include "MarcExchange/RecordFormatter.h"

namespace velmora::marc_repair {

using marc_exchange::OutputFormat;

void RepairPipeline::Begin(std::optional<OutputFormat> inputFormat,
                           const marc_exchange::FileFraming& framing, std::string& out) {
  begun_ = true;
  format_ = options_.format.value_or(inputFormat.value_or(OutputFormat::kIso2709));
  if (options_.check) return;
  writer_ = marc_exchange::MakeRecordWriter(format_);
  inFraming_ = writer_->BeginInFraming(framing, out);
  if (inFraming_) framing_ = framing;
}

std::vector<RepairedItem> RepairPipeline::Repair(std::span<marc_exchange::ReadItem> items) const {
  std::unique_ptr<marc_exchange::RecordWriter> writer;
  if (!options_.check) {
    writer = marc_exchange::MakeRecordWriter(format_);
    // Written in the file's own framing as the first writer is, what it
    // writes for the prologue thrown away.
    std::string prologue;
    if (inFraming_) writer->BeginInFraming(framing_, prologue);
  }
  std::vector<RepairedItem> done;
  done.reserve(items.size());
  for (marc_exchange::ReadItem& item : items) {
    done.push_back(RepairItem(item, options_.repair, writer.get()));
  }
  return done;
}

// Without a record, the output is still a file of the input's format: an
// empty MARCXML collection stays one.
void RepairPipeline::End(std::optional<OutputFormat> inputFormat,
                         const marc_exchange::FileFraming& framing, std::string& out) {
  if (!begun_) Begin(inputFormat, framing, out);
  if (writer_) writer_->EndInFraming(framing, out);
}

RepairedFiles RepairInMemory(std::span<const std::string_view> inputs,
                             const FileRepairOptions& options) {
  std::vector<marc_exchange::StringByteSource> sources;
  sources.reserve(inputs.size());
  marc_exchange::MarcInput input;
  for (const std::string_view bytes : inputs) input.Add(sources.emplace_back(bytes));
  RepairPipeline pipeline(options);
  RepairedFiles files;
  marc_exchange::ReadItem item;
  while (input.Next(item)) {
    if (!pipeline.Begun())
      pipeline.Begin(input.CurrentFormat(), input.FramingSoFar(), files.output);
    for (RepairedItem& done : pipeline.Repair(std::span(&item, 1))) {
      const std::string line =
          ReportLine(done, "input " + std::to_string(input.CurrentInput() + 1));
      if (!line.empty()) files.lines.push_back(line);
      files.tally.Add(done);
      files.output += done.output;
      files.rejects += done.rejectedBytes;
    }
  }
  pipeline.End(input.LastFormat(), input.Framing(), files.output);
  files.errors = input.Errors();
  return files;
}

}  // namespace velmora::marc_repair
