#include "ModMain/Records/MarcEditExport.h"

#include "ModMain/Records/Rewrite.h"

namespace velmora::records {
namespace {

using Step = RewriteStep;

constexpr TextView kSeparator = u"%";  // between fields

constexpr Step kMarcEditExport[] = {
    // «245=00$aTitle» -> «=245  00$aTitle» (two spaces), only for the tag of
    // a field: at the start of the text or directly after "%". Digits before
    // "=" inside a value («$aA 1999=B») are data and stay as they are.
    /* 1 */ Step::FieldStartTags(kSeparator, u"=", u"=", u"  "),
    /* 2 */ Step::Substitute(kSeparator, text::kCrlf),
};

}  // namespace

Text ExportMarcEdit(TextView boxText) {
  return ExportMarcEditInPlace(Text(boxText));
}

Text ExportMarcEditInPlace(Text boxText) {
  return RunRewrite(std::move(boxText), kMarcEditExport);
}

}  // namespace velmora::records
