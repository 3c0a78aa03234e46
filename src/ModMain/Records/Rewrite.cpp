#include "ModMain/Records/Rewrite.h"

#include <initializer_list>

namespace velmora::records {
namespace {

using Pieces = std::initializer_list<TextView>;

bool IsTagDigits(TextView s, std::size_t at) {
  return text::IsAsciiDigit(s[at]) && text::IsAsciiDigit(s[at + 1]) &&
         text::IsAsciiDigit(s[at + 2]) &&
         !(s[at] == u'0' && s[at + 1] == u'0' && s[at + 2] == u'0');  // "000" is never a tag
}

// Whether before + ddd + after stands at `at` (ddd a tag other than "000").
bool TagMatchAt(TextView s, std::size_t at, TextView before, TextView after) {
  const std::size_t length = before.size() + 3 + after.size();
  if (at + length > s.size()) return false;
  return s.substr(at, before.size()) == before && IsTagDigits(s, at + before.size()) &&
         s.substr(at + before.size() + 3, after.size()) == after;
}

// The sinks a step's scan reports its matches to, left to right:
// Replace(at, resume, pieces) keeps s[Copied(), at) as it is, puts the pieces
// in place of s[at, resume) and goes on at `resume`. A scan never reads s
// before Copied(), so a sink may overwrite what lies there.

// Builds the result at the end of a second buffer. Finish appends the rest;
// when nothing matched it takes back what was appended and says so, so that
// the caller keeps its text.
class AppendSink {
 public:
  AppendSink(TextView s, Text& out) : s_(s), out_(out), start_(out.size()) {}

  void Replace(std::size_t at, std::size_t resume, Pieces replacement) {
    out_.append(s_.substr(copied_, at - copied_));
    for (const TextView piece : replacement) out_.append(piece);
    copied_ = resume;
    matched_ = true;
  }
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

// Counts the matches, for the room a lengthening step needs.
class CountSink {
 public:
  void Replace(std::size_t, std::size_t resume, Pieces) {
    copied_ = resume;
    ++matches_;
  }
  std::size_t Copied() const { return copied_; }
  std::size_t Matches() const { return matches_; }

 private:
  std::size_t copied_ = 0;
  std::size_t matches_ = 0;
};

// Writes the result from `to` on, in the buffer that holds s at or after
// `to`: far enough right that the result never reaches the part of s still
// to be read (the caller's guarantee).
class InPlaceSink {
 public:
  InPlaceSink(TextView s, char16_t* to) : s_(s), to_(to) {}

  void Replace(std::size_t at, std::size_t resume, Pieces replacement) {
    // A piece may quote s (a tag's digits): gathered before anything is written.
    staged_.clear();
    for (const TextView piece : replacement) staged_.append(piece);
    Keep(at);
    Text::traits_type::copy(to_ + written_, staged_.data(), staged_.size());
    written_ += staged_.size();
    copied_ = resume;
    matched_ = true;
  }
  std::size_t Copied() const { return copied_; }
  bool Matched() const { return matched_; }

  // The rest kept; the length of the result.
  std::size_t Finish() {
    Keep(s_.size());
    return written_;
  }

 private:
  // s[copied_, end) written as it is.
  void Keep(std::size_t end) {
    const char16_t* from = s_.data() + copied_;
    if (to_ + written_ != from) Text::traits_type::move(to_ + written_, from, end - copied_);
    written_ += end - copied_;
  }

