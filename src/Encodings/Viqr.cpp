#include "Encodings/Viqr.h"

#include <array>
#include <string_view>

#include "Encodings/LetterUnits.h"
#include "Encodings/Utf8.h"
#include "ModMain/Letters/CharsetTables.h"
#include "ModMain/Letters/VietnameseLetters.h"

namespace velmora::encodings {
namespace {

constexpr char16_t kEscape = u'\\';
constexpr std::u16string_view kModifiers = u"^(+";
constexpr std::u16string_view kTones = u"`?~'.";  // in the order of kToneMarks
// What a backslash in front keeps literal.
constexpr std::u16string_view kEscapable = u"^(+`?~'.dD\\";

bool IsVowel(char16_t c) {
  return std::u16string_view(u"aeiouyAEIOUY").find(c) != TextView::npos;
}

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}

// Whether a vowel takes a modifier: a^ a( e^ o^ o+ u+.
bool TakesModifier(char16_t vowel, char16_t modifier) {
  switch (Lower(vowel)) {
    case u'a':
      return modifier == u'^' || modifier == u'(';
    case u'e':
      return modifier == u'^';
    case u'o':
      return modifier == u'^' || modifier == u'+';
    case u'u':
      return modifier == u'+';
    default:
      return false;
  }
}

// A letter as VIQR spells it: an ASCII vowel, a modifier and a tone (0 for
// none); đ and Đ are «dd» and «DD».
struct ViqrSpelling {
  char16_t base = 0, modifier = 0, tone = 0;
};

// The VIQR character of a vowel's modifier: ^ ( +, 0 for none.
char16_t ModifierOf(char16_t modified) {
  switch (letters::CombiningModifier(modified)) {
    case letters::kCombiningCircumflex:
      return u'^';
    case letters::kCombiningBreve:
      return u'(';
    case letters::kCombiningHorn:
      return u'+';
    default:
      return 0;
  }
}

struct Tables {
  std::array<ViqrSpelling, letters::kLetterCount + 1> spellings{};  // by letter index
  // letters[vowel][modifier][tone]: the letter, 0 for none.
  std::array<std::array<std::array<char16_t, 6>, 4>, 128> letters{};
};

std::size_t ModifierSlot(char16_t modifier) {
  return modifier == 0 ? 0 : kModifiers.find(modifier) + 1;
}
std::size_t ToneSlot(char16_t tone) {
  return tone == 0 ? 0 : kTones.find(tone) + 1;
}

Tables BuildTables() {
  Tables tables;
  for (const letters::VietnameseLetter& letter : letters::kVietnameseLetters) {
    ViqrSpelling& spelling = tables.spellings[letter.number];
    const bool toned = letter.number >= letters::kFirstTonedLetter;
    const char16_t modified = toned ? letter.composed.base : letter.unicode;
    spelling.base = letter.base;
    spelling.modifier = ModifierOf(modified);
    if (toned) {
      for (std::size_t t = 0; t < letters::kToneMarks.size(); ++t) {
        if (letters::kToneMarks[t] == letter.composed.mark) spelling.tone = kTones[t];
      }
    }
    if (IsVowel(spelling.base)) {
      tables.letters[spelling.base][ModifierSlot(spelling.modifier)][ToneSlot(spelling.tone)] =
          letter.unicode;
    }
  }
  return tables;
}

const Tables& GetTables() {
  static const Tables tables = BuildTables();
  return tables;
}

// The letter a vowel and its marks make; the vowel itself without marks.
char16_t LetterOf(const ViqrSpelling& s) {
  if (s.modifier == 0 && s.tone == 0) return s.base;
  return GetTables().letters[s.base][ModifierSlot(s.modifier)][ToneSlot(s.tone)];
}

// Whether `mark` joins a vowel spelled so far as `s` (the rule of reading and
// of escaping when writing, so that the two agree).
bool Joins(const ViqrSpelling& s, char16_t mark) {
  if (s.base == 0) return false;
  if (kModifiers.find(mark) != TextView::npos) {
    return s.modifier == 0 && TakesModifier(s.base, mark);
  }
  return s.tone == 0 && kTones.find(mark) != TextView::npos;
}

// Whether `second` after a literal `first` would read as đ or Đ.
bool MakesStrokedD(char16_t first, char16_t second) {
  return (first == u'd' && second == u'd') || (first == u'D' && (second == u'D' || second == u'd'));
}

bool IsAscii(char32_t c) {
  return c < 0x80;
}

}  // namespace

