// The MARC exchange formats on arbitrary output-record text (and on what
// the catalogue record rebuild makes of it):
//  - ParseOutputRecord admits only valid tags, indicators and subfield
//    codes, and only characters that every MARC format can carry;
//  - every writer writes valid UTF-8 or refuses the record with a reason
//    (no fields: exactly when the model has none);
//  - an ISO 2709 record is laid out as its leader and directory say: the
//    record length, the base address, every field where its directory
//    entry puts it, ending with the field terminator, and the record
//    terminator last.
#include <string>

#include "ModMain/CatalogRecord.h"
#include "FuzzSupport.h"
#include "MarcExchange/Iso2709Writer.h"
#include "MarcExchange/MarcChars.h"
#include "MarcExchange/MarcRecord.h"
#include "MarcExchange/RecordStream.h"
#include "Encodings/Utf8.h"

using namespace velmora;
using namespace velmora::marc;

namespace {

bool IsMarcSafe(TextView text) {
  bool safe = true;
  ForEachCodePoint(text, [&safe](char32_t cp) { safe = safe && MarcSafeCodePoint(cp) == cp; });
  return safe;
}

std::size_t Digits(std::string_view s) {
  std::size_t n = 0;
  for (const char c : s) {
    if (c < '0' || c > '9') return std::string::npos;
    n = n * 10 + static_cast<std::size_t>(c - '0');
  }
  return n;
}

void CheckIso2709(const std::string& out, TextView text) {
  FUZZ_CHECK(out.size() >= 24 + 1 + 1, {"iso2709", fuzz::BytesAsText(out)}, {"text", text});
  FUZZ_CHECK(Digits(out.substr(0, 5)) == out.size(), {"iso2709", fuzz::BytesAsText(out)},
             {"text", text});
  FUZZ_CHECK(out.back() == kRecordTerminatorByte, {"iso2709", fuzz::BytesAsText(out)},
             {"text", text});
  const std::size_t base = Digits(out.substr(12, 5));
  FUZZ_CHECK(base != std::string::npos && base < out.size() && (base - 24 - 1) % 12 == 0 &&
                 out[base - 1] == kFieldTerminatorByte,
             {"iso2709", fuzz::BytesAsText(out)}, {"text", text});
  std::size_t expectedStart = 0;
  for (std::size_t entry = 24; entry + 1 < base; entry += 12) {
    const std::size_t length = Digits(out.substr(entry + 3, 4));
    const std::size_t start = Digits(out.substr(entry + 7, 5));
    FUZZ_CHECK(start == expectedStart && length > 0 && base + start + length < out.size() &&
                   out[base + start + length - 1] == kFieldTerminatorByte,
               {"iso2709", fuzz::BytesAsText(out)}, {"text", text});
    expectedStart += length;
  }
  FUZZ_CHECK(base + expectedStart + 1 == out.size(), {"iso2709", fuzz::BytesAsText(out)},
             {"text", text});
}

void CheckRecord(TextView text) {
  const ParseResult parsed = ParseOutputRecord(text);
  for (const MarcField& field : parsed.record.fields) {
    FUZZ_CHECK(IsValidTag(field.tag), {"tag", field.tag}, {"text", text});
    if (field.IsControlField()) {
      FUZZ_CHECK(IsMarcSafe(field.data), {"data", field.data}, {"text", text});
      continue;
    }
    FUZZ_CHECK(IsValidIndicator(field.ind1) && IsValidIndicator(field.ind2), {"tag", field.tag},
               {"text", text});
    for (const Subfield& subfield : field.subfields) {
      FUZZ_CHECK(IsValidSubfieldCode(subfield.code) && IsMarcSafe(subfield.value),
                 {"value", subfield.value}, {"text", text});
    }
  }
  for (const ParseIssue& issue : parsed.issues) {
    FUZZ_CHECK(issue.position < text.size() + 1, {"piece", issue.piece}, {"text", text});
  }
  for (const OutputFormat format :
       {OutputFormat::kIso2709, OutputFormat::kMarcXml, OutputFormat::kMrk}) {
    const auto writer = MakeRecordWriter(format);
    std::string out;
    writer->Begin(out);
    const std::size_t begun = out.size();
    const std::optional<WriteError> error = writer->Write(parsed.record, out);
    FUZZ_CHECK((error && error->kind == WriteErrorKind::kNoFields) ==
                   parsed.record.fields.empty(),
               {"text", text});
    if (error) {
      FUZZ_CHECK(out.size() == begun, {"out", fuzz::BytesAsText(out)}, {"text", text});
      continue;
    }
    if (format == OutputFormat::kIso2709) CheckIso2709(out.substr(begun), text);
    writer->End(out);
    FUZZ_CHECK(DecodeUtf8(out, nullptr).has_value(), {"out", fuzz::BytesAsText(out)},
               {"text", text});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const bool rebuilt = (input.Byte() & 1) != 0;
  const Text text = input.RestAsText();
  CheckRecord(rebuilt ? BuildCatalogRecord(text) : text);
  return 0;
}
