// The properties of both record rebuilds on arbitrary working text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ModMain/Text/Text.h"

namespace velmora::fuzz {

// - the output record has the rebuilds' form (title first, then fields
//   opened by "%", a tag the rebuild writes, "=##$"), with only the tags
//   the rebuilds write;
// - it stays within the rebuild's bound of the working text's length;
// - it holds a line break only where the working text does;
// - its MarcEdit export has exactly one line per field.
void CheckRebuild(Text (*rebuild)(TextView), TextView titleOpening, const std::uint8_t* data,
                  std::size_t size);

}  // namespace velmora::fuzz
