#include "ModMain/Records/LeftOutFields.h"

#include <algorithm>

namespace velmora::records {
namespace {

constexpr std::size_t kTagLength = 3;

// The fields of a text in the working-text form, empty ones skipped.
std::vector<TextView> Fields(TextView text) {
  std::vector<TextView> fields;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end =
        std::min(text::FindUnit(text, text::kFieldSeparator, start), text.size());
    if (end > start) fields.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

}  // namespace

std::vector<TextView> FieldsLeftOut(TextView working, TextView outputRecord) {
  std::vector<TextView> keptTags;
  for (const TextView field : Fields(outputRecord)) keptTags.push_back(field.substr(0, kTagLength));
  std::vector<TextView> leftOut;
  for (const TextView field : Fields(working)) {
    const TextView tag = field.substr(0, kTagLength);
    if (std::find(keptTags.begin(), keptTags.end(), tag) == keptTags.end()) {
      leftOut.push_back(field);
    }
  }
  return leftOut;
}

}  // namespace velmora::records
