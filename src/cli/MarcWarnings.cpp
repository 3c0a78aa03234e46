#include "cli/MarcWarnings.h"

#include <cstdio>

#include "Encodings/Utf8.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::cli {
namespace {

using messages::Format;
using messages::Tr;

std::string CodePointName(char32_t codePoint) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(codePoint));
  return name;
}

// «field 245, character 12»: the tag of the field that holds `position` and
// the character of that field, from 1, at which it stands.
std::string PlaceInRecord(TextView record, std::size_t position) {
  const std::size_t separator = record.rfind(text::kFieldSeparator, position);
  const std::size_t fieldStart = separator == TextView::npos ? 0 : separator + 1;
  std::size_t character = 1;
  for (std::size_t i = fieldStart; i < position; i += text::CodePointAt(record, i).units)
    ++character;
  return Format(Tr("field %1, character %2"), encodings::EncodeUtf8(record.substr(fieldStart, 3)),
                character);
}

// «U+0001 U+0002 replaced by U+FFFD», «U+0009 replaced by a space».
std::string ReplacedCharacters(TextView piece) {
  std::string replaced, by;
  bool oneReplacement = true;
  char32_t first = 0;
  for (std::size_t i = 0; i < piece.size();) {
    const text::CodePoint original = text::CodePointAt(piece, i);
    const char32_t safe = marc_exchange::MarcSafeCodePoint(original.value);
    if (i == 0) first = safe;
    oneReplacement = oneReplacement && safe == first;
    if (!replaced.empty()) replaced += ' ';
    replaced += CodePointName(original.value);
    i += original.units;
  }
  if (!oneReplacement) return Format(Tr("%1 replaced by spaces or U+FFFD"), replaced);
  if (first == text::kSpace) return Format(Tr("%1 replaced by a space"), replaced);
  return Format(Tr("%1 replaced by %2"), replaced, CodePointName(first));
}

}  // namespace

std::string DescribeIssue(const marc_exchange::ParseIssue& issue, TextView record) {
  std::string what;
  if (issue.kind == marc_exchange::ParseIssueKind::kReplacedCharacter) {
    what = ReplacedCharacters(issue.piece);
  } else {
    what = Format(Tr("%1, '%2' left out"), Tr(marc_exchange::Describe(issue.kind)),
                  encodings::EncodeUtf8(issue.piece));
  }
  if (issue.kind == marc_exchange::ParseIssueKind::kNotAField) {
    return Format(Tr("character %1 of the record: %2"), issue.position + 1, what);
  }
  return Format("%1: %2", PlaceInRecord(record, issue.position), what);
}

}  // namespace velmora::cli
