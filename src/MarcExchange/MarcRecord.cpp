#include "MarcExchange/MarcRecord.h"

#include <algorithm>

#include "MarcExchange/MarcChars.h"
#include "Messages/Translate.h"

namespace velmora::marc_exchange {
namespace {

constexpr std::size_t kTagLength = 3;
constexpr TextView kNoTag = u"000";  // the place of the leader in some displays, never a field
constexpr char16_t kLastControlTagDigit = u'9';
// The control fields whose every position is a code, where "#" is a blank.
constexpr TextView kFixedLengthTags[] = {u"006", u"007", u"008"};

bool IsAsciiLowercase(char16_t ch) {
  return ch >= u'a' && ch <= u'z';
}
bool IsAsciiLetter(char16_t ch) {
  return IsAsciiLowercase(ch) || (ch >= u'A' && ch <= u'Z');
}

// In the working text a blank indicator is "#"; a space there is not one.
bool IsWorkingTextIndicator(char16_t ch) {
  return ch == kWorkingTextBlank || text::IsAsciiDigit(ch) || IsAsciiLowercase(ch);
}
char16_t IndicatorFromWorkingText(char16_t ch) {
  return ch == kWorkingTextBlank ? kBlankIndicator : ch;
}
// What the sources leave as an indicator: a space is a blank too.
bool IsSourceIndicator(char16_t ch) {
  return ch == kBlankIndicator || IsWorkingTextIndicator(ch);
}

bool IsFixedLengthTag(TextView tag) {
  return std::find(std::begin(kFixedLengthTags), std::end(kFixedLengthTags), tag) !=
         std::end(kFixedLengthTags);
}

enum class Form { kOutputRecord, kWorkingText };

// Adds an issue; a bad subfield or a replaced character right after one of
// the same kind lengthens it instead, so that a run («$$$$», a row of control
// characters) is one issue.
void AddIssue(std::vector<ParseIssue>& issues, ParseIssueKind kind, std::size_t position,
              TextView piece) {
  const bool mergeable =
      kind == ParseIssueKind::kBadSubfieldCode || kind == ParseIssueKind::kReplacedCharacter;
  if (mergeable && !issues.empty() && issues.back().kind == kind &&
      issues.back().position + issues.back().piece.size() == position) {
    issues.back().piece += piece;
  } else {
    issues.push_back({kind, position, Text(piece)});
  }
}

class Parser {
 public:
  Parser(TextView text, Form form) : text_(text), form_(form) {}

  ParseResult Run() {
    // As the lookups do, the whole text loses its spaces at both ends.
    const std::size_t last = text_.find_last_not_of(text::kSpace);
    const std::size_t end = last == TextView::npos ? 0 : last + 1;
    std::size_t start = 0;
    while (start < end) {
      std::size_t stop = text_.find(text::kFieldSeparator, start);
      if (stop == TextView::npos || stop > end) stop = end;
      Piece(start, stop);
      start = stop + 1;
    }
    return std::move(result_);
  }

