// Test-only literal forms of the one-pass rewrite steps, written as the
// steps are described (999 passes of Replace), and random texts to compare
// the fast forms against.
#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <string_view>

#include "ModMain/Text/Text.h"

namespace velmora::reference {

// For c = 1 to 999: Replace(s, before + ddd + after, newBefore + ddd + newAfter).
Text ReplaceEachTagLiterally(Text s, TextView before, TextView after, TextView newBefore,
                             TextView newAfter);

// The Libol rewrite with its step 1 done in 999 passes.
Text LiteralLibolRewrite(Text s);

// A random text of up to `maxPieces` pieces, each drawn from `pieces`:
// texts made of the characters and fragments that the rewrites look for.
Text RandomText(std::mt19937& random, std::span<const TextView> pieces, int maxPieces);

// Pieces that exercise tag rules: digits, "000", tags, CR, LF, CRLF,
// spaces, "$", "=", "#", "%", "|", TAB, letters and a Vietnamese letter.
std::span<const TextView> RecordPieces();

}  // namespace velmora::reference
