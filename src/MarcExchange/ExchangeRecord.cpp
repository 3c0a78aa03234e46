#include "MarcExchange/ExchangeRecord.h"

#include <algorithm>

namespace velmora::marc_exchange {
namespace {

constexpr std::size_t kIndicatorBytes = 2;
constexpr std::size_t kDirectoryEntryBytes = 12;
constexpr std::size_t kLengthDigits = 5;
constexpr std::size_t kBaseAddressAt = 12;
constexpr std::size_t kMostFiveDigits = 99999;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

void WriteFiveDigits(std::size_t n, std::string& leader, std::size_t at) {
  n = std::min(n, kMostFiveDigits);
  for (std::size_t i = kLengthDigits; i-- > 0;) {
    leader[at + i] = static_cast<char>('0' + n % 10);
    n /= 10;
  }
}

}  // namespace

bool ExchangeField::IsControlField() const {
  return tag.size() == 3 && tag[0] == '0' && tag[1] == '0' && IsDigit(tag[2]);
}

char ExchangeField::Indicator1() const {
  return content.size() >= 1 && content[0] != kSubfieldDelimiterByte ? content[0] : kBlankByte;
}

char ExchangeField::Indicator2() const {
  return content.size() >= 2 && content[0] != kSubfieldDelimiterByte &&
                 content[1] != kSubfieldDelimiterByte
             ? content[1]
             : kBlankByte;
}

std::string_view SubfieldHead(std::string_view content) {
  const std::string_view rest = content.substr(std::min(content.size(), kIndicatorBytes));
  return rest.substr(0, rest.find(kSubfieldDelimiterByte));
}

std::vector<SubfieldView> Subfields(std::string_view content) {
  std::vector<SubfieldView> subfields;
  std::size_t at = content.find(kSubfieldDelimiterByte, std::min(content.size(), kIndicatorBytes));
  while (at != std::string_view::npos) {
    const std::size_t next = content.find(kSubfieldDelimiterByte, at + 1);
    const std::size_t stop = next == std::string_view::npos ? content.size() : next;
    if (at + 1 == stop) {
      subfields.push_back({0, {}, at});
    } else {
      subfields.push_back({content[at + 1], content.substr(at + 2, stop - at - 2), at});
    }
    at = next;
  }
  return subfields;
}

std::string DataFieldContent(char ind1, char ind2,
                             std::initializer_list<std::pair<char, std::string_view>> subfields) {
  std::string content{ind1, ind2};
  for (const auto& [code, value] : subfields) {
    content += kSubfieldDelimiterByte;
    content += code;
    content += value;
  }
  return content;
}

void ExchangeRecord::SetLeader(std::string_view leader) {
  std::string fitted(leader.substr(0, std::min(leader.size(), kLeaderBytes)));
  fitted.resize(kLeaderBytes, kBlankByte);
  if (fitted == leader_) return;
  leader_ = std::move(fitted);
  edited_ = true;
}

void ExchangeRecord::SetLeaderByte(std::size_t position, char byte) {
  if (position >= kLeaderBytes) return;
  if (leader_.size() < kLeaderBytes) leader_.resize(kLeaderBytes, kBlankByte);
  if (leader_[position] == byte) return;
  leader_[position] = byte;
  edited_ = true;
}

void ExchangeRecord::SetFieldContent(std::size_t field, std::string_view content) {
  std::string& held = fields_.at(field).content;
  if (held == content) return;
  held.assign(content);
  edited_ = true;
}

void ExchangeRecord::SetSubfieldValue(std::size_t field, std::size_t subfield,
                                      std::string_view value) {
  std::string& content = fields_.at(field).content;
  const std::vector<SubfieldView> subfields = Subfields(content);
  const SubfieldView& view = subfields.at(subfield);
  if (view.value == value) return;
  const std::size_t valueAt =
      view.offset + std::min<std::size_t>(2, content.size() - view.offset);  // 1F and the code
  content.replace(valueAt, view.value.size(), value);
  edited_ = true;
}

void ExchangeRecord::AddField(std::string_view tag, std::string_view content) {
  fields_.push_back({std::string(tag), std::string(content)});
  edited_ = true;
}

void ExchangeRecord::InsertField(std::size_t at, std::string_view tag, std::string_view content) {
  fields_.insert(fields_.begin() + static_cast<std::ptrdiff_t>(std::min(at, fields_.size())),
                 {std::string(tag), std::string(content)});
  edited_ = true;
}

void ExchangeRecord::RemoveField(std::size_t field) {
  fields_.erase(fields_.begin() + static_cast<std::ptrdiff_t>(field));
  edited_ = true;
}

Iso2709Lengths MeasureIso2709(const ExchangeRecord& record) {
  Iso2709Lengths lengths;
  lengths.baseAddress = kLeaderBytes + kDirectoryEntryBytes * record.FieldCount() + 1;
  std::size_t data = 0;
  for (const ExchangeField& field : record.Fields()) data += field.content.size() + 1;
  lengths.recordLength = lengths.baseAddress + data + 1;
  return lengths;
}

std::string Iso2709Leader(const ExchangeRecord& record) {
  const Iso2709Lengths lengths = MeasureIso2709(record);
  std::string leader = record.Leader();
  leader.resize(kLeaderBytes, kBlankByte);
  WriteFiveDigits(lengths.recordLength, leader, 0);
  WriteFiveDigits(lengths.baseAddress, leader, kBaseAddressAt);
  leader.replace(10, 2, "22");
  leader.replace(20, 4, "4500");
  return leader;
}

void FitLeaderLengths(ExchangeRecord& record) {
  const Iso2709Lengths lengths = MeasureIso2709(record);
  std::string leader = record.Leader();
  leader.resize(kLeaderBytes, kBlankByte);
  WriteFiveDigits(lengths.recordLength, leader, 0);
  WriteFiveDigits(lengths.baseAddress, leader, kBaseAddressAt);
  record.SetLeader(leader);
}

}  // namespace velmora::marc_exchange
