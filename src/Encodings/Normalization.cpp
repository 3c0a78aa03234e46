#include "Encodings/Normalization.h"

#include <algorithm>
#include <array>
#include <map>
#include <tuple>
#include <vector>

#include "Encodings/NormalizationTables.h"

namespace velmora::encodings {
namespace {

using normalization::QuickCheck;

// Hangul syllables are composed of jamo by arithmetic (Unicode, 3.12).
constexpr char32_t kHangulFirst = 0xAC00, kLeadFirst = 0x1100, kVowelFirst = 0x1161,
                   kTrailBase = 0x11A7;
constexpr char32_t kLeadCount = 19, kVowelCount = 21, kTrailCount = 28;
constexpr char32_t kHangulCount = kLeadCount * kVowelCount * kTrailCount;

constexpr bool IsHangulSyllable(char32_t c) {
  return c >= kHangulFirst && c < kHangulFirst + kHangulCount;
}

// Below this no character has a combining class, a decomposition or a quick
// check other than Yes.
constexpr char16_t kFirstNfcRelevant = 0x0300;
constexpr char16_t kFirstNfdRelevant = 0x00C0;

// What normalisation needs of one code point.
struct Properties {
  std::uint8_t combiningClass = 0;
  QuickCheck nfc = QuickCheck::Yes;
  std::uint8_t decompositionLength = 0;  // of the full decomposition; 0 for none
  std::uint16_t decompositionStart = 0;  // in CharacterData::decompositions
};

// The properties of every code point in a two-stage table (a block index per
// 256 code points, equal blocks shared), made once.
class CharacterData {
 public:
  CharacterData() {
    std::map<char32_t, Properties>
        special;  // every code point whose properties are not the default
    for (const auto& range : normalization::kCombiningClasses) {
      for (char32_t c = range.first; c <= range.last; ++c)
        special[c].combiningClass = range.combiningClass;
    }
    for (const auto& range : normalization::kNfcQuickCheck) {
      for (char32_t c = range.first; c <= range.last; ++c) special[c].nfc = range.value;
    }
    std::u32string full;
    for (const auto& d : normalization::kDecompositions) {
      full.clear();
      AppendFull(d.character, full);
      Properties& p = special[d.character];
      p.decompositionStart = static_cast<std::uint16_t>(decompositions_.size());
      p.decompositionLength = static_cast<std::uint8_t>(full.size());
      decompositions_ += full;
      if (d.composes && d.second != 0) {
        compositions_.push_back({Key(d.first, d.second), d.character});
      }
    }
    std::sort(compositions_.begin(), compositions_.end());
    // Blocks of indexes into the distinct properties; equal blocks shared.
    std::map<std::tuple<int, int, int, int>, std::uint16_t> distinctIndex{{{0, 0, 0, 0}, 0}};
    std::map<Block, std::uint16_t> blockIndex;
    auto next = special.begin();
    for (char32_t start = 0; start < 0x110000; start += kBlock) {
      Block block{};
      for (; next != special.end() && next->first < start + kBlock; ++next) {
        const Properties& p = next->second;
        const auto key = std::tuple<int, int, int, int>(
            p.combiningClass, static_cast<int>(p.nfc), p.decompositionLength, p.decompositionStart);
        const auto [found, added] =
            distinctIndex.emplace(key, static_cast<std::uint16_t>(distinct_.size()));
        if (added) distinct_.push_back(p);
        block[next->first - start] = found->second;
      }
      const auto [found, added] =
          blockIndex.emplace(block, static_cast<std::uint16_t>(blocks_.size()));
      if (added) blocks_.push_back(block);
      stage1_.push_back(found->second);
    }
  }

  const Properties& Of(char32_t c) const {
    if (c >= 0x110000) return distinct_[0];
    return distinct_[blocks_[stage1_[c / kBlock]][c % kBlock]];
  }

  const char32_t* Decomposition(const Properties& p) const {
    return decompositions_.data() + p.decompositionStart;
  }

  char32_t Compose(char32_t first, char32_t second) const {
    const std::uint64_t key = Key(first, second);
    const auto found = std::lower_bound(compositions_.begin(), compositions_.end(),
                                        std::pair<std::uint64_t, char32_t>{key, 0});
    return found != compositions_.end() && found->first == key ? found->second : 0;
  }

 private:
  static constexpr char32_t kBlock = 256;
  using Block = std::array<std::uint16_t, kBlock>;

  static std::uint64_t Key(char32_t first, char32_t second) {
    return (std::uint64_t{first} << 32) | second;
  }

