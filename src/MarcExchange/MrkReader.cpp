#include "MarcExchange/MrkReader.h"

#include <algorithm>

#include "Encodings/Utf8.h"
#include "MarcExchange/MrkMnemonics.h"

namespace velmora::marc_exchange {
namespace {

constexpr std::string_view kDefaultLeader = "00000nam a2200000   4500";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kLongestName = 8;  // «mlrhring»
constexpr std::size_t kMaxFramingBytes = 1024 * 1024;

bool IsBlankLine(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool IsNameChar(char c) {
  return IsAsciiLetterOrDigit(c) || c == '_';
}

bool IsHexName(std::string_view name) {
  return name.size() == 2 && std::all_of(name.begin(), name.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
         });
}

std::string Cut(std::string_view text) {
  return std::string(text.substr(0, std::min(text.size(), kMaxRepairTextBytes)));
}

class RecordParser {
 public:
  RecordParser(std::uint64_t offset, std::size_t line, std::vector<Repair>& repairs)
      : offset_(offset), firstLine_(line), repairs_(repairs) {}

  void Parse(std::string_view text, ExchangeRecord& record) {
    std::vector<std::pair<std::string_view, std::size_t>> lines;  // each with its offset
    for (std::size_t at = 0; at < text.size();) {
      std::size_t stop = text.find_first_of("\r\n", at);
      if (stop == std::string_view::npos) stop = text.size();
      lines.emplace_back(text.substr(at, stop - at), at);
      at = stop;
      if (at < text.size() && text[at] == '\r') ++at;
      if (at < text.size() && text[at] == '\n') ++at;
    }
    // A line that does not start with "=" goes on the line before it.
    std::vector<std::pair<std::string, std::size_t>> fields;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto& [line, at] = lines[i];
      if (line.starts_with('=') || fields.empty()) {
        fields.emplace_back(std::string(line), i);
      } else {
        Report(RepairKind::kLineJoined, at, i, fields.back().first.substr(1, 3), line);
        fields.back().first += line;
      }
    }
    std::size_t first = 0;
    std::string leader;
    if (!fields.empty() && fields[0].first.starts_with(kMrkLeaderLine)) {
      leader = Decode(Content(fields[0].first, fields[0].second, lines), true, true, {});
      first = 1;
      if (leader.size() != kLeaderBytes) {
        Repair& repair = Report(RepairKind::kLeaderLengthWrong, 0, 0, {}, leader);
        repair.expected = kLeaderBytes;
        repair.actual = static_cast<std::int64_t>(leader.size());
        leader.resize(kLeaderBytes, kBlankByte);
      }
    } else {
      Report(RepairKind::kLeaderMissing, 0, 0);
      leader = kDefaultLeader;
    }
    marc8_ = leader[kLeaderCharacterCoding] != kUcsCoding;
    record.ReadLeader() = leader;
    for (std::size_t k = first; k < fields.size(); ++k) {
      const std::string& line = fields[k].first;
      const std::size_t index = fields[k].second;
      const std::size_t at = lines[index].second;
      const std::string_view tag =
          std::string_view(line).substr(1, std::min<std::size_t>(3, line.size() - 1));
      if (line.size() < 4 || !IsWellFormedTag(tag) || tag == "LDR") {
        if (!bad_) {
          bad_ = true;
          badLine_ = firstLine_ + index;
          badTag_ = std::string(tag);
        }
        continue;
      }
      lineIndex_ = index;
      lineAt_ = at;
      tag_ = std::string(tag);
      const std::string_view content = Content(line, index, lines);
      ExchangeField field{tag_, {}};
      if (field.IsControlField()) {
        field.content = Decode(content, true, false, tag_);
      } else {
        field.content = DataContent(content);
      }
      record.AppendReadField(std::move(field.tag), std::move(field.content));
    }
  }

  bool Bad() const { return bad_; }
  std::size_t BadLine() const { return badLine_; }
  const std::string& BadTag() const { return badTag_; }

 private:
  Repair& Report(RepairKind kind, std::size_t at, std::size_t lineIndex, std::string_view tag = {},
                 std::string_view text = {}) {
    repairs_.push_back(
        {kind, offset_ + at, firstLine_ + lineIndex, 1, std::string(tag), 0, 0, Cut(text)});
    return repairs_.back();
  }

  // What follows «=TAG  »; a line with another spacing is read as well as it goes.
  std::string_view Content(std::string_view line, std::size_t index,
                           const std::vector<std::pair<std::string_view, std::size_t>>& lines) {
    if (line.size() >= 6 && line[4] == ' ' && line[5] == ' ') return line.substr(6);
    std::size_t start = 4;
    while (start < line.size() && start < 6 && line[start] == ' ') ++start;
    if (line.size() > 4) {
      Report(RepairKind::kTagSpacingWrong, lines[index].second, index, line.substr(1, 3));
    }
    return line.substr(std::min(start, line.size()));
  }

