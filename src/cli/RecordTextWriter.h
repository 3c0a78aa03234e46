// The one writer of record text, for a whole input and for --batch alike:
// UTF-8, each CRLF of the text as the platform's line break (LF on Linux,
// CRLF on Windows), a block at a time, so that a large result is never held
// beside the bytes written for it. A record ends with a line break, so that
// its output is a text file whose lines wc, cat and the shell count and
// join as they should:
//
//   «245=00$aTitle%100=##$aAuthor»  ->  «245=00$aTitle%100=##$aAuthor⏎»
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "ModMain/Text/Text.h"

namespace velmora::cli {

using ByteSink = std::function<void(std::string_view)>;

// Writes an output record (or a working text, or MarcEdit lines) and the
// line break that ends it; an empty record writes nothing.
void WriteRecordText(TextView record, const ByteSink& write);

// The same as bytes, for a record converted on a batch's thread.
std::string RecordTextBytes(TextView record);

// Writes a text as it is (pre-unicode --precompose): nothing added.
void WriteText(TextView text, const ByteSink& write);

// The platform's line break, for the empty line between records.
void WriteLineBreak(const ByteSink& write);

}  // namespace velmora::cli
