// The character names of MarcEdit's mnemonic files (LC's MARCMaker
// mnemonics): «{dollar}» for "$", «{lcub}» «{rcub}» «{bsol}» for "{", "}",
// "\", the diacritics and special letters «{acute}» «{dstrok}» «{ohorn}»,
// and a byte's hex number «{1B}». The table is generated from Debian's MARC
// Perl modules by tools/make-mrk-mnemonics.pl.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace velmora::marc_exchange {

// A .mrk record starts with its leader line, «=LDR  00000nam\a2200000\\\4500»,
// where "\" stands for a blank (in the leader, the control fields and the
// indicators).
inline constexpr std::string_view kMrkLeaderLine = "=LDR";
inline constexpr char kMrkBlank = '\\';

struct MrkMnemonic {
  std::string_view name;  // without the braces
  unsigned char marc8;    // the MARC-8 byte it stands for
  char32_t unicode;       // the character MARC 21 maps that byte to; 0 for a hex name
                          // or an ASCII byte (the byte itself), and for a double
                          // mark's right half (none)
};

// What a name stands for in a record of each coding (leader/09): MARC-8,
// its byte; UTF-8, its character, or for a hex name or ASCII the byte.
// nullptr for a name not in the table.
const MrkMnemonic* FindMrkMnemonic(std::string_view name);

// The name written for a byte of a MARC-8 record («acute» for E2), or empty
// when the byte is written as it is.
std::string_view MrkByteName(unsigned char byte);

std::span<const MrkMnemonic> AllMrkMnemonics();

// The generated tables (MrkMnemonicTable.cpp), read through the functions above.
extern const MrkMnemonic kMrkMnemonics[];
extern const std::size_t kMrkMnemonicCount;
extern const std::string_view kMrkByteNames[256];

}  // namespace velmora::marc_exchange
