#include "MarcRepair/CatalogueChecks.h"

#include <optional>
#include <string>

#include "Encodings/Normalization.h"
#include "Encodings/Utf8.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::marc_repair {
namespace {

constexpr char16_t kDelimiter = u'\x1F';
constexpr std::size_t kLanguageAt = 35;  // 008/35-37
constexpr std::size_t kLanguageLength = 3;

// The tags of names, where every word of a name is capitalised.
constexpr std::string_view kNameTags[] = {"100", "110", "111", "600", "610",
                                          "611", "700", "710", "711"};

bool IsAsciiLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

char16_t AsciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// The value of the first subfield `code` of a data field's text.
std::optional<TextView> FirstSubfield(TextView text, char16_t code) {
  for (std::size_t at = text.find(kDelimiter); at != TextView::npos;) {
    const std::size_t next = text.find(kDelimiter, at + 1);
    if (at + 1 < text.size() && text[at + 1] == code) {
      const std::size_t end = next == TextView::npos ? text.size() : next;
      return text.substr(at + 2, end - at - 2);
    }
    at = next;
  }
  return std::nullopt;
}

std::string Utf8(TextView text) {
  return encodings::EncodeUtf8(text);
}

void CheckLanguage(std::span<const CheckedField> fields, std::vector<Finding>& findings) {
  const CheckedField* fixed = nullptr;
  const CheckedField* languages = nullptr;
  for (const CheckedField& field : fields) {
    if (field.tag == "008" && fixed == nullptr) fixed = &field;
    if (field.tag == "041" && languages == nullptr) languages = &field;
  }
  if (fixed == nullptr || languages == nullptr ||
      fixed->text.size() < kLanguageAt + kLanguageLength) {
    return;
  }
  const TextView said = fixed->text.substr(kLanguageAt, kLanguageLength);
  const std::optional<TextView> first = FirstSubfield(languages->text, u'a');
  if (!first || first->size() < kLanguageLength) return;
  const TextView code = first->substr(0, kLanguageLength);
  for (std::size_t i = 0; i < kLanguageLength; ++i) {
    // Blanks or fill characters say nothing; a code of other characters is no code.
    if (!IsAsciiLetter(said[i]) || !IsAsciiLetter(code[i])) return;
  }
  for (std::size_t i = 0; i < kLanguageLength; ++i) {
    if (AsciiLower(said[i]) != AsciiLower(code[i])) {
      findings.push_back({FindingKind::kLanguageMismatch,
                          messages::Format(messages::Tr("008/35-37 is '%1' but 041 $a is '%2'"),
                                           Utf8(said), Utf8(code))});
      return;
    }
  }
}

// The ISBN at the start of a 020 $a («978-604-1-23456-7 (pbk.)»): its
// digits (and a final X), hyphens and spaces between them left out.
std::string IsbnDigits(TextView value) {
  std::string digits;
  for (const char16_t c : value) {
    if (c >= u'0' && c <= u'9') {
      digits += static_cast<char>(c);
    } else if ((c == u'X' || c == u'x') && digits.size() == 9) {
      digits += 'X';
      break;
    } else if (c != u'-' && c != u' ') {
      break;
    }
  }
  return digits;
}

void CheckIsbns(std::span<const CheckedField> fields, std::vector<Finding>& findings) {
  for (const CheckedField& field : fields) {
    if (field.tag != "020") continue;
    const std::optional<TextView> value = FirstSubfield(field.text, u'a');
    if (!value) continue;
    const std::string digits = IsbnDigits(*value);
    const bool vietnamese = (digits.size() == 13 && digits.starts_with("978604")) ||
                            (digits.size() == 10 && digits.starts_with("604"));
    if (!vietnamese) continue;
    const char wanted = IsbnCheckDigit(digits);
    if (wanted != digits.back()) {
      findings.push_back(
          {FindingKind::kIsbnCheckDigit,
           messages::Format(messages::Tr("020 $a: ISBN %1 has the check digit %2; it should be %3"),
                            digits, std::string(1, digits.back()), std::string(1, wanted))});
    }
  }
}

bool IsToneMark(char32_t c) {
  return c == 0x0300 || c == 0x0301 || c == 0x0303 || c == 0x0309 || c == 0x0323;
}

// A lowercase vowel with a tone mark: what TCVN3 gives for a toned capital.
bool IsLowercaseTonedVowel(char16_t c) {
  std::u32string parts;
  encodings::AppendCanonicalDecomposition(c, parts);
  if (parts.size() < 2 || !IsToneMark(parts.back())) return false;
  const char32_t base = parts.front();
  return base == U'a' || base == U'e' || base == U'i' || base == U'o' || base == U'u' ||
         base == U'y';
}

bool IsUpper(char16_t c) {
  if (c >= u'A' && c <= u'Z') return true;
  if (c < 0xC0) return false;
  std::u32string parts;
  encodings::AppendCanonicalDecomposition(c, parts);
  const char32_t base = parts.front();
  return (base >= U'A' && base <= U'Z') || c == u'Đ' || c == u'Ơ' || c == u'Ư';
}

bool IsWordCharacter(char16_t c) {
  return IsAsciiLetter(c) || c >= 0xC0;
}

void CheckLowercasedCapitals(const CheckedField& field, std::vector<Finding>& findings) {
  bool isName = false;
  for (const std::string_view tag : kNameTags) isName = isName || field.tag == tag;
  const TextView text = field.text;
  std::size_t count = 0;
  TextView first;
  bool previousCapitalised = false;
  for (std::size_t i = 0; i < text.size();) {
    if (!IsWordCharacter(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < text.size() && IsWordCharacter(text[end])) ++end;
    const TextView word = text.substr(i, end - i);
    // A subfield's code is joined to its first word: «\x1Faánh» is the word «ánh».
    const bool startsSubfield = i >= 1 && text[i - 1] == kDelimiter;
    const TextView letters = startsSubfield ? word.substr(1) : word;
    if (!letters.empty()) {
      const bool lowered = IsLowercaseTonedVowel(letters[0]);
      const bool suspicious =
          lowered && (startsSubfield || (letters.size() > 1 && IsUpper(letters[1])) ||
                      (isName && previousCapitalised));
      if (suspicious) {
        if (count++ == 0) first = letters;
      }
      previousCapitalised = IsUpper(letters[0]) || suspicious;
    }
    i = end;
  }
  if (count == 0) return;
  findings.push_back(
      {FindingKind::kLowercasedCapitals,
       messages::Format(messages::TrN("%1: %n word read as TCVN3 may have lost its capital ('%2')",
                                      "%1: %n words read as TCVN3 may have lost their capitals "
                                      "(the first '%2')",
                                      count),
                        std::string(field.tag), Utf8(first))});
}

}  // namespace

char IsbnCheckDigit(std::string_view digits) {
  if (digits.size() >= 12) {
    int sum = 0;
    for (std::size_t i = 0; i < 12; ++i) sum += (digits[i] - '0') * (i % 2 == 0 ? 1 : 3);
    return static_cast<char>('0' + (10 - sum % 10) % 10);
  }
  int sum = 0;
  for (std::size_t i = 0; i < 9 && i < digits.size(); ++i) {
    sum += (digits[i] - '0') * static_cast<int>(10 - i);
  }
  const int check = (11 - sum % 11) % 11;
  return check == 10 ? 'X' : static_cast<char>('0' + check);
}

void CheckRecord(std::span<const CheckedField> fields, std::vector<Finding>& findings) {
  CheckLanguage(fields, findings);
  CheckIsbns(fields, findings);
  for (const CheckedField& field : fields) {
    if (field.readAsTcvn3) CheckLowercasedCapitals(field, findings);
  }
}

}  // namespace velmora::marc_repair
