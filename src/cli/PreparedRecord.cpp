#include "cli/PreparedRecord.h"

#include "Messages/Format.h"
#include "Messages/Translate.h"
#include "cli/Messages.h"

namespace velmora::cli {

marc_exchange::RecordStream::Outcome WriteRecord(marc_exchange::RecordStream& stream,
                                                 PreparedRecord prepared,
                                                 const std::string& where) {
  for (const std::string& warning : prepared.warnings) PrintError(warning);
  const marc_exchange::RecordStream::Outcome outcome = stream.Add(std::move(prepared.formatted));
  if (!outcome.written && !stream.Failed()) {
    PrintError(messages::Format(messages::Tr("warning: %1 dropped: %2"), where, prepared.dropped));
  }
  return outcome;
}

}  // namespace velmora::cli
