#include "MarcExchange/MarcXmlReader.h"

#include <algorithm>

#include "MarcExchange/MarcXmlWriter.h"

namespace velmora::marc_exchange {
namespace {

// The leader of a record that has none: lengths to be set, a new record of
// language material in Unicode, as XML text is.
constexpr std::string_view kDefaultLeader = "00000nam a2200000   4500";

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsWhiteSpace(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsSpace);
}

std::string Cut(std::string_view text) {
  return std::string(text.substr(0, std::min(text.size(), kMaxRepairTextBytes)));
}

bool IsControlTag(std::string_view tag) {
  return tag.size() == 3 && tag[0] == '0' && tag[1] == '0' && tag[2] >= '0' && tag[2] <= '9';
}

}  // namespace

MarcXmlReader::MarcXmlReader(ByteSource& source, InputPlace place)
    : MarcReader(place), input_(source), scanner_(input_) {
  framing_.format = OutputFormat::kMarcXml;
}

Repair MarcXmlReader::RepairHere(RepairKind kind, std::string_view tag,
                                 std::string_view text) const {
  Repair repair{kind, scanner_.Offset(), scanner_.Line(), scanner_.Column(), std::string(tag), 0,
                0,    Cut(text)};
  return repair;
}

// Text where none belongs; text going on in the next piece lengthens the
// repair before, so that a long run is one repair of bounded size.
void MarcXmlReader::AddStrayText(std::vector<Repair>& repairs) {
  if (!repairs.empty() && repairs.back().kind == RepairKind::kStrayTextSkipped &&
      strayOffsetEnd_ == scanner_.Offset()) {
    repairs.back().actual += static_cast<std::int64_t>(scanner_.Text().size());
  } else {
    Repair repair = RepairHere(RepairKind::kStrayTextSkipped, tag_, scanner_.Text());
    repair.actual = static_cast<std::int64_t>(scanner_.Text().size());
    repairs.push_back(std::move(repair));
  }
  strayOffsetEnd_ = scanner_.Offset() + scanner_.Raw().size();
}

void MarcXmlReader::Capture(std::string_view raw) {
  if (framingCut_) return;
  if (framing_text_.size() + raw.size() > kMaxXmlFramingBytes) {
    framingCut_ = true;
    return;
  }
  framing_text_ += raw;
}

bool MarcXmlReader::IsRecordStart() const {
  if (scanner_.LocalName() != "record") return false;
  if (scanner_.Uri() == kMarcXmlNamespace) return true;
  if (!scanner_.Uri().empty()) return false;
  // No namespace: the root, or a child of a <collection> root in none.
  return scanner_.Depth() == 1 || (scanner_.Depth() == 2 && rootIsMarc_ && foreign_.empty());
}

void MarcXmlReader::StartRecord() {
  inRecord_ = true;
  recordDepth_ = scanner_.Depth();
  recordUriHeld_ = std::string(scanner_.Uri());
  recordUri_ = recordUriHeld_;
  recordOffset_ = scanner_.Offset();
  recordLine_ = scanner_.Line();
  recordColumn_ = scanner_.Column();
  recordText_.clear();
  recordTooLarge_ = false;
  open_.clear();
  open_.push_back({Part::kRecord, recordDepth_});
  recordRepairs_.clear();
  leaders_.clear();
  content_.clear();
  text_.clear();
  standsAlone_ = true;
  slimOutside_ = scanner_.OuterDefaultUri() == kMarcXmlNamespace;
  reject_.reset();
  record_ = ExchangeRecord();
  for (Foreign& foreign : foreign_) foreign.holdsRecord = true;
  if (!sawRecord_) {
    // The prologue is complete: it is kept when the records sit directly in
    // a MARC collection (or the record is the root) and the file is UTF-8.
    sawRecord_ = true;
    framing_.prologue = std::move(framing_text_);
    framing_.reusable = !framingCut_ && input_.Unchanged() &&
                        (recordDepth_ == 1 || (recordDepth_ == 2 && rootIsMarc_));
  } else {
    record_.MutableOrigin().leadingText =
        framingCut_ ? std::string("\n") : std::move(framing_text_);
  }
  framing_text_.clear();
  framingCut_ = false;
}

