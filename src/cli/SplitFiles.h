// A batch's MARC output split into numbered files of at most a given size
// (--split-size): «records.mrc» becomes «records-001.mrc», «records-002.mrc», …
// Each file is put in place when it is complete, before the next is opened.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "MarcExchange/RecordStream.h"
#include "cli/FileIo.h"

namespace velmora::cli {

// "8192", "8K" or "8k" (KiB), "1M" (MiB): the size in bytes; nullopt for
// anything else, zero, or more than 1 GiB.
std::optional<std::size_t> ParseSplitSize(std::string_view text);

// The n-th file (from 1) for `path`: the number, at least three digits,
// before the file name's extension: «out/records.mrc», 2 -> «out/records-002.mrc».
std::string NumberedPath(const std::string& path, std::size_t n);

class SplitFiles final : public marc_exchange::OutputSequence {
 public:
  explicit SplitFiles(std::string path) : path_(std::move(path)) {}
  std::ostream* OpenNext(std::string& error) override;
  bool CloseCurrent(std::string& error) override;
  // The file opened last.
  const std::string& CurrentName() const { return name_; }
  // «records-002.mrc: No space left on device»: why a file could not be
  // opened or completed; empty while all is well.
  const std::string& Error() const { return error_; }

 private:
  std::string path_, name_, error_;
  std::size_t opened_ = 0;
  std::unique_ptr<AtomicOutputFile> file_;
};

}  // namespace velmora::cli
