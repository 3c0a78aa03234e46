// The source's indicators for a rebuilt record. The output record text
// blanks them («%100=##$aTô Hoài»); the MARC formats write instead those of
// the working field each output field was taken from («100=1#$aTô Hoài,»).
#pragma once

#include <optional>
#include <span>

#include "MarcExchange/MarcRecord.h"
#include "ModMain/Records/TracedRecord.h"

namespace velmora::marc_exchange {

// The indicators of the occurrence-th field `tag` of a working text, found
// as the field lookups find it (the k-th «tag=», each searched after the
// one before) and read by ReadWorkingIndicators; nullopt when there is no
// such field or its indicators are unreadable.
std::optional<Indicators> WorkingFieldIndicators(TextView working, TextView tag, int occurrence);

// Gives each field of `parsed`, an output record read by ParseOutputRecord,
// the indicators of its origin in `working` (`origins` in the order of the
// output record's fields). A field keeps the indicators of the output record
// where its origin has another tag (440 written as 490: the indicators mean
// something else there) or where the origin's are unreadable.
void ApplySourceIndicators(ParseResult& parsed, TextView working,
                           std::span<const records::FieldOrigin> origins);

}  // namespace velmora::marc_exchange