void MarcXmlReader::StartChild() {
  const Part parent = open_.back().part;
  const std::size_t depth = scanner_.Depth();
  const std::string_view local = scanner_.LocalName();
  const bool ours = scanner_.Uri() == recordUri_;
  Part part = Part::kSkipped;
  if (ours && parent == Part::kRecord) {
    if (local == "leader") part = Part::kLeader;
    if (local == "controlfield") part = Part::kControlField;
    if (local == "datafield") part = Part::kDataField;
  } else if (ours && parent == Part::kDataField && local == "subfield") {
    part = Part::kSubfield;
  }
  if (parent == Part::kSkipped) part = Part::kSkipped;
  const auto reject = [&](RejectReason reason) {
    if (reject_) return;
    reject_ = reason;
    rejectLine_ = scanner_.Line();
    rejectColumn_ = scanner_.Column();
    rejectTag_ = tag_;
  };
  switch (part) {
    case Part::kSkipped:
      if (parent != Part::kSkipped) {
        recordRepairs_.push_back(
            RepairHere(RepairKind::kUnknownElementSkipped, tag_, scanner_.Name()));
      }
      break;
    case Part::kLeader:
    case Part::kSubfield:
      text_.clear();
      if (part == Part::kSubfield) {
        const XmlAttribute* code = scanner_.Attribute("code");
        if (code == nullptr || code->value.size() != 1 ||
            static_cast<unsigned char>(code->value[0]) < 0x20 ||
            static_cast<unsigned char>(code->value[0]) > 0x7E) {
          reject(RejectReason::kBadSubfieldCode);
        } else {
          content_ += kSubfieldDelimiterByte;
          content_ += code->value[0];
        }
      }
      break;
    case Part::kControlField:
    case Part::kDataField: {
      const XmlAttribute* tag = scanner_.Attribute("tag");
      tag_ = tag == nullptr ? std::string() : tag->value;
      content_.clear();
      text_.clear();
      if (!IsWellFormedTag(tag_)) {
        reject(RejectReason::kBadTag);
        break;
      }
      if (part == Part::kControlField && !IsControlTag(tag_)) {
        recordRepairs_.push_back(RepairHere(RepairKind::kControlFieldTagNotControl, tag_));
      }
      if (part == Part::kDataField) {
        if (IsControlTag(tag_)) {
          recordRepairs_.push_back(RepairHere(RepairKind::kDataFieldTagIsControl, tag_));
        }
        for (const char* name : {"ind1", "ind2"}) {
          const XmlAttribute* ind = scanner_.Attribute(name);
          if (ind == nullptr || ind->value.empty()) {
            Repair repair = RepairHere(RepairKind::kIndicatorMissing, tag_);
            repair.expected = name[3] - '0';
            recordRepairs_.push_back(std::move(repair));
            content_ += kBlankByte;
          } else if (ind->value.size() != 1 || static_cast<unsigned char>(ind->value[0]) < 0x20 ||
                     static_cast<unsigned char>(ind->value[0]) > 0x7E) {
            reject(RejectReason::kBadIndicator);
            content_ += kBlankByte;
          } else {
            content_ += ind->value[0];
          }
        }
      }
      break;
    }
    case Part::kRecord:
      break;
  }
  open_.push_back({part, depth});
}

void MarcXmlReader::EndChild() {
  const Part part = open_.back().part;
  open_.pop_back();
  switch (part) {
    case Part::kLeader:
      leaders_.push_back(std::move(text_));
      break;
    case Part::kSubfield:
      content_ += text_;
      break;
    case Part::kControlField:
      content_ = std::move(text_);
      [[fallthrough]];
    case Part::kDataField:
      if (!reject_) record_.AppendReadField(tag_, std::move(content_));
      content_.clear();
      break;
    default:
      break;
  }
  text_.clear();
}

