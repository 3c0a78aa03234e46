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

std::string NameOf(encodings::Representation representation) {
  return std::string(encodings::Describe(representation).name);
}

// The input's first bytes, as many as detection may read and one more (which
// tells whether the input goes on).
bool ReadStart(int fd, std::string& start, std::string& error) {
  bool endOfInput = false;
  while (start.size() <= detection::kDetectionSampleBytes && !endOfInput) {
    if (!AppendRead(fd, detection::kDetectionSampleBytes + 1 - start.size(), start, endOfInput,
                    error)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string DescribeGuess(const detection::RepresentationGuess& guess,
                          records::SourceLayout layout) {
  std::string line;
  switch (guess.verdict) {
    case detection::ReadingVerdict::Chosen:
      line = NameOf(guess.representation) + ", confidence " + Percent(guess.confidence);
      break;
    case detection::ReadingVerdict::NotVietnamese:
      line = guess.unicodeText ? "unicode, not Vietnamese" : "not Vietnamese";
      break;
    case detection::ReadingVerdict::TooClose:
      line = "too close to tell: " + NameOf(guess.representation) + " or " + NameOf(guess.rival);
      break;
  }
  if (layout != records::SourceLayout::None) {
    line += "; a record copied from " + std::string(records::SourceLayoutName(layout));
  }
  return line;
}

ByteRun PrepareDetect(const CommandWords&, std::string&) {
  return [](int fd, std::string_view name, std::ostream& output, std::string& error) {
    std::string start;
    if (!ReadStart(fd, start, error)) return false;
    if (start.empty()) {
      output << name << ": empty\n";
      return true;
    }
    std::size_t byteOrderMark = 0;
    if (encodings::SniffTextForm(start, byteOrderMark) == encodings::TextForm::Utf8) {
      // Read as UTF-8 it would be text with a NUL after each letter.
      if (const encodings::TextForm unmarked = encodings::SniffUnmarkedUtf16(start);
          unmarked != encodings::TextForm::Utf8) {
        output << name << ": " << encodings::DescribeUnmarkedUtf16(unmarked) << '\n';
        return true;
      }
    }
    const detection::RepresentationGuess guess =
        detection::DetectRepresentation(detection::DetectionSample(start));
    output << name << ": " << DescribeGuess(guess, records::RecognizeSourceLayout(guess.reading))
           << '\n';
    return true;
  };
}

ByteRun PrepareCharsetAuto(std::span<const std::string_view> operands, bool leaveOut,
                           std::string& error) {
  const std::optional<encodings::Representation> to =
      operands.empty() ? std::nullopt : encodings::FindRepresentation(operands[0]);
  if (!to) {
    error = operands.empty() ? std::string("charset auto needs TO")
                             : "unknown representation '" + std::string(operands[0]) + "'";
    error += "; use " + encodings::RepresentationChoices() + " (charset --list shows the aliases)";
    return {};
  }
  const encodings::EncodeOptions options{leaveOut};
  return [to = *to, options](int fd, std::string_view name, std::ostream& output,
                             std::string& message) {
    LineBlockReader reader(fd);
    std::string_view start;
    if (!reader.Peek(start, message, detection::kDetectionSampleBytes + 1)) return false;
    std::size_t byteOrderMark = 0;
    if (encodings::SniffTextForm(start, byteOrderMark) == encodings::TextForm::Utf8) {
      if (const encodings::TextForm unmarked = encodings::SniffUnmarkedUtf16(start);
          unmarked != encodings::TextForm::Utf8) {
        message = encodings::DescribeUnmarkedUtf16(unmarked);
        return false;
      }
    }
    const detection::RepresentationGuess guess =
        detection::DetectRepresentation(detection::DetectionSample(start));
    // Decomposed Unicode is read as all Unicode text is.
    encodings::Representation from =
        guess.representation == encodings::Representation::UnicodeDecomposed
            ? encodings::Representation::Unicode
            : guess.representation;
    std::string note = "read as " + NameOf(guess.representation) + " (confidence " +
                       Percent(guess.confidence) + ")";
    if (guess.verdict == detection::ReadingVerdict::TooClose) {
      message = "too close to tell: " + NameOf(guess.representation) + " or " +
                NameOf(guess.rival) + " read about as well; name one: velmora-convert charset " +
                NameOf(guess.representation) + " " + NameOf(to);
      return false;
    }
    if (guess.verdict == detection::ReadingVerdict::NotVietnamese) {
      if (!guess.unicodeText) {
        message =
            "does not read as Vietnamese in any representation; name it: "
            "velmora-convert charset FROM " +
            NameOf(to);
        return false;
      }
      from = encodings::Representation::Unicode;
      note = "not Vietnamese; read as unicode";
    }
    std::fprintf(stderr, "velmora-convert: %.*s: %s\n", static_cast<int>(name.size()), name.data(),
                 note.c_str());
    return StreamCharset(reader, output, from, to, options, message);
  };
}

std::string LegacyTextHint(std::string_view bytes, std::string_view inputPath) {
  const detection::RepresentationGuess guess =
      detection::DetectRepresentation(detection::DetectionSample(bytes));
  if (guess.verdict != detection::ReadingVerdict::Chosen ||
      encodings::Describe(guess.representation).bytes != encodings::FileBytes::EightBit) {
    return {};
  }
  const std::string name = NameOf(guess.representation);
  const std::string file =
      inputPath.empty() || inputPath == "-" ? std::string() : " " + std::string(inputPath);
  return "; it reads as " + name + " text: convert it first with 'velmora-convert charset " + name +
         " unicode" + file + "'";
}

}  // namespace velmora::cli
