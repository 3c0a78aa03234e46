// --batch: records read from each input in turn, converted in chunks on
// --jobs threads and written in input order, each after its warnings, so
// that the output, the warnings and the exit status are what one thread
// gives. A kind of batch says how its input is split into records and how a
// record is converted; the threads, the output (-o, --split-size) and the
// naming of records are the same for every kind.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MarcExchange/RecordFormatter.h"
#include "ModMain/Text/Text.h"
#include "cli/BatchRecords.h"
#include "cli/Options.h"
#include "cli/PreparedRecord.h"

namespace velmora::cli {

// One record of a batch, converted.
struct BatchResult {
  std::vector<std::string> warnings;  // said before the record's own
  // Absent: dropped before it could be formatted; the warnings say why.
  std::optional<PreparedRecord> prepared;
};

struct BatchConversion {
  // Splits the input open as `fd` into records.
  std::function<std::unique_ptr<BatchRecords>(int fd)> split;
  // Converts one record, named `where` in messages («record 3 ('245…')»),
  // on any of the batch's threads with that thread's formatter.
  std::function<BatchResult(const BatchRecord& record, const std::string& where,
                            marc_exchange::RecordFormatter& formatter)>
      convert;
  // An empty line between two records written (MarcEdit's lines).
  bool emptyLineBetween = false;
};

int RunBatch(const Options& options, const BatchConversion& conversion);

// A record of text lines decoded from UTF-8, its line breaks as CRLF; none
// when it is not UTF-8, and then `result` has the warning that drops it.
std::optional<Text> DecodeTextRecord(const BatchRecord& record, const std::string& where,
                                     BatchResult& result);

}  // namespace velmora::cli
