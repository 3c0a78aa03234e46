// velmora-convert detect and charset auto: which representation an input is
// in, told by how well its start reads as Vietnamese
// (Encodings/DetectRepresentation.h), and the layout of a copied record.
//
//   velmora-convert detect old.txt record.txt     one line per file
//   velmora-convert charset auto unicode old.txt  converts from what it finds
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "Encodings/Detection/DetectRepresentation.h"
#include "ModMain/Records/SourceLayout.h"
#include "cli/Commands.h"

namespace velmora::cli {

// What `detect` says of one input: «tcvn3, confidence 97%; a record copied
// from Libol».
std::string DescribeGuess(const detection::RepresentationGuess& guess,
                          records::SourceLayout layout);

// The command table's `prepare` of detect: a run that writes «NAME: » and
// the guess for each input, or «NAME: empty».
ByteRun PrepareDetect(const CommandWords& words, std::string& error);

// charset auto TO (`operands` holds TO; `leaveOut`, charset's -c): a run that
// converts from the representation found and says on standard error what it
// read the input as; it refuses, writing nothing, an input whose best two
// readings are too close or that reads as Vietnamese in none and is no
// Unicode text.
ByteRun PrepareCharsetAuto(std::span<const std::string_view> operands, bool leaveOut,
                           std::string& error);

// For an input that is not well-formed UTF-8: when it reads as text of an
// 8-bit representation, «; it reads as vni text: convert it first with
// 'velmora-convert charset vni unicode old.txt'»; else empty.
std::string LegacyTextHint(std::string_view bytes, std::string_view inputPath);

}  // namespace velmora::cli
