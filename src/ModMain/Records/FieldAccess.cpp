#include "ModMain/Records/FieldAccess.h"

namespace velmora::records {
namespace {

// Walks the pieces of `s` (already trimmed, with a delimiter implied at its
// end) and calls `onPiece(begin, end)` for each, in order, until it returns
// false. Returns the number of pieces visited. A piece's first character
// always belongs to it, even a delimiter (one met while the piece is still
// empty); the next delimiter after it ends the piece.
template <typename OnPiece>
int ForEachPiece(TextView s, char16_t delimiter, OnPiece onPiece) {
  int count = 0;
  for (std::size_t begin = 0; begin < s.size();) {
    std::size_t end = text::FindUnit(s, delimiter, begin + 1);
    if (end == TextView::npos) end = s.size();
    ++count;
    if (!onPiece(begin, end)) return count;
    begin = end + 1;
  }
  return count;
}

// The text after the occurrence-th match of `mark`, each match searched in
// what follows the previous one; empty when a match is missing.
TextView AfterMatch(TextView text, TextView mark, int occurrence) {
  if (occurrence < 1) return {};
  TextView search = text;
  for (int k = 0; k < occurrence; ++k) {
    const std::size_t p = text::FindText(search, mark);
    if (p == TextView::npos) return {};
    search = search.substr(p + mark.size());
    if (mark.empty()) break;  // every further match is the same
  }
  return search;
}

// An empty field content or subfield value is empty, not the next one.
TextView FirstPieceOfValue(TextView rest, char16_t delimiter) {
  const TextView content = text::TrimLeadingSpaces(rest);
  if (content.empty() || content.front() == delimiter) return {};
  return GetTokenView(content, delimiter, 1);
}

}  // namespace

TextView GetTokenView(TextView text, char16_t delimiter, int index) {
  if (index < 1) return {};
  const TextView s = text::TrimSpaces(text);
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
  const int count = ForEachPiece(text::TrimSpaces(text), delimiter,
                                 [](std::size_t, std::size_t) { return true; });
  const std::string digits = std::to_string(count);
  return Text(digits.begin(), digits.end());
}

TextView GetFieldView(TextView text, TextView tag, int occurrence) {
  Text mark(tag);
  mark.push_back(u'=');
  return FirstPieceOfValue(AfterMatch(text, mark, occurrence), text::kFieldSeparator);
}

TextView GetSubfieldView(TextView fieldText, TextView code, int occurrence) {
  return FirstPieceOfValue(AfterMatch(fieldText, code, occurrence), text::kSubfieldDelimiter);
}

TextView GetFieldSubfieldView(TextView text, TextView tag, int occurrence, TextView code,
                              int subOccurrence) {
  return GetSubfieldView(GetFieldView(text, tag, occurrence), code, subOccurrence);
}

namespace {

int TagNumber(TextView tag) {
  if (tag.size() != 3 || !text::IsAsciiDigit(tag[0]) || !text::IsAsciiDigit(tag[1]) ||
      !text::IsAsciiDigit(tag[2])) {
    return -1;
  }
  return (tag[0] - u'0') * 100 + (tag[1] - u'0') * 10 + (tag[2] - u'0');
}

}  // namespace

// Two matches of «ddd=» never overlap (an "=" is no digit), so the
// occurrence-th match that GetField reaches by searching again after each
// match is the occurrence-th in a plain left-to-right scan.
FieldIndex::FieldIndex(TextView text) : text_(text) {
  for (std::size_t equals = text::FindUnit(text, u'=', 3); equals != TextView::npos;
       equals = text::FindUnit(text, u'=', equals + 1)) {
    const int tag = TagNumber(text.substr(equals - 3, 3));
    if (tag >= 0 && indexed_[tag] < kIndexedPerTag) {
      ++indexed_[tag];
      marks_.push_back({static_cast<std::uint16_t>(tag), equals - 3});
    }
  }
}

TextView FieldIndex::Field(TextView tag, int occurrence) const {
  const int number = TagNumber(tag);
  if (number < 0) return GetFieldView(text_, tag, occurrence);
  if (occurrence < 1) return {};
  const bool beyond = occurrence > kIndexedPerTag;
  if (beyond && indexed_[number] < kIndexedPerTag) return {};
  int left = beyond ? kIndexedPerTag : occurrence;
  for (const Mark& mark : marks_) {
    if (mark.tag != number || --left > 0) continue;
    const TextView rest = text_.substr(mark.at + 4);
    // Searched for after the last one indexed, as GetFieldView searches
    // after each match.
    return beyond ? GetFieldView(rest, tag, occurrence - kIndexedPerTag)
                  : FirstPieceOfValue(rest, text::kFieldSeparator);
  }
  return {};
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

}  // namespace velmora::records
