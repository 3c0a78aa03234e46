// The "Hue, Hai Phong" conversion on arbitrary copied text.
#include "ModMain/CatalogRecordHue.h"
#include "ModMain/HueSource.h"
#include "reference/LiteralIlibHueMarcEdit.h"
#include "SourceChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  static constexpr fuzz::Source kSource{
      .startMarker = kStartMarker,
      .rewrite = HueRewrite,
      .literalRewrite = reference::LiteralHueRewrite,
      .workingText = HueWorkingText,
      .charset = nullptr,
      .rebuild = BuildCatalogRecordHue,
      .convert = ConvertHue,
      .maxGrowth = 1,  // «␍␊245» -> «%245=», «  » -> «$»
      .titleOpening = u"245=##$",
  };
  fuzz::CheckSource(kSource, data, size);
  return 0;
}
