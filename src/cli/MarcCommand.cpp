#include "cli/MarcCommand.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "MarcExchange/ByteSource.h"
#include "MarcExchange/MarcInput.h"
#include "MarcRepair/RepairPipeline.h"
#include "MarcRepair/StructureRepairs.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "cli/FileIo.h"
#include "cli/Messages.h"
#include "cli/Options.h"
#include "cli/OrderedPool.h"

namespace velmora::cli {
namespace {

using marc_exchange::ReadItem;
using marc_repair::RepairedItem;

constexpr std::size_t kChunkItems = 64;
constexpr std::size_t kChunkBytes = 1 << 20;
constexpr std::size_t kChunksPerThread = 4;  // in flight: memory stays flat
constexpr std::size_t kReadBytes = 1 << 16;

// An input opened by OpenInput, read a piece at a time.
class DescriptorByteSource final : public marc_exchange::ByteSource {
 public:
  explicit DescriptorByteSource(int fd) : fd_(fd) {}
  std::size_t Read(char* to, std::size_t capacity) override {
    if (ended_ || failed_) return 0;
    buffer_.clear();
    bool endOfInput = false;
    if (!AppendRead(fd_, std::min(capacity, kReadBytes), buffer_, endOfInput, error_)) {
      failed_ = true;
      return 0;
    }
    ended_ = endOfInput;
    std::memcpy(to, buffer_.data(), buffer_.size());
    return buffer_.size();
  }
  bool Failed() const override { return failed_; }
  const std::string& Error() const { return error_; }

