// How the tests and the fuzz harnesses show a UTF-16 text in a report: as
// «readable ASCII» with CR, LF and TAB as <CR>, <LF>, <TAB> and every other
// unit outside 0x20..0x7E as <U+XXXX>, so that a difference can be pointed
// at code unit by code unit.
#pragma once

#include <cstddef>
#include <limits>
#include <string>

#include "ModMain/Text/Text.h"

namespace velmora::reference {

// A text longer than `limit` units is cut there, and its length said.
std::string Readable(TextView text, std::size_t limit = std::numeric_limits<std::size_t>::max());

}  // namespace velmora::reference
