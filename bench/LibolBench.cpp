// The Libol conversion: the whole button on one record, and the rewrite alone
// on large texts, beside the literal 999-pass rewrite. Throughput is in MB of
// UTF-16 input.
#include <benchmark/benchmark.h>

#include "ModMain/LibolSource.h"
#include "reference/LiteralRewrites.h"
#include "Throughput.h"

namespace velmora::bench {
namespace {

void BM_LibolConvertRecord(benchmark::State& state) {
  const TextView record = LibolRecord();
  for (auto _ : state) benchmark::DoNotOptimize(ConvertLibol(record));
  SetBytes(state, record);
}
BENCHMARK(BM_LibolConvertRecord);

void BM_LibolRewriteLiteralRecord(benchmark::State& state) {
  const Text s = Text(kStartMarker) + Text(LibolRecord());
  for (auto _ : state) benchmark::DoNotOptimize(reference::LiteralLibolRewrite(s));
  SetBytes(state, s);
}
BENCHMARK(BM_LibolRewriteLiteralRecord);

void BM_LibolRewrite(benchmark::State& state) {
  const Text text = Repeated(LibolRecord(), static_cast<std::size_t>(state.range(0)) / 2);
  for (auto _ : state) benchmark::DoNotOptimize(LibolWorkingText(text));
  SetBytes(state, text);
}
BENCHMARK(BM_LibolRewrite)
    ->Arg(2 << 10)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench
