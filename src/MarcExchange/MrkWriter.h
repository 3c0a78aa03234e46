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
// {rcub} and {bsol}, which MarcEdit turns back into the characters.
class MrkWriter final : public RecordWriter {
 public:
  std::optional<WriteError> Write(const MarcRecord& record, std::string& out) override;

 private:
  RecordLayout layout_;
};

}  // namespace velmora::marc_exchange
