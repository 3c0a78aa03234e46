// MarcEdit's mnemonic text (.mrk) read a record at a time: records separated
// by empty lines, «=LDR  » and the leader, «=TAG  » and the indicators ("\"
// for a blank) and subfields introduced by "$", a control field's data as it
// is ("\" for a blank there too). The character names «{dollar}», «{acute}»
// stand for their MARC-8 byte in a MARC-8 record (leader/09 blank) and for
// their character in a UTF-8 one; a name not in MrkMnemonics stays as
// written and is reported. A line that does not start with "=" goes on the
// field before it, as MARCMaker reads it.
#pragma once

#include "MarcExchange/MarcReader.h"

namespace velmora::marc_exchange {

// A record's lines together are at most this long; a longer record is handed
// back with its first bytes.
inline constexpr std::size_t kMaxMrkRecordBytes = 1024 * 1024;

class MrkReader final : public MarcReader {
 public:
  MrkReader(ByteSource& source, InputPlace place);
  bool Next(ReadItem& item) override;
  OutputFormat Format() const override { return OutputFormat::kMrk; }

 private:
  struct Line {
    std::string_view text;  // without its line break
    std::size_t bytes = 0;  // with it
    std::string_view lineBreak;
  };
  // The line at the window's start; false at the end of the input.
  bool PeekLine(Line& line);
  void TakeLine(const Line& line);
  void ParseRecord(std::string_view text, ReadItem& item);

  ByteWindow window_;
  std::size_t lineNumber_ = 1;
  std::string framingText_;
  bool framingCut_ = false;
  bool sawRecord_ = false;
  bool started_ = false;
  std::vector<Repair> pending_;
  bool nextStartsWithoutBreak_ = false;  // a =LDR line ended the record before
};

}  // namespace velmora::marc_exchange
