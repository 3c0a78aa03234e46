// ISO 2709 (.mrc) read leniently, a record at a time. A record whose
// lengths, base address or directory offsets are wrong is read by its field
// and record terminators (1E, 1D); a missing terminator, a directory that
// runs past the data or is not terminated, and non-digits where the leader
// has digits are repaired wherever the fields can still be found; garbage
// between records is skipped. Each repair is reported; a record that cannot
// be read is handed back as it stood. At most two records' worth of bytes
// (2 x 99 999) are held, whatever the file's size.
#pragma once

#include <string_view>

#include "MarcExchange/MarcReader.h"

namespace velmora::marc_exchange {

class Iso2709Reader final : public MarcReader {
 public:
  Iso2709Reader(ByteSource& source, InputPlace place);
  bool Next(ReadItem& item) override;
  OutputFormat Format() const override { return OutputFormat::kIso2709; }

 private:
  // Reads the record that starts the window into `item`; returns its bytes.
  std::size_t ReadRecord(std::string_view bytes, bool inputEnded, ReadItem& item);
  void Reject(std::string_view bytes, RejectReason reason, ReadItem& item);
  // Garbage taken so far in front of the next record is reported once.
  void FlushGarbage(std::vector<Repair>& repairs);

  ByteWindow window_;
  std::uint64_t garbageOffset_ = 0;
  std::uint64_t garbageBytes_ = 0;
  std::string garbageStart_;
  bool atBoundary_ = true;  // the window starts where a record must
};

// Whether `bytes` at `at` hold what a record starts with: a leader with at
// least two of its fixed parts (digits at 00-04, «22» at 10-11, digits at
// 12-16, «450» at 20-22), then a directory entry (three visible ASCII bytes,
// nine digits). Among other bytes the leader must be printable ASCII with a
// letter at 06 (the type of record); where a record must start (the input's
// start, after a record) any leader without delimiters does.
bool LooksLikeRecordStart(std::string_view bytes, std::size_t at, bool atBoundary = false);

}  // namespace velmora::marc_exchange
