// The MARC 21 record model at the edge of the core: an output record
// «245=00$aTitle$bSub%100=##$aAuthor» read into fields that the exchange
// writers (ISO 2709, MARCXML, MarcEdit mnemonic) write out.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "ModMain/Text/Text.h"

namespace velmora::marc_exchange {

// A blank indicator: "#" in the working text, a space in MARC.
inline constexpr char16_t kBlankIndicator = u' ';
inline constexpr char16_t kWorkingTextBlank = u'#';
inline constexpr char16_t kFieldEquals = u'=';

struct Subfield {
  char16_t code;  // ASCII letter or digit
  Text value;
};

// A data field (tag 010-999) has two indicators and subfields; a control
// field (tag 001-009) has only `data`.
struct MarcField {
  Text tag;  // three ASCII digits
  char16_t ind1 = kBlankIndicator, ind2 = kBlankIndicator;
  std::vector<Subfield> subfields;
  Text data;

  bool IsControlField() const;
};

// Fields in the output record's order. The leader is not held: every writer
// makes the same one, for a new Unicode language-material monograph.
struct MarcRecord {
  std::vector<MarcField> fields;
};

// Why a piece of an output record was not taken into the model.
enum class ParseIssueKind {
  kNotAField,          // no three-digit tag and "=" («nam a22», «LDR=…», «000=…»)
  kEmptyField,         // a control field without data, a data field without subfields
  kBadIndicators,      // not two of "#", digit, lowercase letter («245=$aTitle»)
  kStrayText,          // text between the indicators and the first "$" («245=00Title$b…»)
  kBadSubfieldCode,    // "$" at the end, or followed by no ASCII letter or digit
  kReplacedCharacter,  // a character MARC cannot carry, see MarcSafeCodePoint
};

struct ParseIssue {
  ParseIssueKind kind;
  std::size_t position;  // of the piece in the output record, in UTF-16 code units from 0
  Text piece;            // what was skipped, or the characters replaced
};
// A run of bad subfields one after another («$$$», «$ x$-y»), or of
// replaced characters side by side, is reported as one issue.

// A short English phrase for warnings: "not a field", "bad indicators", ...
std::string_view Describe(ParseIssueKind kind);

struct ParseResult {
  MarcRecord record;
  std::vector<ParseIssue> issues;  // in the order of the text
  // For each field of `record`, the piece of the text it was read from,
  // counting only pieces that are not empty: 0 for «245=00$aT» in
  // «%245=00$aT%100=##$aA», 1 for the 100.
  std::vector<std::size_t> fieldPieces;
};

// Reads an output record; never fails. Fields are the pieces between "%";
// empty pieces (a "%" in front, at the end, or doubled) are passed over
// quietly. As the field lookups do, spaces at the two ends of the whole text
// and in front of a field's tag and content are not data. Subfield values are
// kept exactly, empty ones included («%260=##$a$bKim» keeps its empty "$a").
// What is not of the form is skipped and reported:
//   «nam a22     a 4500»   not a field: skipped
//   «245=0$aX»             bad indicators: the field is skipped
//   «245=00Title$bSub»     stray text «Title» skipped, «$bSub» kept
//   «245=00$aX$»           the lone "$" skipped, «$aX» kept
// A control field «001=VN-123» keeps its content verbatim as data ("$" and "#"
// included). Characters that no MARC format can carry are replaced as
// MarcSafeCodePoint says and each is reported.
ParseResult ParseOutputRecord(TextView outputRecord);

// Reads a working text, every field of it, the way ParseOutputRecord reads
// an output record but with the indicators the sources write:
//   «100=1$aTô Hoài»  indicators as ReadWorkingIndicators reads them: 1, blank
//   «245= 10$aT»      unreadable: blanks, and « 10» reported as stray text
//   «000nam a22…»     the source's leader, passed over quietly: every writer
//                     makes its own
//   «008=190315s2019####vm#a…»  in the fixed-length control fields 006, 007
//                     and 008 a "#" is a blank, as in the indicators
// The content of a data field keeps its leading spaces, which are blank
// indicators («650= 7$aX»).
ParseResult ParseWorkingText(TextView working);

struct Indicators {
  char16_t ind1 = kBlankIndicator, ind2 = kBlankIndicator;
  friend bool operator==(const Indicators&, const Indicators&) = default;
};

// The indicators at the head of a working field's content, the text between
// its "=" and its first "$", as the sources leave them there: "#" or a space
// for a blank, a digit or a lowercase letter for itself.
//   «10»  1 and 0          «#7», « 7»  blank and 7
//   «1»   1 and blank: the second blank went with the space before "$"
//   «»    two blanks («020=$a…», a field copied without indicators)
// `length` tells how many characters they took. nullopt, with `length` 0,
// for a head of more than two characters («245= 10$aT», «245=00Title$b»)
// or one with a character that is no indicator.
std::optional<Indicators> ReadWorkingIndicators(TextView head, std::size_t& length);

// Control fields first, then data fields, in ascending tag order; fields of
// one tag keep their order (a stable sort of the fields themselves).
void SortFieldsByTag(MarcRecord& record);

// The characters the model admits; every writer checks them again.
bool IsValidTag(TextView tag);            // "001".."999"
bool IsControlTag(TextView tag);          // "001".."009"
bool IsValidIndicator(char16_t ind);      // space, ASCII digit, ASCII lowercase letter
bool IsValidSubfieldCode(char16_t code);  // ASCII letter or digit

// The one rule for characters in MARC data, the same in every format so that
// one record reads the same in each:
//  - TAB, LF and CR each become a space (a MARC field is one line);
//  - every other C0 control character U+0000-U+001F (among them the ISO 2709
//    delimiters 1D, 1E, 1F), a lone surrogate and the non-characters U+FFFE
//    and U+FFFF become U+FFFD, the replacement character: XML 1.0 cannot hold
//    them and in ISO 2709 they would break the record's structure.
// Everything else, DEL and C1 controls included, is kept.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;  // �
char32_t MarcSafeCodePoint(char32_t cp);

}  // namespace velmora::marc_exchange
