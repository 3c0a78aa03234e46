// What velmora-convert does with the bytes it reads, before and after the
// conversions:
//  - UTF-8: DecodeUtf8 accepts exactly the well-formed byte sequences (a
//    leading byte order mark dropped) and reports the offset of the first
//    ill-formed one; what it accepts encodes back to the same bytes;
//  - line breaks: CR, LF and CRLF each become one CRLF and nothing else changes;
//  - every command's result encodes as UTF-8 and decodes back unchanged (no
//    conversion splits a surrogate pair);
//  - 8-bit files read and write back byte for byte (VNI, TCVN3, VISCII), or
//    read back what they wrote (CP1258, TCVN 5712, which join base and tone
//    mark); `charset FROM TO` takes any bytes for every pair;
//  - any UTF-16, lone surrogates included, encodes as well-formed UTF-8;
//  - a batch splits into records that hold every line that is not blank, in
//    order, each once, whatever the bytes (one record a line for marcedit);
//  - no text that holds no NUL is taken for UTF-16 without a byte order mark.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "Encodings/LetterUnits.h"
#include "Encodings/TextInput.h"
#include "Encodings/Utf8.h"
#include "FuzzSupport.h"
#include "ModMain/Text/LineBreaks.h"
#include "cli/CharsetCommand.h"
#include "cli/Commands.h"
#include "cli/RecordReader.h"

using namespace velmora;
using namespace velmora::cli;

namespace {

bool InRange(unsigned char b, unsigned char low, unsigned char high) {
  return b >= low && b <= high;
}

// The length of the well-formed UTF-8 sequence at `i` (the table of
// well-formed byte sequences in the Unicode standard), 0 if there is none.
std::size_t WellFormedLength(std::string_view s, std::size_t i) {
  const auto at = [&](std::size_t k) -> unsigned char {
    return i + k < s.size() ? static_cast<unsigned char>(s[i + k]) : 0;
  };
  const unsigned char b = at(0);
  const auto tail = [&](std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) {
      if (!InRange(at(k), 0x80, 0xBF)) return false;
    }
    return true;
  };
  if (b <= 0x7F) return 1;
  if (InRange(b, 0xC2, 0xDF)) return tail(1, 2) ? 2 : 0;
  if (b == 0xE0) return InRange(at(1), 0xA0, 0xBF) && tail(2, 3) ? 3 : 0;
  if (InRange(b, 0xE1, 0xEC) || InRange(b, 0xEE, 0xEF)) return tail(1, 3) ? 3 : 0;
  if (b == 0xED) return InRange(at(1), 0x80, 0x9F) && tail(2, 3) ? 3 : 0;
  if (b == 0xF0) return InRange(at(1), 0x90, 0xBF) && tail(2, 4) ? 4 : 0;
  if (InRange(b, 0xF1, 0xF3)) return tail(1, 4) ? 4 : 0;
  if (b == 0xF4) return InRange(at(1), 0x80, 0x8F) && tail(2, 4) ? 4 : 0;
  return 0;
}

