// The variant record rebuild (Hue, Hai Phong) on arbitrary working text.
#include "ModMain/Records/CatalogRecordHue.h"
#include "RebuildChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmora::fuzz::CheckRebuild(velmora::records::BuildCatalogRecordHue, u"245=##$", data, size);
  return 0;
}
