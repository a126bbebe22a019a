#include "core/canlog/capture_store.hpp"

#include <algorithm>

#include "core/canlog/can_log_engine.hpp"

namespace kivprism::canlog {

namespace {

// 65536 records, about 1.1 MB: small enough to take at once, large enough to be few.
constexpr std::size_t kBlockRecords = std::size_t{1} << 16;

}  // namespace

CaptureStore::CaptureStore(std::size_t capacity)
    : capacity_(std::max<std::size_t>(capacity, 1)),
      blockRecords_(std::min(kBlockRecords, capacity_)),
      blocks_((capacity_ + blockRecords_ - 1) / blockRecords_) {}

CaptureStore::Slot& CaptureStore::slot(std::size_t ring) {
  std::unique_ptr<Slot[]>& block = blocks_[ring / blockRecords_];
  if (!block) {
    block = std::make_unique<Slot[]>(blockRecords_);
  }
  return block[ring % blockRecords_];
}

const CaptureStore::Slot& CaptureStore::slot(std::size_t ring) const {
  return blocks_[ring / blockRecords_][ring % blockRecords_];
}

void CaptureStore::add(const CanLogRecord& record) {
  std::size_t ring = 0;
  if (size_ < capacity_) {
    ring = (first_ + size_) % capacity_;
    ++size_;
  } else {
    ring = first_;
    first_ = (first_ + 1) % capacity_;
    ++dropped_;
  }
  record.encode(slot(ring));
}

void CaptureStore::clear() {
  for (auto& block : blocks_) {
    block.reset();
  }
  first_ = 0;
  size_ = 0;
  dropped_ = 0;
}

std::size_t CaptureStore::allocated() const {
  return blockRecords_ *
         static_cast<std::size_t>(std::count_if(
             blocks_.begin(), blocks_.end(), [](const auto& block) { return block != nullptr; }));
}

CanLogRecord CaptureStore::at(std::size_t i) const {
  return CanLogRecord::decode(slot((first_ + i) % capacity_));
}

bool saveCapture(const CaptureStore& store, const std::filesystem::path& path, LogForm form,
                 const std::tm& start) {
  std::ofstream stream(path, std::ios::binary | std::ios::out | std::ios::trunc);
  if (!stream.is_open()) {
    return false;
  }
  LogFormatter formatter(form);
  formatter.setStart(start);
  stream << formatter.fileStart(start);
  // A fresh engine shows every kept record, as each of them reached a row when it came.
  CanLogEngine engine;
  for (std::size_t i = 0; i < store.size() && stream.good(); ++i) {
    const IntakeResult result = engine.canLogIntake(store.at(i), 0);
    if (result.shown()) {
      stream << formatter.recordText(engine.rows()[result.row]);
    }
  }
  stream << formatter.fileEnd();
  stream.close();
  return !stream.fail();
}

}  // namespace kivprism::canlog