void CheckUtf8Decoding(std::string_view bytes) {
  std::size_t start = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  std::size_t firstBad = std::string_view::npos;
  for (std::size_t i = start; i < bytes.size();) {
    const std::size_t length = WellFormedLength(bytes, i);
    if (length == 0) {
      firstBad = i;
      break;
    }
    i += length;
  }
  encodings::Utf8Error error{};
  const std::optional<Text> decoded = encodings::DecodeUtf8(bytes, &error);
  FUZZ_CHECK(decoded.has_value() == (firstBad == std::string_view::npos),
             {"bytes", fuzz::BytesAsText(bytes)});
  if (!decoded) {
    FUZZ_CHECK(error.byteOffset == firstBad, {"bytes", fuzz::BytesAsText(bytes)});
    return;
  }
  FUZZ_CHECK(encodings::EncodeUtf8(*decoded) == bytes.substr(start), {"decoded", *decoded},
             {"bytes", fuzz::BytesAsText(bytes)});

  // Line breaks: CR, LF and CRLF each one CRLF.
  const Text copied = text::NormaliseLineBreaks(*decoded);
  const std::size_t breaks = fuzz::Count(*decoded, u"\r") + fuzz::Count(*decoded, u"\n") -
                             fuzz::Count(*decoded, text::kCrlf);
  FUZZ_CHECK(fuzz::Count(copied, text::kCrlf) == breaks && fuzz::Count(copied, u"\r") == breaks &&
                 fuzz::Count(copied, u"\n") == breaks,
             {"normalised", copied}, {"decoded", *decoded});
  FUZZ_CHECK(text::RemoveAll(text::RemoveAll(copied, u'\r'), u'\n') ==
                 text::RemoveAll(text::RemoveAll(*decoded, u'\r'), u'\n'),
             {"normalised", copied}, {"decoded", *decoded});

  for (const Command& command : AllCommands()) {
    for (const bool working : {false, true}) {
      if (working && SourceOf(command) == nullptr) continue;
      const std::optional<Text> converted = ConvertCopied(command, working, copied);
      if (!converted) continue;  // charset, detect: bytes
      const Text& result = *converted;
      // With a byte order mark in front, since reading drops one: a result
      // that itself begins with U+FEFF must come back whole.
      const std::string encoded = "\xEF\xBB\xBF" + encodings::EncodeUtf8(result);
      const std::optional<Text> back = encodings::DecodeUtf8(encoded, nullptr);
      FUZZ_CHECK(back && *back == result, {"result", result}, {"copied", copied});
    }
  }
}

// Code pages that read one character per byte write every file back byte
// for byte; those that join a base and a tone mark read back what they wrote.
void CheckEightBit(std::string_view bytes) {
  for (const encodings::Representation page :
       {encodings::Representation::Vni, encodings::Representation::Viscii,
        encodings::Representation::Cp1258, encodings::Representation::Tcvn5712}) {
    Text text;
    encodings::AppendEightBitUnits(page, bytes, text);
    std::string written;
    encodings::EncodeReport report;
    FUZZ_CHECK(encodings::EncodeConverted(page, text, {}, written, report), {"decoded", text},
               {"bytes", fuzz::BytesAsText(bytes)});
    const bool joins =
        page == encodings::Representation::Cp1258 || page == encodings::Representation::Tcvn5712;
    Text back;
    encodings::AppendEightBitUnits(page, written, back);
    FUZZ_CHECK(joins ? back == text : written == bytes, {"decoded", text}, {"back", back},
               {"bytes", fuzz::BytesAsText(bytes)});
  }
}

void CheckCharsetCommand(std::uint8_t from, std::uint8_t to, std::string_view bytes) {
  const auto all = encodings::AllRepresentations();
  const encodings::RepresentationInfo& source = all[from % all.size()];
  const encodings::RepresentationInfo& target = all[to % all.size()];
  if (!source.readable) return;
  std::string output, error, notes;
  if (RunCharset(bytes, source.id, target.id, {}, output, error, notes) &&
      target.bytes == encodings::FileBytes::UnicodeText) {
    FUZZ_CHECK(encodings::DecodeUtf8(output, nullptr).has_value(),
               {"output", fuzz::BytesAsText(output)}, {"input", fuzz::BytesAsText(bytes)});
  }
}

void CheckUtf8Encoding(TextView text) {
  const std::string encoded = encodings::EncodeUtf8(text);
  const std::optional<Text> back = encodings::DecodeUtf8(encoded, nullptr);
  FUZZ_CHECK(back.has_value(), {"text", text});
  Text expected;  // lone surrogates become U+FFFD
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
    const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      expected += text.substr(i, 2);
      ++i;
    } else {
      expected.push_back(high || low ? u'\uFFFD' : text[i]);
    }
  }
  // A leading U+FEFF reads back as a byte order mark and is dropped.
  const TextView expectedBack =
      TextView(expected).starts_with(u"\uFEFF") ? TextView(expected).substr(1) : expected;
  FUZZ_CHECK(*back == expectedBack, {"back", *back}, {"text", text});
}

