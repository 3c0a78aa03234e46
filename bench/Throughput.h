// What every conversion benchmark shares: the record sizes measured, and
// throughput counted in bytes of UTF-16 input.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>

#include "ModMain/Text/Text.h"
#include "RecordText.h"

namespace velmora::bench {

inline constexpr std::size_t kRecordBytes = 2 << 10;  // one realistic record
inline constexpr std::size_t kLargeBytes = 1 << 20;   // many of them

inline void SetBytes(benchmark::State& state, TextView input) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size() * 2));
}

// One conversion on `Record()` repeated to state.range(0) bytes.
template <Text (*Convert)(TextView), TextView (*Record)()>
void BM_Convert(benchmark::State& state) {
  const Text text = Repeated(Record(), static_cast<std::size_t>(state.range(0)) / 2);
  for (auto _ : state) benchmark::DoNotOptimize(Convert(text));
  SetBytes(state, text);
}

}  // namespace velmora::bench
