// The engine that runs a source rewrite: an ordered list of steps over the
// whole text, each step a Replace or one of the named tag rules below.
// The steps do not commute; a list runs them strictly in order.
//
// Each step rewrites the text in its own buffer, so that a large text is
// held once, not twice. A step that shortens or keeps the length of what it
// matches writes its result from the left over the text it has read; one
// that lengthens it first counts its matches, moves the text right by what
// they add, and then does the same. Either way every write lands before the
// part still to be read, and the result is the one a second buffer built
// left to right would hold (AppendStepResult), which the tests check.
#pragma once

#include <span>

#include "ModMain/Text/Text.h"

namespace velmora::records {

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
    // Replace(line, find, replacement) on each line (up to and with its
    // CRLF) whose first unit is one of `codes`; other lines stay.
    LineReplace,
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
  static constexpr RewriteStep InLinesStartingWith(TextView firstUnits, TextView find,
                                                   TextView replacement) {
    return {Kind::LineReplace, find, replacement, {}, {}, {}, {}, firstUnits};
  }
};

// Runs the steps over `s` in order, in its own buffer (see above); a step
// that lengthens the text beyond the buffer's capacity moves it to a larger one.
Text RunRewrite(Text s, std::span<const RewriteStep> steps);

// One step built in a second buffer: its result appended to `out`; false,
// with nothing appended, when nothing matches.
bool AppendStepResult(TextView s, const RewriteStep& step, Text& out);

// One step of kind TagRule (see above), in a single pass.
Text ReplaceTags(TextView s, TextView before, TextView after, TextView newBefore,
                 TextView newAfter);

}  // namespace velmora::records
