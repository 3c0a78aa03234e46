// The iLib and Hue conversions and the MarcEdit export: each whole button on
// a record of about 2 KB and on 1 MB of such records, beside the literal
// chain (999 passes over the tags) on the 2 KB record. Throughput is in MB of
// UTF-16 input.
#include <benchmark/benchmark.h>

#include "ModMain/CatalogRecord.h"
#include "ModMain/CatalogRecordHue.h"
#include "ModMain/HueSource.h"
#include "ModMain/IlibSource.h"
#include "reference/LiteralIlibHueMarcEdit.h"
#include "ModMain/MarcEditExport.h"
#include "Throughput.h"

namespace velmora::bench {
namespace {

// A copied iLib record, a column per tab, about 2 KB; some letters written
// as base + combining mark.
TextView IlibRecord() {
  static const Text record = [] {
    Text r =
        u"000\tnam a22 a 4500\r\n"
        u"001\tVN-ILIB-000456\r\n"
        u"020\t  \ta\t978-604-1-23456-7 :\tc\t85000\u0111\r\n"
        u"041\t0 \ta\tvie\r\n"
        u"082\t04\ta\t895.922334\t2\t14\r\n"
        u"100\t1 \ta\tNguy\u00EA\u0303n Nh\u1EADt \u00C1nh\r\n"
        u"245\t10\ta\tT\u00F4i th\u1EA5y hoa v\u00E0ng tr\u00EAn c\u1ECF xanh\tc\tNguy\u1EC5n "
        u"Nh\u1EADt \u00C1nh\r\n"
        u"260\t  \ta\tTh\u00E0nh ph\u1ED1 H\u1ED3 Ch\u00ED Minh :\tb\tTr\u1EBB,\tc\t2018\r\n"
        u"300\t  \ta\t378 tr. :\tb\ttranh ;\tc\t20 cm\r\n"
        u"490\t0 \ta\tT\u1EE7 s\u00E1ch Tu\u1ED5i tr\u1EBB\r\n";
    while (r.size() < kRecordBytes / 2) {
      r += u"520\t  \ta\tC\u00E2u chuy\u1EC7n v\u1EC1 tu\u1ED5i th\u01A1 \u1EDF m\u1ED9t "
           u"l\u00E0ng qu\u00EA ngh\u00E8o.\r\n";
      r += u"650\t 7\ta\tV\u0103n ho\u0323c thi\u1EBFu nhi\tz\tVi\u1EC7t Nam\tv\tTruy\u1EC7n\r\n";
      r += u"700\t1 \ta\t\u0110\u1ED7 Ho\u00E0ng T\u01B0\u1EDDng\te\tminh ho\u1EA1\r\n";
    }
    return r;
  }();
  return record;
}

// A record of the Hue, Hai Phong form, one subfield per line, about 2 KB.
TextView HueRecord() {
  static const Text record = [] {
    Text r =
        u"001VN-HUE-000789\r\n"
        u"020  a978-604-1-23456-7\r\n"
        u"020  c85000\u0111\r\n"
        u"08204  a895.922334\r\n"
        u"084  aV23\r\n"
        u"10010  aNguy\u00EA\u0303n Nh\u1EADt \u00C1nh\r\n"
        u"24510  aT\u00F4i th\u1EA5y hoa v\u00E0ng tr\u00EAn c\u1ECF xanh :\r\n"
        u"245  bti\u1EC3u thuy\u1EBFt /\r\n"
        u"245  cNguy\u1EC5n Nh\u1EADt \u00C1nh\r\n"
        u"260  aTh\u00E0nh ph\u1ED1 H\u1ED3 Ch\u00ED Minh :\r\n"
        u"260  bTr\u1EBB,\r\n"
        u"260  c2018\r\n"
        u"300  a378 tr. :\r\n"
        u"300  btranh ;\r\n"
        u"300  c20 cm\r\n";
    while (r.size() < kRecordBytes / 2) {
      r += u"520  aC\u00E2u chuy\u1EC7n v\u1EC1 tu\u1ED5i th\u01A1 \u1EDF m\u1ED9t l\u00E0ng "
           u"qu\u00EA ngh\u00E8o.\r\n";
      r += u"650 7  aV\u0103n ho\u0323c thi\u1EBFu nhi  zVi\u1EC7t Nam  vTruy\u1EC7n\r\n";
      r += u"700  a\u0110\u1ED7 Ho\u00E0ng T\u01B0\u1EDDng\r\n";
    }
    return r;
  }();
  return record;
}

// An output record as the rebuilds leave it in the box, about 2 KB; 1 MB of
// them, one after another, are separated by "%" like fields.
TextView OutputRecord() {
  static const Text record = [] {
    Text r = BuildCatalogRecord(IlibWorkingText(IlibRecord()));
    while (r.size() < kRecordBytes / 2) r += u"%500=##$aIn l\u1EA7n \u0111\u1EA7u n\u0103m 1999";
    return r + u"%";
  }();
  return record;
}

BENCHMARK(BM_Convert<ConvertIlib, IlibRecord>)->Name("Ilib")->Arg(kRecordBytes)->Arg(kLargeBytes);
BENCHMARK(BM_Convert<ConvertHue, HueRecord>)->Name("Hue")->Arg(kRecordBytes)->Arg(kLargeBytes);
BENCHMARK(BM_Convert<ExportMarcEdit, OutputRecord>)
    ->Name("MarcEdit")
    ->Arg(kRecordBytes)
    ->Arg(kLargeBytes);

// The rewrites alone, without the record rebuild: the rebuild looks up the
// first few occurrences of its fields, so on 1 MB of records it costs about
// what it costs on one.
BENCHMARK(BM_Convert<IlibWorkingText, IlibRecord>)
    ->Name("IlibWorkingText")
    ->Arg(kRecordBytes)
    ->Arg(kLargeBytes);
BENCHMARK(BM_Convert<HueWorkingText, HueRecord>)
    ->Name("HueWorkingText")
    ->Arg(kRecordBytes)
    ->Arg(kLargeBytes);

// The same with their literal chains, on the 2 KB record.
Text LiteralIlib(TextView copied) {
  return BuildCatalogRecord(reference::LiteralIlibRewrite(Text(kStartMarker) + Text(copied)));
}
Text LiteralHue(TextView boxText) {
  return BuildCatalogRecordHue(reference::LiteralHueRewrite(Text(kStartMarker) + Text(boxText)));
}
Text LiteralIlibWorkingText(TextView copied) {
  return reference::LiteralIlibRewrite(Text(kStartMarker) + Text(copied));
}
Text LiteralHueWorkingText(TextView boxText) {
  return reference::LiteralHueRewrite(Text(kStartMarker) + Text(boxText));
}
Text LiteralMarcEdit(TextView boxText) {
  return reference::LiteralMarcEditExport(Text(boxText));
}

BENCHMARK(BM_Convert<LiteralIlib, IlibRecord>)->Name("IlibLiteral")->Arg(kRecordBytes);
BENCHMARK(BM_Convert<LiteralHue, HueRecord>)->Name("HueLiteral")->Arg(kRecordBytes);
BENCHMARK(BM_Convert<LiteralMarcEdit, OutputRecord>)->Name("MarcEditLiteral")->Arg(kRecordBytes);
BENCHMARK(BM_Convert<LiteralIlibWorkingText, IlibRecord>)
    ->Name("IlibWorkingTextLiteral")
    ->Arg(kRecordBytes);
BENCHMARK(BM_Convert<LiteralHueWorkingText, HueRecord>)
    ->Name("HueWorkingTextLiteral")
    ->Arg(kRecordBytes);

}  // namespace
}  // namespace velmora::bench
