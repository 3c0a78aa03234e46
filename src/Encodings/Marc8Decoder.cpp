#include "Encodings/Marc8Decoder.h"

#include <array>
#include <optional>

#include "Encodings/Marc8CharacterSets.h"
#include "Encodings/Marc8Tables.h"

namespace velmora::encodings {
namespace {

using marc8::CharacterSet;
using marc8::FindCharacterSet;
using marc8::Found;
using marc8::Graphic;
using marc8::Lookup;

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::uint8_t kEscape = 0x1B;

struct Designation {
  Graphic where;
  std::uint8_t set;
};

// The escape sequence at bytes[at] (an ESC): what it designates, and its
// length; nullopt for none that MARC-8 knows, whose length is then that of
// the whole sequence (ESC, intermediate bytes 20-2F, a final byte 30-7E).
//   ESC g | b | p | s                    G0 (the Greek symbols, subscripts, superscripts, ASCII)
//   ESC ( F   ESC , F   (also ( ! F)     G0, one byte a character
//   ESC ) F   ESC - F   (also ) ! F)     G1
//   ESC $ F   ESC $ ( F   ESC $ , F      G0, three bytes a character
//   ESC $ ) F   ESC $ - F                G1, three bytes
std::optional<Designation> ReadEscape(std::string_view bytes, std::size_t at, std::size_t& length) {
  std::size_t i = at + 1;
  while (i < bytes.size() && bytes[i] >= 0x20 && bytes[i] <= 0x2F) ++i;
  const bool complete = i < bytes.size() && bytes[i] >= 0x30 && bytes[i] <= 0x7E;
  length = (complete ? i + 1 : i) - at;
  if (!complete) return std::nullopt;
  const std::string_view intermediates = bytes.substr(at + 1, i - at - 1);
  const auto final = static_cast<std::uint8_t>(bytes[i]);
  const CharacterSet* set = FindCharacterSet(final);
  if (set == nullptr) return std::nullopt;
  if (intermediates.empty()) {  // the locking escapes of the custom sets, and ESC s
    if (final != marc8::kAsciiDefault && set->escape.size() != 2) return std::nullopt;
    return Designation{Graphic::G0, set->final};
  }
  const bool multi = intermediates[0] == '$';
  std::string_view rest = intermediates.substr(multi ? 1 : 0);
  Graphic where = Graphic::G0;
  if (rest.empty()) {
    if (!multi) return std::nullopt;
  } else if (rest[0] == '(' || rest[0] == ',') {
    rest.remove_prefix(1);
  } else if (rest[0] == ')' || rest[0] == '-') {
    where = Graphic::G1;
    rest.remove_prefix(1);
  } else {
    return std::nullopt;
  }
  if (rest == "!" && !multi) rest.remove_prefix(1);
  if (!rest.empty() || multi != (set->width == 3)) return std::nullopt;
  return Designation{where, set->final};
}

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) { result_.text.reserve(bytes.size()); }

  Marc8Text Read() {
    const std::size_t n = bytes_.size();
    for (std::size_t i = 0; i < n;) {
      const auto b = static_cast<std::uint8_t>(bytes_[i]);
      if (b == kEscape) {
        std::size_t length = 0;
        if (const std::optional<Designation> d = ReadEscape(bytes_, i, length)) {
          (d->where == Graphic::G0 ? g0_ : g1_) = FindCharacterSet(d->set);
        } else {
          Problem(Marc8Problem::UnknownEscape, i);
        }
        i += length;
      } else if (b < 0x20) {
        Base(b), ++i;
      } else if (b == 0x20) {
        Base(u' '), ++i;
      } else if (b < 0x7F) {
        i += ReadGraphic(g0_, 0x21, 0x7E, i);
      } else if (b >= 0xA1 && b <= 0xFE) {
        i += ReadGraphic(g1_, 0xA1, 0xFE, i);
      } else if (const std::optional<Found> control = Lookup(marc8::kAnsel, b);
                 control && b >= 0x80 && b <= 0x9F) {
        Base(control->codePoint), ++i;
      } else {
        Problem(Marc8Problem::InvalidByte, i);
        Base(kReplacement), ++i;
      }
    }
    if (!pending_.empty()) {
      Problem(Marc8Problem::MarkWithoutBase, pendingAt_);
      for (const char32_t mark : pending_) text::AppendCodePoint(mark, result_.text);
    }
    return std::move(result_);
  }

 private:
  // A character of the set in G0 or G1 (bytes low..high); returns the bytes read.
  std::size_t ReadGraphic(const CharacterSet* info, std::uint8_t low, std::uint8_t high,
                          std::size_t at) {
    const std::uint8_t set = info->final;
    const std::uint8_t offset = low == 0xA1 ? 0x80 : 0;
    std::uint32_t code = 0;
    std::size_t length = 0;
    for (; length < info->width && at + length < bytes_.size(); ++length) {
      const auto b = static_cast<std::uint8_t>(bytes_[at + length]);
      // After the first byte, 20 (A0) too: EACC's «…» is 21 20 3D.
      if (b < low - (length == 0 ? 0 : 1) || b > high) break;
      code = (code << 8) | static_cast<std::uint32_t>(b - offset);
    }
    if (length < info->width) {
      Problem(Marc8Problem::IncompleteCharacter, at);
      Base(kReplacement);
      return length;
    }
    const std::optional<Found> found = Lookup(set, code);
    if (!found) {
      Problem(Marc8Problem::UnassignedCode, at);
      Base(kReplacement);
    } else if (found->combining) {
      Mark(found->codePoint, set, code, at);
    } else {
      Base(found->codePoint);
    }
    return length;
  }

  // A mark waits for its base. The second half of a double diacritic whose
  // first half went on the letter before is dropped: the first half stands
  // for the whole mark.
  void Mark(char32_t mark, std::uint8_t set, std::uint32_t code, std::size_t at) {
    for (std::size_t k = 0; k < marc8::kDoubleDiacritics.size(); ++k) {
      const marc8::DoubleDiacritic& d = marc8::kDoubleDiacritics[k];
      if (d.set == set && d.secondHalf == code && awaitedSecondHalves_[k] > 0) {
        --awaitedSecondHalves_[k];
        return;
      }
    }
    if (pending_.empty()) pendingAt_ = at;
    pending_.push_back(mark);
  }

  void Base(char32_t character) {
    text::AppendCodePoint(character, result_.text);
    awaitedSecondHalves_.fill(0);
    for (const char32_t mark : pending_) {
      text::AppendCodePoint(mark, result_.text);
      for (std::size_t k = 0; k < marc8::kDoubleDiacritics.size(); ++k) {
        if (marc8::kDoubleDiacritics[k].whole == mark) ++awaitedSecondHalves_[k];
      }
    }
    pending_.clear();
  }

  void Problem(Marc8Problem problem, std::size_t at) {
    if (result_.problems.size() < Marc8Text::kListedProblems)
      result_.problems.push_back({problem, at});
    ++result_.problemCount;
  }

  std::string_view bytes_;
  Marc8Text result_;
  const CharacterSet* g0_ = FindCharacterSet(marc8::kBasicLatin);
  const CharacterSet* g1_ = FindCharacterSet(marc8::kAnsel);
  std::u32string pending_;  // marks before their base
  std::size_t pendingAt_ = 0;
  // Of each double diacritic, the second halves that the letter before
  // leads one to expect.
  std::array<std::size_t, marc8::kDoubleDiacritics.size()> awaitedSecondHalves_{};
};

}  // namespace

Marc8Text DecodeMarc8(std::string_view bytes) {
  return Reader(bytes).Read();
}

}  // namespace velmora::encodings
