#include "Encodings/Transcoder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "Encodings/LetterUnits.h"
#include "Encodings/Normalization.h"
#include "Encodings/Utf8.h"
#include "Encodings/Viqr.h"
#include "ModMain/Letters/CharsetTables.h"
#include "ModMain/Letters/ConvertCharset.h"

namespace velmora::encodings {
namespace {

// CRLF and a lone CR become LF, in place, from `from` on; text without CR
// is left alone.
template <typename String>
void LineBreaksToLf(String& s, std::size_t from = 0) {
  using Unit = typename String::value_type;
  const auto firstCr =
      std::find(s.begin() + static_cast<std::ptrdiff_t>(from), s.end(), Unit('\r'));
  if (firstCr == s.end()) return;
  std::size_t o = static_cast<std::size_t>(firstCr - s.begin());
  for (std::size_t i = o; i < s.size(); ++i) {
    if (s[i] != Unit('\r')) {
      s[o++] = s[i];
    } else if (i + 1 < s.size() && s[i + 1] == Unit('\n')) {
      continue;  // the LF that follows stays
    } else {
      s[o++] = Unit('\n');
    }
  }
  s.resize(o);
}

std::size_t CountCharacters(TextView text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += text::CodePointAt(text, i).units) ++count;
  return count;
}

}  // namespace

// An 8-bit file whose letters are single bytes (or a base byte and a tone
// byte that the code page joins) into UTF-8, a byte at a time through tables
// made once from the general conversion: the same bytes out, several times
// faster.
class EightBitToUtf8 {
 public:
  explicit EightBitToUtf8(Representation from) {
    const Representation read = LetterUnitsOf(from);
    for (unsigned b = 0; b < 256; ++b) {
      Text unit;
      AppendEightBitUnits(from, std::string_view(reinterpret_cast<const char*>(&b), 1), unit);
      Set(bytes_[b], read == Representation::Unicode
                         ? unit
                         : letters::ConvertLetters(unit, read, Representation::Unicode));
    }
    if (from != Representation::Cp1258 && from != Representation::Tcvn5712) return;
    for (unsigned b = 0; b < 256; ++b) {
      for (unsigned m = 0; m < 256; ++m) {
        const char pair[2] = {static_cast<char>(b), static_cast<char>(m)};
        Text joined;
        AppendEightBitUnits(from, std::string_view(pair, 2), joined);
        if (joined.size() != 1) continue;
        if (marks_[m] == 0) marks_[m] = static_cast<std::uint8_t>(markCount_++);
        joined_.resize(std::max<std::size_t>(joined_.size(), 256u * markCount_));
        Set(joined_[256 * (marks_[m] - 1) + b], joined);
      }
    }
  }

  void Convert(std::string_view block, std::string& out) const {
    const std::size_t start = out.size();
    out.resize(start + 3 * block.size());
    char* to = out.data() + start;
    const auto* in = reinterpret_cast<const unsigned char*>(block.data());
    const std::size_t n = block.size();
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned char b = in[i];
      const Utf8* bytes = &bytes_[b];
      if (b == '\r') {
        if (i + 1 < n && in[i + 1] == '\n') continue;
        bytes = &kLineFeed;
      } else if (i + 1 < n && marks_[in[i + 1]] != 0) {
        const Utf8& joined = joined_[256 * (marks_[in[i + 1]] - 1) + b];
        if (joined.length != 0) bytes = &joined, ++i;
      }
      std::memcpy(to, bytes->bytes, 4);
      to += bytes->length;
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
  }

 private:
  struct Utf8 {
    char bytes[4] = {};
    std::uint8_t length = 0;
  };
  static constexpr Utf8 kLineFeed = {{'\n'}, 1};

  static void Set(Utf8& entry, TextView text) {
    const std::string utf8 = EncodeUtf8(text);
    std::memcpy(entry.bytes, utf8.data(), std::min<std::size_t>(utf8.size(), 4));
    entry.length = static_cast<std::uint8_t>(utf8.size());
  }

  std::array<Utf8, 256> bytes_{};
  std::array<std::uint8_t, 256> marks_{};  // tone mark byte -> its number + 1
  std::size_t markCount_ = 1;
  std::vector<Utf8> joined_;  // by mark number and base byte
};

