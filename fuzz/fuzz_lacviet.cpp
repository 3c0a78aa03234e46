// The "LacViet" conversion on arbitrary copied text.
#include "CatalogRecord.h"
#include "ConvertCharset.h"
#include "LacVietSource.h"
#include "LiteralSourceRewrites.h"
#include "SourceChecks.h"

namespace {

// The conversion's charset step: decomposed tone marks joined.
velmora::Text ConvertCharsetOneToOne(velmora::TextView text) {
  return velmora::ConvertCharset(text, velmora::CharsetUnicode, velmora::CharsetUnicode);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace velmora;
  static constexpr fuzz::Source kSource{
      .startMarker = kStartMarker,
      .rewrite = LacVietRewrite,
      .literalRewrite = test::LiteralLacVietRewrite,
      .workingText = LacVietWorkingText,
      .charset = ConvertCharsetOneToOne,
      .rebuild = BuildCatalogRecord,
      .convert = ConvertLacViet,
      .maxGrowth = 2,  // «␍␊245» -> «␍␊245=»
      .titleOpening = u"245=00$a",
  };
  fuzz::CheckSource(kSource, data, size);
  return 0;
}
