#include <gtest/gtest.h>

#include <algorithm>

#include "Encodings/Marc8CharacterSets.h"
#include "Encodings/Marc8Decoder.h"
#include "Encodings/Marc8Encoder.h"
#include "Encodings/Marc8Tables.h"
#include "Encodings/Normalization.h"
#include "Encodings/Utf8.h"
#include "ModMain/Letters/VietnameseLetters.h"
#include "ToolOutput.h"
#include "VietnameseSpellings.h"
#include "support/TextPrinting.h"

// Our MARC-8 read back by two independent readers, yaz-iconv and Perl's
// MARC::Charset (scripts/deps.sh installs both), and the code tables read by
// yaz-iconv as we read them. Each batch goes through one process, its
// fields separated by «{|}», which no field holds.
namespace velmora::encodings {
namespace {

constexpr const char* kYazIconv = "/usr/bin/yaz-iconv";

constexpr std::string_view kSeparator = "{|}";

std::vector<std::string> Split(const std::string& joined) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at; (at = joined.find(kSeparator, start)) != std::string::npos;
       start = at + kSeparator.size()) {
    parts.push_back(joined.substr(start, at - start));
  }
  parts.push_back(joined.substr(start));
  return parts;
}

std::string Join(const std::vector<std::string>& fields) {
  std::string joined;
  for (const std::string& field : fields) {
    if (&field != &fields.front()) joined += kSeparator;
    joined += field;
  }
  return joined;
}

// What each reader makes of the fields: one text per field, or nullopt when
// the reader is missing or gives back another number of fields.
struct Reader {
  const char* name;
  std::optional<std::vector<Text>> (*read)(const std::vector<std::string>& fields);
};

std::optional<std::vector<Text>> Texts(const std::optional<test::ToolOutput>& run,
                                       std::size_t expected) {
  if (!run) return std::nullopt;
  std::vector<Text> texts;
  for (const std::string& part : Split(run->out)) {
    texts.push_back(DecodeUtf8(part, nullptr).value_or(u"<not UTF-8>"));
  }
  if (texts.size() != expected) return std::nullopt;
  return texts;
}

// yaz-iconv writes a mark at byte 63, 127, 191… of its input (63 + 64k)
// before its base rather than after («x»×63 «\xE6A» gives x…x U+0306 A): each
// field gets a slot of 64 bytes, padded with spaces, the separator at its
// end taking that byte.
constexpr std::size_t kYazSlot = 64;

std::optional<std::vector<Text>> ReadWithYaz(const std::vector<std::string>& fields) {
  std::string slots;
  const std::size_t room = kYazSlot - kSeparator.size();
  for (const std::string& field : fields) {
    if (field.size() > room) return std::nullopt;
    if (!slots.empty()) slots += kSeparator;
    slots += field + std::string(room - field.size(), ' ');
  }
  std::optional<std::vector<Text>> texts =
      Texts(test::RunTool(kYazIconv, {"-f", "marc8", "-t", "utf8"}, slots), fields.size());
  for (std::size_t i = 0; texts && i < fields.size(); ++i) {
    Text& text = (*texts)[i];
    const std::size_t padding = room - fields[i].size();
    if (text.size() < padding || text.find_first_not_of(u' ', text.size() - padding) != text.npos) {
      return std::nullopt;
    }
    text.resize(text.size() - padding);
  }
  return texts;
}

std::optional<std::vector<Text>> ReadWithMarcCharset(const std::vector<std::string>& fields) {
  return Texts(test::RunTool("/usr/bin/perl", {VELMORA_READ_MARC8}, Join(fields)), fields.size());
}

constexpr Reader kReaders[] = {{"yaz-iconv", ReadWithYaz}, {"MARC::Charset", ReadWithMarcCharset}};

// Each reader gives back, up to canonical equivalence, the expected text
// (NFC) of each field.
void ExpectEveryReaderReadsBack(const std::vector<std::string>& fields,
                                const std::vector<Text>& expected) {
  for (const Reader& reader : kReaders) {
    const std::optional<std::vector<Text>> texts = reader.read(fields);
    if (!texts) {
      ADD_FAILURE() << reader.name << " did not read the fields back (is it installed?)";
      continue;
    }
    for (std::size_t i = 0; i < fields.size(); ++i) {
      EXPECT_TEXT_EQ(ToNfc((*texts)[i]), expected[i]) << reader.name;
    }
  }
}

std::string Marc8(TextView text) {
  std::string out;
  EncodeReport report;
  EXPECT_TRUE(EncodeMarc8(text, {}, out, report)) << test::Readable(text);
  return out;
}

// Every spelling of every one of the 134 letters, on its own and in a word.
TEST(Marc8ReadBack, EveryVietnameseLetterInEverySpellingReadsBackAsItself) {
  std::vector<Text> expected;
  std::vector<std::string> fields;
  for (const letters::VietnameseLetter& letter : letters::kVietnameseLetters) {
    for (const Text& spelling : test::VietnameseSpellings(letter.unicode)) {
      for (const Text& field : {spelling, u"Ng" + spelling + u"n"}) {
        fields.push_back(Marc8(field));
        expected.push_back(ToNfc(field));
      }
    }
  }
  ASSERT_GT(fields.size(), 2 * 134u * 2);
  ExpectEveryReaderReadsBack(fields, expected);
}

