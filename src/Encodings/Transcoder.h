// Converting a file from one representation into another, block by block:
// what `velmora-convert charset FROM TO` does between reading and writing.
//
// Each block must end at a line break or at the end of the input, so that no
// letter and no character is cut. Line breaks (CRLF, CR, LF) are written as
// LF; between two representations with number codes the letters convert
// exactly as ConvertCharset converts them. Unicode text is composed
// canonically (NFC) before it is written in a target that holds letters as
// codes of its own (ComposesBeforeWriting), so every letter the target holds
// is written whatever spelling it came in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "Encodings/EncodeReport.h"
#include "Encodings/Representation.h"
#include "Encodings/TextInput.h"
#include "ModMain/Text/Text.h"

namespace velmora::encodings {

class EightBitToUtf8;

class Transcoder {
 public:
  Transcoder(Representation from, Representation to, EncodeOptions options = {});

  struct Failure {
    bool badInput = false;  // the input is not well-formed text (`input` says where)
    TextInputError input{};
    std::size_t line = 0;    // else: a character the target cannot hold, at this line
    std::size_t column = 0;  // and column (characters, from 1) of the input
    char32_t character = 0;
  };

  // Appends the converted `block` to `out`. On failure, `out` holds the
  // output up to the line that failed.
  bool Convert(std::string_view block, std::string& out, Failure& failure);

  // What could not be written exactly, over every block so far.
  const EncodeReport& Report() const { return report_; }

 private:
  bool Decode(std::string_view block, Failure& failure);
  bool Composes() const;
  bool Writes(TextView piece) const;
  void FindPlace(std::size_t convertedIndex, Failure& failure) const;

  Representation from_, to_;
  EncodeOptions options_;
  EncodeReport report_;
  bool started_ = false;
  TextForm form_ = TextForm::Utf8;
  std::size_t bytesBefore_ = 0;           // input bytes in earlier blocks
  std::size_t linesBefore_ = 0;           // lines in earlier blocks
  Text units_, composed_, converted_;     // reused from block to block
  const EightBitToUtf8* fast_ = nullptr;  // for 8-bit files into UTF-8
};

}  // namespace velmora::encodings
