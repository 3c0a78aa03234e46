// ConvertCharset for every pair of codes, out-of-range ones included:
//  - it equals the literal table searches;
//  - no letter grows past two units;
//  - a target code outside 1-5, or equal codes other than 1, leave the text unchanged;
//  - (1, 1) changes nothing in a text without tone marks, and is idempotent;
//  - Unicode -> VNI -> Unicode and Unicode -> CP1258 -> Unicode give back a
//    text made of Vietnamese letters and ASCII;
//  - every representation's encoder and decoder give back such a text (TCVN3
//    up to the case of toned capitals), VIQR whatever ASCII stands beside;
//  - the block conversion of any bytes equals decoding and encoding them.
#include <string>

#include "Encodings/Codecs.h"
#include "Encodings/Transcoder.h"
#include "Encodings/Utf8.h"
#include "FuzzSupport.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "ModMain/Letters/VietnameseLetters.h"
#include "SourceChecks.h"
#include "reference/LiteralCharset.h"

using namespace velmora;

namespace {

Text Codes(std::int32_t from, std::int32_t to) {
  const std::string s = std::to_string(from) + " -> " + std::to_string(to);
  return Text(s.begin(), s.end());
}

bool HasToneMark(TextView text) {
  for (const char16_t mark : letters::kToneMarks) {
    if (text.find(mark) != TextView::npos) return true;
  }
  return false;
}

// Each byte one character: ASCII below 0x80, otherwise one of the 134 letters.
Text LettersAndAscii(std::span<const std::uint8_t> bytes) {
  Text out;
  for (const std::uint8_t b : bytes) {
    out.push_back(b < 0x80 ? char16_t{b}
                           : letters::kVietnameseLetters[b % letters::kLetterCount].unicode);
  }
  return out;
}

void CheckRoundTrip(TextView text, std::int32_t through) {
  const Text encoded = letters::ConvertCharset(text, letters::CharsetUnicode, through);
  const Text back = letters::ConvertCharset(encoded, through, letters::CharsetUnicode);
  FUZZ_CHECK(back == text, {"back", back}, {"encoded", encoded}, {"text", text},
             {"codes", Codes(letters::CharsetUnicode, through)});
}

}  // namespace

void CheckCodecs(TextView text) {
  for (const encodings::RepresentationInfo& info : encodings::AllRepresentations()) {
    if (!info.readable || info.id == encodings::Representation::NoMarks) continue;
    std::string bytes;
    encodings::EncodeReport report;
    // VISCII and TCVN 5712 give some control codes to letters.
    if (!encodings::EncodeRepresentation(info.id, text, {}, bytes, report)) {
      FUZZ_CHECK(report.unwritable < 0x20, {"text", text});
      continue;
    }
    const std::optional<Text> back = encodings::DecodeRepresentation(info.id, bytes);
    const bool same = back && (*back == text || (info.id == encodings::Representation::Tcvn3 &&
                                                 report.lowercasedCapitals > 0));
    FUZZ_CHECK(same, {"text", text}, {"bytes", fuzz::BytesAsText(bytes)},
               {"back", back.value_or(u"(refused)")});
  }
}

void CheckTranscoder(std::uint8_t which, std::span<const std::uint8_t> raw) {
  const auto all = encodings::AllRepresentations();
  const encodings::RepresentationInfo& from = all[which % all.size()];
  if (!from.readable || from.bytes != encodings::FileBytes::EightBit) return;
  std::string bytes(reinterpret_cast<const char*>(raw.data()), raw.size());
  std::erase(bytes, '\r');
  encodings::Transcoder transcoder(from.id, encodings::Representation::Unicode);
  std::string out;
  encodings::Transcoder::Failure failure;
  FUZZ_CHECK(transcoder.Convert(bytes, out, failure), {"bytes", fuzz::BytesAsText(bytes)});
  const std::string expected =
      encodings::EncodeUtf8(*encodings::DecodeRepresentation(from.id, bytes));
  FUZZ_CHECK(out == expected, {"bytes", fuzz::BytesAsText(bytes)});
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const std::uint8_t mode = input.Byte();
  if (mode >= 0xC0) {  // a quarter of the inputs: the round trips
    const Text text = LettersAndAscii(input.RestAsBytes());
    CheckRoundTrip(text, letters::CharsetVni);
    CheckRoundTrip(text, letters::CharsetCp1258);
    CheckCodecs(text);
    return 0;
  }
  if (mode >= 0xA0) {  // an eighth: 8-bit files into UTF-8, block conversion
    const std::uint8_t which = input.Byte();
    CheckTranscoder(which, input.RestAsBytes());
    return 0;
  }
  const std::int32_t from = input.SmallOrEdgeInt();
  const std::int32_t to = input.SmallOrEdgeInt();
  const Text text = input.RestAsText();

  const Text converted = letters::ConvertCharset(text, from, to);
  if (text.size() <= fuzz::kLiteralLimit) {
    const Text literal = reference::LiteralConvertCharset(text, from, to);
    FUZZ_CHECK(converted == literal, {"fast", converted}, {"literal", literal}, {"text", text},
               {"codes", Codes(from, to)});
  }
  FUZZ_CHECK(converted.size() <= 2 * text.size(), {"converted", converted}, {"text", text},
             {"codes", Codes(from, to)});
  if (to < 1 || to > 5 || (from == to && from != letters::CharsetUnicode)) {
    FUZZ_CHECK(converted == text, {"converted", converted}, {"text", text},
               {"codes", Codes(from, to)});
  }

  const Text joined =
      letters::ConvertCharset(text, letters::CharsetUnicode, letters::CharsetUnicode);
  FUZZ_CHECK(HasToneMark(text) || joined == text, {"joined", joined}, {"text", text});
  FUZZ_CHECK(joined.size() <= text.size(), {"joined", joined}, {"text", text});
  const Text twice =
      letters::ConvertCharset(joined, letters::CharsetUnicode, letters::CharsetUnicode);
  FUZZ_CHECK(twice == joined, {"joined twice", twice}, {"joined once", joined}, {"text", text});
  return 0;
}
