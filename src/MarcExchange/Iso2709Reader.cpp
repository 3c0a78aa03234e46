#include "MarcExchange/Iso2709Reader.h"

#include <algorithm>
#include <cstring>

#include "MarcExchange/RecordWriter.h"

namespace velmora::marc_exchange {
namespace {

constexpr std::size_t kEntryBytes = 12;  // tag 3, field length 4, start 5
constexpr std::size_t kTagBytes = 3;
constexpr std::size_t kRecordLengthAt = 0, kBaseAddressAt = 12, kFiveDigits = 5;
constexpr std::size_t kFieldLengthAt = 3, kFieldLengthDigits = 4;
constexpr std::size_t kFieldStartAt = 7, kFieldStartDigits = 5;
// The smallest record a start is looked for: leader, one entry, 1E.
constexpr std::size_t kShortestStart = kLeaderBytes + kEntryBytes + 1;
// A record and the start of the one after it, so that a record whose
// terminator is missing still ends where the next begins.
constexpr std::size_t kWindowBytes = 2 * (kMaxRecordBytes + 1) + kShortestStart;

// The leader's positions where MARC 21 has fixed digits, and what it has
// there: 10 and 11 the indicator and subfield code counts, 20-23 the entry map.
struct FixedLeaderDigits {
  std::size_t at;
  std::string_view marc21;
};
constexpr FixedLeaderDigits kFixedLeaderDigits[] = {{10, "22"}, {20, "4500"}};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
// A tag's bytes: MARC 21 has digits, other MARC formats letters too; any
// visible ASCII byte is read.
bool IsTagByte(char c) {
  return c > 0x20 && c < 0x7F;
}

constexpr std::size_t kNotDigits = std::string_view::npos;

// The number that `digits` spell, or kNotDigits.
std::size_t Number(std::string_view digits) {
  std::size_t n = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return kNotDigits;
    n = n * 10 + static_cast<std::size_t>(c - '0');
  }
  return n;
}

bool IsEntry(std::string_view bytes, std::size_t at) {
  if (at + kEntryBytes > bytes.size()) return false;
  for (std::size_t i = 0; i < kTagBytes; ++i) {
    if (!IsTagByte(bytes[at + i])) return false;
  }
  return Number(bytes.substr(at + kTagBytes, kEntryBytes - kTagBytes)) != kNotDigits;
}

struct Entry {
  std::string_view tag;
  std::size_t length = kNotDigits, start = kNotDigits;  // kNotDigits when unreadable
  bool Readable() const { return length != kNotDigits && start != kNotDigits; }
};

Entry ReadEntry(std::string_view bytes, std::size_t at, std::size_t size) {
  Entry entry;
  entry.tag = bytes.substr(at, std::min(kTagBytes, size));
  if (size == kEntryBytes) {
    entry.length = Number(bytes.substr(at + kFieldLengthAt, kFieldLengthDigits));
    entry.start = Number(bytes.substr(at + kFieldStartAt, kFieldStartDigits));
  }
  return entry;
}

std::string Cut(std::string_view bytes) {
  return std::string(bytes.substr(0, std::min(bytes.size(), kMaxRepairTextBytes)));
}

std::size_t Find(std::string_view bytes, char c, std::size_t from, std::size_t to) {
  if (from >= to) return kNotDigits;
  const void* at = std::memchr(bytes.data() + from, c, to - from);
  return at == nullptr ? kNotDigits
                       : static_cast<std::size_t>(static_cast<const char*>(at) - bytes.data());
}

// A record's directory and where its data starts.
struct Directory {
  std::vector<Entry> entries;
  std::size_t dataStart = 0;
};

class RecordParser {
 public:
  RecordParser(std::string_view bytes, bool inputEnded, std::uint64_t offset,
               std::vector<Repair>& repairs)
      : bytes_(bytes), inputEnded_(inputEnded), offset_(offset), repairs_(repairs) {}

