#include "cli/Outputs.h"

#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"

namespace velmora::cli {

std::string OutputName(const Options& options) {
  return IsStandardStream(options.outputPath) ? messages::Tr("standard output")
                                              : options.outputPath;
}

bool OutputSink::Open() {
  std::string error;
  if (IsStandardStream(options_.outputPath) || file_.Open(options_.outputPath, error)) return true;
  PrintError(messages::Format("%1: %2", OutputName(options_), error));
  return false;
}

std::ostream& OutputSink::Stream() {
  return IsStandardStream(options_.outputPath) ? standardOutput_ : file_.Stream();
}

bool OutputSink::Close(marc_exchange::RecordStream& stream, std::string& error) {
  if (!stream.Finish() && IsStandardStream(options_.outputPath)) {
    error =
        standardOutput_.Error().empty() ? messages::Tr("cannot write") : standardOutput_.Error();
    return false;
  }
  // A file's own reason comes with its commit.
  return IsStandardStream(options_.outputPath) || file_.Commit(error);
}

bool OutputSink::Commit(std::string& error) {
  if (!IsStandardStream(options_.outputPath)) return file_.Commit(error);
  standardOutput_.flush();
  if (!standardOutput_) {
    error =
        standardOutput_.Error().empty() ? messages::Tr("cannot write") : standardOutput_.Error();
    return false;
  }
  return true;
}

void WholeOutput::EncodeLast() {
  if (!haveLast_) return;
  WriteLast([this](std::string_view block) { bytes_ += block; });
  last_ = Text();
  haveLast_ = false;
}

void WholeOutput::WriteLast(const ByteSink& write) const {
  if (!haveLast_) return;
  if (lastIsRecord_) {
    WriteRecordText(last_, write);
  } else {
    WriteText(last_, write);
  }
}

void WholeOutput::AddBytes(std::string_view bytes) {
  EncodeLast();
  bytes_ += bytes;
}

void WholeOutput::AddRecord(Text record) {
  if (record.empty()) return;
  EncodeLast();
  if (recordAdded_) WriteLineBreak([this](std::string_view block) { bytes_ += block; });
  recordAdded_ = true;
  last_ = std::move(record);
  lastIsRecord_ = true;
  haveLast_ = true;
}

void WholeOutput::AddText(Text text) {
  EncodeLast();
  last_ = std::move(text);
  lastIsRecord_ = false;
  haveLast_ = true;
}

bool WholeOutput::Write(const Options& options, std::string& error) {
  if (IsStandardStream(options.outputPath)) {
    bool written = WriteStdout(bytes_, error);
    WriteLast([&](std::string_view block) { written = written && WriteStdout(block, error); });
    return written;
  }
  AtomicOutputFile file;
  if (!file.Open(options.outputPath, error)) return false;
  const auto write = [&](std::string_view block) {
    file.Stream().write(block.data(), static_cast<std::streamsize>(block.size()));
  };
  write(bytes_);
  WriteLast(write);
  return file.Commit(error);
}

}  // namespace velmora::cli
