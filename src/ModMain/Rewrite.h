// The engine that runs a source rewrite: an ordered list of steps over the
// whole text, each step a Replace or one of the named tag rules below.
// The steps do not commute; a list runs them strictly in order.
#pragma once

#include <span>

#include "Text.h"

namespace velmora {

struct RewriteStep {
  enum class Kind {
    // Replace(s, find, replacement).
    Replace,
    // For c = 1 to 999: Replace(s, before + ddd + after, newBefore + ddd + newAfter),
    // ddd the three-digit form of c. Done in one left-to-right pass; valid
    // (identical to the 999 passes) when no replacement can create or break
    // a match of another tag, which holds for every list that uses it.
    TagRule,
  };

  Kind kind;
  TextView find, replacement;    // Replace
  TextView before, after;        // TagRule: what surrounds the tag
  TextView newBefore, newAfter;  // TagRule: what it becomes

  static constexpr RewriteStep Substitute(TextView find, TextView replacement) {
    return {Kind::Replace, find, replacement, {}, {}, {}, {}};
  }
  static constexpr RewriteStep Tags(TextView before, TextView after, TextView newBefore,
                                    TextView newAfter) {
    return {Kind::TagRule, {}, {}, before, after, newBefore, newAfter};
  }
};

// Runs the steps over `s` in order.
Text RunRewrite(Text s, std::span<const RewriteStep> steps);

// One step of kind TagRule (see above), in a single pass.
Text ReplaceTags(TextView s, TextView before, TextView after, TextView newBefore,
                 TextView newAfter);

// The same, appending to `out`; false, with nothing appended, when no tag matches.
bool AppendTagsReplaced(TextView s, TextView before, TextView after, TextView newBefore,
                        TextView newAfter, Text& out);

}  // namespace velmora
