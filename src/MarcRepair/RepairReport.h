// The report of a MARC file's repair on standard error: a line for each
// record that was changed, has a problem or a warning, then a summary that
// counts the records of each kind of finding (FindingKinds.h).
//
//   record 12, 001 VN-123: leader/09 said MARC-8, bytes are UTF-8: leader fixed; 245 $a read as
//   TCVN3 10000 records: 9000 clean, 950 changed, 50 with problems, 12 with warnings
//     read-as-8-bit: 310 (fields in an 8-bit Vietnamese representation, read and converted)
#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "MarcRepair/FindingKinds.h"
#include "MarcRepair/ItemRepair.h"

namespace velmora::marc_repair {

// The record's line, or empty when it has nothing to say. `inputName`
// names where repairs outside any record were made.
std::string ReportLine(const RepairedItem& item, std::string_view inputName);

class RepairTally {
 public:
  void Add(const RepairedItem& item);

  std::size_t Records() const { return records_; }
  std::size_t Clean() const { return clean_; }
  std::size_t Changed() const { return changed_; }
  std::size_t WithProblems() const { return problems_; }
  std::size_t WithWarnings() const { return warnings_; }
  // Records (and for repairs outside records, inputs) with a finding of `kind`.
  std::size_t Count(FindingKind kind) const { return byKind_[static_cast<std::size_t>(kind)]; }
  // Records (or inputs) with a repair of the readers' `kind`.
  std::size_t Count(marc_exchange::RepairKind kind) const;

  // The summary's lines: the totals, then each kind found with its count.
  std::vector<std::string> SummaryLines() const;

 private:
  std::size_t records_ = 0, clean_ = 0, changed_ = 0, problems_ = 0, warnings_ = 0;
  std::array<std::size_t, kFindingKindCount> byKind_{};
  std::map<marc_exchange::RepairKind, std::size_t> byRepair_;
};

}  // namespace velmora::marc_repair