// Latin, Cyrillic, Greek, Hebrew, Arabic, East Asian, subscripts and
// superscripts, in one field and each on its own.
TEST(Marc8ReadBack, TextsOfEverySetReadBackAsThemselves) {
  const TextView samples[] = {
      u"Nguy\u1EC5n V\u0103n Tr\u01B0\u1EDDng -- \u0110\u1EA1i h\u1ECDc",
      u"\u041C\u043E\u0441\u043A\u0432\u0430 1987, \u0401\u0451, \u0491\u0454",
      u"\u0386\u03B8\u03AE\u03BD\u03B1, \u03B1\u03B2\u03B3",
      u"\u05E9\u05DC\u05D5\u05DD",
      u"\u0627\u0644\u0639\u0631\u0628\u064A\u0629 \u06AF",
      u"\u4EBA\u6C11\u65E5\u5831 \uAC00\u3042\u30A2 \U00022C4D",
      u"H\u2082O, x\u00B2 + y\u00B3",
      u"t\u0361s \u00A9 1999 \u2117 \u0131",
  };
  std::vector<std::string> fields;
  std::vector<Text> expected;
  Text all;
  for (const TextView sample : samples) {
    fields.push_back(Marc8(sample));
    expected.push_back(ToNfc(sample));
    all += Text(sample) + u" ";
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const Marc8Text ours = DecodeMarc8(fields[i]);
    EXPECT_EQ(ours.problemCount, 0u);
    EXPECT_TEXT_EQ(ToNfc(ours.text), expected[i]);
  }
  // Every set in one field (too long for a slot of yaz-iconv's).
  const std::optional<std::vector<Text>> together = ReadWithMarcCharset({Marc8(all)});
  ASSERT_TRUE(together) << "MARC::Charset did not read the field back (is it installed?)";
  EXPECT_TEXT_EQ(ToNfc(together->at(0)), ToNfc(all));
  EXPECT_TEXT_EQ(ToNfc(DecodeMarc8(Marc8(all)).text), ToNfc(all));
  ExpectEveryReaderReadsBack(fields, expected);
}

// Where yaz-iconv reads otherwise: two East Asian codes with a byte 20 in
// them («…» 21 20 3D, «“» 21 20 40) as a space, the joiner and non-joiner
// (8D, 8E) with extended Arabic in G1 as nothing, and the second half of a
// double diacritic with no first half before it as nothing.
struct YazReads {
  std::uint8_t set;
  std::uint32_t code;
  TextView text;
};
constexpr YazReads kYazReadsOtherwise[] = {
    {marc8::kEastAsian, 0x21203D, u" "},
    {marc8::kEastAsian, 0x212040, u" "},
    {0x34, 0x8D, u""},
    {0x34, 0x8E, u""},
    {marc8::kAnsel, 0x6C, u"o"},
    {marc8::kAnsel, 0x7B, u"o"},
};

// Every character of the code tables, each designated the way a writer
// designates its set, and a mark on an «o»: yaz-iconv reads it as we do, but
// for the few it reads otherwise.
TEST(Marc8ReadBack, EveryCharacterOfTheCodeTablesReadsAsYazIconvReadsIt) {
  std::vector<std::string> fields;
  std::vector<Text> expected, expectedOfYaz;
  for (const marc8::Character& c : marc8::kCharacters) {
    if (c.code < 0x20) continue;  // ESC and the separators of the record
    const marc8::CharacterSet* set = marc8::FindCharacterSet(c.set);
    std::string field;
    if (c.set == marc8::kAnsel && c.code >= 0x80) {  // the controls of ANSEL, in any state
      field += static_cast<char>(c.code);
    } else {
      field += set->escape;
      const unsigned high = set->home == marc8::Graphic::G1 ? 0x80 : 0;
      for (int shift = 8 * (set->width - 1); shift >= 0; shift -= 8) {
        field += static_cast<char>(((c.code >> shift) & 0x7F) | high);
      }
    }
    field += "\x1B(B";
    Text text;
    if (c.combining) field += "o", text = u"o";
    field += "\x1B)E";
    text::AppendCodePoint(c.codePoint, text);
    fields.push_back(field);
    expected.push_back(text);
    const auto otherwise =
        std::find_if(std::begin(kYazReadsOtherwise), std::end(kYazReadsOtherwise),
                     [&](const YazReads& r) { return r.set == c.set && r.code == c.code; });
    expectedOfYaz.push_back(otherwise == std::end(kYazReadsOtherwise) ? text
                                                                      : Text(otherwise->text));
  }
  for (std::size_t i = 0; i < fields.size(); ++i) {
    EXPECT_TEXT_EQ(DecodeMarc8(fields[i]).text, expected[i]);
  }
  const std::optional<std::vector<Text>> yaz = ReadWithYaz(fields);
  ASSERT_TRUE(yaz) << "yaz-iconv did not read the fields (install yaz)";
  std::size_t differ = 0;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if ((*yaz)[i] != expectedOfYaz[i] && ++differ <= 30) {
      ADD_FAILURE() << "yaz-iconv reads " << test::Readable((*yaz)[i]) << " for "
                    << test::Readable(expectedOfYaz[i]);
    }
  }
  EXPECT_EQ(differ, 0u);
}

}  // namespace
}  // namespace velmora::encodings
