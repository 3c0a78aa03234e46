#include "cli/WholeText.h"

#include "Encodings/Detection/DetectRepresentation.h"
#include "Encodings/TextInput.h"
#include "Encodings/Utf8.h"
#include "ModMain/Text/LineBreaks.h"
#include "cli/FileIo.h"
#include "cli/LineBlocks.h"

namespace velmora::cli {
namespace {

constexpr std::size_t kBlockUnits = 1 << 16;        // encoded at once
constexpr std::size_t kOutputBlockBytes = 1 << 20;  // gathered before each write

// Room for the units of a file of `bytes` bytes: at most one per byte, and
// an eighth more for LF line breaks written as CRLF and for what the rewrite
// adds. Only what is used is ever touched, so the room costs no memory.
std::size_t RoomFor(std::size_t bytes) {
  return bytes + bytes / 8 + 64;
}

}  // namespace

ReadResult ReadCopiedText(std::string_view path, Text& text, std::string& start,
                          std::string& error) {
  text.clear();
  start.clear();
  const int fd = OpenInput(path, error);
  if (fd < 0) return ReadResult::Unreadable;
  InputCloser closer{fd};
  if (const std::optional<std::size_t> size = RegularFileSize(fd)) text.reserve(RoomFor(*size));
  LineBlockReader reader(fd);
  std::string_view first;
  if (!reader.Peek(first, error)) return ReadResult::Unreadable;
  std::size_t byteOrderMark = 0;
  const encodings::TextForm form = encodings::SniffTextForm(first, byteOrderMark);
  if (form == encodings::TextForm::Utf8) {
    if (const encodings::TextForm unmarked = encodings::SniffUnmarkedUtf16(first);
        unmarked != encodings::TextForm::Utf8) {
      error = encodings::DescribeUnmarkedUtf16(unmarked);
      return ReadResult::UnmarkedUtf16;
    }
  }
  reader.SetForm(form);
  // Blocks end at a line break, so that no character and no CRLF is cut.
  std::size_t offset = 0;  // of the block in the input
  Text decoded;
  std::string_view block;
  while (reader.Next(block, error)) {
    if (start.size() <= detection::kDetectionSampleBytes) {
      start.append(block.substr(0, detection::kDetectionSampleBytes + 1 - start.size()));
    }
    if (offset == 0) {
      block.remove_prefix(byteOrderMark);
      offset = byteOrderMark;
    }
    decoded.clear();
    encodings::TextInputError invalid{};
    if (!encodings::AppendDecodedText(block, form, decoded, &invalid, offset)) {
      error = encodings::Describe(invalid);
      return ReadResult::Undecodable;
    }
    text::AppendNormalisedLineBreaks(decoded, text);
    offset += block.size();
  }
  return error.empty() ? ReadResult::Read : ReadResult::Unreadable;
}

void EncodeInBlocks(TextView text, std::string_view lineBreak,
                    const std::function<void(std::string_view)>& write) {
  std::string bytes;
  bytes.reserve(kOutputBlockBytes + 3 * kBlockUnits + lineBreak.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t crlf = text::FindText(text, text::kCrlf, at);
    const std::size_t lineEnd = crlf == TextView::npos ? text.size() : crlf;
    // The line in pieces that end before a high surrogate's low one.
    while (at < lineEnd) {
      std::size_t end = std::min(lineEnd, at + kBlockUnits);
      if (end < lineEnd && text::IsHighSurrogate(text[end - 1]) && end - 1 > at) --end;
      encodings::AppendEncodedUtf8(text.substr(at, end - at), bytes);
      at = end;
      if (bytes.size() >= kOutputBlockBytes) {
        write(bytes);
        bytes.clear();
      }
    }
    if (crlf != TextView::npos) {
      bytes.append(lineBreak);
      at = crlf + text::kCrlf.size();
    }
  }
  if (!bytes.empty()) write(bytes);
}

}  // namespace velmora::cli
