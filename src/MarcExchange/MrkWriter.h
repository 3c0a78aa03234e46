// MarcEdit's mnemonic text («.mrk»), one field per line, CRLF line breaks:
//   =LDR  00095nam\a2200061\\\4500
//   =001  VN-LIBOL-000123
//   =245  00$aDế Mèn$bSub
//   =260  \\$aHà Nội$bKim Đồng
// and an empty line after each record.
#pragma once

#include "MarcExchange/RecordWriter.h"

namespace velmora::marc_exchange {

// A blank in the leader, a control field or an indicator is "\"; in values
// "$", "{", "}" and "\" are written as the mnemonics {dollar}, {lcub},
// {rcub} and {bsol}, which MarcEdit turns back into the characters, and a
// control character as its name ({esc}, {0D}). A record in UTF-8 (leader/09
// 'a') keeps its other bytes; in a MARC-8 record every byte beyond ASCII is
// written as its name ({acute}, {dstrok}), as MARCBreaker writes it.
class MrkWriter final : public RecordWriter {
 public:
  using RecordWriter::Write;
  std::optional<WriteError> Write(const ExchangeRecord& record, std::string& out) override;

 protected:
  OutputFormat Format() const override { return OutputFormat::kMrk; }
};

}  // namespace velmora::marc_exchange
