#include "Encodings/FieldText/FieldTextDecoder.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "Encodings/CodePage.h"
#include "Encodings/Codecs.h"
#include "Encodings/Detection/DetectRepresentation.h"
#include "Encodings/Marc8Decoder.h"
#include "Encodings/Normalization.h"
#include "Encodings/Representation.h"
#include "Encodings/Utf8.h"

namespace velmora::field_text {
namespace {

using encodings::Representation;
using RepresentationGuess = detection::RepresentationGuess;
using detection::ReadingVerdict;

struct CharsetRow {
  FieldCharset id;
  std::string_view name;
  std::optional<Representation> representation;  // none for MARC-8
};

constexpr std::array<CharsetRow, 7> kCharsets = {{
    {FieldCharset::Utf8, "utf-8", Representation::Unicode},
    {FieldCharset::Marc8, "marc-8", std::nullopt},
    {FieldCharset::Tcvn3, "tcvn3", Representation::Tcvn3},
    {FieldCharset::Vni, "vni", Representation::Vni},
    {FieldCharset::Cp1258, "cp1258", Representation::Cp1258},
    {FieldCharset::Viscii, "viscii", Representation::Viscii},
    {FieldCharset::Tcvn5712, "tcvn5712-1", Representation::Tcvn5712},
}};

constexpr std::array<FieldCharset, 7> kAll = {
    FieldCharset::Utf8,   FieldCharset::Marc8,  FieldCharset::Tcvn3,   FieldCharset::Vni,
    FieldCharset::Cp1258, FieldCharset::Viscii, FieldCharset::Tcvn5712};

const CharsetRow& Row(FieldCharset charset) {
  return kCharsets[static_cast<std::size_t>(charset)];
}

std::optional<FieldCharset> CharsetOf(Representation representation) {
  if (representation == Representation::UnicodeDecomposed) return FieldCharset::Utf8;
  for (const CharsetRow& row : kCharsets) {
    if (row.representation == representation) return row.id;
  }
  return std::nullopt;
}

// Two readings that are both Vietnamese differ by at least this much weight
// (about one and a half common syllables, as detection asks) before one wins.
constexpr double kLeastMargin = 1.5;

constexpr char kSubfieldDelimiter = '\x1F';
constexpr char kEscape = '\x1B';

bool NeedsNoDecision(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char b) { return static_cast<unsigned char>(b) < 0x80 && b != kEscape; });
}

Text BytesKept(std::string_view bytes) {
  Text text;
  text.reserve(bytes.size());
  for (const char b : bytes) text.push_back(static_cast<unsigned char>(b));
  return text;
}

bool IsVietnamese(const RepresentationGuess& guess) {
  return guess.verdict == ReadingVerdict::Chosen &&
         CharsetOf(guess.representation) == FieldCharset::Utf8;
}

// How `text` reads as Vietnamese: detection's judgement of its UTF-8.
RepresentationGuess JudgeText(TextView text) {
  const std::string utf8 = encodings::EncodeUtf8(encodings::ToNfc(text));
  return detection::DetectRepresentation(detection::DetectionSample(utf8));
}

// Strict UTF-8, without the byte order mark rule.
std::optional<Text> StrictUtf8(std::string_view bytes) {
  Text text;
  if (!encodings::AppendDecodedUtf8(bytes, text, nullptr)) return std::nullopt;
  return text;
}

// --- Double-encoded UTF-8 ---------------------------------------------------

// What byte each character of Windows-1252, Latin-1 and Windows-1258 stands
// for: the bytes of UTF-8 read in one of them give these characters.
const std::unordered_map<char16_t, std::uint8_t>& MisreadBytes() {
  static const std::unordered_map<char16_t, std::uint8_t> bytes = [] {
    std::unordered_map<char16_t, std::uint8_t> all;
    for (unsigned b = 0x80; b < 0x100; ++b) {
      all.emplace(static_cast<char16_t>(b), static_cast<std::uint8_t>(b));  // Latin-1
    }
    for (const encodings::CodePage* page : {&encodings::Windows1252(), &encodings::Windows1258()}) {
      for (unsigned b = 0x80; b < 0x100; ++b) {
        all.emplace(page->Character(static_cast<std::uint8_t>(b)), static_cast<std::uint8_t>(b));
      }
    }
    return all;
  }();
  return bytes;
}

