#include "cli/Conversion.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include "Encodings/TextInput.h"
#include "Encodings/Utf8.h"
#include "MarcExchange/RecordStream.h"
#include "ModMain/Letters/PrecomposeLetters.h"
#include "ModMain/Records/LeftOutFields.h"
#include "ModMain/Records/SourceLayout.h"
#include "ModMain/Records/Sources.h"
#include "ModMain/Text/LineBreaks.h"
#include "cli/DetectCommand.h"
#include "cli/FileIo.h"
#include "cli/MarcWarnings.h"
#include "cli/OrderedPool.h"
#include "cli/RecordReader.h"
#include "cli/SplitFiles.h"
#include "cli/WholeText.h"

namespace velmora::cli {
namespace {

constexpr std::size_t kFirstLineShown = 60;  // characters of a record named in a message

bool IsStandardStream(std::string_view path) {
  return path.empty() || path == kStandardStream;
}

std::string InputName(std::string_view path) {
  return IsStandardStream(path) ? std::string("standard input") : std::string(path);
}

std::string OutputName(const Options& options) {
  return IsStandardStream(options.outputPath) ? std::string("standard output") : options.outputPath;
}

// The inputs in turn: standard input when none is named.
std::vector<std::string> InputPaths(const Options& options) {
  if (options.inputPaths.empty()) return {std::string(kStandardStream)};
  return options.inputPaths;
}

// Every CRLF of a result is written as the platform's line break.
std::string ToPlatformLineBreaks(TextView text) {
  std::string bytes;
  EncodeInBlocks(text, text::kPlatformLineBreak, [&](std::string_view block) { bytes += block; });
  return bytes;
}

// A text's first line as a message shows it: «245    10$aTitle…».
std::string FirstLine(TextView text) {
  const TextView line = text.substr(0, text.find_first_of(u"\r\n"));
  const bool cut = line.size() > kFirstLineShown;
  return encodings::EncodeUtf8(line.substr(0, kFirstLineShown)) + (cut ? "..." : "");
}

// The valid part of a record's first line, for naming a record that does
// not decode.
std::string FirstLine(std::string_view bytes) {
  const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
  encodings::TextInputError invalid{};
  std::optional<Text> text = encodings::DecodeTextInput(line, &invalid);
  if (!text) text = encodings::DecodeTextInput(line.substr(0, invalid.byteOffset), nullptr);
  if (!text) text = Text();
  return FirstLine(TextView(*text));
}

// --verbose: each field of the copied record that its output record leaves
// out, after `where` (the record's name, or nothing for the only one).
std::vector<std::string> FieldsLeftOutMessages(const Options& options, TextView copied,
                                               const std::string& where) {
  const records::SourceSystem& source = *options.command->source;
  const Text working = records::WorkingText(source, copied);
  const Text record = source.rebuild.build(working);
  std::vector<std::string> messages;
  for (const TextView field : records::FieldsLeftOut(working, record)) {
    messages.push_back((where.empty() ? std::string() : where + ": ") +
                       "left out: " + FirstLine(field));
  }
  return messages;
}

// «; it looks like a Verbrary record: try 'velmora-convert verbrary'» when
// the copied text has another source's layout, else nothing.
std::string LooksLikeAnotherSource(const records::SourceSystem& source, TextView copied) {
  const records::SourceLayout layout = records::RecognizeSourceLayout(copied);
  if (layout == records::SourceLayout::None || layout == source.layout) return {};
  std::string commands;
  for (const records::SourceSystem* other : SourcesWithLayout(layout)) {
    if (!commands.empty()) commands += " or ";
    commands += "'velmora-convert " + std::string(other->name) + "'";
  }
  return "; it looks like a " + std::string(records::SourceLayoutName(layout)) + " record: try " +
         commands;
}

// Said of a source command's empty record of a text that holds more than
// white space: no record of the source was there. `other` names the source
// it looks like (LooksLikeAnotherSource).
std::string NoRecordOfTheSource(const records::SourceSystem& source, const std::string& other) {
  return "no " + std::string(source.title) + " record found" + other;
}

// A result as the options want it written: with --precompose, every letter
// precomposed.
Text Finished(const Options& options, Text result) {
  if (options.precompose) letters::PrecomposeLettersInPlace(result);
  return result;
}

// One copied record converted and formatted for the stream (in a MARC
// format the working text with --working, else the output record with the
// source's indicators), with the warnings to give before it is written.
struct PreparedRecord {
  std::vector<std::string> warnings;
  marc_exchange::FormattedRecord formatted;
  std::string dropped;  // why nothing of it can be written
};

// Warns on what was changed or skipped in the record, naming the field and
// the character where it stands.
PreparedRecord PrepareRecord(const Options& options, marc_exchange::RecordFormatter& formatter,
                             TextView copied, const std::string& where) {
  const records::SourceSystem* source = options.command->source;
  Text written;  // the text the formatter parses, which the issues' positions count in
  PreparedRecord prepared;
  if (!WritesMarc(options) || source == nullptr) {
    written = Finished(options, ConvertCopied(*options.command, options.working, copied));
    prepared.formatted = formatter.Format(written);
  } else {
    const Text working = records::WorkingText(*source, copied);
    if (options.working) {
      written = Finished(options, working);
      prepared.formatted = formatter.FormatWorkingText(written);
    } else {
      records::TracedRecord traced = source->rebuild.traced(working);
      written = Finished(options, std::move(traced.record));
      prepared.formatted = formatter.Format(written, {working, traced.origins});
    }
  }
  for (const marc_exchange::ParseIssue& issue : prepared.formatted.issues) {
    prepared.warnings.push_back("warning: " + where + ": " + DescribeIssue(issue, written));
  }
  // Nothing to write: only the stream's failure keeps a formatted record out.
  if (prepared.formatted.bytes.empty()) {
    prepared.dropped =
        prepared.formatted.error
            ? prepared.formatted.error->message
            : "it yields no field" +
                  (source == nullptr ? std::string() : LooksLikeAnotherSource(*source, copied));
  }
  return prepared;
}

// Writes a prepared record after its warnings, and warns on the record
// itself when nothing of it could be written.
marc_exchange::RecordStream::Outcome WriteRecord(marc_exchange::RecordStream& stream,
                                                 PreparedRecord prepared,
                                                 const std::string& where) {
  for (const std::string& warning : prepared.warnings) PrintError(warning);
  const marc_exchange::RecordStream::Outcome outcome = stream.Add(std::move(prepared.formatted));
  if (!outcome.written && !stream.Failed()) {
    PrintError("warning: " + where + " dropped: " + prepared.dropped);
  }
  return outcome;
}

marc_exchange::OutputFormat FormatOf(const Options& options) {
  return options.format.value_or(marc_exchange::OutputFormat::kRecord);
}

// Converts one copied record and writes it.
marc_exchange::RecordStream::Outcome AddRecord(const Options& options,
                                               marc_exchange::RecordStream& stream, TextView copied,
                                               const std::string& where) {
  marc_exchange::RecordFormatter formatter(FormatOf(options), options.dateEntered);
  return WriteRecord(stream, PrepareRecord(options, formatter, copied, where), where);
}

// Writes `bytes`, then `last` with the platform's line breaks a block at a
// time, so that a large result is not held twice.
bool WriteOutput(const Options& options, std::string_view bytes, TextView last,
                 std::string& error) {
  if (IsStandardStream(options.outputPath)) {
    bool written = WriteStdout(bytes, error);
    EncodeInBlocks(last, text::kPlatformLineBreak,
                   [&](std::string_view block) { written = written && WriteStdout(block, error); });
    return written;
  }
  AtomicOutputFile file;
  if (!file.Open(options.outputPath, error)) return false;
  const auto write = [&](std::string_view block) {
    file.Stream().write(block.data(), static_cast<std::streamsize>(block.size()));
  };
  write(bytes);
  EncodeInBlocks(last, text::kPlatformLineBreak, write);
  return file.Commit(error);
}

// Each input converted whole, the results written once all succeeded.
int ConvertWhole(const Options& options) {
  const Command& command = *options.command;
  const std::vector<std::string> inputs = InputPaths(options);
  const bool asMarc = WritesMarc(options);
  std::ostringstream marcBytes;
  std::optional<marc_exchange::RecordStream> stream;
  if (asMarc) stream.emplace(*options.format, marcBytes, options.dateEntered);
  std::string output, error;
  Text last;  // the last input's result, written a block at a time
  bool everyRecordWritten = true;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    // Named in --verbose only when there is more than one input.
    const std::string where = inputs.size() > 1 ? InputName(inputs[i]) : std::string();
    Text copied;
    std::string start;
    const ReadResult read = ReadCopiedText(inputs[i], copied, start, error);
    if (read != ReadResult::Read) {
      PrintError(InputName(inputs[i]) + ": " + error +
                 (read == ReadResult::Undecodable ? LegacyTextHint(start, inputs[i]) : ""));
      return kExitBadInput;
    }
    // What the checks and --verbose take from the copied text, before the
    // text is converted in its own buffer.
    const bool checked = command.source != nullptr && !options.working;
    const bool holdsText = checked && records::HoldsMoreThanWhiteSpace(copied);
    const std::string other = checked ? LooksLikeAnotherSource(*command.source, copied) : "";
    std::vector<std::string> leftOut;
    if (options.verbose) leftOut = FieldsLeftOutMessages(options, copied, where);
    // The result, converted once; in a MARC format only the record checked.
    Text result;
    if (!asMarc) {
      result = Finished(options, ConvertCopiedInPlace(command, options.working, std::move(copied)));
    } else if (checked) {
      result = records::ConvertRecord(*command.source, copied);
    }
    if (checked) {
      if (result.empty() && holdsText) {
        PrintError(InputName(inputs[i]) + ": " + NoRecordOfTheSource(*command.source, other));
        return kExitBadInput;
      }
      if (!other.empty()) {
        PrintError("warning: " + InputName(inputs[i]) + ": not a " +
                   std::string(command.source->title) + " record" + other);
      }
    }
    for (const std::string& message : leftOut) PrintError(message);
    if (asMarc) {
      everyRecordWritten &= AddRecord(options, *stream, copied, InputName(inputs[i])).written;
    } else {
      if (i > 0 && command.separatesFiles) {
        output.append(text::kPlatformLineBreak)
            .append(text::kPlatformLineBreak);  // an empty line between
      }
      if (i + 1 < inputs.size()) {
        output += ToPlatformLineBreaks(result);
      } else {
        last = std::move(result);
      }
    }
  }
  if (stream) {
    stream->Finish();
    output = std::move(marcBytes).str();
  }
  if (!WriteOutput(options, output, last, error)) {
    PrintError(OutputName(options) + ": " + error);
    return kExitBadInput;
  }
  return everyRecordWritten ? kExitOk : kExitBadInput;
}

// Writes a stream of output records to standard output or, through a
// temporary file, to -o FILE.
class RecordSink {
 public:
  explicit RecordSink(const Options& options) : options_(options) {}

