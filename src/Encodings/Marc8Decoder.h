// Reading the MARC-8 bytes of one field into Unicode text.
//
//   «Vi\xE3\xF2et Nam»   Vie U+0302 U+0323 «t Nam» (the marks moved after their base)
//   «\x1B(NmOSKWA\x1B(B» «Москва» in basic Cyrillic, «\x1B$1\x21\x30\x64\x1B(B» «人»
//
// Every character set of MARC-8 is read (Marc8CharacterSets.h), starting
// with basic Latin in G0 and ANSEL in G1. A combining mark, which MARC-8
// writes before its base, comes after it, the marks in the order they were
// written; a double diacritic written as two halves («\xEBt\xECs») is one
// mark after the first letter (t U+0361 s). Controls below 20 pass through.
// What cannot be read is reported with its byte offset and decoding goes on:
// an unknown byte or code reads as U+FFFD, an unknown escape sequence is
// skipped. Linear, and the text has at most one unit per byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "ModMain/Text/Text.h"

namespace velmora::encodings {

enum class Marc8Problem : std::uint8_t {
  InvalidByte,          // a byte no MARC-8 set uses there (7F, 80-9F but the four controls, A0, FF)
  UnassignedCode,       // the set in use has no character with this code
  UnknownEscape,        // an escape sequence that designates no MARC-8 set, or is cut off
  IncompleteCharacter,  // an East Asian character cut short
  MarkWithoutBase,      // combining marks at the end, with no base letter after them
};

struct Marc8ProblemAt {
  Marc8Problem problem;
  std::size_t byteOffset;
};

struct Marc8Text {
  Text text;
  // The first kListedProblems problems in the order they were found (marks
  // with no base, found at the end, last), and how many there were.
  static constexpr std::size_t kListedProblems = 16;
  std::vector<Marc8ProblemAt> problems;
  std::size_t problemCount = 0;
};

Marc8Text DecodeMarc8(std::string_view bytes);

}  // namespace velmora::encodings
