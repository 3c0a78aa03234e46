// The "Libol" conversion on arbitrary copied text.
#include "ModMain/CatalogRecord.h"
#include "ModMain/LibolSource.h"
#include "reference/LiteralRewrites.h"
#include "SourceChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  static constexpr fuzz::Source kLibol{
      .startMarker = kStartMarker,
      .rewrite = LibolRewrite,
      .literalRewrite = reference::LiteralLibolRewrite,
      .workingText = LibolWorkingText,
      .charset = nullptr,
      .rebuild = BuildCatalogRecord,
      .convert = ConvertLibol,
      .maxGrowth = 2,  // «␍␊245» -> «␍␊245=»
      .titleOpening = u"245=00$a",
  };
  fuzz::CheckSource(kLibol, data, size);
  return 0;
}
