// The engine that runs a rewrite: an ordered list of steps over the whole
// text, each step one of the kinds below. The steps do not commute; a list
// runs them strictly in order. Each source's list stands in its own header
// (LibolSteps.h, ...), the MarcEdit export's in MarcEditSteps.h;
// reference/LiteralSteps.h runs any list the slow way, as each kind is
// described here, for the tests to compare with.
//
// Each step rewrites the text in its own buffer, so that a large text is
// held once, not twice. A step that shortens or keeps the length of what it
// matches writes its result from the left over the text it has read; one
// that lengthens it first counts its matches, moves the text right by what
// they add, and then does the same. Either way every write lands before the
// part still to be read, and the result is the one a second buffer built
// left to right would hold (AppendStepResult), which the tests check.
#pragma once

#include <cstddef>
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
    // An empty `before` matches nothing.
    SubfieldCodeRule,
    // Replace(line, find, replacement) on each line (up to and with its
    // CRLF) whose first unit is one of `codes`; other lines stay.
    LineReplace,
    // `replacement` put in front of the whole text: «245    10…» ->
    // «ZZZZ␍␊245    10…», so that the first line, like every other, follows
    // a line break.
    Prepend,
  };

  Kind kind;
  TextView find, replacement;    // Replace, LineReplace; Prepend: what goes in front
  TextView before, after;        // TagRule: what surrounds the tag
  TextView newBefore, newAfter;  // TagRule: what it becomes
  TextView codes{}, mark{};      // SubfieldCodeRule; LineReplace: the first units

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
  static constexpr RewriteStep Prepend(TextView front) {
    return {Kind::Prepend, {}, front, {}, {}, {}, {}};
  }
};

// Runs the steps over `s` in order, in its own buffer (see above); a step
// that lengthens the text beyond the buffer's capacity moves it to a larger one.
Text RunRewrite(Text s, std::span<const RewriteStep> steps);

// One step built in a second buffer: its result appended to `out`; false,
// with nothing appended, when nothing matches.
bool AppendStepResult(TextView s, const RewriteStep& step, Text& out);

// How many units the Prepend steps of `steps` put in front: the room a
// buffer needs beyond its text so that they do not move it.
std::size_t PrependedLength(std::span<const RewriteStep> steps);

}  // namespace velmora::records
