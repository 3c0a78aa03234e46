#include "FuzzSupport.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "ModMain/Records/MarcEditExport.h"
#include "reference/ReadableText.h"
#include "reference/RecordPieces.h"

namespace velmora::fuzz {
namespace {

// Where a report cuts a long text.
constexpr std::size_t kReportLimit = 4000;

}  // namespace

std::uint8_t FuzzInput::Byte() {
  if (bytes_.empty()) return 0;
  const std::uint8_t b = bytes_.front();
  bytes_ = bytes_.subspan(1);
  return b;
}

std::int32_t FuzzInput::Int32() {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
  return static_cast<std::int32_t>(v);
}

std::int32_t FuzzInput::SmallOrEdgeInt() {
  const std::uint8_t pick = Byte();
  if (pick < 200) return pick % 12 - 2;  // -2 .. 9
  switch (pick % 8) {
    case 0:
      return INT_MIN;
    case 1:
      return INT_MAX;
    case 2:
      return INT_MIN + 1;
    case 3:
      return INT_MAX - 1;
    default:
      return Int32();
  }
}

Text FuzzInput::Units(std::size_t count) {
  Text out;
  for (std::size_t i = 0; i < count && !bytes_.empty(); ++i) {
    const std::uint8_t low = Byte();
    out.push_back(static_cast<char16_t>(low | (Byte() << 8)));
  }
  return out;
}

Text FuzzInput::Pieces(std::size_t count) {
  const std::span<const TextView> pieces = reference::RecordPieces();
  Text out;
  for (std::size_t i = 0; i < count && !bytes_.empty(); ++i) {
    out.append(pieces[Byte() % pieces.size()]);
  }
  return out;
}

Text FuzzInput::RestAsText() {
  const bool raw = (Byte() & 1) == 0;
  if (raw) return Units(bytes_.size());
  return Pieces(bytes_.size());
}

std::span<const std::uint8_t> FuzzInput::RestAsBytes() {
  const std::span<const std::uint8_t> rest = bytes_;
  bytes_ = {};
  return rest;
}

Text BytesAsText(std::string_view bytes) {
  Text out;
  for (const char b : bytes) out.push_back(static_cast<unsigned char>(b));
  return out;
}

void Fail(const char* what, const char* file, int line,
          std::initializer_list<std::pair<const char*, TextView>> texts) {
  std::fprintf(stderr, "\n==== property failed: %s\n     at %s:%d\n", what, file, line);
  for (const auto& [name, text] : texts) {
    std::fprintf(stderr, "  %s (%zu units): %s\n", name, text.size(),
                 reference::Readable(text, kReportLimit).c_str());
  }
  std::fflush(stderr);
  std::abort();
}

std::size_t Count(TextView text, TextView find) {
  std::size_t count = 0;
  for (std::size_t at = text.find(find); at != TextView::npos;
       at = text.find(find, at + find.size())) {
    ++count;
  }
  return count;
}

bool HasLineBreakCharacter(TextView text) {
  return text.find_first_of(u"\r\n") != TextView::npos;
}

namespace {

bool IsTag(TextView s) {
  return s.size() >= 3 && text::IsAsciiDigit(s[0]) && text::IsAsciiDigit(s[1]) &&
         text::IsAsciiDigit(s[2]) && s.substr(0, 3) != u"000";
}

// «ddd=##$aValue$bValue»: the opening, then subfields of at least a code each.
bool IsOutputField(TextView field, TextView opening) {
  if (!field.starts_with(opening)) return false;
  for (std::size_t at = field.find(u'$'); at != TextView::npos; at = field.find(u'$', at + 1)) {
    if (at + 1 == field.size() || field[at + 1] == u'$') return false;  // a mark without code
  }
  return field.find(u'$') != TextView::npos;
}

}  // namespace

void CheckOutputRecordForm(TextView record, TextView titleOpening, TextView input) {
  if (record.empty()) return;
  std::size_t start = 0;
  bool first = true;
  while (true) {
    const std::size_t end = record.find(text::kFieldSeparator, start);
    const TextView field =
        record.substr(start, end == TextView::npos ? TextView::npos : end - start);
    if (first) {
      FUZZ_CHECK(field.empty() || IsOutputField(field, titleOpening), {"first field", field},
                 {"record", record}, {"input", input});
    } else {
      const bool wellFormed = IsTag(field) && IsOutputField(field.substr(3), u"=##$");
      FUZZ_CHECK(wellFormed, {"field", field}, {"record", record}, {"input", input});
    }
    if (end == TextView::npos) break;
    start = end + 1;
    first = false;
  }
}

void CheckMarcEditLinePerField(TextView record, TextView input) {
  if (HasLineBreakCharacter(record)) return;
  const Text exported = records::ExportMarcEdit(record);
  std::size_t fieldStart = 0, lineStart = 0;
  while (true) {
    const std::size_t fieldEnd = record.find(text::kFieldSeparator, fieldStart);
    const std::size_t lineEnd = exported.find(text::kCrlf, lineStart);
    FUZZ_CHECK((fieldEnd == TextView::npos) == (lineEnd == Text::npos), {"record", record},
               {"exported", exported}, {"input", input});
    const TextView field = record.substr(fieldStart, fieldEnd - fieldStart);
    const TextView line = TextView(exported).substr(lineStart, lineEnd - lineStart);
    // «245=00$aTitle» -> «=245  00$aTitle» (two spaces)
    const Text expected = IsTag(field) && field.size() > 3 && field[3] == u'='
                              ? u"=" + Text(field.substr(0, 3)) + u"  " + Text(field.substr(4))
                              : Text(field);
    FUZZ_CHECK(line == expected, {"line", line}, {"field", field}, {"record", record},
               {"input", input});
    if (fieldEnd == TextView::npos) break;
    fieldStart = fieldEnd + 1;
    lineStart = lineEnd + text::kCrlf.size();
  }
}

}  // namespace velmora::fuzz
