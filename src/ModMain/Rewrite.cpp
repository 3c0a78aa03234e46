#include "ModMain/Rewrite.h"

#include <initializer_list>

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

// Builds a step's result at the end of `out`: the text between matches is
// copied as it is and each match is replaced. Finish appends the rest; when
// nothing matched it takes back what was appended and says so, so that the
// caller keeps its text.
class MatchWriter {
 public:
  MatchWriter(TextView s, Text& out) : s_(s), out_(out), start_(out.size()) {}

  // s[copied, at) is copied, then `replacement`; s goes on at `resume`.
  void Replace(std::size_t at, std::size_t resume, std::initializer_list<TextView> replacement) {
    out_.append(s_.substr(copied_, at - copied_));
    for (const TextView piece : replacement) out_.append(piece);
    copied_ = resume;
    matched_ = true;
  }
  // Where s goes on: a match may not start before it.
  std::size_t Copied() const { return copied_; }

  bool Finish() {
    if (!matched_) {
      out_.resize(start_);
      return false;
    }
    out_.append(s_.substr(copied_));
    return true;
  }

 private:
  TextView s_;
  Text& out_;
  std::size_t start_;
  std::size_t copied_ = 0;  // s[0, copied_) is already in out
  bool matched_ = false;
};

}  // namespace

bool AppendTagsReplaced(TextView s, TextView before, TextView after, TextView newBefore,
                        TextView newAfter, Text& out) {
  const std::size_t length = before.size() + 3 + after.size();
  // Candidates are found through the literal part of the pattern, so the
  // scan stays linear: `before` when there is one, otherwise `after`.
  const bool anchorBefore = !before.empty();
  const TextView anchor = anchorBefore ? before : after;
  MatchWriter writer(s, out);
  std::size_t searchFrom = anchorBefore ? 0 : 3;
  while (searchFrom <= s.size()) {
    const std::size_t a = anchor.empty() ? searchFrom : FindText(s, anchor, searchFrom);
    if (a == TextView::npos) break;
    const std::size_t at = anchorBefore ? a : a - 3;
    if (at >= writer.Copied() && TagMatchAt(s, at, before, after)) {
      writer.Replace(at, at + length, {newBefore, s.substr(at + before.size(), 3), newAfter});
      searchFrom = anchorBefore ? writer.Copied() : writer.Copied() + 3;
    } else {
      searchFrom = a + 1;
    }
  }
  return writer.Finish();
}

bool AppendFieldStartTagsReplaced(TextView s, TextView separator, TextView after,
                                  TextView newBefore, TextView newAfter, Text& out) {
  MatchWriter writer(s, out);
  // Field starts: the start of the text, then every position after a separator.
  std::size_t fieldStart = 0;
  while (true) {
    if (fieldStart >= writer.Copied() && TagMatchAt(s, fieldStart, u"", after)) {
      writer.Replace(fieldStart, fieldStart + 3 + after.size(),
                     {newBefore, s.substr(fieldStart, 3), newAfter});
    }
    if (separator.empty()) break;
    const std::size_t next = FindText(s, separator, fieldStart);
    if (next == TextView::npos) break;
    fieldStart = next + separator.size();
  }
  return writer.Finish();
}

bool AppendSubfieldCodesMarked(TextView s, TextView bar, TextView codes, TextView mark, Text& out) {
  if (bar.empty()) return false;
  MatchWriter writer(s, out);
  std::size_t searchFrom = 0;
  while (true) {
    const std::size_t a = FindText(s, bar, searchFrom);
    if (a == TextView::npos) break;
    const std::size_t code = a + bar.size();
    if (code < s.size() && codes.find(s[code]) != TextView::npos &&
        s.substr(code + 1, bar.size()) == bar) {
      // Kept up to and with the first bar; the second bar is consumed.
      writer.Replace(code, code + 1 + bar.size(), {mark, s.substr(code, 1)});
      searchFrom = writer.Copied();
    } else {
      searchFrom = a + 1;
    }
  }
  return writer.Finish();
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