  // The record's bytes from the start of `bytes`, and its fields into
  // `record`; false when no field can be found.
  bool Parse(ExchangeRecord& record, std::size_t& end) {
    if (bytes_.size() < kShortestStart || !ReadDirectory() || !TagsReadable()) {
      end = EndWithoutDirectory();
      return false;
    }
    end = FindEnd();
    const std::size_t dataEnd =
        bytes_[end - 1] == kRecordTerminatorByte ? end - 1 : end;  // the 1D is no data
    if (!ReadFieldsAsDirected(dataEnd, record)) ReadFieldsByTerminators(dataEnd, record);
    if (record.FieldCount() == 0) return false;
    RepairIndicators(record);
    record.ReadLeader() = std::string(bytes_.substr(0, kLeaderBytes));
    RepairLeader(record);
    if (!repairs_.empty()) FitLeaderLengths(record);
    return true;
  }

 private:
  void Report(RepairKind kind, std::size_t at, std::string_view tag = {}, std::int64_t expected = 0,
              std::int64_t actual = 0, std::string_view text = {}) {
    Repair repair{kind, offset_ + at, 0, 0, std::string(tag), expected, actual, Cut(text)};
    repairs_.push_back(std::move(repair));
  }

  // The directory: where the base address says it ends, else up to the
  // first field terminator, else as far as entries go.
  bool ReadDirectory() {
    const std::size_t base = Number(bytes_.substr(kBaseAddressAt, kFiveDigits));
    const std::size_t limit = std::min(bytes_.size(), kMaxRecordBytes);
    const std::size_t terminator = Find(bytes_, kFieldTerminatorByte, kLeaderBytes, limit);
    const std::size_t recordEnd = Find(bytes_, kRecordTerminatorByte, kLeaderBytes, limit);
    std::size_t directoryEnd = kNotDigits;
    if (terminator != kNotDigits && (recordEnd == kNotDigits || terminator < recordEnd)) {
      directoryEnd = terminator;
    }
    if (directoryEnd != kNotDigits && (directoryEnd - kLeaderBytes) % kEntryBytes == 0) {
      directory_.dataStart = directoryEnd + 1;
      if (base != kNotDigits && base != directory_.dataStart) {
        Report(RepairKind::kBaseAddressWrong, kBaseAddressAt, {}, static_cast<std::int64_t>(base),
               static_cast<std::int64_t>(directory_.dataStart));
      }
      for (std::size_t at = kLeaderBytes; at < directoryEnd; at += kEntryBytes) {
        directory_.entries.push_back(ReadEntry(bytes_, at, kEntryBytes));
        if (!directory_.entries.back().Readable()) {
          Report(RepairKind::kDirectoryEntryDamaged, at, directory_.entries.back().tag,
                 static_cast<std::int64_t>(directory_.entries.size()), 0,
                 bytes_.substr(at, kEntryBytes));
        }
      }
      return !directory_.entries.empty();
    }
    std::size_t at = kLeaderBytes;
    while (IsEntry(bytes_, at) &&
           (directoryEnd == kNotDigits || at + kEntryBytes <= directoryEnd)) {
      directory_.entries.push_back(ReadEntry(bytes_, at, kEntryBytes));
      at += kEntryBytes;
    }
    // The base address tells a directory whose terminator is missing (the
    // entries stop where it says the data starts) from one with bytes put
    // in or taken out (its terminator a few bytes from where it says);
    // without it, a directory stopping short of a whole entry is damaged.
    const auto near = [](std::size_t a, std::size_t b) {
      return (a > b ? a - b : b - a) < kEntryBytes;
    };
    const bool damaged =
        directoryEnd != kNotDigits && LooksLikeEntries(at, directoryEnd) &&
        (base != kNotDigits && base > 0 ? base - 1 != at && near(base - 1, directoryEnd)
                                        : directoryEnd - at < kEntryBytes);
    if (damaged) {
      // Entries with bytes missing or wrong, then the directory's terminator:
      // each 12 bytes an entry, whose field is found by its terminator.
      for (; at < directoryEnd; at += kEntryBytes) {
        const std::size_t size = std::min(kEntryBytes, directoryEnd - at);
        directory_.entries.push_back(ReadEntry(bytes_, at, size));
        Report(RepairKind::kDirectoryEntryDamaged, at, directory_.entries.back().tag,
               static_cast<std::int64_t>(directory_.entries.size()), 0, bytes_.substr(at, size));
      }
      directory_.dataStart = directoryEnd + 1;
    } else {
      // No terminator after the entries: the data starts where they stop.
      Report(RepairKind::kDirectoryNotTerminated, at);
      directory_.dataStart = at;
    }
    return !directory_.entries.empty();
  }

