// One copied record of a source system converted once, into the one value
// that every check, message and output of a source command takes: whether
// it holds a record of the source, --verbose, the record text and the MARC
// formats (with the origins of the fields, for the source's indicators).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "MarcExchange/RecordFormatter.h"
#include "ModMain/Records/SourceLayout.h"
#include "ModMain/Records/Sources.h"
#include "ModMain/Records/TracedRecord.h"
#include "ModMain/Text/Text.h"
#include "cli/Options.h"
#include "cli/PreparedRecord.h"

namespace velmora::cli {

// A line of the copied text that begins with no tag: a field's text that
// wrapped onto a line of its own when it was copied. The conversions leave
// it out, or join it to the field before it without a space.
struct TaglessLine {
  std::size_t number;  // of the line in the input, from 1
  std::string shown;   // its start, as a message shows it
};

struct ConvertedRecord {
  // What the checks and messages take from the copied text before it is
  // converted in its own buffer.
  bool holdsText = false;  // more than white space
  records::SourceLayout layout = records::SourceLayout::None;
  Text leaderLine;  // the line of the leader (LDR or 000) as it stands, for --verbose
  std::vector<TaglessLine> taglessLines;  // the first few
  std::size_t moreTaglessLines = 0;       // and how many more there are
  Text working;                           // the working text
  records::TracedRecord traced;  // the output record rebuilt from it, with its fields' origins
};

// The copied text (line breaks as CRLF; its first line line `firstLine` of
// the input) converted in its own buffer.
ConvertedRecord ConvertRecord(const records::SourceSystem& source, Text copied,
                              std::size_t firstLine = 1);

// The warnings a record gets in every run that writes it, named by `where`:
// another source's layout (not with --working, which asks for the working
// text whatever it is) and the lines without a tag. None for a record that
// yields no field: the message that drops it says what it looks like.
std::vector<std::string> RecordWarnings(const Options& options, const records::SourceSystem& source,
                                        const ConvertedRecord& converted, const std::string& where);

// «'velmora-convert lacviet' or 'velmora-convert emiclib'»: the commands of
// the sources whose copied records have `layout`.
std::string CommandsFor(records::SourceLayout layout);

// «; it looks like a Verbrary record: try 'velmora-convert verbrary'» when
// the copied text has another source's layout, else nothing.
std::string OtherSourceHint(const records::SourceSystem& source, records::SourceLayout layout);

// «no Libol record found» and the hint: an empty output record of a text
// that holds more than white space.
std::string NoRecordMessage(const records::SourceSystem& source, const ConvertedRecord& converted);

// «not a Hue record; it looks like a Libol record: try …» for a record that
// converts but has another source's layout; empty otherwise.
std::string OtherSourceWarning(const records::SourceSystem& source,
                               const ConvertedRecord& converted);

// --verbose: each field of the copied record that its output record leaves
// out, «WHERE: left out: 500=##$aNote» (no «WHERE: » when `where` is empty);
// the leader as the copied text has it.
std::vector<std::string> LeftOutMessages(const ConvertedRecord& converted,
                                         const std::string& where);

// What is written or formatted (the output record, or with --working the
// working text), taken out of `converted`, with --precompose every letter
// precomposed. The working text stays for the origins unless it is taken.
Text TakeWritten(const Options& options, ConvertedRecord& converted);

// Formats the record for the stream: in a MARC format the output record with
// the source's indicators, or with --working every field of the working
// text; else its text, a line each. Warns on what was changed or skipped,
// naming the field and the character where it stands.
PreparedRecord PrepareRecord(const Options& options, marc_exchange::RecordFormatter& formatter,
                             const records::SourceSystem& source, ConvertedRecord converted,
                             const std::string& where);

}  // namespace velmora::cli
