// The checks a Vietnamese cataloguer needs before an import, over a record's
// text once it has been read: they only warn, and change nothing.
//  - 008/35-37 (the language) not the language of the first 041 $a;
//  - a Vietnamese ISBN (978-604, or 604 in ten digits) whose check digit is wrong;
//  - in a field read as TCVN3, words whose first letter is a lowercase toned
//    vowel where a capital belongs (TCVN3 writes toned capitals with the
//    lowercase letters' codes, so «Ánh» comes out «ánh»): at the start of a
//    subfield, before a capital («áNH»), or among capitalised words of a name.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "MarcRepair/RecordRepair.h"
#include "ModMain/Text/Text.h"

namespace velmora::marc_repair {

// A field as the checks see it: its tag, its text as read (a data field's
// indicators and subfields with their delimiters U+001F), and whether it was
// read as TCVN3.
struct CheckedField {
  std::string_view tag;
  TextView text;
  bool readAsTcvn3 = false;
};

void CheckRecord(std::span<const CheckedField> fields, std::vector<Finding>& findings);

// The check digit an ISBN of 13 or 10 digits (the last one left out, or
// given) should have: '0'-'9', or 'X' for ten digits.
char IsbnCheckDigit(std::string_view digits);

}  // namespace velmora::marc_repair
