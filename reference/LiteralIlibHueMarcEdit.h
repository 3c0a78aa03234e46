// Test-only literal forms of the iLib and Hue rewrites and the MarcEdit
// export: every tag step as its 999 passes of Replace, every other step as
// written, for the fast step lists to be checked against.
#pragma once

#include <span>

#include "ModMain/Text/Text.h"

namespace velmora::reference {

// The iLib rewrite with its tag step in 999 passes and the subfield codes
// found by a plain scan: bar, code, bar becomes bar, "$", code.
Text LiteralIlibRewrite(Text s);

// The Hue rewrite with its tag step in 999 passes.
Text LiteralHueRewrite(Text s);

// The MarcEdit export with its tag step in 999 passes, each one rewriting
// «ddd=» only at the start of the text or directly after "%".
Text LiteralMarcEditExport(Text s);

// Pieces for random iLib texts: tabs, bars, code and other letters, digits,
// tags, spaces, line breaks, "=", the start marker.
std::span<const TextView> IlibPieces();

// Pieces for random Hue texts: tags run into indicators, runs of spaces,
// line breaks, "000", the start marker.
std::span<const TextView> HuePieces();

// Pieces for random digit-heavy texts around "=" and "%".
std::span<const TextView> MarcEditPieces();

}  // namespace velmora::reference