  TextView s_;
  char16_t* to_;
  std::size_t written_ = 0;
  std::size_t copied_ = 0;
  bool matched_ = false;
  Text staged_;
};

template <class Sink>
void ScanReplace(TextView s, TextView find, TextView replacement, Sink& sink) {
  if (find.empty()) return;
  for (std::size_t at = text::FindText(s, find); at != TextView::npos;
       at = text::FindText(s, find, sink.Copied())) {
    sink.Replace(at, at + find.size(), {replacement});
  }
}

template <class Sink>
void ScanTags(TextView s, TextView before, TextView after, TextView newBefore, TextView newAfter,
              Sink& sink) {
  const std::size_t length = before.size() + 3 + after.size();
  // Candidates are found through the literal part of the pattern, so the
  // scan stays linear: `before` when there is one, otherwise `after`.
  const bool anchorBefore = !before.empty();
  const TextView anchor = anchorBefore ? before : after;
  std::size_t searchFrom = anchorBefore ? 0 : 3;
  while (searchFrom <= s.size()) {
    const std::size_t a = anchor.empty() ? searchFrom : text::FindText(s, anchor, searchFrom);
    if (a == TextView::npos) break;
    const std::size_t at = anchorBefore ? a : a - 3;
    if (at >= sink.Copied() && TagMatchAt(s, at, before, after)) {
      sink.Replace(at, at + length, {newBefore, s.substr(at + before.size(), 3), newAfter});
      searchFrom = anchorBefore ? sink.Copied() : sink.Copied() + 3;
    } else {
      searchFrom = a + 1;
    }
  }
}

// Whether no separator can begin inside a match «ddd` + `after»: then the
// search for the next field start may begin after the match, where the
// scan of an in-place step must stay.
bool SeparatorOutsideMatches(TextView separator, TextView after) {
  return separator.empty() || (!text::IsAsciiDigit(separator.front()) &&
                               after.find(separator.front()) == TextView::npos);
}

template <class Sink>
void ScanFieldStartTags(TextView s, TextView separator, TextView after, TextView newBefore,
                        TextView newAfter, Sink& sink) {
  const bool skipMatches = SeparatorOutsideMatches(separator, after);
  // Field starts: the start of the text, then every position after a separator.
  std::size_t fieldStart = 0;
  while (true) {
    if (fieldStart >= sink.Copied() && TagMatchAt(s, fieldStart, u"", after)) {
      sink.Replace(fieldStart, fieldStart + 3 + after.size(),
                   {newBefore, s.substr(fieldStart, 3), newAfter});
    }
    if (separator.empty()) break;
    const std::size_t next = text::FindText(
        s, separator, skipMatches ? std::max(fieldStart, sink.Copied()) : fieldStart);
    if (next == TextView::npos) break;
    fieldStart = next + separator.size();
  }
}

template <class Sink>
void ScanSubfieldCodes(TextView s, TextView bar, TextView codes, TextView mark, Sink& sink) {
  if (bar.empty()) return;
  std::size_t searchFrom = 0;
  while (true) {
    const std::size_t a = text::FindText(s, bar, searchFrom);
    if (a == TextView::npos) break;
    const std::size_t code = a + bar.size();
    if (code < s.size() && codes.find(s[code]) != TextView::npos &&
        s.substr(code + 1, bar.size()) == bar) {
      // Kept up to and with the first bar; the second bar is consumed.
      sink.Replace(code, code + 1 + bar.size(), {mark, s.substr(code, 1)});
      searchFrom = sink.Copied();
    } else {
      searchFrom = a + 1;
    }
  }
}

template <class Sink>
void ScanLines(TextView s, TextView firstUnits, TextView find, TextView replacement, Sink& sink) {
  if (find.empty()) return;
  for (std::size_t lineStart = 0; lineStart < s.size();) {
    const std::size_t lineBreak = text::FindText(s, text::kCrlf, lineStart);
    const std::size_t lineEnd =
        lineBreak == TextView::npos ? s.size() : lineBreak + text::kCrlf.size();
    if (firstUnits.find(s[lineStart]) != TextView::npos) {
      const TextView upToLineEnd = s.substr(0, lineEnd);  // no match runs past the line
      for (std::size_t at = text::FindText(upToLineEnd, find, lineStart); at != TextView::npos;
           at = text::FindText(upToLineEnd, find, sink.Copied())) {
        sink.Replace(at, at + find.size(), {replacement});
      }
    }
    lineStart = lineEnd;
  }
}

template <class Sink>
void Scan(TextView s, const RewriteStep& step, Sink& sink) {
  switch (step.kind) {
    case RewriteStep::Kind::Replace:
      ScanReplace(s, step.find, step.replacement, sink);
      break;
    case RewriteStep::Kind::TagRule:
      ScanTags(s, step.before, step.after, step.newBefore, step.newAfter, sink);
      break;
    case RewriteStep::Kind::FieldStartTagRule:
      ScanFieldStartTags(s, step.before, step.after, step.newBefore, step.newAfter, sink);
      break;
    case RewriteStep::Kind::SubfieldCodeRule:
      ScanSubfieldCodes(s, step.before, step.codes, step.mark, sink);
      break;
    case RewriteStep::Kind::LineReplace:
      ScanLines(s, step.codes, step.find, step.replacement, sink);
      break;
    case RewriteStep::Kind::Prepend:
      // One match at the start that takes nothing of the text.
      if (!step.replacement.empty()) sink.Replace(0, 0, {step.replacement});
      break;
  }
}

// How many units each match of the step adds (negative: takes away).
std::ptrdiff_t GrowthPerMatch(const RewriteStep& step) {
  const auto size = [](TextView text) { return static_cast<std::ptrdiff_t>(text.size()); };
  switch (step.kind) {
    case RewriteStep::Kind::Replace:
    case RewriteStep::Kind::LineReplace:
      return size(step.replacement) - size(step.find);
    case RewriteStep::Kind::TagRule:  // before + ddd + after
      return size(step.newBefore) + size(step.newAfter) - size(step.before) - size(step.after);
    case RewriteStep::Kind::FieldStartTagRule:  // ddd + after
      return size(step.newBefore) + size(step.newAfter) - size(step.after);
    case RewriteStep::Kind::SubfieldCodeRule:  // code + bar -> mark + code
      return size(step.mark) - size(step.before);
    case RewriteStep::Kind::Prepend:
      return size(step.replacement);
  }
  return 0;
}

// Whether the step's scan stays at or after Copied(), as InPlaceSink needs.
bool RunsInPlace(const RewriteStep& step) {
  return step.kind != RewriteStep::Kind::FieldStartTagRule ||
         SeparatorOutsideMatches(step.before, step.after);
}

// One step in the buffer of `s`. Each match moves what follows it by the
// same growth g, so after c of k matches the result has reached position
// p + c * g of a text read up to p; with the text moved right by k * g
// (g > 0) or not at all (g <= 0), that is never beyond where it is read.
void RewriteInPlace(Text& s, const RewriteStep& step) {
  const std::size_t length = s.size();
  const std::ptrdiff_t growth = GrowthPerMatch(step);
  std::size_t shift = 0;
  if (growth > 0) {
    CountSink counter;
    Scan(s, step, counter);
    if (counter.Matches() == 0) return;
    shift = counter.Matches() * static_cast<std::size_t>(growth);
    s.resize(length + shift);
    Text::traits_type::move(s.data() + shift, s.data(), length);
  }
  InPlaceSink sink(TextView(s.data() + shift, length), s.data());
  Scan(TextView(s.data() + shift, length), step, sink);
  if (sink.Matched()) s.resize(sink.Finish());
}

}  // namespace

bool AppendStepResult(TextView s, const RewriteStep& step, Text& out) {
  AppendSink sink(s, out);
  Scan(s, step, sink);
  return sink.Finish();
}

std::size_t PrependedLength(std::span<const RewriteStep> steps) {
  std::size_t length = 0;
  for (const RewriteStep& step : steps) {
    if (step.kind == RewriteStep::Kind::Prepend) length += step.replacement.size();
  }
  return length;
}

Text RunRewrite(Text s, std::span<const RewriteStep> steps) {
  Text next;  // for a step that cannot run in place
  for (const RewriteStep& step : steps) {
    if (RunsInPlace(step)) {
      RewriteInPlace(s, step);
    } else {
      next.clear();
      if (AppendStepResult(s, step, next)) s.swap(next);
    }
  }
  return s;
}

}  // namespace velmora::records
