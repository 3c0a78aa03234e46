#include "ModMain/Rewrite.h"

namespace velmora {
namespace {

bool IsTagDigits(TextView s, std::size_t at) {
  return IsAsciiDigit(s[at]) && IsAsciiDigit(s[at + 1]) && IsAsciiDigit(s[at + 2]) &&
         !(s[at] == u'0' && s[at + 1] == u'0' && s[at + 2] == u'0');  // "000" is never a tag
}

// Whether before + ddd + after stands at `at` (ddd a tag other than "000").
bool TagMatchAt(TextView s, std::size_t at, TextView before, TextView after) {
  const std::size_t length = before.size() + 3 + after.size();
  if (at + length > s.size()) return false;
  return s.substr(at, before.size()) == before && IsTagDigits(s, at + before.size()) &&
         s.substr(at + before.size() + 3, after.size()) == after;
}

}  // namespace

bool AppendTagsReplaced(TextView s, TextView before, TextView after, TextView newBefore,
                        TextView newAfter, Text& out) {
  const std::size_t length = before.size() + 3 + after.size();
  // Candidates are found through the literal part of the pattern, so the
  // scan stays linear: `before` when there is one, otherwise `after`.
  const bool anchorBefore = !before.empty();
  const TextView anchor = anchorBefore ? before : after;
  const std::size_t start = out.size();
  bool matched = false;
  std::size_t copied = 0;  // s[0, copied) is already in out
  std::size_t searchFrom = anchorBefore ? 0 : 3;
  while (searchFrom <= s.size()) {
    const std::size_t a = anchor.empty() ? searchFrom : FindText(s, anchor, searchFrom);
    if (a == TextView::npos) break;
    const std::size_t at = anchorBefore ? a : a - 3;
    if (at >= copied && TagMatchAt(s, at, before, after)) {
      matched = true;
      out.append(s.substr(copied, at - copied));
      out.append(newBefore);
      out.append(s.substr(at + before.size(), 3));
      out.append(newAfter);
      copied = at + length;
      searchFrom = anchorBefore ? copied : copied + 3;
    } else {
      searchFrom = a + 1;
    }
  }
  if (!matched) {
    out.resize(start);
    return false;
  }
  out.append(s.substr(copied));
  return true;
}

bool AppendFieldStartTagsReplaced(TextView s, TextView separator, TextView after,
                                  TextView newBefore, TextView newAfter, Text& out) {
  const std::size_t start = out.size();
  bool matched = false;
  std::size_t copied = 0;  // s[0, copied) is already in out
  // Field starts: the start of the text, then every position after a separator.
  std::size_t fieldStart = 0;
  while (true) {
    if (fieldStart >= copied && TagMatchAt(s, fieldStart, u"", after)) {
      matched = true;
      out.append(s.substr(copied, fieldStart - copied));
      out.append(newBefore);
      out.append(s.substr(fieldStart, 3));
      out.append(newAfter);
      copied = fieldStart + 3 + after.size();
    }
    if (separator.empty()) break;
    const std::size_t next = FindText(s, separator, fieldStart);
    if (next == TextView::npos) break;
    fieldStart = next + separator.size();
  }
  if (!matched) {
    out.resize(start);
    return false;
  }
  out.append(s.substr(copied));
  return true;
}

bool AppendSubfieldCodesMarked(TextView s, TextView bar, TextView codes, TextView mark, Text& out) {
  if (bar.empty()) return false;
  const std::size_t start = out.size();
  bool matched = false;
  std::size_t copied = 0;  // s[0, copied) is already in out
  std::size_t searchFrom = 0;
  while (true) {
    const std::size_t a = FindText(s, bar, searchFrom);
    if (a == TextView::npos) break;
    const std::size_t code = a + bar.size();
    if (code < s.size() && codes.find(s[code]) != TextView::npos &&
        s.substr(code + 1, bar.size()) == bar) {
      matched = true;
      out.append(s.substr(copied, code - copied));  // up to and with the first bar
      out.append(mark);
      out.push_back(s[code]);
      copied = searchFrom = code + 1 + bar.size();  // the second bar is consumed
    } else {
      searchFrom = a + 1;
    }
  }
  if (!matched) {
    out.resize(start);
    return false;
  }
  out.append(s.substr(copied));
  return true;
}

Text ReplaceTags(TextView s, TextView before, TextView after, TextView newBefore,
                 TextView newAfter) {
  Text out;
  if (!AppendTagsReplaced(s, before, after, newBefore, newAfter, out)) return Text(s);
  return out;
}

Text RunRewrite(Text s, std::span<const RewriteStep> steps) {
  // Two buffers that trade places after each step: on large texts, reusing
  // their memory costs far less than a fresh allocation per step.
  Text next;
  next.reserve(s.size() + s.size() / 4);  // room for what the steps insert, allocated once
  for (const RewriteStep& step : steps) {
    next.clear();
    bool changed = false;
    switch (step.kind) {
      case RewriteStep::Kind::Replace:
        changed = AppendReplaced(s, step.find, step.replacement, next);
        break;
      case RewriteStep::Kind::TagRule:
        changed =
            AppendTagsReplaced(s, step.before, step.after, step.newBefore, step.newAfter, next);
        break;
      case RewriteStep::Kind::FieldStartTagRule:
        changed = AppendFieldStartTagsReplaced(s, step.before, step.after, step.newBefore,
                                               step.newAfter, next);
        break;
      case RewriteStep::Kind::SubfieldCodeRule:
        changed = AppendSubfieldCodesMarked(s, step.before, step.codes, step.mark, next);
        break;
    }
    if (changed) s.swap(next);
  }
  return s;
}

}  // namespace velmora