  // A field without a tag of three visible bytes cannot be placed: the
  // record is handed back rather than guessed at.
  bool TagsReadable() const {
    return std::all_of(directory_.entries.begin(), directory_.entries.end(), [](const Entry& e) {
      return e.tag.size() == kTagBytes &&
             std::all_of(e.tag.begin(), e.tag.end(), [](char c) { return c > 0x20 && c < 0x7F; });
    });
  }

  // Bytes of a directory, not of a field: printable, no subfield delimiter.
  bool LooksLikeEntries(std::size_t from, std::size_t to) const {
    for (std::size_t at = from; at < to; ++at) {
      if (bytes_[at] < 0x20 || bytes_[at] > 0x7E) return false;
    }
    return true;
  }

  // Where a record without a readable directory ends: at its terminator, or
  // where the next record starts.
  std::size_t EndWithoutDirectory() const {
    const std::size_t limit = std::min(bytes_.size(), kMaxRecordBytes + 1);
    const std::size_t terminator = Find(bytes_, kRecordTerminatorByte, 0, limit);
    for (std::size_t at = 1; at < (terminator == kNotDigits ? limit : terminator); ++at) {
      if (LooksLikeRecordStart(bytes_, at)) return at;
    }
    return terminator == kNotDigits ? limit : terminator + 1;
  }

  // The record ends at the terminator its length points to; failing that at
  // its first record terminator, or where a record starts after one of its
  // field terminators; failing both at the end of the input.
  std::size_t FindEnd() {
    const std::size_t said = Number(bytes_.substr(kRecordLengthAt, kFiveDigits));
    const std::size_t dataStart = directory_.dataStart;
    const std::size_t limit = std::min(bytes_.size(), dataStart + kMaxRecordBytes);
    const std::size_t terminator = Find(bytes_, kRecordTerminatorByte, dataStart, limit);
    if (said != kNotDigits && terminator != kNotDigits && said == terminator + 1) return said;
    std::size_t end = kNotDigits;
    const std::size_t scanTo = terminator == kNotDigits ? limit : terminator;
    for (std::size_t at = Find(bytes_, kFieldTerminatorByte, dataStart, scanTo); at != kNotDigits;
         at = Find(bytes_, kFieldTerminatorByte, at + 1, scanTo)) {
      if (LooksLikeRecordStart(bytes_, at + 1)) {
        end = at + 1;
        Report(RepairKind::kRecordTerminatorMissing, at + 1);
        break;
      }
    }
    if (end == kNotDigits) {
      if (terminator != kNotDigits) {
        end = terminator + 1;
      } else {
        end = limit;
        if (inputEnded_ && limit == bytes_.size()) {
          Report(RepairKind::kRecordTruncated, end, {}, static_cast<std::int64_t>(said),
                 static_cast<std::int64_t>(end));
          truncated_ = true;
        } else {
          Report(RepairKind::kRecordTerminatorMissing, end);
        }
      }
    }
    if (said != kNotDigits && said != end && !truncated_) {
      Report(RepairKind::kRecordLengthWrong, kRecordLengthAt, {}, static_cast<std::int64_t>(said),
             static_cast<std::int64_t>(end));
    }
    return end;
  }

