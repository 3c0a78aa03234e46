#include "reference/LiteralSteps.h"

namespace velmora::reference {
namespace {

using records::RewriteStep;

Text EachTagLiterally(Text s, const RewriteStep& step) {
  for (int c = 1; c <= 999; ++c) {
    const Text tag = text::ThreeDigitForm(c);
    s = text::Replace(s, Text(step.before) + tag + Text(step.after),
                      Text(step.newBefore) + tag + Text(step.newAfter));
  }
  return s;
}

bool StartsAField(TextView s, std::size_t at, TextView separator) {
  return at == 0 || (!separator.empty() && s.substr(0, at).ends_with(separator));
}

Text EachFieldStartTagLiterally(Text s, const RewriteStep& step) {
  for (int c = 1; c <= 999; ++c) {
    const Text tag = text::ThreeDigitForm(c);
    const Text find = tag + Text(step.after);
    const Text replacement = Text(step.newBefore) + tag + Text(step.newAfter);
    Text out;
    std::size_t copied = 0;
    for (std::size_t at = s.find(find); at != Text::npos;) {
      if (StartsAField(s, at, step.before)) {
        out.append(s, copied, at - copied).append(replacement);
        copied = at + find.size();
        at = s.find(find, copied);
      } else {
        at = s.find(find, at + 1);
      }
    }
    s = out.append(s, copied);
  }
  return s;
}

Text SubfieldCodesByScan(TextView s, const RewriteStep& step) {
  const TextView bar = step.before;
  if (bar.empty()) return Text(s);
  Text out;
  std::size_t i = 0;
  while (i < s.size()) {
    const std::size_t code = i + bar.size();
    if (s.substr(i, bar.size()) == bar && code < s.size() &&
        step.codes.find(s[code]) != TextView::npos && s.substr(code + 1, bar.size()) == bar) {
      out.append(bar).append(step.mark).push_back(s[code]);
      i = code + 1 + bar.size();
    } else {
      out.push_back(s[i]);
      i += 1;
    }
  }
  return out;
}

Text ReplaceInLinesLiterally(TextView s, const RewriteStep& step) {
  Text out;
  for (std::size_t lineStart = 0; lineStart < s.size();) {
    const std::size_t lineBreak = s.find(text::kCrlf, lineStart);
    const std::size_t lineEnd = lineBreak == TextView::npos ? s.size() : lineBreak + 2;
    const TextView line = s.substr(lineStart, lineEnd - lineStart);
    const bool chosen = step.codes.find(line.front()) != TextView::npos;
    out += chosen ? text::Replace(line, step.find, step.replacement) : Text(line);
    lineStart = lineEnd;
  }
  return out;
}

}  // namespace

Text RunStepLiterally(Text s, const RewriteStep& step) {
  switch (step.kind) {
    case RewriteStep::Kind::Replace:
      return text::Replace(s, step.find, step.replacement);
    case RewriteStep::Kind::TagRule:
      return EachTagLiterally(std::move(s), step);
    case RewriteStep::Kind::FieldStartTagRule:
      return EachFieldStartTagLiterally(std::move(s), step);
    case RewriteStep::Kind::SubfieldCodeRule:
      return SubfieldCodesByScan(s, step);
    case RewriteStep::Kind::LineReplace:
      return ReplaceInLinesLiterally(s, step);
    case RewriteStep::Kind::Prepend:
      return Text(step.replacement) + s;
  }
  return s;
}

Text RunStepsLiterally(Text s, std::span<const RewriteStep> steps) {
  for (const RewriteStep& step : steps) s = RunStepLiterally(std::move(s), step);
  return s;
}

}  // namespace velmora::reference
