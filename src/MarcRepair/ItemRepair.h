// One item a MARC reader gave, repaired and written: a record (its
// structural repairs, then RepairRecord, then its writer), a record that
// could not be read (handed back for --rejects), or repairs outside any
// record. Pure over the item, so that items can be repaired on several
// threads and their results taken in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "MarcExchange/ReadReport.h"
#include "MarcExchange/RecordWriter.h"
#include "MarcRepair/RecordRepair.h"

namespace velmora::marc_repair {

struct RepairedItem {
  marc_exchange::ReadItem::Kind kind = marc_exchange::ReadItem::Kind::kRecord;
  std::size_t input = 0;
  std::size_t number = 0;     // in the stream of records; 0 for repairs outside any
  std::uint64_t offset = 0;   // of the record's first byte in its input
  std::string controlNumber;  // its 001 as a report shows it; empty for none
  std::vector<Finding> findings;
  std::vector<marc_exchange::RepairKind> structure;  // the readers' repairs, by kind
  std::string output;         // the record as the writer wrote it; empty when not written
  std::string rejectedBytes;  // a record not written: its bytes as they came
  bool written = false;
};

// `writer` is null for a check (nothing is written).
RepairedItem RepairItem(marc_exchange::ReadItem& item, const RepairOptions& options,
                        marc_exchange::RecordWriter* writer);

}  // namespace velmora::marc_repair
