// The code pages of legacy Vietnamese files as glibc's iconv defines them:
// what each byte reads as, and which base and tone mark iconv joins into one
// character. The data is generated (CodePageTables.cpp, by
// tools/make-code-page-tables.py) and checked against iconv in a test.
#pragma once

#include <array>
#include <cstdint>

namespace velmora::codepage {

// A byte the code page leaves open.
inline constexpr char16_t kUnassigned = 0xFFFF;

// Byte -> character, for the 256 bytes.
using ByteTable = std::array<char16_t, 256>;

// A base character followed by a combining tone mark, read as one character.
struct Composition {
  char16_t base;
  char16_t mark;
  char16_t joined;
};

extern const ByteTable kWindows1252Bytes;
extern const ByteTable kWindows1258Bytes;
extern const ByteTable kVisciiBytes;
extern const ByteTable kTcvn5712Bytes;

extern const std::array<Composition, 198> kWindows1258Compositions;
extern const std::array<Composition, 184> kTcvn5712Compositions;

}  // namespace velmora::codepage