  // Indicators, then the subfields: «10$aTitle{dollar}$bSub».
  std::string DataContent(std::string_view content) {
    std::string out;
    std::size_t at = 0;
    for (int i = 0; i < 2; ++i) {
      // A subfield delimiter byte is no indicator: ISO 2709 would read it as
      // the start of the subfields.
      if (at < content.size() && content[at] != '$' && content[at] != kSubfieldDelimiterByte) {
        const char c = content[at++];
        out += c == kMrkBlank ? kBlankByte : c;
      } else {
        if (i == 0 || out.size() < 2) {
          Repair& repair = Report(RepairKind::kIndicatorsMissing, lineAt_, lineIndex_, tag_);
          repair.expected = 2;
          repair.actual = static_cast<std::int64_t>(out.size());
        }
        out.append(2 - out.size(), kBlankByte);
        break;
      }
    }
    const std::size_t dollar = content.find('$', at);
    out += Decode(
        content.substr(at, dollar == std::string_view::npos ? std::string_view::npos : dollar - at),
        false, false, tag_);
    for (std::size_t mark = dollar; mark != std::string_view::npos;) {
      const std::size_t next = content.find('$', mark + 1);
      out += kSubfieldDelimiterByte;
      if (mark + 1 < content.size()) {
        out += content[mark + 1];
        const std::size_t from = mark + 2;
        if (from < content.size() && (next == std::string_view::npos || from < next)) {
          out += Decode(content.substr(from, next == std::string_view::npos ? std::string_view::npos
                                                                            : next - from),
                        false, false, tag_);
        }
      }
      mark = next;
    }
    return out;
  }

  // Mnemonics turned into bytes; in the leader and control fields "\" is a blank.
  std::string Decode(std::string_view text, bool backslashBlank, bool leader,
                     std::string_view tag) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (c == kMrkBlank && backslashBlank) {
        out += kBlankByte;
        continue;
      }
      if (c == kSubfieldDelimiterByte || c == kFieldTerminatorByte || c == kRecordTerminatorByte) {
        Repair& repair = Report(RepairKind::kControlCharacter, lineAt_, lineIndex_, tag);
        repair.actual = static_cast<unsigned char>(c);
        continue;
      }
      if (c != '{') {
        out += c;
        continue;
      }
      std::size_t end = i + 1;
      while (end < text.size() && end - i - 1 <= kLongestName && IsNameChar(text[end])) ++end;
      if (end == i + 1 || end >= text.size() || text[end] != '}') {
        out += c;
        continue;
      }
      const std::string_view name = text.substr(i + 1, end - i - 1);
      const MrkMnemonic* mnemonic = FindMrkMnemonic(name);
      const bool known = mnemonic != nullptr && (marc8_ || leader || mnemonic->unicode != 0 ||
                                                 mnemonic->marc8 < 0x80 || IsHexName(name));
      if (!known) {
        Report(RepairKind::kUnknownMnemonic, lineAt_, lineIndex_, tag, text.substr(i, end - i + 1));
        out += text.substr(i, end - i + 1);
      } else if (!marc8_ && !leader && mnemonic->unicode != 0) {
        encodings::AppendUtf8(mnemonic->unicode, out);
      } else {
        out += static_cast<char>(mnemonic->marc8);
      }
      i = end;
    }
    return out;
  }

  std::uint64_t offset_;
  std::size_t firstLine_;
  std::vector<Repair>& repairs_;
  bool marc8_ = false;
  std::size_t lineIndex_ = 0, lineAt_ = 0;
  std::string tag_;
  bool bad_ = false;
  std::size_t badLine_ = 0;
  std::string badTag_;
};

}  // namespace

MrkReader::MrkReader(ByteSource& source, InputPlace place) : MarcReader(place), window_(source) {
  framing_.format = OutputFormat::kMrk;
  framing_.reusable = true;
}

bool MrkReader::PeekLine(Line& line) {
  std::size_t want = 4096;
  while (true) {
    const std::size_t available = window_.Ensure(want);
    const std::string_view view = window_.View().substr(0, available);
    if (view.empty()) return false;
    const std::size_t stop = view.find_first_of("\r\n");
    if (stop != std::string_view::npos &&
        (view[stop] == '\n' || stop + 1 < view.size() || available < want)) {
      const std::size_t breakBytes =
          view[stop] == '\r' && stop + 1 < view.size() && view[stop + 1] == '\n' ? 2 : 1;
      line = {view.substr(0, stop), stop + breakBytes, view.substr(stop, breakBytes)};
      return true;
    }
    if (available < want || available > kMaxMrkRecordBytes) {
      line = {view, view.size(), {}};  // the last line, or one too long to be whole
      return true;
    }
    want *= 2;
  }
}

