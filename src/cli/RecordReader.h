// Reads a batch of copied records one record at a time, so that a batch of
// any size is never held in memory. Records are separated by one or more
// empty lines (a line of nothing but spaces and tabs counts as empty). Text
// copied from a web page often has empty lines between the fields of one
// record, so an empty line ends a record only when the line after it does
// not go on with it. After an empty line, a field whose tag is not lower
// than the tag of the record's last field goes on with the record, empty
// lines and all, unless MARC 21 allows that tag once only and the record
// has it already (TagRepeatability.h); a lower tag, a leader (LDR or 000)
// or a line without a tag starts the next record:
//
//   245    10$aA ⏎ ⏎ 650    #7$aX ⏎ ⏎ 650    #7$aY ⏎ ⏎ 700    1 $aB    one record
//   245    10$aA ⏎ ⏎ 650    #7$aX ⏎ ⏎ 245    10$aC                    two records
//   245    10$aA ⏎ 650    #7$aX ⏎ ⏎ 100    1 $aD                       two records
// UTF-16 input (with its byte order mark) is read as UTF-8.
#pragma once

#include <cstddef>
#include <string>

#include "Encodings/TextInput.h"
#include "cli/BatchRecords.h"

namespace velmora::cli {

class RecordReader final : public BatchRecords {
 public:
  enum class Split {
    kCopiedRecords,  // copied records, separated by empty lines as above
    kLines,          // one record a line, as --batch writes output records; empty lines skipped
  };

  // Reads from `fd` (not closed here).
  explicit RecordReader(int fd, Split split = Split::kCopiedRecords) : fd_(fd), split_(split) {}

  // The next record; false at the end of the input, or on a read error
  // (then `error` holds the system's reason).
  bool Next(BatchRecord& record, std::string& error) override;

 private:
  // The next line with its line break (CRLF, LF or CR); false at the end.
  bool NextLine(std::string& line, std::string& error);
  bool Fill(std::string& error);

  int fd_;
  Split split_;
  std::string buffer_;
  std::size_t position_ = 0;      // next unread byte of buffer_
  std::size_t bufferOffset_ = 0;  // input offset of buffer_[0]
  bool endOfInput_ = false;
  std::size_t recordsRead_ = 0;
  // The first line of the next record, read to see that it does not go on
  // with the record before it.
  std::string nextRecordLine_;
  std::size_t nextRecordOffset_ = 0;
  std::size_t nextRecordLineNumber_ = 0;
  std::size_t linesRead_ = 0;
  // UTF-16 input: the bytes read and not yet turned into UTF-8.
  bool started_ = false;
  encodings::TextForm form_ = encodings::TextForm::Utf8;
  std::string raw_;
  std::size_t rawOffset_ = 0;
};

}  // namespace velmora::cli
