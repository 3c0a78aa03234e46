// What a record's fields are, from any bytes: the first byte is the
// leader's position 09, the next picks a forced reading (or none), the rest
// are fields separated by 1E.
//  - there is one reading per field, and asking again gives the same;
//  - no reading is longer than its bytes (in units), and where the bytes are
//    kept (ASCII, too close, unreadable) each unit is its byte;
//  - a forced reading is read so, and nothing else is forced.
#include <vector>

#include "Encodings/FieldText/FieldTextDecoder.h"
#include "FuzzSupport.h"

using namespace velmora;
using namespace velmora::field_text;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const char leader = static_cast<char>(input.Byte());
  const std::uint8_t pick = input.Byte();
  FieldReadingOptions options{LeaderCodingOf(leader), std::nullopt};
  if (pick < AllFieldCharsets().size()) options.forced = AllFieldCharsets()[pick];
  const std::span<const std::uint8_t> rest = input.RestAsBytes();
  const std::string_view bytes(reinterpret_cast<const char*>(rest.data()), rest.size());
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t end = bytes.find('\x1E', start);
    fields.push_back(bytes.substr(start, end == bytes.npos ? bytes.npos : end - start));
    if (end == bytes.npos) break;
    start = end + 1;
  }
  const RecordReading record = ReadRecordFields(fields, options);
  FUZZ_CHECK(record.fields.size() == fields.size(), {"bytes", fuzz::BytesAsText(bytes)});
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const FieldReading& field = record.fields[i];
    const Text shown = fuzz::BytesAsText(fields[i]);
    FUZZ_CHECK(field.text.size() <= fields[i].size(), {"field", shown}, {"text", field.text});
    const bool kept = field.verdict == FieldVerdict::Ascii ||
                      field.verdict == FieldVerdict::TooClose ||
                      field.verdict == FieldVerdict::Unreadable;
    FUZZ_CHECK(!kept || field.text == shown, {"field", shown}, {"text", field.text});
    FUZZ_CHECK(field.forced == (options.forced && field.verdict != FieldVerdict::Ascii),
               {"field", shown});
    FUZZ_CHECK(!field.forced || field.charset == *options.forced, {"field", shown});
  }
  if (fields.size() == 1) {
    const FieldReading again = ReadFieldText(fields[0], options);
    FUZZ_CHECK(again.text == record.fields[0].text && again.verdict == record.fields[0].verdict,
               {"field", fuzz::BytesAsText(fields[0])});
  }
  return 0;
}
