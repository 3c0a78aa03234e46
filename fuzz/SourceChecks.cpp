#include "SourceChecks.h"

#include "FuzzSupport.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "ModMain/Text/LineBreaks.h"
#include "reference/LiteralSteps.h"

namespace velmora::fuzz {
namespace {

// What the record rebuild writes first: «245=00$a», or for the variant
// rebuild, which gathers the title's subfields, «245=##$».
TextView TitleOpening(const records::SourceSystem& source) {
  return source.rebuild.build == records::BuildCatalogRecordHue ? TextView(u"245=##$")
                                                                : TextView(u"245=00$a");
}

}  // namespace

bool IsSampledForDeepCheck(const std::uint8_t* data, std::size_t size) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  return hash % kDeepCheckRate == 0;
}

void CheckSource(const records::SourceSystem& source, const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t mode = input.Byte();
  const bool normalise = (mode & 1) != 0;
  const bool deep = IsSampledForDeepCheck(data, size);
  const Text raw = input.RestAsText();
  const Text copied = normalise ? text::NormaliseLineBreaks(raw) : raw;
  // What the rewrite reads: the copied text and what its steps put in front.
  const std::size_t readLength = copied.size() + records::PrependedLength(source.steps);

  const Text working = records::WorkingText(source, copied);
  const Text record = records::ConvertRecord(source, copied);
  if (deep && readLength <= kLiteralLimit) {
    const Text rewritten = records::RunRewrite(copied, source.steps);
    const Text literalRewritten = reference::RunStepsLiterally(copied, source.steps);
    FUZZ_CHECK(rewritten == literalRewritten, {"fast rewrite", rewritten},
               {"literal rewrite", literalRewritten}, {"copied", copied});
    const Text expected = source.joinsLetters ? letters::JoinToneMarks(rewritten) : rewritten;
    FUZZ_CHECK(working == expected, {"working text", working},
               {"rewrite (+ letters joined)", expected}, {"copied", copied});
    const Text rebuilt = source.rebuild.build(working);
    FUZZ_CHECK(record == rebuilt, {"converted", record}, {"rebuilt working text", rebuilt},
               {"copied", copied});
  }
  FUZZ_CHECK(working.size() <= kMaxRewriteGrowth * readLength, {"working text", working},
             {"copied", copied});
  FUZZ_CHECK(record.size() <= RebuildBound(working.size()), {"record", record}, {"copied", copied});
  CheckOutputRecordForm(record, TitleOpening(source), copied);
  if (normalise) {
    FUZZ_CHECK(!HasLineBreakCharacter(record), {"record", record}, {"copied", copied});
  }
  CheckMarcEditLinePerField(record, copied);
}

}  // namespace velmora::fuzz
