// Every source system's conversion, from the source table: the whole button
// and the working text alone (the rewrite and the letters, without the
// record rebuild, which looks up only the first few occurrences of its
// fields) on 2 KB and 1 MB of the source's sample record repeated, and its
// steps run literally (999 passes over the tags) on 2 KB. The Libol rewrite also
// on 10 MB, for the growth from 1 MB; the MarcEdit export on the Libol
// sample's output record. Throughput is in MB of UTF-16 input.
#include <benchmark/benchmark.h>

#include <string>

#include "ModMain/Records/MarcEditExport.h"
#include "ModMain/Records/MarcEditSteps.h"
#include "ModMain/Records/Sources.h"
#include "Throughput.h"
#include "reference/LiteralSteps.h"

namespace velmora::bench {
namespace {

template <typename Convert>
void Register(const std::string& name, TextView record, const Convert& convert,
              std::initializer_list<std::int64_t> sizes) {
  const Text base(record);
  benchmark::internal::Benchmark* benchmark =
      benchmark::RegisterBenchmark(name.c_str(), [base, convert](benchmark::State& state) {
        const Text text = Repeated(base, static_cast<std::size_t>(state.range(0)) / 2);
        for (auto _ : state) benchmark::DoNotOptimize(convert(text));
        SetBytes(state, text);
      });
  for (const std::int64_t size : sizes) benchmark->Arg(size);
  benchmark->Unit(benchmark::kMicrosecond);
}

const bool kRegistered = [] {
  for (const records::SourceSystem& source : records::Sources()) {
    const std::string title(source.title);
    const TextView sample = SampleRecord(source.id);
    Register(title + "Convert", sample,
             [&source](TextView text) { return ConvertRecord(source, text); },
             {kRecordBytes, kLargeBytes});
    Register(
        title + "WorkingText", sample,
        [&source](TextView text) { return WorkingText(source, text); },
        source.id == records::SourceId::Libol
            ? std::initializer_list<std::int64_t>{kRecordBytes, kLargeBytes, 10 * kLargeBytes}
            : std::initializer_list<std::int64_t>{kRecordBytes, kLargeBytes});
    Register(
        title + "RewriteLiteral", sample,
        [&source](TextView text) { return reference::RunStepsLiterally(Text(text), source.steps); },
        {kRecordBytes});
  }
  const Text outputRecord = records::ConvertRecord(records::SourceOf(records::SourceId::Libol),
                                                   SampleRecord(records::SourceId::Libol)) +
                            u"%";
  Register("MarcEdit", outputRecord, records::ExportMarcEdit, {kRecordBytes, kLargeBytes});
  Register("MarcEditLiteral", outputRecord,
           [](TextView text) {
             return reference::RunStepsLiterally(Text(text), records::kMarcEditSteps);
           },
           {kRecordBytes});
  return true;
}();

}  // namespace
}  // namespace velmora::bench