  // Every entry where the directory puts it, ending with a terminator and
  // holding none, the entries covering the data exactly (in any order).
  bool ReadFieldsAsDirected(std::size_t dataEnd, ExchangeRecord& record) {
    const std::size_t dataStart = directory_.dataStart;
    if (dataEnd < dataStart) return false;
    std::size_t covered = 0;
    bool inOrder = true;
    for (const Entry& entry : directory_.entries) {
      if (!entry.Readable() || entry.length == 0) return false;
      const std::size_t from = dataStart + entry.start, to = from + entry.length;
      if (to > dataEnd || bytes_[to - 1] != kFieldTerminatorByte ||
          Find(bytes_, kFieldTerminatorByte, from, to - 1) != kNotDigits ||
          Find(bytes_, kRecordTerminatorByte, from, to - 1) != kNotDigits) {
        return false;
      }
      inOrder = inOrder && entry.start == covered;
      covered += entry.length;
    }
    if (covered != dataEnd - dataStart) return false;
    if (!inOrder && !DisjointEntries()) return false;
    for (const Entry& entry : directory_.entries) {
      record.AppendReadField(std::string(entry.tag),
                             std::string(bytes_.substr(dataStart + entry.start, entry.length - 1)));
    }
    return true;
  }

  bool DisjointEntries() const {
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    for (const Entry& entry : directory_.entries) spans.emplace_back(entry.start, entry.length);
    std::sort(spans.begin(), spans.end());
    for (std::size_t i = 1; i < spans.size(); ++i) {
      if (spans[i - 1].first + spans[i - 1].second > spans[i].first) return false;
    }
    return true;
  }

  // The data split at its field terminators, the pieces paired with the
  // entries in order. Where there are fewer pieces than entries, a piece
  // longer than its entry says holds two fields whose terminator is missing.
  void ReadFieldsByTerminators(std::size_t dataEnd, ExchangeRecord& record) {
    const std::size_t dataStart = directory_.dataStart;
    std::size_t pieces = 0;
    for (std::size_t at = dataStart; at < dataEnd; ++pieces) {
      const std::size_t terminator = Find(bytes_, kFieldTerminatorByte, at, dataEnd);
      at = terminator == kNotDigits ? dataEnd : terminator + 1;
    }
    std::size_t at = dataStart;
    std::size_t missingTerminators = 0;  // each moves the fields after it one byte back
    const std::vector<Entry>& entries = directory_.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const Entry& entry = entries[i];
      if (at >= dataEnd) {
        if (!truncated_) {
          for (std::size_t k = i; k < entries.size(); ++k) {
            Report(RepairKind::kDirectoryPastData, dataEnd, entries[k].tag,
                   static_cast<std::int64_t>(entries[k].start), 0);
          }
        }
        break;
      }
      const std::size_t terminator = Find(bytes_, kFieldTerminatorByte, at, dataEnd);
      const std::size_t pieceEnd = terminator == kNotDigits ? dataEnd : terminator;
      const std::size_t found = at - dataStart + missingTerminators;
      if (entry.Readable() && entry.start != found && entry.start != at - dataStart) {
        Report(RepairKind::kDirectoryOffsetWrong, at, entry.tag,
               static_cast<std::int64_t>(entry.start), static_cast<std::int64_t>(at - dataStart));
      }
      const std::size_t piecesLeft = pieces - record.FieldCount();
      const bool merged = piecesLeft < entries.size() - i && entry.Readable() &&
                          entry.length >= 1 && entry.length - 1 < pieceEnd - at;
      if (merged) {
        record.AppendReadField(std::string(entry.tag),
                               std::string(bytes_.substr(at, entry.length - 1)));
        Report(RepairKind::kFieldTerminatorMissing, at + entry.length - 1, entry.tag);
        at += entry.length - 1;
        ++missingTerminators;
        ++pieces;  // the piece split in two
        continue;
      }
      record.AppendReadField(std::string(entry.tag), std::string(bytes_.substr(at, pieceEnd - at)));
      if (terminator == kNotDigits) {
        if (!truncated_) Report(RepairKind::kFieldTerminatorMissing, pieceEnd, entry.tag);
      } else if (entry.Readable() && entry.length != pieceEnd - at + 1) {
        Report(RepairKind::kDirectoryLengthWrong, at, entry.tag,
               static_cast<std::int64_t>(entry.length),
               static_cast<std::int64_t>(pieceEnd - at + 1));
      }
      at = terminator == kNotDigits ? dataEnd : terminator + 1;
    }
    if (at < dataEnd) {
      Report(RepairKind::kDataOutsideDirectory, at, {}, 0, static_cast<std::int64_t>(dataEnd - at),
             bytes_.substr(at, dataEnd - at));
    }
  }

