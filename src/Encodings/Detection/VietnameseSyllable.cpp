#include "Encodings/Detection/VietnameseSyllable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "ModMain/Letters/VietnameseLetters.h"

namespace velmora::detection {
namespace {

// Lowercase letters without a tone mark, as the rimes and onsets are spelled.
constexpr char16_t kABreve = u'\u0103';       // ă
constexpr char16_t kACircumflex = u'\u00E2';  // â
constexpr char16_t kDStroke = u'\u0111';      // đ
constexpr char16_t kECircumflex = u'\u00EA';  // ê
constexpr char16_t kOCircumflex = u'\u00F4';  // ô
constexpr char16_t kOHorn = u'\u01A1';        // ơ
constexpr char16_t kUHorn = u'\u01B0';        // ư

using Tone = SyllableTone;
constexpr Tone kLevel = Tone::Level, kAcute = Tone::Acute, kDotBelow = Tone::DotBelow;

// The tone of kToneMarks[index]: the marks stand in the tones' order.
Tone ToneOfMark(std::ptrdiff_t index) {
  return static_cast<Tone>(static_cast<std::ptrdiff_t>(Tone::Grave) + index);
}

constexpr std::size_t kMostLetters = std::tuple_size_v<decltype(SyllableParts::letters)>;

// Every rime of the language, without tone marks: the vowel nucleus with its
// glides (o, u before it; i, y, o, u after it) and the final consonant.
// clang-format off
constexpr std::u16string_view kRimes[] = {
    // open: no final consonant
    u"a", u"ai", u"ao", u"au", u"ay", u"âu", u"ây", u"e", u"eo", u"ê", u"êu", u"i", u"ia", u"iu",
    u"o", u"oi", u"ô", u"ôi", u"ơ", u"ơi", u"u", u"ua", u"ui", u"ư", u"ưa", u"ưi", u"ưu", u"y",
    u"iêu", u"yêu", u"uôi", u"ươi", u"ươu", u"oa", u"oai", u"oao", u"oay", u"oe", u"oeo", u"uê",
    u"uy", u"uya", u"uyu", u"uơ", u"uây",
    // a final consonant
    u"ac", u"ach", u"am", u"an", u"ang", u"anh", u"ap", u"at",  //
    u"ăc", u"ăm", u"ăn", u"ăng", u"ăp", u"ăt",                  //
    u"âc", u"âm", u"ân", u"âng", u"âp", u"ât",                  //
    u"ec", u"em", u"en", u"eng", u"ep", u"et",                  //
    u"êch", u"êm", u"ên", u"ênh", u"êp", u"êt",                 //
    u"ich", u"im", u"in", u"inh", u"ip", u"it",                 //
    u"oc", u"om", u"on", u"ong", u"op", u"ot", u"ooc", u"oong", //
    u"ôc", u"ôm", u"ôn", u"ông", u"ôp", u"ôt",                  //
    u"ơm", u"ơn", u"ơp", u"ơt",                                 //
    u"uc", u"um", u"un", u"ung", u"up", u"ut",                  //
    u"ưc", u"ưm", u"ưn", u"ưng", u"ưt",                         //
    u"iêc", u"iêm", u"iên", u"iêng", u"iêp", u"iêt",            //
    u"yêm", u"yên", u"yêng", u"yêt",                            //
    u"uôc", u"uôm", u"uôn", u"uông", u"uôt",                    //
    u"ươc", u"ươm", u"ươn", u"ương", u"ươp", u"ươt",            //
    u"oac", u"oach", u"oam", u"oan", u"oang", u"oanh", u"oap", u"oat",
    u"oăc", u"oăm", u"oăn", u"oăng", u"oăt",  //
    u"oen", u"oet",                           //
    u"uân", u"uâng", u"uât",                  //
    u"uêch", u"uênh",                         //
    u"uych", u"uynh", u"uyt",                 //
    u"uyên", u"uyêt",
};
// clang-format on

constexpr auto kSortedRimes = [] {
  std::array<std::u16string_view, std::size(kRimes)> sorted{};
  std::copy(std::begin(kRimes), std::end(kRimes), sorted.begin());
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}();

bool IsRime(std::u16string_view rime) {
  return std::binary_search(kSortedRimes.begin(), kSortedRimes.end(), rime);
}

// Longest first, so that «ngh» is not read as «ng» + «h».
// clang-format off
constexpr std::u16string_view kOnsets[] = {
    u"ngh", u"ch", u"gh", u"gi", u"kh", u"ng", u"nh", u"ph", u"qu", u"th", u"tr", u"b", u"c",
    u"d",   u"đ",  u"g",  u"h",  u"k",  u"l",  u"m",  u"n",  u"p",  u"r",  u"s",  u"t", u"v",
    u"x",
};
// clang-format on

bool IsVowel(char16_t c) {
  switch (c) {
    // clang-format off
    case u'a': case kABreve: case kACircumflex: case u'e': case kECircumflex: case u'i':
    case u'o': case kOCircumflex: case kOHorn: case u'u': case kUHorn: case u'y':
      // clang-format on
      return true;
    default:
      return false;
  }
}

bool HasDiacritic(char16_t vowel) {
  return vowel == kABreve || vowel == kACircumflex || vowel == kECircumflex ||
         vowel == kOCircumflex || vowel == kOHorn || vowel == kUHorn;
}

// i, y, e, ê: the vowels before which k, gh and ngh are written.
bool IsFrontVowel(char16_t c) {
  return c == u'i' || c == u'y' || c == u'e' || c == kECircumflex;
}

char16_t LowerLetter(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + (u'a' - u'A'));
  switch (c) {
    // clang-format off
    case u'\u00C2': return kACircumflex;  // Â
    case u'\u0102': return kABreve;       // Ă
    case u'\u0110': return kDStroke;      // Đ
    case u'\u00CA': return kECircumflex;  // Ê
    case u'\u00D4': return kOCircumflex;  // Ô
    case u'\u01A0': return kOHorn;        // Ơ
    case u'\u01AF': return kUHorn;        // Ư
    default: return c;
      // clang-format on
  }
}

// A letter of the text as a lowercase letter without tone and its tone.
struct Spelling {
  char16_t letter = 0;  // 0: not a letter
  Tone tone = kLevel;
  bool capital = false;
};

// Built once from the letter rows: every precomposed Vietnamese letter, and
// every ASCII letter, by code unit.
constexpr std::size_t kLetterUnits = 0x1F00;
const std::array<Spelling, kLetterUnits>& LetterSpellings() {
  static const auto table = [] {
    std::array<Spelling, kLetterUnits> spellings{};
    for (char16_t c = u'A'; c <= u'Z'; ++c) spellings[c] = {LowerLetter(c), kLevel, true};
    for (char16_t c = u'a'; c <= u'z'; ++c) spellings[c] = {c, kLevel};
    for (const letters::VietnameseLetter& row : letters::kVietnameseLetters) {
      const char16_t base =
          row.number < letters::kFirstTonedLetter ? row.unicode : row.composed.base;
      const auto mark =
          std::find(letters::kToneMarks.begin(), letters::kToneMarks.end(), row.composed.mark);
      const Tone tone = row.number < letters::kFirstTonedLetter
                            ? kLevel
                            : ToneOfMark(mark - letters::kToneMarks.begin());
      spellings[row.unicode] = {LowerLetter(base), tone, LowerLetter(base) != base};
    }
    return spellings;
  }();
  return table;
}

Tone CombiningTone(char16_t c) {
  const auto mark = std::find(letters::kToneMarks.begin(), letters::kToneMarks.end(), c);
  return mark == letters::kToneMarks.end() ? kLevel
                                           : ToneOfMark(mark - letters::kToneMarks.begin());
}

// «a» + U+0302 -> «â»: the letter a combining circumflex, breve or horn makes, or 0.
char16_t WithShapeMark(char16_t letter, char16_t mark) {
  switch (mark) {
    // clang-format off
    case letters::kCombiningCircumflex:
      return letter == u'a' ? kACircumflex : letter == u'e' ? kECircumflex
                                           : letter == u'o' ? kOCircumflex : 0;
    case letters::kCombiningBreve: return letter == u'a' ? kABreve : 0;
    case letters::kCombiningHorn: return letter == u'o' ? kOHorn : letter == u'u' ? kUHorn : 0;
    default: return 0;
      // clang-format on
  }
}

struct Syllable {
  std::array<char16_t, kMostLetters> letters{};
  std::size_t length = 0;
  Tone tone = kLevel;
  std::size_t tonePosition = 0;  // the letter that carries the tone mark

