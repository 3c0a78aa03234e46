#include "cli/RecordReader.h"

#include <bitset>

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmora::cli {
namespace {

constexpr std::size_t kChunk = 1 << 16;

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// A line's tag: its first three characters when they are digits
// («245    10$a», «24510  a»), else kNoTag.
constexpr int kNoTag = -1;
int LineTag(std::string_view line) {
  if (line.size() < 3) return kNoTag;
  int tag = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    if (line[i] < '0' || line[i] > '9') return kNoTag;
    tag = tag * 10 + (line[i] - '0');
  }
  return tag;
}

// Empty lines between two fields of one record are few; more than this many
// bytes of them end the record whatever follows, so that memory stays flat
// on a flood of empty lines.
constexpr std::size_t kLongestGapBetweenFields = 64 << 10;

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
  std::string line, emptyLines;  // the empty lines after the record's last field line
  int lastTag = kNoTag;
  std::bitset<1000> tagsSeen;
  for (;;) {
    std::size_t lineOffset = bufferOffset_ + position_;
    if (!nextRecordLine_.empty()) {
      line.swap(nextRecordLine_);
      nextRecordLine_.clear();
      lineOffset = nextRecordOffset_;
    } else if (!NextLine(line, error)) {
      break;
    }
    if (IsBlank(line)) {
      if (record.bytes.empty()) continue;  // separators before the record
      if (emptyLines.size() + line.size() > kLongestGapBetweenFields) break;
      emptyLines += line;
      continue;
    }
    const int tag = LineTag(line);
    if (!emptyLines.empty()) {
      if (tag == kNoTag || tag <= lastTag || tagsSeen[tag]) {  // a record of its own
        nextRecordLine_.swap(line);
        nextRecordOffset_ = lineOffset;
        break;
      }
      record.bytes += emptyLines;
      emptyLines.clear();
    }
    if (record.bytes.empty()) record.byteOffset = lineOffset;
    record.bytes += line;
    if (tag != kNoTag) {
      lastTag = tag;
      tagsSeen.set(tag);
    }
  }
  if (record.bytes.empty()) return false;
  record.number = ++recordsRead_;
  return true;
}

}  // namespace velmora::cli
