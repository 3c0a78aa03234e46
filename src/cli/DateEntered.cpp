#include "cli/DateEntered.h"

#include <charconv>
#include <chrono>
#include <ctime>
#include <string_view>

#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::cli {
namespace {

constexpr long long kLastSecondOfYear9999 = 253402300799;

// The civil date in UTC of a second since 1970-01-01, as std::chrono
// computes it on every platform.
std::optional<marc_exchange::CalendarDate> UtcDate(std::time_t seconds) {
  if (seconds < 0) return std::nullopt;  // std::time's failure
  using namespace std::chrono;
  const year_month_day date{floor<days>(sys_seconds{std::chrono::seconds{seconds}})};
  return marc_exchange::CalendarDate{static_cast<int>(date.year()),
                                     static_cast<int>(unsigned{date.month()}),
                                     static_cast<int>(unsigned{date.day()})};
}

}  // namespace

std::optional<marc_exchange::CalendarDate> DateEntered(const char* sourceDateEpoch,
                                                       std::string& error) {
  if (sourceDateEpoch == nullptr) {
    if (auto today = UtcDate(std::time(nullptr))) return today;
    error = messages::Tr("cannot read today's date");
    return std::nullopt;
  }
  const std::string_view value(sourceDateEpoch);
  long long seconds = -1;
  const auto [end, status] = std::from_chars(value.data(), value.data() + value.size(), seconds);
  if (value.empty() || status != std::errc() || end != value.data() + value.size() || seconds < 0 ||
      seconds > kLastSecondOfYear9999) {
    error = messages::Format(messages::Tr("%1 is '%2', not a number of seconds since 1970-01-01"),
                             kSourceDateEpoch, value);
    return std::nullopt;
  }
  if (auto date = UtcDate(static_cast<std::time_t>(seconds))) return date;
  error = messages::Format(messages::Tr("%1 is out of range"), kSourceDateEpoch);
  return std::nullopt;
}

}  // namespace velmora::cli
