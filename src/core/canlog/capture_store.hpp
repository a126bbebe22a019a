// The records a capture showed, kept so that the log can be saved after the capture: the newest
// ones up to a bound, each as the 17 bytes the controller delivered. The memory grows in blocks as
// records come and is never copied, so keeping a record costs the same at the millionth as at the
// first.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/canlog/can_record.hpp"
#include "core/canlog/log_writer.hpp"

namespace kivprism::canlog {

// About 17 MB of records.
inline constexpr std::size_t kCaptureCapacity = 1000000;

class CaptureStore {
 public:
  explicit CaptureStore(std::size_t capacity = kCaptureCapacity);

  // Keeps the record; when full, the oldest one makes room.
  void add(const CanLogRecord& record);
  // Forgets every record and gives the memory back.
  void clear();

  std::size_t size() const { return size_; }
  std::size_t capacity() const { return capacity_; }
  bool empty() const { return size_ == 0; }
  // Records that made room for newer ones since the last clear.
  std::uint64_t dropped() const { return dropped_; }
  // Records the memory taken now can hold.
  std::size_t allocated() const;
  // The record at position i, 0 the oldest kept.
  CanLogRecord at(std::size_t i) const;

 private:
  using Slot = std::array<std::uint8_t, kRecordSize>;
  Slot& slot(std::size_t ring);
  const Slot& slot(std::size_t ring) const;

  std::size_t capacity_;
  std::size_t blockRecords_;
  std::vector<std::unique_ptr<Slot[]>> blocks_;
  std::size_t first_ = 0;  // ring position of the oldest record
  std::size_t size_ = 0;
  std::uint64_t dropped_ = 0;
};

// Writes the kept records to a file in the form chosen, as the page would have written them had
// the file been open from the capture's start: numbers, counts and periods are counted again over
// the kept records. False when the file cannot be created or written.
bool saveCapture(const CaptureStore& store, const std::filesystem::path& path, LogForm form,
                 const std::tm& start);

}  // namespace kivprism::canlog