  std::u16string_view View() const { return {letters.data(), length}; }
};

// The word's letters in lowercase without tone, and its one tone; false when
// the word holds anything else, two tone marks, or capitals other than all
// of them or the first alone («Việt», «VIỆT», not «ViỆt»). TCVN3 has no
// toned capitals: its capitalised words keep the toned letter in lowercase
// («VIệT»), and so are all capitals too.
bool Spell(TextView word, Syllable& out) {
  const auto& spellings = LetterSpellings();
  bool shaped = false;  // the last letter has taken a combining shape mark
  std::size_t capitals = 0;
  bool firstCapital = false, lowercaseToned = false;
  for (const char16_t c : word) {
    const Spelling spelling = c < kLetterUnits ? spellings[c] : Spelling{};
    if (spelling.letter != 0) {
      if (out.length == kMostLetters) return false;
      if (spelling.capital) {
        ++capitals;
        firstCapital = firstCapital || out.length == 0;
      } else if (spelling.tone != kLevel) {
        lowercaseToned = true;
      }
      out.letters[out.length++] = spelling.letter;
      shaped = false;
      if (spelling.tone != kLevel) {
        if (out.tone != kLevel) return false;
        out.tone = spelling.tone;
        out.tonePosition = out.length - 1;
      }
      continue;
    }
    if (out.length == 0) return false;
    char16_t& last = out.letters[out.length - 1];
    if (const Tone tone = CombiningTone(c); tone != kLevel) {
      if (out.tone != kLevel || !IsVowel(last)) return false;
      out.tone = tone;
      out.tonePosition = out.length - 1;
    } else if (const char16_t shapedLetter = WithShapeMark(last, c); shapedLetter != 0 && !shaped) {
      last = shapedLetter;
      shaped = true;
    } else {
      return false;
    }
  }
  const bool caseFits = capitals == 0 || capitals == out.length ||
                        (capitals == 1 && firstCapital) ||
                        (capitals >= 2 && capitals + 1 == out.length && lowercaseToned);
  return out.length > 0 && caseFits;
}

bool EndsInStop(std::u16string_view rime) {
  const char16_t last = rime.back();
  return last == u'c' || last == u'p' || last == u't' || rime.ends_with(u"ch");
}

// Whether the tone mark may stand on letter `at` of the rime. `medial`: the
// rime's first vowel is the u of «qu», which never takes the mark.
bool ToneMayStandAt(std::u16string_view rime, std::size_t at, bool medial) {
  std::array<std::size_t, 4> vowels{};
  std::size_t count = 0;
  std::size_t end = 0;
  while (end < rime.size() && IsVowel(rime[end])) {
    if (count < vowels.size()) vowels[count++] = end;
    ++end;
  }
  const bool finalConsonant = end < rime.size();
  std::size_t first = medial ? 1 : 0;
  if (count <= first) return false;
  for (std::size_t v = count; v-- > first;) {
    if (HasDiacritic(rime[vowels[v]])) return at == vowels[v];  // the second of «ươ»
  }
  const std::size_t nucleusCount = count - first;
  if (finalConsonant || nucleusCount == 1) return at == vowels[count - 1];
  if (nucleusCount == 2) {
    const bool eitherPlacement = !medial && (rime == u"oa" || rime == u"oe" || rime == u"uy");
    return at == vowels[first] || (eitherPlacement && at == vowels[first + 1]);
  }
  return at == vowels[first + 1];
}

// Where the rime starts when the syllable follows the rules.
std::optional<std::size_t> RimeStartIfWellFormed(const Syllable& syllable) {
  const std::u16string_view letters = syllable.View();

  std::u16string_view onset;
  for (const std::u16string_view candidate : kOnsets) {
    if (letters.starts_with(candidate)) {
      onset = candidate;
      break;
    }
  }
  if (onset.empty() && !IsVowel(letters[0])) return std::nullopt;  // f, j, w, z, q without u

  std::size_t rimeStart = onset.size();
  bool medial = false;
  std::u16string_view rime = letters.substr(rimeStart);
  if (onset == u"gi" && (rime.empty() || !IsVowel(rime[0]) || rime[0] == kECircumflex)) {
    // «gì», «gìn», «giếng»: the i of «gi» is the rime's own.
    rimeStart = 1;
    rime = letters.substr(1);
  } else if (onset == u"qu") {
    // «quân» is qu + ân; «quýt» is qu + the rime «uyt», whose u is «qu»'s.
    if (rime.empty()) return std::nullopt;
    const bool alone = rime[0] != u'u' && rime[0] != kUHorn && rime[0] != u'o' && IsRime(rime);
    if (!alone) {
      rimeStart = 1;
      medial = true;
      rime = letters.substr(1);
    }
  }
  if (!IsRime(rime)) return std::nullopt;

  const bool front = IsFrontVowel(rime[0]);
  if ((onset == u"k" || onset == u"gh" || onset == u"ngh") && !front) return std::nullopt;
  if ((onset == u"c" || onset == u"g" || onset == u"ng") && front) return std::nullopt;
  // «yê» opens a syllable or follows the u of «qu»; after a consonant it is «iê».
  if (rime.starts_with(u"y\u00EA") && !(onset.empty() || onset == u"qu")) return std::nullopt;
  if (rime.starts_with(u"i\u00EA") && onset.empty()) return std::nullopt;

  bool fits;
  if (syllable.tone == kLevel) {
    fits = !EndsInStop(rime);
  } else {
    fits = (!EndsInStop(rime) || syllable.tone == kAcute || syllable.tone == kDotBelow) &&
           syllable.tonePosition >= rimeStart &&
           ToneMayStandAt(rime, syllable.tonePosition - rimeStart, medial);
  }
  if (!fits) return std::nullopt;
  return rimeStart;
}

}  // namespace

std::optional<SyllableParts> ReadSyllable(TextView word) {
  Syllable syllable;
  if (!Spell(word, syllable)) return std::nullopt;
  const std::optional<std::size_t> rimeStart = RimeStartIfWellFormed(syllable);
  if (!rimeStart) return std::nullopt;
  SyllableParts parts;
  parts.letters = syllable.letters;
  parts.length = static_cast<std::uint8_t>(syllable.length);
  parts.rimeStart = static_cast<std::uint8_t>(*rimeStart);
  parts.tone = syllable.tone;
  return parts;
}

bool IsVietnameseSyllable(TextView word) {
  return ReadSyllable(word).has_value();
}

}  // namespace velmora::detection
