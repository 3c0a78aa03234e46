// The LacViet, Emiclib and Verbrary conversions: each whole button on a
// record of about 2 KB and on 1 MB of such records, beside the literal
// rewrite (999 passes over the tags) on the 2 KB record. Throughput is in MB
// of UTF-16 input.
#include <benchmark/benchmark.h>

#include "ModMain/LacVietSource.h"
#include "reference/LiteralSourceRewrites.h"
#include "Throughput.h"
#include "ModMain/VerbrarySource.h"

namespace velmora::bench {
namespace {

// A copied record of the tab-and-bar layout (LacViet, Emiclib), about 2 KB:
// some letters written as base + combining tone mark, as such copies hold them.
TextView TabAndBarRecord() {
  static const Text record = [] {
    Text r =
        u"000\t_____nam__2200265_a_4500\r\n"
        u"001\tDNO190001234\r\n"
        u"020\t__|a978-604-1-16231-4|c68000\u0111\r\n"
        u"041\t0_|avie\r\n"
        u"082\t04|a895.9223|bN5765\r\n"
        u"100\t1_|aNguy\u1EC5n Nh\u1EADt \u00C1nh\r\n"
        u"245\t10|aCho t\u00F4i xin m\u00F4\u0323t v\u00E9 \u0111i tu\u00F4\u0309i th\u01A1 :"
        u"|btruy\u1EC7n d\u00E0i /|cNguy\u1EC5n Nh\u1EADt \u00C1nh\r\n"
        u"250\t__|aT\u00E1i b\u1EA3n l\u1EA7n th\u1EE9 40\r\n"
        u"260\t__|aTP. H\u1ED3 Ch\u00ED Minh : |bTr\u1EBB, |c2019\r\n"
        u"300\t__|a219 tr. :|bminh ho\u1EA1 ;|c20 cm\r\n"
        u"490\t0_|aT\u1EE7 s\u00E1ch Tu\u1ED5i th\u01A1\r\n";
    while (r.size() < kRecordBytes / 2) {
      r += u"520\t__|aNh\u1EEFng c\u00E2u chuy\u00EA\u0323n v\u1EC1 tu\u1ED5i th\u01A1 c\u1EE7a "
           u"b\u1ED1n \u0111\u1EE9a tr\u1EBB.\r\n";
      r += u"650\t_7|aV\u0103n ho\u0323c thi\u1EBFu nhi|xTruy\u1EC7n d\u00E0i|zVi\u1EC7t Nam\r\n";
      r += u"700\t1_|a\u0110\u1ED7 Ho\u00E0ng T\u01B0\u1EDDng|eminh ho\u1EA1\r\n";
    }
    return r;
  }();
  return record;
}

// A copied Verbrary record, tab before every subfield, about 2 KB.
TextView VerbraryRecord() {
  static const Text record = [] {
    Text r =
        u"000\tnam a22     a 4500\r\n"
        u"001\tDNA-0045678\r\n"
        u"020\t##\t|a9786040123456\t|c45000\u0111\r\n"
        u"041\t0#\t|avie\r\n"
        u"082\t04\t|a959.7\t|bT121K\r\n"
        u"100\t1#\t|aTr\u1EA7n Tr\u1ECDng Kim.\r\n"
        u"245\t10\t|aVi\u00EA\u0323t Nam s\u01B0\u0309 l\u01B0\u1EE3c /\t|cTr\u1EA7n Tr\u1ECDng "
        u"Kim.\r\n"
        u"260\t##\t|aH\u00E0 N\u1ED9i :\t|bV\u0103n h\u1ECDc,\t|c2018.\r\n"
        u"300\t##\t|a591 tr. ;\t|c24 cm.\r\n"
        u"490\t0#\t|aT\u1EE7 s\u00E1ch S\u1EED h\u1ECDc ;\t|x1859-0012\r\n";
    while (r.size() < kRecordBytes / 2) {
      r += u"500\t##\t|aIn l\u1EA7n \u0111\u1EA7u n\u0103m 1920, b\u1EA3n n\u00E0y in theo "
           u"b\u1EA3n g\u1ED1c.\r\n";
      r += u"650\t#7\t|aL\u1ECBch s\u1EED\t|xTh\u1EDDi k\u1EF3 phong ki\u1EBFn\t|zVi\u00EA\u0323t "
           u"Nam.\r\n";
      r += u"700\t1#\t|aNguy\u1EC5n V\u0103n A,\t|ehi\u1EC7u \u0111\u00EDnh.\r\n";
    }
    return r;
  }();
  return record;
}

BENCHMARK(BM_Convert<ConvertLacViet, TabAndBarRecord>)
    ->Name("LacVietConvert")
    ->Arg(kRecordBytes)
    ->Arg(kLargeBytes)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Convert<ConvertEmiclib, TabAndBarRecord>)
    ->Name("EmiclibConvert")
    ->Arg(kRecordBytes)
    ->Arg(kLargeBytes)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Convert<ConvertVerbrary, VerbraryRecord>)
    ->Name("VerbraryConvert")
    ->Arg(kRecordBytes)
    ->Arg(kLargeBytes)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_Convert<LacVietWorkingText, TabAndBarRecord>)
    ->Name("LacVietWorkingText")
    ->Arg(kRecordBytes)
    ->Arg(kLargeBytes)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Convert<EmiclibWorkingText, TabAndBarRecord>)
    ->Name("EmiclibWorkingText")
    ->Arg(kRecordBytes)
    ->Arg(kLargeBytes)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Convert<VerbraryWorkingText, VerbraryRecord>)
    ->Name("VerbraryWorkingText")
    ->Arg(kRecordBytes)
    ->Arg(kLargeBytes)
    ->Unit(benchmark::kMicrosecond);

// The literal rewrites on the 2 KB record (LacViet and Emiclib share theirs).
void BM_LacVietRewriteLiteral(benchmark::State& state) {
  const Text s = Text(kStartMarker) + Text(TabAndBarRecord());
  for (auto _ : state) benchmark::DoNotOptimize(reference::LiteralLacVietRewrite(s));
  SetBytes(state, s);
}
BENCHMARK(BM_LacVietRewriteLiteral)
    ->Name("LacVietEmiclibRewriteLiteral")
    ->Unit(benchmark::kMicrosecond);

void BM_VerbraryRewriteLiteral(benchmark::State& state) {
  const Text s(VerbraryRecord());
  for (auto _ : state) benchmark::DoNotOptimize(reference::LiteralVerbraryRewrite(s));
  SetBytes(state, s);
}
BENCHMARK(BM_VerbraryRewriteLiteral)->Name("VerbraryRewriteLiteral")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora::bench
