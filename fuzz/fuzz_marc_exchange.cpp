// The MARC exchange formats on arbitrary output-record text, on what the
// catalogue record rebuild makes of it (with the source's indicators from
// its traced origins), on arbitrary text read as a working text, each
// optionally with every letter precomposed:
//  - the traced rebuild names one origin per field it writes, and its text
//    is the plain rebuild's;
//  - precomposing changes nothing a second time and never lengthens a text;
//  - a completed record has its fields in tag order and one 008 of 40
//    characters;
//  - ParseOutputRecord admits only valid tags, indicators and subfield
//    codes, and only characters that every MARC format can carry;
//  - every writer writes valid UTF-8 or refuses the record with a reason
//    (no fields: exactly when the model has none);
//  - an ISO 2709 record is laid out as its leader and directory say: the
//    record length, the base address, every field where its directory
//    entry puts it, ending with the field terminator, and the record
//    terminator last.
#include <algorithm>
#include <string>

#include "Encodings/Utf8.h"
#include "FuzzSupport.h"
#include "MarcExchange/FixedField008.h"
#include "MarcExchange/Iso2709Writer.h"
#include "MarcExchange/MarcChars.h"
#include "MarcExchange/MarcRecord.h"
#include "MarcExchange/RecordStream.h"
#include "MarcExchange/SourceIndicators.h"
#include "ModMain/Letters/PrecomposeLetters.h"
#include "ModMain/Records/CatalogRecord.h"

using namespace velmora;
using namespace velmora::marc_exchange;

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

// Pieces between "%" that hold more than spaces: the fields a rebuild wrote.
std::size_t FilledPieces(TextView text) {
  std::size_t pieces = 0;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t stop = text.find(text::kFieldSeparator, start);
    if (stop == TextView::npos) stop = text.size();
    if (text.substr(start, stop - start).find_first_not_of(text::kSpace) != TextView::npos)
      ++pieces;
    start = stop + 1;
  }
  return pieces;
}

void CheckCompleted(MarcRecord record, TextView text) {
  const bool had008 = std::any_of(record.fields.begin(), record.fields.end(),
                                  [](const MarcField& f) { return f.tag == u"008"; });
  const std::size_t before = record.fields.size();
  CompleteForExchange(record, {2025, 3, 14});
  FUZZ_CHECK(std::is_sorted(record.fields.begin(), record.fields.end(),
                            [](const MarcField& a, const MarcField& b) { return a.tag < b.tag; }),
             {"text", text});
  if (before == 0 || had008) {
    FUZZ_CHECK(record.fields.size() == before, {"text", text});
    return;
  }
  const auto fixed = std::find_if(record.fields.begin(), record.fields.end(),
                                  [](const MarcField& f) { return f.tag == u"008"; });
  FUZZ_CHECK(record.fields.size() == before + 1 && fixed != record.fields.end() &&
                 fixed->data.size() == 40,
             {"text", text});
}

void CheckRecord(TextView text, const ParseResult& parsed) {
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
  FUZZ_CHECK(parsed.fieldPieces.size() == parsed.record.fields.size(), {"text", text});
  CheckCompleted(parsed.record, text);
  for (const OutputFormat format :
       {OutputFormat::kIso2709, OutputFormat::kMarcXml, OutputFormat::kMrk}) {
    const auto writer = MakeRecordWriter(format);
    std::string out;
    writer->Begin(out);
    const std::size_t begun = out.size();
    const std::optional<WriteError> error = writer->Write(parsed.record, out);
    FUZZ_CHECK((error && error->kind == WriteErrorKind::kNoFields) == parsed.record.fields.empty(),
               {"text", text});
    if (error) {
      FUZZ_CHECK(out.size() == begun, {"out", fuzz::BytesAsText(out)}, {"text", text});
      continue;
    }
    if (format == OutputFormat::kIso2709) CheckIso2709(out.substr(begun), text);
    writer->End(out);
    FUZZ_CHECK(encodings::DecodeUtf8(out, nullptr).has_value(), {"out", fuzz::BytesAsText(out)},
               {"text", text});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const std::uint8_t mode = input.Byte();
  Text text = input.RestAsText();
  if ((mode & 4) != 0) {
    const Text precomposed = letters::PrecomposeLetters(text);
    FUZZ_CHECK(
        precomposed.size() <= text.size() && letters::PrecomposeLetters(precomposed) == precomposed,
        {"precomposed", precomposed}, {"text", text});
    text = precomposed;
  }
  switch (mode & 3) {
    case 0:
      CheckRecord(text, ParseOutputRecord(text));
      break;
    case 1: {
      const records::TracedRecord traced = records::BuildCatalogRecordTraced(text);
      FUZZ_CHECK(traced.record == records::BuildCatalogRecord(text) &&
                     traced.origins.size() == FilledPieces(traced.record),
                 {"record", traced.record}, {"text", text});
      ParseResult parsed = ParseOutputRecord(traced.record);
      ApplySourceIndicators(parsed, text, traced.origins);
      CheckRecord(traced.record, parsed);
      break;
    }
    default:
      CheckRecord(text, ParseWorkingText(text));
  }
  return 0;
}
