#include <gtest/gtest.h>

#include "reference/LiteralIlibHueMarcEdit.h"
#include "reference/LiteralRewrites.h"
#include "ModMain/MarcEditExport.h"
#include "support/TextPrinting.h"

namespace velmora {
namespace {

TEST(MarcEditExport, EachFieldBecomesALine) {
  const struct {
    TextView record, lines;
  } cases[] = {
      {u"245=00$aTitle%020=##$a123", u"=245  00$aTitle\r\n=020  ##$a123"},
      {u"245=00$aT%", u"=245  00$aT\r\n"},    // a final "%" gives a final line break
      {u"%100=##$aA", u"\r\n=100  ##$aA"},    // as the rebuild writes it without a title
      {u"500=##$aA%B", u"=500  ##$aA\r\nB"},  // a "%" in a value breaks the line too
      {u"000=x%000=y", u"000=x\r\n000=y"},    // "000" is never a tag
      {u"%%245=%1234=%24=%2450=", u"\r\n\r\n=245  \r\n1234=\r\n24=\r\n2450="},
      {u"", u""},
      // Only the tag of a field moves: three digits before "=" inside a
      // value are data.
      {u"100=1#$aA 1999=B", u"=100  1#$aA 1999=B"},
      {u"500=##$a245=X%245=Y", u"=500  ##$a245=X\r\n=245  Y"},
      {u"456123=", u"456123="},
  };
  for (const auto& c : cases) {
    EXPECT_TEXT_EQ(ExportMarcEdit(c.record), c.lines) << test::Readable(c.record);
  }
  // The export as it used to be rewrote them anywhere.
  EXPECT_TEXT_EQ(reference::UnmendedMarcEditExport(u"100=1#$aA 1999=B"), u"=100  1#$aA 1=999  B");
}

TEST(MarcEditExport, OnePassEqualsTheLiteralExportOnRandomTexts) {
  std::mt19937 random(17);
  for (int i = 0; i < 5000; ++i) {
    const Text s = reference::RandomText(random, reference::MarcEditPieces(), 40);
    const Text exported = ExportMarcEdit(s);
    ASSERT_TEXT_EQ(exported, reference::LiteralMarcEditExport(s)) << test::Readable(s);
    // Text already exported comes back unchanged.
    ASSERT_TEXT_EQ(ExportMarcEdit(exported), exported) << test::Readable(s);
  }
}

// The export as it used to be, its tag step done in one pass: for each "=",
// the run of digits before it is cut into threes from the right. The last
// three move unless they are "000" («123=» -> «=123  »); each further three
// to the left follow while they are greater than the three before them,
// since their pass comes later (456 > 123: «456123=» -> «=456  123  »).
// One "=" stands in front of the moved threes, each followed by two spaces.
Text UnmendedExportInOnePass(TextView s) {
  Text out;
  std::size_t copied = 0;
  for (std::size_t equals = s.find(u'='); equals != TextView::npos;
       equals = s.find(u'=', equals + 1)) {
    std::size_t runStart = equals;
    while (runStart > copied && IsAsciiDigit(s[runStart - 1])) --runStart;
    std::size_t chainStart = equals;
    int previous = 0;
    while (chainStart >= runStart + 3) {
      const TextView three = s.substr(chainStart - 3, 3);
      const int tag = (three[0] - u'0') * 100 + (three[1] - u'0') * 10 + (three[2] - u'0');
      if (tag <= previous) break;
      previous = tag;
      chainStart -= 3;
    }
    if (chainStart == equals) continue;
    out.append(s.substr(copied, chainStart - copied));
    out += u'=';
    for (std::size_t at = chainStart; at < equals; at += 3) {
      out.append(s.substr(at, 3));
      out.append(u"  ");
    }
    copied = equals + 1;
  }
  out.append(s.substr(copied));
  return Replace(out, u"%", kCrlf);
}

TEST(MarcEditExport, TheOldRuleCascadesOverLongDigitRuns) {
  const struct {
    TextView record, lines;
  } cases[] = {
      {u"456123=", u"=456  123  "},         {u"123456=", u"123=456  "},
      {u"1000456123=", u"1000=456  123  "},  // "000" stops the chain
      {u"123123=", u"123=123  "},           {u"999456123=", u"=999  456  123  "},
  };
  for (const auto& c : cases) {
    EXPECT_TEXT_EQ(reference::UnmendedMarcEditExport(Text(c.record)), c.lines);
  }
  std::mt19937 random(19);
  for (int i = 0; i < 5000; ++i) {
    const Text s = reference::RandomText(random, reference::MarcEditPieces(), 40);
    ASSERT_TEXT_EQ(UnmendedExportInOnePass(s), reference::UnmendedMarcEditExport(s))
        << test::Readable(s);
  }
}

}  // namespace
}  // namespace velmora