bool MarcXmlReader::RecordToken(XmlToken token, ReadItem& item) {
  const std::string_view raw = scanner_.Raw();
  if (!recordTooLarge_) {
    if (recordText_.size() + raw.size() > kMaxXmlRecordBytes) {
      recordTooLarge_ = true;
      recordText_ += raw.substr(0, kMaxXmlRecordBytes - recordText_.size());
    } else {
      recordText_ += raw;
    }
  }
  switch (token) {
    case XmlToken::kStartTag: {
      // Whether the record still means the same outside its file: every
      // prefix bound inside it, its own default namespace the slim one.
      const bool prefixed = scanner_.Name().find(':') != std::string::npos;
      if (scanner_.BoundAt() != 0 && scanner_.BoundAt() < recordDepth_ &&
          (prefixed || scanner_.Uri() != kMarcXmlNamespace)) {
        standsAlone_ = false;
      }
      for (const XmlAttribute& attribute : scanner_.Attributes()) {
        if (attribute.boundAt != 0 && attribute.boundAt < recordDepth_) standsAlone_ = false;
      }
      if (scanner_.Depth() == recordDepth_) {  // the record's own start tag
        if (!scanner_.SelfClosing()) break;
        FinishRecord(item);
        return true;
      }
      StartChild();
      if (scanner_.SelfClosing()) EndChild();
      break;
    }
    case XmlToken::kEndTag:
      if (scanner_.Depth() == recordDepth_) {
        FinishRecord(item);
        return true;
      }
      EndChild();
      break;
    case XmlToken::kText: {
      const Part part = open_.back().part;
      if (part == Part::kLeader || part == Part::kControlField || part == Part::kSubfield) {
        if (!recordTooLarge_) text_ += scanner_.Text();  // a record too large is only skipped
      } else if (part != Part::kSkipped && !IsWhiteSpace(scanner_.Text())) {
        AddStrayText(recordRepairs_);
      }
      break;
    }
    default:
      break;
  }
  return false;
}

void MarcXmlReader::Reject(ReadItem& item, RejectReason reason) {
  item.kind = ReadItem::Kind::kRejected;
  RejectedRecord& rejected = item.rejected;
  rejected.input = place_.input;
  rejected.number = TakeNumber();
  rejected.offset = recordOffset_;
  rejected.length = scanner_.Offset() + scanner_.Raw().size() - recordOffset_;
  rejected.bytes = std::move(recordText_);
  rejected.reason = reason;
  rejected.line = reason == RejectReason::kTooLarge ? recordLine_ : rejectLine_;
  rejected.column = reason == RejectReason::kTooLarge ? recordColumn_ : rejectColumn_;
  rejected.tag = rejectTag_;
}

void MarcXmlReader::FinishRecord(ReadItem& item) {
  inRecord_ = false;
  item.repairs = std::move(pending_);
  pending_.clear();
  if (recordTooLarge_ || reject_) {
    Reject(item, recordTooLarge_ ? RejectReason::kTooLarge : *reject_);
    return;
  }
  // The leader: 24 bytes of ASCII.
  std::string leader;
  if (leaders_.empty()) {
    Repair repair = RepairHere(RepairKind::kLeaderMissing);
    repair.offset = recordOffset_;
    repair.line = recordLine_;
    repair.column = recordColumn_;
    recordRepairs_.push_back(std::move(repair));
    leader = kDefaultLeader;
  } else {
    leader = leaders_.front();
    for (std::size_t i = 1; i < leaders_.size(); ++i) {
      recordRepairs_.push_back(RepairHere(RepairKind::kLeaderRepeated, {}, leaders_[i]));
    }
  }
  if (leader.size() != kLeaderBytes) {
    const std::size_t first = leader.find_first_not_of(" \t\r\n");
    const std::size_t last = leader.find_last_not_of(" \t\r\n");
    const std::string trimmed =
        first == std::string::npos ? "" : leader.substr(first, last - first + 1);
    Repair repair = RepairHere(RepairKind::kLeaderLengthWrong, {}, leader);
    repair.expected = kLeaderBytes;
    repair.actual = static_cast<std::int64_t>(leader.size());
    recordRepairs_.push_back(std::move(repair));
    leader = trimmed.size() == kLeaderBytes ? trimmed : leader;
    leader.resize(kLeaderBytes, kBlankByte);
  }
  if (std::any_of(leader.begin(), leader.end(),
                  [](char c) { return static_cast<unsigned char>(c) >= 0x80 || c < 0x20; })) {
    recordRepairs_.push_back(RepairHere(RepairKind::kLeaderNotAscii, {}, leader));
    std::string ascii;
    for (std::size_t i = 0; i < leader.size(); ++i) {
      const auto c = static_cast<unsigned char>(leader[i]);
      if (c >= 0x80) {
        // One blank for each character, not for each byte.
        if ((c & 0xC0) != 0x80) ascii += kBlankByte;
      } else {
        ascii += c < 0x20 ? kBlankByte : static_cast<char>(c);
      }
    }
    ascii.resize(kLeaderBytes, kBlankByte);
    leader = std::move(ascii);
  }
  record_.ReadLeader() = std::move(leader);
  RecordOrigin& origin = record_.MutableOrigin();
  origin.format = OutputFormat::kMarcXml;
  origin.input = place_.input;
  origin.number = TakeNumber();
  origin.offset = recordOffset_;
  origin.text = std::move(recordText_);
  origin.exact = recordRepairs_.empty();
  origin.xmlTextStandsAlone = standsAlone_;
  origin.xmlSlimDefaultOutside = slimOutside_;
  item.kind = ReadItem::Kind::kRecord;
  item.record = std::move(record_);
  item.repairs.insert(item.repairs.end(), std::make_move_iterator(recordRepairs_.begin()),
                      std::make_move_iterator(recordRepairs_.end()));
  recordRepairs_.clear();
}

