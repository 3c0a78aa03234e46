// Text as the cataloguing systems of old wrote it into MARC records: UTF-8
// in either spelling, UTF-8 misread as Windows-1252 and written again (once
// or twice), MARC-8, and the 8-bit Vietnamese representations.
#pragma once

#include <string>

#include "ModMain/Text/Text.h"

namespace velmora::test {

enum class Written {
  Utf8,
  Nfd,
  DoubleUtf8,
  TripleUtf8,
  Marc8,
  Tcvn3,
  Vni,
  Cp1258,
  Viscii,
  Tcvn5712
};

// `text` written as `as` writes it; throws std::invalid_argument when `as`
// cannot hold it (a test that asks so is wrong).
std::string WrittenAs(Written as, TextView text);

}  // namespace velmora::test
