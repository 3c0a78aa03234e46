#include "cli/Inputs.h"

#include <optional>

#include "Encodings/TextInput.h"
#include "Encodings/Utf8.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "cli/DetectCommand.h"
#include "cli/Messages.h"

namespace velmora::cli {
namespace {

constexpr std::size_t kFirstLineShown = 60;  // characters of a record named in a message

}  // namespace

bool IsStandardStream(std::string_view path) {
  return path.empty() || path == kStandardStream;
}

std::string InputName(std::string_view path) {
  return IsStandardStream(path) ? messages::Tr("standard input") : std::string(path);
}

std::vector<std::string> InputPaths(const Options& options) {
  if (options.inputPaths.empty()) return {std::string(kStandardStream)};
  return options.inputPaths;
}

std::string FirstLine(TextView text) {
  const TextView line = text.substr(0, text.find_first_of(u"\r\n"));
  const bool cut = line.size() > kFirstLineShown;
  return encodings::EncodeUtf8(line.substr(0, kFirstLineShown)) + (cut ? "..." : "");
}

std::string FirstLine(std::string_view bytes) {
  const std::string_view line = bytes.substr(0, bytes.find_first_of("\r\n"));
  encodings::TextInputError invalid{};
  std::optional<Text> text = encodings::DecodeTextInput(line, &invalid);
  if (!text) text = encodings::DecodeTextInput(line.substr(0, invalid.byteOffset), nullptr);
  if (!text) text = Text();
  return FirstLine(TextView(*text));
}

std::string RecordName(std::string_view file, std::size_t number, std::string_view firstLine) {
  const std::string n = std::to_string(number);
  if (file.empty()) return messages::Format(messages::Tr("record %1 ('%2')"), n, firstLine);
  return messages::Format(messages::Tr("%1: record %2 ('%3')"), file, n, firstLine);
}

ReadResult ReadWholeInput(std::string_view path, Text& copied, std::string& message) {
  std::string start, error;
  const ReadResult read = ReadCopiedText(path, copied, start, error);
  if (read == ReadResult::Unreadable || read == ReadResult::UnmarkedUtf16) {
    message = messages::Format("%1: %2", InputName(path), error);
  }
  if (read == ReadResult::Undecodable) {
    message = messages::Format("%1: %2", InputName(path), error) + LegacyTextHint(start, path);
  }
  return read;
}

}  // namespace velmora::cli
