#include "ModMain/Records/CatalogRecordHue.h"

#include "ModMain/Records/RebuildRows.h"

namespace velmora::records {
namespace {

using enum Cleanup;
using enum Emit;

// One line per row, in the order the rows run.
//   source: tag, field occurrence, mark, subfield occurrence
// The title has no block of its own: whichever title row first yields a
// value opens «245=##», without "%", and the later ones join it.
constexpr RebuildRow kHueRows[] = {
    /*  1 */ {u"245", 1, u"$a", 1, None, Joined, u"245=##$a"},
    /*  2 */ {u"245", 2, u"$b", 1, None, Joined, u"245=##$b"},
    /*  3 */ {u"245", 2, u"$c", 1, None, Joined, u"245=##$c"},
    /*  4 */ {u"245", 3, u"$c", 1, None, Joined, u"245=##$c"},
    /*  5 */ {u"245", 2, u"$n", 1, None, Joined, u"245=##$n"},
    /*  6 */ {u"245", 3, u"$n", 1, None, Joined, u"245=##$n"},
    /*  7 */ {u"245", 4, u"$n", 1, None, Joined, u"245=##$n"},
    /*  8 */ {u"245", 2, u"$p", 1, None, Joined, u"245=##$p"},
    /*  9 */ {u"245", 3, u"$p", 1, None, Joined, u"245=##$p"},
    /* 10 */ {u"245", 4, u"$p", 1, None, Joined, u"245=##$p"},
    /* 11 */ {u"245", 5, u"$p", 1, None, Joined, u"245=##$p"},
    /* 12 */ {u"020", 1, u"$a", 1, None, Joined, u"%020=##$a"},
    /* 13 */ {u"020", 2, u"$a", 1, None, Joined, u"%020=##$a"},
    /* 14 */ {u"020", 1, u"$c", 1, None, Joined, u"%020=##$c"},
    /* 15 */ {u"020", 2, u"$c", 1, None, Joined, u"%020=##$c"},
    /* 16 */ {u"020", 3, u"$c", 1, None, Joined, u"%020=##$c"},
    /* 17 */ {u"041", 1, u"$a", 1, None, Joined, u"%041=##$a"},
    /* 18 */ {u"082", 1, u"$a", 1, None, NewField, u"%082=##$a"},
    /* 19 */ {u"082", 2, u"$b", 1, None, Joined, u"%082=##$b"},
    /* 20 */ {u"084", 1, u"$a", 1, None, Joined, u"%082=##$a"},  // 084 joins the 082 field
    /* 21 */ {u"084", 2, u"$b", 1, None, Joined, u"%082=##$b"},
    /* 22 */ {u"100", 1, u"$a", 1, None, NewField, u"%100=##$a"},
    /* 23 */ {u"250", 1, u"$a", 1, None, NewField, u"%250=##$a"},
    /* 24 */ {u"260", 1, u"$a", 1, None, NewField, u"%260=##$a"},
    /* 25 */ {u"260", 2, u"$b", 1, None, Joined, u"%260=##$b"},
    /* 26 */ {u"260", 3, u"$c", 1, None, Joined, u"%260=##$c"},
    /* 27 */ {u"300", 1, u"$a", 1, None, NewField, u"%300=##$a"},
    /* 28 */ {u"300", 2, u"$b", 1, None, Joined, u"%300=##$b"},
    /* 29 */ {u"300", 2, u"$c", 1, None, Joined, u"%300=##$c"},
    /* 30 */ {u"300", 3, u"$c", 1, None, Joined, u"%300=##$c"},
    /* 31 */ {u"300", 3, u"$e", 1, None, Joined, u"%300=##$e"},
    /* 32 */ {u"300", 4, u"$e", 1, None, Joined, u"%300=##$e"},
    /* 33 */ {u"490", 1, u"$a", 1, None, NewField, u"%490=##$a"},  // 440 is not read
    /* 34 */ {u"500", 1, u"$a", 1, None, NewField, u"%500=##$a"},
    /* 35 */ {u"504", 1, u"$a", 1, None, NewField, u"%504=##$a"},
    /* 36 */ {u"505", 1, u"$a", 1, None, NewField, u"%505=##$a"},
    /* 37 */ {u"520", 1, u"$a", 1, None, NewField, u"%520=##$a"},
    /* 38 */ {u"534", 1, u"$a", 1, None, NewField, u"%534=##$a"},
    /* 39 */ {u"546", 1, u"$a", 1, None, NewField, u"%546=##$a"},
    /* 40 */ {u"600", 1, u"$a", 1, None, NewField, u"%600=##$a"},
    /* 41 */ {u"650", 1, u"$a", 1, None, NewField, u"%650=##$a"},
    /* 42 */ {u"650", 1, u"$a", 2, None, NewField, u"%650=##$a"},
    /* 43 */ {u"650", 1, u"$a", 3, None, NewField, u"%650=##$a"},
    /* 44 */ {u"650", 2, u"$a", 1, None, NewField, u"%650=##$a"},
    /* 45 */ {u"650", 3, u"$a", 1, None, NewField, u"%650=##$a"},
    /* 46 */ {u"650", 4, u"$a", 1, None, NewField, u"%650=##$a"},
    /* 47 */ {u"650", 5, u"$a", 1, None, NewField, u"%650=##$a"},
    /* 48 */ {u"650", 1, u"$x", 1, None, NewField, u"%650=##$a"},
    /* 49 */ {u"650", 1, u"$x", 2, None, NewField, u"%650=##$a"},
    /* 50 */ {u"650", 1, u"$x", 3, None, NewField, u"%650=##$a"},
    /* 51 */ {u"650", 1, u"$v", 1, None, NewField, u"%650=##$a"},
    /* 52 */ {u"650", 1, u"$v", 2, None, NewField, u"%650=##$a"},
    /* 53 */ {u"650", 1, u"$v", 3, None, NewField, u"%650=##$a"},
    /* 54 */ {u"650", 1, u"$z", 1, None, NewField, u"%650=##$a"},
    /* 55 */ {u"650", 2, u"$x", 1, None, NewField, u"%650=##$a"},
    /* 56 */ {u"650", 2, u"$v", 1, None, NewField, u"%650=##$a"},
    /* 57 */ {u"650", 2, u"$z", 1, None, NewField, u"%650=##$a"},
    /* 58 */ {u"650", 3, u"$x", 1, None, NewField, u"%650=##$a"},
    /* 59 */ {u"650", 3, u"$v", 1, None, NewField, u"%650=##$a"},
    /* 60 */ {u"650", 3, u"$z", 1, None, NewField, u"%650=##$a"},
    /* 61 */ {u"651", 1, u"$a", 1, None, NewField, u"%651=##$a"},
    /* 62 */ {u"653", 1, u"$a", 1, None, NewField, u"%653=##$a"},
    /* 63 */ {u"653", 2, u"$a", 1, None, NewField, u"%653=##$a"},
    /* 64 */ {u"653", 3, u"$a", 1, None, NewField, u"%653=##$a"},
    /* 65 */ {u"653", 4, u"$a", 1, None, NewField, u"%653=##$a"},
    /* 66 */ {u"653", 5, u"$a", 1, None, NewField, u"%653=##$a"},
    /* 67 */ {u"655", 1, u"$a", 1, None, NewField, u"%655=##$a"},
    /* 68 */ {u"700", 1, u"$a", 1, None, NewField, u"%700=##$a"},
    /* 69 */ {u"700", 2, u"$a", 1, None, NewField, u"%700=##$a"},
    /* 70 */ {u"700", 3, u"$a", 1, None, NewField, u"%700=##$a"},
    /* 71 */ {u"700", 4, u"$a", 1, None, NewField, u"%700=##$a"},
    /* 72 */ {u"700", 1, u"$a", 2, None, NewField, u"%700=##$a"},
    /* 73 */ {u"700", 1, u"$a", 3, None, NewField, u"%700=##$a"},
};
static_assert(std::size(kHueRows) == 73);
static_assert([] {
  for (const RebuildRow& row : kHueRows) {
    if (!IsWellFormed(row)) return false;
  }
  return true;
}());

}  // namespace

Text BuildCatalogRecordHue(TextView text) {
  Text out;
  EmitRows(text, kHueRows, out);
  return out;
}

TracedRecord BuildCatalogRecordHueTraced(TextView text) {
  TracedRecord traced;
  EmitRows(text, kHueRows, traced.record, &traced.origins);
  return traced;
}

}  // namespace velmora::records
