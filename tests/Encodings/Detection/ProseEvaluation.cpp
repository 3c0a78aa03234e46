#include "Encodings/Detection/ProseEvaluation.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>

#include "Encodings/Codecs.h"
#include "Encodings/Utf8.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "support/ProseCorpus.h"
#include "support/TextPrinting.h"

namespace velmora::test {
namespace {

using encodings::Representation;

constexpr Representation kWritten[] = {
    Representation::Unicode,  Representation::UnicodeDecomposed,
    Representation::Vni,      Representation::Tcvn3,
    Representation::Cp1258,   Representation::Viscii,
    Representation::Tcvn5712, Representation::Viqr,
};

Text Joined(TextView text) {
  return letters::ConvertCharset(text, letters::CharsetUnicode, letters::CharsetUnicode);
}

bool IsUnicode(Representation representation) {
  return representation == Representation::Unicode ||
         representation == Representation::UnicodeDecomposed;
}

std::string NameOf(Representation representation) {
  return std::string(encodings::Describe(representation).name);
}

}  // namespace

std::span<const Representation> WrittenRepresentations() {
  return kWritten;
}

std::optional<std::string> IconvFromUtf8(const char* encoding, TextView text) {
  const iconv_t converter = iconv_open(encoding, "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in = encodings::EncodeUtf8(text), out(in.size() * 4 + 16, '\0');
  char* inAt = in.data();
  char* outAt = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  const std::size_t result = iconv(converter, &inAt, &inLeft, &outAt, &outLeft);
  iconv_close(converter);
  if (result == static_cast<std::size_t>(-1)) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

std::optional<std::string> Written(Representation representation, TextView text) {
  switch (representation) {
    case Representation::Cp1258:
      return IconvFromUtf8("CP1258", text);
    case Representation::Viscii:
      return IconvFromUtf8("VISCII", text);
    case Representation::Tcvn5712:
      return IconvFromUtf8("TCVN5712-1", text);
    default:
      break;
  }
  std::string bytes;
  encodings::EncodeReport report;
  if (!EncodeRepresentation(representation, text, encodings::EncodeOptions{}, bytes, report)) {
    return std::nullopt;
  }
  return bytes;
}

Outcome Judge(Representation truth, const std::string& written,
              const detection::RepresentationGuess& guess) {
  if (guess.verdict != detection::ReadingVerdict::Chosen) return Outcome::Refused;
  if (guess.representation == truth) return Outcome::Right;
  if (IsUnicode(truth) && IsUnicode(guess.representation)) {
    // A piece without a letter to decompose («Debian đang») is written the
    // same both ways: either name is right.
    const std::optional<Text> read = encodings::DecodeUnicode(written);
    return read && Written(guess.representation, *read) == written ? Outcome::Right
                                                                   : Outcome::Wrong;
  }
  if (IsUnicode(truth) || IsUnicode(guess.representation)) return Outcome::Wrong;
  const std::optional<Text> meant = encodings::DecodeRepresentation(truth, written);
  const std::optional<Text> read = encodings::DecodeRepresentation(guess.representation, written);
  return meant && read && Joined(*meant) == Joined(*read) ? Outcome::Right : Outcome::Wrong;
}

bool IsVietnameseProse(TextView text) {
  // Latin letters beyond ASCII and combining marks: not the quotes, dashes
  // and bullets that stand in prose of any language.
  const auto isMarkedLetter = [](char16_t c) {
    return (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) || (c >= 0x300 && c <= 0x36F) ||
           (c >= 0x1E00 && c <= 0x1EFF);
  };
  std::size_t words = 0, marked = 0;
  bool letter = false, beyondAscii = false;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const char16_t c = i == text.size() ? u' ' : text[i];
    if (c == u' ' || c == u'\n' || c == u'/' || c == u'-') {
      if (letter) words += 1, marked += beyondAscii ? 1 : 0;
      letter = beyondAscii = false;
    } else {
      letter = letter || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || isMarkedLetter(c);
      beyondAscii = beyondAscii || isMarkedLetter(c);
    }
  }
  return marked > 0 && 2 * marked >= words;
}

void Tally::Add(Outcome outcome) {
  ++(outcome == Outcome::Right ? right : outcome == Outcome::Refused ? refused : wrong);
}

double Tally::RightShare() const {
  return Total() == 0 ? 1.0 : static_cast<double>(right) / static_cast<double>(Total());
}

Evaluation EvaluateDetection(const std::vector<Text>& paragraphs,
                             std::span<const LengthBand> bands) {
  Evaluation evaluation;
  evaluation.bands.assign(bands.begin(), bands.end());
  evaluation.tallies.assign(std::size(kWritten), std::vector<Tally>(bands.size()));
  for (std::size_t b = 0; b < bands.size(); ++b) {
    for (const Text& piece : ProsePieces(paragraphs, bands[b].length, bands[b].most)) {
      if (!IsVietnameseProse(piece)) continue;
      for (std::size_t r = 0; r < std::size(kWritten); ++r) {
        const std::optional<std::string> bytes = Written(kWritten[r], piece);
        if (!bytes) continue;
        const detection::RepresentationGuess guess = detection::DetectRepresentation(*bytes);
        const Outcome outcome = Judge(kWritten[r], *bytes, guess);
        evaluation.tallies[r][b].Add(outcome);
        if (outcome == Outcome::Wrong) {
          evaluation.wrongs.push_back({bands[b].length, NameOf(kWritten[r]) + " read as " +
                                                            NameOf(guess.representation) + " at " +
                                                            std::to_string(guess.confidence) +
                                                            ": " + Readable(piece)});
        }
      }
    }
  }
  return evaluation;
}

void PrintEvaluation(const char* title, const Evaluation& evaluation) {
  std::printf("%s\n%-20s", title, "right% right/refused/wrong");
  for (const LengthBand& band : evaluation.bands) std::printf(" %24zu", band.length);
  std::printf("\n");
  for (std::size_t r = 0; r < std::size(kWritten); ++r) {
    std::printf("%-20s", NameOf(kWritten[r]).c_str());
    for (const Tally& t : evaluation.tallies[r]) {
      std::printf(" %7.2f%% %4zu/%4zu/%3zu", 100.0 * t.RightShare(), t.right, t.refused, t.wrong);
    }
    std::printf("\n");
  }
}

void ExpectRightAndNeverWrong(const Evaluation& evaluation, std::size_t fromLength,
                              double leastRight) {
  for (const Evaluation::Miss& wrong : evaluation.wrongs) {
    if (wrong.length >= fromLength) ADD_FAILURE() << wrong.what;
  }
  for (std::size_t r = 0; r < std::size(kWritten); ++r) {
    for (std::size_t b = 0; b < evaluation.bands.size(); ++b) {
      if (evaluation.bands[b].length < fromLength) continue;
      const Tally& tally = evaluation.tallies[r][b];
      EXPECT_GT(tally.Total(), 0u) << NameOf(kWritten[r]) << " at " << evaluation.bands[b].length;
      EXPECT_GE(tally.RightShare(), leastRight)
          << NameOf(kWritten[r]) << " at " << evaluation.bands[b].length;
    }
  }
}

}  // namespace velmora::test
