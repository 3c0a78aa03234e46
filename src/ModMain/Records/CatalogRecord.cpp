#include "ModMain/Records/CatalogRecord.h"

#include <array>

#include "ModMain/Records/FieldAccess.h"
#include "ModMain/Records/RebuildRows.h"

namespace velmora::records {
namespace {

using enum Cleanup;
using enum Emit;

// One line per row, in the order the rows run.
//   source: tag, field occurrence, mark, subfield occurrence
constexpr RebuildRow kCatalogRows[] = {
    /*  1 */ {u"020", 1, u"$a", 1, None, NewField, u"%020=##$a"},
    /*  2 */ {u"020", 1, u"$c", 1, None, Joined, u"%020=##$c"},
    /*  3 */ {u"041", 1, u"$a", 1, None, NewField, u"%041=##$a"},
    /*  4 */ {u"082", 1, u"$a", 1, None, NewField, u"%082=##$a"},
    /*  5 */ {u"082", 1, u"$b", 1, None, Joined, u"%082=##$b"},
    /*  6 */ {u"100", 1, u"$a", 1, None, NewField, u"%100=##$a"},
    /*  7 */ {u"250", 1, u"$a", 1, None, NewField, u"%250=##$a"},
    /*  8 */ {u"260", 1, u"$a", 1, RemoveColonsTestThenTrim, NewField, u"%260=##$a"},
    /*  9 */ {u"260", 1, u"$b", 1, RemoveCommasThenTrim, Joined, u"%260=##$b"},
    /* 10 */ {u"260", 1, u"$c", 1, None, Joined, u"%260=##$c"},
    /* 11 */ {u"300", 1, u"$a", 1, RemoveColonsAndSemicolonsThenTrim, NewField, u"%300=##$a"},
    /* 12 */ {u"300", 1, u"$b", 1, RemoveSemicolonsThenTrim, Joined, u"%300=##$b"},
    /* 13 */ {u"300", 1, u"$c", 1, None, Joined, u"%300=##$c"},
    /* 14 */ {u"300", 1, u"$e", 1, None, Joined, u"%300=##$e"},
    /* 15 */ {u"440", 1, u"$a", 1, None, NewField, u"%490=##$a"},  // series under 440 -> 490
    /* 16 */ {u"490", 1, u"$a", 1, None, NewField, u"%490=##$a"},
    /* 17 */ {u"500", 1, u"$a", 1, None, NewField, u"%500=##$a"},
    /* 18 */ {u"504", 1, u"$a", 1, None, NewField, u"%504=##$a"},
    /* 19 */ {u"505", 1, u"$a", 1, None, NewField, u"%505=##$a"},
    /* 20 */ {u"520", 1, u"$a", 1, None, NewField, u"%520=##$a"},
    /* 21 */ {u"534", 1, u"$a", 1, None, NewField, u"%534=##$a"},
    /* 22 */ {u"546", 1, u"$a", 1, None, NewField, u"%546=##$a"},
    /* 23 */ {u"600", 1, u"$a", 1, None, NewField, u"%600=##$a"},
    /* 24 */ {u"650", 1, u"$a", 1, None, NewField, u"%650=##$a"},
    /* 25 */ {u"650", 1, u"$a", 2, None, NewField, u"%650=##$a"},
    /* 26 */ {u"650", 1, u"$a", 3, None, NewField, u"%650=##$a"},
    /* 27 */ {u"650", 2, u"$a", 1, None, NewField, u"%650=##$a"},
    /* 28 */ {u"650", 3, u"$a", 1, None, NewField, u"%650=##$a"},
    /* 29 */ {u"650", 4, u"$a", 1, None, NewField, u"%650=##$a"},
    /* 30 */ {u"650", 5, u"$a", 1, None, NewField, u"%650=##$a"},
    /* 31 */ {u"650", 1, u"$x", 1, None, NewField, u"%650=##$a"},
    /* 32 */ {u"650", 1, u"$x", 2, None, NewField, u"%650=##$a"},
    /* 33 */ {u"650", 1, u"$x", 3, None, NewField, u"%650=##$a"},
    /* 34 */ {u"650", 1, u"$v", 1, None, NewField, u"%650=##$a"},
    /* 35 */ {u"650", 1, u"$v", 2, None, NewField, u"%650=##$a"},
    /* 36 */ {u"650", 1, u"$v", 3, None, NewField, u"%650=##$a"},
    /* 37 */ {u"650", 1, u"$z", 1, None, NewField, u"%650=##$a"},
    /* 38 */ {u"650", 2, u"$x", 1, None, NewField, u"%650=##$a"},
    /* 39 */ {u"650", 2, u"$v", 1, None, NewField, u"%650=##$a"},
    /* 40 */ {u"650", 2, u"$z", 1, None, NewField, u"%650=##$a"},
    /* 41 */ {u"650", 3, u"$x", 1, None, NewField, u"%650=##$a"},
    /* 42 */ {u"650", 3, u"$v", 1, None, NewField, u"%650=##$a"},
    /* 43 */ {u"650", 3, u"$z", 1, None, NewField, u"%650=##$a"},
    /* 44 */ {u"651", 1, u"$a", 1, None, NewField, u"%651=##$a"},
    /* 45 */ {u"653", 1, u"$a", 1, None, NewField, u"%653=##$a"},
    /* 46 */ {u"653", 2, u"$a", 1, None, NewField, u"%653=##$a"},
    /* 47 */ {u"653", 3, u"$a", 1, None, NewField, u"%653=##$a"},
    /* 48 */ {u"653", 4, u"$a", 1, None, NewField, u"%653=##$a"},
    /* 49 */ {u"653", 5, u"$a", 1, None, NewField, u"%653=##$a"},
    /* 50 */ {u"655", 1, u"$a", 1, None, NewField, u"%655=##$a"},
    /* 51 */ {u"700", 1, u"$a", 1, None, NewField, u"%700=##$a"},
    /* 52 */ {u"700", 2, u"$a", 1, None, NewField, u"%700=##$a"},
    /* 53 */ {u"700", 3, u"$a", 1, None, NewField, u"%700=##$a"},
    /* 54 */ {u"700", 4, u"$a", 1, None, NewField, u"%700=##$a"},
    /* 55 */ {u"700", 1, u"$a", 2, None, NewField, u"%700=##$a"},
    /* 56 */ {u"700", 1, u"$a", 3, None, NewField, u"%700=##$a"},
};
static_assert(std::size(kCatalogRows) == 56);
static_assert([] {
  for (const RebuildRow& row : kCatalogRows) {
    if (!IsWellFormed(row)) return false;
  }
  return true;
}());

// The title subfields that follow "$a", from the first 245 field.
constexpr std::array<TextView, 4> kFurtherTitleMarks = {u"$b", u"$c", u"$n", u"$p"};

void Build(TextView text, Text& out, std::vector<FieldOrigin>* origins) {
  // The title stands first, without "%", with indicators "00"; without a
  // title "$a" nothing of the title is written.
  const TextView title = GetFieldView(text, u"245", 1);
  const TextView titleProper = GetSubfieldView(title, u"$a", 1);
  if (!titleProper.empty()) {
    out.append(u"245=00$a");
    out.append(titleProper);
    for (const TextView mark : kFurtherTitleMarks) {
      const TextView value = GetSubfieldView(title, mark, 1);
      if (value.empty()) continue;
      out.append(mark);
      out.append(value);
    }
    if (origins != nullptr) origins->push_back({u"245", 1});
  }
  EmitRows(text, kCatalogRows, out, origins);
}

}  // namespace

Text BuildCatalogRecord(TextView text) {
  Text out;
  Build(text, out, nullptr);
  return out;
}

TracedRecord BuildCatalogRecordTraced(TextView text) {
  TracedRecord traced;
  Build(text, traced.record, &traced.origins);
  return traced;
}

}  // namespace velmora::records
