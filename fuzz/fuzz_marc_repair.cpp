// The repair of a MARC file on any bytes: the first byte picks the options
// (the output format, UTF-8 or MARC-8, NFD, -c, --check, a forced reading),
// the rest is the file.
//  - every record read is written, or handed back for the rejects; a check
//    writes no record;
//  - the output, repaired again, comes out the same and needs no change,
//    where the first repair left no problem behind.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzSupport.h"
#include "MarcRepair/RepairPipeline.h"

using namespace velmora;
using namespace velmora::marc_repair;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const std::uint8_t pick = input.Byte();
  FileRepairOptions options;
  constexpr marc_exchange::OutputFormat kFormats[] = {marc_exchange::OutputFormat::kIso2709,
                                                      marc_exchange::OutputFormat::kMarcXml,
                                                      marc_exchange::OutputFormat::kMrk};
  if ((pick & 3) != 3) options.format = kFormats[pick & 3];
  const bool marc8 = (pick & 4) != 0 && options.format != marc_exchange::OutputFormat::kMarcXml;
  options.repair.target = marc8 ? TargetCoding::kMarc8 : TargetCoding::kUtf8;
  options.repair.nfd = !marc8 && (pick & 8) != 0;
  options.repair.leaveOut = (pick & 16) != 0;
  options.check = (pick & 32) != 0;
  if ((pick & 64) != 0) {
    const auto charsets = field_text::AllFieldCharsets();
    options.repair.from = charsets[(pick >> 7) % charsets.size()];
  }
  const std::span<const std::uint8_t> rest = input.RestAsBytes();
  const std::string_view bytes(reinterpret_cast<const char*>(rest.data()), rest.size());
  const std::string_view inputs[] = {bytes};
  const RepairedFiles once = RepairInMemory(inputs, options);
  const Text shown = fuzz::BytesAsText(bytes);
  if (options.check) {
    FUZZ_CHECK(once.output.empty(), {"bytes", shown});
    return 0;
  }
  const std::size_t notWritten =
      once.tally.Count(FindingKind::kRejected) + once.tally.Count(FindingKind::kNotWritable);
  FUZZ_CHECK(notWritten > 0 || once.rejects.empty(), {"bytes", shown});
  options.repair.from.reset();  // the second time, the bytes are what they are
  options.format.reset();       // and in the format the first wrote
  const std::string_view again[] = {once.output};
  const RepairedFiles twice = RepairInMemory(again, options);
  FUZZ_CHECK(twice.tally.Records() + notWritten == once.tally.Records(), {"bytes", shown},
             {"output", fuzz::BytesAsText(once.output)});
  if (once.tally.WithProblems() == 0 && !once.errors.size()) {
    FUZZ_CHECK(twice.output == once.output, {"bytes", shown},
               {"once", fuzz::BytesAsText(once.output)},
               {"twice", fuzz::BytesAsText(twice.output)});
    FUZZ_CHECK(twice.tally.Changed() == 0, {"bytes", shown},
               {"output", fuzz::BytesAsText(once.output)});
  }
  return 0;
}
