// What the readers' structural repairs and rejections say in the report:
// one sentence pattern per kind of marc_exchange::Repair, its parts filled
// in from the repair («record length 1205 → 1187», «245: field terminator
// missing, added»).
#pragma once

#include <string>

#include "MarcExchange/ReadReport.h"

namespace velmora::marc_repair {

// The repair in the person's language.
std::string DescribeRepair(const marc_exchange::Repair& repair);

// Why a record could not be read, in the person's language.
std::string DescribeRejectReason(marc_exchange::RejectReason reason);

// Why an input stopped being read, with its place, in the person's language.
std::string DescribeReadError(const marc_exchange::ReadError& error);

}  // namespace velmora::marc_repair
