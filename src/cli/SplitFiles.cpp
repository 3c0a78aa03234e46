#include "cli/SplitFiles.h"

#include <charconv>

namespace velmora::cli {
namespace {

constexpr std::size_t kKibibyte = 1024;
constexpr std::size_t kLargestSplit = kKibibyte * kKibibyte * kKibibyte;
constexpr std::size_t kNumberDigits = 3;

}  // namespace

std::optional<std::size_t> ParseSplitSize(std::string_view text) {
  std::size_t unit = 1;
  if (!text.empty() && (text.back() == 'K' || text.back() == 'k')) unit = kKibibyte;
  if (!text.empty() && (text.back() == 'M' || text.back() == 'm')) unit = kKibibyte * kKibibyte;
  if (unit != 1) text.remove_suffix(1);
  std::size_t count = 0;
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (text.empty() || status != std::errc() || end != text.data() + text.size() || count == 0 ||
      count > kLargestSplit / unit) {
    return std::nullopt;
  }
  return count * unit;
}

std::string NumberedPath(const std::string& path, std::size_t n) {
  const std::size_t nameStart = path.find_last_of('/') + 1;  // 0 when there is no folder
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || dot <= nameStart) dot = path.size();  // «.mrc» is a name
  std::string number = std::to_string(n);
  if (number.size() < kNumberDigits) number.insert(0, kNumberDigits - number.size(), '0');
  return path.substr(0, dot) + "-" + number + path.substr(dot);
}

std::ostream* SplitFiles::OpenNext(std::string& error) {
  name_ = NumberedPath(path_, ++opened_);
  file_ = std::make_unique<AtomicOutputFile>();
  if (!file_->Open(name_, error)) {
    error = name_ + ": " + error;
    if (error_.empty()) error_ = error;
    return nullptr;
  }
  return &file_->Stream();
}

bool SplitFiles::CloseCurrent(std::string& error) {
  if (file_ == nullptr) return true;
  const bool committed = file_->Commit(error);
  if (!committed) error = name_ + ": " + error;
  if (!committed && error_.empty()) error_ = error;
  file_.reset();
  return committed;
}

}  // namespace velmora::cli
