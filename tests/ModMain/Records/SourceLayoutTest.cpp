#include <gtest/gtest.h>

#include "ModMain/Records/SourceLayout.h"
#include "ModMain/Records/Sources.h"
#include "support/Files.h"
#include "support/TextPrinting.h"

namespace velmora::records {
namespace {

struct Case {
  TextView copied;
  SourceLayout layout;
};

TEST(SourceLayout, EverySampleRecordIsRecognisedAsItsSourcesLayout) {
  for (const SourceSystem& source : Sources()) {
    const std::string file = std::string(source.sample) + ".txt";
    const Text copied = test::ExampleText(file);
    EXPECT_EQ(RecognizeSourceLayout(copied), source.layout) << file;
    EXPECT_EQ(RecognizeSourceLayout(text::Replace(copied, text::kCrlf, u"\n")), source.layout)
        << file << " with LF";
  }
}

// The records the source tests convert, in each layout's own shape.
TEST(SourceLayout, TestRecordsAreRecognised) {
  const Case cases[] = {
      {u"245    10$aTitle $bSub\r\n100    1 $aAuthor", SourceLayout::Libol},
      {u"000    nam\r\n020      $a123\r\n650     7$aX   $2y", SourceLayout::Libol},
      {u"245\t10|aTitle|bSub\r\n100\t1_|aAuthor", SourceLayout::LacVietEmiclib},
      {u"001\tDNO1\r\n082\t__|a895.9\r\n500\t__|aNote", SourceLayout::LacVietEmiclib},
      {u"245\t10\t|aTitle :\t|bsub /\t|cAuthor.\r\n650\t#7\t|aX\t|xY.\r\n", SourceLayout::Verbrary},
      {u"260\t##\t|aHa Noi :\t|bNXB,\t|c1998.", SourceLayout::Verbrary},
      {u"245\t10\ta\tTitle\r\n100\t1 \ta\tAuthor", SourceLayout::Ilib},
      {u"020\t  \ta\t123\r\n245\t00\ta\tX\r\ncontinued", SourceLayout::Ilib},
      {u"24510  aTitle  bSub\r\n1001   aAuthor", SourceLayout::Hue},
      {u"24510  aTitle\r\n245  bSub\r\n650 7  aV\u0103n h\u1ECDc  zVi\u1EC7t Nam",
       SourceLayout::Hue},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecognizeSourceLayout(c.copied), c.layout) << test::Readable(c.copied);
  }
}

// Where the shape does not tell, the answer is None rather than a guess.
TEST(SourceLayout, AmbiguousOrForeignTextIsNone) {
  const Case cases[] = {
      {u"", SourceLayout::None},
      {u"Vi\u1EC7t Nam s\u1EED l\u01B0\u1EE3c", SourceLayout::None},  // prose
      {u"001\tVN-1\r\n008\t190315s2019", SourceLayout::None},         // control fields only
      {u"1998 in print", SourceLayout::None},
      {u"245=00$aTitle%100=##$aAuthor", SourceLayout::None},             // an output record
      {u"=245  00$aTitle\r\n=100  ##$aAuthor", SourceLayout::None},      // MarcEdit lines
      {u"245    10$aT\r\n100\t1_|aA", SourceLayout::None},               // Libol and LacViet
      {u"245\t10\t|aT\r\n100\t1 \ta\tA", SourceLayout::None},            // Verbrary and iLib
      {u"245    10$aT\r\n100 x\r\n500 y\r\n520 z", SourceLayout::None},  // most lines fit none
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecognizeSourceLayout(c.copied), c.layout) << test::Readable(c.copied);
  }
}

TEST(SourceLayout, AStrayLineInALongRecordIsTolerated) {
  Text record;
  for (int i = 0; i < 10; ++i) record += u"650    #7$aTopic\r\n";
  record += u"500\t__|aNote copied from elsewhere\r\n";
  EXPECT_EQ(RecognizeSourceLayout(record), SourceLayout::Libol);
}

}  // namespace
}  // namespace velmora::records
