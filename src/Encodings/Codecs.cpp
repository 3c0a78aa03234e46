#include "Encodings/Codecs.h"

#include <array>

#include "Encodings/CodePage.h"
#include "Encodings/LetterUnits.h"
#include "Encodings/Normalization.h"
#include "Encodings/Utf8.h"
#include "Encodings/Viqr.h"
#include "ModMain/Letters/CharsetTables.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "ModMain/Letters/VietnameseLetters.h"

namespace velmora::encodings {
namespace {

// Writes each unit through `bytesOf` (unit -> CodePageBytes); what has no
// bytes stops the run or, with leaveOutUnwritable, is left out and counted.
template <typename BytesOf>
bool EncodeUnits(TextView text, const EncodeOptions& options, std::string& out,
                 EncodeReport& report, BytesOf bytesOf) {
  const std::size_t start = out.size();
  out.resize(start + 2 * text.size());
  char* to = out.data() + start;
  bool ok = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const CodePageBytes bytes = bytesOf(text[i]);
    if (bytes.length != 0) {
      *to++ = static_cast<char>(bytes.first);
      if (bytes.length == 2) *to++ = static_cast<char>(bytes.second);
      continue;
    }
    const text::CodePoint character = text::CodePointAt(text, i);
    if (!options.leaveOutUnwritable) {
      report.unwritableAt = i;
      report.unwritable = character.value;
      ok = false;
      break;
    }
    if (report.leftOut++ == 0) report.firstLeftOut = character.value;
    i += character.units - 1;
  }
  out.resize(static_cast<std::size_t>(to - out.data()));
  return ok;
}

bool EncodeWithPage(const CodePage& page, TextView text, const EncodeOptions& options,
                    std::string& out, EncodeReport& report) {
  return EncodeUnits(text, options, out, report,
                     [&page](char16_t unit) { return page.Encode(unit); });
}

// NFD of each letter: base, then its marks by canonical combining class
// (horn 216, dot below 220, the others 230; a modifier before a tone of the
// same class).
struct Decomposed {
  std::array<char16_t, 3> units{};
  std::uint8_t length = 0;
};

std::array<Decomposed, letters::kLetterCount + 1> BuildDecompositions() {
  std::array<Decomposed, letters::kLetterCount + 1> all{};
  for (const letters::VietnameseLetter& letter : letters::kVietnameseLetters) {
    const bool toned = letter.number >= letters::kFirstTonedLetter;
    const char16_t modified = toned ? letter.composed.base : letter.unicode;
    const char16_t modifier = letters::CombiningModifier(modified);
    Decomposed& d = all[letter.number];
    if (letter.base == u'd' || letter.base == u'D') {  // đ Đ have no decomposition
      d.units[d.length++] = letter.unicode;
      continue;
    }
    d.units[d.length++] = letter.base;
    const char16_t tone = toned ? letter.composed.mark : 0;
    const bool toneFirst =
        tone == letters::kCombiningDotBelow && modifier != letters::kCombiningHorn;
    if (toneFirst) d.units[d.length++] = tone;
    if (modifier != 0) d.units[d.length++] = modifier;
    if (tone != 0 && !toneFirst) d.units[d.length++] = tone;
  }
  return all;
}

}  // namespace

// --- The letter-table units -------------------------------------------------

Representation LetterUnitsOf(Representation representation) {
  switch (representation) {
    case Representation::Vni:
    case Representation::Tcvn3:
    case Representation::NoMarks:
      return representation;
    default:
      return Representation::Unicode;
  }
}

void AppendEightBitUnits(Representation from, std::string_view bytes, Text& out) {
  switch (from) {
    case Representation::Cp1258:
      return Windows1258().Decode(bytes, out);
    case Representation::Viscii:
      return Viscii().Decode(bytes, out);
    case Representation::Tcvn5712:
      return Tcvn5712().Decode(bytes, out);
    default:
      return Windows1252().Decode(bytes, out);  // VNI, TCVN3
  }
}

std::size_t CountTonedCapitals(TextView units, Representation from) {
  const letters::SourceLookup& source = letters::LoadCharsetTables().ReadingOf(from);
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < units.size();) {
    std::uint8_t letter = pos + 1 < units.size() ? source.Pair(units[pos], units[pos + 1]) : 0;
    pos += letter != 0 ? 2 : 1;
    if (letter == 0) letter = source.Role(units[pos - 1]).alone;
    if (letter >= letters::kFirstTonedLetter) {
      const char16_t base = letters::kVietnameseLetters[letter - 1].base;
      count += base >= u'A' && base <= u'Z' ? 1 : 0;
    }
  }
  return count;
}

bool ComposesBeforeWriting(Representation to) {
  return to != Representation::Unicode && to != Representation::UnicodeDecomposed;
}

