#include "cli/BatchRun.h"

#include <algorithm>
#include <iostream>
#include <thread>
#include <utility>

#include "Encodings/Utf8.h"
#include "MarcExchange/RecordStream.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "ModMain/Text/LineBreaks.h"
#include "cli/FileIo.h"
#include "cli/Inputs.h"
#include "cli/Messages.h"
#include "cli/OrderedPool.h"
#include "cli/Outputs.h"
#include "cli/RecordTextWriter.h"
#include "cli/SplitFiles.h"

namespace velmora::cli {
namespace {

// Records are converted in chunks, a few chunks per thread in flight, so
// that memory stays flat however long the batch is.
constexpr std::size_t kChunkRecords = 64;
constexpr std::size_t kChunkBytes = 1 << 20;
constexpr std::size_t kChunksPerThread = 4;

struct BatchChunk {
  std::string file;  // the input's name when there are several, else empty
  std::vector<BatchRecord> records;
  std::size_t bytes = 0;
};

struct NamedResult {
  std::string where;
  BatchResult result;
};

marc_exchange::OutputFormat FormatOf(const Options& options) {
  return options.format.value_or(marc_exchange::OutputFormat::kRecord);
}

std::vector<NamedResult> ConvertChunk(const Options& options, const BatchConversion& conversion,
                                      BatchChunk& chunk) {
  marc_exchange::RecordFormatter formatter(FormatOf(options), options.dateEntered);
  std::vector<NamedResult> converted(chunk.records.size());
  for (std::size_t k = 0; k < chunk.records.size(); ++k) {
    const BatchRecord& record = chunk.records[k];
    NamedResult& done = converted[k];
    done.where = RecordName(chunk.file, record.number, FirstLine(std::string_view(record.bytes)));
    done.result = conversion.convert(record, done.where, formatter);
  }
  chunk.records = {};  // the input's bytes go before the results are written
  return converted;
}

unsigned ThreadsFor(const Options& options) {
  if (options.jobs > 0) return options.jobs;
  return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

int RunBatch(const Options& options, const BatchConversion& conversion) {
  const std::vector<std::string> inputs = InputPaths(options);
  std::string error;
  // One output (standard output or -o FILE), or with --split-size numbered files.
  OutputSink sink(options);
  std::optional<SplitFiles> files;
  std::optional<marc_exchange::RecordStream> stream;
  if (options.splitBytes > 0) {
    files.emplace(options.outputPath);
    stream.emplace(FormatOf(options), *files, options.splitBytes, options.dateEntered);
  } else {
    if (!sink.Open()) return kExitBadInput;
    stream.emplace(FormatOf(options), sink.Stream(), options.dateEntered);
  }
  std::size_t records = 0, dropped = 0, oversized = 0;
  bool everyInputRead = true;
  const auto write = [&](std::vector<NamedResult>& converted) {
    for (NamedResult& record : converted) {
      if (stream->Failed()) return;  // nothing more is converted or said
      ++records;
      for (const std::string& warning : record.result.warnings) PrintError(warning);
      if (!record.result.prepared) {
        ++dropped;
        continue;
      }
      PreparedRecord& prepared = *record.result.prepared;
      if (conversion.emptyLineBetween && stream->RecordsWritten() > 0 &&
          !prepared.formatted.bytes.empty()) {
        WriteLineBreak(
            [&](std::string_view lineBreak) { prepared.formatted.bytes.insert(0, lineBreak); });
      }
      const marc_exchange::RecordStream::Outcome outcome =
          WriteRecord(*stream, std::move(prepared), record.where);
      if (!outcome.written && !stream->Failed()) ++dropped;
      if (outcome.oversized) {
        PrintError(messages::Format(
            messages::Tr("warning: %1 is larger than --split-size on its own; written alone in %2"),
            record.where, files->CurrentName()));
        ++oversized;
      }
    }
  };
  const unsigned threads = ThreadsFor(options);
  OrderedPool<BatchChunk, std::vector<NamedResult>> pool(
      threads, kChunksPerThread * threads, [&options, &conversion](BatchChunk& chunk) {
        return ConvertChunk(options, conversion, chunk);
      });
  for (const std::string& input : inputs) {
    const int fd = OpenInput(input, error);
    if (fd < 0) {
      // Named, and the others still converted, as cat and grep do.
      PrintError(messages::Format("%1: %2", InputName(input), error));
      everyInputRead = false;
      error.clear();
      continue;
    }
    InputCloser closer{fd};
    const std::string file = inputs.size() > 1 ? InputName(input) : std::string();
    const std::unique_ptr<BatchRecords> reader = conversion.split(fd);
    BatchRecord record;
    BatchChunk chunk{file, {}, 0};
    while (!stream->Failed() && reader->Next(record, error)) {
      chunk.bytes += record.bytes.size();
      chunk.records.push_back(std::move(record));
      if (chunk.records.size() >= kChunkRecords || chunk.bytes >= kChunkBytes) {
        pool.Give(std::exchange(chunk, BatchChunk{file, {}, 0}), write);
      }
    }
    if (!chunk.records.empty()) pool.Give(std::move(chunk), write);
    pool.Drain(write);
    // One record at a time, the batch stops where the output fails, before
    // a read error further on.
    if (!error.empty() && !stream->Failed()) {
      PrintError(messages::Format("%1: %2", InputName(input), error));
      return kExitBadInput;
    }
    error.clear();
  }
  if (files) {
    if (!stream->Finish()) {
      // The numbered file and the system's reason, when it gave one.
      PrintError(!files->Error().empty() ? files->Error()
                                         : messages::Format("%1: %2", files->CurrentName(),
                                                            messages::Tr("cannot write")));
      return kExitBadInput;
    }
  } else if (!sink.Close(*stream, error)) {
    PrintError(messages::Format("%1: %2", OutputName(options), error));
    return kExitBadInput;
  }
  if (dropped > 0) {
    PrintError(messages::Format(messages::Tr("%1 of %2 records dropped"), std::to_string(dropped),
                                std::to_string(records)));
  }
  return dropped == 0 && oversized == 0 && everyInputRead ? kExitOk : kExitBadInput;
}

std::optional<Text> DecodeTextRecord(const BatchRecord& record, const std::string& where,
                                     BatchResult& result) {
  encodings::Utf8Error utf8Error{};
  std::optional<Text> decoded = encodings::DecodeUtf8(record.bytes, &utf8Error);
  if (!decoded) {
    result.warnings.push_back(
        messages::Format(messages::Tr("warning: %1 dropped: invalid UTF-8 at byte offset %2"),
                         where, std::to_string(record.byteOffset + utf8Error.byteOffset)));
    return std::nullopt;
  }
  return text::NormaliseLineBreaks(*decoded);
}

}  // namespace velmora::cli
