#include "cli/CharsetCommand.h"

#include <cstdio>
#include <ostream>

#include "Encodings/Transcoder.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "ModMain/Text/LineBreaks.h"
#include "cli/DetectCommand.h"
#include "cli/LineBlocks.h"

namespace velmora::cli {
namespace {

using messages::Format;
using messages::Tr;
using messages::TrN;

constexpr std::size_t kOutputBlock = 1 << 20;  // bytes gathered before each write

std::string CodePointName(char32_t character) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(character));
  return name;
}

std::string FailureMessage(const encodings::Transcoder::Failure& failure,
                           encodings::Representation to, bool somethingWritten) {
  if (failure.badInput) return Describe(failure.input);
  const std::string_view name = encodings::Describe(to).name;
  return somethingWritten
             ? Format(Tr("line %1, column %2: %3 cannot be written in %4; the output stops before "
                         "it (-c leaves out what %4 cannot hold)"),
                      failure.line, failure.column, CodePointName(failure.character), name)
             : Format(Tr("line %1, column %2: %3 cannot be written in %4; nothing written (-c "
                         "leaves out what %4 cannot hold)"),
                      failure.line, failure.column, CodePointName(failure.character), name);
}

// Writes converted text with each LF as the platform's line break. Every
// representation written is ASCII-compatible, so each byte 0x0A is one.
void WritePlatformLines(std::ostream& output, std::string_view bytes) {
  for (std::size_t lf = bytes.find('\n'); text::kPlatformLineBreak != "\n" && lf != bytes.npos;
       lf = bytes.find('\n')) {
    output.write(bytes.data(), static_cast<std::streamsize>(lf));
    output.write(text::kPlatformLineBreak.data(),
                 static_cast<std::streamsize>(text::kPlatformLineBreak.size()));
    bytes.remove_prefix(lf + 1);
  }
  output.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

bool StreamCharset(LineBlockReader& reader, std::ostream& output, encodings::Representation from,
                   encodings::Representation to, const encodings::EncodeOptions& options,
                   std::string& error) {
  if (encodings::Describe(from).bytes == encodings::FileBytes::UnicodeText) {
    std::string_view start;
    if (!reader.Peek(start, error)) return false;
    std::size_t byteOrderMark = 0;
    const encodings::TextForm form = encodings::SniffTextForm(start, byteOrderMark);
    const encodings::TextForm unmarked = form == encodings::TextForm::Utf8
                                             ? encodings::SniffUnmarkedUtf16(start)
                                             : encodings::TextForm::Utf8;
    if (unmarked != encodings::TextForm::Utf8) {
      error = encodings::DescribeUnmarkedUtf16(unmarked);
      return false;
    }
    reader.SetForm(form);
  }
  encodings::Transcoder transcoder(from, to, options);
  std::string out;
  out.reserve(2 * kOutputBlock);
  bool written = false;
  const auto flush = [&] {
    WritePlatformLines(output, out);
    written = written || !out.empty();
    out.clear();
  };
  std::string_view block;
  while (reader.Next(block, error)) {
    encodings::Transcoder::Failure failure;
    if (!transcoder.Convert(block, out, failure)) {
      error = FailureMessage(failure, to, written);
      return false;
    }
    if (out.size() >= kOutputBlock) flush();
  }
  if (!error.empty()) return false;
  flush();
  const std::string report = LossReport(to, transcoder.Report());
  if (!report.empty()) std::fputs(report.c_str(), stderr);
  return true;
}

namespace {

bool StreamCharset(int fd, std::ostream& output, encodings::Representation from,
                   encodings::Representation to, const encodings::EncodeOptions& options,
                   std::string& error) {
  LineBlockReader reader(fd);
  return StreamCharset(reader, output, from, to, options, error);
}

// «auto» in any case, as the representations' names are taken.
bool IsAuto(std::string_view word) {
  return word.size() == 4 && (word[0] | 0x20) == 'a' && (word[1] | 0x20) == 'u' &&
         (word[2] | 0x20) == 't' && (word[3] | 0x20) == 'o';
}

std::string RepresentationList() {
  std::string list;
  for (const encodings::RepresentationInfo& info : encodings::AllRepresentations()) {
    std::string line(info.name);
    if (const std::int32_t code = letters::CodeOf(info.id)) line += " " + std::to_string(code);
    if (!info.aliases.empty()) line += " " + std::string(info.aliases);
    list += line + "\n";
  }
  return list;
}

}  // namespace

std::string LossReport(encodings::Representation to, const encodings::EncodeReport& report) {
  std::string lines;
  const std::string prefix = "velmora-convert: ";
  if (report.leftOut > 0) {
    lines +=
        prefix +
        Format(TrN("%n character that %1 cannot hold left out (the first: %2)",
                   "%n characters that %1 cannot hold left out (the first: %2)", report.leftOut),
               encodings::Describe(to).name, CodePointName(report.firstLeftOut)) +
        "\n";
  }
  if (report.lowercasedCapitals > 0) {
    lines += prefix +
             TrN("%n capital with tone marks written with TCVN3's lowercase codes",
                 "%n capitals with tone marks written with TCVN3's lowercase codes",
                 report.lowercasedCapitals) +
             "\n";
  }
  return lines;
}

bool RunCharset(std::string_view input, encodings::Representation from,
                encodings::Representation to, const encodings::EncodeOptions& options,
                std::string& output, std::string& error, std::string& notes) {
  encodings::Transcoder transcoder(from, to, options);
  encodings::Transcoder::Failure failure;
  output.clear();
  if (!transcoder.Convert(input, output, failure)) {
    output.clear();
    error = FailureMessage(failure, to, false);
    return false;
  }
  notes = LossReport(to, transcoder.Report());
  return true;
}

ByteRun PrepareCharset(const CommandWords& words, std::string& error) {
  const std::span<const std::string_view> operands = words.operands;
  const bool leaveOut = words.Has("leave-out");
  if (words.Has("list")) {
    return [](int, std::string_view, std::ostream& output, std::string&) {
      output << RepresentationList();
      return true;
    };
  }
  if (!operands.empty() && IsAuto(operands[0])) {
    return PrepareCharsetAuto(operands.subspan(1), leaveOut, error);
  }
  if (operands.size() > 1 && IsAuto(operands[1])) {
    error = Tr("auto names FROM only: charset auto TO");
    return {};
  }
  encodings::Representation ends[2] = {};
  for (std::size_t i = 0; i < 2; ++i) {
    const std::optional<encodings::Representation> found =
        i < operands.size() ? encodings::FindRepresentation(operands[i]) : std::nullopt;
    if (!found) {
      error = i < operands.size()
                  ? Format(Tr("unknown representation '%1'; use %2 (charset --list shows the "
                              "aliases)"),
                           operands[i], encodings::RepresentationChoices())
                  : Format(Tr("charset needs FROM and TO; use %1 (charset --list shows the "
                              "aliases)"),
                           encodings::RepresentationChoices());
      return {};
    }
    ends[i] = *found;
  }
  if (!encodings::Describe(ends[0]).readable) {
    error = Format(Tr("%1 is written only; read such text as unicode (FROM)"),
                   encodings::Describe(ends[0]).name);
    return {};
  }
  const encodings::EncodeOptions options{leaveOut};
  return [from = ends[0], to = ends[1], options](int fd, std::string_view, std::ostream& output,
                                                 std::string& message) {
    return StreamCharset(fd, output, from, to, options, message);
  };
}

ByteRun PreparePreUnicode(const CommandWords&, std::string&) {
  return [](int fd, std::string_view, std::ostream& output, std::string& message) {
    return StreamCharset(fd, output, encodings::Representation::Unicode,
                         encodings::Representation::Unicode, {}, message);
  };
}

std::vector<HelpEntry> RepresentationHelp() {
  std::vector<HelpEntry> entries;
  for (const encodings::RepresentationInfo& info : encodings::AllRepresentations()) {
    std::string term(info.name);
    if (const std::int32_t code = letters::CodeOf(info.id)) term += ", " + std::to_string(code);
    std::string description = Tr(info.description);
    if (!info.aliases.empty()) {
      description = Format(Tr("%1; also %2"), description, info.aliases);
    }
    entries.push_back({term, description});
  }
  return entries;
}

}  // namespace velmora::cli
