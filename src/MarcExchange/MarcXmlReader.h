// MARCXML read a record at a time: a <collection> of <record>s or a single
// <record>, in the MARC 21 slim namespace under any prefix, or in none;
// leader, controlfield, datafield and subfield with their tag, ind1, ind2
// and code attributes. Elements of other vocabularies are skipped and
// reported (records inside them are still read). The XML itself is read by
// XmlScanner: no DTD, no entity beyond XML's five, bounded everywhere.
#pragma once

#include <vector>

#include "MarcExchange/MarcReader.h"
#include "MarcExchange/XmlScanner.h"

namespace velmora::marc_exchange {

// A <record> element's text, from "<" to ">", is at most this long; a longer
// one is handed back with its first bytes.
inline constexpr std::size_t kMaxXmlRecordBytes = 1024 * 1024;
// The framing kept for writing a clean file again (prologue, the text between
// two records, epilogue): past this it is not kept.
inline constexpr std::size_t kMaxXmlFramingBytes = 1024 * 1024;

class MarcXmlReader final : public MarcReader {
 public:
  MarcXmlReader(ByteSource& source, InputPlace place);
  bool Next(ReadItem& item) override;
  OutputFormat Format() const override { return OutputFormat::kMarcXml; }

 private:
  enum class Part { kRecord, kLeader, kControlField, kDataField, kSubfield, kSkipped };
  struct Open {
    Part part;
    std::size_t depth;
  };
  struct Foreign {  // an element of another vocabulary outside records
    std::size_t depth;
    Repair repair;
    bool holdsRecord;
  };

  bool IsRecordStart() const;
  void StartRecord();
  // One token inside a record; true when the record is complete in `item`.
  bool RecordToken(XmlToken token, ReadItem& item);
  void StartChild();
  void EndChild();
  void FinishRecord(ReadItem& item);
  void Reject(ReadItem& item, RejectReason reason);
  void Capture(std::string_view raw);
  void AddStrayText(std::vector<Repair>& repairs);
  Repair RepairHere(RepairKind kind, std::string_view tag = {}, std::string_view text = {}) const;
  void Finish();

  XmlInput input_;
  XmlScanner scanner_;
  std::vector<Repair> pending_;       // made outside records, for the next item
  std::uint64_t strayOffsetEnd_ = 0;  // where the last stray text ended

  // Framing: what stood before the first record, then between records.
  std::string framing_text_;
  bool framingCut_ = false;
  bool sawRecord_ = false;
  std::string rootName_;
  bool rootIsMarc_ = false;
  std::vector<Foreign> foreign_;

  // The record being read.
  bool inRecord_ = false;
  std::size_t recordDepth_ = 0;
  std::string_view recordUri_;
  std::string recordUriHeld_;
  std::uint64_t recordOffset_ = 0;
  std::size_t recordLine_ = 0, recordColumn_ = 0;
  std::string recordText_;
  bool recordTooLarge_ = false;
  std::vector<Open> open_;
  std::vector<Repair> recordRepairs_;
  std::vector<std::string> leaders_;
  std::string tag_;
  std::string content_;
  std::string text_;  // of the leader, control field or subfield being read
  bool standsAlone_ = true;
  bool slimOutside_ = true;
  std::optional<RejectReason> reject_;
  std::size_t rejectLine_ = 0, rejectColumn_ = 0;
  std::string rejectTag_;
  ExchangeRecord record_;
  bool finished_ = false;
};

}  // namespace velmora::marc_exchange
