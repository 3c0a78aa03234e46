#include "Encodings/DetectRepresentation.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Encodings/Codecs.h"
#include "Encodings/TextInput.h"
#include "ModMain/VietnameseLetters.h"

namespace velmora {
namespace {

constexpr Representation kCandidates[] = {
    Representation::Unicode, Representation::Tcvn3,    Representation::Vni,
    Representation::Cp1258,  Representation::Viscii,   Representation::Tcvn5712,
    Representation::Viqr,
};

constexpr std::size_t kPieceCount = 4;
constexpr std::size_t kLeastMarkedOverUnicode = 3;

bool IsCutPoint(char byte) {
  return byte == '\n' || byte == ' ';
}

bool IsCombiningMark(char16_t c) {
  return c >= 0x0300 && c <= 0x036F;
}

bool IsVietnameseLetter(char16_t c) {
  return std::any_of(kVietnameseLetters.begin(), kVietnameseLetters.end(),
                     [c](const VietnameseLetter& letter) { return letter.unicode == c; });
}

// More letters are written as a base and combining marks («ê» U+0301, or
// «e» U+0302 U+0301) than as precomposed Vietnamese letters.
bool MostlyDecomposed(TextView text) {
  std::size_t decomposed = 0, precomposed = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsCombiningMark(text[i])) {
      if (i == 0 || !IsCombiningMark(text[i - 1])) ++decomposed;
    } else if (text[i] >= 0xC0 && text[i] != u'\u0110' && text[i] != u'\u0111' &&
               IsVietnameseLetter(text[i])) {  // đ and Đ have no decomposed form
      ++precomposed;
    }
  }
  return decomposed > precomposed;
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char b) { return static_cast<unsigned char>(b) < 0x80; });
}

}  // namespace

std::span<const Representation> DetectedRepresentations() {
  return kCandidates;
}

std::vector<SamplePiece> SamplePieces(std::size_t size, std::string_view start) {
  if (size <= kDetectionSampleBytes) return {{0, size}};
  std::size_t byteOrderMark = 0;
  if (SniffTextForm(start, byteOrderMark) != TextForm::Utf8) {
    return {{0, kDetectionSampleBytes, false}};
  }
  const std::size_t length = kDetectionSampleBytes / kPieceCount;
  std::vector<SamplePiece> pieces;
  for (std::size_t i = 0; i < kPieceCount; ++i) {
    // The first piece at the start, the last at the end, the others between.
    pieces.push_back({(size - length) / (kPieceCount - 1) * i, length});
  }
  pieces.back().offset = size - length;
  return pieces;
}

void AppendSamplePiece(std::string_view bytes, SamplePiece piece, std::size_t size,
                       std::string& sample) {
  bytes = bytes.substr(0, piece.length);
  if (!piece.cut) {
    sample.append(bytes);
    return;
  }
  if (piece.offset > 0) {
    const auto first = std::find_if(bytes.begin(), bytes.end(), IsCutPoint);
    bytes.remove_prefix(first == bytes.end() ? bytes.size() : first - bytes.begin() + 1);
  }
  if (piece.offset + piece.length < size) {
    const auto last = std::find_if(bytes.rbegin(), bytes.rend(), IsCutPoint);
    bytes.remove_suffix(last - bytes.rbegin());
  }
  if (!sample.empty()) sample.push_back('\n');
  sample.append(bytes);
}

std::string SampleOf(std::string_view input) {
  std::string sample;
  for (const SamplePiece piece : SamplePieces(input.size(), input.substr(0, 2))) {
    AppendSamplePiece(input.substr(piece.offset, piece.length), piece, input.size(), sample);
  }
  return sample;
}

RepresentationGuess DetectRepresentation(std::string_view sample) {
  RepresentationGuess guess;
  std::size_t byteOrderMark = 0;
  const bool utf16 = SniffTextForm(sample, byteOrderMark) != TextForm::Utf8;
  std::string evenSample;
  if (utf16) {
    // A piece of UTF-16 text: whole units, and no half of a surrogate pair at the end.
    evenSample = sample.substr(0, sample.size() & ~std::size_t{1});
    const std::size_t size = evenSample.size();
    if (size >= 4) {
      const bool littleEndian = SniffTextForm(sample, byteOrderMark) == TextForm::Utf16Le;
      const auto high = static_cast<unsigned char>(evenSample[size - (littleEndian ? 1 : 2)]);
      if (high >= 0xD8 && high <= 0xDB) evenSample.resize(size - 2);
    }
    sample = evenSample;
  }
  std::array<std::optional<Text>, std::size(kCandidates)> readings;
  const bool ascii = IsAscii(sample);
  for (std::size_t i = 0; i < readings.size(); ++i) {
    // VIQR is ASCII: text with other bytes is not VIQR, though it may hold
    // a mark after a vowel («A.»).
    if (kCandidates[i] == Representation::Viqr && !ascii) continue;
    readings[i] = kCandidates[i] == Representation::Unicode
                      ? DecodeTextInput(sample)  // letters as written, not joined
                      : DecodeRepresentation(kCandidates[i], sample);
  }
  guess.unicodeText = readings[0].has_value();
  if (utf16) {
    // UTF-16 with its byte order mark: Unicode text, whatever it says.
    for (std::size_t i = 1; i < readings.size(); ++i) readings[i].reset();
  }
  const ReadingChoice choice = ChooseReading(readings);
  guess.verdict = choice.verdict;
  guess.confidence = choice.confidence;
  guess.score = choice.score;
  if (choice.best != kNoReading) guess.representation = kCandidates[choice.best];
  if (choice.runnerUp != kNoReading) guess.rival = kCandidates[choice.runnerUp];
  // Unicode text with characters beyond ASCII stays Unicode unless another
  // reading is clearly Vietnamese, with three syllables with diacritics at
  // least, and the Unicode reading is not: legacy bytes are seldom
  // well-formed UTF-8, and then only in short stretches («Đị» of VISCII is «и»).
  const bool otherReadingWins =
      choice.verdict == ReadingVerdict::Chosen && choice.best != 0 &&
      (!guess.unicodeText ||
       (choice.score.marked >= kLeastMarkedOverUnicode && !ReadsAsVietnamese(ScoreVietnamese(*readings[0]))));
  if (guess.unicodeText && !ascii && !otherReadingWins) {
    const VietnameseScore score = choice.best == 0 ? choice.score : ScoreVietnamese(*readings[0]);
    guess.representation = Representation::Unicode;
    guess.score = score;
    guess.verdict = ReadsAsVietnamese(score) ? ReadingVerdict::Chosen : ReadingVerdict::NotVietnamese;
    // Legacy bytes that spell several Vietnamese syllables in well-formed
    // UTF-8 are next to unheard of.
    guess.confidence = std::max(choice.best == 0 ? choice.confidence : 0.0,
                                1.0 - std::pow(0.5, static_cast<double>(score.marked)));
  }
  const std::size_t shown = guess.unicodeText && guess.representation == Representation::Unicode
                                ? 0
                                : choice.best;
  if (shown != kNoReading && readings[shown]) guess.reading = std::move(*readings[shown]);
  if (guess.verdict == ReadingVerdict::Chosen && guess.representation == Representation::Unicode &&
      MostlyDecomposed(guess.reading)) {
    guess.representation = Representation::UnicodeDecomposed;
  }
  return guess;
}

}  // namespace velmora
