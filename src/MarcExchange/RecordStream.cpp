#include "MarcExchange/RecordStream.h"

#include <cassert>

#include "Encodings/Utf8.h"
#include "MarcExchange/Iso2709Writer.h"
#include "MarcExchange/MarcXmlWriter.h"
#include "MarcExchange/MrkWriter.h"
#include "MarcExchange/SourceIndicators.h"
#include "ModMain/LineBreaks.h"

namespace velmora::marc {

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

RecordStream::RecordStream(OutputFormat format, std::ostream& out, const CalendarDate& dateEntered)
    : writer_(MakeRecordWriter(format)), dateEntered_(dateEntered), out_(&out) {
  MakeHeaderAndFooter();
}

RecordStream::RecordStream(OutputFormat format, OutputSequence& outputs, std::size_t maxBytes,
                           const CalendarDate& dateEntered)
    : writer_(MakeRecordWriter(format)),
      dateEntered_(dateEntered),
      outputs_(&outputs),
      maxBytes_(maxBytes) {
  MakeHeaderAndFooter();
}

void RecordStream::MakeHeaderAndFooter() {
  if (writer_ == nullptr) return;
  writer_->Begin(header_);
  writer_->End(footer_);
}

RecordStream::~RecordStream() = default;

void RecordStream::Fail(std::string error) {
  failed_ = true;
  if (outputError_.empty()) outputError_ = std::move(error);
}

// A new output (split streams) gets its header; so does the one output,
// once.
bool RecordStream::StartOutput() {
  if (outputs_ != nullptr) {
    std::string error;
    out_ = outputs_->OpenNext(error);
    if (out_ == nullptr) {
      Fail(error);
      return false;
    }
    ++outputsOpened_;
  }
  started_ = true;
  out_->write(header_.data(), static_cast<std::streamsize>(header_.size()));
  outputBytes_ = header_.size();
  outputRecords_ = 0;
  return true;
}

bool RecordStream::EndOutput() {
  out_->write(footer_.data(), static_cast<std::streamsize>(footer_.size()));
  out_->flush();
  if (!*out_) Fail("cannot write");
  if (outputs_ != nullptr) {
    std::string error;
    if (!outputs_->CloseCurrent(error)) Fail(error);
    out_ = nullptr;
    started_ = false;
  }
  return !failed_;
}

bool RecordStream::Emit(Outcome& outcome) {
  if (failed_) return false;
  if (maxBytes_ > 0) {
    outcome.oversized = header_.size() + record_.size() + footer_.size() > maxBytes_;
    const bool full = started_ && outputRecords_ > 0 &&
                      outputBytes_ + record_.size() + footer_.size() > maxBytes_;
    if (full && !EndOutput()) return false;
  }
  if (!started_ && !StartOutput()) return false;
  out_->write(record_.data(), static_cast<std::streamsize>(record_.size()));
  outputBytes_ += record_.size();
  ++outputRecords_;
  return true;
}

RecordStream::Outcome RecordStream::AddText(TextView text) {
  Outcome outcome;
  if (text.empty()) return outcome;
  // The text as it is: only lone surrogates replaced (U+FFFD).
  record_.clear();
  AppendEncodedUtf8(Replace(text, kCrlf, kPlatformLineBreakText), record_);
  record_ += kPlatformLineBreak;
  outcome.written = Emit(outcome);
  if (outcome.written) ++written_;
  return outcome;
}

RecordStream::Outcome RecordStream::AddParsed(ParseResult parsed) {
  Outcome outcome;
  outcome.issues = std::move(parsed.issues);
  CompleteForExchange(parsed.record, dateEntered_);
  record_.clear();
  outcome.error = writer_->Write(parsed.record, record_);
  if (outcome.error) return outcome;
  outcome.written = Emit(outcome);
  if (outcome.written) ++written_;
  return outcome;
}

RecordStream::Outcome RecordStream::Add(TextView outputRecord, const RecordSource& source) {
  assert(!finished_);
  if (writer_ == nullptr) return AddText(outputRecord);
  ParseResult parsed = ParseOutputRecord(outputRecord);
  if (!source.origins.empty()) ApplySourceIndicators(parsed, source.working, source.origins);
  return AddParsed(std::move(parsed));
}

RecordStream::Outcome RecordStream::AddWorkingText(TextView working) {
  assert(!finished_);
  if (writer_ == nullptr) return AddText(working);
  return AddParsed(ParseWorkingText(working));
}

bool RecordStream::Finish() {
  if (finished_) return !failed_;
  finished_ = true;
  if (failed_) return false;
  // An output with no record is still written: empty, or an empty collection.
  if (!started_ && (outputs_ == nullptr || outputsOpened_ == 0) && !StartOutput()) return false;
  if (started_) EndOutput();
  return !failed_;
}

}  // namespace velmora::marc
