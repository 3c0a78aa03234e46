// Which representation a file's bytes are in, told by how well each reading
// of them reads as Vietnamese (ModMain/ReadingChoice.h): UTF-8 (precomposed
// or decomposed letters), VNI, TCVN3, Windows-1258, VISCII, TCVN 5712 VN1
// and VIQR. A large input is judged by a sample of it.
//
//   «Vi\xEA\xCA\x74 Nam» (TCVN3's «Việt Nam»)   tcvn3
//   «The quick brown fox»                       not Vietnamese
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Encodings/Representation.h"
#include "ModMain/ReadingChoice.h"
#include "ModMain/Text.h"

namespace velmora {

struct RepresentationGuess {
  // Chosen, or NotVietnamese (`representation` then is Unicode for Unicode
  // text beyond ASCII, which stays what it is), or TooClose.
  ReadingVerdict verdict = ReadingVerdict::NotVietnamese;
  // Chosen: the representation; TooClose: the one that reads a little better.
  Representation representation = Representation::Unicode;
  Representation rival = Representation::Unicode;  // TooClose: the other one
  double confidence = 0.0;  // 0 to 1
  VietnameseScore score;    // of the sample's best reading
  bool unicodeText = false;  // the sample is well-formed UTF-8 (or UTF-16 with its mark)
  // The sample as the best reading gives it (Unicode if nothing reads as
  // Vietnamese and the sample is Unicode text), for the record's layout.
  Text reading;
};

// The representations tried, in order of preference: a later one is named
// only when it reads clearly better than an earlier one, or gives another
// text. unicode-decomposed is named for Unicode text whose letters are
// mostly written with combining marks.
std::span<const Representation> DetectedRepresentations();

// At most this many bytes are read, in a few pieces spread over the input,
// each cut at a line break or space; a smaller input is read whole.
inline constexpr std::size_t kDetectionSampleBytes = 48 * 1024;

struct SamplePiece {
  std::size_t offset, length;
  bool cut = true;  // cut at line breaks or spaces where inside the input
};
// The pieces of an input of `size` bytes that detection reads; `start`, the
// input's first bytes, tells UTF-16 text (its byte order mark), of which one
// piece from the start is read, uncut.
std::vector<SamplePiece> SamplePieces(std::size_t size, std::string_view start);

// Appends to `sample` the bytes of one piece (read at `piece.offset` of an
// input of `size` bytes), cut after its first and before its last line
// break or space where it does not reach the input's start or end, so that
// no character is split; pieces are joined by a line break.
void AppendSamplePiece(std::string_view bytes, SamplePiece piece, std::size_t size,
                       std::string& sample);

// The sample of an input held in memory: the input itself when small.
std::string SampleOf(std::string_view input);

// Guesses the representation of the input that `sample` was taken from.
RepresentationGuess DetectRepresentation(std::string_view sample);

}  // namespace velmora
