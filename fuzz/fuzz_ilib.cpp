// The "iLib" conversion on arbitrary copied text.
#include "ModMain/CatalogRecord.h"
#include "ModMain/IlibSource.h"
#include "reference/LiteralIlibHueMarcEdit.h"
#include "SourceChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  static constexpr fuzz::Source kSource{
      .startMarker = kStartMarker,
      .rewrite = IlibRewrite,
      .literalRewrite = reference::LiteralIlibRewrite,
      .workingText = IlibWorkingText,
      .charset = nullptr,
      .rebuild = BuildCatalogRecord,
      .convert = ConvertIlib,
      .maxGrowth = 2,  // «␍␊245|» -> «␍␊%245=»
      .titleOpening = u"245=00$a",
  };
  fuzz::CheckSource(kSource, data, size);
  return 0;
}
