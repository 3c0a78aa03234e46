// A batch's input split into records, one at a time, so that a batch of any
// size is never held in memory.
#pragma once

#include <cstddef>
#include <string>

namespace velmora::cli {

struct BatchRecord {
  std::string bytes;           // its lines, each with its line break, as they stood in the input
  std::size_t byteOffset = 0;  // where it starts in the input
  std::size_t firstLine = 1;   // the line of the input it starts on, from 1
  std::size_t number = 0;      // 1 for the first record
};

class BatchRecords {
 public:
  virtual ~BatchRecords() = default;
  // The next record; false at the end of the input, or on a read error
  // (then `error` holds the reason).
  virtual bool Next(BatchRecord& record, std::string& error) = 0;
};

}  // namespace velmora::cli