bool IsBlankLine(std::string_view line) {
  return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The lines of `bytes` with their line breaks (CRLF, LF or CR), as the
// batch reader takes them apart.
std::vector<std::string_view> Lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  while (!bytes.empty()) {
    std::size_t end = bytes.find_first_of("\r\n");
    end = end == std::string_view::npos                                            ? bytes.size()
          : bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? end + 2
                                                                                   : end + 1;
    lines.push_back(bytes.substr(0, end));
    bytes.remove_prefix(end);
  }
  return lines;
}

// UTF-8 input (no byte order mark of UTF-16) read as a batch: the records,
// one after another, hold exactly the lines that are not blank, each with
// the blank lines between two of its own; with one record a line, each
// record is one line.
void CheckBatchRecords(std::string_view bytes, bool oneALine) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return;
  if (encodings::SniffUnmarkedUtf16(bytes) != encodings::TextForm::Utf8) return;
  std::FILE* file = std::tmpfile();
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fflush(file);
  std::rewind(file);
  cli::RecordReader reader(fileno(file), oneALine ? cli::RecordReader::Split::kLines
                                                  : cli::RecordReader::Split::kCopiedRecords);
  std::string kept, error;
  cli::BatchRecord record;
  std::size_t previous = 0;
  while (reader.Next(record, error)) {
    FUZZ_CHECK(!record.bytes.empty() && record.number == previous + 1,
               {"record", fuzz::BytesAsText(record.bytes)}, {"input", fuzz::BytesAsText(bytes)});
    FUZZ_CHECK(!oneALine || Lines(record.bytes).size() == 1,
               {"record", fuzz::BytesAsText(record.bytes)}, {"input", fuzz::BytesAsText(bytes)});
    previous = record.number;
    for (const std::string_view line : Lines(record.bytes)) {
      if (!IsBlankLine(line)) kept += line;
    }
  }
  std::fclose(file);
  std::string expected;
  for (const std::string_view line : Lines(bytes)) {
    if (!IsBlankLine(line)) expected += line;
  }
  FUZZ_CHECK(error.empty() && kept == expected, {"kept", fuzz::BytesAsText(kept)},
             {"input", fuzz::BytesAsText(bytes)});
}

// A unit whose one byte is NUL is what tells UTF-16: text without NUL is
// never taken for it.
void CheckUnmarkedUtf16(std::string_view bytes) {
  const encodings::TextForm form = encodings::SniffUnmarkedUtf16(bytes);
  if (bytes.find('\0') == std::string_view::npos) {
    FUZZ_CHECK(form == encodings::TextForm::Utf8, {"bytes", fuzz::BytesAsText(bytes)});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const std::uint8_t mode = input.Byte();
  switch (mode % 6) {
    case 0: {
      const auto rest = input.RestAsBytes();
      CheckUtf8Decoding(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
      break;
    }
    case 1: {
      const auto rest = input.RestAsBytes();
      CheckEightBit(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
      break;
    }
    case 2: {
      const std::uint8_t from = input.Byte();
      const std::uint8_t to = input.Byte();
      const auto rest = input.RestAsBytes();
      CheckCharsetCommand(
          from, to, std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
      break;
    }
    case 3:
      CheckUtf8Encoding(input.RestAsText());
      break;
    case 4: {
      const bool oneALine = input.Byte() % 2 == 1;
      const auto rest = input.RestAsBytes();
      CheckBatchRecords(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()),
                        oneALine);
      break;
    }
    default: {
      const auto rest = input.RestAsBytes();
      CheckUnmarkedUtf16(std::string_view(reinterpret_cast<const char*>(rest.data()), rest.size()));
      break;
    }
  }
  return 0;
}
