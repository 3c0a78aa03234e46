#include "RecordText.h"

#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

#include "Encodings/Utf8.h"
#include "ModMain/Text/LineBreaks.h"

namespace velmora::bench {

TextView SampleRecord(records::SourceId id) {
  static std::map<records::SourceId, Text> samples;
  auto found = samples.find(id);
  if (found == samples.end()) {
    const std::string path =
        std::string(VELMORA_EXAMPLES) + "/" + std::string(SourceOf(id).sample) + ".txt";
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::optional<Text> text = encodings::DecodeUtf8(bytes, nullptr);
    if (!in.good() && !in.eof()) throw std::runtime_error("cannot read " + path);
    if (!text || text->empty()) throw std::runtime_error("no UTF-8 text in " + path);
    found = samples.emplace(id, text::NormaliseLineBreaks(*text)).first;
  }
  return found->second;
}

Text Repeated(TextView record, std::size_t units) {
  Text out;
  out.reserve(units + record.size());
  while (out.size() < units) out.append(record);
  return out;
}

}  // namespace velmora::bench