 private:
  int fd_;
  bool ended_ = false, failed_ = false;
  std::string buffer_, error_;
};

struct OpenedInput {
  std::string name;
  std::unique_ptr<InputCloser> closer;
  std::unique_ptr<DescriptorByteSource> source;
};

struct Chunk {
  std::vector<ReadItem> items;
  std::vector<std::size_t> inputs;  // the input of each item
  std::size_t bytes = 0;
};

std::size_t ItemBytes(const ReadItem& item) {
  return item.kind == ReadItem::Kind::kRecord ? item.record.Origin().text.size()
                                              : item.rejected.bytes.size();
}

std::string NameOf(std::string_view path) {
  return path.empty() || path == kStandardStream ? messages::Tr("standard input")
                                                 : std::string(path);
}

// Standard output, or a file put in place when complete.
class Output {
 public:
  bool Open(const std::string& path, std::string& error) {
    path_ = path;
    if (ToStandardOutput()) return true;
    file_ = std::make_unique<AtomicOutputFile>();
    return file_->Open(path, error);
  }
  void Write(std::string_view bytes) {
    Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  bool Commit(std::string& error) {
    Stream().flush();
    if (!Stream()) {
      error = messages::Tr("cannot write");
      return false;
    }
    return ToStandardOutput() || file_->Commit(error);
  }
  std::string Name() const { return ToStandardOutput() ? messages::Tr("standard output") : path_; }

 private:
  bool ToStandardOutput() const { return path_.empty() || path_ == kStandardStream; }
  std::ostream& Stream() { return ToStandardOutput() ? std::cout : file_->Stream(); }
  std::string path_;
  std::unique_ptr<AtomicOutputFile> file_;
};

void Say(const std::string& line) {
  std::fprintf(stderr, "%s\n", line.c_str());
}

marc_repair::FileRepairOptions RepairOptionsOf(const Options& options) {
  marc_repair::FileRepairOptions repair;
  repair.repair.target = options.marc.to == field_text::FieldCharset::Marc8
                             ? marc_repair::TargetCoding::kMarc8
                             : marc_repair::TargetCoding::kUtf8;
  repair.repair.nfd = options.marc.nfd;
  repair.repair.leaveOut = options.marc.leaveOut;
  repair.repair.from = options.marc.from;
  repair.repair.rejectsName = options.marc.rejectsPath;
  repair.format = options.format;
  repair.check = options.marc.check;
  return repair;
}

}  // namespace

int RunMarcCommand(const Options& options) {
  std::ios::sync_with_stdio(false);
  bool failed = false;  // an input not read, or the output not written
  std::string error;
  // Every input opened first; one that cannot be is named and left out.
  std::vector<std::string> paths = options.inputPaths;
  if (paths.empty()) paths.emplace_back(kStandardStream);
  std::vector<OpenedInput> inputs;
  marc_exchange::MarcInput input;
  for (const std::string& path : paths) {
    const int fd = OpenInput(path, error);
    if (fd < 0) {
      PrintError(messages::Format(messages::Tr("%1: %2"), NameOf(path), error));
      failed = true;
      continue;
    }
    OpenedInput& opened = inputs.emplace_back();
    opened.name = NameOf(path);
    opened.closer = std::make_unique<InputCloser>(fd);
    opened.source = std::make_unique<DescriptorByteSource>(fd);
    input.Add(*opened.source);
  }
  const bool check = options.marc.check;
  Output output, rejects;
  if (!check && !output.Open(options.outputPath, error)) {
    PrintError(messages::Format(messages::Tr("%1: %2"), options.outputPath, error));
    return kExitBadInput;
  }
  const bool keepsRejects = !options.marc.rejectsPath.empty();
  if (keepsRejects && !rejects.Open(options.marc.rejectsPath, error)) {
    PrintError(messages::Format(messages::Tr("%1: %2"), options.marc.rejectsPath, error));
    return kExitBadInput;
  }

  marc_repair::RepairPipeline pipeline(RepairOptionsOf(options));
  marc_repair::RepairTally tally;
  const auto take = [&](std::vector<RepairedItem>& done) {
    for (RepairedItem& item : done) {
      const std::string line = marc_repair::ReportLine(item, inputs[item.input].name);
      if (!line.empty()) Say(line);
      tally.Add(item);
      if (!check) output.Write(item.output);
      if (keepsRejects) rejects.Write(item.rejectedBytes);
    }
  };
  const unsigned threads =
      options.jobs > 0 ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  OrderedPool<Chunk, std::vector<RepairedItem>> pool(
      threads, kChunksPerThread * threads, [&pipeline](Chunk& chunk) {
        std::vector<RepairedItem> done = pipeline.Repair(chunk.items);
        for (std::size_t k = 0; k < done.size(); ++k) done[k].input = chunk.inputs[k];
        chunk.items = {};
        return done;
      });
  std::string framing;
  Chunk chunk;
  std::size_t errorsSaid = 0;
  const auto sayErrors = [&] {
    for (; errorsSaid < input.Errors().size(); ++errorsSaid) {
      const marc_exchange::ReadError& readError = input.Errors()[errorsSaid];
      PrintError(messages::Format(messages::Tr("%1: %2"), inputs[readError.input].name,
                                  marc_repair::DescribeReadError(readError)));
      failed = true;
    }
  };
  ReadItem item;
  while (input.Next(item)) {
    sayErrors();
    if (!pipeline.Begun()) {
      pipeline.Begin(input.CurrentFormat(), input.FramingSoFar(), framing);
      if (!check) output.Write(framing);
    }
    chunk.bytes += ItemBytes(item);
    chunk.inputs.push_back(input.CurrentInput());
    chunk.items.push_back(std::move(item));
    item = ReadItem();
    if (chunk.items.size() >= kChunkItems || chunk.bytes >= kChunkBytes) {
      pool.Give(std::exchange(chunk, Chunk()), take);
    }
  }
  if (!chunk.items.empty()) pool.Give(std::move(chunk), take);
  pool.Drain(take);
  sayErrors();
  for (const OpenedInput& opened : inputs) {
    if (opened.source->Failed()) {
      PrintError(messages::Format(messages::Tr("%1: %2"), opened.name, opened.source->Error()));
      failed = true;
    }
  }
  framing.clear();
  pipeline.End(input.LastFormat(), input.Framing(), framing);
  if (!check) {
    output.Write(framing);
    if (!output.Commit(error)) {
      PrintError(messages::Format(messages::Tr("%1: %2"), output.Name(), error));
      failed = true;
    }
  }
  if (keepsRejects && !rejects.Commit(error)) {
    PrintError(messages::Format(messages::Tr("%1: %2"), rejects.Name(), error));
    failed = true;
  }
  for (const std::string& line : tally.SummaryLines()) Say(line);
  const bool changed =
      tally.Changed() > 0 || tally.Count(marc_repair::FindingKind::kStructureRepaired) > 0;
  const bool needsLook = tally.WithProblems() > 0 || (check && changed);
  return failed || needsLook ? kExitBadInput : kExitOk;
}

}  // namespace velmora::cli
