#include "MarcExchange/RecordStream.h"

#include <cassert>

#include "MarcExchange/Iso2709Writer.h"
#include "MarcExchange/MarcXmlWriter.h"
#include "MarcExchange/MrkWriter.h"
#include "Encodings/Utf8.h"

namespace velmora::marc {
namespace {

constexpr char kRecordLineBreak = '\n';

}  // namespace

std::unique_ptr<RecordWriter> MakeRecordWriter(OutputFormat format) {
  switch (format) {
    case OutputFormat::kRecord:
      return nullptr;
    case OutputFormat::kIso2709:
      return std::make_unique<Iso2709Writer>();
    case OutputFormat::kMarcXml:
      return std::make_unique<MarcXmlWriter>();
    case OutputFormat::kMrk:
      return std::make_unique<MrkWriter>();
  }
  return nullptr;
}

RecordStream::RecordStream(OutputFormat format, std::ostream& out)
    : format_(format), out_(out), writer_(MakeRecordWriter(format)) {}

RecordStream::~RecordStream() = default;

void RecordStream::BeginOnce() {
  if (begun_) return;
  begun_ = true;
  if (writer_ != nullptr) writer_->Begin(buffer_);
}

void RecordStream::Flush() {
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

RecordStream::Outcome RecordStream::Add(TextView outputRecord) {
  assert(!finished_);
  BeginOnce();
  Outcome outcome;
  if (writer_ == nullptr) {
    if (!outputRecord.empty()) {
      // The output record as text: only lone surrogates replaced (U+FFFD).
      AppendEncodedUtf8(Replace(outputRecord, kCrlf, u"\n"), buffer_);
      buffer_ += kRecordLineBreak;
      outcome.written = true;
    }
  } else {
    ParseResult parsed = ParseOutputRecord(outputRecord);
    outcome.issues = std::move(parsed.issues);
    outcome.error = writer_->Write(parsed.record, buffer_);
    outcome.written = !outcome.error;
  }
  if (outcome.written) ++written_;
  Flush();
  return outcome;
}

bool RecordStream::Finish() {
  BeginOnce();
  if (!finished_ && writer_ != nullptr) writer_->End(buffer_);
  finished_ = true;
  Flush();
  out_.flush();
  return static_cast<bool>(out_);
}

}  // namespace velmora::marc
