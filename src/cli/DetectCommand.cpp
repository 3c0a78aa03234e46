#include "cli/DetectCommand.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include "cli/CharsetCommand.h"
#include "cli/FileIo.h"
#include "cli/LineBlocks.h"

namespace velmora::cli {
namespace {

std::string Percent(double share) {
  return std::to_string(std::lround(100.0 * share)) + "%";
}

std::string NameOf(Representation representation) {
  return std::string(Describe(representation).name);
}

// The input's first bytes, as many as detection may read and one more (which
// tells whether the input goes on).
bool ReadStart(int fd, std::string& start, std::string& error) {
  bool endOfInput = false;
  while (start.size() <= kDetectionSampleBytes && !endOfInput) {
    if (!AppendRead(fd, kDetectionSampleBytes + 1 - start.size(), start, endOfInput, error)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string DescribeGuess(const RepresentationGuess& guess, SourceLayout layout) {
  std::string line;
  switch (guess.verdict) {
    case ReadingVerdict::Chosen:
      line = NameOf(guess.representation) + ", confidence " + Percent(guess.confidence);
      break;
    case ReadingVerdict::NotVietnamese:
      line = guess.unicodeText ? "unicode, not Vietnamese" : "not Vietnamese";
      break;
    case ReadingVerdict::TooClose:
      line = "too close to tell: " + NameOf(guess.representation) + " or " + NameOf(guess.rival);
      break;
  }
  if (layout != SourceLayout::None) {
    line += "; a record copied from " + std::string(SourceLayoutName(layout));
  }
  return line;
}

ByteRun PrepareDetect(std::span<const std::string_view>, CharsetFlags, std::string&) {
  return [](int fd, std::string_view name, std::ostream& output, std::string& error) {
    std::string start;
    if (!ReadStart(fd, start, error)) return false;
    if (start.empty()) {
      output << name << ": empty\n";
      return true;
    }
    const RepresentationGuess guess = DetectRepresentation(DetectionSample(start));
    output << name << ": " << DescribeGuess(guess, RecognizeSourceLayout(guess.reading)) << '\n';
    return true;
  };
}

ByteRun PrepareCharsetAuto(std::span<const std::string_view> operands, CharsetFlags flags,
                           std::string& error) {
  const std::optional<Representation> to =
      operands.empty() ? std::nullopt : FindRepresentation(operands[0]);
  if (!to) {
    error = operands.empty() ? std::string("charset auto needs TO")
                             : "unknown representation '" + std::string(operands[0]) + "'";
    error += "; use " + RepresentationChoices() + " (charset --list shows the aliases)";
    return {};
  }
  const EncodeOptions options{flags.leaveOut};
  return [to = *to, options](int fd, std::string_view name, std::ostream& output,
                             std::string& message) {
    LineBlockReader reader(fd);
    std::string_view start;
    if (!reader.Peek(start, message, kDetectionSampleBytes + 1)) return false;
    const RepresentationGuess guess = DetectRepresentation(DetectionSample(start));
    // Decomposed Unicode is read as all Unicode text is.
    Representation from = guess.representation == Representation::UnicodeDecomposed
                              ? Representation::Unicode
                              : guess.representation;
    std::string note = "read as " + NameOf(guess.representation) + " (confidence " +
                       Percent(guess.confidence) + ")";
    if (guess.verdict == ReadingVerdict::TooClose) {
      message = "too close to tell: " + NameOf(guess.representation) + " or " +
                NameOf(guess.rival) + " read about as well; name one: velmora-convert charset " +
                NameOf(guess.representation) + " " + NameOf(to);
      return false;
    }
    if (guess.verdict == ReadingVerdict::NotVietnamese) {
      if (!guess.unicodeText) {
        message = "does not read as Vietnamese in any representation; name it: "
                  "velmora-convert charset FROM " + NameOf(to);
        return false;
      }
      from = Representation::Unicode;
      note = "not Vietnamese; read as unicode";
    }
    std::fprintf(stderr, "velmora-convert: %.*s: %s\n", static_cast<int>(name.size()), name.data(),
                 note.c_str());
    return StreamCharset(reader, output, from, to, options, message);
  };
}

std::string LegacyTextHint(std::string_view bytes, std::string_view inputPath) {
  const RepresentationGuess guess = DetectRepresentation(DetectionSample(bytes));
  if (guess.verdict != ReadingVerdict::Chosen ||
      Describe(guess.representation).bytes != FileBytes::EightBit) {
    return {};
  }
  const std::string name = NameOf(guess.representation);
  const std::string file =
      inputPath.empty() || inputPath == "-" ? std::string() : " " + std::string(inputPath);
  return "; it reads as " + name + " text: convert it first with 'velmora-convert charset " + name +
         " unicode" + file + "'";
}

}  // namespace velmora::cli
