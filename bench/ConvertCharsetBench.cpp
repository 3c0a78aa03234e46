// Joining decomposed tone marks, ConvertCharset(text, 1, 1), and precomposing
// every letter, PrecomposeLetters, on 4 MB of
// Vietnamese prose whose tone marks are decomposed and on the same prose
// precomposed; beside it ICU's NFC normaliser on the same texts and a memcpy
// of the buffer as the ceiling. Throughput is in MB of UTF-16 input.
#include <benchmark/benchmark.h>
#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

#include <array>
#include <cstring>
#include <string_view>

#include "ModMain/Letters/CharsetTables.h"
#include "ModMain/Letters/ConvertCharset.h"
#include "ModMain/Letters/PrecomposeLetters.h"
#include "Throughput.h"

namespace velmora::bench {
namespace {

// The prose as typed with the VNI typing method: after a vowel, 6 is the
// circumflex, 7 the horn, 8 the breve; then 1-5 the tone (acute, grave, hook
// above, tilde, dot below); d9 is đ. «Vie65t» is «Việt».
constexpr std::string_view kTyped =
    "Thu7 vie65n Quo61c gia Vie65t Nam la2 thu7 vie65n trung ta6m cu3a ca3 nu7o71c, lu7u giu74 "
    "va2 phu5c vu5 ta2i lie65u ve62 mo5i li4nh vu75c khoa ho5c va2 d9o72i so61ng.\r\n"
    "Ca1n bo65 bie6n mu5c nha65p tho6ng tin thu7 mu5c theo chua63n MARC 21, ghi ro4 te6n ta1c "
    "gia3, nhan d9e62, nha2 xua61t ba3n, na8m xua61t ba3n va2 chu3 d9e62.\r\n"
    "Ba5n d9o5c co1 the63 tra cu71u mu5c lu5c tru75c tuye61n, mu7o75n sa1ch ve62 nha2 hoa85c "
    "d9o5c ta5i cho64 trong pho2ng d9o5c ye6n ti4nh.\r\n"
    "Nhu74ng cuo61n sa1ch cu4 d9u7o75c so61 ho1a d9e63 gi2n giu74 di sa3n va8n ho1a cho the61 "
    "he65 sau.\r\n"
    "Ha2 No65i, Hue61, D9a2 Na84ng va2 tha2nh pho61 Ho62 Chi1 Minh d9e62u co1 nhie62u thu7 vie65n "
    "lo71n.\r\n";

constexpr std::size_t kTextBytes = 4 << 20;  // of UTF-16

struct Modified {
  char base, key;
  char16_t letter;
};
// clang-format off
constexpr std::array<Modified, 14> kModified = {{
    {'a', '6', u'\u00E2'}, {'A', '6', u'\u00C2'},  // â Â
    {'a', '8', u'\u0103'}, {'A', '8', u'\u0102'},  // ă Ă
    {'e', '6', u'\u00EA'}, {'E', '6', u'\u00CA'},  // ê Ê
    {'o', '6', u'\u00F4'}, {'O', '6', u'\u00D4'},  // ô Ô
    {'o', '7', u'\u01A1'}, {'O', '7', u'\u01A0'},  // ơ Ơ
    {'u', '7', u'\u01B0'}, {'U', '7', u'\u01AF'},  // ư Ư
    {'d', '9', u'\u0111'}, {'D', '9', u'\u0110'},  // đ Đ
}};
// clang-format on
// Tone keys 1-5.
constexpr std::array<char16_t, 5> kToneKeys = {
    letters::kCombiningAcute, letters::kCombiningGrave, letters::kCombiningHookAbove,
    letters::kCombiningTilde, letters::kCombiningDotBelow};

// The typed prose with every tone as a combining mark after its base, the
// base precomposed where it has a breve, circumflex or horn (as Vietnamese
// keyboards that write decomposed Unicode do); or with the precomposed letters.
Text Spell(std::string_view typed, bool precomposed) {
  Text out;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    char16_t base = static_cast<unsigned char>(typed[i]);
    if (i + 1 < typed.size()) {
      for (const Modified& m : kModified) {
        if (m.base == typed[i] && m.key == typed[i + 1]) base = m.letter, ++i;
      }
    }
    const bool vowel = std::u16string_view(
                           u"aeiouyAEIOUY\u00E2\u00C2\u0103\u0102\u00EA\u00CA\u00F4"
                           u"\u00D4\u01A1\u01A0\u01B0\u01AF")
                           .find(base) != std::u16string_view::npos;
    char16_t mark = 0;
    if (vowel && i + 1 < typed.size() && typed[i + 1] >= '1' && typed[i + 1] <= '5') {
      mark = kToneKeys[typed[++i] - '1'];
    }
    if (mark == 0) {
      out.push_back(base);
    } else if (!precomposed) {
      out.push_back(base), out.push_back(mark);
    } else {
      for (const letters::VietnameseLetter& letter : letters::kVietnameseLetters) {
        if (letter.composed.base == base && letter.composed.mark == mark) {
          out.push_back(letter.unicode);
        }
      }
    }
  }
  return out;
}

Text FourMegabytes(bool precomposed) {
  const Text prose = Spell(kTyped, precomposed);
  Text text;
  text.reserve(kTextBytes / 2 + prose.size());
  while (text.size() * 2 < kTextBytes) text += prose;
  text.resize(kTextBytes / 2);
  return text;
}

const Text& Decomposed() {
  static const Text text = FourMegabytes(false);
  return text;
}
const Text& Precomposed() {
  static const Text text = FourMegabytes(true);
  return text;
}

void BM_PreUnicode(benchmark::State& state, const Text& (*input)()) {
  const Text& text = input();
  for (auto _ : state) benchmark::DoNotOptimize(letters::ConvertCharset(text, 1, 1));
  SetBytes(state, text);
}
BENCHMARK_CAPTURE(BM_PreUnicode, decomposed, Decomposed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PreUnicode, precomposed, Precomposed)->Unit(benchmark::kMillisecond);

// --precompose: every spelling of a letter joined, not only base + tone mark.
void BM_PrecomposeLetters(benchmark::State& state, const Text& (*input)()) {
  const Text& text = input();
  for (auto _ : state) benchmark::DoNotOptimize(letters::PrecomposeLetters(text));
  SetBytes(state, text);
}
BENCHMARK_CAPTURE(BM_PrecomposeLetters, decomposed, Decomposed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PrecomposeLetters, precomposed, Precomposed)->Unit(benchmark::kMillisecond);

void BM_IcuNfc(benchmark::State& state, const Text& (*input)()) {
  const Text& text = input();
  UErrorCode status = U_ZERO_ERROR;
  const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
  const icu::UnicodeString source(false, text.data(), static_cast<int32_t>(text.size()));
  for (auto _ : state) {
    icu::UnicodeString out = nfc->normalize(source, status);
    benchmark::DoNotOptimize(out.getBuffer());
  }
  if (U_FAILURE(status)) state.SkipWithError(u_errorName(status));
  SetBytes(state, text);
}
BENCHMARK_CAPTURE(BM_IcuNfc, decomposed, Decomposed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_IcuNfc, precomposed, Precomposed)->Unit(benchmark::kMillisecond);

void BM_Memcpy(benchmark::State& state) {
  const Text& text = Decomposed();
  Text copy(text.size(), u'\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), text.data(), text.size() * sizeof(char16_t));
    benchmark::ClobberMemory();
  }
  SetBytes(state, text);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

// The other directions, through the general loop.
void BM_ConvertCharset(benchmark::State& state) {
  const Text& text = Precomposed();
  const auto to = static_cast<std::int32_t>(state.range(0));
  const Text input = letters::ConvertCharset(text, 1, to);
  for (auto _ : state) benchmark::DoNotOptimize(letters::ConvertCharset(input, to, 1));
  SetBytes(state, input);
}
BENCHMARK(BM_ConvertCharset)
    ->Arg(letters::CharsetVni)
    ->Arg(letters::CharsetTcvn3)
    ->Arg(letters::CharsetCp1258)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora::bench
