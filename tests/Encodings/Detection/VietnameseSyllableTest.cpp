#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "Encodings/Detection/VietnameseScore.h"
#include "Encodings/Detection/VietnameseSyllable.h"
#include "Encodings/Utf8.h"
#include "support/TextPrinting.h"

namespace velmora::detection {
namespace {

TEST(VietnameseSyllable, WellFormedSyllablesPass) {
  // clang-format off
  for (const TextView word : {
           u"Vi\u1EC7t", u"ng\u01B0\u1EDDi", u"quy\u1EC3n", u"gi\u1EEFa",  // Việt người quyển giữa
           u"ho\u00E0", u"h\u00F2a", u"THU\u1EF6", u"th\u1EE7y",          // hoà hòa THUỶ thủy
           u"khu\u1EF7u", u"nghi\u00EAng", u"g\u00EC", u"g\u00ECn",       // khuỷu nghiêng gì gìn
           u"gi\u1EBFng", u"qu\u1ED1c", u"qu\u00FDt", u"y\u00EAu",        // giếng quốc quýt yêu
           u"\u0111\u01B0\u1EDDng", u"k\u1EF3", u"ngo\u00E0i", u"m\u00F9a",  // đường kỳ ngoài mùa
           u"Nam", u"a", u"the", u"oong",                                    // no tone mark
           u"Vie\u0323\u0302t", u"Vi\u00EA\u0323t",  // fully and partly decomposed
           u"VI\u1EC7T", u"C\u1ED9NG",  // VIệT CộNG: TCVN3's capitals keep the toned letter small
       }) {
    // clang-format on
    EXPECT_TRUE(IsVietnameseSyllable(word)) << test::Readable(word);
  }
}

TEST(VietnameseSyllable, MalformedWordsFail) {
  // clang-format off
  for (const TextView word : {
           u"Vie\u00E4t",         // VNI bytes of «Việt» read as Windows-1258
           u"Vi\u00E1\u00BB\u2021t",  // UTF-8 bytes of «Việt» read as Windows-1252
           u"strong", u"fox", u"w", u"q",             // onsets Vietnamese has not
           u"kan", u"cem", u"ngi", u"ghang", u"gen",  // k, gh, ngh before i, e, ê only
           u"t\u00E0c", u"tac", u"h\u1EA3p",          // c, ch, p, t take only acute or dot below
           u"mu\u00E1", u"ngu\u01A1\u00EC", u"qu\u0301a",  // muá nguơì: the tone mark misplaced
           u"\u00E1\u00E0", u"i\u00EAu", u"ti\u00EAu\u0301\u0301",  // two marks; «iêu» opens no word
           u"tyeu", u"nghiêngg", u"",
           u"vI\u1EC7T", u"VI\u1EC7t",  // vIệT VIệt: small letters beside the toned one
       }) {
    // clang-format on
    EXPECT_FALSE(IsVietnameseSyllable(word)) << test::Readable(word);
  }
}

// The parts that the rime and tone weights are looked up by.
TEST(VietnameseSyllable, PartsAreOnsetRimeAndTone) {
  const struct {
    TextView word, onset, rime;
    SyllableTone tone;
    // clang-format off
  } cases[] = {
      {u"Ng\u01B0\u1EDDi", u"ng", u"\u01B0\u01A1i", SyllableTone::Grave},  // Người
      {u"g\u00ECn", u"g", u"in", SyllableTone::Grave},                        // gìn: i of the rime
      {u"qu\u00E2n", u"qu", u"\u00E2n", SyllableTone::Level},                // quân
      {u"qu\u00FDt", u"q", u"uyt", SyllableTone::Acute},                     // quýt: u of the rime
      {u"\u1EDF", u"", u"\u01A1", SyllableTone::HookAbove},                   // ở
  };
  // clang-format on
  for (const auto& c : cases) {
    const std::optional<SyllableParts> parts = ReadSyllable(c.word);
    ASSERT_TRUE(parts) << test::Readable(c.word);
    EXPECT_EQ(parts->Onset(), c.onset) << test::Readable(c.word);
    EXPECT_EQ(parts->Rime(), c.rime) << test::Readable(c.word);
    EXPECT_EQ(parts->tone, c.tone) << test::Readable(c.word);
  }
}

// Every syllable of the Vietnamese spelling dictionary (hunspell-vi) but a
// few loanwords passes; abbreviations and names in capitals are left out.
TEST(VietnameseSyllable, TheSpellingDictionaryPasses) {
  std::ifstream dictionary("/usr/share/hunspell/vi_VN.dic");
  ASSERT_TRUE(dictionary) << "hunspell-vi is not installed (scripts/deps.sh installs it)";
  std::string line;
  std::getline(dictionary, line);  // the entry count
  std::size_t entries = 0;
  std::vector<std::string> rejected;
  while (std::getline(dictionary, line)) {
    const std::optional<Text> word = encodings::DecodeUtf8(line.substr(0, line.find('/')), nullptr);
    const bool capital =
        word && !word->empty() &&
        ((word->front() >= u'A' && word->front() <= u'Z') || word->front() == u'\u0110');
    if (!word || word->empty() || capital) continue;
    ++entries;
    if (!IsVietnameseSyllable(*word)) rejected.push_back(line);
  }
  EXPECT_GT(entries, 6000u);
  std::string list;
  for (const std::string& word : rejected) list += word + " ";
  EXPECT_LE(rejected.size(), 25u) << list;
}

TEST(VietnameseScore, CountsWordsSyllablesAndDiacritics) {
  const struct {
    TextView text;
    std::size_t words, syllables, marked, broken, controls;
    // clang-format off
  } cases[] = {
      {u"T\u00F4i y\u00EAu ti\u1EBFng Vi\u1EC7t.", 4, 4, 4, 0, 0},  // Tôi yêu tiếng Việt.
      {u"To\u00E2i ye\u00E2u tie\u00E1ng Vie\u00E4t.", 4, 0, 0, 4, 0},  // VNI read as Windows-1258
      {u"The quick brown fox", 4, 1, 0, 0, 0},
      {u"\u201CH\u00E0 N\u1ED9i\u201D, 2019 \u2013 (s\u00E1ch)", 3, 3, 3, 0, 0},  // “Hà Nội”, 2019 – (sách)
      {u"H\u00E0-N\u1ED9i/Hu\u1EBF", 3, 3, 3, 0, 0},  // hyphens and slashes part words
      {u"978-604 a.b", 1, 0, 0, 0, 0},  // numbers are no words; «a.b» has a dot inside
      // Records: delimiters part words, subfield codes are none of them.
      {u"245=10$aV\u0103n h\u1ECDc%100=1#|av\u0103n  aV\u0103n", 4, 4, 4, 0, 0},
      {u"10\x1F" u"aV\u0103n h\u1ECDc\x1E\x1D", 2, 2, 2, 0, 0},  // ISO 2709's separators
      // Symbols standing alone are no words, and no broken ones: «• Văn ©».
      {u"\u2022 V\u0103n \u00A9 \u00BD", 1, 1, 1, 0, 0},
      // Curly quotes open or close a word, not the other way round: «GTR‘» is
      // VN1's «GTRỊ» read as TCVN3.
      {u"\u201CV\u0103n\u201D GTR\u2018", 2, 1, 1, 1, 0},
      // VIQR's marks read as they are break the word they stand in: «vie^.t».
      {u"vie^.t ngu+o+`i", 2, 0, 0, 2, 0},
      // Control characters, but tab and line breaks: C0, DEL and C1.
      {u"\x01Y\tban\r\n\x7F\u0085", 2, 1, 0, 0, 3},
      {u"", 0, 0, 0, 0, 0},
  };
  // clang-format on
  for (const auto& c : cases) {
    const VietnameseScore score = ScoreVietnamese(c.text);
    EXPECT_EQ(score.words, c.words) << test::Readable(c.text);
    EXPECT_EQ(score.syllables, c.syllables) << test::Readable(c.text);
    EXPECT_EQ(score.marked, c.marked) << test::Readable(c.text);
    EXPECT_EQ(score.broken, c.broken) << test::Readable(c.text);
    EXPECT_EQ(score.controls, c.controls) << test::Readable(c.text);
  }
}

// Common words weigh more than rare ones, and rare ones more than well-formed
// syllables that are no words or words that are no syllables: what tells a
// right reading from a wrong one that still gives syllables.
TEST(VietnameseScore, CommonWordsWeighMoreThanRareOnesAndThoseMoreThanNoWords) {
  const struct {
    TextView heavier, lighter;
  } pairs[] = {
      {u"\u0111\u01B0\u1EE3c", u"ch\u1ED1n"},  // được, chốn
      {u"ch\u1ED1n", u"d\u1EE7a"},             // dủa: the rime of «của» after another onset
      {u"ch\u1ED1n", u"Vie\u00E4t"},           // VNI's «Việt» read as Windows-1258
  };
  for (const auto& pair : pairs) {
    EXPECT_GT(ScoreVietnamese(pair.heavier).weight, ScoreVietnamese(pair.lighter).weight)
        << test::Readable(pair.heavier) << " against " << test::Readable(pair.lighter);
  }
}

}  // namespace
}  // namespace velmora::detection
