#include "MarcExchange/SourceIndicators.h"

namespace velmora::marc_exchange {

std::optional<Indicators> WorkingFieldIndicators(TextView working, TextView tag, int occurrence) {
  Text mark(tag);
  mark.push_back(kFieldEquals);
  std::size_t content = 0;
  for (int k = 0; k < occurrence; ++k) {
    const std::size_t at = text::FindText(working, mark, content);
    if (at == TextView::npos) return std::nullopt;
    content = at + mark.size();
  }
  if (occurrence < 1) return std::nullopt;
  // «245=10$aT%…»: the head runs to the first "$" (or the end of the field).
  const TextView rest = working.substr(content);
  const TextView head = rest.substr(0, rest.find_first_of(u"$%"));
  std::size_t length = 0;
  return ReadWorkingIndicators(head, length);
}

void ApplySourceIndicators(ParseResult& parsed, TextView working,
                           std::span<const records::FieldOrigin> origins) {
  for (std::size_t i = 0; i < parsed.record.fields.size(); ++i) {
    MarcField& field = parsed.record.fields[i];
    const std::size_t piece = parsed.fieldPieces[i];
    if (field.IsControlField() || piece >= origins.size()) continue;
    const records::FieldOrigin& origin = origins[piece];
    if (origin.tag != TextView(field.tag)) continue;
    if (const auto indicators = WorkingFieldIndicators(working, origin.tag, origin.occurrence)) {
      field.ind1 = indicators->ind1;
      field.ind2 = indicators->ind2;
    }
  }
}

}  // namespace velmora::marc_exchange
