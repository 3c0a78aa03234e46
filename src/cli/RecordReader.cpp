#include "cli/RecordReader.h"

#include <unistd.h>

#include <bitset>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "Encodings/Utf8.h"
#include "MarcExchange/TagRepeatability.h"
#include "cli/FileIo.h"

namespace velmora::cli {
namespace {

constexpr std::size_t kChunk = 1 << 16;

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// A line's tag: its first three characters when they are digits
// («245    10$a», «24510  a»), else kNoTag.
constexpr int kNoTag = -1;
constexpr int kLeaderTag = 0;  // «000    nam a22»; «LDR» has no tag of digits
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

bool IsLineBreak(char byte) {
  return byte == '\r' || byte == '\n';
}

// The first CR or LF at or after `from`, or npos. Eight bytes are passed over
// at once when none is below 14 (CR is 13, LF 10): the batch's records are
// read on one thread while the others convert them.
std::size_t FindLineBreak(std::string_view s, std::size_t from) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
  std::size_t i = from;
  for (; i + 8 <= s.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, s.data() + i, sizeof word);
    if (((word - 14 * kOnes) & ~word & kHighs) == 0) continue;
    for (std::size_t k = i; k < i + 8; ++k) {
      if (IsLineBreak(s[k])) return k;
    }
  }
  for (; i < s.size(); ++i) {
    if (IsLineBreak(s[i])) return i;
  }
  return std::string_view::npos;
}

}  // namespace

bool RecordReader::Fill(std::string& error) {
  // Drop what has been read, then append a chunk.
  buffer_.erase(0, position_);
  bufferOffset_ += position_;
  position_ = 0;
  if (form_ == encodings::TextForm::Utf8 && started_)
    return AppendRead(fd_, kChunk, buffer_, endOfInput_, error);
  // The first bytes tell UTF-16 (by its byte order mark), which is turned
  // into UTF-8 as it is read, so that records are found as in UTF-8 input.
  if (!AppendRead(fd_, kChunk, raw_, endOfInput_, error)) return false;
  if (!started_) {
    if (raw_.size() < 2 && !endOfInput_) return true;
    started_ = true;
    std::size_t byteOrderMark = 0;
    form_ = encodings::SniffTextForm(raw_, byteOrderMark);
    if (form_ == encodings::TextForm::Utf8) {
      if (const encodings::TextForm unmarked = encodings::SniffUnmarkedUtf16(raw_);
          unmarked != encodings::TextForm::Utf8) {
        error = encodings::DescribeUnmarkedUtf16(unmarked);
        return false;
      }
    }
    if (form_ != encodings::TextForm::Utf8)
      raw_.erase(0, byteOrderMark), rawOffset_ = byteOrderMark;
  }
  if (form_ == encodings::TextForm::Utf8) {
    buffer_ += raw_;
    raw_.clear();
    return true;
  }
  // Whole units only, and a high surrogate waits for its pair.
  std::size_t take = raw_.size() / 2 * 2;
  if (!endOfInput_ && take >= 2) {
    const auto last =
        static_cast<unsigned char>(raw_[take - (form_ == encodings::TextForm::Utf16Le ? 1 : 2)]);
    if (last >= 0xD8 && last <= 0xDB) take -= 2;
  }
  Text units;
  encodings::TextInputError invalid{};
  if (!encodings::AppendDecodedText(
          std::string_view(raw_).substr(0, endOfInput_ ? raw_.size() : take), form_, units,
          &invalid, rawOffset_)) {
    error = encodings::Describe(invalid);
    return false;
  }
  encodings::AppendEncodedUtf8(units, buffer_);
  raw_.erase(0, take);
  rawOffset_ += take;
  return true;
}

bool RecordReader::NextLine(std::string& line, std::string& error) {
  line.clear();
  std::size_t searchFrom = position_;  // a long line is scanned once, not once per chunk
  for (;;) {
    const std::size_t end = FindLineBreak(buffer_, searchFrom);
    // A CR at the very end of what has been read may be the first half of CRLF.
    const bool complete = end != std::string::npos &&
                          (end + 1 < buffer_.size() || endOfInput_ || buffer_[end] == '\n');
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

bool RecordReader::Next(BatchRecord& record, std::string& error) {
  record.bytes.clear();
  std::string line, emptyLines;  // the empty lines after the record's last field line
  int lastTag = kNoTag;
  std::bitset<1000> tagsSeen;
  for (;;) {
    std::size_t lineOffset = bufferOffset_ + position_;
    std::size_t lineNumber = linesRead_ + 1;
    if (!nextRecordLine_.empty()) {
      line.swap(nextRecordLine_);
      nextRecordLine_.clear();
      lineOffset = nextRecordOffset_;
      lineNumber = nextRecordLineNumber_;
    } else if (NextLine(line, error)) {
      ++linesRead_;
    } else {
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
      const bool goesOn =
          tag != kNoTag && tag != kLeaderTag && tag >= lastTag &&
          !(tagsSeen[tag] && !marc_exchange::IsRepeatableTag(std::string_view(line).substr(0, 3)));
      if (!goesOn) {  // a record of its own
        nextRecordLine_.swap(line);
        nextRecordOffset_ = lineOffset;
        nextRecordLineNumber_ = lineNumber;
        break;
      }
      record.bytes += emptyLines;
      emptyLines.clear();
    }
    if (record.bytes.empty()) record.byteOffset = lineOffset, record.firstLine = lineNumber;
    record.bytes += line;
    if (split_ == Split::kLines) break;
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
