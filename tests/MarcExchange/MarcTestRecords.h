// What the MARC reader tests share: clean records to damage, the three
// writers' files of them, reading a file back whole, and a readable form of
// a record's fields to compare.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "MarcExchange/ExchangeRecord.h"
#include "MarcExchange/MarcInput.h"
#include "MarcExchange/OutputFormats.h"

namespace velmora::marc_exchange::test {

// Records like a Vietnamese library's: control fields, repeated tags, UTF-8
// letters, characters that need escaping in XML and .mrk ($ { } \ & <),
// an empty subfield; `count` of them, the same for every run.
std::vector<ExchangeRecord> SampleRecords(std::size_t count);

// `records` written in `format` by its writer, with its own framing.
std::string WriteFile(OutputFormat format, const std::vector<ExchangeRecord>& records);

// «00095nam a2200061   4500» then a line per field, «245 10$aDế Mèn$bSub»
// (a delimiter shown as "$"): what a reader must give back.
std::string FieldsText(const ExchangeRecord& record);

// The records as yaz-marcdump's line format (and read-marc.pl) shows them:
// «245 10 $a Title $b Sub», an empty line after each record.
std::string YazLineForm(const std::vector<ExchangeRecord>& records);

struct ReadBack {
  std::vector<ExchangeRecord> records;
  std::vector<RejectedRecord> rejected;
  std::vector<Repair> repairs;
  std::vector<ReadError> errors;
  FileFraming framing;
  std::string AllFields() const;  // FieldsText of each record, an empty line after each
  bool HasRepair(RepairKind kind) const;
};

// Every item of `bytes`, read through MarcInput in pieces of `pieceBytes`.
ReadBack ReadAll(std::string_view bytes, std::size_t pieceBytes = SIZE_MAX);
// Several inputs as one stream.
ReadBack ReadAll(const std::vector<std::string>& inputs);

// `bytes` read and written again in `format`, in the input's framing when it
// is one file of that format.
std::string Rewrite(std::string_view bytes, OutputFormat format);

}  // namespace velmora::marc_exchange::test
