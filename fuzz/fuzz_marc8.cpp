// MARC-8 read and written:
//  - any bytes decode, at most one unit a byte, every problem listed in the
//    order found at an offset inside the bytes, the list bounded;
//  - what decodes without a problem (and holds no 1D or 1E, which end a
//    field) writes back, and the bytes written decode without a problem to
//    the same text up to canonical equivalence;
//  - any text written with leaveOutUnwritable writes, and its bytes decode
//    without a problem; when nothing was left out, to the same text up to
//    canonical equivalence (the first half of a double diacritic alone,
//    U+FE20 and U+FE22, reads back as the whole mark).
#include <string>

#include "Encodings/Marc8Decoder.h"
#include "Encodings/Marc8Encoder.h"
#include "Encodings/Normalization.h"
#include "FuzzSupport.h"

using namespace velmora;

namespace {

void CheckDecoding(std::string_view bytes, const encodings::Marc8Text& decoded) {
  const Text input = fuzz::BytesAsText(bytes);
  FUZZ_CHECK(decoded.text.size() <= bytes.size(), {"text", decoded.text}, {"bytes", input});
  FUZZ_CHECK(decoded.problems.size() <= encodings::Marc8Text::kListedProblems &&
                 decoded.problems.size() <= decoded.problemCount,
             {"bytes", input});
  for (std::size_t i = 0; i < decoded.problems.size(); ++i) {
    const encodings::Marc8ProblemAt& p = decoded.problems[i];
    FUZZ_CHECK(p.byteOffset < bytes.size(), {"bytes", input});
    // Found in order; marks with no base are found at the end.
    FUZZ_CHECK(i == 0 || p.problem == encodings::Marc8Problem::MarkWithoutBase ||
                   decoded.problems[i - 1].byteOffset <= p.byteOffset,
               {"bytes", input});
  }
}

void CheckReadsBack(TextView text, std::string_view written, TextView expected) {
  const encodings::Marc8Text back = encodings::DecodeMarc8(written);
  FUZZ_CHECK(back.problemCount == 0, {"text", text}, {"written", fuzz::BytesAsText(written)});
  FUZZ_CHECK(encodings::ToNfc(back.text) == encodings::ToNfc(expected), {"text", text},
             {"back", back.text}, {"written", fuzz::BytesAsText(written)});
}

Text WholeDoubleDiacritics(TextView text) {
  Text out(text);
  for (char16_t& c : out) c = c == u'\uFE20' ? u'\u0361' : c == u'\uFE22' ? u'\u0360' : c;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const std::uint8_t mode = input.Byte();
  if (mode % 2 == 0) {
    const std::span<const std::uint8_t> rest = input.RestAsBytes();
    const std::string_view bytes(reinterpret_cast<const char*>(rest.data()), rest.size());
    const encodings::Marc8Text decoded = encodings::DecodeMarc8(bytes);
    CheckDecoding(bytes, decoded);
    const bool endsField = decoded.text.find_first_of(u"\u001D\u001E") != Text::npos;
    if (decoded.problemCount == 0 && !endsField) {
      std::string written;
      encodings::EncodeReport report;
      FUZZ_CHECK(encodings::EncodeMarc8(decoded.text, {}, written, report), {"text", decoded.text},
                 {"bytes", fuzz::BytesAsText(bytes)});
      CheckReadsBack(decoded.text, written, decoded.text);
    }
  } else {
    const Text text = input.RestAsText();
    std::string written;
    encodings::EncodeReport report;
    FUZZ_CHECK(encodings::EncodeMarc8(text, {true}, written, report), {"text", text});
    const encodings::Marc8Text back = encodings::DecodeMarc8(written);
    FUZZ_CHECK(back.problemCount == 0, {"text", text}, {"written", fuzz::BytesAsText(written)});
    if (report.leftOut == 0) CheckReadsBack(text, written, WholeDoubleDiacritics(text));
  }
  return 0;
}
