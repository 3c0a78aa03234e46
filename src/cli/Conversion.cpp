#include "cli/Conversion.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <sstream>

#include "cli/FileIo.h"
#include "ModMain/LineBreaks.h"
#include "cli/RecordReader.h"
#include "Encodings/Utf8.h"

namespace velmora::cli {
namespace {

constexpr std::size_t kFirstLineShown = 60;  // characters of a record named in a warning

std::string InputName(const Options& options) {
  return options.haveInput && options.inputPath != "-" ? options.inputPath
                                                        : std::string("standard input");
}

std::string OutputName(const Options& options) {
  return options.outputPath.empty() ? std::string("standard output") : options.outputPath;
}


// Every CRLF of a result is written as the platform's line break.
std::string ToPlatformLineBreaks(TextView text) {
  return EncodeUtf8(Replace(text, kCrlf, u"\n"));
}

// A record's first line as a warning shows it: «245    10$aTitle…».
std::string FirstLine(std::string_view bytes) {
  std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
  Utf8Error invalid{};
  std::optional<Text> text = DecodeUtf8(line, &invalid);
  if (!text) text = DecodeUtf8(line.substr(0, invalid.byteOffset), nullptr);  // the valid part
  const bool cut = text->size() > kFirstLineShown;
  return EncodeUtf8(TextView(*text).substr(0, kFirstLineShown)) + (cut ? "..." : "");
}

// Writes a stream of output records to standard output or, through a
// temporary file, to -o FILE.
class RecordSink {
 public:
  explicit RecordSink(const Options& options) : options_(options) {}

  bool Open(std::string& error) {
    if (options_.outputPath.empty()) return true;
    return file_.Open(options_.outputPath, error);
  }
  std::ostream& Stream() { return options_.outputPath.empty() ? std::cout : file_.Stream(); }
  bool Close(marc::RecordStream& stream, std::string& error) {
    if (!stream.Finish()) {
      error = "cannot write";
      return false;
    }
    return options_.outputPath.empty() || file_.Commit(error);
  }

 private:
  const Options& options_;
  AtomicOutputFile file_;
};

// Writes one converted record; warns on what was skipped in it, and on the
// record itself when nothing of it could be written.
bool AddRecord(marc::RecordStream& stream, TextView outputRecord, const std::string& where) {
  const marc::RecordStream::Outcome outcome = stream.Add(outputRecord);
  for (const marc::ParseIssue& issue : outcome.issues) {
    PrintError("warning: " + where + ": " + std::string(marc::Describe(issue.kind)) + " at " +
               std::to_string(issue.position + 1) + ": '" + EncodeUtf8(issue.piece) + "' left out");
  }
  if (outcome.written) return true;
  PrintError("warning: " + where + " dropped: " +
             (outcome.error ? outcome.error->message : std::string("it yields no field")));
  return false;
}

int ConvertWhole(const Options& options) {
  std::string bytes, error;
  if (!ReadAll(options.inputPath, bytes, error)) {
    PrintError(InputName(options) + ": " + error);
    return kExitBadInput;
  }
  std::string output;
  bool recordWritten = true;
  if (options.run) {
    if (!options.run(bytes, output, error)) {
      PrintError(InputName(options) + ": " + error);
      return kExitBadInput;
    }
  } else {
    Utf8Error utf8Error{};
    const std::optional<Text> decoded = DecodeUtf8(bytes, &utf8Error);
    if (!decoded) {
      PrintError(InputName(options) + ": invalid UTF-8 at byte offset " +
                 std::to_string(utf8Error.byteOffset));
      return kExitBadInput;
    }
    const Text result = ConvertCopied(*options.command, options.working, NormaliseLineBreaks(*decoded));
    if (!options.format || *options.format == marc::OutputFormat::kRecord) {
      output = ToPlatformLineBreaks(result);
    } else {
      std::ostringstream formatted;
      marc::RecordStream stream(*options.format, formatted);
      recordWritten = AddRecord(stream, result, InputName(options));
      stream.Finish();
      output = std::move(formatted).str();
    }
  }
  const bool written = options.outputPath.empty()
                           ? WriteStdout(output, error)
                           : WriteFileAtomically(options.outputPath, output, error);
  if (!written) {
    PrintError(OutputName(options) + ": " + error);
    return kExitBadInput;
  }
  return recordWritten ? kExitOk : kExitBadInput;
}

// --batch: one record at a time from the input to the output, so that memory
// stays flat however long the batch.
int ConvertBatch(const Options& options) {
  std::string error;
  const int fd = OpenInput(options.inputPath, error);
  if (fd < 0) {
    PrintError(InputName(options) + ": " + error);
    return kExitBadInput;
  }
  struct CloseInput {
    int fd;
    ~CloseInput() {
      if (fd != STDIN_FILENO) ::close(fd);
    }
  } closeInput{fd};

  RecordSink sink(options);
  if (!sink.Open(error)) {
    PrintError(OutputName(options) + ": " + error);
    return kExitBadInput;
  }
  std::ios::sync_with_stdio(false);
  marc::RecordStream stream(options.format.value_or(marc::OutputFormat::kRecord), sink.Stream());
  RecordReader reader(fd);
  RecordReader::Record record;
  std::size_t records = 0, dropped = 0;
  while (reader.Next(record, error)) {
    ++records;
    const std::string where =
        "record " + std::to_string(record.number) + " ('" + FirstLine(record.bytes) + "')";
    Utf8Error utf8Error{};
    const std::optional<Text> decoded = DecodeUtf8(record.bytes, &utf8Error);
    if (!decoded) {
      PrintError("warning: " + where + " dropped: invalid UTF-8 at byte offset " +
                 std::to_string(record.byteOffset + utf8Error.byteOffset));
      ++dropped;
      continue;
    }
    if (!AddRecord(stream, ConvertCopied(*options.command, options.working, NormaliseLineBreaks(*decoded)), where)) {
      ++dropped;
    }
  }
  if (!error.empty()) {
    PrintError(InputName(options) + ": " + error);
    return kExitBadInput;
  }
  if (!sink.Close(stream, error)) {
    PrintError(OutputName(options) + ": " + error);
    return kExitBadInput;
  }
  if (dropped > 0) {
    PrintError(std::to_string(dropped) + " of " + std::to_string(records) +
               " records dropped");
  }
  return dropped == 0 ? kExitOk : kExitBadInput;
}

}  // namespace

Text ConvertCopied(const Command& command, bool working, TextView copied) {
  if (command.source == nullptr) return command.convert(copied);
  return working ? WorkingText(*command.source, copied) : ConvertRecord(*command.source, copied);
}

void PrintError(std::string_view message) {
  std::fprintf(stderr, "velmora-convert: %.*s\n", static_cast<int>(message.size()),
               message.data());
}

int Convert(const Options& options) {
  return options.batch ? ConvertBatch(options) : ConvertWhole(options);
}

}  // namespace velmora::cli
