// Every source system's conversion on arbitrary copied text: the first byte
// picks the row of the source table, the rest is the copied text.
#include "ModMain/Records/Sources.h"
#include "SourceChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto sources = velmora::records::Sources();
  velmora::fuzz::CheckSource(sources[data[0] % sources.size()], data + 1, size - 1);
  return 0;
}
