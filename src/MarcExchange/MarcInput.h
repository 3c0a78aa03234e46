// Reading MARC files whatever their format, found from the content, not the
// file name: ISO 2709 starts with a leader and a directory, MARCXML with "<"
// (after a byte order mark, white space or an XML declaration), .mrk with
// "=". Several inputs are one stream of records, numbered through, each
// input in its own format.
//
//   MarcInput input;
//   input.Add(first);            // ByteSources, read in the order added
//   input.Add(second);
//   ReadItem item;
//   while (input.Next(item)) {
//     for (const Repair& repair : item.repairs) report(input.CurrentInput(), repair);
//     switch (item.kind) {
//       case ReadItem::Kind::kRecord:      decide the charset, write item.record
//       case ReadItem::Kind::kRejected:    write item.rejected.bytes to the rejects file
//       case ReadItem::Kind::kRepairsOnly: nothing more
//     }
//   }
//   for (const ReadError& error : input.Errors()) report it   // each stopped its input
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MarcExchange/MarcReader.h"

namespace velmora::marc_exchange {

// The format whose start `start` (the first bytes of an input, a few
// kilobytes) has, or nullopt for none.
std::optional<OutputFormat> DetectMarcFormat(std::string_view start);
inline constexpr std::size_t kFormatDetectionBytes = 4096;

// The bytes already read from an input in front of the rest of it.
class PrefixedByteSource final : public ByteSource {
 public:
  PrefixedByteSource(std::string prefix, ByteSource& rest)
      : prefix_(std::move(prefix)), rest_(rest) {}
  std::size_t Read(char* to, std::size_t capacity) override;
  bool Failed() const override { return rest_.Failed(); }

 private:
  std::string prefix_;
  std::size_t at_ = 0;
  ByteSource& rest_;
};

// A reader for `source` in its format; nullptr with `error` set for an input
// that is not MARC (an empty input reads as ISO 2709 with no records).
struct OpenedReader {
  std::unique_ptr<PrefixedByteSource> source;
  std::unique_ptr<MarcReader> reader;
};
OpenedReader OpenMarcReader(ByteSource& source, InputPlace place, std::optional<ReadError>& error);

class MarcInput {
 public:
  void Add(ByteSource& source) { sources_.push_back(&source); }

  // The next item of the current input, moving on to the next input at the
  // end of one (or when an error stopped it); false after the last.
  bool Next(ReadItem& item);
  // The input of the item last given, from 0.
  std::size_t CurrentInput() const { return current_; }
  // The format of the current input.
  std::optional<OutputFormat> CurrentFormat() const;
  // The format of the last input opened, also once all have been read.
  std::optional<OutputFormat> LastFormat() const { return lastFormat_; }
  // The errors that stopped inputs, in order.
  const std::vector<ReadError>& Errors() const { return errors_; }
  // The framing of the only input, once it has been read through; for
  // several inputs it is never reusable.
  FileFraming Framing() const;
  // The prologue of the only input once its first record has been read
  // (the writer begins with it), else a framing that is not reusable.
  FileFraming FramingSoFar() const;

 private:
  bool Open();

  std::vector<ByteSource*> sources_;
  std::size_t current_ = 0;
  bool opened_ = false;
  OpenedReader reader_;
  std::size_t nextNumber_ = 1;
  std::vector<ReadError> errors_;
  FileFraming lastFraming_;
  std::optional<OutputFormat> lastFormat_;
};

}  // namespace velmora::marc_exchange
