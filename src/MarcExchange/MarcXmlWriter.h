// MARC 21 slim XML: one <collection> of <record>s, each with <leader>,
// <controlfield tag>, <datafield tag ind1 ind2> and <subfield code>.
#pragma once

#include <functional>
#include <string_view>

#include "MarcExchange/RecordWriter.h"

namespace velmora::marc_exchange {

inline constexpr std::string_view kMarcXmlNamespace = "http://www.loc.gov/MARC21/slim";

// MARCXML is UTF-8 whatever the record's coding, so its leader/09 is written
// 'a'. Text is escaped (& < > and, in attributes, "; a CR, and in attributes
// a TAB or LF, as a character reference, so that XML's line-end and
// attribute normalisation leave them); characters that XML 1.0 cannot hold
// are written as U+FFFD and counted. Text that is not UTF-8 is refused,
// unless a converter is set for the records whose leader/09 is not 'a'
// (MARC-8): the charset side's conversion to UTF-8.
class MarcXmlWriter final : public RecordWriter {
 public:
  // Turns one piece of field text into UTF-8; false when it cannot.
  using ToUtf8 = std::function<bool(std::string_view text, std::string& utf8)>;
  void SetMarc8Converter(ToUtf8 convert) { marc8ToUtf8_ = std::move(convert); }

  void Begin(std::string& out) override;  // XML declaration, <collection xmlns=…>
  using RecordWriter::Write;
  std::optional<WriteError> Write(const ExchangeRecord& record, std::string& out) override;
  void End(std::string& out) override;  // </collection>

 protected:
  OutputFormat Format() const override { return OutputFormat::kMarcXml; }

 private:
  ToUtf8 marc8ToUtf8_;
};

}  // namespace velmora::marc_exchange
