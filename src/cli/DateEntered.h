// The date that the 008 of a MARC record gives as its date entered on file:
// today (UTC), or the date of SOURCE_DATE_EPOCH when it is set, so that a
// build or a test writes the same bytes on any day.
#pragma once

#include <optional>
#include <string>

#include "MarcExchange/FixedField008.h"

namespace velmora::cli {

inline constexpr const char* kSourceDateEpoch = "SOURCE_DATE_EPOCH";

// `sourceDateEpoch`: the variable's value, or nullptr when it is not set.
// nullopt with a message when it is set but is no number of seconds since
// 1970-01-01 (digits only, at most a year 9999 date).
std::optional<marc_exchange::CalendarDate> DateEntered(const char* sourceDateEpoch,
                                                       std::string& error);

}  // namespace velmora::cli
