#include "cli/RecordTextWriter.h"

#include "ModMain/Text/LineBreaks.h"
#include "cli/WholeText.h"

namespace velmora::cli {

void WriteRecordText(TextView record, const ByteSink& write) {
  if (record.empty()) return;
  EncodeInBlocks(record, text::kPlatformLineBreak, write);
  WriteLineBreak(write);
}

std::string RecordTextBytes(TextView record) {
  std::string bytes;
  WriteRecordText(record, [&bytes](std::string_view block) { bytes += block; });
  return bytes;
}

void WriteText(TextView text, const ByteSink& write) {
  EncodeInBlocks(text, text::kPlatformLineBreak, write);
}

void WriteLineBreak(const ByteSink& write) {
  write(text::kPlatformLineBreak);
}

}  // namespace velmora::cli