void MarcXmlReader::Finish() {
  finished_ = true;
  if (const std::optional<ReadError>& error = input_.Error()) {
    Fail(*error);
  } else if (const std::optional<ReadError>& scanned = scanner_.Error()) {
    Fail(*scanned);
  }
  if (!Error() && !sawRecord_ && !rootIsMarc_) {
    Fail({ReadErrorKind::kNoMarcXmlRecords, 0, 0, 1, 1, rootName_});
  }
  if (!sawRecord_) {
    framing_.prologue = std::move(framing_text_);
    framing_.reusable = !framingCut_ && input_.Unchanged() && rootIsMarc_;
  } else if (framingCut_) {
    framing_.epilogue = "\n</" + rootName_ + ">\n";
  } else {
    framing_.epilogue = std::move(framing_text_);
  }
  if (Error()) framing_.reusable = false;
}

bool MarcXmlReader::Next(ReadItem& item) {
  StartItem(item);
  if (finished_) return false;
  while (true) {
    const XmlToken token = scanner_.Next();
    if (token == XmlToken::kEnd) {
      Finish();
      if (pending_.empty()) return false;
      item.kind = ReadItem::Kind::kRepairsOnly;
      item.repairs = std::move(pending_);
      pending_.clear();
      return true;
    }
    if (inRecord_) {
      if (RecordToken(token, item)) return true;
      continue;
    }
    const std::size_t depth = scanner_.Depth();
    switch (token) {
      case XmlToken::kStartTag:
        if (depth == 1) {
          rootName_ = scanner_.Name();
          rootIsMarc_ = scanner_.LocalName() == "collection" &&
                        (scanner_.Uri() == kMarcXmlNamespace || scanner_.Uri().empty());
        }
        if (IsRecordStart()) {
          StartRecord();
          if (RecordToken(token, item)) return true;  // <record/>
          break;
        }
        if (depth == 1) {
          Capture(scanner_.Raw());
        } else {
          foreign_.push_back(
              {depth, RepairHere(RepairKind::kUnknownElementSkipped, {}, scanner_.Name()), false});
          if (scanner_.SelfClosing()) {
            pending_.push_back(foreign_.back().repair);
            foreign_.pop_back();
          }
        }
        break;
      case XmlToken::kEndTag:  // Depth counts the element it closes
        if (depth == 1) {
          Capture(scanner_.Raw());
        } else if (!foreign_.empty() && foreign_.back().depth == depth) {
          if (!foreign_.back().holdsRecord) pending_.push_back(foreign_.back().repair);
          foreign_.pop_back();
        }
        break;
      case XmlToken::kText:
        if (!IsWhiteSpace(scanner_.Text())) {
          if (foreign_.empty()) AddStrayText(pending_);
          break;
        }
        strayOffsetEnd_ = 0;
        [[fallthrough]];
      default:  // the declaration, comments, processing instructions
        if (foreign_.empty()) Capture(scanner_.Raw());
        break;
    }
  }
}

}  // namespace velmora::marc_exchange
