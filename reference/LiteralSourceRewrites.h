// Test-only literal forms of the LacViet (and Emiclib) and Verbrary
// rewrites: every step as it is described, the tag steps in 999 passes.
#pragma once

#include <span>

#include "ModMain/Text/Text.h"

namespace velmora::reference {

// The rewrite shared by LacViet and Emiclib, step 4 in 999 passes.
Text LiteralLacVietRewrite(Text s);

// The Verbrary rewrite: step 1 in 999 passes over the lines' tags, step 9
// line by line.
Text LiteralVerbraryRewrite(Text s);

// RecordPieces() and the fragments of the tab-and-bar layouts: "|a", "|x",
// "$x", "⇥|", " |", " :", "_", "6", "650⇥", ".", ",".
std::span<const TextView> SourceLayoutPieces();

}  // namespace velmora::reference
