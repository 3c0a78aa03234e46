#include "MarcExchange/MarcInput.h"

#include <algorithm>
#include <cstring>

#include "MarcExchange/Iso2709Reader.h"
#include "MarcExchange/MarcXmlReader.h"
#include "MarcExchange/MrkReader.h"

namespace velmora::marc_exchange {

std::optional<OutputFormat> DetectMarcFormat(std::string_view start) {
  if (start.empty() || LooksLikeRecordStart(start, 0, true)) return OutputFormat::kIso2709;
  if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF") ||
      start.starts_with(std::string_view("<\0", 2)) ||
      start.starts_with(std::string_view("\0<", 2))) {
    return OutputFormat::kMarcXml;  // UTF-16
  }
  std::string_view text = start;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first != std::string_view::npos) {
    if (text[first] == '<') return OutputFormat::kMarcXml;
    if (text[first] == '=') return OutputFormat::kMrk;
  }
  // A mnemonic file with lines of something else in front.
  if (text.find("\n=LDR  ") != std::string_view::npos) return OutputFormat::kMrk;
  // ISO 2709 after some garbage, or a leader whose digits are damaged.
  for (std::size_t at = 0; at < start.size(); ++at) {
    if (LooksLikeRecordStart(start, at)) return OutputFormat::kIso2709;
  }
  if (start.size() >= 5 &&
      std::all_of(start.begin(), start.begin() + 5, [](char c) { return c >= '0' && c <= '9'; })) {
    return OutputFormat::kIso2709;  // a record too short or damaged for its directory
  }
  return std::nullopt;
}

std::size_t PrefixedByteSource::Read(char* to, std::size_t capacity) {
  if (at_ < prefix_.size()) {
    const std::size_t n = std::min(capacity, prefix_.size() - at_);
    std::memcpy(to, prefix_.data() + at_, n);
    at_ += n;
    return n;
  }
  return rest_.Read(to, capacity);
}

OpenedReader OpenMarcReader(ByteSource& source, InputPlace place, std::optional<ReadError>& error) {
  std::string start(kFormatDetectionBytes, '\0');
  std::size_t got = 0;
  while (got < start.size()) {
    const std::size_t n = source.Read(start.data() + got, start.size() - got);
    if (n == 0) break;
    got += n;
  }
  start.resize(got);
  OpenedReader opened;
  if (source.Failed()) {
    error = ReadError{ReadErrorKind::kReadFailed, place.input, got, 0, 0, {}};
    return opened;
  }
  const std::optional<OutputFormat> format = DetectMarcFormat(start);
  if (!format) {
    error = ReadError{ReadErrorKind::kNotMarc, place.input, 0, 1, 1, {}};
    return opened;
  }
  opened.source = std::make_unique<PrefixedByteSource>(std::move(start), source);
  switch (*format) {
    case OutputFormat::kMarcXml:
      opened.reader = std::make_unique<MarcXmlReader>(*opened.source, place);
      break;
    case OutputFormat::kMrk:
      opened.reader = std::make_unique<MrkReader>(*opened.source, place);
      break;
    default:
      opened.reader = std::make_unique<Iso2709Reader>(*opened.source, place);
      break;
  }
  return opened;
}

bool MarcInput::Open() {
  while (current_ < sources_.size()) {
    std::optional<ReadError> error;
    reader_ = OpenMarcReader(*sources_[current_], {current_, nextNumber_}, error);
    if (reader_.reader) {
      lastFormat_ = reader_.reader->Format();
      return true;
    }
    errors_.push_back(*error);
    ++current_;
  }
  return false;
}

bool MarcInput::Next(ReadItem& item) {
  while (true) {
    if (!opened_) {
      opened_ = true;
      if (!Open()) return false;
    }
    if (reader_.reader == nullptr) return false;
    if (reader_.reader->Next(item)) return true;
    if (reader_.reader->Error()) errors_.push_back(*reader_.reader->Error());
    nextNumber_ = reader_.reader->NextNumber();
    lastFraming_ = reader_.reader->Framing();
    reader_ = {};
    if (++current_ >= sources_.size()) return false;
    if (!Open()) return false;
  }
}

std::optional<OutputFormat> MarcInput::CurrentFormat() const {
  if (reader_.reader == nullptr) return std::nullopt;
  return reader_.reader->Format();
}

FileFraming MarcInput::Framing() const {
  FileFraming framing = lastFraming_;
  if (sources_.size() != 1) framing.reusable = false;
  return framing;
}

FileFraming MarcInput::FramingSoFar() const {
  FileFraming framing;
  if (sources_.size() == 1 && reader_.reader != nullptr) framing = reader_.reader->Framing();
  if (sources_.size() != 1) framing.reusable = false;
  return framing;
}

}  // namespace velmora::marc_exchange