  // A data field needs its two indicators in front of its first subfield.
  void RepairIndicators(ExchangeRecord& record) {
    for (ExchangeField& field : record.ReadFields()) {
      if (field.IsControlField()) continue;
      std::string& content = field.content;
      std::size_t indicators = 0;
      while (indicators < 2 && indicators < content.size() &&
             content[indicators] != kSubfieldDelimiterByte) {
        ++indicators;
      }
      if (indicators == 2) continue;
      Report(RepairKind::kIndicatorsMissing, 0, field.tag, 2,
             static_cast<std::int64_t>(indicators));
      content.insert(indicators, 2 - indicators, kBlankByte);
    }
  }

  // Digits where the leader must have them: the lengths are set anew, the
  // MARC 21 counts and entry map put back.
  void RepairLeader(ExchangeRecord& record) {
    std::string& leader = record.ReadLeader();
    for (const std::size_t at : {kRecordLengthAt, kBaseAddressAt}) {
      if (Number(std::string_view(leader).substr(at, kFiveDigits)) == kNotDigits) {
        Report(RepairKind::kLeaderNotDigits, at, {}, static_cast<std::int64_t>(at), kFiveDigits,
               std::string_view(leader).substr(at, kFiveDigits));
      }
    }
    for (const FixedLeaderDigits& fixed : kFixedLeaderDigits) {
      for (std::size_t i = 0; i < fixed.marc21.size(); ++i) {
        char& c = leader[fixed.at + i];
        if (IsDigit(c)) continue;
        Report(RepairKind::kLeaderNotDigits, fixed.at + i, {},
               static_cast<std::int64_t>(fixed.at + i), 1, std::string_view(&c, 1));
        c = fixed.marc21[i];
      }
    }
  }

  std::string_view bytes_;
  bool inputEnded_;
  std::uint64_t offset_;
  std::vector<Repair>& repairs_;
  Directory directory_;
  bool truncated_ = false;
};

}  // namespace

bool LooksLikeRecordStart(std::string_view bytes, std::size_t at, bool atBoundary) {
  if (at + kShortestStart > bytes.size()) return false;
  const std::string_view leader = bytes.substr(at, kLeaderBytes);
  for (char c : leader) {
    if (c == kSubfieldDelimiterByte || c == kFieldTerminatorByte || c == kRecordTerminatorByte) {
      return false;
    }
    if (!atBoundary && (c < 0x20 || c > 0x7E)) return false;
  }
  const int parts = (Number(leader.substr(kRecordLengthAt, kFiveDigits)) != kNotDigits) +
                    (leader.substr(10, 2) == "22") +
                    (Number(leader.substr(kBaseAddressAt, kFiveDigits)) != kNotDigits) +
                    (leader.substr(20, 3) == "450");
  // Leader/06, the type of record, is a letter: no run of directory digits
  // passes for a leader in the middle of other bytes.
  const char type = leader[6];
  const bool letter = (type >= 'a' && type <= 'z') || (type >= 'A' && type <= 'Z');
  return parts >= 2 && (letter || atBoundary) && IsEntry(bytes, at + kLeaderBytes);
}

Iso2709Reader::Iso2709Reader(ByteSource& source, InputPlace place)
    : MarcReader(place), window_(source) {
  framing_.format = OutputFormat::kIso2709;
}

void Iso2709Reader::FlushGarbage(std::vector<Repair>& repairs) {
  if (garbageBytes_ == 0) return;
  repairs.push_back({RepairKind::kGarbageSkipped,
                     garbageOffset_,
                     0,
                     0,
                     {},
                     0,
                     static_cast<std::int64_t>(garbageBytes_),
                     garbageStart_});
  garbageBytes_ = 0;
  garbageStart_.clear();
}

