// Detection measured on real prose: pieces of it written in every
// representation as other programs write them, each detected, and the
// guesses tallied by representation and piece length as right, refused or
// wrong. A guess is right when it names the representation the piece was
// written in, or one that reads its bytes as the same text (TCVN3 and TCVN
// 5712 VN1 share their lowercase letters), or writes the same bytes (Unicode
// text without a letter to decompose is both precomposed and decomposed).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Encodings/Detection/DetectRepresentation.h"
#include "Encodings/Representation.h"
#include "ModMain/Text/Text.h"

namespace velmora::test {

// The representations prose is written in: both Unicode forms and the six
// legacy ones.
std::span<const encodings::Representation> WrittenRepresentations();

// `text` converted by the system's iconv to `encoding`; nullopt when iconv
// has no such encoding or cannot write a character.
std::optional<std::string> IconvFromUtf8(const char* encoding, TextView text);

// `text` as a file in `representation` holds it: Windows-1258, VISCII and
// TCVN 5712 VN1 written by iconv, the others by our encoders (iconv has none
// for them). nullopt when the representation cannot hold the text.
std::optional<std::string> Written(encodings::Representation representation, TextView text);

enum class Outcome { Right, Refused, Wrong };

// How `guess` of the bytes `written` in `truth` turned out.
Outcome Judge(encodings::Representation truth, const std::string& written,
              const detection::RepresentationGuess& guess);

// Prose: at least half the words (between spaces, slashes, hyphens; with a
// letter) carry a letter beyond ASCII, as Vietnamese sentences do and file
// names, commands and English terms do not.
bool IsVietnameseProse(TextView text);

struct Tally {
  std::size_t right = 0, refused = 0, wrong = 0;
  void Add(Outcome outcome);
  std::size_t Total() const { return right + refused + wrong; }
  double RightShare() const;
};

// Pieces of at least `length` characters, at most `most` of them (0: all).
struct LengthBand {
  std::size_t length, most;
};

struct Evaluation {
  std::vector<LengthBand> bands;
  std::vector<std::vector<Tally>> tallies;  // by WrittenRepresentations(), then band
  struct Miss {
    std::size_t length;  // the band's
    std::string what;    // the representations, the confidence and the piece
  };
  std::vector<Miss> wrongs;
};

// Every piece of Vietnamese prose in the bands, in every representation.
Evaluation EvaluateDetection(const std::vector<Text>& paragraphs,
                             std::span<const LengthBand> bands);

// The table: for each representation and band, the share right and the
// counts right/refused/wrong.
void PrintEvaluation(const char* title, const Evaluation& evaluation);

// A test failure for every wrong guess in the bands from `fromLength` up, and
// for every representation and such band with less than `leastRight` right.
void ExpectRightAndNeverWrong(const Evaluation& evaluation, std::size_t fromLength,
                              double leastRight);

}  // namespace velmora::test
