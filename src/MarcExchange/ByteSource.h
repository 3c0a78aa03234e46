// Where the MARC readers take their bytes from, a piece at a time, so that a
// file of any size streams through a bounded window.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

namespace velmora::marc_exchange {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to `capacity` bytes into `to`; 0 only at the end of the input
  // or when reading failed, which Failed tells apart.
  virtual std::size_t Read(char* to, std::size_t capacity) = 0;
  virtual bool Failed() const { return false; }
};

class StreamByteSource final : public ByteSource {
 public:
  explicit StreamByteSource(std::istream& in) : in_(in) {}
  std::size_t Read(char* to, std::size_t capacity) override;
  bool Failed() const override { return in_.bad(); }

 private:
  std::istream& in_;
};

// Bytes held in memory; `pieceBytes` limits each read (tests cut the input
// at every place a file read could).
class StringByteSource final : public ByteSource {
 public:
  explicit StringByteSource(std::string_view bytes, std::size_t pieceBytes = SIZE_MAX)
      : bytes_(bytes), pieceBytes_(pieceBytes == 0 ? 1 : pieceBytes) {}
  std::size_t Read(char* to, std::size_t capacity) override;

 private:
  std::string_view bytes_;
  std::size_t pieceBytes_;
  std::size_t at_ = 0;
};

// The unread bytes of an input from its current place: a reader asks for as
// many as it needs to look at, and gives back what it has taken. At most
// the bytes asked for and one read more are held.
class ByteWindow {
 public:
  explicit ByteWindow(ByteSource& source) : source_(source) {}

  // Makes at least `count` bytes available from the current place, fewer
  // only at the end of the input; returns how many are.
  std::size_t Ensure(std::size_t count);
  // What is available now.
  std::string_view View() const { return std::string_view(buffer_).substr(position_); }
  // Takes `count` available bytes.
  void Consume(std::size_t count) {
    position_ += count;
    offset_ += count;
  }
  std::uint64_t Offset() const { return offset_; }
  // No byte is left (after Ensure has seen the end).
  bool AtEnd() { return Ensure(1) == 0; }
  bool ReadFailed() const { return source_.Failed(); }

 private:
  static constexpr std::size_t kReadPieceBytes = 64 * 1024;
  ByteSource& source_;
  std::unique_ptr<char[]> piece_;
  std::string buffer_;
  std::size_t position_ = 0;
  std::uint64_t offset_ = 0;  // of buffer_[position_] in the input
  bool ended_ = false;
};

}  // namespace velmora::marc_exchange
