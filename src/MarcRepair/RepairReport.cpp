#include "MarcRepair/RepairReport.h"

#include <algorithm>

#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::marc_repair {
namespace {

bool Has(const RepairedItem& item, Severity severity) {
  for (const Finding& finding : item.findings) {
    if (Describe(finding.kind).severity == severity) return true;
  }
  return false;
}

}  // namespace

std::string ReportLine(const RepairedItem& item, std::string_view inputName) {
  if (item.findings.empty()) return {};
  std::string found;
  for (const Finding& finding : item.findings) {
    if (!found.empty()) found += "; ";
    found += finding.text;
  }
  if (item.kind == marc_exchange::ReadItem::Kind::kRepairsOnly) {
    return messages::Format(messages::Tr("%1, after its last record: %2"), inputName, found);
  }
  if (item.controlNumber.empty()) {
    return messages::Format(messages::Tr("record %1: %2"), item.number, found);
  }
  return messages::Format(messages::Tr("record %1, 001 %2: %3"), item.number, item.controlNumber,
                          found);
}

void RepairTally::Add(const RepairedItem& item) {
  if (item.kind != marc_exchange::ReadItem::Kind::kRepairsOnly) {
    ++records_;
    const bool problem = Has(item, Severity::kProblem);
    const bool changed = Has(item, Severity::kChange);
    if (problem) {
      ++problems_;
    } else if (changed) {
      ++changed_;
    } else {
      ++clean_;
    }
    if (Has(item, Severity::kWarning)) ++warnings_;
  }
  std::array<bool, kFindingKindCount> seen{};
  for (const Finding& finding : item.findings) seen[static_cast<std::size_t>(finding.kind)] = true;
  for (std::size_t k = 0; k < kFindingKindCount; ++k) byKind_[k] += seen[k] ? 1 : 0;
  std::vector<marc_exchange::RepairKind> kinds = item.structure;
  std::sort(kinds.begin(), kinds.end());
  kinds.erase(std::unique(kinds.begin(), kinds.end()), kinds.end());
  for (const marc_exchange::RepairKind kind : kinds) ++byRepair_[kind];
}

std::size_t RepairTally::Count(marc_exchange::RepairKind kind) const {
  const auto found = byRepair_.find(kind);
  return found == byRepair_.end() ? 0 : found->second;
}

std::vector<std::string> RepairTally::SummaryLines() const {
  std::vector<std::string> lines;
  lines.push_back(messages::Format(
      messages::TrN("%n record: %1 clean, %2 changed, %3 with problems, %4 with warnings",
                    "%n records: %1 clean, %2 changed, %3 with problems, %4 with warnings",
                    records_),
      clean_, changed_, problems_, warnings_));
  for (const FindingKindRow& row : AllFindingKinds()) {
    const std::size_t count = Count(row.kind);
    if (count == 0) continue;
    lines.push_back(messages::Format("  %1: %2 (%3)", row.id, count, messages::Tr(row.caption)));
    if (row.kind != FindingKind::kStructureRepaired) continue;
    for (const auto& [kind, repairs] : byRepair_) {
      lines.push_back(messages::Format("    %1: %2", marc_exchange::RepairKindName(kind), repairs));
    }
  }
  return lines;
}

}  // namespace velmora::marc_repair
