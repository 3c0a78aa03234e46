#include "RebuildChecks.h"

#include "FuzzSupport.h"

namespace velmora::fuzz {
namespace {

// Every tag that either rebuild writes.
constexpr TextView kWrittenTags[] = {u"245", u"020", u"041", u"082", u"100", u"250", u"260",
                                     u"300", u"490", u"500", u"504", u"505", u"520", u"534",
                                     u"546", u"600", u"650", u"651", u"653", u"655", u"700"};

bool IsWrittenTag(TextView tag) {
  for (const TextView known : kWrittenTags) {
    if (tag == known) return true;
  }
  return false;
}

}  // namespace

void CheckRebuild(Text (*rebuild)(TextView), TextView titleOpening, const std::uint8_t* data,
                  std::size_t size) {
  FuzzInput input(data, size);
  const Text working = input.RestAsText();
  const Text record = rebuild(working);

  CheckOutputRecordForm(record, titleOpening, working);
  for (std::size_t at = record.find(text::kFieldSeparator); at != Text::npos;
       at = record.find(text::kFieldSeparator, at + 1)) {
    const TextView tag = TextView(record).substr(at + 1, 3);
    FUZZ_CHECK(IsWrittenTag(tag), {"tag", tag}, {"record", record}, {"working", working});
  }
  FUZZ_CHECK(record.size() <= RebuildBound(working.size()), {"record", record},
             {"working", working});
  FUZZ_CHECK(HasLineBreakCharacter(working) || !HasLineBreakCharacter(record), {"record", record},
             {"working", working});
  CheckMarcEditLinePerField(record, working);
}

}  // namespace velmora::fuzz
