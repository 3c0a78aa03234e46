#include "MarcExchange/FixedField008.h"

#include <algorithm>

namespace velmora::marc_exchange {
namespace {

constexpr TextView kFixedFieldTag = u"008";
constexpr std::size_t kFixedFieldLength = 40;
constexpr char16_t kFill = u'|';
constexpr char16_t kSingleKnownDate = u's';
constexpr TextView kPlaceVietnam = u"vm ";
constexpr TextView kDefaultLanguage = u"vie";
constexpr std::size_t kYearDigits = 4, kLanguageLetters = 3;
// Where the pieces stand in the 008.
constexpr std::size_t kTypeOfDate = 6, kDate1 = 7, kPlace = 15, kLanguage = 35;

void AppendTwoDigits(int n, Text& out) {
  out.push_back(static_cast<char16_t>(u'0' + n / 10 % 10));
  out.push_back(static_cast<char16_t>(u'0' + n % 10));
}

// The first value of subfield `code` in the first field `tag` that has one.
TextView FirstSubfield(const MarcRecord& record, TextView tag, char16_t code) {
  for (const MarcField& field : record.fields) {
    if (field.tag != tag) continue;
    for (const Subfield& subfield : field.subfields) {
      if (subfield.code == code) return subfield.value;
    }
  }
  return {};
}

// The first run of exactly four digits: «c2019.» -> 2019; «19--», «20190» none.
TextView YearIn(TextView date) {
  for (std::size_t i = 0; i < date.size();) {
    if (!text::IsAsciiDigit(date[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < date.size() && text::IsAsciiDigit(date[end])) ++end;
    if (end - i == kYearDigits) return date.substr(i, kYearDigits);
    i = end;
  }
  return {};
}

TextView PublicationYear(const MarcRecord& record) {
  for (const TextView tag : {TextView(u"260"), TextView(u"264")}) {
    for (const MarcField& field : record.fields) {
      if (field.tag != tag) continue;
      for (const Subfield& subfield : field.subfields) {
        if (subfield.code != u'c') continue;
        if (const TextView year = YearIn(subfield.value); !year.empty()) return year;
      }
    }
  }
  return {};
}

Text LanguageCode(const MarcRecord& record) {
  const TextView value = FirstSubfield(record, u"041", u'a');
  if (value.size() < kLanguageLetters) return Text(kDefaultLanguage);
  Text code;
  for (const char16_t ch : value.substr(0, kLanguageLetters)) {
    const char16_t lower =
        (ch >= u'A' && ch <= u'Z') ? static_cast<char16_t>(ch - u'A' + u'a') : ch;
    if (lower < u'a' || lower > u'z') return Text(kDefaultLanguage);
    code.push_back(lower);
  }
  return code;
}

}  // namespace

Text MinimalFixedField008(const MarcRecord& record, const CalendarDate& dateEntered) {
  Text out;
  AppendTwoDigits(dateEntered.year % 100, out);
  AppendTwoDigits(dateEntered.month, out);
  AppendTwoDigits(dateEntered.day, out);
  out.resize(kFixedFieldLength, kFill);
  if (const TextView year = PublicationYear(record); !year.empty()) {
    out[kTypeOfDate] = kSingleKnownDate;
    out.replace(kDate1, kYearDigits, year);
  }
  out.replace(kPlace, kPlaceVietnam.size(), kPlaceVietnam);
  out.replace(kLanguage, kLanguageLetters, LanguageCode(record));
  return out;
}

void CompleteForExchange(MarcRecord& record, const CalendarDate& dateEntered) {
  const bool hasFixedField =
      std::any_of(record.fields.begin(), record.fields.end(),
                  [](const MarcField& field) { return field.tag == kFixedFieldTag; });
  if (!record.fields.empty() && !hasFixedField) {
    MarcField fixed;
    fixed.tag = Text(kFixedFieldTag);
    fixed.data = MinimalFixedField008(record, dateEntered);
    record.fields.push_back(std::move(fixed));
  }
  SortFieldsByTag(record);
}

}  // namespace velmora::marc_exchange
