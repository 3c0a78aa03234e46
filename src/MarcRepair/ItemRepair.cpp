#include "MarcRepair/ItemRepair.h"

#include "Encodings/Utf8.h"
#include "MarcRepair/StructureRepairs.h"
#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::marc_repair {
namespace {

using marc_exchange::ReadItem;

constexpr std::size_t kControlNumberShown = 40;

// A 001 as a report line shows it: UTF-8 as it is, other bytes and controls
// as \xHH, cut after kControlNumberShown bytes.
std::string ShownControlNumber(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  bytes = bytes.substr(0, kControlNumberShown);
  encodings::Utf8Error error{};
  const bool utf8 = encodings::DecodeUtf8(bytes, &error).has_value();
  std::string shown;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !utf8)) {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    } else {
      shown += c;
    }
  }
  return shown;
}

void AddStructure(const std::vector<marc_exchange::Repair>& repairs, RepairedItem& done) {
  for (const marc_exchange::Repair& repair : repairs) {
    done.structure.push_back(repair.kind);
    done.findings.push_back({FindingKind::kStructureRepaired, DescribeRepair(repair)});
  }
}

std::string NotWrittenEnding(const RepairOptions& options) {
  return options.rejectsName.empty()
             ? messages::Tr("not written (--rejects FILE keeps such records)")
             : messages::Format(messages::Tr("not written; its bytes are in %1"),
                                options.rejectsName);
}

// A .mrk record whose =LDR line stood right after the record before, with
// no empty line between: written in the file's framing, it gets the empty
// line, so that what is written reads back as two records without a repair.
void SeparateFromTheRecordBefore(ReadItem& item) {
  marc_exchange::RecordOrigin& origin = item.record.MutableOrigin();
  if (origin.format != marc_exchange::OutputFormat::kMrk) return;
  for (const marc_exchange::Repair& repair : item.repairs) {
    if (repair.kind == marc_exchange::RepairKind::kRecordWithoutBreak) {
      origin.leadingText.insert(0, origin.lineBreak);
      return;
    }
  }
}

}  // namespace

RepairedItem RepairItem(ReadItem& item, const RepairOptions& options,
                        marc_exchange::RecordWriter* writer) {
  RepairedItem done;
  done.kind = item.kind;
  AddStructure(item.repairs, done);
  switch (item.kind) {
    case ReadItem::Kind::kRepairsOnly:
      return done;
    case ReadItem::Kind::kRejected: {
      const marc_exchange::RejectedRecord& rejected = item.rejected;
      done.input = rejected.input;
      done.number = rejected.number;
      done.offset = rejected.offset;
      done.findings.push_back(
          {FindingKind::kRejected,
           messages::Format(messages::Tr("could not be read at byte offset %1 (%2 bytes): %3; %4"),
                            rejected.offset, rejected.length, DescribeRejectReason(rejected.reason),
                            NotWrittenEnding(options))});
      done.rejectedBytes = std::move(item.rejected.bytes);
      return done;
    }
    case ReadItem::Kind::kRecord:
      break;
  }
  marc_exchange::ExchangeRecord& record = item.record;
  SeparateFromTheRecordBefore(item);
  const marc_exchange::RecordOrigin& origin = record.Origin();
  done.input = origin.input;
  done.number = origin.number;
  done.offset = origin.offset;
  for (const marc_exchange::ExchangeField& field : record.Fields()) {
    if (field.tag == "001") {
      done.controlNumber = ShownControlNumber(field.content);
      break;
    }
  }
  RecordRepairOutcome outcome = RepairRecord(record, options);
  done.findings.insert(done.findings.end(), std::make_move_iterator(outcome.findings.begin()),
                       std::make_move_iterator(outcome.findings.end()));
  if (!outcome.writable) {
    for (Finding& finding : done.findings) {
      if (finding.kind == FindingKind::kNotWritable)
        finding.text += "; " + NotWrittenEnding(options);
    }
    done.rejectedBytes = origin.text;
    return done;
  }
  if (writer == nullptr) return done;
  if (const auto error = writer->Write(record, done.output)) {
    done.output.clear();
    done.findings.push_back(
        {FindingKind::kNotWritable, messages::Format(messages::Tr("cannot be written: %1; %2"),
                                                     error->message, NotWrittenEnding(options))});
    done.rejectedBytes = origin.text;
    return done;
  }
  done.written = true;
  return done;
}

}  // namespace velmora::marc_repair