bool EncodeConverted(Representation to, TextView converted, const EncodeOptions& options,
                     std::string& out, EncodeReport& report) {
  switch (to) {
    case Representation::Unicode:
    case Representation::NoMarks:
      AppendEncodedUtf8(converted, out);
      return true;
    case Representation::UnicodeDecomposed:
      AppendEncodedUtf8(DecomposeLetters(converted), out);
      return true;
    case Representation::Vni:
    case Representation::Tcvn3:
      return EncodeWithPage(Windows1252(), converted, options, out, report);
    case Representation::Cp1258:
      return EncodeUnits(
          converted, options, out, report,
          [&unicode = letters::LoadCharsetTables().unicode, &page = Windows1258()](char16_t unit) {
            if (const std::uint8_t letter = unicode.Role(unit).alone; letter != 0) {
              const letters::ByteSpelling bytes = letters::kVietnameseLetters[letter - 1].cp1258;
              return CodePageBytes{static_cast<std::uint8_t>(bytes.IsOneByte() ? 1 : 2),
                                   bytes.first, bytes.second};
            }
            return page.Encode(unit);
          });
    case Representation::Viscii:
      return EncodeWithPage(Viscii(), converted, options, out, report);
    case Representation::Tcvn5712:
      return EncodeWithPage(Tcvn5712(), converted, options, out, report);
    case Representation::Viqr:
      return WriteViqr(converted, options, out, report);
  }
  return false;
}

// --- Reading ----------------------------------------------------------------

namespace {

Text DecodeEightBit(Representation from, std::string_view bytes) {
  Text units;
  AppendEightBitUnits(from, bytes, units);
  const Representation read = LetterUnitsOf(from);
  return read == Representation::Unicode
             ? units
             : letters::ConvertLetters(units, read, Representation::Unicode);
}

}  // namespace

Text DecodeVni(std::string_view bytes) {
  return DecodeEightBit(Representation::Vni, bytes);
}
Text DecodeTcvn3(std::string_view bytes) {
  return DecodeEightBit(Representation::Tcvn3, bytes);
}
Text DecodeCp1258(std::string_view bytes) {
  return DecodeEightBit(Representation::Cp1258, bytes);
}
Text DecodeViscii(std::string_view bytes) {
  return DecodeEightBit(Representation::Viscii, bytes);
}
Text DecodeTcvn5712(std::string_view bytes) {
  return DecodeEightBit(Representation::Tcvn5712, bytes);
}

std::optional<Text> DecodeUnicode(std::string_view bytes, TextInputError* error) {
  std::optional<Text> text = DecodeTextInput(bytes, error);
  if (!text) return std::nullopt;
  return letters::JoinToneMarks(*text);
}

std::optional<Text> DecodeViqr(std::string_view bytes, TextInputError* error) {
  std::optional<Text> text = DecodeTextInput(bytes, error);
  if (!text) return std::nullopt;
  return ReadViqr(*text);
}

std::optional<Text> DecodeRepresentation(Representation from, std::string_view bytes,
                                         TextInputError* error) {
  switch (from) {
    case Representation::Unicode:
    case Representation::UnicodeDecomposed:
      return DecodeUnicode(bytes, error);
    case Representation::Viqr:
      return DecodeViqr(bytes, error);
    case Representation::NoMarks: {
      std::optional<Text> text = DecodeTextInput(bytes, error);
      if (!text) return std::nullopt;
      return letters::ConvertLetters(*text, Representation::NoMarks, Representation::Unicode);
    }
    default:
      return DecodeEightBit(from, bytes);
  }
}

// --- Writing ----------------------------------------------------------------

bool EncodeRepresentation(Representation to, TextView text, const EncodeOptions& options,
                          std::string& out, EncodeReport& report) {
  Text composed;
  if (ComposesBeforeWriting(to)) {
    composed = ToNfc(text);
    text = composed;
  }
  const Text converted = letters::ConvertLetters(text, Representation::Unicode, LetterUnitsOf(to));
  if (to == Representation::Tcvn3)
    report.lowercasedCapitals += CountTonedCapitals(text, Representation::Unicode);
  return EncodeConverted(to, converted, options, out, report);
}

namespace {
std::string EncodeInfallible(Representation to, TextView text) {
  std::string out;
  EncodeReport report;
  EncodeRepresentation(to, text, {}, out, report);
  return out;
}
}  // namespace

std::string EncodeUnicode(TextView text) {
  return EncodeInfallible(Representation::Unicode, text);
}
std::string EncodeUnicodeDecomposed(TextView text) {
  return EncodeInfallible(Representation::UnicodeDecomposed, text);
}
std::string EncodeNoMarks(TextView text) {
  return EncodeInfallible(Representation::NoMarks, text);
}

Text DecomposeLetters(TextView text) {
  static const std::array<Decomposed, letters::kLetterCount + 1> decompositions =
      BuildDecompositions();
  const letters::SourceLookup& unicode = letters::LoadCharsetTables().unicode;
  Text out;
  out.reserve(text.size() + text.size() / 2);
  for (const char16_t unit : text) {
    const std::uint8_t letter = unicode.Role(unit).alone;
    if (letter == 0) {
      out.push_back(unit);
    } else {
      out.append(decompositions[letter].units.data(), decompositions[letter].length);
    }
  }
  return out;
}

}  // namespace velmora::encodings
