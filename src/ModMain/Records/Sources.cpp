#include "ModMain/Records/Sources.h"

#include "ModMain/Letters/ConvertCharset.h"

namespace velmora::records {

const SourceSystem* FindSource(std::string_view name) {
  for (const SourceSystem& source : kSources) {
    if (source.name == name) return &source;
  }
  return nullptr;
}

std::vector<const SourceSystem*> SourcesWithLayout(SourceLayout layout) {
  std::vector<const SourceSystem*> rows;
  for (const SourceSystem& source : kSources) {
    if (layout != SourceLayout::None && source.layout == layout) rows.push_back(&source);
  }
  return rows;
}

bool HoldsMoreThanWhiteSpace(TextView text) {
  return text.find_first_not_of(u" \t\r\n") != TextView::npos;
}

namespace {

// The rewrite and the letters joined, in the text's own buffer.
Text Rewritten(const SourceSystem& source, Text s) {
  s = source.rewrite(std::move(s));
  if (source.joinsLetters) letters::JoinToneMarksInPlace(s);
  return s;
}

}  // namespace

Text WorkingText(const SourceSystem& source, TextView copied) {
  Text s;
  if (source.startMarker) {
    s.reserve(text::kStartMarker.size() + copied.size());
    s.append(text::kStartMarker);
  }
  s.append(copied);
  return Rewritten(source, std::move(s));
}

Text WorkingTextInPlace(const SourceSystem& source, Text copied) {
  if (source.startMarker) copied.insert(0, text::kStartMarker);
  return Rewritten(source, std::move(copied));
}

Text ConvertRecord(const SourceSystem& source, TextView copied) {
  return source.rebuild.build(WorkingText(source, copied));
}

}  // namespace velmora::records
