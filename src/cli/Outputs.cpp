#include "cli/Outputs.h"

#include <iostream>

#include "cli/Inputs.h"
#include "cli/Messages.h"

namespace velmora::cli {

std::string OutputName(const Options& options) {
  return IsStandardStream(options.outputPath) ? std::string("standard output") : options.outputPath;
}

bool OutputSink::Open() {
  std::ios::sync_with_stdio(false);
  std::string error;
  if (IsStandardStream(options_.outputPath) || file_.Open(options_.outputPath, error)) return true;
  PrintError(Format("{1}: {2}", {OutputName(options_), error}));
  return false;
}

std::ostream& OutputSink::Stream() {
  return IsStandardStream(options_.outputPath) ? std::cout : file_.Stream();
}

bool OutputSink::Close(marc_exchange::RecordStream& stream, std::string& error) {
  if (!stream.Finish()) {
    error = "cannot write";
    return false;
  }
  return IsStandardStream(options_.outputPath) || file_.Commit(error);
}

bool OutputSink::Commit(std::string& error) {
  Stream().flush();
  if (!Stream()) {
    error = "cannot write";
    return false;
  }
  return IsStandardStream(options_.outputPath) || file_.Commit(error);
}

void WholeOutput::EncodeLast() {
  if (!haveLast_) return;
  WriteLast([this](std::string_view block) { bytes_ += block; });
  last_ = Text();
  haveLast_ = false;
}

void WholeOutput::WriteLast(const ByteSink& write) const {
  if (!haveLast_) return;
  if (lastEnd_) {
    WriteRecordText(last_, *lastEnd_, write);
  } else {
    WriteText(last_, write);
  }
}

void WholeOutput::AddBytes(std::string_view bytes) {
  EncodeLast();
  bytes_ += bytes;
}

void WholeOutput::AddRecord(Text record, RecordEnd end) {
  EncodeLast();
  last_ = std::move(record);
  lastEnd_ = end;
  haveLast_ = true;
}

void WholeOutput::AddText(Text text) {
  EncodeLast();
  last_ = std::move(text);
  lastEnd_.reset();
  haveLast_ = true;
}

void WholeOutput::AddLineBreak() {
  EncodeLast();
  WriteLineBreak([this](std::string_view block) { bytes_ += block; });
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
