#include "MarcTestRecords.h"

#include <gtest/gtest.h>

#include <memory>

#include "MarcExchange/ByteSource.h"
#include "MarcExchange/RecordFormatter.h"

namespace velmora::marc_exchange::test {

std::vector<ExchangeRecord> SampleRecords(std::size_t count) {
  // clang-format off
  static const char* const kTitles[] = {
      "D\u1EBF M\u00E8n phi\u00EAu l\u01B0u k\u00FD",        // Dế Mèn phiêu lưu ký
      "Truy\u1EC7n Ki\u1EC1u",                               // Truyện Kiều
      "L\u1ECBch s\u1EED Vi\u1EC7t Nam $ {1945} \\ A & B < C",  // Lịch sử Việt Nam, with specials
      "N\u1ED7i bu\u1ED3n chi\u1EBFn tranh",                 // Nỗi buồn chiến tranh
  };
  // clang-format on
  std::vector<ExchangeRecord> records;
  for (std::size_t n = 0; n < count; ++n) {
    ExchangeRecord record("00000nam a2200000   4500");
    record.AddField("001", "VN-" + std::to_string(1000 + n));
    record.AddField("008", "190315s2019    vm a          000 0 vie d");
    record.AddField("020", DataFieldContent(' ', ' ', {{'a', "978-604-" + std::to_string(n)}}));
    record.AddField("100", DataFieldContent('1', ' ', {{'a', "T\u00F4 Ho\u00E0i"}}));
    record.AddField(
        "245", DataFieldContent('1', '0', {{'a', kTitles[n % 4]}, {'c', "T\u00F4 Ho\u00E0i"}}));
    record.AddField("260", DataFieldContent(' ', ' ', {{'a', ""}, {'b', "Kim \u0110\u1ED3ng"}}));
    for (std::size_t k = 0; k < n % 3 + 1; ++k) {
      record.AddField(
          "650", DataFieldContent(' ', '7', {{'a', "V\u0103n h\u1ECDc " + std::to_string(k)}}));
    }
    FitLeaderLengths(record);
    records.push_back(std::move(record));
  }
  return records;
}

std::string WriteFile(OutputFormat format, const std::vector<ExchangeRecord>& records) {
  const std::unique_ptr<RecordWriter> writer = MakeRecordWriter(format);
  std::string out;
  writer->Begin(out);
  for (const ExchangeRecord& record : records) {
    const std::optional<WriteError> error = writer->Write(record, out);
    EXPECT_FALSE(error) << error->message;
  }
  writer->End(out);
  return out;
}

std::string FieldsText(const ExchangeRecord& record) {
  std::string out = record.Leader() + "\n";
  for (const ExchangeField& field : record.Fields()) {
    std::string content = field.content;
    for (char& c : content) {
      if (c == kSubfieldDelimiterByte) c = '$';
    }
    out += field.tag + " " + content + "\n";
  }
  return out;
}

std::string YazLineForm(const std::vector<ExchangeRecord>& records) {
  std::string out;
  for (const ExchangeRecord& record : records) {
    out += record.Leader() + "\n";
    for (const ExchangeField& field : record.Fields()) {
      out += field.tag;
      if (field.IsControlField()) {
        out += " " + field.content + "\n";
        continue;
      }
      out += ' ';
      out += field.Indicator1();
      out += field.Indicator2();
      for (const SubfieldView& subfield : Subfields(field.content)) {
        out += " $";
        out += subfield.code;
        out += ' ';
        out += subfield.value;
      }
      out += "\n";
    }
    out += "\n";
  }
  return out;
}

std::string ReadBack::AllFields() const {
  std::string out;
  for (const ExchangeRecord& record : records) out += FieldsText(record) + "\n";
  return out;
}

bool ReadBack::HasRepair(RepairKind kind) const {
  for (const Repair& repair : repairs) {
    if (repair.kind == kind) return true;
  }
  return false;
}

namespace {

ReadBack ReadSources(MarcInput& input) {
  ReadBack back;
  ReadItem item;
  while (input.Next(item)) {
    back.repairs.insert(back.repairs.end(), item.repairs.begin(), item.repairs.end());
    if (item.kind == ReadItem::Kind::kRecord) back.records.push_back(std::move(item.record));
    if (item.kind == ReadItem::Kind::kRejected) back.rejected.push_back(std::move(item.rejected));
  }
  back.errors = input.Errors();
  back.framing = input.Framing();
  return back;
}

}  // namespace

ReadBack ReadAll(std::string_view bytes, std::size_t pieceBytes) {
  StringByteSource source(bytes, pieceBytes);
  MarcInput input;
  input.Add(source);
  return ReadSources(input);
}

ReadBack ReadAll(const std::vector<std::string>& inputs) {
  std::vector<std::unique_ptr<StringByteSource>> sources;
  MarcInput input;
  for (const std::string& bytes : inputs) {
    sources.push_back(std::make_unique<StringByteSource>(bytes));
    input.Add(*sources.back());
  }
  return ReadSources(input);
}

std::string Rewrite(std::string_view bytes, OutputFormat format) {
  StringByteSource source(bytes);
  MarcInput input;
  input.Add(source);
  const std::unique_ptr<RecordWriter> writer = MakeRecordWriter(format);
  std::string out;
  ReadItem item;
  bool begun = false;
  while (input.Next(item)) {
    if (!begun) {
      writer->BeginInFraming(input.FramingSoFar(), out);
      begun = true;
    }
    if (item.kind != ReadItem::Kind::kRecord) continue;
    const std::optional<WriteError> error = writer->Write(item.record, out);
    EXPECT_FALSE(error) << error->message;
  }
  if (!begun) writer->BeginInFraming(input.Framing(), out);
  writer->EndInFraming(input.Framing(), out);
  return out;
}

}  // namespace velmora::marc_exchange::test
