#include <gtest/gtest.h>

#include "Encodings/Codecs.h"
#include "Encodings/FieldText/FieldTextDecoder.h"
#include "Encodings/Normalization.h"
#include "support/TextPrinting.h"
#include "support/WrittenText.h"

namespace velmora::field_text {
namespace {

using encodings::Representation;

using velmora::test::Written;

std::string Bytes(Written as, TextView text) {
  return velmora::test::WrittenAs(as, text);
}

struct Field {
  TextView text;
  Written as;
  FieldVerdict verdict;
  FieldCharset charset;  // as read
  bool decidedAlone = false;
};

struct RecordCase {
  const char* what;
  char leader09;
  std::vector<Field> fields;
};

constexpr TextView kTitle =
    u"1\u001FaL\u1ECBch s\u1EED Vi\u1EC7t Nam t\u1EEB ngu\u1ED3n g\u1ED1c \u0111\u1EBFn th\u1EBF "
    u"k\u1EF7 XIX";
constexpr TextView kAuthor = u"1 \u001FaNguy\u1EC5n V\u0103n Tr\u01B0\u1EDDng";
constexpr TextView kPlace = u"  \u001FaH\u00E0 N\u1ED9i :\u001FbGi\u00E1o d\u1EE5c,\u001Fc2005";
constexpr TextView kIsbn = u"  \u001Fa9786040000000";
constexpr TextView kCapitals = u"10\u001Fa\u0110\u1EA0I H\u1ECCC QU\u1ED0C GIA H\u00C0 N\u1ED8I";

constexpr FieldVerdict kRead = FieldVerdict::Read;

std::vector<RecordCase> Cases() {
  using C = FieldCharset;
  using W = Written;
  // clang-format off
  std::vector<RecordCase> cases = {
      {"UTF-8, as the leader says",
       'a',
       {{kTitle, W::Utf8, kRead, C::Utf8},
        {kAuthor, W::Utf8, kRead, C::Utf8},
        {kIsbn, W::Utf8, FieldVerdict::Ascii, C::Utf8}}},
      {"UTF-8 under a leader that says MARC-8",
       ' ',
       {{kTitle, W::Utf8, kRead, C::Utf8}, {kAuthor, W::Utf8, kRead, C::Utf8}}},
      {"MARC-8, as the leader says",
       ' ',
       {{kTitle, W::Marc8, kRead, C::Marc8},
        {kAuthor, W::Marc8, kRead, C::Marc8},
        {kPlace, W::Marc8, kRead, C::Marc8}}},
      {"MARC-8 under a leader that says UTF-8",
       'a',
       {{kTitle, W::Marc8, kRead, C::Marc8}, {kPlace, W::Marc8, kRead, C::Marc8}}},
      {"one field double-encoded among UTF-8",
       'a',
       {{kTitle, W::Utf8, kRead, C::Utf8},
        {kAuthor, W::DoubleUtf8, FieldVerdict::Repaired, C::Utf8},
        {kPlace, W::TripleUtf8, FieldVerdict::Repaired, C::Utf8}}},
      {"double-encoded French, no Vietnamese",
       'a',
       {{u"  \u001Fa\u00C9t\u00E9 \u00E0 Gen\u00E8ve",
         W::DoubleUtf8, FieldVerdict::Repaired, C::Utf8}}},
      {"a real Ã and é stay",
       'a',
       {{u"  \u001FaS\u00C3O PAULO, caf\u00E9",
         W::Utf8, kRead, C::Utf8}}},
      {"TCVN3 under either leader",
       'a',
       {{kTitle, W::Tcvn3, kRead, C::Tcvn3},
        {kAuthor, W::Tcvn3, kRead, C::Tcvn3},
        {kPlace, W::Tcvn3, kRead, C::Tcvn3}}},
      {"VNI", ' ', {{kTitle, W::Vni, kRead, C::Vni}, {kAuthor, W::Vni, kRead, C::Vni}}},
      {"Windows-1258",
       'a',
       {{kTitle, W::Cp1258, kRead, C::Cp1258}, {kAuthor, W::Cp1258, kRead, C::Cp1258}}},
      {"VISCII",
       ' ',
       {{kTitle, W::Viscii, kRead, C::Viscii}, {kAuthor, W::Viscii, kRead, C::Viscii}}},
      {"TCVN 5712 VN1, its toned capitals named", 'a',
       {{kCapitals, W::Tcvn5712, kRead, C::Tcvn5712}, {kAuthor, W::Tcvn5712, kRead, C::Tcvn5712}}},
      {"a UTF-8 field among TCVN3 fields",
       ' ',
       {{kTitle, W::Tcvn3, kRead, C::Tcvn3},
        {kPlace, W::Tcvn3, kRead, C::Tcvn3},
        {kAuthor, W::Utf8, kRead, C::Utf8, true}}},
      {"a UTF-8 field among MARC-8 fields",
       ' ',
       {{kTitle, W::Marc8, kRead, C::Marc8},
        {kPlace, W::Marc8, kRead, C::Marc8},
        {kAuthor, W::Utf8, kRead, C::Utf8, true}}},
      {"a TCVN3 field among UTF-8 fields",
       'a',
       {{kAuthor, W::Utf8, kRead, C::Utf8},
        {kPlace, W::Utf8, kRead, C::Utf8},
        {kTitle, W::Tcvn3, kRead, C::Tcvn3, true}}},
  };
  // clang-format on
  return cases;
}

TEST(FieldTextDecoder, TellsWhatEachFieldIsAndReadsIt) {
  for (const RecordCase& c : Cases()) {
    std::vector<std::string> bytes;
    for (const Field& f : c.fields) bytes.push_back(Bytes(f.as, f.text));
    const std::vector<std::string_view> views(bytes.begin(), bytes.end());
    const LeaderCoding leader = LeaderCodingOf(c.leader09);
    const RecordReading record = ReadRecordFields(views, {leader, std::nullopt});
    ASSERT_EQ(record.fields.size(), c.fields.size()) << c.what;
    for (std::size_t i = 0; i < c.fields.size(); ++i) {
      const FieldReading& got = record.fields[i];
      const Field& want = c.fields[i];
      EXPECT_EQ(got.verdict, want.verdict) << c.what << ", field " << i;
      if (got.verdict == FieldVerdict::Read) {
        EXPECT_EQ(Name(got.charset), Name(want.charset)) << c.what << ", field " << i;
      }
      EXPECT_EQ(got.decidedAlone, want.decidedAlone) << c.what << ", field " << i;
      EXPECT_TEXT_EQ(encodings::ToNfc(got.text), want.text) << c.what << ", field " << i;
      EXPECT_EQ(got.invalid, 0u) << c.what;
      const bool leaderRight =
          want.verdict == FieldVerdict::Ascii ||
          (want.charset == FieldCharset::Utf8 && leader == LeaderCoding::Utf8) ||
          (want.charset == FieldCharset::Marc8 && leader == LeaderCoding::Marc8);
      EXPECT_EQ(AgreesWithLeader(got, leader), leaderRight) << c.what << ", field " << i;
    }
  }
}

// Too close to tell, or nothing fits: the bytes are kept, and the answer
// names the readings.
TEST(FieldTextDecoder, KeepsTheBytesWhereItCannotTell) {
  const std::string canTho = Bytes(Written::Tcvn3, u"C\u1EA7n Th\u01A1");  // Cần Thơ
  const FieldReading close = ReadFieldText(canTho, {LeaderCoding::Utf8, std::nullopt});
  EXPECT_EQ(close.verdict, FieldVerdict::TooClose);
  EXPECT_EQ(Name(close.charset), "tcvn3");
  EXPECT_EQ(Name(close.rival), "viscii");
  EXPECT_EQ(close.text.size(), canTho.size());
  EXPECT_EQ(close.text[1], static_cast<unsigned char>(canTho[1]));

  // Not UTF-8 as the leader says, no MARC-8, and no reading is Vietnamese.
  const std::string noise = "\xFF\xFE\x80\x81 \x9F\xA0 x";
  const FieldReading unreadable = ReadFieldText(noise, {LeaderCoding::Utf8, std::nullopt});
  EXPECT_EQ(unreadable.verdict, FieldVerdict::Unreadable);
  EXPECT_EQ(unreadable.text.size(), noise.size());
}

// Forced (--from): every field is read so, whatever it looks like, and what
// does not decode is counted.
TEST(FieldTextDecoder, ReadsEveryFieldAsTheCallerSays) {
  const std::string utf8 = Bytes(Written::Utf8, kAuthor);
  const FieldReading asTcvn3 = ReadFieldText(utf8, {LeaderCoding::Utf8, FieldCharset::Tcvn3});
  EXPECT_TRUE(asTcvn3.forced);
  EXPECT_EQ(asTcvn3.verdict, FieldVerdict::Read);
  EXPECT_EQ(Name(asTcvn3.charset), "tcvn3");
  EXPECT_TEXT_EQ(asTcvn3.text, *encodings::DecodeRepresentation(Representation::Tcvn3, utf8));

  const FieldReading asUtf8 = ReadFieldText(
      "ab\xE3\xF2"
      "ec",
      {LeaderCoding::Marc8, FieldCharset::Utf8});
  EXPECT_EQ(asUtf8.invalid, 2u);
  EXPECT_EQ(asUtf8.firstInvalidAt, 2u);
  EXPECT_TEXT_EQ(asUtf8.text, u"ab\uFFFD\uFFFDec");

  const FieldReading asMarc8 = ReadFieldText("a\xAF", {LeaderCoding::Utf8, FieldCharset::Marc8});
  EXPECT_EQ(asMarc8.invalid, 1u);
  EXPECT_EQ(asMarc8.firstInvalidAt, 1u);
}

TEST(FieldTextDecoder, NamesTheCharsetsAsTheCommandLineDoes) {
  EXPECT_EQ(FindFieldCharset("MARC8"), FieldCharset::Marc8);
  EXPECT_EQ(FindFieldCharset("marc-8"), FieldCharset::Marc8);
  EXPECT_EQ(FindFieldCharset("utf8"), FieldCharset::Utf8);
  EXPECT_EQ(FindFieldCharset("vn3"), FieldCharset::Tcvn3);
  EXPECT_EQ(FindFieldCharset("windows-1258"), FieldCharset::Cp1258);
  EXPECT_EQ(FindFieldCharset("viqr"), std::nullopt);  // ASCII: no field's bytes are in doubt
  EXPECT_EQ(FindFieldCharset("nfd"), std::nullopt);
  for (const FieldCharset charset : AllFieldCharsets()) {
    EXPECT_EQ(FindFieldCharset(Name(charset)), charset) << Name(charset);
  }
}

// An escape makes a 7-bit field MARC-8; ASCII alone needs no decision.
TEST(FieldTextDecoder, SevenBitMarc8IsMarc8) {
  const FieldReading greek =
      ReadFieldText("\x1B(S\x61\x62\x1B(B", {LeaderCoding::Marc8, std::nullopt});
  EXPECT_EQ(greek.verdict, FieldVerdict::Read);
  EXPECT_EQ(Name(greek.charset), "marc-8");
  EXPECT_TEXT_EQ(greek.text, u"\u03B1\u03B2");
  EXPECT_EQ(ReadFieldText("plain", {LeaderCoding::Utf8, std::nullopt}).verdict,
            FieldVerdict::Ascii);
}

// Double-encoded UTF-8 is a fault of the text, whatever set it was then
// written in; combining marks that are the text's own are no misreading.
TEST(FieldTextDecoder, RepairsDoubleEncodingInEverySetAndOnlyThere) {
  struct Case {
    const char* what;
    char leader09;
    std::string_view bytes;
    FieldVerdict verdict;
    FieldCharset charset;
    TextView text;
  };
  const Case cases[] = {
      {"double-encoded «café» written in MARC-8", ' ',
       "  \x1F"
       "acaf\xE4"
       "A\xC3 Paris",
       FieldVerdict::Repaired, FieldCharset::Marc8, u"  \u001Facaf\u00E9 Paris"},
      {"MARC-8 hook above, g and ©", ' ',
       "  \x1F"
       "a\xE0g\xC3",
       kRead, FieldCharset::Marc8, u"  \u001Fag\u0309\u00A9"},
      {"double-encoded «café» in decomposed UTF-8", 'a',
       "  \x1F"
       "acafA\xCC\x83\xC2\xA9",
       FieldVerdict::Repaired, FieldCharset::Utf8, u"  \u001Facaf\u00E9"},
      {"the same in UTF-8", 'a',
       "  \x1F"
       "ag\xCC\x89\xC2\xA9",
       kRead, FieldCharset::Utf8, u"  \u001Fag\u0309\u00A9"},
  };
  for (const Case& c : cases) {
    const FieldReading got = ReadFieldText(c.bytes, {LeaderCodingOf(c.leader09), std::nullopt});
    EXPECT_EQ(got.verdict, c.verdict) << c.what;
    EXPECT_EQ(Name(got.charset), Name(c.charset)) << c.what;
    EXPECT_TEXT_EQ(encodings::ToNfc(got.text), c.text) << c.what;
    EXPECT_TRUE(AgreesWithLeader(got, LeaderCodingOf(c.leader09))) << c.what;
  }
}

}  // namespace
}  // namespace velmora::field_text