  static void AppendFull(char32_t c, std::u32string& out) {
    const auto& table = normalization::kDecompositions;
    const auto found = std::lower_bound(
        table.begin(), table.end(), c,
        [](const normalization::Decomposition& d, char32_t x) { return d.character < x; });
    if (found == table.end() || found->character != c) {
      out.push_back(c);
      return;
    }
    AppendFull(found->first, out);
    if (found->second != 0) AppendFull(found->second, out);
  }

  std::vector<Properties> distinct_{Properties{}};
  std::vector<Block> blocks_;
  std::vector<std::uint16_t> stage1_;
  std::u32string decompositions_;
  std::vector<std::pair<std::uint64_t, char32_t>> compositions_;
};

const CharacterData& Data() {
  static const CharacterData data;
  return data;
}

void AppendUtf16(std::u32string_view characters, Text& out) {
  for (const char32_t c : characters) text::AppendCodePoint(c, out);
}

// Puts each run of non-starters in canonical order: stable by combining
// class. Short runs by insertion, long ones by counting (linear whatever the
// run's length).
void SortCanonically(char32_t* begin, char32_t* end, const CharacterData& data) {
  const auto cls = [&data](char32_t c) { return data.Of(c).combiningClass; };
  constexpr std::ptrdiff_t kShortRun = 16;
  for (char32_t* run = begin; run < end;) {
    if (cls(*run) == 0) {
      ++run;
      continue;
    }
    char32_t* runEnd = run;
    while (runEnd < end && cls(*runEnd) != 0) ++runEnd;
    if (runEnd - run <= kShortRun) {
      for (char32_t* i = run + 1; i < runEnd; ++i) {
        const char32_t c = *i;
        char32_t* j = i;
        for (; j > run && cls(j[-1]) > cls(c); --j) *j = j[-1];
        *j = c;
      }
    } else {
      std::array<std::size_t, 257> starts{};
      for (const char32_t* i = run; i < runEnd; ++i) ++starts[cls(*i) + 1u];
      for (std::size_t k = 1; k < starts.size(); ++k) starts[k] += starts[k - 1];
      std::u32string sorted(static_cast<std::size_t>(runEnd - run), 0);
      for (const char32_t* i = run; i < runEnd; ++i) sorted[starts[cls(*i)]++] = *i;
      std::copy(sorted.begin(), sorted.end(), run);
    }
    run = runEnd;
  }
}

void AppendDecomposed(char32_t c, const CharacterData& data, std::u32string& out) {
  if (IsHangulSyllable(c)) {
    const char32_t index = c - kHangulFirst;
    out.push_back(kLeadFirst + index / (kVowelCount * kTrailCount));
    out.push_back(kVowelFirst + (index % (kVowelCount * kTrailCount)) / kTrailCount);
    if (index % kTrailCount != 0) out.push_back(kTrailBase + index % kTrailCount);
    return;
  }
  const Properties& p = data.Of(c);
  if (p.decompositionLength == 0) {
    out.push_back(c);
  } else {
    out.append(data.Decomposition(p), p.decompositionLength);
  }
}

char32_t ComposeWith(char32_t first, char32_t second, const CharacterData& data) {
  if (first >= kLeadFirst && first < kLeadFirst + kLeadCount && second >= kVowelFirst &&
      second < kVowelFirst + kVowelCount) {
    return kHangulFirst +
           ((first - kLeadFirst) * kVowelCount + (second - kVowelFirst)) * kTrailCount;
  }
  if (IsHangulSyllable(first) && (first - kHangulFirst) % kTrailCount == 0 && second > kTrailBase &&
      second < kTrailBase + kTrailCount) {
    return first + (second - kTrailBase);
  }
  return data.Compose(first, second);
}

// Canonical composition of decomposed, ordered characters, in place.
void ComposeCanonically(std::u32string& chars, const CharacterData& data) {
  if (chars.empty()) return;
  std::size_t starter = data.Of(chars[0]).combiningClass == 0 ? 0 : std::u32string::npos;
  int lastClass = starter == 0 ? 0 : 256;
  std::size_t kept = 1;
  for (std::size_t i = 1; i < chars.size(); ++i) {
    const char32_t c = chars[i];
    const int cls = data.Of(c).combiningClass;
    if (starter != std::u32string::npos && (lastClass < cls || lastClass == 0)) {
      if (const char32_t composite = ComposeWith(chars[starter], c, data)) {
        chars[starter] = composite;
        continue;
      }
    }
    if (cls == 0) starter = kept;
    lastClass = cls;
    chars[kept++] = c;
  }
  chars.resize(kept);
}

// Decodes one code point of UTF-16 (a lone surrogate as itself).
struct Unit {
  char32_t value;
  std::size_t length;
};
Unit Next(TextView text, std::size_t i) {
  const text::CodePoint cp = text::CodePointAt(text, i);
  return {cp.value, cp.units};
}

// Walks `text` by NFC segments (each from a character that StartsNfcSegment
// to the next), handing `dirty` every segment the quick check does not pass:
// one with a quick check of No or Maybe, or marks out of canonical order.
template <typename OnDirty>
bool ForEachDirtySegment(TextView text, const CharacterData& data, OnDirty onDirty) {
  bool any = false;
  std::size_t segment = 0;
  bool dirty = false;
  int lastClass = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] < kFirstNfcRelevant) {
      if (dirty) onDirty(segment, i), any = true, dirty = false;
      segment = i++;
      lastClass = 0;
      // Pass a run of such units at once.
      while (i < text.size() && text[i] < kFirstNfcRelevant) segment = i++;
      continue;
    }
    const Unit u = Next(text, i);
    const Properties& p = data.Of(u.value);
    if (p.combiningClass == 0 && p.nfc == QuickCheck::Yes) {
      if (dirty) onDirty(segment, i), any = true, dirty = false;
      segment = i;
    } else if (p.nfc != QuickCheck::Yes ||
               (p.combiningClass != 0 && lastClass > p.combiningClass)) {
      dirty = true;
    }
    lastClass = p.combiningClass;
    i += u.length;
  }
  if (dirty) onDirty(segment, text.size()), any = true;
  return any;
}

