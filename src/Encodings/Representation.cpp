#include "Encodings/Representation.h"

#include <algorithm>
#include <array>

#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "ModMain/Letters/CharsetCodes.h"

namespace velmora::encodings {
namespace {

using messages::Translatable;

constexpr bool kRead = true, kWriteOnly = false;

// clang-format off
constexpr std::array<RepresentationInfo, 9> kRepresentations = {{
  {Representation::Unicode, "unicode", "utf-8 utf8", kRead, FileBytes::UnicodeText,
   Translatable("UTF-8 (or UTF-16 with BOM), letters precomposed; reads base + tone too")},
  {Representation::Vni, "vni", "vni-windows", kRead, FileBytes::EightBit,
   Translatable("VNI Windows fonts, 8-bit: most letters a base byte and a mark byte")},
  {Representation::Tcvn3, "tcvn3", "vn3", kRead, FileBytes::EightBit,
   Translatable("TCVN3 (.Vn fonts), 8-bit; toned capitals share the lowercase codes")},
  {Representation::Cp1258, "cp1258", "windows-1258", kRead, FileBytes::EightBit,
   Translatable("Windows-1258, 8-bit; writes each toned letter as base byte + tone byte")},
  {Representation::NoMarks, "nomarks", "", kRead, FileBytes::UnicodeText,
   Translatable("letters without diacritics (Duong for \xC4\x90\xC6\xB0\xE1\xBB\x9Dng); "
                "FROM reads tcvn3")},
  {Representation::Viscii, "viscii", "viscii1.1-1 csviscii", kRead, FileBytes::EightBit,
   Translatable("VISCII (RFC 1456), 8-bit, every letter one byte")},
  {Representation::Tcvn5712, "tcvn5712-1", "tcvn tcvn-5712 tcvn5712-1:1993 vn1", kRead,
   FileBytes::EightBit, Translatable("TCVN 5712:1993 VN1, 8-bit, as iconv's TCVN5712-1")},
  {Representation::Viqr, "viqr", "", kRead, FileBytes::UnicodeText,
   Translatable("VIQR (RFC 1456), ASCII: Vie^.t Nam; a \\ before a mark keeps it literal")},
  {Representation::UnicodeDecomposed, "unicode-decomposed", "nfd", kWriteOnly,
   FileBytes::UnicodeText,
   Translatable("UTF-8, each letter a base + combining marks in canonical order; TO only")},
}};
// clang-format on

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool IsAlias(std::string_view word, std::string_view aliases) {
  while (!aliases.empty()) {
    const std::size_t end = std::min(aliases.find(' '), aliases.size());
    if (EqualIgnoringAsciiCase(word, aliases.substr(0, end))) return true;
    aliases.remove_prefix(std::min(end + 1, aliases.size()));
  }
  return false;
}

}  // namespace

std::span<const RepresentationInfo> AllRepresentations() {
  return kRepresentations;
}

const RepresentationInfo& Describe(Representation representation) {
  return kRepresentations[static_cast<std::size_t>(representation)];
}

std::optional<Representation> FindRepresentation(std::string_view word) {
  if (word.size() == 1 && word[0] >= '0' && word[0] <= '9') {
    return letters::RepresentationOfCode(word[0] - '0');
  }
  for (const RepresentationInfo& info : kRepresentations) {
    if (EqualIgnoringAsciiCase(word, info.name) || IsAlias(word, info.aliases)) return info.id;
  }
  return std::nullopt;
}

std::string RepresentationChoices() {
  std::string names;
  for (const RepresentationInfo& info : kRepresentations) {
    if (!names.empty()) names += ", ";
    names.append(info.name);
  }
  return messages::Format(messages::Tr("%1, or the codes 1-5"), names);
}

static_assert(
    [] {
      for (std::size_t i = 0; i < kRepresentations.size(); ++i) {
        if (static_cast<std::size_t>(kRepresentations[i].id) != i) return false;
      }
      return true;
    }(),
    "rows in the order of the enum, so that Describe can index them");

}  // namespace velmora::encodings
