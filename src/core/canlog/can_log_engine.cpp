#include "core/canlog/can_log_engine.hpp"

#include <algorithm>

namespace kivprism::canlog {

namespace {

constexpr std::uint32_t kSecondMs = 1000;

void markChanges(PacketRow& row, const CanLogRecord& next, std::uint32_t now) {
  for (std::size_t k = 0; k < kMaxDataBytes; ++k) {
    const bool inOld = k < row.record.dataLength();
    const bool inNew = k < next.dataLength();
    if (inNew && (!inOld || row.record.data[k] != next.data[k])) {
      row.changedBytes = static_cast<std::uint8_t>(row.changedBytes | (1u << k));
      row.changedAt[k] = now;
    }
  }
}

}  // namespace

IntakeResult CanLogEngine::canLogIntake(const CanLogRecord& record, std::uint32_t now) {
  ++runningCount_;
  if (now - secondTick_ >= kSecondMs) {
    rate_ = runningCount_;
    runningCount_ = 0;
    secondTick_ = now;
  }

  const std::uint8_t signature = dataSignature(record);
  if (const auto f = filterOf_.find(record.identifierWord); f != filterOf_.end()) {
    FilterEntry& entry = filters_[f->second];
    if (entry.hidden) {
      return {IntakeOutcome::Dropped, 0};
    }
    if (mode_ == CanLogMode::HideNotChanged) {
      if (entry.signature == signature) {
        return {IntakeOutcome::Dropped, 0};
      }
      entry.signature = signature;
    }
  } else if (filters_.size() < kMaxFilterEntries) {
    filterOf_.emplace(record.identifierWord, filters_.size());
    filters_.push_back({record.identifierWord, false, signature});
  }

  if (const auto r = rowOf_.find(record.identifierWord); r != rowOf_.end()) {
    PacketRow& row = rows_[r->second];
    const std::uint32_t period = record.timeStamp - row.record.timeStamp;
    row.period = period >= kPeriodLimitMs ? 0 : period;
    ++row.count;
    markChanges(row, record, now);
    row.record = record;
    return {IntakeOutcome::Updated, r->second};
  }
  if (rows_.size() >= kMaxPacketRows) {
    return {IntakeOutcome::TableFull, 0};
  }
  rowOf_.emplace(record.identifierWord, rows_.size());
  rows_.push_back({record, 0, 1, 0, {}});
  return {IntakeOutcome::Added, rows_.size() - 1};
}

void CanLogEngine::setMode(CanLogMode mode, std::uint32_t now) {
  mode_ = mode;
  const bool hide = mode == CanLogMode::HideAccumulated;
  for (FilterEntry& entry : filters_) {
    entry.hidden = hide;
  }
  if (mode != CanLogMode::Stop) {
    restartRate(now);
  }
}

void CanLogEngine::restartRate(std::uint32_t now) {
  secondTick_ = now;
  runningCount_ = 0;
  rate_ = 0;
}

void CanLogEngine::clearRows() {
  rows_.clear();
  rowOf_.clear();
}

bool CanLogEngine::hideRow(std::size_t row) {
  if (row >= rows_.size()) {
    return false;
  }
  if (const auto f = filterOf_.find(rows_[row].record.identifierWord); f != filterOf_.end()) {
    filters_[f->second].hidden = true;
  }
  return true;
}

bool CanLogEngine::hideAllExceptRow(std::size_t row) {
  if (row >= rows_.size()) {
    return false;
  }
  const std::uint32_t keep = rows_[row].record.identifierWord;
  for (FilterEntry& entry : filters_) {
    if (entry.identifierWord != keep) {
      entry.hidden = true;
    }
  }
  return true;
}

void CanLogEngine::reset() { *this = CanLogEngine(); }

}  // namespace kivprism::canlog
