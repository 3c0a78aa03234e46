#include "ConvertCharset.h"

#include "CharsetTables.h"

namespace velmora {
namespace {

const SourceLookup& SourceFor(const CharsetLookups& lookups, std::int32_t fromCode) {
  switch (fromCode) {
    case CharsetUnicode: return lookups.unicode;
    case CharsetVni: return lookups.vni;
    case CharsetCp1258: return lookups.cp1258;
    default: return lookups.tcvn3;  // TCVN3, no marks, and every unknown code
  }
}

bool IsWrittenCode(std::int32_t code) { return code >= CharsetUnicode && code <= CharsetNoMarks; }

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
// «Vie» U+0323 «t» becomes «Vi» U+1EC7 «t». Pairs cannot overlap (a tone mark
// is never a base), so every pair in the text is one letter.
Text JoinToneMarks(TextView text, const SourceLookup& unicode) {
  Text out;
  out.reserve(text.size());
  std::size_t copied = 0;  // text before this is in `out`
  for (std::size_t pos = 1; pos < text.size(); ++pos) {
    const UnitRole mark = unicode.Role(text[pos]);
    if (mark.second == 0) continue;
    const std::uint8_t letter = unicode.Pair(text[pos - 1], text[pos]);
    if (letter == 0) continue;
    out.append(text.substr(copied, pos - 1 - copied));
    out.push_back(UnicodeLetters[letter - 1]);
    copied = pos + 1;
  }
  out.append(text.substr(copied));
  return out;
}

Text ConvertLetters(TextView text, const SourceLookup& source,
                    const std::array<Spelling, kLetterCount + 1>& target) {
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
  if (fromCode == toCode && fromCode != CharsetUnicode) return Text(text);
  const CharsetLookups& lookups = LoadCharsetTables();
  // A target outside 1-5 writes every piece as it was read.
  if (!IsWrittenCode(toCode)) return Text(text);
  if (fromCode == CharsetUnicode && toCode == CharsetUnicode) {
    return JoinToneMarks(text, lookups.unicode);
  }
  return ConvertLetters(text, SourceFor(lookups, fromCode), lookups.targets[toCode - 1]);
}

std::size_t CharsetPieceLength(TextView text, std::size_t pos, std::int32_t fromCode) {
  if (pos >= text.size()) return 0;
  return ReadPiece(SourceFor(LoadCharsetTables(), fromCode), text, pos).length;
}

}  // namespace velmora
