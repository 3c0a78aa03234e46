#include "Encodings/CodePage.h"

#include <algorithm>

#include "ModMain/Letters/VietnameseLetters.h"

namespace velmora::encodings {
namespace {

using codepage::kUnassigned;

// Grave, hook above, tilde, acute, dot below: the marks a composition uses.
std::int8_t MarkNumber(char16_t mark) {
  const auto at = std::find(letters::kToneMarks.begin(), letters::kToneMarks.end(), mark);
  return at == letters::kToneMarks.end()
             ? -1
             : static_cast<std::int8_t>(at - letters::kToneMarks.begin());
}

}  // namespace

CodePage::CodePage(const codepage::ByteTable& bytes,
                   std::span<const codepage::Composition> compositions) {
  char16_t last = 0;
  for (unsigned byte = 0; byte < 256; ++byte) {
    decode_[byte] = bytes[byte] == kUnassigned ? static_cast<char16_t>(byte) : bytes[byte];
    last = std::max(last, decode_[byte]);
  }
  for (const codepage::Composition& composition : compositions) {
    last = std::max({last, composition.base, composition.joined});
  }
  encode_.assign(std::size_t{last} + 1, CodePageBytes{});
  // Later bytes first, so that a character two bytes read as keeps the first.
  for (int byte = 255; byte >= 0; --byte) {
    encode_[decode_[byte]] = {1, static_cast<std::uint8_t>(byte), 0};
  }
  for (const codepage::Composition& composition : compositions) {
    const std::int8_t m = MarkNumber(composition.mark);
    if (m < 0) continue;  // the tables hold only the five tone marks
    if (joined_[m].empty()) joined_[m].assign(encode_.size(), 0);
    joined_[m][composition.base] = composition.joined;
    markIndex_[composition.mark] = static_cast<std::int8_t>(m + 1);
    joins_ = true;
    CodePageBytes& written = encode_[composition.joined];
    const CodePageBytes base = encode_[composition.base], mark = encode_[composition.mark];
    if (written.length == 0 && base.length == 1 && mark.length == 1) {
      written = {2, base.first, mark.first};
    }
  }
}

void CodePage::Decode(std::string_view bytes, Text& out) const {
  const std::size_t start = out.size();
  out.resize(start + bytes.size());
  char16_t* to = out.data() + start;
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t o = 0;
  if (!joins_) {
    for (std::size_t i = 0; i < n; ++i) to[i] = decode_[in[i]];
    return;
  }
  bool lastFromOneByte = false;  // the character before may take a tone mark
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t c = decode_[in[i]];
    if (c < markIndex_.size() && markIndex_[c] != 0 && lastFromOneByte) {
      const std::vector<char16_t>& joined = joined_[markIndex_[c] - 1];
      const char16_t base = to[o - 1];
      if (base < joined.size() && joined[base] != 0) {
        to[o - 1] = joined[base];
        lastFromOneByte = false;
        continue;
      }
    }
    to[o++] = c;
    lastFromOneByte = true;
  }
  out.resize(start + o);
}

const CodePage& Windows1252() {
  static const CodePage page(codepage::kWindows1252Bytes, {});
  return page;
}
const CodePage& Windows1258() {
  static const CodePage page(codepage::kWindows1258Bytes, codepage::kWindows1258Compositions);
  return page;
}
const CodePage& Viscii() {
  static const CodePage page(codepage::kVisciiBytes, {});
  return page;
}
const CodePage& Tcvn5712() {
  static const CodePage page(codepage::kTcvn5712Bytes, codepage::kTcvn5712Compositions);
  return page;
}

}  // namespace velmora::encodings
