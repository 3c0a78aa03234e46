// The four lookups with arbitrary texts, delimiters, marks and occurrences:
// the fast lookups (views into the text, early stops) give what the
// step-by-step forms give, and their views point into their argument.
#include "FuzzSupport.h"
#include "ModMain/Records/FieldAccess.h"
#include "reference/LiteralLookups.h"

using namespace velmora;
using velmora::fuzz::FuzzInput;

namespace {

bool IsViewInto(TextView piece, TextView text) {
  if (piece.empty()) return true;
  return piece.data() >= text.data() && piece.data() + piece.size() <= text.data() + text.size();
}

Text Number(int n) {
  const std::string digits = std::to_string(n);
  return Text(digits.begin(), digits.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t shape = input.Byte();
  // Marks: usually a record's ("245", "$a"), sometimes any code units or
  // another length; the lookups take them as they come.
  const std::size_t tagLength = shape % 8 == 0 ? shape / 8 % 5 : 3;
  const std::size_t codeLength = shape % 8 == 1 ? shape / 8 % 4 : 2;
  const Text tag = shape & 0x10 ? input.Units(tagLength) : input.Pieces(1).substr(0, tagLength);
  const Text code = shape & 0x20 ? input.Units(codeLength) : input.Pieces(1).substr(0, codeLength);
  const char16_t delimiter = shape & 0x40 ? input.Units(1).append(u"%")[0] : u"%$|="[shape % 4];
  const int occurrence = input.SmallOrEdgeInt();
  const int subOccurrence = input.SmallOrEdgeInt();
  const int index = input.SmallOrEdgeInt();
  const Text text = input.RestAsText();

  const Text token = records::GetToken(text, delimiter, index);
  const Text literalToken = reference::LiteralGetToken(text, delimiter, index);
  FUZZ_CHECK(token == literalToken, {"GetToken", token}, {"literal", literalToken}, {"text", text},
             {"delimiter", TextView(&delimiter, 1)}, {"index", Number(index)});
  const TextView tokenView = records::GetTokenView(text, delimiter, index);
  FUZZ_CHECK(index == 0 || tokenView == token, {"view", tokenView}, {"text", text});
  FUZZ_CHECK(IsViewInto(tokenView, text), {"view", tokenView}, {"text", text});

  const Text field = records::GetField(text, tag, occurrence);
  const Text literalField = reference::LiteralGetField(text, tag, occurrence);
  FUZZ_CHECK(field == literalField, {"GetField", field}, {"literal", literalField}, {"text", text},
             {"tag", tag}, {"occurrence", Number(occurrence)});
  const TextView fieldView = records::GetFieldView(text, tag, occurrence);
  FUZZ_CHECK(fieldView == field && IsViewInto(fieldView, text), {"view", fieldView},
             {"text", text});
  // A field's content holds no field separator.
  FUZZ_CHECK(field.find(text::kFieldSeparator) == Text::npos, {"GetField", field}, {"text", text});

  const Text subfield = records::GetSubfield(text, code, subOccurrence);
  const Text literalSubfield = reference::LiteralGetSubfield(text, code, subOccurrence);
  FUZZ_CHECK(subfield == literalSubfield, {"GetSubfield", subfield}, {"literal", literalSubfield},
             {"text", text}, {"code", code}, {"occurrence", Number(subOccurrence)});

  const Text both = records::GetFieldSubfield(text, tag, occurrence, code, subOccurrence);
  const Text literalBoth =
      reference::LiteralGetFieldSubfield(text, tag, occurrence, code, subOccurrence);
  FUZZ_CHECK(both == literalBoth, {"GetFieldSubfield", both}, {"literal", literalBoth},
             {"text", text}, {"tag", tag}, {"code", code});
  const TextView bothView =
      records::GetFieldSubfieldView(text, tag, occurrence, code, subOccurrence);
  FUZZ_CHECK(bothView == both && IsViewInto(bothView, text), {"view", bothView}, {"text", text});
  // A value holds no field separator and no subfield delimiter, whatever the mark.
  FUZZ_CHECK(both.find_first_of(u"%$") == Text::npos, {"value", both}, {"text", text});
  return 0;
}
