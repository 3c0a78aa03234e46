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

Text WorkingText(const SourceSystem& source, TextView copied) {
  Text s;
  s.reserve(copied.size() + PrependedLength(source.steps));
  s.append(copied);
  return WorkingTextInPlace(source, std::move(s));
}

Text WorkingTextInPlace(const SourceSystem& source, Text copied) {
  Text s = RunRewrite(std::move(copied), source.steps);
  if (source.joinsLetters) letters::JoinToneMarksInPlace(s);
  return s;
}

Text ConvertRecord(const SourceSystem& source, TextView copied) {
  return source.rebuild.build(WorkingText(source, copied));
}

}  // namespace velmora::records
