// A batch converted and written as ISO 2709 one record at a time: records per
// second, and the peak resident memory, which must not grow with the batch
// (compare the 10 000 and 100 000 record runs).
//
// Each record is made on the fly from the copied Libol record (its number and
// title vary, its notes grow and shrink), converted as the command line
// converts it for a MARC format (the working text, the traced rebuild, the
// source's indicators), and streamed; the bytes go to a stream that only
// counts them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <ostream>
#include <streambuf>
#include <string>

#include "MarcExchange/RecordStream.h"
#include "ModMain/Records/Sources.h"
#include "RecordText.h"

namespace velmora::bench {
namespace {

// Counts what is written and keeps nothing.
class CountingBuffer : public std::streambuf {
 public:
  std::size_t bytes = 0;

 protected:
  int_type overflow(int_type ch) override {
    if (ch != traits_type::eof()) ++bytes;
    return traits_type::not_eof(ch);
  }
  std::streamsize xsputn(const char*, std::streamsize count) override {
    bytes += static_cast<std::size_t>(count);
    return count;
  }
};

// Peak resident set size of the process so far, in kB (VmHWM).
long PeakResidentKb() {
  std::FILE* status = std::fopen("/proc/self/status", "r");
  if (status == nullptr) return -1;
  char line[256];
  long kb = -1;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::strncmp(line, "VmHWM:", 6) == 0) kb = std::strtol(line + 6, nullptr, 10);
  }
  std::fclose(status);
  return kb;
}

constexpr marc_exchange::CalendarDate kDateEntered{2025, 3, 14};

Text Number(std::size_t n) {
  const std::string digits = std::to_string(n);
  return Text(digits.begin(), digits.end());
}

// The n-th copied record of the batch: the sample with its number and the
// volume in its title set to n, and n % 6 keyword lines more.
void CopiedRecord(std::size_t n, Text& copied) {
  constexpr TextView kNumber = u"000123";
  constexpr TextView kTitleEnd = u"k\u00FD /";  // ký /
  constexpr TextView kKeyword =
      u"653    ##$aTruy\u1EC7n tranh thi\u1EBFu nhi\r\n";  // Truyện tranh thiếu nhi
  const TextView sample = SampleRecord(records::SourceId::Libol);
  const std::size_t number = sample.find(kNumber), titleEnd = sample.find(kTitleEnd);
  copied.assign(sample.substr(0, number));
  copied += Number(n);
  copied += sample.substr(number + kNumber.size(), titleEnd - number - kNumber.size());
  copied += u"k\u00FD, t\u1EADp ";  // ký, tập
  copied += Number(n);
  copied += sample.substr(titleEnd + kTitleEnd.size() - 2);  // from " /"
  for (std::size_t i = 0; i < n % 6; ++i) copied += kKeyword;
}

void BM_BatchLibolToIso2709(benchmark::State& state) {
  const auto records = static_cast<std::size_t>(state.range(0));
  CountingBuffer sink;
  std::ostream out(&sink);
  Text copied;
  long peakBefore = 0, peakAfter = 0;
  std::size_t dropped = 0;
  for (auto _ : state) {
    peakBefore = PeakResidentKb();
    marc_exchange::RecordStream stream(marc_exchange::OutputFormat::kIso2709, out, kDateEntered);
    for (std::size_t n = 0; n < records; ++n) {
      CopiedRecord(n, copied);
      const records::SourceSystem& libol = records::SourceOf(records::SourceId::Libol);
      const Text working = records::WorkingText(libol, copied);
      const records::TracedRecord traced = libol.rebuild.traced(working);
      if (!stream.Add(traced.record, {working, traced.origins}).written) ++dropped;
    }
    stream.Finish();
    peakAfter = PeakResidentKb();
  }
  state.counters["records/s"] = benchmark::Counter(
      static_cast<double>(records * state.iterations()), benchmark::Counter::kIsRate);
  state.counters["MB_written"] = static_cast<double>(sink.bytes) / 1e6;
  state.counters["peak_kB"] = static_cast<double>(peakAfter);
  state.counters["peak_growth_kB"] = static_cast<double>(peakAfter - peakBefore);
  state.counters["dropped"] = static_cast<double>(dropped);
}
BENCHMARK(BM_BatchLibolToIso2709)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The writers alone: one converted record parsed, given the source's
// indicators, completed with its 008 and written, per format.
void BM_WriteOutputRecord(benchmark::State& state) {
  const auto format = static_cast<marc_exchange::OutputFormat>(state.range(0));
  const records::SourceSystem& libol = records::SourceOf(records::SourceId::Libol);
  const Text working = records::WorkingText(libol, SampleRecord(records::SourceId::Libol));
  const records::TracedRecord traced = libol.rebuild.traced(working);
  const marc_exchange::RecordSource source{working, traced.origins};
  CountingBuffer sink;
  std::ostream out(&sink);
  marc_exchange::RecordStream stream(format, out, kDateEntered);
  for (auto _ : state) benchmark::DoNotOptimize(stream.Add(traced.record, source).written);
  stream.Finish();
  state.SetLabel(std::string(marc_exchange::OutputFormatName(format)));
  state.counters["records/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.SetBytesProcessed(static_cast<int64_t>(sink.bytes));
}
BENCHMARK(BM_WriteOutputRecord)
    ->Arg(static_cast<int>(marc_exchange::OutputFormat::kIso2709))
    ->Arg(static_cast<int>(marc_exchange::OutputFormat::kMarcXml))
    ->Arg(static_cast<int>(marc_exchange::OutputFormat::kMrk));

}  // namespace
}  // namespace velmora::bench
