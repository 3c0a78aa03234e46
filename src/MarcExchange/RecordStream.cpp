#include "MarcExchange/RecordStream.h"

#include <cassert>

#include "Messages/Translate.h"

namespace velmora::marc_exchange {

RecordStream::RecordStream(OutputFormat format, std::ostream& out, const CalendarDate& dateEntered)
    : formatter_(format, dateEntered), out_(&out) {}

RecordStream::RecordStream(OutputFormat format, OutputSequence& outputs, std::size_t maxBytes,
                           const CalendarDate& dateEntered)
    : formatter_(format, dateEntered), outputs_(&outputs), maxBytes_(maxBytes) {}

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
  out_->write(formatter_.Header().data(), static_cast<std::streamsize>(formatter_.Header().size()));
  outputBytes_ = formatter_.Header().size();
  outputRecords_ = 0;
  return true;
}

bool RecordStream::EndOutput() {
  out_->write(formatter_.Footer().data(), static_cast<std::streamsize>(formatter_.Footer().size()));
  out_->flush();
  if (!*out_) Fail(messages::Tr("cannot write"));
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
    outcome.oversized =
        formatter_.Header().size() + record_.size() + formatter_.Footer().size() > maxBytes_;
    const bool full = started_ && outputRecords_ > 0 &&
                      outputBytes_ + record_.size() + formatter_.Footer().size() > maxBytes_;
    if (full && !EndOutput()) return false;
  }
  if (!started_ && !StartOutput()) return false;
  out_->write(record_.data(), static_cast<std::streamsize>(record_.size()));
  outputBytes_ += record_.size();
  ++outputRecords_;
  return true;
}

RecordStream::Outcome RecordStream::Add(FormattedRecord record) {
  assert(!finished_);
  Outcome outcome;
  outcome.issues = std::move(record.issues);
  outcome.error = std::move(record.error);
  if (record.bytes.empty()) return outcome;
  record_ = std::move(record.bytes);
  outcome.written = Emit(outcome);
  if (outcome.written) ++written_;
  return outcome;
}

RecordStream::Outcome RecordStream::Add(TextView outputRecord, const RecordSource& source) {
  return Add(formatter_.Format(outputRecord, source));
}

RecordStream::Outcome RecordStream::AddWorkingText(TextView working) {
  return Add(formatter_.FormatWorkingText(working));
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

}  // namespace velmora::marc_exchange