Text ReadViqr(TextView viqr) {
  Text out;
  out.reserve(viqr.size());
  const std::size_t n = viqr.size();
  for (std::size_t i = 0; i < n;) {
    const char16_t c = viqr[i];
    if (c == kEscape && i + 1 < n && kEscapable.find(viqr[i + 1]) != TextView::npos) {
      out.push_back(viqr[i + 1]);
      i += 2;
    } else if (IsVowel(c)) {
      ViqrSpelling spelling{c, 0, 0};
      for (++i; i < n && Joins(spelling, viqr[i]); ++i) {
        (kModifiers.find(viqr[i]) != TextView::npos ? spelling.modifier : spelling.tone) = viqr[i];
      }
      out.push_back(LetterOf(spelling));
    } else if (i + 1 < n && MakesStrokedD(c, viqr[i + 1])) {
      out.push_back(c == u'd' ? u'\u0111' : u'\u0110');  // đ Đ
      i += 2;
    } else {
      out.push_back(c);
      ++i;
    }
  }
  return out;
}

bool WriteViqr(TextView text, const EncodeOptions& options, std::string& out,
               EncodeReport& report) {
  const letters::SourceLookup& unicode = letters::LoadCharsetTables().unicode;
  const Tables& tables = GetTables();
  const auto letterAt = [&](std::size_t i) { return unicode.Role(text[i]).alone; };
  const auto writable = [&](std::size_t i) { return IsAscii(text[i]) || letterAt(i) != 0; };
  // The next character that will be written after position i.
  const auto nextWritten = [&](std::size_t i) {
    for (++i; i < text.size(); ++i) {
      if (writable(i)) return i;
    }
    return text.size();
  };
  ViqrSpelling last;   // the vowel just written, which a mark would join
  char16_t lastD = 0;  // a literal d or D just written, which a d would join
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (const std::uint8_t letter = letterAt(i); letter != 0) {
      const ViqrSpelling& s = tables.spellings[letter];
      if (!IsVowel(s.base)) {  // đ Đ
        out.append(s.base == u'd' ? "dd" : "DD");
        last = {}, lastD = 0;
        continue;
      }
      out.push_back(static_cast<char>(s.base));
      if (s.modifier != 0) out.push_back(static_cast<char>(s.modifier));
      if (s.tone != 0) out.push_back(static_cast<char>(s.tone));
      last = s, lastD = 0;
      continue;
    }
    if (!IsAscii(c)) {
      const text::CodePoint character = text::CodePointAt(text, i);
      if (!options.leaveOutUnwritable) {
        report.unwritableAt = i;
        report.unwritable = character.value;
        return false;
      }
      if (report.leftOut++ == 0) report.firstLeftOut = character.value;
      i += character.units - 1;
      continue;  // what was written before still joins what comes next
    }
    bool escape = false;
    if (c == kEscape) {
      const std::size_t next = nextWritten(i);
      escape = next < text.size() &&
               (kEscapable.find(text[next]) != TextView::npos ||
                (letterAt(next) != 0 && !IsVowel(tables.spellings[letterAt(next)].base)));
    } else if (c == u'd' || c == u'D') {
      const std::size_t next = nextWritten(i);
      const bool beforeStrokedD = next < text.size() && letterAt(next) != 0 &&
                                  MakesStrokedD(c, tables.spellings[letterAt(next)].base);
      escape = MakesStrokedD(lastD, c) || beforeStrokedD;
    } else {
      escape = Joins(last, c);
    }
    if (escape) out.push_back('\\');
    out.push_back(static_cast<char>(c));
    last = !escape && IsVowel(c) ? ViqrSpelling{c, 0, 0} : ViqrSpelling{};
    lastD = !escape && (c == u'd' || c == u'D') ? c : 0;
  }
  return true;
}

}  // namespace velmora::encodings
