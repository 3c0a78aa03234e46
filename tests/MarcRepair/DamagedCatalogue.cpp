#include "DamagedCatalogue.h"

#include <cstdint>
#include <string>
#include <vector>

#include "Encodings/CodePage.h"
#include "Encodings/Codecs.h"
#include "Encodings/Marc8Encoder.h"
#include "Encodings/Normalization.h"
#include "Encodings/Utf8.h"
#include "MarcExchange/ExchangeRecord.h"
#include "MarcExchange/Iso2709Writer.h"
#include "MarcRepair/CatalogueChecks.h"

namespace velmora::marc_repair::test {
namespace {

using encodings::Representation;
using marc_exchange::DataFieldContent;
using marc_exchange::ExchangeRecord;

// Without toned capitals, which TCVN3 cannot tell from lowercase letters.
constexpr std::u16string_view kTitles[] = {
    u"L\u1ECBch s\u1EED Vi\u1EC7t Nam t\u1EEB ngu\u1ED3n g\u1ED1c \u0111\u1EBFn th\u1EBF k\u1EF7 "
    u"XIX",
    u"Truy\u1EC7n ng\u1EAFn ch\u1ECDn l\u1ECDc c\u1EE7a c\u00E1c nh\u00E0 v\u0103n tr\u1EBB",
    u"V\u0103n h\u00F3a d\u00E2n gian v\u00F9ng \u0111\u1ED3ng b\u1EB1ng s\u00F4ng C\u1EEDu Long",
    u"Gi\u00E1o tr\u00ECnh kinh t\u1EBF h\u1ECDc \u0111\u1EA1i c\u01B0\u01A1ng",
    u"Nh\u1EEFng ng\u01B0\u1EDDi kh\u1ED1n kh\u1ED5",
    u"\u0110\u1ECBa l\u00FD t\u1EF1 nhi\u00EAn Vi\u1EC7t Nam",
    u"Th\u01A1 ca kh\u00E1ng chi\u1EBFn ch\u1ED1ng Ph\u00E1p",
    u"Ph\u01B0\u01A1ng ph\u00E1p nghi\u00EAn c\u1EE9u khoa h\u1ECDc gi\u00E1o d\u1EE5c",
};
constexpr std::u16string_view kNames[] = {
    u"Nguy\u1EC5n V\u0103n Tr\u01B0\u1EDDng", u"Tr\u1EA7n Th\u1ECB H\u01B0\u01A1ng",
    u"L\u00EA Quang \u0110\u1EA1o",           u"Ph\u1EA1m Minh Tu\u1EA5n",
    u"Ho\u00E0ng Th\u1ECB Thu H\u00E0",       u"V\u0169 \u0110\u1EE9c Th\u1EAFng",
};
constexpr std::u16string_view kPublishers[] = {
    u"H\u00E0 N\u1ED9i :\u001FbGi\u00E1o d\u1EE5c",
    u"Th\u00E0nh ph\u1ED1 H\u1ED3 Ch\u00ED Minh :\u001FbTr\u1EBB",
    u"Hu\u1EBF :\u001FbThu\u1EADn H\u00F3a",
    u"\u0110\u00E0 N\u1EB5ng :\u001FbNh\u00E0 xu\u1EA5t b\u1EA3n \u0110\u00E0 N\u1EB5ng",
};
constexpr std::u16string_view kSubjects[] = {
    u"L\u1ECBch s\u1EED",     u"V\u0103n h\u1ECDc hi\u1EC7n \u0111\u1EA1i",
    u"Kinh t\u1EBF",          u"Gi\u00E1o d\u1EE5c \u0111\u1EA1i h\u1ECDc",
    u"\u0110\u1ECBa l\u00FD", u"V\u0103n h\u00F3a d\u00E2n gian",
};
constexpr std::u16string_view kSummary =
    u"Cu\u1ED1n s\u00E1ch tr\u00ECnh b\u00E0y nh\u1EEFng v\u1EA5n \u0111\u1EC1 c\u01A1 b\u1EA3n "
    u"c\u1EE7a l\u1ECBch s\u1EED v\u00E0 v\u0103n h\u00F3a qua c\u00E1c th\u1EDDi k\u1EF3, "
    u"v\u1EDBi "
    u"nhi\u1EC1u t\u01B0 li\u1EC7u qu\u00FD \u0111\u01B0\u1EE3c s\u01B0u t\u1EA7m trong nhi\u1EC1u "
    u"n\u0103m.";

// The same sequence on every run and platform.
struct Sequence {
  std::uint64_t state;
  std::size_t Next(std::size_t bound) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::size_t>((state >> 33) % bound);
  }
};

std::string Utf8(std::u16string_view text) {
  return encodings::EncodeUtf8(text);
}

// The fields of record n, as UTF-16 (tag, text), before any damage.
std::vector<std::pair<std::string, std::u16string>> CleanFields(std::size_t n, Sequence& pick) {
  std::string number = std::to_string(n + 1);
  number.insert(0, 6 - std::min<std::size_t>(6, number.size()), '0');
  std::string isbn = "978604" + std::to_string(100000 + pick.Next(900000));
  isbn += IsbnCheckDigit(isbn);
  const auto text = [](std::string_view ascii) {
    return std::u16string(ascii.begin(), ascii.end());
  };
  std::vector<std::pair<std::string, std::u16string>> fields;
  fields.push_back({"001", text("VN-" + number)});
  fields.push_back({"008", text("190315s2019    vm a          000 0 vie d")});
  fields.push_back({"020", text("  \x1F"
                                "a" +
                                isbn)});
  fields.push_back({"041", text("0 \x1F"
                                "avie")});
  fields.push_back({"100", u"1 \u001Fa" + std::u16string(kNames[pick.Next(std::size(kNames))])});
  fields.push_back({"245", u"10\u001Fa" + std::u16string(kTitles[pick.Next(std::size(kTitles))]) +
                               u" /\u001Fc" +
                               std::u16string(kNames[pick.Next(std::size(kNames))])});
  fields.push_back({"260", u"  \u001Fa" +
                               std::u16string(kPublishers[pick.Next(std::size(kPublishers))]) +
                               u",\u001Fc" + text(std::to_string(1990 + pick.Next(30)))});
  fields.push_back({"520", u"  \u001Fa" + std::u16string(kSummary)});
  for (std::size_t k = 0; k < 1 + pick.Next(3); ++k) {
    fields.push_back(
        {"650", u" 7\u001Fa" + std::u16string(kSubjects[pick.Next(std::size(kSubjects))])});
  }
  return fields;
}

std::string EightBit(Representation representation, std::u16string_view text) {
  std::string out;
  encodings::EncodeReport report;
  encodings::EncodeRepresentation(representation, text, {}, out, report);
  return out;
}

std::string Marc8(std::u16string_view text) {
  std::string out;
  encodings::EncodeReport report;
  encodings::EncodeMarc8(text, {}, out, report);
  return out;
}

std::string DoubleEncoded(std::u16string_view text) {
  Text misread;
  encodings::Windows1252().Decode(Utf8(text), misread);
  return Utf8(misread);
}

// The bytes of one field as the damage writes it.
std::string FieldBytes(Damage damage, std::size_t index, std::u16string_view text) {
  switch (damage) {
    case Damage::kLeaderSaysUtf8:
      return Marc8(text);
    case Damage::kTcvn3:
      return EightBit(Representation::Tcvn3, text);
    case Damage::kUtf8AmongTcvn3:
      return index == 4 ? Utf8(text) : EightBit(Representation::Tcvn3, text);
    case Damage::kVni:
      return EightBit(Representation::Vni, text);
    case Damage::kCp1258:
      return EightBit(Representation::Cp1258, text);
    case Damage::kViscii:
      return EightBit(Representation::Viscii, text);
    case Damage::kTcvn5712:
      return EightBit(Representation::Tcvn5712, text);
    case Damage::kDoubleEncoded:
      return index == 5 ? DoubleEncoded(text) : Utf8(text);
    case Damage::kDecomposed:
      return Utf8(encodings::ToNfd(text));
    default:
      return Utf8(text);
  }
}

void SetDigits(std::string& bytes, std::size_t at, std::size_t digits, std::size_t n) {
  std::string text = std::to_string(n);
  bytes.replace(at, digits, std::string(digits - std::min(digits, text.size()), '0') + text);
}

// Structural damage to one ISO 2709 record's bytes.
void DamageStructure(Damage damage, std::string& record) {
  const std::size_t length = std::stoul(record.substr(0, 5));
  const std::size_t base = std::stoul(record.substr(12, 5));
  switch (damage) {
    case Damage::kRecordLength:
      SetDigits(record, 0, 5, length + 7);
      break;
    case Damage::kBaseAddress:
      SetDigits(record, 12, 5, base + 2);
      break;
    case Damage::kDirectoryOffset:
      for (std::size_t entry = 24; entry + 12 < base; entry += 12) {
        SetDigits(record, entry + 7, 5, std::stoul(record.substr(entry + 7, 5)) + 3);
      }
      break;
    case Damage::kGarbageBefore:
      record.insert(0, "\r\n#--\x01");
      break;
    case Damage::kUnreadableBetween:
      record.insert(0, "junk\x1Emore\x1D");
      break;
    default:
      break;
  }
}

constexpr Damage kCharacterDamages[] = {
    Damage::kLeaderSaysMarc8,
    Damage::kLeaderSaysUtf8,
    Damage::kTcvn3,
    Damage::kVni,
    Damage::kCp1258,
    Damage::kViscii,
    Damage::kTcvn5712,
    Damage::kUtf8AmongTcvn3,
    Damage::kDoubleEncoded,
    Damage::kDecomposed,
    Damage::kRecordLength,
    Damage::kBaseAddress,
    Damage::kDirectoryOffset,
    Damage::kGarbageBefore,
    Damage::kUnreadableBetween,
};

}  // namespace

