#include "MarcExchange/ByteSource.h"

#include <algorithm>
#include <cstring>

namespace velmora::marc_exchange {

std::size_t StreamByteSource::Read(char* to, std::size_t capacity) {
  if (!in_) return 0;
  in_.read(to, static_cast<std::streamsize>(capacity));
  return static_cast<std::size_t>(in_.gcount());
}

std::size_t StringByteSource::Read(char* to, std::size_t capacity) {
  const std::size_t n = std::min({capacity, pieceBytes_, bytes_.size() - at_});
  std::memcpy(to, bytes_.data() + at_, n);
  at_ += n;
  return n;
}

std::size_t ByteWindow::Ensure(std::size_t count) {
  while (buffer_.size() - position_ < count && !ended_) {
    // What was taken goes before the buffer grows, so that it holds at most
    // what is asked for and one piece more.
    if (position_ > 0) {
      buffer_.erase(0, position_);
      position_ = 0;
    }
    // Into a piece of its own, so that a source giving a few bytes at a time
    // costs only those bytes.
    if (piece_ == nullptr) piece_ = std::make_unique<char[]>(kReadPieceBytes);
    const std::size_t got = source_.Read(piece_.get(), kReadPieceBytes);
    buffer_.append(piece_.get(), got);
    if (got == 0) ended_ = true;
  }
  return std::min(count, buffer_.size() - position_);
}

}  // namespace velmora::marc_exchange
