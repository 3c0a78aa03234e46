// The engine that runs a source rewrite: an ordered list of steps over the
// whole text, each step a Replace or one of the named tag rules below.
// The steps do not commute; a list runs them strictly in order.
#pragma once

#include <span>

#include "ModMain/Text.h"

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
    // The same, but only where ddd starts a field: at the start of the text or
    // directly after `before`, which stays («%245=» -> «%=245  »). One pass,
    // valid under the same condition as TagRule.
    FieldStartTagRule,
    // `before` + one of the characters of `codes` + `before` becomes `before` +
    // `mark` + that character, in one left-to-right pass; the second `before`
    // is consumed and cannot open the next match: «|b|a|a|x» -> «|$ba|$ax».
    SubfieldCodeRule,
  };

  Kind kind;
  TextView find, replacement;    // Replace
  TextView before, after;        // TagRule: what surrounds the tag
  TextView newBefore, newAfter;  // TagRule: what it becomes
  TextView codes{}, mark{};      // SubfieldCodeRule

  static constexpr RewriteStep Substitute(TextView find, TextView replacement) {
    return {Kind::Replace, find, replacement, {}, {}, {}, {}};
  }
  static constexpr RewriteStep Tags(TextView before, TextView after, TextView newBefore,
                                    TextView newAfter) {
    return {Kind::TagRule, {}, {}, before, after, newBefore, newAfter};
  }
  static constexpr RewriteStep FieldStartTags(TextView separator, TextView after,
                                              TextView newBefore, TextView newAfter) {
    return {Kind::FieldStartTagRule, {}, {}, separator, after, newBefore, newAfter};
  }
  static constexpr RewriteStep SubfieldCodes(TextView bar, TextView codes, TextView mark) {
    return {Kind::SubfieldCodeRule, {}, {}, bar, {}, {}, {}, codes, mark};
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

// One step of kind FieldStartTagRule, appending to `out`; false, with
// nothing appended, when no tag matches.
bool AppendFieldStartTagsReplaced(TextView s, TextView separator, TextView after,
                                  TextView newBefore, TextView newAfter, Text& out);

// One step of kind SubfieldCodeRule, appending to `out`; false, with nothing
// appended, when no code matches.
bool AppendSubfieldCodesMarked(TextView s, TextView bar, TextView codes, TextView mark, Text& out);

}  // namespace velmora
