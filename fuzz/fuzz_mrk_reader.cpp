// The MarcEdit's .mrk reader on any bytes: see MarcReadChecks.h for what holds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "MarcReadChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  velmora::fuzz::CheckMarcRead(std::string_view(reinterpret_cast<const char*>(data), size),
                               velmora::marc_exchange::OutputFormat::kMrk);
  return 0;
}