// Unicode into Unicode (pre-unicode) on UTF-8 as it stands, without going
// through UTF-16: a tone mark that makes a letter with the character before
// it replaces that character's bytes by the letter's. The same as decoding,
// ConvertCharset(text, 1, 1) and encoding, in one pass.
bool JoinToneMarksInUtf8(std::string_view block, std::string& out, std::size_t& badOffset) {
  const letters::SourceLookup& unicode = letters::LoadCharsetTables().unicode;
  const std::string_view original = block;
  std::string withLineFeeds;
  if (block.find('\r') != std::string_view::npos) {
    withLineFeeds.assign(block);
    LineBreaksToLf(withLineFeeds);
    block = withLineFeeds;
  }
  // An offset in `block` as an offset in the input (CRLF took two bytes there).
  const auto inputOffset = [&](std::size_t offset) {
    std::size_t i = 0;
    for (std::size_t o = 0; o < offset; ++o, ++i) {
      if (original[i] == '\r' && i + 1 < original.size() && original[i + 1] == '\n') ++i;
    }
    return i;
  };
  const std::size_t start = out.size();
  out.resize(start + block.size());  // joining only shortens
  char* const begin = out.data() + start;
  char* to = begin;
  const auto* in = reinterpret_cast<const unsigned char*>(block.data());
  const std::size_t n = block.size();
  char32_t previous = 0;           // the input character before
  std::size_t previousLength = 0;  // its bytes in the output
  std::size_t i = 0;
  while (i < n) {
    if (in[i] < 0x80) {
      std::size_t run = i + 1;
      while (run + 8 <= n && EightAsciiBytes(in + run)) run += 8;
      while (run < n && in[run] < 0x80) ++run;
      std::memcpy(to, in + i, run - i);
      to += run - i;
      previous = in[run - 1], previousLength = 1;
      i = run;
      continue;
    }
    char16_t units[2];
    char16_t* end = units;
    const std::size_t length = DecodeUtf8Sequence(in, i, n, end);
    if (length == 0) {
      badOffset = inputOffset(i);
      out.resize(start);
      return false;
    }
    const char16_t unit = units[0];
    if (end - units == 1 && unit >= letters::kCombiningGrave &&
        unit <= letters::kCombiningDotBelow && previous < 0x10000) {
      if (const std::uint8_t letter = unicode.Pair(static_cast<char16_t>(previous), unit)) {
        to -= previousLength;
        const char* written = to;
        to = EncodeUtf8CodePoint(letters::UnicodeLetters[letter - 1], to);
        previous = unit, previousLength = static_cast<std::size_t>(to - written);
        i += length;
        continue;
      }
    }
    std::memcpy(to, in + i, length);
    to += length;
    previous = end - units == 1 ? unit : 0x10000, previousLength = length;
    i += length;
  }
  out.resize(start + static_cast<std::size_t>(to - begin));
  return true;
}

// The tables of each code page, made the first time they are needed.
const EightBitToUtf8* TablesIntoUtf8(Representation from) {
  switch (from) {
    case Representation::Tcvn3: {
      static const EightBitToUtf8 tables(Representation::Tcvn3);
      return &tables;
    }
    case Representation::Cp1258: {
      static const EightBitToUtf8 tables(Representation::Cp1258);
      return &tables;
    }
    case Representation::Viscii: {
      static const EightBitToUtf8 tables(Representation::Viscii);
      return &tables;
    }
    case Representation::Tcvn5712: {
      static const EightBitToUtf8 tables(Representation::Tcvn5712);
      return &tables;
    }
    default:
      return nullptr;  // VNI letters take two bytes; the others are not 8-bit
  }
}

Transcoder::Transcoder(Representation from, Representation to, EncodeOptions options)
    : from_(from), to_(to), options_(options) {
  if (to == Representation::Unicode) fast_ = TablesIntoUtf8(from);
}

bool Transcoder::Decode(std::string_view block, Failure& failure) {
  units_.clear();
  if (Describe(from_).bytes == FileBytes::EightBit) {
    AppendEightBitUnits(from_, block, units_);
  } else {
    if (!started_) {
      std::size_t byteOrderMark = 0;
      form_ = SniffTextForm(block, byteOrderMark);
      block.remove_prefix(byteOrderMark);
      bytesBefore_ += byteOrderMark;
    }
    if (!AppendDecodedText(block, form_, units_, &failure.input, bytesBefore_)) {
      failure.badInput = true;
      return false;
    }
    if (from_ == Representation::Viqr && to_ != Representation::Viqr) units_ = ReadViqr(units_);
  }
  started_ = true;
  bytesBefore_ += block.size();
  LineBreaksToLf(units_);
  return true;
}

