#include "reference/LiteralLookups.h"

#include <string>

namespace velmora::reference {
namespace {

Text Trimmed(TextView s) {
  std::size_t begin = 0, end = s.size();
  while (begin < end && s[begin] == u' ') ++begin;
  while (end > begin && s[end - 1] == u' ') --end;
  return Text(s.substr(begin, end - begin));
}

// Repeat `occurrence` times: find `mark` in the search text; the search text
// becomes what follows the match (`skip` characters after its start), or
// empty text when there is none.
Text AfterRepeatedMatch(TextView text, TextView mark, int occurrence, std::size_t skip) {
  Text search(text), value;
  for (int k = 0; k < occurrence; ++k) {
    const std::size_t p = search.find(mark);
    value = p == Text::npos ? Text() : search.substr(p + skip);
    search = value;
    // Empty text stays empty, and an empty mark matches where it stands:
    // every further round would give the same text.
    if (value.empty() || mark.empty()) break;
  }
  return value;
}

// A value that is empty is empty text, not the piece after it.
Text FirstPieceOrEmpty(const Text& rest, char16_t delimiter) {
  const Text trimmed = Trimmed(rest);
  if (!trimmed.empty() && trimmed.front() == delimiter) return {};
  return LiteralGetToken(rest, delimiter, 1);
}

}  // namespace

Text LiteralGetToken(TextView text, char16_t delimiter, int index) {
  Text s = Trimmed(text);
  s.push_back(delimiter);
  int count = 0;
  Text piece, result;
  const std::size_t length = s.size();
  for (std::size_t i = 0; i < length; ++i) {
    const char16_t ch = s[i];
    if (ch == delimiter && !piece.empty()) {
      ++count;
      if (count == index) result = piece;
      piece.clear();
    } else {
      piece.push_back(ch);
    }
  }
  if (index == 0) {
    const std::string digits = std::to_string(count);
    return Text(digits.begin(), digits.end());
  }
  return result;
}

Text LiteralGetField(TextView text, TextView tag, int occurrence) {
  const Text mark = Text(tag) + u"=";
  return FirstPieceOrEmpty(AfterRepeatedMatch(text, mark, occurrence, tag.size() + 1),
                           text::kFieldSeparator);
}

Text LiteralGetSubfield(TextView fieldText, TextView code, int occurrence) {
  return FirstPieceOrEmpty(AfterRepeatedMatch(fieldText, code, occurrence, code.size()),
                           text::kSubfieldDelimiter);
}

Text LiteralGetFieldSubfield(TextView text, TextView tag, int occurrence, TextView code,
                             int subOccurrence) {
  return LiteralGetSubfield(LiteralGetField(text, tag, occurrence), code, subOccurrence);
}

}  // namespace velmora::reference
