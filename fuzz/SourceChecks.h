// The properties that every source conversion keeps, from the copied text
// to the output record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ModMain/Records/Sources.h"

namespace velmora::fuzz {

// One input: the copied text from the fuzzer's bytes, its line breaks made
// CRLF first (as the command line and the window do) for every other input.
//  - the working text stays within a bound of the copied text (a rewrite
//    step makes a match at most kMaxRewriteGrowth times longer), the output
//    record within the rebuild's bound of the working text;
//  - the output record has the rebuilds' form, and no line break when the
//    copied text's line breaks were CRLF;
//  - its MarcEdit export has exactly one line per field;
// and for the sampled inputs (IsSampledForDeepCheck) up to kLiteralLimit units:
//  - the one-pass run of the source's steps equals their literal run
//    (reference/LiteralSteps.h);
//  - the working text is the rewrite (then the letters joined where the
//    source joins them), and the conversion is the rebuild of the working text.
void CheckSource(const records::SourceSystem& source, const std::uint8_t* data, std::size_t size);

// «|x» -> «%650=##$a» in the Verbrary rewrite, the longest growth of a step.
inline constexpr std::size_t kMaxRewriteGrowth = 5;

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