  // Says on standard error why the output cannot be opened.
  bool Open(std::string& error) {
    std::ios::sync_with_stdio(false);
    if (IsStandardStream(options_.outputPath) || file_.Open(options_.outputPath, error))
      return true;
    PrintError(OutputName(options_) + ": " + error);
    return false;
  }
  std::ostream& Stream() {
    return IsStandardStream(options_.outputPath) ? std::cout : file_.Stream();
  }
  bool Close(marc_exchange::RecordStream& stream, std::string& error) {
    if (!stream.Finish()) {
      error = "cannot write";
      return false;
    }
    return IsStandardStream(options_.outputPath) || file_.Commit(error);
  }
  // For the runs that write the stream themselves.
  bool Commit(std::string& error) {
    Stream().flush();
    if (!Stream()) {
      error = "cannot write";
      return false;
    }
    return IsStandardStream(options_.outputPath) || file_.Commit(error);
  }

 private:
  const Options& options_;
  AtomicOutputFile file_;
};

// --batch: records taken from the inputs in chunks, converted on --jobs
// threads and written in input order, each with its warnings, as they would
// be one at a time on one thread.
constexpr std::size_t kChunkRecords = 64;
constexpr std::size_t kChunkBytes = 1 << 20;
constexpr std::size_t kChunksPerThread = 4;  // in flight: memory stays flat

struct BatchChunk {
  std::string file;  // the input's name and ": " when there are several
  std::vector<RecordReader::Record> records;
  std::size_t bytes = 0;
};

struct ConvertedRecord {
  std::string where;
  // Dropped before formatting (invalid UTF-8) when absent; warnings say why.
  std::optional<PreparedRecord> prepared;
  std::vector<std::string> warnings;  // those given before the record's own
};

std::vector<ConvertedRecord> ConvertChunk(const Options& options, BatchChunk& chunk) {
  marc_exchange::RecordFormatter formatter(FormatOf(options), options.dateEntered);
  std::vector<ConvertedRecord> converted(chunk.records.size());
  for (std::size_t k = 0; k < chunk.records.size(); ++k) {
    const RecordReader::Record& record = chunk.records[k];
    ConvertedRecord& done = converted[k];
    done.where = chunk.file + "record " + std::to_string(record.number) + " ('" +
                 FirstLine(std::string_view(record.bytes)) + "')";
    encodings::Utf8Error utf8Error{};
    const std::optional<Text> decoded = encodings::DecodeUtf8(record.bytes, &utf8Error);
    if (!decoded) {
      done.warnings.push_back("warning: " + done.where + " dropped: invalid UTF-8 at byte offset " +
                              std::to_string(record.byteOffset + utf8Error.byteOffset));
      continue;
    }
    const Text copied = text::NormaliseLineBreaks(*decoded);
    if (options.verbose) done.warnings = FieldsLeftOutMessages(options, copied, done.where);
    done.prepared = PrepareRecord(options, formatter, copied, done.where);
  }
  chunk.records = {};  // the input's bytes go before the results are written
  return converted;
}

unsigned ThreadsFor(const Options& options) {
  if (options.jobs > 0) return options.jobs;
  return std::max(1u, std::thread::hardware_concurrency());
}

int ConvertBatch(const Options& options) {
  const std::vector<std::string> inputs = InputPaths(options);
  std::string error;
  // One output (standard output or -o FILE), or with --split-size numbered files.
  RecordSink sink(options);
  std::optional<SplitFiles> files;
  std::optional<marc_exchange::RecordStream> stream;
  if (options.splitBytes > 0) {
    files.emplace(options.outputPath);
    stream.emplace(FormatOf(options), *files, options.splitBytes, options.dateEntered);
  } else {
    if (!sink.Open(error)) return kExitBadInput;
    stream.emplace(FormatOf(options), sink.Stream(), options.dateEntered);
  }
  std::ios::sync_with_stdio(false);  // also for --split-size
  std::size_t records = 0, dropped = 0, oversized = 0;
  const auto write = [&](std::vector<ConvertedRecord>& converted) {
    for (ConvertedRecord& record : converted) {
      if (stream->Failed()) return;  // nothing more is converted or said
      ++records;
      for (const std::string& warning : record.warnings) PrintError(warning);
      if (!record.prepared) {
        ++dropped;
        continue;
      }
      const marc_exchange::RecordStream::Outcome outcome =
          WriteRecord(*stream, std::move(*record.prepared), record.where);
      if (!outcome.written && !stream->Failed()) ++dropped;
      if (outcome.oversized) {
        PrintError("warning: " + record.where +
                   " is larger than --split-size on its own; written alone in " +
                   files->CurrentName());
        ++oversized;
      }
    }
  };
  const unsigned threads = ThreadsFor(options);
  OrderedPool<BatchChunk, std::vector<ConvertedRecord>> pool(
      threads, kChunksPerThread * threads,
      [&options](BatchChunk& chunk) { return ConvertChunk(options, chunk); });
  for (const std::string& input : inputs) {
    const int fd = OpenInput(input, error);
    if (fd < 0) {
      PrintError(InputName(input) + ": " + error);
      return kExitBadInput;
    }
    InputCloser closer{fd};
    const std::string file = inputs.size() > 1 ? InputName(input) + ": " : std::string();
    RecordReader reader(fd);
    RecordReader::Record record;
    BatchChunk chunk{file, {}, 0};
    while (!stream->Failed() && reader.Next(record, error)) {
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
      PrintError(InputName(input) + ": " + error);
      return kExitBadInput;
    }
    error.clear();
  }
  if (files) {
    if (!stream->Finish()) {
      PrintError(stream->OutputError().empty() ? files->CurrentName() + ": cannot write"
                                               : stream->OutputError());
      return kExitBadInput;
    }
  } else if (!sink.Close(*stream, error)) {
    PrintError(OutputName(options) + ": " + error);
    return kExitBadInput;
  }
  if (dropped > 0) {
    PrintError(std::to_string(dropped) + " of " + std::to_string(records) + " records dropped");
  }
  return dropped == 0 && oversized == 0 ? kExitOk : kExitBadInput;
}

// pre-unicode and charset: each input streamed in turn to the output by the
// command's own run, the outputs one after another.
int ConvertStreaming(const Options& options) {
  std::string error;
  RecordSink sink(options);
  if (!sink.Open(error)) return kExitBadInput;
  for (const std::string& input : InputPaths(options)) {
    const int fd = OpenInput(input, error);
    if (fd < 0) {
      PrintError(InputName(input) + ": " + error);
      return kExitBadInput;
    }
    InputCloser closer{fd};
    if (!options.run(fd, InputName(input), sink.Stream(), error)) {
      sink.Stream().flush();
      PrintError(InputName(input) + ": " + error);
      return kExitBadInput;
    }
  }
  if (!sink.Commit(error)) {
    PrintError(OutputName(options) + ": " + error);
    return kExitBadInput;
  }
  return kExitOk;
}

}  // namespace

Text ConvertCopied(const Command& command, bool working, TextView copied) {
  return ConvertCopiedInPlace(command, working, Text(copied));
}

Text ConvertCopiedInPlace(const Command& command, bool working, Text copied) {
  if (command.source == nullptr) return command.convert(std::move(copied));
  Text text = records::WorkingTextInPlace(*command.source, std::move(copied));
  if (working) return text;
  return command.source->rebuild.build(text);
}

void PrintError(std::string_view message) {
  std::fprintf(stderr, "velmora-convert: %.*s\n", static_cast<int>(message.size()), message.data());
}

int Convert(const Options& options) {
  // pre-unicode --precompose converts each input whole, as the other commands.
  if (options.run && !options.precompose) return ConvertStreaming(options);
  return options.batch ? ConvertBatch(options) : ConvertWhole(options);
}

}  // namespace velmora::cli
