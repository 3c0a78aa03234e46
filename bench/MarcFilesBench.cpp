// Records per second through the MARC file readers and writers, on one core:
// a file of 200 000 ISO 2709 records (about 1 KB each, Vietnamese UTF-8
// text) written to a temporary file, then read; read and written again as it
// stood; and read and written from its fields (every record changed). The
// same for MARCXML and .mrk made from it. Run by hand:
//   build/release/bench/velmora_bench_marc_files [RECORDS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "MarcExchange/ByteSource.h"
#include "MarcExchange/MarcInput.h"
#include "MarcExchange/RecordFormatter.h"

using namespace velmora::marc_exchange;

namespace {

ExchangeRecord MakeRecord(std::size_t n) {
  ExchangeRecord record("00000nam a2200000   4500");
  record.AddField("001", "VN-" + std::to_string(100000 + n));
  record.AddField("008", "190315s2019    vm a          000 0 vie d");
  record.AddField("020", DataFieldContent(' ', ' ', {{'a', "978-604-" + std::to_string(n)}}));
  record.AddField("041", DataFieldContent(' ', ' ', {{'a', "vie"}}));
  record.AddField("082", DataFieldContent('0', '4', {{'a', "895.922334"}, {'b', "T450"}}));
  record.AddField("100",
                  DataFieldContent('1', ' ', {{'a', "T\u00F4 Ho\u00E0i,"}, {'d', "1920-2014"}}));
  record.AddField("245",
                  DataFieldContent('1', '0',
                                   {{'a', "D\u1EBF M\u00E8n phi\u00EAu l\u01B0u k\u00FD /"},
                                    {'c', "T\u00F4 Ho\u00E0i ; minh ho\u1EA1: T\u1EA1 Huy Long"}}));
  record.AddField(
      "260",
      DataFieldContent(' ', ' ',
                       {{'a', "H\u00E0 N\u1ED9i :"}, {'b', "Kim \u0110\u1ED3ng,"}, {'c', "2019"}}));
  record.AddField(
      "300",
      DataFieldContent(' ', ' ', {{'a', "143 tr. :"}, {'b', "tranh v\u1EBD ;"}, {'c', "21 cm"}}));
  record.AddField(
      "520", DataFieldContent(
                 ' ', ' ',
                 {{'a',
                   "Truy\u1EC7n k\u1EC3 v\u1EC1 cu\u1ED9c phi\u00EAu l\u01B0u c\u1EE7a ch\u00FA "
                   "D\u1EBF M\u00E8n qua th\u1EBF gi\u1EDBi lo\u00E0i v\u1EADt nh\u1ECF b\u00E9, "
                   "n\u01A1i ch\u00FA h\u1ECDc \u0111\u01B0\u1EE3c nhi\u1EC1u b\u00E0i h\u1ECDc "
                   "v\u1EC1 t\u00ECnh b\u1EA1n v\u00E0 l\u00F2ng d\u0169ng c\u1EA3m."}}));
  for (const char* subject :
       {"V\u0103n h\u1ECDc thi\u1EBFu nhi", "Truy\u1EC7n d\u00E0i", "Vi\u1EC7t Nam"}) {
    record.AddField("650", DataFieldContent(' ', '7', {{'a', subject}, {'2', "Bộ TK TVQG"}}));
  }
  record.AddField("700",
                  DataFieldContent('1', ' ', {{'a', "T\u1EA1 Huy Long,"}, {'e', "minh ho\u1EA1"}}));
  record.AddField(
      "852", DataFieldContent(' ', ' ', {{'a', "TV T\u1EC9nh"}, {'j', "VV." + std::to_string(n)}}));
  return record;
}

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

enum class Pass { kRead, kAsItStood, kFromFields };

// Reads `path` and, unless only reading, writes it in `to`; records per second.
double Run(const std::string& path, OutputFormat to, Pass pass, std::size_t& records) {
  const auto start = std::chrono::steady_clock::now();
  std::ifstream in(path, std::ios::binary);
  StreamByteSource source(in);
  MarcInput input;
  input.Add(source);
  const std::unique_ptr<RecordWriter> writer = MakeRecordWriter(to);
  std::ofstream out(path + ".out", std::ios::binary);
  std::string buffer;
  ReadItem item;
  records = 0;
  bool begun = false;
  while (input.Next(item)) {
    if (item.kind != ReadItem::Kind::kRecord) continue;
    ++records;
    if (pass == Pass::kRead) continue;
    if (!begun) {
      writer->BeginInFraming(input.FramingSoFar(), buffer);
      begun = true;
    }
    if (pass == Pass::kFromFields) item.record.SetLeaderByte(5, 'c');
    if (writer->Write(item.record, buffer)) std::abort();
    if (buffer.size() > (1 << 20)) {
      out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      buffer.clear();
    }
  }
  if (pass != Pass::kRead) writer->EndInFraming(input.Framing(), buffer);
  out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  out.close();
  return static_cast<double>(records) / Seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200000;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "velmora-bench-marc";
  std::filesystem::create_directories(dir);
  const struct {
    OutputFormat format;
    const char* name;
  } formats[] = {{OutputFormat::kIso2709, "iso2709"},
                 {OutputFormat::kMarcXml, "marcxml"},
                 {OutputFormat::kMrk, "mrk"}};
  for (const auto& [format, name] : formats) {
    const std::string path = (dir / (std::string("records.") + name)).string();
    {
      std::ofstream file(path, std::ios::binary);
      const std::unique_ptr<RecordWriter> writer = MakeRecordWriter(format);
      std::string buffer;
      writer->Begin(buffer);
      for (std::size_t n = 0; n < count; ++n) {
        writer->Write(MakeRecord(n), buffer);
        if (buffer.size() > (1 << 20)) {
          file.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
          buffer.clear();
        }
      }
      writer->End(buffer);
      file.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    }
    const double mb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::size_t records = 0;
    const double read = Run(path, format, Pass::kRead, records);
    const double stood = Run(path, format, Pass::kAsItStood, records);
    const double fields = Run(path, format, Pass::kFromFields, records);
    std::printf(
        "%-8s %zu records, %.0f MB: read %.0f records/s; read and written as they stood "
        "%.0f records/s; read and written from their fields %.0f records/s\n",
        name, records, mb, read, stood, fields);
  }
  std::filesystem::remove_all(dir);
  return 0;
}
