// A record formatted for a record stream, with what to say before it is
// written; a batch prepares its records on several threads and writes them
// on one.
#pragma once

#include <string>
#include <vector>

#include "MarcExchange/RecordFormatter.h"
#include "MarcExchange/RecordStream.h"

namespace velmora::cli {

struct PreparedRecord {
  std::vector<std::string> warnings;
  marc_exchange::FormattedRecord formatted;
  std::string dropped;  // why nothing of it can be written
};

// Writes a prepared record after its warnings, and warns on the record
// (`where` names it) when nothing of it could be written.
marc_exchange::RecordStream::Outcome WriteRecord(marc_exchange::RecordStream& stream,
                                                 PreparedRecord prepared, const std::string& where);

}  // namespace velmora::cli
