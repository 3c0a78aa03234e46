#include "SourceChecks.h"

#include "ModMain/ConvertCharset.h"
#include "FuzzSupport.h"
#include "ModMain/LineBreaks.h"

namespace velmora::fuzz {

bool IsSampledForDeepCheck(const std::uint8_t* data, std::size_t size) {
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  return hash % kDeepCheckRate == 0;
}

void CheckSource(const Source& source, const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t mode = input.Byte();
  const bool normalise = (mode & 1) != 0;
  const bool deep = IsSampledForDeepCheck(data, size);
  const Text raw = input.RestAsText();
  const Text copied = normalise ? NormaliseLineBreaks(raw) : raw;
  const Text marked = Text(source.startMarker) + copied;

  const Text working = source.workingText(copied);
  const Text record = source.convert(copied);
  if (deep && marked.size() <= kLiteralLimit) {
    const Text rewritten = source.rewrite(marked);
    const Text literal = source.literalRewrite(marked);
    FUZZ_CHECK(rewritten == literal, {"fast rewrite", rewritten}, {"literal rewrite", literal},
               {"copied", copied});
    const Text expected = source.charset != nullptr ? source.charset(rewritten) : rewritten;
    FUZZ_CHECK(working == expected, {"working text", working},
               {"rewrite (+ charset)", expected}, {"copied", copied});
    const Text rebuilt = source.rebuild(working);
    FUZZ_CHECK(record == rebuilt, {"converted", record}, {"rebuilt working text", rebuilt},
               {"copied", copied});
  }
  FUZZ_CHECK(working.size() <= source.maxGrowth * marked.size(), {"working text", working},
             {"copied", copied});
  FUZZ_CHECK(record.size() <= RebuildBound(working.size()), {"record", record},
             {"copied", copied});
  CheckOutputRecordForm(record, source.titleOpening, copied);
  if (normalise) {
    FUZZ_CHECK(!HasLineBreakCharacter(record), {"record", record}, {"copied", copied});
  }
  CheckMarcEditLinePerField(record, copied);
}

Text JoinToneMarks(TextView text) {
  return ConvertCharset(text, CharsetUnicode, CharsetUnicode);
}

}  // namespace velmora::fuzz
