// Detection on arbitrary bytes: a file's start, a piece, or a record's fields
// (the bytes cut at ISO 2709's field terminator), chosen by the first byte.
//  - the detection sample is a prefix of the input, at most
//    kDetectionSampleBytes long when the input is longer, the input itself
//    when it is not;
//  - the confidence is a number from 0 to 1, and a chosen legacy
//    representation has at least kLeastConfidence;
//  - a chosen 8-bit representation's reading is the bytes as it reads them;
//  - the pieces read differently are named once each, in order, each with a
//    choice of its own.
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "Encodings/Codecs.h"
#include "Encodings/Detection/DetectRepresentation.h"
#include "Encodings/Detection/SharedRepresentation.h"
#include "FuzzSupport.h"

using namespace velmora;

namespace {

void CheckGuess(const detection::RepresentationGuess& guess, std::string_view bytes) {
  const Text shown = fuzz::BytesAsText(bytes);
  FUZZ_CHECK(guess.confidence >= 0.0 && guess.confidence <= 1.0, {"bytes", shown});
  if (guess.verdict != detection::ReadingVerdict::Chosen) return;
  const encodings::RepresentationInfo& info = encodings::Describe(guess.representation);
  if (info.bytes != encodings::FileBytes::EightBit) return;
  FUZZ_CHECK(guess.confidence >= detection::kLeastConfidence, {"bytes", shown});
  const std::optional<Text> read = encodings::DecodeRepresentation(guess.representation, bytes);
  FUZZ_CHECK(read && *read == guess.reading, {"reading", guess.reading}, {"bytes", shown});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const std::uint8_t mode = input.Byte() % 3;
  const std::span<const std::uint8_t> rest = input.RestAsBytes();
  const std::string bytes(rest.begin(), rest.end());
  if (mode == 0) {
    const std::string_view sample = detection::DetectionSample(bytes);
    FUZZ_CHECK(std::string_view(bytes).starts_with(sample), {"bytes", fuzz::BytesAsText(bytes)});
    FUZZ_CHECK(bytes.size() > detection::kDetectionSampleBytes
                   ? sample.size() <= detection::kDetectionSampleBytes
                   : sample.size() == bytes.size(),
               {"bytes", fuzz::BytesAsText(bytes)});
    const detection::RepresentationGuess guess = detection::DetectRepresentation(sample);
    FUZZ_CHECK(guess.confidence >= 0.0 && guess.confidence <= 1.0,
               {"bytes", fuzz::BytesAsText(bytes)});
    return 0;
  }
  if (mode == 1) {
    CheckGuess(detection::DetectPieceRepresentation(bytes), bytes);
    return 0;
  }
  std::vector<std::string_view> pieces;
  for (std::size_t start = 0; start <= bytes.size();) {
    const std::size_t end = std::min(bytes.find('\x1E', start), bytes.size());
    pieces.push_back(std::string_view(bytes).substr(start, end - start));
    start = end + 1;
  }
  const detection::SharedGuess guess = detection::DetectSharedRepresentation(pieces);
  FUZZ_CHECK(guess.shared.confidence >= 0.0 && guess.shared.confidence <= 1.0,
             {"bytes", fuzz::BytesAsText(bytes)});
  for (std::size_t i = 0; i < guess.readDifferently.size(); ++i) {
    const detection::SharedGuess::Piece& piece = guess.readDifferently[i];
    FUZZ_CHECK(
        piece.index < pieces.size() && (i == 0 || piece.index > guess.readDifferently[i - 1].index),
        {"bytes", fuzz::BytesAsText(bytes)});
    FUZZ_CHECK(piece.guess.verdict == detection::ReadingVerdict::Chosen,
               {"piece", fuzz::BytesAsText(pieces[piece.index])});
    CheckGuess(piece.guess, pieces[piece.index]);
  }
  return 0;
}
