#include "cli/LineBlocks.h"

#include "cli/FileIo.h"

namespace velmora::cli {
namespace {

// The unit at byte i of UTF-16 text (i even).
char16_t UnitAt(std::string_view s, std::size_t i, bool littleEndian) {
  const auto first = static_cast<unsigned char>(s[i]),
             second = static_cast<unsigned char>(s[i + 1]);
  return static_cast<char16_t>(littleEndian ? first | second << 8 : first << 8 | second);
}

}  // namespace

bool LineBlockReader::Fill(std::string& error) {
  buffer_.erase(0, consumed_);
  consumed_ = 0;
  return AppendRead(fd_, kBlockBytes, buffer_, endOfInput_, error);
}

bool LineBlockReader::Peek(std::string_view& start, std::string& error, std::size_t least) {
  while (buffer_.size() - consumed_ < least && !endOfInput_) {
    if (!Fill(error)) return false;
  }
  start = std::string_view(buffer_).substr(consumed_);
  return true;
}

// The end of the last whole line in the unread bytes (0 for none): after its
// LF, or after a CR that is not the last byte read (it may be half a CRLF).
// Past the block size, after the last space.
std::size_t LineBlockReader::CutPoint() {
  const std::string_view unread = std::string_view(buffer_).substr(consumed_);
  const bool wide = form_ != encodings::TextForm::Utf8;
  const bool littleEndian = form_ == encodings::TextForm::Utf16Le;
  const std::size_t step = wide ? 2 : 1;
  const std::size_t usable = wide ? unread.size() / 2 * 2 : unread.size();
  const auto unitAt = [&](std::size_t i) -> char16_t {
    return wide ? UnitAt(unread, i, littleEndian) : static_cast<unsigned char>(unread[i]);
  };
  // Bytes before searched_ hold no line break (a long line is scanned once).
  for (std::size_t i = usable; i >= searched_ + step; i -= step) {
    const char16_t unit = unitAt(i - step);
    if (unit == u'\n' || (unit == u'\r' && i < usable)) return i;
  }
  searched_ = usable >= step ? usable - step : 0;  // the last unit may be a CR
  if (unread.size() >= kBlockBytes) {
    for (std::size_t i = usable; i >= spaceSearched_ + step; i -= step) {
      if (unitAt(i - step) == u' ') return i;
    }
    spaceSearched_ = usable;
  }
  return 0;
}

bool LineBlockReader::Next(std::string_view& block, std::string& error) {
  for (;;) {
    std::size_t cut = CutPoint();
    if (cut == 0 && endOfInput_) cut = buffer_.size() - consumed_;
    if (cut > 0 && (buffer_.size() - consumed_ >= kBlockBytes || endOfInput_)) {
      block = std::string_view(buffer_).substr(consumed_, cut);
      consumed_ += cut;
      searched_ = spaceSearched_ = 0;
      return true;
    }
    if (endOfInput_) return false;
    if (!Fill(error)) return false;
  }
}

}  // namespace velmora::cli