std::string_view DamageName(Damage damage) {
  switch (damage) {
#define VELMORA_DAMAGE_NAME(name, text) \
  case Damage::name:                    \
    return text;
    VELMORA_DAMAGES(VELMORA_DAMAGE_NAME)
#undef VELMORA_DAMAGE_NAME
  }
  return {};
}

DamagedCatalogue MakeDamagedCatalogue(std::size_t records, bool clean) {
  DamagedCatalogue catalogue;
  Sequence pick{20260315};
  marc_exchange::Iso2709Writer writer;
  for (std::size_t n = 0; n < records; ++n) {
    // About a third clean, the rest spread over the damages; the last
    // record of a damaged file is cut short.
    Damage damage = Damage::kClean;
    const std::size_t roll = pick.Next(3 * std::size(kCharacterDamages) / 2);
    if (!clean && roll < std::size(kCharacterDamages)) damage = kCharacterDamages[roll];
    if (!clean && n + 1 == records && records > 1) damage = Damage::kTruncated;
    const auto fields = CleanFields(n, pick);
    std::string leader = "00000nam a2200000 i 4500";
    if (damage == Damage::kLeaderSaysMarc8) leader[9] = ' ';
    ExchangeRecord record(leader);
    for (std::size_t i = 0; i < fields.size(); ++i) {
      record.AddField(fields[i].first, FieldBytes(damage, i, fields[i].second));
    }
    std::string bytes;
    writer.Write(record, bytes);
    DamageStructure(damage, bytes);
    if (damage == Damage::kTruncated) bytes.resize(bytes.size() - 40);
    catalogue.bytes += bytes;
    ++catalogue.damaged[damage];
  }
  return catalogue;
}

}  // namespace velmora::marc_repair::test
