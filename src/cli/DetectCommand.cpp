#include "cli/DetectCommand.h"

#include <cmath>
#include <cstdio>
#include <ostream>

#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "cli/CharsetCommand.h"
#include "cli/FileIo.h"
#include "cli/LineBlocks.h"

namespace velmora::cli {
namespace {

using messages::Format;
using messages::Tr;

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
      line =
          Format(Tr("%1, confidence %2"), NameOf(guess.representation), Percent(guess.confidence));
      break;
    case detection::ReadingVerdict::NotVietnamese:
      line = guess.unicodeText ? Tr("unicode, not Vietnamese") : Tr("not Vietnamese");
      break;
    case detection::ReadingVerdict::TooClose:
      line = Format(Tr("too close to tell: %1 or %2"), NameOf(guess.representation),
                    NameOf(guess.rival));
      break;
  }
  if (layout != records::SourceLayout::None) {
    line = Format(Tr("%1; a record copied from %2"), line, Tr(records::SourceLayoutName(layout)));
  }
  return line;
}

ByteRun PrepareDetect(const CommandWords&, std::string&) {
  return [](int fd, std::string_view name, std::ostream& output, std::string& error) {
    std::string start;
    if (!ReadStart(fd, start, error)) return false;
    if (start.empty()) {
      output << Format(Tr("%1: empty"), name) << '\n';
      return true;
    }
    std::size_t byteOrderMark = 0;
    if (encodings::SniffTextForm(start, byteOrderMark) == encodings::TextForm::Utf8) {
      // Read as UTF-8 it would be text with a NUL after each letter.
      if (const encodings::TextForm unmarked = encodings::SniffUnmarkedUtf16(start);
          unmarked != encodings::TextForm::Utf8) {
        output << Format("%1: %2", name, encodings::DescribeUnmarkedUtf16(unmarked)) << '\n';
        return true;
      }
    }
    const detection::RepresentationGuess guess =
        detection::DetectRepresentation(detection::DetectionSample(start));
    output << Format("%1: %2", name,
                     DescribeGuess(guess, records::RecognizeSourceLayout(guess.reading)))
           << '\n';
    return true;
  };
}

ByteRun PrepareCharsetAuto(std::span<const std::string_view> operands, bool leaveOut,
                           std::string& error) {
  const std::optional<encodings::Representation> to =
      operands.empty() ? std::nullopt : encodings::FindRepresentation(operands[0]);
  if (!to) {
    error = operands.empty()
                ? Format(Tr("charset auto needs TO; use %1 (charset --list shows the aliases)"),
                         encodings::RepresentationChoices())
                : Format(Tr("unknown representation '%1'; use %2 (charset --list shows the "
                            "aliases)"),
                         operands[0], encodings::RepresentationChoices());
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
    std::string note = Format(Tr("read as %1 (confidence %2)"), NameOf(guess.representation),
                              Percent(guess.confidence));
    if (guess.verdict == detection::ReadingVerdict::TooClose) {
      message = Format(Tr("too close to tell: %1 or %2 read about as well; name one: "
                          "velmora-convert charset %1 %3"),
                       NameOf(guess.representation), NameOf(guess.rival), NameOf(to));
      return false;
    }
    if (guess.verdict == detection::ReadingVerdict::NotVietnamese) {
      if (!guess.unicodeText) {
        message = Format(Tr("does not read as Vietnamese in any representation; name it: "
                            "velmora-convert charset FROM %1"),
                         NameOf(to));
        return false;
      }
      from = encodings::Representation::Unicode;
      note = Tr("not Vietnamese; read as unicode");
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
  const std::string command =
      "velmora-convert charset " + name + " unicode" +
      (inputPath.empty() || inputPath == "-" ? std::string() : " " + std::string(inputPath));
  return Format(Tr("; it reads as %1 text: convert it first with '%2'"), name, command);
}

}  // namespace velmora::cli
