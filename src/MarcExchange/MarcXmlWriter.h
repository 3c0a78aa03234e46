// MARC 21 slim XML: one <collection> of <record>s, each with <leader>,
// <controlfield tag>, <datafield tag ind1 ind2> and <subfield code>.
#pragma once

#include <string_view>

#include "MarcExchange/RecordWriter.h"

namespace velmora::marc_exchange {

inline constexpr std::string_view kMarcXmlNamespace = "http://www.loc.gov/MARC21/slim";

// Text is escaped (& < > and, in attributes, "); characters that XML 1.0
// cannot hold never reach it, by MarcSafeCodePoint. The leader carries the
// lengths the ISO 2709 form of the record has, as MARC 21 tools expect.
class MarcXmlWriter final : public RecordWriter {
 public:
  void Begin(std::string& out) override;  // XML declaration, <collection xmlns=…>
  std::optional<WriteError> Write(const MarcRecord& record, std::string& out) override;
  void End(std::string& out) override;  // </collection>

 private:
  RecordLayout layout_;
};

// `text` as UTF-8 after MarcSafeCodePoint, with &, <, > and " escaped.
void AppendXmlEscaped(TextView text, std::string& out);

}  // namespace velmora::marc_exchange