void MrkReader::TakeLine(const Line& line) {
  window_.Consume(line.bytes);
  ++lineNumber_;
}

bool MrkReader::Next(ReadItem& item) {
  StartItem(item);
  if (!started_) {
    started_ = true;
    window_.Ensure(kByteOrderMark.size());
    if (window_.View().starts_with(kByteOrderMark)) {
      framingText_ += kByteOrderMark;
      window_.Consume(kByteOrderMark.size());
    }
  }
  Line line;
  // What stands before the record: empty lines, kept as framing; lines that
  // are no field, skipped.
  while (true) {
    if (!PeekLine(line)) {
      if (window_.ReadFailed()) Fail({ReadErrorKind::kReadFailed, 0, window_.Offset(), 0, 0, {}});
      if (!sawRecord_)
        framing_.prologue = std::move(framingText_);
      else
        framing_.epilogue = framingCut_ ? std::string("\r\n") : std::move(framingText_);
      framingText_.clear();
      if (pending_.empty()) return false;
      item.kind = ReadItem::Kind::kRepairsOnly;
      item.repairs = std::move(pending_);
      pending_.clear();
      return true;
    }
    if (line.text.starts_with('=')) break;
    if (IsBlankLine(line.text)) {
      if (framingText_.size() + line.bytes > kMaxFramingBytes) framingCut_ = true;
      if (!framingCut_) framingText_.append(window_.View().substr(0, line.bytes));
    } else {
      pending_.push_back(
          {RepairKind::kLineNotAField, window_.Offset(), lineNumber_, 1, {}, 0, 0, Cut(line.text)});
    }
    TakeLine(line);
  }
  // The record: its lines up to an empty one, the end, or another leader.
  const std::uint64_t offset = window_.Offset();
  const std::size_t firstLine = lineNumber_;
  const std::string lineBreak(line.lineBreak.empty() ? std::string_view("\r\n") : line.lineBreak);
  std::string text;
  bool tooLarge = false;
  std::vector<Repair> repairs = std::move(pending_);
  pending_.clear();
  if (nextStartsWithoutBreak_) {
    repairs.push_back({RepairKind::kRecordWithoutBreak, offset, firstLine, 1, {}, 0, 0, {}});
    nextStartsWithoutBreak_ = false;
  }
  bool firstLineOfRecord = true;
  while (PeekLine(line) && !IsBlankLine(line.text)) {
    if (!firstLineOfRecord && line.text.starts_with(kMrkLeaderLine)) {
      nextStartsWithoutBreak_ = true;
      break;
    }
    firstLineOfRecord = false;
    const std::string_view bytes = window_.View().substr(0, line.bytes);
    if (text.size() + bytes.size() > kMaxMrkRecordBytes) {
      if (!tooLarge) text += bytes.substr(0, kMaxMrkRecordBytes - text.size());
      tooLarge = true;
    } else {
      text += bytes;
    }
    TakeLine(line);
  }
  item.repairs = std::move(repairs);
  std::string leadingText;
  if (!sawRecord_) {
    sawRecord_ = true;
    framing_.prologue = std::move(framingText_);
    framing_.reusable = !framingCut_;
  } else {
    leadingText = framingCut_ ? lineBreak : std::move(framingText_);
  }
  framingText_.clear();
  framingCut_ = false;
  if (tooLarge) {
    item.kind = ReadItem::Kind::kRejected;
    item.rejected = {place_.input,
                     TakeNumber(),
                     offset,
                     window_.Offset() - offset,
                     std::move(text),
                     RejectReason::kTooLarge,
                     firstLine,
                     1,
                     {}};
    return true;
  }
  std::vector<Repair> recordRepairs;
  RecordParser parser(offset, firstLine, recordRepairs);
  ExchangeRecord& record = item.record;
  parser.Parse(text, record);
  if (parser.Bad()) {
    item.kind = ReadItem::Kind::kRejected;
    item.rejected = {place_.input,    TakeNumber(),          offset,           text.size(),
                     std::move(text), RejectReason::kBadTag, parser.BadLine(), 1,
                     parser.BadTag()};
    return true;
  }
  RecordOrigin& origin = record.MutableOrigin();
  origin.format = OutputFormat::kMrk;
  origin.input = place_.input;
  origin.number = TakeNumber();
  origin.offset = offset;
  origin.text = std::move(text);
  origin.exact = recordRepairs.empty();
  origin.lineBreak = lineBreak;
  origin.leadingText = std::move(leadingText);
  item.repairs.insert(item.repairs.end(), std::make_move_iterator(recordRepairs.begin()),
                      std::make_move_iterator(recordRepairs.end()));
  return true;
}

}  // namespace velmora::marc_exchange