// The text `text` was before it was read as Windows-1252 (or Latin-1, or
// Windows-1258) and written again as UTF-8, as many times over as that
// happened (at most three): «Nguyá»…n» is «Nguyễn». nullopt when some
// character stands for no byte, or the bytes are no UTF-8.
std::optional<Text> UndoMisreading(TextView text) {
  const auto& misread = MisreadBytes();
  std::optional<Text> undone;
  Text current(text);
  for (int round = 0; round < 3; ++round) {
    std::string bytes;
    bool beyondAscii = false;
    for (const char16_t unit : current) {
      if (unit < 0x80) {
        bytes += static_cast<char>(unit);
        continue;
      }
      const auto found = misread.find(unit);
      if (found == misread.end()) return undone;
      bytes += static_cast<char>(found->second);
      beyondAscii = true;
    }
    std::optional<Text> before = beyondAscii ? StrictUtf8(bytes) : std::nullopt;
    if (!before) return undone;
    current = *before;
    undone = std::move(before);
  }
  return undone;
}

bool HoldsControlsOrReplacement(TextView text) {
  return std::any_of(text.begin(), text.end(),
                     [](char16_t c) { return (c >= 0x80 && c < 0xA0) || c == 0xFFFD; });
}

// Windows-1258's tone marks, which stand for misread bytes only in text
// that was Vietnamese; elsewhere they are the text's own combining marks
// (from MARC-8, or decomposed text), and «g̉©» is no «gҩ».
bool HoldsWindows1258ToneMark(TextView text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) {
    return c == 0x0300 || c == 0x0301 || c == 0x0303 || c == 0x0309 || c == 0x0323;
  });
}

// The text `text` was before it was double-encoded: only when the repaired
// text reads as Vietnamese and the text does not, or, for text in no
// Vietnamese, when the repaired text is clean (no C1 control) and the text
// does not read as Vietnamese either.
// The text is judged composed, as it is written: MARC-8 and decomposed
// UTF-8 give «A» and a combining tilde where the misreading gave «Ã».
std::optional<Text> DoubleEncodingUndone(TextView given) {
  const bool combining =
      std::any_of(given.begin(), given.end(), [](char16_t c) { return c >= 0x0300 && c < 0x0370; });
  const Text composed = combining ? encodings::ToNfc(given) : Text();
  const TextView text = combining ? TextView(composed) : given;
  std::optional<Text> repaired = UndoMisreading(text);
  if (!repaired || IsVietnamese(JudgeText(text))) return std::nullopt;
  if (IsVietnamese(JudgeText(*repaired))) return repaired;
  if (HoldsControlsOrReplacement(*repaired) || HoldsWindows1258ToneMark(text)) return std::nullopt;
  return repaired;
}

// A UTF-8 field's text, repaired where it is double-encoded.
FieldReading ReadUtf8(Text text) {
  FieldReading field;
  field.verdict = FieldVerdict::Read;
  field.charset = FieldCharset::Utf8;
  if (std::optional<Text> repaired = DoubleEncodingUndone(text)) {
    field.verdict = FieldVerdict::Repaired;
    field.text = std::move(*repaired);
    return field;
  }
  field.text = std::move(text);
  return field;
}

// A field read in MARC-8 or an 8-bit set whose text is double-encoded UTF-8
// (the misread text written in that set) is repaired as in UTF-8, so that
// its repair, read again as UTF-8, needs none.
FieldReading RepairedWhereDoubleEncoded(FieldReading field) {
  if (field.verdict != FieldVerdict::Read || field.invalid != 0) return field;
  if (std::optional<Text> repaired = DoubleEncodingUndone(field.text)) {
    field.verdict = FieldVerdict::Repaired;
    field.text = std::move(*repaired);
  }
  return field;
}