 private:
  // One piece between separators, [start, stop) of the text: «245=00$aX».
  void Piece(std::size_t start, std::size_t stop) {
    const std::size_t first = text_.find_first_not_of(text::kSpace, start);
    if (first == TextView::npos || first >= stop) return;  // "%%", "% %": nothing lost
    start = first;
    ++pieces_;
    const TextView piece = text_.substr(start, stop - start);
    if (form_ == Form::kWorkingText && piece.starts_with(kNoTag)) return;  // the leader
    if (piece.size() <= kTagLength || piece[kTagLength] != kFieldEquals ||
        !IsValidTag(piece.substr(0, kTagLength))) {
      Report(ParseIssueKind::kNotAField, start, piece);
      return;
    }
    MarcField field;
    field.tag = Text(piece.substr(0, kTagLength));
    const TextView afterEquals = piece.substr(kTagLength + 1);
    const TextView content = text::TrimLeadingSpaces(afterEquals);
    const std::size_t contentStart = start + kTagLength + 1 + (afterEquals.size() - content.size());
    if (content.empty()) {
      Report(ParseIssueKind::kEmptyField, start, piece);
    } else if (field.IsControlField()) {
      field.data = Safe(content, contentStart, result_.issues);
      if (form_ == Form::kWorkingText && IsFixedLengthTag(field.tag)) {
        std::replace(field.data.begin(), field.data.end(), kWorkingTextBlank, kBlankIndicator);
      }
      Keep(std::move(field));
    } else if (form_ == Form::kWorkingText) {
      const std::size_t headEnd = afterEquals.find(text::kSubfieldDelimiter);
      std::size_t length = 0;
      if (const std::optional<Indicators> indicators =
              ReadWorkingIndicators(afterEquals.substr(0, headEnd), length)) {
        field.ind1 = indicators->ind1;
        field.ind2 = indicators->ind2;
      }  // else blanks, and the head is reported as stray text
      const std::size_t subfieldsStart = start + kTagLength + 1 + length;
      DataField(std::move(field), start, piece, afterEquals.substr(length), subfieldsStart);
    } else if (content.size() < 2 || !IsWorkingTextIndicator(content[0]) ||
               !IsWorkingTextIndicator(content[1])) {
      Report(ParseIssueKind::kBadIndicators, start, piece);
    } else {
      field.ind1 = IndicatorFromWorkingText(content[0]);
      field.ind2 = IndicatorFromWorkingText(content[1]);
      DataField(std::move(field), start, piece, content.substr(2), contentStart + 2);
    }
  }

  // The subfields «$aX$bY» of a data field that starts at `start`.
  void DataField(MarcField field, std::size_t start, TextView piece, TextView subfields,
                 std::size_t subfieldsStart) {
    std::vector<ParseIssue> issues;
    std::size_t mark = subfields.find(text::kSubfieldDelimiter);
    if (mark != 0) {
      AddIssue(issues, ParseIssueKind::kStrayText, subfieldsStart, subfields.substr(0, mark));
    }
    while (mark != TextView::npos) {
      const std::size_t next = subfields.find(text::kSubfieldDelimiter, mark + 1);
      const std::size_t stop = next == TextView::npos ? subfields.size() : next;
      if (mark + 1 == stop || !IsValidSubfieldCode(subfields[mark + 1])) {
        AddIssue(issues, ParseIssueKind::kBadSubfieldCode, subfieldsStart + mark,
                 subfields.substr(mark, stop - mark));
      } else {
        const TextView value = subfields.substr(mark + 2, stop - mark - 2);
        field.subfields.push_back(
            {subfields[mark + 1], Safe(value, subfieldsStart + mark + 2, issues)});
      }
      mark = next;
    }
    if (field.subfields.empty()) {
      // Whatever went wrong inside, the field as a whole is what is lost.
      Report(ParseIssueKind::kEmptyField, start, piece);
      return;
    }
    result_.issues.insert(result_.issues.end(), std::make_move_iterator(issues.begin()),
                          std::make_move_iterator(issues.end()));
    Keep(std::move(field));
  }

  void Keep(MarcField field) {
    result_.record.fields.push_back(std::move(field));
    result_.fieldPieces.push_back(pieces_ - 1);
  }

  // `value` with MarcSafeCodePoint applied; each change is reported.
  static Text Safe(TextView value, std::size_t valueStart, std::vector<ParseIssue>& issues) {
    Text out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
      const char16_t unit = value[i];
      if (text::IsHighSurrogate(unit) && i + 1 < value.size() &&
          text::IsLowSurrogate(value[i + 1])) {
        out.push_back(unit);
        out.push_back(value[++i]);
        continue;
      }
      const char32_t safe = MarcSafeCodePoint(unit);
      if (safe != unit) {
        AddIssue(issues, ParseIssueKind::kReplacedCharacter, valueStart + i, value.substr(i, 1));
      }
      out.push_back(static_cast<char16_t>(safe));  // every replacement is in the BMP
    }
    return out;
  }

