// What every fuzz harness shares: turning the fuzzer's bytes into UTF-16
// texts, property checks that print a readable report before aborting, and
// the properties that hold for every conversion's output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "ModMain/Text/Text.h"

namespace velmora::fuzz {

// Reads the fuzzer's bytes from the front, piece by piece; reading past the
// end gives zeros and empty texts, never an error.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool Empty() const { return bytes_.empty(); }
  std::uint8_t Byte();
  std::int32_t Int32();
  // An int for an occurrence, index or charset code: small values and the
  // edges (0, -1, INT_MIN, INT_MAX) most often, any 32-bit value sometimes.
  std::int32_t SmallOrEdgeInt();

  // The rest of the input as a text. The first byte picks the mode:
  //   raw:    every two bytes are one code unit (little-endian), so lone
  //           surrogates, NUL, U+FFFF and U+2028/U+2029 all occur;
  //   record: every byte picks a piece of record text (reference::RecordPieces:
  //           tags, digits, line breaks, "$", "|", TAB, "%", "=", Vietnamese
  //           letters, combining marks, odd code units), so that mutations
  //           build records.
  Text RestAsText();
  // `count` code units taken from the input (raw), e.g. a tag or a mark.
  Text Units(std::size_t count);
  // `count` record pieces, for a short text such as a lookup's mark.
  Text Pieces(std::size_t count);
  std::span<const std::uint8_t> RestAsBytes();

 private:
  std::span<const std::uint8_t> bytes_;
};

// Every byte as one code unit (U+0000..U+00FF), so that a report can show
// bytes (UTF-8 written or read, an ISO 2709 record) as it shows texts.
Text BytesAsText(std::string_view bytes);

// Prints `what`, the source location and every named text as
// reference::Readable shows it, then aborts so that libFuzzer saves the
// input as a reproducer.
[[noreturn]] void Fail(const char* what, const char* file, int line,
                       std::initializer_list<std::pair<const char*, TextView>> texts);

#define FUZZ_CHECK(condition, ...)                                          \
  do {                                                                      \
    if (!(condition)) {                                                     \
      ::velmora::fuzz::Fail(#condition, __FILE__, __LINE__, {__VA_ARGS__}); \
    }                                                                       \
  } while (false)

std::size_t Count(TextView text, TextView find);
bool HasLineBreakCharacter(TextView text);

// How long a conversion's output may grow. A rewrite step makes each match
// at most `maxGrowth` times longer; the rebuild writes at most `kMaxRows`
// lookups, each a piece of its input after an opening literal.
inline constexpr std::size_t kMaxRebuildRows = 80;
inline constexpr std::size_t kLongestOpening = 16;
inline constexpr std::size_t RebuildBound(std::size_t workingLength) {
  return kMaxRebuildRows * (workingLength + kLongestOpening);
}

// The output record's form, as the rebuilds write it: empty, or the title
// `titleOpening` ("245=00$a") first without "%", then fields each opened by
// "%", a tag and "=##$"; no "%" inside a value.
void CheckOutputRecordForm(TextView record, TextView titleOpening, TextView input);

// The MarcEdit export of an output record that holds no line break has one
// line per field: line k is field k with «ddd=» turned into «=ddd  ».
void CheckMarcEditLinePerField(TextView record, TextView input);

}  // namespace velmora::fuzz