// --- Reading as one charset ---------------------------------------------------

// UTF-8 with each byte that does not decode read as U+FFFD.
Text LenientUtf8(std::string_view bytes, std::size_t& invalid, std::size_t& firstInvalidAt) {
  Text text;
  text.reserve(bytes.size());
  const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
  for (std::size_t i = 0; i < bytes.size();) {
    if (in[i] < 0x80) {
      text.push_back(in[i++]);
      continue;
    }
    char16_t units[2];
    char16_t* end = units;
    const std::size_t length = encodings::DecodeUtf8Sequence(in, i, bytes.size(), end);
    if (length == 0) {
      if (invalid++ == 0) firstInvalidAt = i;
      text.push_back(0xFFFD);
      ++i;
      continue;
    }
    text.append(units, end);
    i += length;
  }
  return text;
}

FieldReading ReadAs(FieldCharset charset, std::string_view bytes) {
  FieldReading field;
  field.verdict = FieldVerdict::Read;
  field.charset = charset;
  if (charset == FieldCharset::Utf8) {
    field.text = LenientUtf8(bytes, field.invalid, field.firstInvalidAt);
  } else if (charset == FieldCharset::Marc8) {
    encodings::Marc8Text decoded = encodings::DecodeMarc8(bytes);
    field.text = std::move(decoded.text);
    field.invalid = decoded.problemCount;
    if (!decoded.problems.empty()) field.firstInvalidAt = decoded.problems[0].byteOffset;
  } else {
    field.text =
        encodings::DecodeRepresentation(*Row(charset).representation, bytes).value_or(Text());
  }
  return field;
}

// --- Judging ----------------------------------------------------------------

struct Judgement {
  FieldVerdict verdict = FieldVerdict::Unreadable;
  FieldCharset charset = FieldCharset::Utf8, rival = FieldCharset::Utf8;
};

Judgement Chosen(FieldCharset charset) {
  return {FieldVerdict::Read, charset, charset};
}

Judgement Close(FieldCharset better, FieldCharset other) {
  return {FieldVerdict::TooClose, better, other};
}

// What the bytes of `sample` (a record's text, or a field's) are.
Judgement Judge(std::string_view sample, LeaderCoding leader) {
  const RepresentationGuess guess =
      detection::DetectRepresentation(detection::DetectionSample(sample));
  const std::optional<FieldCharset> guessed = CharsetOf(guess.representation);
  const bool eightBit = guessed && *guessed != FieldCharset::Utf8;
  const bool escapes = sample.find(kEscape) != std::string_view::npos;
  // An escape sequence has no place in UTF-8 text: 7-bit MARC-8 («\x1B(S» Greek).
  if (escapes && encodings::DecodeMarc8(sample).problemCount == 0)
    return Chosen(FieldCharset::Marc8);
  if (StrictUtf8(sample)) {
    // Detection keeps UTF-8 unless an 8-bit reading is clearly Vietnamese
    // and the UTF-8 one is not.
    if (guess.verdict == ReadingVerdict::Chosen && eightBit) return Chosen(*guessed);
    return Chosen(FieldCharset::Utf8);
  }
  const encodings::Marc8Text marc8 = encodings::DecodeMarc8(sample);
  const bool marc8Valid = marc8.problemCount == 0;
  RepresentationGuess marc8Guess;
  if (marc8Valid) marc8Guess = JudgeText(marc8.text);
  const bool marc8Vietnamese = marc8Valid && IsVietnamese(marc8Guess);
  const bool eightBitChosen = eightBit && guess.verdict == ReadingVerdict::Chosen;
  const bool eightBitClose = eightBit && guess.verdict == ReadingVerdict::TooClose;
  const FieldCharset rival = CharsetOf(guess.rival).value_or(FieldCharset::Utf8);
  if (marc8Vietnamese && (eightBitChosen || eightBitClose)) {
    const double margin = marc8Guess.score.weight - guess.score.weight;
    if (margin >= kLeastMargin) return Chosen(FieldCharset::Marc8);
    if (margin <= -kLeastMargin) return eightBitChosen ? Chosen(*guessed) : Close(*guessed, rival);
    return margin >= 0 ? Close(FieldCharset::Marc8, *guessed)
                       : Close(*guessed, FieldCharset::Marc8);
  }
  if (marc8Vietnamese) return Chosen(FieldCharset::Marc8);
  if (eightBitChosen) return Chosen(*guessed);
  if (eightBitClose) return Close(*guessed, rival);
  // Nothing reads as Vietnamese: MARC-8 that decodes whole, unless the
  // leader says UTF-8 (which the bytes are not).
  if (marc8Valid && leader != LeaderCoding::Utf8) return Chosen(FieldCharset::Marc8);
  return {FieldVerdict::Unreadable,
          leader == LeaderCoding::Marc8 ? FieldCharset::Marc8 : FieldCharset::Utf8,
          FieldCharset::Utf8};
}

