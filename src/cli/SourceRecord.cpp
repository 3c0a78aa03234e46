#include "cli/SourceRecord.h"

#include <algorithm>

#include "Encodings/Utf8.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "ModMain/Letters/PrecomposeLetters.h"
#include "ModMain/Records/LeftOutFields.h"
#include "cli/Inputs.h"
#include "cli/MarcWarnings.h"
#include "cli/Messages.h"
#include "cli/RecordTextWriter.h"

namespace velmora::cli {
namespace {

constexpr std::size_t kTaglessLinesNamed = 5;  // the rest are counted
constexpr std::size_t kLongestLeaderLine = 64;

bool IsBlank(TextView line) {
  return line.find_first_not_of(u" \t") == TextView::npos;
}

bool IsLeader(TextView line) {
  return line.starts_with(u"000") || line.starts_with(u"LDR");
}

bool BeginsWithTag(TextView line) {
  return IsLeader(line) || (line.size() >= 3 && text::IsAsciiDigit(line[0]) &&
                            text::IsAsciiDigit(line[1]) && text::IsAsciiDigit(line[2]));
}

// The leader line and the lines without a tag of the copied text. The Hue
// form wraps a long field onto lines of its own that begin with a space,
// which its rewrite joins to their field («520  aCâu chuyện … nghèo⏎ miền
// Trung.»): there such a line is no stray.
void ReadLines(const records::SourceSystem& source, TextView copied, std::size_t firstLine,
               ConvertedRecord& converted) {
  const bool wrapsFields = source.layout == records::SourceLayout::Hue;
  std::size_t number = firstLine;
  for (std::size_t at = 0; at < copied.size(); ++number) {
    const std::size_t end = std::min(text::FindText(copied, text::kCrlf, at), copied.size());
    const TextView line = copied.substr(at, end - at);
    at = end + text::kCrlf.size();
    // A leader is 24 characters and its tag; a longer «000» line is no
    // leader to show whole, nor a copy of a large input to hold.
    if (converted.leaderLine.empty() && IsLeader(line) && line.size() <= kLongestLeaderLine) {
      converted.leaderLine = Text(line);
    }
    if (wrapsFields || IsBlank(line) || BeginsWithTag(line)) continue;
    if (converted.taglessLines.size() < kTaglessLinesNamed) {
      converted.taglessLines.push_back({number, FirstLine(line)});
    } else {
      ++converted.moreTaglessLines;
    }
  }
}

}  // namespace

ConvertedRecord ConvertRecord(const records::SourceSystem& source, Text copied,
                              std::size_t firstLine) {
  ConvertedRecord converted;
  converted.holdsText = records::HoldsMoreThanWhiteSpace(copied);
  converted.layout = records::RecognizeSourceLayout(copied);
  ReadLines(source, copied, firstLine, converted);
  converted.working = records::WorkingTextInPlace(source, std::move(copied));
  converted.traced = source.rebuild.traced(converted.working);
  return converted;
}

std::string CommandsFor(records::SourceLayout layout) {
  std::string commands;
  for (const records::SourceSystem* source : SourcesWithLayout(layout)) {
    const std::string command = "'velmora-convert " + std::string(source->name) + "'";
    commands =
        commands.empty() ? command : messages::Format(messages::Tr("%1 or %2"), commands, command);
  }
  return commands;
}

std::string OtherSourceHint(const records::SourceSystem& source, records::SourceLayout layout) {
  if (layout == records::SourceLayout::None || layout == source.layout) return {};
  const std::string_view name = records::SourceLayoutName(layout);
  return messages::Format(records::NameTakesAn(name)
                              ? messages::Tr("; it looks like an %1 record: try %2")
                              : messages::Tr("; it looks like a %1 record: try %2"),
                          messages::Tr(name), CommandsFor(layout));
}

std::string NoRecordMessage(const records::SourceSystem& source, const ConvertedRecord& converted) {
  return messages::Format(messages::Tr("no %1 record found"), source.title) +
         OtherSourceHint(source, converted.layout);
}

std::string OtherSourceWarning(const records::SourceSystem& source,
                               const ConvertedRecord& converted) {
  const std::string hint = OtherSourceHint(source, converted.layout);
  if (hint.empty()) return {};
  return messages::Format(records::NameTakesAn(source.title) ? messages::Tr("not an %1 record")
                                                             : messages::Tr("not a %1 record"),
                          source.title) +
         hint;
}

std::vector<std::string> RecordWarnings(const Options& options, const records::SourceSystem& source,
                                        const ConvertedRecord& converted,
                                        const std::string& where) {
  std::vector<std::string> warnings;
  if (!options.working && converted.traced.record.empty()) return warnings;  // said when dropped
  if (!options.working) {
    const std::string otherSource = OtherSourceWarning(source, converted);
    if (!otherSource.empty()) warnings.push_back(Warning(where, otherSource));
  }
  for (const TaglessLine& line : converted.taglessLines) {
    warnings.push_back(Warning(
        where,
        messages::Format(
            messages::Tr("line %1 has no tag and does not convert as it stands: '%2'; if it goes "
                         "on from the field before it, put it back at the end of that line before "
                         "converting"),
            std::to_string(line.number), line.shown)));
  }
  if (converted.moreTaglessLines > 0) {
    warnings.push_back(
        Warning(where, messages::Format(messages::Tr("%1 more lines have no tag"),
                                        std::to_string(converted.moreTaglessLines))));
  }
  return warnings;
}

std::vector<std::string> LeftOutMessages(const ConvertedRecord& converted,
                                         const std::string& where) {
  std::vector<std::string> lines;
  for (const TextView field : records::FieldsLeftOut(converted.working, converted.traced.record)) {
    // The rewrite changes the leader's spacing and blanks; it is shown whole,
    // as it was copied.
    const std::string shown = IsLeader(field) && !converted.leaderLine.empty()
                                  ? encodings::EncodeUtf8(converted.leaderLine)
                                  : FirstLine(field);
    lines.push_back(where.empty()
                        ? messages::Format(messages::Tr("left out: %1"), shown)
                        : messages::Format(messages::Tr("%1: left out: %2"), where, shown));
  }
  return lines;
}

Text TakeWritten(const Options& options, ConvertedRecord& converted) {
  Text written =
      options.working ? std::move(converted.working) : std::move(converted.traced.record);
  if (options.precompose) letters::PrecomposeLettersInPlace(written);
  return written;
}

PreparedRecord PrepareRecord(const Options& options, marc_exchange::RecordFormatter& formatter,
                             const records::SourceSystem& source, ConvertedRecord converted,
                             const std::string& where) {
  PreparedRecord prepared;
  const std::vector<records::FieldOrigin> origins = std::move(converted.traced.origins);
  // The text the formatter parses, which the issues' positions count in.
  const Text written = TakeWritten(options, converted);
  if (!WritesMarc(options)) {
    prepared.formatted.bytes = RecordTextBytes(written);
  } else if (options.working) {
    prepared.formatted = formatter.FormatWorkingText(written);
  } else {
    prepared.formatted = formatter.Format(written, {converted.working, origins});
  }
  for (const marc_exchange::ParseIssue& issue : prepared.formatted.issues) {
    prepared.warnings.push_back(Warning(where, DescribeIssue(issue, written)));
  }
  // Nothing to write: only the stream's failure keeps a formatted record out.
  if (prepared.formatted.bytes.empty()) {
    prepared.dropped = prepared.formatted.error ? prepared.formatted.error->message
                                                : messages::Tr("it yields no field") +
                                                      OtherSourceHint(source, converted.layout);
  }
  return prepared;
}

}  // namespace velmora::cli
