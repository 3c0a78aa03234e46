#include "ModMain/Letters/ConvertCharset.h"

#include <algorithm>

#include "ModMain/Letters/CharsetTables.h"

namespace velmora::letters {
namespace {

// The letter that begins at `pos` and how many units it takes; 0 for none.
struct Piece {
  std::uint8_t letter;
  std::size_t length;
};

Piece ReadPiece(const SourceLookup& source, TextView text, std::size_t pos) {
  const char16_t unit = text[pos];
  if (pos + 1 < text.size()) {
    if (const std::uint8_t letter = source.Pair(unit, text[pos + 1]); letter != 0) {
      return {letter, 2};
    }
  }
  return {source.Role(unit).alone, 1};
}

// Source and target both Unicode: precomposed letters read alone are written
// as themselves, so only a base followed by its tone mark changes:
// «Vi» U+00EA U+0323 «t» becomes «Vi» U+1EC7 «t». Pairs cannot overlap (a
// tone mark is never a base), so every pair in the text is one letter.
//
// Fast path: blocks that hold nothing from the tone marks' range are copied
// whole; the test of a block is written so that the compiler vectorises it.
constexpr char16_t kFirstToneMark = kCombiningGrave;
constexpr char16_t kToneMarkRange = kCombiningDotBelow - kFirstToneMark + 1;
static_assert(std::all_of(kToneMarks.begin(), kToneMarks.end(), [](char16_t mark) {
  return mark >= kFirstToneMark && mark - kFirstToneMark < kToneMarkRange;
}));
constexpr std::size_t kBlock = 32;

bool MayBeToneMark(char16_t unit) {
  return static_cast<char16_t>(unit - kFirstToneMark) < kToneMarkRange;
}

bool BlockMayHoldToneMark(const char16_t* units) {
  unsigned hits = 0;  // (a bool accumulator would not vectorise)
  for (std::size_t k = 0; k < kBlock; ++k) hits |= MayBeToneMark(units[k]) ? 1u : 0u;
  return hits != 0;
}

// In the text's own buffer: the result never runs ahead of what is read,
// and in[i - 1] is still as read when in[i] is (only a unit at o - 1 < i - 1
// is replaced by a letter).
void JoinToneMarksInPlace(Text& text, const SourceLookup& unicode) {
  const std::size_t n = text.size();
  const char16_t* in = text.data();
  char16_t* to = text.data();
  std::size_t i = 0, o = 0;  // units before o are final; o <= i
  // Writes in[i]; a tone mark that makes a letter with the unit before it
  // (written just before, unless it was itself a joined tone mark, which is no
  // base) replaces that unit by the letter.
  const auto step = [&] {
    const char16_t unit = in[i];
    if (MayBeToneMark(unit) && i > 0) {
      if (const std::uint8_t letter = unicode.Pair(in[i - 1], unit); letter != 0) {
        to[o - 1] = UnicodeLetters[letter - 1];
        ++i;
        return;
      }
    }
    to[o++] = unit;
    ++i;
  };
  while (i + kBlock <= n) {
    if (BlockMayHoldToneMark(in + i)) {
      for (const std::size_t end = i + kBlock; i < end;) step();
    } else {
      if (o != i) Text::traits_type::move(to + o, in + i, kBlock);
      i += kBlock;
      o += kBlock;
    }
  }
  while (i < n) step();
  text.resize(o);
}

Text ConvertLetters(TextView text, const SourceLookup& source, const Spellings& target) {
  Text out;
  out.reserve(text.size() + text.size() / 4);
  std::size_t copied = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const Piece piece = ReadPiece(source, text, pos);
    if (piece.letter == 0) {
      ++pos;  // no letter: the unit stays as it is
      continue;
    }
    out.append(text.substr(copied, pos - copied));
    const Spelling& spelling = target[piece.letter];
    out.append(spelling.units.data(), spelling.length);
    pos += piece.length;
    copied = pos;
  }
  out.append(text.substr(copied));
  return out;
}

}  // namespace

Text ConvertCharset(TextView text, std::int32_t fromCode, std::int32_t toCode) {
  const std::optional<Representation> from = RepresentationOfCode(fromCode);
  const std::optional<Representation> to = RepresentationOfCode(toCode);
  if (fromCode == toCode && from != Representation::Unicode) return Text(text);
  // A target outside 1-5 writes every piece as it was read.
  if (!to) return Text(text);
  // A source outside 1-5 reads as TCVN3.
  return ConvertLetters(text, from.value_or(Representation::Tcvn3), *to);
}

Text ConvertLetters(TextView text, Representation from, Representation to) {
  if (from == to && from != Representation::Unicode) return Text(text);
  const CharsetLookups& lookups = LoadCharsetTables();
  const Spellings* target = lookups.WritingOf(to);
  if (target == nullptr) return Text(text);
  if (from == Representation::Unicode && to == Representation::Unicode) {
    Text joined(text);
    JoinToneMarksInPlace(joined, lookups.unicode);
    return joined;
  }
  return ConvertLetters(text, lookups.ReadingOf(from), *target);
}

std::size_t LetterPieceLength(TextView text, std::size_t pos, Representation from) {
  if (pos >= text.size()) return 0;
  return ReadPiece(LoadCharsetTables().ReadingOf(from), text, pos).length;
}

Text JoinToneMarks(TextView text) {
  return ConvertLetters(text, Representation::Unicode, Representation::Unicode);
}

void JoinToneMarksInPlace(Text& text) {
  JoinToneMarksInPlace(text, LoadCharsetTables().unicode);
}

}  // namespace velmora::letters
