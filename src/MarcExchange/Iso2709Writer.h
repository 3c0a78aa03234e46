// MARC 21 exchange format (ISO 2709), UTF-8: leader, directory, fields; the
// records of a batch are simply concatenated («.mrc»).
#pragma once

#include "MarcExchange/RecordWriter.h"

namespace velmora::marc_exchange {

inline constexpr char kSubfieldDelimiterByte = '\x1F';
inline constexpr char kFieldTerminatorByte = '\x1E';
inline constexpr char kRecordTerminatorByte = '\x1D';

class Iso2709Writer final : public RecordWriter {
 public:
  std::optional<WriteError> Write(const MarcRecord& record, std::string& out) override;

 private:
  RecordLayout layout_;  // kept between records for its buffers
};

}  // namespace velmora::marc_exchange
