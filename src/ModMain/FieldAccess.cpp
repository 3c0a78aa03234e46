#include "FieldAccess.h"

namespace velmora {
namespace {

// Walks the pieces of `s` (already trimmed, with a delimiter implied at its
// end) and calls `onPiece(begin, end)` for each, in order, until it returns
// false. Returns the number of pieces visited.
template <typename OnPiece>
int ForEachPiece(TextView s, char16_t delimiter, OnPiece onPiece) {
  int count = 0;
  std::size_t pieceStart = 0;
  bool pieceEmpty = true;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    const bool atDelimiter = i == s.size() || s[i] == delimiter;
    if (atDelimiter && !pieceEmpty) {
      ++count;
      if (!onPiece(pieceStart, i)) return count;
      pieceStart = i + 1;
      pieceEmpty = true;
    } else if (i < s.size()) {
      // An ordinary character, or a delimiter that opens an empty piece:
      // either way it belongs to the current piece.
      pieceEmpty = false;
    }
  }
  return count;
}

// The text after the occurrence-th match of `mark`, each match searched in
// what follows the previous one; empty when a match is missing.
TextView AfterMatch(TextView text, TextView mark, int occurrence) {
  if (occurrence < 1) return {};
  TextView search = text;
  for (int k = 0; k < occurrence; ++k) {
    const std::size_t p = search.find(mark);
    if (p == TextView::npos) return {};
    search = search.substr(p + mark.size());
    if (mark.empty()) break;  // every further match is the same
  }
  return search;
}

// An empty field content or subfield value is empty, not the next one.
TextView FirstPieceOfValue(TextView rest, char16_t delimiter) {
  const TextView content = TrimLeadingSpaces(rest);
  if (content.empty() || content.front() == delimiter) return {};
  return GetTokenView(content, delimiter, 1);
}

}  // namespace

TextView GetTokenView(TextView text, char16_t delimiter, int index) {
  if (index < 1) return {};
  const TextView s = TrimSpaces(text);
  TextView result;
  int seen = 0;
  ForEachPiece(s, delimiter, [&](std::size_t begin, std::size_t end) {
    if (++seen < index) return true;
    result = s.substr(begin, end - begin);
    return false;
  });
  return result;
}

Text GetToken(TextView text, char16_t delimiter, int index) {
  if (index != 0) return Text(GetTokenView(text, delimiter, index));
  const int count =
      ForEachPiece(TrimSpaces(text), delimiter, [](std::size_t, std::size_t) { return true; });
  const std::string digits = std::to_string(count);
  return Text(digits.begin(), digits.end());
}

TextView GetFieldView(TextView text, TextView tag, int occurrence) {
  Text mark(tag);
  mark.push_back(u'=');
  return FirstPieceOfValue(AfterMatch(text, mark, occurrence), kFieldSeparator);
}

TextView GetSubfieldView(TextView fieldText, TextView code, int occurrence) {
  return FirstPieceOfValue(AfterMatch(fieldText, code, occurrence), kSubfieldDelimiter);
}

TextView GetFieldSubfieldView(TextView text, TextView tag, int occurrence, TextView code,
                              int subOccurrence) {
  return GetSubfieldView(GetFieldView(text, tag, occurrence), code, subOccurrence);
}

Text GetField(TextView text, TextView tag, int occurrence) {
  return Text(GetFieldView(text, tag, occurrence));
}

Text GetSubfield(TextView fieldText, TextView code, int occurrence) {
  return Text(GetSubfieldView(fieldText, code, occurrence));
}

Text GetFieldSubfield(TextView text, TextView tag, int occurrence, TextView code,
                      int subOccurrence) {
  return Text(GetFieldSubfieldView(text, tag, occurrence, code, subOccurrence));
}

}  // namespace velmora