void Iso2709Reader::Reject(std::string_view bytes, RejectReason reason, ReadItem& item) {
  item.kind = ReadItem::Kind::kRejected;
  item.rejected.input = place_.input;
  item.rejected.number = TakeNumber();
  item.rejected.offset = window_.Offset();
  item.rejected.length = bytes.size();
  item.rejected.bytes = std::string(bytes);
  item.rejected.reason = reason;
}

std::size_t Iso2709Reader::ReadRecord(std::string_view bytes, bool inputEnded, ReadItem& item) {
  std::vector<Repair> repairs;
  RecordParser parser(bytes, inputEnded, window_.Offset(), repairs);
  std::size_t end = 0;
  ExchangeRecord& record = item.record;
  if (!parser.Parse(record, end)) {
    Reject(bytes.substr(0, end), RejectReason::kNoFields, item);
    return end;
  }
  if (end > kMaxRecordBytes) {
    Reject(bytes.substr(0, end), RejectReason::kTooLarge, item);
    return end;
  }
  RecordOrigin& origin = record.MutableOrigin();
  origin.format = OutputFormat::kIso2709;
  origin.input = place_.input;
  origin.number = TakeNumber();
  origin.offset = window_.Offset();
  origin.text = std::string(bytes.substr(0, end));
  origin.exact = repairs.empty();
  item.repairs.insert(item.repairs.end(), std::make_move_iterator(repairs.begin()),
                      std::make_move_iterator(repairs.end()));
  return end;
}

bool Iso2709Reader::Next(ReadItem& item) {
  StartItem(item);
  while (true) {
    const std::size_t available = window_.Ensure(kWindowBytes);
    const bool inputEnded = available < kWindowBytes;
    const std::string_view bytes = window_.View().substr(0, available);
    if (bytes.empty()) {
      if (window_.ReadFailed()) Fail({ReadErrorKind::kReadFailed, 0, window_.Offset(), 0, 0, {}});
      if (garbageBytes_ == 0) return false;
      item.kind = ReadItem::Kind::kRepairsOnly;
      FlushGarbage(item.repairs);
      return true;
    }
    std::size_t start = 0;
    bool fieldTerminatorSeen = false;
    while (start < bytes.size() && !LooksLikeRecordStart(bytes, start, atBoundary_ && start == 0)) {
      // A run of garbage that ends with a record terminator after a field
      // terminator held a record that cannot be read: it is handed back.
      if (bytes[start] == kRecordTerminatorByte && fieldTerminatorSeen) {
        FlushGarbage(item.repairs);
        Reject(bytes.substr(0, start + 1), RejectReason::kNoFields, item);
        window_.Consume(start + 1);
        atBoundary_ = true;
        return true;
      }
      fieldTerminatorSeen = fieldTerminatorSeen || bytes[start] == kFieldTerminatorByte;
      ++start;
    }
    if (start > 0) {
      // What remains when the input ends without a record start was meant
      // as one when it begins like a leader: handed back, not skipped.
      if (start == bytes.size() && inputEnded &&
          Number(bytes.substr(0, kFiveDigits)) != kNotDigits && bytes.size() >= kFiveDigits &&
          garbageBytes_ == 0) {
        FlushGarbage(item.repairs);
        Reject(bytes, RejectReason::kNoFields, item);
        window_.Consume(bytes.size());
        return true;
      }
      // Garbage: skipped, though a tail is kept while more input may make it
      // a record start.
      const std::size_t skip =
          start < bytes.size() || inputEnded ? start : bytes.size() - kShortestStart;
      if (garbageBytes_ == 0) garbageOffset_ = window_.Offset();
      if (garbageStart_.size() < kMaxRepairTextBytes) {
        garbageStart_ +=
            bytes.substr(0, std::min(skip, kMaxRepairTextBytes - garbageStart_.size()));
      }
      garbageBytes_ += skip;
      window_.Consume(skip);
      atBoundary_ = false;
      continue;
    }
    FlushGarbage(item.repairs);
    window_.Consume(ReadRecord(bytes, inputEnded, item));
    atBoundary_ = true;
    return true;
  }
}

}  // namespace velmora::marc_exchange