// The text detection judges: the fields that hold more than ASCII (of
// those `wanted` keeps), one a line, each subfield delimiter and code a
// space, so that «\x1FaNguyễn» is the word «Nguyễn».
template <typename Wanted>
std::string SampleOf(std::span<const std::string_view> fields, Wanted wanted) {
  std::string sample;
  for (const std::string_view field : fields) {
    if (NeedsNoDecision(field) || !wanted(field)) continue;
    for (std::size_t i = 0; i < field.size(); ++i) {
      const bool code = field[i] == kSubfieldDelimiter && i + 1 < field.size() &&
                        static_cast<unsigned char>(field[i + 1]) < 0x80;
      if (code) {
        sample += "  ";
        ++i;
      } else {
        sample += field[i];
      }
    }
    sample += '\n';
  }
  return sample;
}

FieldReading Kept(std::string_view bytes, const Judgement& judgement) {
  FieldReading field;
  field.text = BytesKept(bytes);
  field.verdict = judgement.verdict;
  field.charset = judgement.charset;
  field.rival = judgement.rival;
  return field;
}

// A field read as a judgement says: UTF-8 repaired where double-encoded.
FieldReading ReadAsJudged(std::string_view bytes, const Judgement& judgement) {
  if (judgement.verdict != FieldVerdict::Read) return Kept(bytes, judgement);
  if (judgement.charset == FieldCharset::Utf8) {
    if (std::optional<Text> text = StrictUtf8(bytes)) return ReadUtf8(std::move(*text));
  }
  return RepairedWhereDoubleEncoded(ReadAs(judgement.charset, bytes));
}

std::string SampleOf(std::span<const std::string_view> fields) {
  return SampleOf(fields, [](std::string_view) { return true; });
}

FieldReading JudgedAlone(std::string_view field, LeaderCoding leader) {
  const std::string_view one[] = {field};
  FieldReading reading = ReadAsJudged(field, Judge(SampleOf(one), leader));
  reading.decidedAlone = true;
  return reading;
}

// Well-formed UTF-8 that reads as Vietnamese on its own.
std::optional<Text> VietnameseUtf8(std::string_view field) {
  std::optional<Text> text = StrictUtf8(field);
  if (!text || !IsVietnamese(JudgeText(*text))) return std::nullopt;
  return text;
}