void AppendNfcOf(TextView segment, const CharacterData& data, std::u32string& scratch, Text& out) {
  scratch.clear();
  for (std::size_t i = 0; i < segment.size();) {
    const Unit u = Next(segment, i);
    AppendDecomposed(u.value, data, scratch);
    i += u.length;
  }
  SortCanonically(scratch.data(), scratch.data() + scratch.size(), data);
  ComposeCanonically(scratch, data);
  AppendUtf16(scratch, out);
}

// Appends NFC of `text` to `out`; false (appending nothing) when it is NFC
// by the quick check.
bool AppendNfc(TextView text, Text& out) {
  const CharacterData& data = Data();
  std::u32string scratch;
  std::size_t copied = 0;
  const std::size_t start = out.size();
  const bool changed = ForEachDirtySegment(text, data, [&](std::size_t from, std::size_t to) {
    if (copied == 0) out.reserve(start + text.size() + 16);
    out.append(text.substr(copied, from - copied));
    AppendNfcOf(text.substr(from, to - from), data, scratch, out);
    copied = to;
  });
  if (changed) out.append(text.substr(copied));
  return changed;
}

}  // namespace

Text ToNfc(TextView text) {
  Text out;
  if (!AppendNfc(text, out)) out.assign(text);
  return out;
}

void ToNfcInPlace(Text& text) {
  Text out;
  if (AppendNfc(text, out)) text = std::move(out);
}

bool IsNfc(TextView text) {
  Text out;
  return !AppendNfc(text, out) || out == text;
}

Text ToNfd(TextView text) {
  const CharacterData& data = Data();
  Text out;
  out.reserve(text.size() + text.size() / 4);
  std::u32string marks;  // the run of non-starters since the last starter
  std::u32string decomposed;
  const auto flushMarks = [&] {
    SortCanonically(marks.data(), marks.data() + marks.size(), data);
    AppendUtf16(marks, out);
    marks.clear();
  };
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] < kFirstNfdRelevant) {
      if (!marks.empty()) flushMarks();
      std::size_t run = i + 1;
      while (run < text.size() && text[run] < kFirstNfdRelevant) ++run;
      out.append(text.substr(i, run - i));
      i = run;
      continue;
    }
    const Unit u = Next(text, i);
    decomposed.clear();
    AppendDecomposed(u.value, data, decomposed);
    for (const char32_t c : decomposed) {
      if (data.Of(c).combiningClass != 0) {
        marks.push_back(c);
      } else {
        if (!marks.empty()) flushMarks();
        text::AppendCodePoint(c, out);
      }
    }
    i += u.length;
  }
  flushMarks();
  return out;
}

std::uint8_t CombiningClass(char32_t character) {
  return Data().Of(character).combiningClass;
}

char32_t ComposePair(char32_t first, char32_t second) {
  return ComposeWith(first, second, Data());
}

void AppendCanonicalDecomposition(char32_t character, std::u32string& out) {
  AppendDecomposed(character, Data(), out);
}

bool StartsNfcSegment(char32_t character) {
  const Properties& p = Data().Of(character);
  return p.combiningClass == 0 && p.nfc == QuickCheck::Yes;
}

}  // namespace velmora::encodings
