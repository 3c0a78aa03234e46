#include "Encodings/Detection/DetectRepresentation.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Encodings/Codecs.h"
#include "Encodings/TextInput.h"
#include "Encodings/Utf8.h"
#include "ModMain/Letters/VietnameseLetters.h"

namespace velmora::detection {
namespace {

constexpr encodings::Representation kCandidates[] = {
    encodings::Representation::Unicode, encodings::Representation::Tcvn3,
    encodings::Representation::Vni,     encodings::Representation::Cp1258,
    encodings::Representation::Viscii,  encodings::Representation::Tcvn5712,
    encodings::Representation::Viqr,
};

constexpr std::size_t kLeastMarkedOverUnicode = 3;

bool IsCombiningMark(char16_t c) {
  return c >= 0x0300 && c <= 0x036F;
}

bool IsVietnameseLetter(char16_t c) {
  return std::any_of(letters::kVietnameseLetters.begin(), letters::kVietnameseLetters.end(),
                     [c](const letters::VietnameseLetter& letter) { return letter.unicode == c; });
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

std::span<const encodings::Representation> DetectedRepresentations() {
  return kCandidates;
}

std::string_view DetectionSample(std::string_view input) {
  if (input.size() <= kDetectionSampleBytes) return input;
  const std::string_view sample = input.substr(0, kDetectionSampleBytes);
  std::size_t byteOrderMark = 0;
  // UTF-16: DetectRepresentation drops half a unit or a surrogate pair.
  if (encodings::SniffTextForm(input, byteOrderMark) != encodings::TextForm::Utf8) return sample;
  const std::size_t cut = sample.find_last_of("\n ");
  if (cut != std::string_view::npos) return sample.substr(0, cut + 1);
  // No break at all: drop a UTF-8 sequence that goes on past the sample.
  for (std::size_t back = 1; back <= 4; ++back) {
    const auto byte = static_cast<unsigned char>(sample[sample.size() - back]);
    if (byte < 0x80) break;
    if (byte >= 0xC0) {
      const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
      return length > back ? sample.substr(0, sample.size() - back) : sample;
    }
  }
  return sample;
}

namespace {

// What the bytes are: a file's start, which may open with a byte order mark,
// or a piece of a text (a field of a record), which holds none.
enum class SampleKind { FileStart, Piece };

RepresentationGuess Detect(std::string_view sample, SampleKind kind) {
  RepresentationGuess guess;
  std::size_t byteOrderMark = 0;
  const bool utf16 = kind == SampleKind::FileStart &&
                     encodings::SniffTextForm(sample, byteOrderMark) != encodings::TextForm::Utf8;
  std::string evenSample;
  if (utf16) {
    // A piece of UTF-16 text: whole units, and no half of a surrogate pair at the end.
    evenSample = sample.substr(0, sample.size() & ~std::size_t{1});
    const std::size_t size = evenSample.size();
    if (size >= 4) {
      const bool littleEndian =
          encodings::SniffTextForm(sample, byteOrderMark) == encodings::TextForm::Utf16Le;
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
    if (kCandidates[i] == encodings::Representation::Viqr && !ascii) continue;
    // Unicode: letters as written, not joined.
    if (kCandidates[i] != encodings::Representation::Unicode) {
      readings[i] = encodings::DecodeRepresentation(kCandidates[i], sample);
    } else if (kind == SampleKind::FileStart) {
      readings[i] = encodings::DecodeTextInput(sample);
    } else {
      readings[i] = encodings::DecodeUtf8(sample, nullptr);
    }
  }
  guess.unicodeText = readings[0].has_value();
  if (utf16) {
    // UTF-16 with its byte order mark: Unicode text, whatever it says.
    for (std::size_t i = 1; i < readings.size(); ++i) readings[i].reset();
  }
  const ReadingChoice choice = ChooseReading(readings);
  guess.verdict = choice.verdict;
  guess.confidence = choice.confidence;
  guess.margin = choice.margin;
  guess.score = choice.score;
  if (choice.best != kNoReading) guess.representation = kCandidates[choice.best];
  if (choice.runnerUp != kNoReading) guess.rival = kCandidates[choice.runnerUp];
  // Unicode text with characters beyond ASCII stays Unicode unless another
  // reading is clearly Vietnamese, with three syllables with diacritics at
  // least, and the Unicode reading is not: legacy bytes are seldom
  // well-formed UTF-8, and then only in short stretches («Đị» of VISCII is «и»).
  const bool otherReadingWins =
      choice.verdict == ReadingVerdict::Chosen && choice.best != 0 &&
      (!guess.unicodeText || (choice.score.marked >= kLeastMarkedOverUnicode &&
                              !ReadsAsVietnamese(ScoreVietnamese(*readings[0]))));
  if (guess.unicodeText && !ascii && !otherReadingWins) {
    const VietnameseScore score = choice.best == 0 ? choice.score : ScoreVietnamese(*readings[0]);
    guess.representation = encodings::Representation::Unicode;
    guess.score = score;
    // Control characters that another reading reads as letters: Unicode,
    // but no good reading of Vietnamese.
    const bool leavesControls = score.controls > choice.score.controls;
    guess.verdict = ReadsAsVietnamese(score) && !leavesControls ? ReadingVerdict::Chosen
                                                                : ReadingVerdict::NotVietnamese;
    // Legacy bytes that spell several Vietnamese syllables in well-formed
    // UTF-8 are next to unheard of.
    guess.confidence = std::max(choice.best == 0 ? choice.confidence : 0.0,
                                1.0 - std::pow(0.5, static_cast<double>(score.marked)));
  }
  const std::size_t shown =
      guess.unicodeText && guess.representation == encodings::Representation::Unicode ? 0
                                                                                      : choice.best;
  if (shown != kNoReading && readings[shown]) guess.reading = std::move(*readings[shown]);
  if (guess.verdict == ReadingVerdict::Chosen &&
      guess.representation == encodings::Representation::Unicode &&
      MostlyDecomposed(guess.reading)) {
    guess.representation = encodings::Representation::UnicodeDecomposed;
  }
  return guess;
}

}  // namespace

RepresentationGuess DetectRepresentation(std::string_view sample) {
  return Detect(sample, SampleKind::FileStart);
}

RepresentationGuess DetectPieceRepresentation(std::string_view piece) {
  return Detect(piece, SampleKind::Piece);
}

}  // namespace velmora::detection
