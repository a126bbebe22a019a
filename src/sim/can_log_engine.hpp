// The controller's CAN-log recorder: while a log mode is set it records the traffic of a small
// simulated car bus as 17-byte records, time-stamped with the controller's millisecond tick, and
// hands them out whole through area 0x15.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "sim/sim_random.hpp"

namespace kivprism::sim {

// One CAN-log record as the controller delivers it (little-endian, packed). Coded here and not
// with the program's canlog::CanLogRecord: the simulator stands for the controller, so the
// program's codec is checked against an independent one instead of against itself.
struct CanRecord {
  static constexpr std::size_t kSize = 17;

  // A standard identifier shifted left by 18, or an extended 29-bit identifier as is.
  std::uint32_t identifierWord = 0;
  std::uint8_t length = 0;  // 0..8
  std::array<std::uint8_t, 8> data{};
  std::uint32_t timeStamp = 0;

  static constexpr std::uint32_t standardId(std::uint32_t id) { return id << 18; }
  void encode(std::span<std::uint8_t, kSize> out) const;
  static CanRecord decode(std::span<const std::uint8_t, kSize> in);
};

class CanLogEngine {
 public:
  // Log modes as the program writes them; the controller records in every mode but 0.
  static constexpr std::uint8_t kStop = 0;
  static constexpr std::uint8_t kHighestMode = 3;
  // Records the controller can hold before it drops new ones.
  static constexpr std::size_t kBufferLimit = 2048;

  explicit CanLogEngine(std::uint32_t seed);

  // Starts (mode 1..3) or stops (0) recording at the given tick; every change empties the buffer.
  void setMode(std::uint8_t mode, std::uint32_t now);
  std::uint8_t mode() const { return mode_; }
  bool running() const { return mode_ != kStop; }

  // Records per second of the simulated bus traffic, from the next update on; 0 records only
  // queued records.
  void setRate(std::uint32_t recordsPerSecond);
  std::uint32_t rate() const { return rate_; }

  // Records the traffic stamped before this tick, in time order together with the frames of the
  // other bus sources (oldest first, none stamped later than now). Nothing is recorded while
  // stopped.
  void update(std::uint32_t now, std::span<const CanRecord> otherFrames = {});
  // The identifiers of the recorder's own traffic; no other source may use them.
  std::vector<std::uint32_t> identifiers() const;
  // A record of the caller's making, handed out in turn with the generated ones (also while
  // stopped, so that tests can feed exact records).
  void queue(const CanRecord& record);

  bool hasRecords() const { return !buffer_.empty(); }
  std::size_t pending() const { return buffer_.size(); }
  std::size_t dropped() const { return dropped_; }
  // Moves as many whole records as fit into out; returns the bytes written.
  std::size_t take(std::span<std::uint8_t> out);

  // Power-on state: stopped, empty.
  void clear();

 private:
  struct Source {
    std::uint32_t identifierWord;
    std::uint8_t length;
    std::array<std::uint8_t, 8> data;
  };

  void record(const CanRecord& record);
  CanRecord nextTrafficRecord(std::uint32_t timeStamp);

  SimRandom random_;
  std::vector<Source> sources_;
  std::deque<CanRecord> buffer_;
  std::uint8_t mode_ = kStop;
  std::uint32_t rate_ = 100;
  std::uint32_t startTick_ = 0;
  std::uint64_t generated_ = 0;
  std::size_t nextSource_ = 0;
  std::size_t dropped_ = 0;
  bool restartTraffic_ = false;
};

}  // namespace kivprism::sim
