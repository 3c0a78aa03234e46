// Which representation a file's bytes are in, told by how well each reading
// of them reads as Vietnamese (ModMain/ReadingChoice.h): UTF-8 (precomposed
// or decomposed letters), VNI, TCVN3, Windows-1258, VISCII, TCVN 5712 VN1
// and VIQR. A large input is judged by its start.
//
//   «Vi\xEA\xCA\x74 Nam» (TCVN3's «Việt Nam»)   tcvn3
//   «The quick brown fox»                       not Vietnamese
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "Encodings/Detection/ReadingChoice.h"
#include "Encodings/Representation.h"
#include "ModMain/Text/Text.h"

namespace velmora::detection {

struct RepresentationGuess {
  // Chosen, or NotVietnamese (`representation` then is Unicode for Unicode
  // text beyond ASCII, which stays what it is), or TooClose.
  ReadingVerdict verdict = ReadingVerdict::NotVietnamese;
  // Chosen: the representation; TooClose: the one that reads a little better.
  encodings::Representation representation = encodings::Representation::Unicode;
  encodings::Representation rival = encodings::Representation::Unicode;  // TooClose: the other one
  double confidence = 0.0;                                               // 0 to 1
  double margin = 0.0;       // how much more the best reading weighs than the rival
  VietnameseScore score;     // of the sample's best reading
  bool unicodeText = false;  // the sample is well-formed UTF-8 (or UTF-16 with its mark)
  // The sample as the best reading gives it (Unicode if nothing reads as
  // Vietnamese and the sample is Unicode text), for the record's layout.
  Text reading;
};

// The representations tried, in order of preference: a later one is named
// only when it reads clearly better than an earlier one, or gives another
// text. unicode-decomposed is named for Unicode text whose letters are
// mostly written with combining marks.
std::span<const encodings::Representation> DetectedRepresentations();

// Detection reads the start of an input, at most this many bytes.
inline constexpr std::size_t kDetectionSampleBytes = 48 * 1024;

// What detection reads of `input` (which may hold only the input's first
// kDetectionSampleBytes + 1 bytes): the input itself when it has at most
// kDetectionSampleBytes bytes; else its first kDetectionSampleBytes, cut after the
// last line break or space among them (or before a UTF-8 sequence they cut)
// so that no character is split.
std::string_view DetectionSample(std::string_view input);

// Guesses the representation of the input whose DetectionSample is `sample`.
// A choice whose confidence would be below kLeastConfidence (ReadingChoice.h)
// is refused as TooClose: short texts are refused more often than long ones,
// and seldom guessed wrong (a piece of a dozen characters is one or two
// words, which can read well two ways).
RepresentationGuess DetectRepresentation(std::string_view sample);

// The same for a piece of a text rather than a file's start (a field of a
// record): it holds no byte order mark, so leading bytes FF FE are read as
// what they are in each representation, not as UTF-16.
RepresentationGuess DetectPieceRepresentation(std::string_view piece);

}  // namespace velmora::detection
