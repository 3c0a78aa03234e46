#include "MarcRepair/StructureRepairs.h"

#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::marc_repair {
namespace {

using marc_exchange::RepairKind;

// Each pattern's parts: %1 the tag, %2 what was expected (what the record
// said), %3 what was found, %4 the bytes concerned, %5 the byte offset.
struct RepairRow {
  RepairKind kind;
  std::string_view pattern;
};

// clang-format off
constexpr RepairRow kRepairRows[] = {
    {RepairKind::kGarbageSkipped,            messages::Translatable("%3 bytes that are no record skipped at byte offset %5")},
    {RepairKind::kRecordLengthWrong,         messages::Translatable("record length %2 → %3")},
    {RepairKind::kBaseAddressWrong,          messages::Translatable("base address %2 → %3")},
    {RepairKind::kLeaderNotDigits,           messages::Translatable("leader's lengths not digits ('%4'): measured instead")},
    {RepairKind::kDirectoryNotTerminated,    messages::Translatable("directory without its terminator: end found")},
    {RepairKind::kDirectoryEntryDamaged,     messages::Translatable("directory entry %2 damaged ('%4'): field found in the data")},
    {RepairKind::kDirectoryOffsetWrong,      messages::Translatable("%1: directory offset %2 → %3")},
    {RepairKind::kDirectoryLengthWrong,      messages::Translatable("%1: directory length %2 → %3")},
    {RepairKind::kFieldTerminatorMissing,    messages::Translatable("%1: field terminator missing, added")},
    {RepairKind::kRecordTerminatorMissing,   messages::Translatable("record terminator missing, added")},
    {RepairKind::kDirectoryPastData,         messages::Translatable("%1: directory entry past the data, left out")},
    {RepairKind::kDataOutsideDirectory,      messages::Translatable("%3 bytes of data no directory entry names, at byte offset %5")},
    {RepairKind::kRecordTruncated,           messages::Translatable("%1: record cut short, what there is kept")},
    {RepairKind::kIndicatorsMissing,         messages::Translatable("%1: indicators missing, blanks given")},
    {RepairKind::kUnknownElementSkipped,     messages::Translatable("unknown element <%4> skipped")},
    {RepairKind::kStrayTextSkipped,          messages::Translatable("%3 bytes of text outside any field skipped ('%4')")},
    {RepairKind::kLeaderMissing,             messages::Translatable("leader missing: one given")},
    {RepairKind::kLeaderRepeated,            messages::Translatable("second leader left out ('%4')")},
    {RepairKind::kLeaderLengthWrong,         messages::Translatable("leader of %3 characters fitted to 24 ('%4')")},
    {RepairKind::kLeaderNotAscii,            messages::Translatable("leader not ASCII ('%4'): blanks given")},
    {RepairKind::kIndicatorMissing,          messages::Translatable("%1: indicator %2 missing, blank given")},
    {RepairKind::kControlFieldTagNotControl, messages::Translatable("%1: control field with a data field's tag")},
    {RepairKind::kDataFieldTagIsControl,     messages::Translatable("%1: data field with a control field's tag")},
    {RepairKind::kUnknownMnemonic,           messages::Translatable("%1: unknown mnemonic '%4' kept as it stands")},
    {RepairKind::kLineJoined,                messages::Translatable("%1: line without '=' joined to the field")},
    {RepairKind::kLineNotAField,             messages::Translatable("line that is no field skipped ('%4')")},
    {RepairKind::kTagSpacingWrong,           messages::Translatable("%1: spacing after the tag fixed")},
    {RepairKind::kControlCharacter,          messages::Translatable("%1: control character %3 kept")},
    {RepairKind::kRecordWithoutBreak,        messages::Translatable("record started without the empty line before it")},
};
// clang-format on

constexpr bool RowsInEnumOrder() {
  for (std::size_t i = 0; i < std::size(kRepairRows); ++i) {
    if (static_cast<std::size_t>(kRepairRows[i].kind) != i) return false;
  }
  return true;
}
static_assert(RowsInEnumOrder(), "one row per RepairKind, in its order");
static_assert(static_cast<std::size_t>(RepairKind::kRecordWithoutBreak) + 1 ==
              std::size(kRepairRows));

// The bytes of a repair as a message shows them: printable ASCII as it is,
// anything else as \xHH, so that a report line stays one line of text.
std::string Shown(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      shown += c;
    } else {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    }
  }
  return shown;
}

}  // namespace

std::string DescribeRepair(const marc_exchange::Repair& repair) {
  const auto index = static_cast<std::size_t>(repair.kind);
  if (index >= std::size(kRepairRows)) return std::string(RepairKindName(repair.kind));
  std::string pattern = messages::Tr(kRepairRows[index].pattern);
  // A repair that names no field says what it says without one.
  if (repair.tag.empty() && pattern.starts_with("%1: ")) pattern.erase(0, 4);
  return messages::Format(pattern, Shown(repair.tag), repair.expected, repair.actual,
                          Shown(repair.text), repair.offset);
}

std::string DescribeRejectReason(marc_exchange::RejectReason reason) {
  using marc_exchange::RejectReason;
  switch (reason) {
    case RejectReason::kNoFields:
      return messages::Tr("no leader and directory, or no field, to be found");
    case RejectReason::kTooLarge:
      return messages::Tr("larger than a MARC record may be");
    case RejectReason::kBadTag:
      return messages::Tr("a field without a tag of three letters or digits");
    case RejectReason::kBadIndicator:
      return messages::Tr("an indicator of more than one character");
    case RejectReason::kBadSubfieldCode:
      return messages::Tr("a subfield code that is not one ASCII character");
  }
  return std::string(RejectReasonName(reason));
}

std::string DescribeReadError(const marc_exchange::ReadError& error) {
  using marc_exchange::ReadErrorKind;
  std::string what;
  switch (error.kind) {
    case ReadErrorKind::kNotMarc:
      what = messages::Tr("not a MARC file (ISO 2709, MARCXML or MarcEdit .mrk)");
      break;
    case ReadErrorKind::kReadFailed:
      what = messages::Tr("could not be read");
      break;
    case ReadErrorKind::kXmlNotWellFormed:
      what = messages::Format(messages::Tr("XML not well-formed: %1"), error.detail);
      break;
    case ReadErrorKind::kXmlDoctype:
      what = messages::Tr("XML with a document type declaration, which MARCXML needs none of");
      break;
    case ReadErrorKind::kXmlTooDeep:
      what = messages::Tr("XML nested too deep");
      break;
    case ReadErrorKind::kXmlTooLarge:
      what = messages::Format(messages::Tr("XML name, tag or comment too large: %1"), error.detail);
      break;
    case ReadErrorKind::kXmlEncoding:
      what =
          messages::Format(messages::Tr("XML in an encoding that is not read: %1"), error.detail);
      break;
    case ReadErrorKind::kXmlNamespace:
      what = messages::Format(messages::Tr("XML prefix no declaration binds: %1"), error.detail);
      break;
    case ReadErrorKind::kNoMarcXmlRecords:
      what = messages::Tr("XML without MARC 21 records");
      break;
  }
  if (error.line > 0) {
    return messages::Format(messages::Tr("%1 (line %2, column %3)"), what, error.line,
                            error.column);
  }
  return messages::Format(messages::Tr("%1 (at byte offset %2)"), what, error.offset);
}

}  // namespace velmora::marc_repair
