// The catalogue record rebuild on arbitrary working text.
#include "ModMain/Records/CatalogRecord.h"
#include "RebuildChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmora::fuzz::CheckRebuild(velmora::records::BuildCatalogRecord, u"245=00$a", data, size);
  return 0;
}
