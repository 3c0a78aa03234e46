// The "LacViet" conversion on arbitrary copied text.
#include "ModMain/CatalogRecord.h"
#include "ModMain/LacVietSource.h"
#include "reference/LiteralSourceRewrites.h"
#include "SourceChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  static constexpr fuzz::Source kSource{
      .startMarker = kStartMarker,
      .rewrite = LacVietRewrite,
      .literalRewrite = reference::LiteralLacVietRewrite,
      .workingText = LacVietWorkingText,
      .charset = fuzz::JoinToneMarks,
      .rebuild = BuildCatalogRecord,
      .convert = ConvertLacViet,
      .maxGrowth = 2,  // «␍␊245» -> «␍␊245=»
      .titleOpening = u"245=00$a",
  };
  fuzz::CheckSource(kSource, data, size);
  return 0;
}
