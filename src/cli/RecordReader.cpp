#include "cli/RecordReader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmora::cli {
namespace {

constexpr std::size_t kChunk = 1 << 16;

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::size_t LineBreakLength(std::string_view line) {
  if (line.ends_with("\r\n")) return 2;
  if (line.ends_with('\n') || line.ends_with('\r')) return 1;
  return 0;
}

}  // namespace

bool RecordReader::Fill(std::string& error) {
  // Drop what has been read, then append a chunk.
  buffer_.erase(0, position_);
  bufferOffset_ += position_;
  position_ = 0;
  const std::size_t old = buffer_.size();
  buffer_.resize(old + kChunk);
  for (;;) {
    const ssize_t got = ::read(fd_, buffer_.data() + old, kChunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      buffer_.resize(old);
      error = std::strerror(errno);
      return false;
    }
    buffer_.resize(old + static_cast<std::size_t>(got));
    if (got == 0) endOfInput_ = true;
    return true;
  }
}

bool RecordReader::NextLine(std::string& line, std::string& error) {
  line.clear();
  std::size_t searchFrom = position_;  // a long line is scanned once, not once per chunk
  for (;;) {
    const std::size_t end = buffer_.find_first_of("\r\n", searchFrom);
    // A CR at the very end of what has been read may be the first half of CRLF.
    const bool complete = end != std::string::npos && (end + 1 < buffer_.size() || endOfInput_ ||
                                                       buffer_[end] == '\n');
    if (complete) {
      std::size_t stop = end + 1;
      if (buffer_[end] == '\r' && stop < buffer_.size() && buffer_[stop] == '\n') ++stop;
      line.append(buffer_, position_, stop - position_);
      position_ = stop;
      return true;
    }
    if (endOfInput_) {
      line.append(buffer_, position_, std::string::npos);
      position_ = buffer_.size();
      return !line.empty();
    }
    // Keep the partial line in the buffer and read more after it; only its
    // last byte (a possible CR) is looked at again.
    const std::size_t pending = buffer_.size() - position_;
    if (!Fill(error)) return false;
    searchFrom = position_ + (pending > 0 ? pending - 1 : 0);
  }
}

bool RecordReader::Next(Record& record, std::string& error) {
  record.bytes.clear();
  std::string line;
  for (;;) {
    const std::size_t lineOffset = bufferOffset_ + position_;
    if (!NextLine(line, error)) break;
    if (IsBlank(line)) {
      if (!record.bytes.empty()) break;
      continue;  // separators before the record
    }
    if (record.bytes.empty()) record.byteOffset = lineOffset;
    record.bytes += line;
  }
  if (record.bytes.empty()) return false;
  record.bytes.resize(record.bytes.size() - LineBreakLength(record.bytes));
  record.number = ++recordsRead_;
  return true;
}

}  // namespace velmora::cli