bool Transcoder::Convert(std::string_view block, std::string& out, Failure& failure) {
  const bool sameEightBit = from_ == to_ && Describe(from_).bytes == FileBytes::EightBit;
  if (sameEightBit) {  // equal representations change nothing but line breaks
    const std::size_t start = out.size();
    out.append(block);
    LineBreaksToLf(out, start);
    return true;
  }
  if (fast_ != nullptr) {
    fast_->Convert(block, out);
    return true;
  }
  if (from_ == Representation::Unicode && to_ == Representation::Unicode) {
    if (!started_) {
      std::size_t byteOrderMark = 0;
      form_ = SniffTextForm(block, byteOrderMark);
      if (form_ == TextForm::Utf8)
        block.remove_prefix(byteOrderMark), bytesBefore_ += byteOrderMark;
    }
    if (form_ == TextForm::Utf8) {
      started_ = true;
      std::size_t badOffset = 0;
      if (!JoinToneMarksInUtf8(block, out, badOffset)) {
        failure.badInput = true;
        failure.input = {TextForm::Utf8, bytesBefore_ + badOffset};
        return false;
      }
      bytesBefore_ += block.size();
      return true;
    }
  }
  if (!Decode(block, failure)) return false;
  const Representation fromUnits = LetterUnitsOf(from_), toUnits = LetterUnitsOf(to_);
  // Equal representations change nothing (ConvertCharset's rule for equal
  // codes); Unicode into Unicode joins tone marks.
  const bool unchanged = from_ == to_ && from_ != Representation::Unicode;
  // Unicode text is composed before it is written where the target holds
  // letters as codes of its own. NFC never joins across a line break, so the
  // lines stay the input's.
  const bool composes = Composes() && !unchanged;
  if (composes) composed_ = ToNfc(units_);
  const Text& source = composes ? composed_ : units_;
  // The code pages read as iconv reads them, tone marks joined already.
  const bool read = fromUnits == Representation::Unicode && toUnits == Representation::Unicode &&
                    Describe(from_).bytes == FileBytes::EightBit;
  converted_ = unchanged || read ? source : letters::ConvertLetters(source, fromUnits, toUnits);
  EncodeReport report;
  if (to_ == Representation::Tcvn3 && !unchanged) {
    report.lowercasedCapitals = CountTonedCapitals(source, fromUnits);
  }
  bool ok = true;
  if (unchanged && Describe(to_).bytes == FileBytes::UnicodeText) {
    AppendEncodedUtf8(converted_, out);
  } else {
    ok = EncodeConverted(to_, converted_, options_, out, report);
  }
  report_.Add(report);
  if (!ok) {
    failure.character = report.unwritable;
    FindPlace(report.unwritableAt, failure);
    return false;
  }
  linesBefore_ += static_cast<std::size_t>(std::count(units_.begin(), units_.end(), u'\n'));
  return true;
}

bool Transcoder::Composes() const {
  return LetterUnitsOf(from_) == Representation::Unicode && ComposesBeforeWriting(to_);
}

// Whether a piece of the input converts and writes on its own.
bool Transcoder::Writes(TextView piece) const {
  const Representation fromUnits = LetterUnitsOf(from_), toUnits = LetterUnitsOf(to_);
  std::string scratch;
  EncodeReport report;
  const Text composed = Composes() ? ToNfc(piece) : Text(piece);
  return EncodeConverted(to_, letters::ConvertLetters(composed, fromUnits, toUnits), {}, scratch,
                         report);
}

// Lines pass through the conversion one for one; within the line, the input
// is converted again piece by piece until the piece that cannot be written,
// so the column is the input's. Composed text is tried by NFC segment (what
// NFC joins stays together), then within the segment by its first
// characters, so that a mark the target cannot hold is named, not its base.
void Transcoder::FindPlace(std::size_t convertedIndex, Failure& failure) const {
  const TextView converted(converted_);
  const std::size_t lineInBlock = static_cast<std::size_t>(
      std::count(converted.begin(), converted.begin() + convertedIndex, u'\n'));
  std::size_t lineStart = 0;
  for (std::size_t n = 0; n < lineInBlock; ++n) lineStart = units_.find(u'\n', lineStart) + 1;
  const TextView line =
      TextView(units_).substr(lineStart, units_.find(u'\n', lineStart) - lineStart);
  const Representation fromUnits = LetterUnitsOf(from_);
  std::size_t pos = 0;
  while (pos < line.size()) {
    std::size_t length = letters::LetterPieceLength(line, pos, fromUnits);
    if (Composes()) {
      length = text::CodePointAt(line, pos).units;
      while (pos + length < line.size() &&
             !StartsNfcSegment(text::CodePointAt(line, pos + length).value)) {
        length += text::CodePointAt(line, pos + length).units;
      }
    }
    if (!Writes(line.substr(pos, length))) {
      if (Composes()) {
        // The shortest start of the segment that cannot be written: its last
        // character is the one.
        std::size_t last = pos, end = pos + text::CodePointAt(line, pos).units;
        while (end < pos + length && Writes(line.substr(pos, end - pos))) {
          last = end;
          end += text::CodePointAt(line, end).units;
        }
        pos = last;
        failure.character = text::CodePointAt(line, pos).value;
      }
      break;
    }
    pos += length;
  }
  failure.line = linesBefore_ + lineInBlock + 1;
  failure.column = CountCharacters(line.substr(0, pos)) + 1;
}

}  // namespace velmora::encodings
