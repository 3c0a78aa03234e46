#include "ModMain/Records/RebuildRows.h"

#include "ModMain/Records/FieldAccess.h"

namespace velmora::records {
namespace {

Text CleanedUp(TextView value, Cleanup cleanup) {
  switch (cleanup) {
    case Cleanup::None:
    case Cleanup::RemoveColonsTestThenTrim:  // trimmed after the emptiness test
      break;
    case Cleanup::RemoveCommasThenTrim:
      return Text(text::TrimSpaces(text::RemoveAll(value, u',')));
    case Cleanup::RemoveColonsAndSemicolonsThenTrim:
      return Text(text::TrimSpaces(text::RemoveAll(text::RemoveAll(value, u':'), u';')));
    case Cleanup::RemoveSemicolonsThenTrim:
      return Text(text::TrimSpaces(text::RemoveAll(value, u';')));
  }
  return cleanup == Cleanup::RemoveColonsTestThenTrim ? text::RemoveAll(value, u':') : Text(value);
}

// Returns true when the row opened a field.
bool EmitRow(const RebuildRow& row, TextView value, Text& out) {
  const TextView opening = row.opening;
  if (row.emit == Emit::Joined) {
    const TextView test = opening.substr(0, opening.find(u'=') + 1);  // "%020="
    if (out.find(test) != Text::npos) {
      out.append(opening.substr(opening.size() - 2));  // "$c"
      out.append(value);
      return false;
    }
  }
  out.append(opening);
  out.append(value);
  return true;
}

}  // namespace

void EmitRows(TextView working, std::span<const RebuildRow> rows, Text& out,
              std::vector<FieldOrigin>* origins) {
  const FieldIndex fields(working);
  for (const RebuildRow& row : rows) {
    const TextView found = GetSubfieldView(fields.Field(row.tag, row.field), row.mark, row.sub);
    const Text value = CleanedUp(found, row.cleanup);
    if (value.empty()) continue;
    // «260=##$a: $bX»: the "$a" value is a single space once the colon is
    // gone, which passes the test and is then trimmed to nothing.
    const TextView written = row.cleanup == Cleanup::RemoveColonsTestThenTrim
                                 ? text::TrimSpaces(value)
                                 : TextView(value);
    if (EmitRow(row, written, out) && origins != nullptr) {
      origins->push_back({row.tag, row.field});
    }
  }
}

}  // namespace velmora::records