  void Report(ParseIssueKind kind, std::size_t position, TextView piece) {
    AddIssue(result_.issues, kind, position, piece);
  }

  TextView text_;
  Form form_;
  std::size_t pieces_ = 0;  // pieces that are not empty, so far
  ParseResult result_;
};

}  // namespace

bool MarcField::IsControlField() const {
  return IsControlTag(tag);
}

bool IsValidTag(TextView tag) {
  return tag.size() == kTagLength && text::IsAsciiDigit(tag[0]) && text::IsAsciiDigit(tag[1]) &&
         text::IsAsciiDigit(tag[2]) && tag != kNoTag;
}

bool IsControlTag(TextView tag) {
  return IsValidTag(tag) && tag[0] == u'0' && tag[1] == u'0' && tag[2] <= kLastControlTagDigit;
}

bool IsValidIndicator(char16_t ind) {
  return ind == kBlankIndicator || text::IsAsciiDigit(ind) || IsAsciiLowercase(ind);
}

bool IsValidSubfieldCode(char16_t code) {
  return text::IsAsciiDigit(code) || IsAsciiLetter(code);
}

char32_t MarcSafeCodePoint(char32_t cp) {
  constexpr char32_t kLastC0Control = 0x1F;
  constexpr char32_t kNonCharacterFffe = 0xFFFE, kNonCharacterFfff = 0xFFFF;
  if (cp == text::kTab || cp == text::kLineFeed || cp == text::kCarriageReturn) return text::kSpace;
  if (cp <= kLastC0Control || text::IsSurrogate(cp) || cp == kNonCharacterFffe ||
      cp == kNonCharacterFfff) {
    return kReplacementCharacter;
  }
  return cp;
}

std::string_view Describe(ParseIssueKind kind) {
  switch (kind) {
    case ParseIssueKind::kNotAField:
      return messages::Translatable("not a field (no three-digit tag followed by '=')");
    case ParseIssueKind::kEmptyField:
      return messages::Translatable("field without data or subfields");
    case ParseIssueKind::kBadIndicators:
      return messages::Translatable(
          "field without two indicators ('#', digit or lowercase letter)");
    case ParseIssueKind::kStrayText:
      return messages::Translatable("text before the field's first subfield");
    case ParseIssueKind::kBadSubfieldCode:
      return messages::Translatable("'$' not followed by a subfield code (ASCII letter or digit)");
    case ParseIssueKind::kReplacedCharacter:
      return messages::Translatable("character that MARC cannot carry, replaced");
  }
  return "unknown";
}

ParseResult ParseOutputRecord(TextView outputRecord) {
  return Parser(outputRecord, Form::kOutputRecord).Run();
}

ParseResult ParseWorkingText(TextView working) {
  return Parser(working, Form::kWorkingText).Run();
}

std::optional<Indicators> ReadWorkingIndicators(TextView head, std::size_t& length) {
  length = 0;
  if (head.size() > 2 || !std::all_of(head.begin(), head.end(), IsSourceIndicator)) {
    return std::nullopt;
  }
  Indicators indicators;
  if (head.size() >= 1) indicators.ind1 = IndicatorFromWorkingText(head[0]);
  if (head.size() == 2) indicators.ind2 = IndicatorFromWorkingText(head[1]);
  length = head.size();
  return indicators;
}

void SortFieldsByTag(MarcRecord& record) {
  // Tags are three ASCII digits, so comparing them as text orders them as
  // numbers, and the control fields 001-009 come before every data field.
  std::stable_sort(record.fields.begin(), record.fields.end(),
                   [](const MarcField& a, const MarcField& b) { return a.tag < b.tag; });
}

}  // namespace velmora::marc_exchange
