// The "Verbrary" conversion on arbitrary copied text.
#include "ModMain/CatalogRecord.h"
#include "ModMain/VerbrarySource.h"
#include "reference/LiteralSourceRewrites.h"
#include "SourceChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  static constexpr fuzz::Source kSource{
      .startMarker = u"",
      .rewrite = VerbraryRewrite,
      .literalRewrite = reference::LiteralVerbraryRewrite,
      .workingText = VerbraryWorkingText,
      .charset = fuzz::JoinToneMarks,
      .rebuild = BuildCatalogRecord,
      .convert = ConvertVerbrary,
      .maxGrowth = 5,  // «|x» -> «%650=##$a»
      .titleOpening = u"245=00$a",
  };
  fuzz::CheckSource(kSource, data, size);
  return 0;
}
