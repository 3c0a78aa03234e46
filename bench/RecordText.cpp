#include "RecordText.h"

namespace velmora::bench {

TextView LibolRecord() {
  static const Text record = [] {
    Text r =
        u"000    nam a22     a 4500\r\n"
        u"001    VN-LIBOL-000123\r\n"
        u"020    ##$a978-604-2-12345-6 :$c95000\u0111\r\n"
        u"041    0#$avie\r\n"
        u"082    04$a895.9223$bT550\r\n"
        u"100    1 $aT\u00F4 Ho\u00E0i,$d1920-2014\r\n"
        u"245    10$aD\u1EBF M\u00E8n phi\u00EAu l\u01B0u k\u00FD /$cT\u00F4 Ho\u00E0i ; minh "
        u"ho\u1EA1: T\u1EA1 Huy Long\r\n"
        u"250    ##$aT\u00E1i b\u1EA3n l\u1EA7n th\u1EE9 15\r\n"
        u"260    ##$aH\u00E0 N\u1ED9i :$bKim \u0110\u1ED3ng,$c2019\r\n"
        u"300    ##$a143 tr. :$btranh v\u1EBD ;$c21 cm\r\n"
        u"490    0 $aT\u1EE7 s\u00E1ch T\u00E1c ph\u1EA9m ch\u1ECDn l\u1ECDc\r\n";
    // Notes and subjects fill the record up to about 2 KB, as real ones do.
    while (r.size() < 1000) {
      r += u"500    ##$aCu\u1ED9c phi\u00EAu l\u01B0u c\u1EE7a ch\u00FA D\u1EBF M\u00E8n qua "
           u"th\u1EBF gi\u1EDBi lo\u00E0i v\u1EADt.\r\n";
      r += u"650    #7$aV\u0103n h\u1ECDc thi\u1EBFu nhi$zVi\u1EC7t Nam$vTruy\u1EC7n\r\n";
      r += u"700    1 $aT\u1EA1 Huy Long,$eminh ho\u1EA1\r\n";
    }
    return r;
  }();
  return record;
}

Text Repeated(TextView record, std::size_t units) {
  Text out;
  out.reserve(units + record.size());
  while (out.size() < units) out.append(record);
  return out;
}

}  // namespace velmora::bench
