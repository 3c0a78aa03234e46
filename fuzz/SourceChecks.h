// The properties that every source conversion keeps, from the copied text
// to the output record; each source harness names its entry points here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ModMain/Text.h"

namespace velmora::fuzz {

struct Source {
  TextView startMarker;            // put in front before the rewrite, or empty
  Text (*rewrite)(Text);           // the fast rewrite
  Text (*literalRewrite)(Text);    // its test-only literal form (999 passes)
  Text (*workingText)(TextView);   // copied text -> working text
  Text (*charset)(TextView);       // applied after the rewrite, or nullptr
  Text (*rebuild)(TextView);       // working text -> output record
  Text (*convert)(TextView);       // the whole conversion
  std::size_t maxGrowth;           // how much longer than its input the rewrite may get
  TextView titleOpening;           // "245=00$a", or "245=##$" for the variant rebuild
};

// The charset step of the LacViet and Verbrary conversions:
// ConvertCharset(text, 1, 1), which joins decomposed tone marks.
Text JoinToneMarks(TextView text);

// One input: the copied text from the fuzzer's bytes, its line breaks made
// CRLF first (as the command line and the window do) for every other input.
//  - the working text stays within maxGrowth times the copied text, the
//    output record within the rebuild's bound of the working text;
//  - the output record has the rebuilds' form, and no line break when the
//    copied text's line breaks were CRLF;
//  - its MarcEdit export has exactly one line per field;
// and for the sampled inputs (IsSampledForDeepCheck) up to kLiteralLimit units:
//  - the fast rewrite equals the literal one;
//  - the working text is the rewrite (then the charset step), and the
//    conversion is the rebuild of the working text.
void CheckSource(const Source& source, const std::uint8_t* data, std::size_t size);

// The literal 999-pass forms make some eight thousand allocations a run
// (ThreeDigitForm, the patterns, each Replace's result), fifty times the
// rest of a run under AddressSanitizer. They run for one input in
// kDeepCheckRate, chosen by a hash of the whole input (so that a finding
// reproduces, and mutations of one seed do not all share the choice), and
// texts up to kLiteralLimit units; every other property runs always.
inline constexpr std::uint32_t kDeepCheckRate = 128;
inline constexpr std::size_t kLiteralLimit = 512;
bool IsSampledForDeepCheck(const std::uint8_t* data, std::size_t size);

}  // namespace velmora::fuzz
