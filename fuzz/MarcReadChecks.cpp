#include "MarcReadChecks.h"

#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "MarcExchange/ByteSource.h"
#include "MarcExchange/Iso2709Reader.h"
#include "MarcExchange/MarcXmlReader.h"
#include "MarcExchange/MrkReader.h"
#include "MarcExchange/RecordFormatter.h"

namespace velmora::fuzz {
namespace {

using namespace marc_exchange;

std::unique_ptr<MarcReader> MakeReader(OutputFormat format, ByteSource& source) {
  switch (format) {
    case OutputFormat::kMarcXml:
      return std::make_unique<MarcXmlReader>(source, InputPlace{});
    case OutputFormat::kMrk:
      return std::make_unique<MrkReader>(source, InputPlace{});
    default:
      return std::make_unique<Iso2709Reader>(source, InputPlace{});
  }
}

struct Read {
  std::vector<ExchangeRecord> records;
  std::vector<RejectedRecord> rejected;
  std::vector<Repair> repairs;
  std::optional<ReadError> error;
};

Read ReadWith(OutputFormat format, std::string_view input, std::size_t piece) {
  StringByteSource source(input, piece);
  const std::unique_ptr<MarcReader> reader = MakeReader(format, source);
  Read read;
  ReadItem item;
  while (reader->Next(item)) {
    read.repairs.insert(read.repairs.end(), item.repairs.begin(), item.repairs.end());
    if (item.kind == ReadItem::Kind::kRecord) read.records.push_back(std::move(item.record));
    if (item.kind == ReadItem::Kind::kRejected) read.rejected.push_back(std::move(item.rejected));
  }
  read.error = reader->Error();
  return read;
}

std::string Fields(const ExchangeRecord& record) {
  std::string out = record.Leader();
  for (const ExchangeField& field : record.Fields()) {
    out += '\n';
    out += field.tag;
    out += '=';
    out += field.content;
  }
  return out;
}

Text Bytes(std::string_view bytes) {
  return BytesAsText(bytes);
}

// The input is its own UTF-8 text as the XML reader reads it (no UTF-16, no
// ISO-8859-1 declaration), so that offsets are the input's.
bool OffsetsAreTheInputs(std::string_view input, OutputFormat format) {
  if (format != OutputFormat::kMarcXml) return true;
  if (input.size() >= 2 && (input[0] == '\0' || input[1] == '\0' || input.starts_with("\xFF\xFE") ||
                            input.starts_with("\xFE\xFF"))) {
    return false;
  }
  return input.substr(0, 512).find("encoding") == std::string_view::npos;
}

void CheckWritesBack(const ExchangeRecord& record, std::string_view input) {
  for (const OutputFormat format :
       {OutputFormat::kIso2709, OutputFormat::kMarcXml, OutputFormat::kMrk}) {
    const std::unique_ptr<RecordWriter> writer = MakeRecordWriter(format);
    std::string out;
    writer->Begin(out);
    if (writer->Write(record, out)) continue;  // refused, with a reason
    if (writer->ReplacedCharacters() > 0) continue;
    writer->End(out);
    const Read back = ReadWith(format, out, SIZE_MAX);
    const bool asItStood = !record.Changed() && record.Origin().format == format &&
                           (format != OutputFormat::kMarcXml || record.Origin().xmlTextStandsAlone);
    ExchangeRecord written = record;
    if (format == OutputFormat::kIso2709 && !asItStood) written.SetLeader(Iso2709Leader(record));
    if (format == OutputFormat::kMarcXml && !asItStood) {
      written.SetLeaderByte(kLeaderCharacterCoding, kUcsCoding);  // MARCXML is UTF-8
    }
    const std::string expected = Fields(written);
    FUZZ_CHECK(!back.error && back.records.size() == 1 && back.rejected.empty(),
               {"written", Bytes(out)}, {"input", Bytes(input)});
    FUZZ_CHECK(
        Fields(back.records[0]) == expected && back.repairs.empty() && !back.records[0].Changed(),
        {"read back", Bytes(Fields(back.records[0]))}, {"expected", Bytes(expected)},
        {"written", Bytes(out)}, {"input", Bytes(input)});
  }
}

}  // namespace

void CheckMarcRead(std::string_view input, OutputFormat format) {
  const Read whole = ReadWith(format, input, SIZE_MAX);
  const Read pieces = ReadWith(format, input, 3);
  FUZZ_CHECK(whole.records.size() == pieces.records.size() &&
                 whole.rejected.size() == pieces.rejected.size() &&
                 whole.error.has_value() == pieces.error.has_value(),
             {"input", Bytes(input)});
  for (std::size_t i = 0; i < whole.records.size(); ++i) {
    FUZZ_CHECK(Fields(whole.records[i]) == Fields(pieces.records[i]), {"input", Bytes(input)});
  }
  const bool ownOffsets = OffsetsAreTheInputs(input, format);
  for (const RejectedRecord& rejected : whole.rejected) {
    FUZZ_CHECK(
        !ownOffsets || (rejected.offset <= input.size() &&
                        input.substr(rejected.offset, rejected.bytes.size()) == rejected.bytes),
        {"rejected", Bytes(rejected.bytes)}, {"input", Bytes(input)});
  }
  for (const ExchangeRecord& record : whole.records) {
    const RecordOrigin& origin = record.Origin();
    FUZZ_CHECK(record.Leader().size() == kLeaderBytes, {"input", Bytes(input)});
    FUZZ_CHECK(!ownOffsets || (origin.offset <= input.size() &&
                               input.substr(origin.offset, origin.text.size()) == origin.text),
               {"text", Bytes(origin.text)}, {"input", Bytes(input)});
    CheckWritesBack(record, input);
  }
}

}  // namespace velmora::fuzz
