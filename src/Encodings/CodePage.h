// One 8-bit code page: bytes to characters through a 256-entry table,
// characters back to bytes through a direct table, and, for the code pages
// that write a letter as a base and a combining tone mark, the joining of the
// two into one character as iconv does it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Encodings/CodePageTables.h"
#include "ModMain/Text/Text.h"

namespace velmora::encodings {

// The bytes one character is written as: one, or a base and a tone mark.
struct CodePageBytes {
  std::uint8_t length = 0;  // 0: the code page cannot write the character
  std::uint8_t first = 0, second = 0;
};

class CodePage {
 public:
  CodePage(const codepage::ByteTable& bytes, std::span<const codepage::Composition> compositions);

  // Appends the characters of `bytes`. A byte the code page leaves open reads
  // as the control character of equal value, as Windows reads it, so that
  // every file reads and writes back byte for byte. A base followed by a tone
  // mark that the code page joins becomes one character (only a base read
  // from one byte: the joined letter takes no second mark).
  void Decode(std::string_view bytes, Text& out) const;

  // The character's own byte, else its base's byte and the tone mark's byte.
  CodePageBytes Encode(char16_t character) const {
    return character < encode_.size() ? encode_[character] : CodePageBytes{};
  }

  char16_t Character(std::uint8_t byte) const { return decode_[byte]; }

 private:
  std::array<char16_t, 256> decode_{};
  std::vector<CodePageBytes> encode_;  // by character
  // joined_[m][base]: the character a base and tone mark m make, 0 for none.
  std::vector<char16_t> joined_[5];
  std::array<std::int8_t, 0x0324> markIndex_{};  // tone mark -> m + 1, 0 for none
  bool joins_ = false;
};

// The bytes of VNI Windows and TCVN3 files that no letter uses (80-9F are
// punctuation there, as in Windows-1252).
const CodePage& Windows1252();
const CodePage& Windows1258();
const CodePage& Viscii();
const CodePage& Tcvn5712();

}  // namespace velmora::encodings
