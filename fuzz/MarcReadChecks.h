// What the MARC file readers' harnesses check on any input, for the reader
// of one format:
//  - nothing crashes, and the input read whole or in pieces of three bytes
//    gives the same records, rejects and errors;
//  - each record's text and each rejected record's bytes are the input's
//    own, at the offset given (for UTF-8 input);
//  - every record read, written in each format (unless the writer refuses
//    it with a reason), reads back to the same fields with nothing to repair.
#pragma once

#include <string_view>

#include "MarcExchange/OutputFormats.h"

namespace velmora::fuzz {

void CheckMarcRead(std::string_view input, marc_exchange::OutputFormat format);

}  // namespace velmora::fuzz
