// ConvertCharset for every pair of codes, out-of-range ones included:
//  - it equals the literal table searches;
//  - no letter grows past two units;
//  - a target code outside 1-5, or equal codes other than 1, leave the text unchanged;
//  - (1, 1) changes nothing in a text without tone marks, and is idempotent;
//  - Unicode -> VNI -> Unicode and Unicode -> CP1258 -> Unicode give back a
//    text made of Vietnamese letters and ASCII.
#include <string>

#include "ModMain/ConvertCharset.h"
#include "FuzzSupport.h"
#include "reference/LiteralCharset.h"
#include "SourceChecks.h"
#include "ModMain/VietnameseLetters.h"

using namespace velmora;

namespace {

Text Codes(std::int32_t from, std::int32_t to) {
  const std::string s = std::to_string(from) + " -> " + std::to_string(to);
  return Text(s.begin(), s.end());
}

bool HasToneMark(TextView text) {
  for (const char16_t mark : kToneMarks) {
    if (text.find(mark) != TextView::npos) return true;
  }
  return false;
}

// Each byte one character: ASCII below 0x80, otherwise one of the 134 letters.
Text LettersAndAscii(std::span<const std::uint8_t> bytes) {
  Text out;
  for (const std::uint8_t b : bytes) {
    out.push_back(b < 0x80 ? char16_t{b} : kVietnameseLetters[b % kLetterCount].unicode);
  }
  return out;
}

void CheckRoundTrip(TextView text, std::int32_t through) {
  const Text encoded = ConvertCharset(text, CharsetUnicode, through);
  const Text back = ConvertCharset(encoded, through, CharsetUnicode);
  FUZZ_CHECK(back == text, {"back", back}, {"encoded", encoded}, {"text", text},
             {"codes", Codes(CharsetUnicode, through)});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const std::uint8_t mode = input.Byte();
  if (mode >= 0xC0) {  // a quarter of the inputs: the round trips
    const Text text = LettersAndAscii(input.RestAsBytes());
    CheckRoundTrip(text, CharsetVni);
    CheckRoundTrip(text, CharsetCp1258);
    return 0;
  }
  const std::int32_t from = input.SmallOrEdgeInt();
  const std::int32_t to = input.SmallOrEdgeInt();
  const Text text = input.RestAsText();

  const Text converted = ConvertCharset(text, from, to);
  if (text.size() <= fuzz::kLiteralLimit) {
    const Text literal = reference::LiteralConvertCharset(text, from, to);
    FUZZ_CHECK(converted == literal, {"fast", converted}, {"literal", literal}, {"text", text},
               {"codes", Codes(from, to)});
  }
  FUZZ_CHECK(converted.size() <= 2 * text.size(), {"converted", converted}, {"text", text},
             {"codes", Codes(from, to)});
  if (to < 1 || to > 5 || (from == to && from != CharsetUnicode)) {
    FUZZ_CHECK(converted == text, {"converted", converted}, {"text", text},
               {"codes", Codes(from, to)});
  }

  const Text joined = ConvertCharset(text, CharsetUnicode, CharsetUnicode);
  FUZZ_CHECK(HasToneMark(text) || joined == text, {"joined", joined}, {"text", text});
  FUZZ_CHECK(joined.size() <= text.size(), {"joined", joined}, {"text", text});
  const Text twice = ConvertCharset(joined, CharsetUnicode, CharsetUnicode);
  FUZZ_CHECK(twice == joined, {"joined twice", twice}, {"joined once", joined}, {"text", text});
  return 0;
}
