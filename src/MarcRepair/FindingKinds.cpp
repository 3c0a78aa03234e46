#include "MarcRepair/FindingKinds.h"

#include "Messages/Translate.h"

namespace velmora::marc_repair {
namespace {

// clang-format off
constexpr FindingKindRow kRows[] = {
    {FindingKind::kStructureRepaired, "structure-repaired", Severity::kChange,
     messages::Translatable("record structure repaired (lengths, base address, directory, terminators, framing)")},
    {FindingKind::kLeaderCodingFixed, "leader-coding-fixed", Severity::kChange,
     messages::Translatable("leader/09 set to what the fields' bytes are")},
    {FindingKind::kCharsetConverted, "charset-converted", Severity::kChange,
     messages::Translatable("fields converted to the character set asked for (--to)")},
    {FindingKind::kReadAsLegacy, "read-as-8-bit", Severity::kChange,
     messages::Translatable("fields in an 8-bit Vietnamese representation, read and converted")},
    {FindingKind::kDoubleEncoded, "double-encoded-utf-8", Severity::kChange,
     messages::Translatable("double-encoded UTF-8 repaired")},
    {FindingKind::kNormalized, "not-normalized", Severity::kChange,
     messages::Translatable("text not in NFC (NFD with --nfd), normalised")},
    {FindingKind::kLeftOut, "left-out", Severity::kChange,
     messages::Translatable("characters MARC-8 cannot hold, left out (-c)")},
    {FindingKind::kTooClose, "too-close", Severity::kProblem,
     messages::Translatable("fields two representations read about as well: bytes kept")},
    {FindingKind::kReadsOtherwise, "reads-otherwise", Severity::kProblem,
     messages::Translatable("fields written whose bytes read as other text when read again: check them")},
    {FindingKind::kUnreadable, "unreadable", Severity::kProblem,
     messages::Translatable("fields no character set reads: bytes kept")},
    {FindingKind::kInvalidBytes, "invalid-bytes", Severity::kProblem,
     messages::Translatable("fields read as --from says with bytes that do not decode: bytes kept")},
    {FindingKind::kNotWritable, "not-writable", Severity::kProblem,
     messages::Translatable("records with a character MARC-8 cannot hold: not written")},
    {FindingKind::kRejected, "rejected", Severity::kProblem,
     messages::Translatable("records that could not be read: not written")},
    {FindingKind::kLanguageMismatch, "language-mismatch", Severity::kWarning,
     messages::Translatable("008/35-37 not the language of 041 $a")},
    {FindingKind::kIsbnCheckDigit, "isbn-check-digit", Severity::kWarning,
     messages::Translatable("Vietnamese ISBNs (978-604) with a wrong check digit")},
    {FindingKind::kLowercasedCapitals, "lowercased-capitals", Severity::kWarning,
     messages::Translatable("TCVN3 capitals with tone marks that came out lowercase")},
};
// clang-format on
static_assert(std::size(kRows) == kFindingKindCount);
// The rows stand in the enum's order: Describe indexes by it.
constexpr bool InEnumOrder() {
  for (std::size_t i = 0; i < std::size(kRows); ++i) {
    if (static_cast<std::size_t>(kRows[i].kind) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder());

}  // namespace

std::span<const FindingKindRow> AllFindingKinds() {
  return kRows;
}

const FindingKindRow& Describe(FindingKind kind) {
  return kRows[static_cast<std::size_t>(kind)];
}

}  // namespace velmora::marc_repair
