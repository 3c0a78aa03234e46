// Reading a stream in blocks that end at a line break, so that a conversion
// that works line by line holds one block at a time whatever the input size.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "Encodings/TextInput.h"

namespace velmora::cli {

class LineBlockReader {
 public:
  static constexpr std::size_t kBlockBytes = 1 << 20;

  // Reads from `fd` (not closed here).
  explicit LineBlockReader(int fd) : fd_(fd) {}

  // How line breaks are found: bytes (UTF-8 and the 8-bit code pages) or
  // UTF-16 units. Set before the first Next when the input is UTF-16.
  void SetForm(encodings::TextForm form) { form_ = form; }

  // The first bytes of the input, at least `least` unless it is shorter,
  // read but not consumed (for sniffing).
  bool Peek(std::string_view& start, std::string& error, std::size_t least = 4);

  // The next block: whole lines (the last one may end the input without a
  // line break). A line longer than the block size is cut after a space, or
  // not at all. False at the end of the input or on a read error (then
  // `error` holds the system's reason).
  bool Next(std::string_view& block, std::string& error);

 private:
  bool Fill(std::string& error);
  std::size_t CutPoint();

  int fd_;
  encodings::TextForm form_ = encodings::TextForm::Utf8;
  std::string buffer_;
  std::size_t consumed_ = 0;       // bytes of buffer_ handed out already
  std::size_t searched_ = 0;       // unread bytes known to hold no line break
  std::size_t spaceSearched_ = 0;  // and no space
  bool endOfInput_ = false;
};

}  // namespace velmora::cli
