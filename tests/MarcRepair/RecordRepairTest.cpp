// Each kind of character damage, made from a clean record, is one row with
// the record the repair must give back and the kinds it must report; a
// record that needs nothing comes back untouched.
#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <set>

#include "Encodings/Codecs.h"
#include "Encodings/Normalization.h"
#include "Encodings/Utf8.h"
#include "MarcRepair/RecordRepair.h"
#include "support/TextPrinting.h"
#include "support/WrittenText.h"

namespace velmora::marc_repair {
namespace {

using encodings::Representation;
using marc_exchange::ExchangeRecord;

using velmora::test::Written;

std::string Bytes(Written as, TextView text) {
  return velmora::test::WrittenAs(as, text);
}

constexpr TextView kTitle =
    u"10\u001FaL\u1ECBch s\u1EED Vi\u1EC7t Nam t\u1EEB ngu\u1ED3n g\u1ED1c \u0111\u1EBFn th\u1EBF "
    u"k\u1EF7 XIX";
constexpr TextView kAuthor = u"1 \u001FaNguy\u1EC5n V\u0103n Tr\u01B0\u1EDDng";
constexpr TextView kPlace = u"  \u001FaH\u00E0 N\u1ED9i :\u001FbGi\u00E1o d\u1EE5c,\u001Fc2005";
constexpr TextView kNumber = u"VN-0001";

struct Field {
  std::string_view tag;
  TextView text;
  Written as;
};

struct RepairCase {
  const char* what;
  char leader09;
  std::vector<Field> fields;
  RepairOptions options;
  char wantLeader09;
  std::set<FindingKind> wantKinds;  // empty: the record comes back as it was
};

constexpr FindingKind kLeader = FindingKind::kLeaderCodingFixed;
constexpr FindingKind kConverted = FindingKind::kCharsetConverted;
constexpr FindingKind kLegacy = FindingKind::kReadAsLegacy;
RepairOptions Options(TargetCoding target, bool nfd = false, bool leaveOut = false,
                      std::optional<field_text::FieldCharset> from = std::nullopt) {
  RepairOptions options;
  options.target = target;
  options.nfd = nfd;
  options.leaveOut = leaveOut;
  options.from = from;
  return options;
}
const RepairOptions kToUtf8 = Options(TargetCoding::kUtf8);
const RepairOptions kToMarc8 = Options(TargetCoding::kMarc8);
const RepairOptions kToNfd = Options(TargetCoding::kUtf8, true);

std::vector<RepairCase> Cases() {
  using W = Written;
  // clang-format off
  return {
      {"clean UTF-8", 'a', {{"001", kNumber, W::Utf8}, {"245", kTitle, W::Utf8}, {"100", kAuthor, W::Utf8}},
       kToUtf8, 'a', {}},
      {"ASCII under a MARC-8 leader", ' ', {{"001", kNumber, W::Utf8}, {"020", u"  \u001Fa9786041234567", W::Utf8}},
       kToUtf8, ' ', {}},
      {"UTF-8 under a leader that says MARC-8", ' ', {{"245", kTitle, W::Utf8}, {"100", kAuthor, W::Utf8}},
       kToUtf8, 'a', {kLeader}},
      {"MARC-8 under a leader that says UTF-8", 'a', {{"245", kTitle, W::Marc8}, {"260", kPlace, W::Marc8}},
       kToUtf8, 'a', {kConverted}},
      {"MARC-8 as the leader says, to UTF-8", ' ', {{"245", kTitle, W::Marc8}, {"100", kAuthor, W::Marc8}},
       kToUtf8, 'a', {kConverted}},
      {"TCVN3", 'a', {{"245", kTitle, W::Tcvn3}, {"100", kAuthor, W::Tcvn3}, {"260", kPlace, W::Tcvn3}},
       kToUtf8, 'a', {kLegacy}},
      {"TCVN3 under a MARC-8 leader", ' ', {{"245", kTitle, W::Tcvn3}, {"100", kAuthor, W::Tcvn3}},
       kToUtf8, 'a', {kLeader, kLegacy}},
      {"VNI", ' ', {{"245", kTitle, W::Vni}, {"100", kAuthor, W::Vni}}, kToUtf8, 'a', {kLeader, kLegacy}},
      {"Windows-1258", 'a', {{"245", kTitle, W::Cp1258}, {"100", kAuthor, W::Cp1258}}, kToUtf8, 'a', {kLegacy}},
      {"VISCII", 'a', {{"245", kTitle, W::Viscii}, {"100", kAuthor, W::Viscii}}, kToUtf8, 'a', {kLegacy}},
      {"TCVN 5712 VN1", 'a', {{"245", kTitle, W::Tcvn5712}, {"100", kAuthor, W::Tcvn5712}}, kToUtf8, 'a', {kLegacy}},
      {"a UTF-8 field among TCVN3 fields", 'a',
       {{"245", kTitle, W::Tcvn3}, {"260", kPlace, W::Tcvn3}, {"100", kAuthor, W::Utf8}}, kToUtf8, 'a', {kLegacy}},
      {"a UTF-8 field among VNI fields", 'a',
       {{"245", kTitle, W::Vni}, {"260", kPlace, W::Vni}, {"100", kAuthor, W::Utf8}}, kToUtf8, 'a', {kLegacy}},
      {"a UTF-8 field among MARC-8 fields", ' ',
       {{"245", kTitle, W::Marc8}, {"260", kPlace, W::Marc8}, {"100", kAuthor, W::Utf8}}, kToUtf8, 'a', {kConverted}},
      {"double-encoded UTF-8", 'a', {{"245", kTitle, W::Utf8}, {"100", kAuthor, W::DoubleUtf8}},
       kToUtf8, 'a', {FindingKind::kDoubleEncoded}},
      {"decomposed letters", 'a', {{"245", kTitle, W::Nfd}, {"100", kAuthor, W::Utf8}},
       kToUtf8, 'a', {FindingKind::kNormalized}},
      {"composed letters, NFD asked for", 'a', {{"245", kTitle, W::Utf8}, {"001", kNumber, W::Utf8}},
       kToNfd, 'a', {FindingKind::kNormalized}},
      {"decomposed letters, NFD asked for", 'a', {{"245", kTitle, W::Nfd}}, kToNfd, 'a', {}},
      {"UTF-8 to MARC-8", 'a', {{"245", kTitle, W::Utf8}, {"100", kAuthor, W::Nfd}}, kToMarc8, ' ', {kConverted}},
      {"TCVN3 to MARC-8", 'a', {{"245", kTitle, W::Tcvn3}, {"100", kAuthor, W::Tcvn3}}, kToMarc8, ' ', {kLeader, kLegacy}},
      {"clean MARC-8 to MARC-8", ' ', {{"245", kTitle, W::Marc8}, {"260", kPlace, W::Marc8}}, kToMarc8, ' ', {}},
      {"TCVN3 read as --from says", 'a', {{"245", kTitle, W::Tcvn3}},
       Options(TargetCoding::kUtf8, false, false, field_text::FieldCharset::Tcvn3), 'a', {kLegacy}},
  };
  // clang-format on
}

ExchangeRecord MakeRecord(char leader09, const std::vector<Field>& fields) {
  std::string leader = "00000nam  2200000 i 4500";
  leader[9] = leader09;
  ExchangeRecord record(leader);
  for (const Field& field : fields) {
    record.AppendReadField(std::string(field.tag), Bytes(field.as, field.text));
  }
  record.MutableOrigin().exact = true;  // as a clean read leaves it
  return record;
}

std::set<FindingKind> KindsOf(const RecordRepairOutcome& outcome) {
  std::set<FindingKind> kinds;
  for (const Finding& finding : outcome.findings) kinds.insert(finding.kind);
  return kinds;
}

std::string FindingsText(const RecordRepairOutcome& outcome) {
  std::string text;
  for (const Finding& finding : outcome.findings) text += "\n  " + finding.text;
  return text;
}

// GoogleTest would otherwise print the case's bytes, unused buffers among them.
void PrintTo(const RepairCase& c, std::ostream* out) {
  *out << c.what;
}

class MarcRepairCharacterDamage : public ::testing::TestWithParam<RepairCase> {};

TEST_P(MarcRepairCharacterDamage, GivesTheCleanRecordAndReportsWhatItDid) {
  const RepairCase& c = GetParam();
  ExchangeRecord record = MakeRecord(c.leader09, c.fields);
  const RecordRepairOutcome outcome = RepairRecord(record, c.options);
  EXPECT_TRUE(outcome.writable);
  EXPECT_EQ(KindsOf(outcome), c.wantKinds) << FindingsText(outcome);
  EXPECT_EQ(record.Leader()[9], c.wantLeader09);
  EXPECT_EQ(record.Changed(), !c.wantKinds.empty());
  ASSERT_EQ(record.FieldCount(), c.fields.size());  // none added, none removed
  const bool marc8 = c.options.target == TargetCoding::kMarc8;
  for (std::size_t i = 0; i < c.fields.size(); ++i) {
    EXPECT_EQ(record.Field(i).tag, c.fields[i].tag);
    const Text clean(c.options.nfd ? encodings::ToNfd(c.fields[i].text)
                                   : encodings::ToNfc(c.fields[i].text));
    const std::string want = marc8 ? Bytes(Written::Marc8, clean) : encodings::EncodeUtf8(clean);
    EXPECT_EQ(record.Field(i).content, want) << "field " << i;
  }
  // Repaired again (its bytes as they are now, not as --from said), it
  // stays as it is.
  ExchangeRecord again = record;
  again.MutableOrigin().exact = true;
  const ExchangeRecord repaired = again;
  RepairOptions options = c.options;
  options.from.reset();
  const RecordRepairOutcome second = RepairRecord(again, options);
  EXPECT_TRUE(KindsOf(second).empty()) << FindingsText(second);
  EXPECT_EQ(again.Leader(), repaired.Leader());
  for (std::size_t i = 0; i < again.FieldCount(); ++i) {
    EXPECT_EQ(again.Field(i).content, repaired.Field(i).content);
  }
}

INSTANTIATE_TEST_SUITE_P(EachKind, MarcRepairCharacterDamage, ::testing::ValuesIn(Cases()),
                         [](const auto& info) {
                           std::string name;
                           for (const char c : std::string(info.param.what)) {
                             name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           }
                           return name;
                         });

// Where the repair cannot tell, it keeps the bytes and says so.
TEST(MarcRepairRecord, KeepsTheBytesItCannotRead) {
  const struct {
    const char* what;
    std::string bytes;
    FindingKind kind;
  } cases[] = {
      {"too close to tell",
       "  \x1F"
       "a" +
           Bytes(Written::Tcvn3, u"C\u1EA7n Th\u01A1"),
       FindingKind::kTooClose},
      {"no reading fits",
       std::string("  \x1F"
                   "a\xFF\xFE\x80\x81 \x9F\xA0 x"),
       FindingKind::kUnreadable},
  };
  for (const auto& c : cases) {
    ExchangeRecord record("00000nam a2200000 i 4500");
    record.AppendReadField("245", c.bytes);
    record.MutableOrigin().exact = true;
    const RecordRepairOutcome outcome = RepairRecord(record, kToUtf8);
    EXPECT_EQ(KindsOf(outcome), std::set<FindingKind>{c.kind}) << c.what << FindingsText(outcome);
    EXPECT_EQ(record.Field(0).content, c.bytes) << c.what;
    EXPECT_FALSE(record.Changed()) << c.what;
  }
}

// A field whose written bytes a later repair would read as other text is
// named: here UTF-8 text of no language that, written in MARC-8, reads as
// TCVN3.
TEST(MarcRepairRecord, NamesAFieldThatWouldReadOtherwiseWhenReadAgain) {
  RepairOptions toMarc8;
  toMarc8.target = TargetCoding::kMarc8;
  ExchangeRecord record("00000nam a2200000 i 4500");
  const std::string piece =
      "\xC3\xB3"
      "a d\xC3\xA2\x1F"
      "aL\xC3\xAA Q";
  record.AppendReadField("008", "002001800" + piece + "3 i 4500001001~00000008004100010002001800" +
                                    piece + "u Quanvmn ");
  record.MutableOrigin().exact = true;
  const RecordRepairOutcome outcome = RepairRecord(record, toMarc8);
  EXPECT_TRUE(KindsOf(outcome).contains(FindingKind::kReadsOtherwise)) << FindingsText(outcome);
  EXPECT_NE(FindingsText(outcome).find("would be read as TCVN3"), std::string::npos)
      << FindingsText(outcome);
  // Real Vietnamese text reads back as it was written.
  ExchangeRecord vietnamese("00000nam a2200000 i 4500");
  vietnamese.AppendReadField("245",
                             encodings::EncodeUtf8(u"10\u001FaL\u1ECBch s\u1EED Vi\u1EC7t Nam"));
  vietnamese.MutableOrigin().exact = true;
  const RecordRepairOutcome clean = RepairRecord(vietnamese, toMarc8);
  EXPECT_FALSE(KindsOf(clean).contains(FindingKind::kReadsOtherwise)) << FindingsText(clean);
}

// MARC-8 cannot hold every character: the record is refused, naming the
// field and the character, or with -c the character is left out.
TEST(MarcRepairRecord, NamesWhatMarc8CannotHoldOrLeavesItOut) {
  const Text title = u"10\u001FaVi\u1EC7t Nam \U0001F600 x";
  for (const bool leaveOut : {false, true}) {
    ExchangeRecord record("00000nam a2200000 i 4500");
    record.AppendReadField("245", encodings::EncodeUtf8(title));
    const RecordRepairOutcome outcome =
        RepairRecord(record, Options(TargetCoding::kMarc8, false, leaveOut));
    EXPECT_EQ(outcome.writable, leaveOut);
    const FindingKind want = leaveOut ? FindingKind::kLeftOut : FindingKind::kNotWritable;
    EXPECT_TRUE(KindsOf(outcome).contains(want)) << FindingsText(outcome);
    const auto found = std::find_if(outcome.findings.begin(), outcome.findings.end(),
                                    [&](const Finding& f) { return f.kind == want; });
    ASSERT_NE(found, outcome.findings.end());
    EXPECT_NE(found->text.find("245"), std::string::npos) << found->text;
    EXPECT_NE(found->text.find("U+1F600"), std::string::npos) << found->text;
    if (leaveOut) {
      EXPECT_EQ(record.Field(0).content, Bytes(Written::Marc8, u"10\u001FaVi\u1EC7t Nam  x"));
    }
  }
}

TEST(MarcRepairRecord, LeavesAnUnwritableIndicatorOutAsABlankSoTheFieldKeepsTwo) {
  struct Case {
    TextView indicators;
    TextView written;  // as -c writes them
  };
  const Case cases[] = {
      {u"\u001B ", u"  "},     {u"0\u001B", u"0 "},
      {u"\u001B4", u" 4"},     {u"\U0001F600", u"  "},  // one character in both places
      {u"0\U0001F600", u"0 "},
  };
  for (const Case& c : cases) {
    ExchangeRecord record("00000nam a2200000 i 4500");
    const Text data = u"\u001FaVi\u1EC7t Nam";
    record.AppendReadField("245", encodings::EncodeUtf8(Text(c.indicators) + data));
    const RecordRepairOutcome first =
        RepairRecord(record, Options(TargetCoding::kMarc8, false, true));
    ASSERT_TRUE(first.writable) << FindingsText(first);
    EXPECT_TRUE(KindsOf(first).contains(FindingKind::kLeftOut)) << FindingsText(first);
    EXPECT_EQ(record.Field(0).content, Bytes(Written::Marc8, Text(c.written) + data))
        << test::Readable(c.indicators);
    // What is written repairs to itself.
    ExchangeRecord again("00000nam a2200000 i 4500");
    again.SetLeaderByte(marc_exchange::kLeaderCharacterCoding, 'a');
    again.AppendReadField("245", record.Field(0).content);
    RepairRecord(again, Options(TargetCoding::kMarc8, false, true));
    EXPECT_EQ(again.Field(0).content, record.Field(0).content) << test::Readable(c.indicators);
  }
}

}  // namespace
}  // namespace velmora::marc_repair
