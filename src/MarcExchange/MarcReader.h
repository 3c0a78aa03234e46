// What the readers of the three MARC file formats share: one item at a time
// from a byte source, each record numbered in the stream of inputs, every
// repair reported, the framing of a text file kept.
//
//   auto reader = OpenMarcReader(source, {input, firstNumber});
//   ReadItem item;
//   while (reader->Next(item)) { ... }
//   if (reader->Error()) { ... }
#pragma once

#include <cstddef>
#include <memory>
#include <optional>

#include "MarcExchange/ByteSource.h"
#include "MarcExchange/ReadReport.h"

namespace velmora::marc_exchange {

// Where an input stands in the stream of inputs.
struct InputPlace {
  std::size_t input = 0;        // its index, from 0
  std::size_t firstNumber = 1;  // the number its first record gets
};

class MarcReader {
 public:
  explicit MarcReader(InputPlace place) : place_(place), nextNumber_(place.firstNumber) {}
  virtual ~MarcReader() = default;
  MarcReader(const MarcReader&) = delete;
  MarcReader& operator=(const MarcReader&) = delete;

  // The next record, rejected record or repairs; false at the end of the
  // input, or when an error stopped reading it (Error says which).
  virtual bool Next(ReadItem& item) = 0;
  virtual OutputFormat Format() const = 0;

  const std::optional<ReadError>& Error() const { return error_; }
  // Complete once Next has returned false.
  const FileFraming& Framing() const { return framing_; }
  // The number the next record will get: records and rejected records count.
  std::size_t NextNumber() const { return nextNumber_; }

 protected:
  std::size_t TakeNumber() { return nextNumber_++; }
  void Fail(ReadError error) {
    error.input = place_.input;
    if (!error_) error_ = std::move(error);
  }
  static void StartItem(ReadItem& item) {
    item.kind = ReadItem::Kind::kRecord;
    item.record = ExchangeRecord();
    item.rejected = RejectedRecord();
    item.repairs.clear();
  }

  InputPlace place_;
  FileFraming framing_;

 private:
  std::size_t nextNumber_;
  std::optional<ReadError> error_;
};

}  // namespace velmora::marc_exchange
