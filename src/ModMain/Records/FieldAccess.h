// Lookups in the working text: «245=10$aTitle$bSub%100=1#$aAuthor».
//
// Plain text searches from the start of the text; they never fail: whatever
// is missing yields empty text.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "ModMain/Text/Text.h"

namespace velmora::records {

// The index-th piece of `text` (trimmed of spaces at both ends) split at
// `delimiter`; a delimiter met while a piece is still empty becomes that
// piece's first character. Index 0 gives the number of pieces in decimal
// digits; a negative index or one past the last piece gives empty text.
Text GetToken(TextView text, char16_t delimiter, int index);

// The content of the occurrence-th field `tag` ("245"), or empty text.
// An empty field content («245=%100=…») is empty text.
Text GetField(TextView text, TextView tag, int occurrence);

// The value of the occurrence-th subfield with the mark `code` ("$a") in a
// field content, or empty text. An empty value («$a$bY») is empty text.
Text GetSubfield(TextView fieldText, TextView code, int occurrence);

// GetSubfield(GetField(text, tag, occurrence), code, subOccurrence).
Text GetFieldSubfield(TextView text, TextView tag, int occurrence, TextView code,
                      int subOccurrence);

// The same lookups as views into their argument: every result above is a
// contiguous piece of the text it was taken from. The rebuilds use these to
// avoid copying.
TextView GetTokenView(TextView text, char16_t delimiter, int index);
TextView GetFieldView(TextView text, TextView tag, int occurrence);
TextView GetSubfieldView(TextView fieldText, TextView code, int occurrence);
TextView GetFieldSubfieldView(TextView text, TextView tag, int occurrence, TextView code,
                              int subOccurrence);

// Where the fields of a working text start, found in one pass, so that a
// rebuild's many lookups don't each scan the text from its start. Field gives
// exactly what GetFieldView gives for the same text. `text` must outlive it.
// Only the first few fields of each tag are indexed, so that the index stays
// small however many fields a large text has; a later one is searched for
// from the last one indexed.
class FieldIndex {
 public:
  explicit FieldIndex(TextView text);
  TextView Field(TextView tag, int occurrence) const;

 private:
  static constexpr int kIndexedPerTag = 8;
  struct Mark {
    std::uint16_t tag;  // the three digits before "=", as a number
    std::size_t at;     // where the digits start
  };
  TextView text_;
  // The first kIndexedPerTag «ddd=» of each tag, left to right, and how many
  // of each tag that is.
  std::vector<Mark> marks_;
  std::array<std::uint8_t, 1000> indexed_{};
};

}  // namespace velmora::records
