#include "cli/MarcWarnings.h"

#include <cstdio>

#include "Encodings/Utf8.h"

namespace velmora::cli {
namespace {

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
  return "field " + encodings::EncodeUtf8(record.substr(fieldStart, 3)) + ", character " +
         std::to_string(character);
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
  if (!oneReplacement) return replaced + " replaced by spaces or U+FFFD";
  return replaced + " replaced by " + (first == text::kSpace ? "a space" : CodePointName(first));
}

}  // namespace

std::string DescribeIssue(const marc_exchange::ParseIssue& issue, TextView record) {
  std::string what;
  if (issue.kind == marc_exchange::ParseIssueKind::kReplacedCharacter) {
    what = ReplacedCharacters(issue.piece);
  } else {
    what = std::string(marc_exchange::Describe(issue.kind)) + ", '" +
           encodings::EncodeUtf8(issue.piece) + "' left out";
  }
  if (issue.kind == marc_exchange::ParseIssueKind::kNotAField) {
    return "character " + std::to_string(issue.position + 1) + " of the record: " + what;
  }
  return PlaceInRecord(record, issue.position) + ": " + what;
}

}  // namespace velmora::cli
