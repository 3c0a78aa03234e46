// The literal form of every rewrite step: each kind of step run the slow
// way, exactly as records::RewriteStep describes it, for the one-pass engine
// (RunRewrite) to be checked against on any step list, the product's own
// included:
//  - Replace: text::Replace;
//  - TagRule: for c = 1 to 999, ddd its three-digit form ("000" is never a
//    tag), Replace(s, before + ddd + after, newBefore + ddd + newAfter);
//  - FieldStartTagRule: the same 999 passes, each rewriting ddd + after only
//    where it starts a field: at the start of the text or directly after
//    `before` (a `before` that is empty: only at the start of the text);
//  - SubfieldCodeRule: a scan unit by unit: `before`, one of `codes` and
//    `before` again become `before`, `mark` and the code, and the scan goes
//    on after the second `before`;
//  - LineReplace: the text cut into lines, each with its CRLF, and Replace
//    on every line whose first unit is one of `codes`;
//  - Prepend: `replacement` in front of the text.
#pragma once

#include <span>

#include "ModMain/Records/Rewrite.h"

namespace velmora::reference {

Text RunStepLiterally(Text s, const records::RewriteStep& step);

// Every step of `steps` in order.
Text RunStepsLiterally(Text s, std::span<const records::RewriteStep> steps);

}  // namespace velmora::reference