// A field of a record judged `record`: read as the record is, unless it
// cannot be, or it is Vietnamese in UTF-8 where the record's reading of it
// is not Vietnamese.
FieldReading ReadInRecord(std::string_view field, const Judgement& record, LeaderCoding leader) {
  if (record.verdict != FieldVerdict::Read) {
    if (std::optional<Text> text = VietnameseUtf8(field)) {
      FieldReading reading = ReadUtf8(std::move(*text));
      reading.decidedAlone = true;
      return reading;
    }
    return Kept(field, record);
  }
  if (record.charset == FieldCharset::Utf8) {
    const bool escapes = field.find(kEscape) != std::string_view::npos;
    std::optional<Text> text = escapes ? std::nullopt : StrictUtf8(field);
    if (text) return ReadUtf8(std::move(*text));
    return JudgedAlone(field, leader);
  }
  FieldReading asRecord = ReadAs(record.charset, field);
  if (asRecord.invalid != 0) return JudgedAlone(field, leader);
  if (StrictUtf8(field) && !IsVietnamese(JudgeText(asRecord.text))) {
    if (std::optional<Text> text = VietnameseUtf8(field)) {
      FieldReading reading = ReadUtf8(std::move(*text));
      reading.decidedAlone = true;
      return reading;
    }
  }
  return RepairedWhereDoubleEncoded(std::move(asRecord));
}

}  // namespace

LeaderCoding LeaderCodingOf(char position09) {
  return position09 == ' '   ? LeaderCoding::Marc8
         : position09 == 'a' ? LeaderCoding::Utf8
                             : LeaderCoding::Unknown;
}

std::string_view Name(FieldCharset charset) {
  return Row(charset).name;
}

std::span<const FieldCharset> AllFieldCharsets() {
  return kAll;
}

std::optional<FieldCharset> FindFieldCharset(std::string_view word) {
  std::string lower(word);
  for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  if (lower == "marc-8" || lower == "marc8") return FieldCharset::Marc8;
  const std::optional<Representation> representation = encodings::FindRepresentation(word);
  if (!representation || *representation == Representation::UnicodeDecomposed) return std::nullopt;
  return CharsetOf(*representation);
}

bool AgreesWithLeader(const FieldReading& field, LeaderCoding leader) {
  switch (field.verdict) {
    case FieldVerdict::Ascii:
      return true;
    case FieldVerdict::Read:
    case FieldVerdict::Repaired:
      return (field.charset == FieldCharset::Utf8 && leader == LeaderCoding::Utf8) ||
             (field.charset == FieldCharset::Marc8 && leader == LeaderCoding::Marc8);
    default:
      return false;
  }
}

RecordReading ReadRecordFields(std::span<const std::string_view> fields,
                               const FieldReadingOptions& options) {
  RecordReading record;
  record.fields.resize(fields.size());
  // A record whose fields are partly well-formed UTF-8 and partly not is
  // judged on the larger part alone, so that the other part's bytes do not
  // blur the judgement; the other part is then judged field by field.
  const auto isUtf8 = [](std::string_view field) { return StrictUtf8(field).has_value(); };
  const std::string utf8 = SampleOf(fields, isUtf8);
  const std::string other = SampleOf(fields, [&](std::string_view f) { return !isUtf8(f); });
  const std::string& sample = utf8.size() >= other.size() ? utf8 : other;
  Judgement judgement{FieldVerdict::Ascii, FieldCharset::Utf8, FieldCharset::Utf8};
  if (options.forced) {
    judgement = Chosen(*options.forced);
  } else if (!sample.empty()) {
    judgement = Judge(sample, options.leader);
  }
  record.verdict = judgement.verdict;
  record.charset = judgement.charset;
  record.rival = judgement.rival;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    FieldReading& field = record.fields[i];
    if (NeedsNoDecision(fields[i])) {
      field.text = BytesKept(fields[i]);
      field.verdict = FieldVerdict::Ascii;
    } else if (options.forced) {
      field = ReadAs(*options.forced, fields[i]);
      field.forced = true;
    } else {
      field = ReadInRecord(fields[i], judgement, options.leader);
    }
  }
  return record;
}

FieldReading ReadFieldText(std::string_view field, const FieldReadingOptions& options) {
  const std::string_view one[] = {field};
  RecordReading record = ReadRecordFields(one, options);
  return std::move(record.fields[0]);
}

}  // namespace velmora::field_text
