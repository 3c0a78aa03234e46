#include "Encodings/EightBit.h"

#include <array>
#include <cstdint>

namespace velmora {
namespace {

constexpr char16_t kLastCodeUnitByte = 0xFF;

// Windows-1250, bytes 80-FF (00-7F are ASCII). kUnassigned marks the five
// bytes the code page leaves open; they read as U+0080 + (byte - 80).
constexpr char16_t kUnassigned = 0;
// clang-format off
constexpr std::array<char16_t, 128> kWindows1250High = {
    //    x0/x8          x1/x9          x2/xA          x3/xB          x4/xC          x5/xD          x6/xE          x7/xF
    u'\u20AC' /*€*/, kUnassigned,     u'\u201A' /*‚*/, kUnassigned,     u'\u201E' /*„*/, u'\u2026' /*…*/, u'\u2020' /*†*/, u'\u2021' /*‡*/,  // 80
    kUnassigned,     u'\u2030' /*‰*/, u'\u0160' /*Š*/, u'\u2039' /*‹*/, u'\u015A' /*Ś*/, u'\u0164' /*Ť*/, u'\u017D' /*Ž*/, u'\u0179' /*Ź*/,  // 88
    kUnassigned,     u'\u2018' /*‘*/, u'\u2019' /*’*/, u'\u201C' /*“*/, u'\u201D' /*”*/, u'\u2022' /*•*/, u'\u2013' /*–*/, u'\u2014' /*—*/,  // 90
    kUnassigned,     u'\u2122' /*™*/, u'\u0161' /*š*/, u'\u203A' /*›*/, u'\u015B' /*ś*/, u'\u0165' /*ť*/, u'\u017E' /*ž*/, u'\u017A' /*ź*/,  // 98
    u'\u00A0' /*NBSP*/, u'\u02C7' /*ˇ*/, u'\u02D8' /*˘*/, u'\u0141' /*Ł*/, u'\u00A4' /*¤*/, u'\u0104' /*Ą*/, u'\u00A6' /*¦*/, u'\u00A7' /*§*/,  // A0
    u'\u00A8' /*¨*/, u'\u00A9' /*©*/, u'\u015E' /*Ş*/, u'\u00AB' /*«*/, u'\u00AC' /*¬*/, u'\u00AD' /*SHY*/, u'\u00AE' /*®*/, u'\u017B' /*Ż*/,  // A8
    u'\u00B0' /*°*/, u'\u00B1' /*±*/, u'\u02DB' /*˛*/, u'\u0142' /*ł*/, u'\u00B4' /*´*/, u'\u00B5' /*µ*/, u'\u00B6' /*¶*/, u'\u00B7' /*·*/,  // B0
    u'\u00B8' /*¸*/, u'\u0105' /*ą*/, u'\u015F' /*ş*/, u'\u00BB' /*»*/, u'\u013D' /*Ľ*/, u'\u02DD' /*˝*/, u'\u013E' /*ľ*/, u'\u017C' /*ż*/,  // B8
    u'\u0154' /*Ŕ*/, u'\u00C1' /*Á*/, u'\u00C2' /*Â*/, u'\u0102' /*Ă*/, u'\u00C4' /*Ä*/, u'\u0139' /*Ĺ*/, u'\u0106' /*Ć*/, u'\u00C7' /*Ç*/,  // C0
    u'\u010C' /*Č*/, u'\u00C9' /*É*/, u'\u0118' /*Ę*/, u'\u00CB' /*Ë*/, u'\u011A' /*Ě*/, u'\u00CD' /*Í*/, u'\u00CE' /*Î*/, u'\u010E' /*Ď*/,  // C8
    u'\u0110' /*Đ*/, u'\u0143' /*Ń*/, u'\u0147' /*Ň*/, u'\u00D3' /*Ó*/, u'\u00D4' /*Ô*/, u'\u0150' /*Ő*/, u'\u00D6' /*Ö*/, u'\u00D7' /*×*/,  // D0
    u'\u0158' /*Ř*/, u'\u016E' /*Ů*/, u'\u00DA' /*Ú*/, u'\u0170' /*Ű*/, u'\u00DC' /*Ü*/, u'\u00DD' /*Ý*/, u'\u0162' /*Ţ*/, u'\u00DF' /*ß*/,  // D8
    u'\u0155' /*ŕ*/, u'\u00E1' /*á*/, u'\u00E2' /*â*/, u'\u0103' /*ă*/, u'\u00E4' /*ä*/, u'\u013A' /*ĺ*/, u'\u0107' /*ć*/, u'\u00E7' /*ç*/,  // E0
    u'\u010D' /*č*/, u'\u00E9' /*é*/, u'\u0119' /*ę*/, u'\u00EB' /*ë*/, u'\u011B' /*ě*/, u'\u00ED' /*í*/, u'\u00EE' /*î*/, u'\u010F' /*ď*/,  // E8
    u'\u0111' /*đ*/, u'\u0144' /*ń*/, u'\u0148' /*ň*/, u'\u00F3' /*ó*/, u'\u00F4' /*ô*/, u'\u0151' /*ő*/, u'\u00F6' /*ö*/, u'\u00F7' /*÷*/,  // F0
    u'\u0159' /*ř*/, u'\u016F' /*ů*/, u'\u00FA' /*ú*/, u'\u0171' /*ű*/, u'\u00FC' /*ü*/, u'\u00FD' /*ý*/, u'\u0163' /*ţ*/, u'\u02D9' /*˙*/,  // F8
};
// clang-format on

constexpr char16_t Windows1250Character(std::uint8_t byte) {
  if (byte < 0x80) return byte;
  const char16_t assigned = kWindows1250High[byte - 0x80];
  return assigned != kUnassigned ? assigned : char16_t{byte};
}

// Every character Windows-1250 reads lies below this.
constexpr char16_t kWindows1250Span = 0x2123;

// The byte of each character below kWindows1250Span, -1 for none.
constexpr std::array<std::int16_t, kWindows1250Span> BuildWindows1250Bytes() {
  std::array<std::int16_t, kWindows1250Span> bytes{};
  bytes.fill(-1);
  for (unsigned byte = 0; byte <= 0xFF; ++byte) {
    bytes[Windows1250Character(static_cast<std::uint8_t>(byte))] = static_cast<std::int16_t>(byte);
  }
  return bytes;
}
constexpr auto kWindows1250Bytes = BuildWindows1250Bytes();

}  // namespace

Text DecodeEightBit(std::string_view bytes, ByteForm form) {
  Text out(bytes.size(), u'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<std::uint8_t>(bytes[i]);
    out[i] = form == ByteForm::Windows1250 ? Windows1250Character(byte) : char16_t{byte};
  }
  return out;
}

bool EncodeEightBit(TextView text, ByteForm form, std::string& bytes, std::size_t& unwritable) {
  bytes.assign(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    int byte = -1;
    if (form == ByteForm::Windows1250) {
      if (unit < kWindows1250Span) byte = kWindows1250Bytes[unit];
    } else if (unit <= kLastCodeUnitByte) {
      byte = unit;
    }
    if (byte < 0) {
      unwritable = i;
      return false;
    }
    bytes[i] = static_cast<char>(byte);
  }
  return true;
}

}  // namespace velmora
