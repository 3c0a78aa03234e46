// The formats an output record can be written in, one row each: the command
// line's --format names, its help and its error messages read this table.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "Messages/Translate.h"

namespace velmora::marc_exchange {

enum class OutputFormat {
  kRecord,   // the output record text itself, one per line
  kIso2709,  // records concatenated
  kMarcXml,  // one <collection>
  kMrk,      // records separated by an empty line
};

struct OutputFormatRow {
  OutputFormat format;
  std::string_view name;     // as --format takes it
  std::string_view summary;  // for --help
};

inline constexpr OutputFormatRow kOutputFormats[] = {
    {OutputFormat::kRecord, "record",
     messages::Translatable("the output record text, one record per line (the default)")},
    {OutputFormat::kIso2709, "iso2709",
     messages::Translatable(
         "MARC 21 exchange format (ISO 2709) in UTF-8, for OpenBiblio's and Koha's MARC import")},
    {OutputFormat::kMarcXml, "marcxml", messages::Translatable("MARC 21 slim XML, one collection")},
    {OutputFormat::kMrk, "mrk",
     messages::Translatable(
         "MarcEdit's mnemonic file (\\ for a blank indicator, with a leader), for the MarcEditor")},
};

// "iso2709" -> kIso2709; nullopt for a name not in the table.
constexpr std::optional<OutputFormat> FindOutputFormat(std::string_view name) {
  for (const OutputFormatRow& row : kOutputFormats) {
    if (row.name == name) return row.format;
  }
  return std::nullopt;
}

constexpr std::string_view OutputFormatName(OutputFormat format) {
  for (const OutputFormatRow& row : kOutputFormats) {
    if (row.format == format) return row.name;
  }
  return {};
}

}  // namespace velmora::marc_exchange
