// MARC 21 exchange format (ISO 2709): leader, directory, fields; the records
// of a batch are simply concatenated («.mrc»).
#pragma once

#include "MarcExchange/RecordWriter.h"

namespace velmora::marc_exchange {

// The lengths, base address and directory are computed anew, and the
// leader's ISO 2709 structure written as MARC 21 has it (Iso2709Leader); the
// rest of the leader is the record's own.
class Iso2709Writer final : public RecordWriter {
 public:
  using RecordWriter::Write;
  std::optional<WriteError> Write(const ExchangeRecord& record, std::string& out) override;

 protected:
  OutputFormat Format() const override { return OutputFormat::kIso2709; }
};

}  // namespace velmora::marc_exchange
