// The 8-bit files of velmora-convert charset: one character per byte.
//
// VNI Windows and TCVN3 files are read and written byte for byte as the code
// unit of equal value, the way the letter tables hold them. Windows-1258
// files go through Windows-1250: the letter tables hold a Windows-1258 byte as
// the character Windows-1250 assigns to it, so reading a file that way gives
// exactly the units the tables look for.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ModMain/Text.h"

namespace velmora {

enum class ByteForm {
  Utf8,
  CodeUnits,    // byte b is the code unit b (VNI, TCVN3)
  Windows1250,  // byte b is the character Windows-1250 assigns to b (CP1258)
};

// Decodes an 8-bit text (CodeUnits or Windows1250). Never fails: the five
// bytes Windows-1250 leaves unassigned (81 83 88 90 98) become the control
// character of equal value, as Windows reads them, so every file reads and
// writes back byte for byte.
Text DecodeEightBit(std::string_view bytes, ByteForm form);

// Encodes `text` (CodeUnits or Windows1250). Returns false, with `unwritable`
// the index of the first unit that has no byte, when the encoding cannot
// hold the text; `bytes` is then unspecified.
bool EncodeEightBit(TextView text, ByteForm form, std::string& bytes, std::size_t& unwritable);

}  // namespace velmora
