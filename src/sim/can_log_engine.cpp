#include "sim/can_log_engine.hpp"

#include <algorithm>

#include "core/config/image.hpp"

namespace kivprism::sim {
namespace {

// Offsets inside a 17-byte CAN-log record.
constexpr std::size_t kRecordIdOffset = 0;
constexpr std::size_t kRecordLengthOffset = 4;
constexpr std::size_t kRecordDataOffset = 5;
constexpr std::size_t kRecordTimeOffset = 13;

// A handful of identifiers of the bulk traffic whose rate tests and benchmarks set: five standard
// and one extended (J1939-style) identifier, none of them used by the car's own sources, so that
// every identifier has one period and one length.
std::vector<std::uint32_t> defaultIdentifiers() {
  return {CanRecord::standardId(0x2C4), CanRecord::standardId(0x1B8), CanRecord::standardId(0x3F2),
          CanRecord::standardId(0x5D4), CanRecord::standardId(0x47A), 0x18FEF900};
}

// Wrap-safe order of two time stamps.
bool earlier(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) < 0; }

}  // namespace

void CanRecord::encode(std::span<std::uint8_t, kSize> out) const {
  config::writeLe(out, kRecordIdOffset, 4, identifierWord);
  out[kRecordLengthOffset] = length;
  std::copy(data.begin(), data.end(), out.begin() + kRecordDataOffset);
  config::writeLe(out, kRecordTimeOffset, 4, timeStamp);
}

CanRecord CanRecord::decode(std::span<const std::uint8_t, kSize> in) {
  CanRecord r;
  r.identifierWord = config::readLe(in, kRecordIdOffset, 4);
  r.length = in[kRecordLengthOffset];
  std::copy_n(in.begin() + kRecordDataOffset, r.data.size(), r.data.begin());
  r.timeStamp = config::readLe(in, kRecordTimeOffset, 4);
  return r;
}

CanLogEngine::CanLogEngine(std::uint32_t seed) : random_(seed) {
  for (const std::uint32_t id : defaultIdentifiers()) {
    Source s{id, static_cast<std::uint8_t>(2 + random_.below(7)), {}};
    for (std::uint8_t& b : s.data) {
      b = random_.byte();
    }
    sources_.push_back(s);
  }
}

void CanLogEngine::setMode(std::uint8_t mode, std::uint32_t now) {
  mode_ = mode;
  buffer_.clear();
  startTick_ = now;
  generated_ = 0;
  restartTraffic_ = false;
}

void CanLogEngine::setRate(std::uint32_t recordsPerSecond) {
  rate_ = recordsPerSecond;
  restartTraffic_ = true;
}

void CanLogEngine::update(std::uint32_t now, std::span<const CanRecord> otherFrames) {
  if (!running()) {
    return;
  }
  std::size_t other = 0;
  if (rate_ != 0) {
    if (restartTraffic_) {
      restartTraffic_ = false;
      startTick_ = now;
      generated_ = 0;
    }
    // Record g is stamped g * 1000 / rate after the start; those stamped before now are due. A
    // record stamped now waits for the next update, which the other sources' frames stamped now
    // do not: so no later update can bring a record older than one already handed out.
    const std::uint64_t elapsed = static_cast<std::uint32_t>(now - startTick_);
    const std::uint64_t due = (elapsed * rate_ + 999) / 1000;
    for (; generated_ < due; ++generated_) {
      const auto stamp = static_cast<std::uint32_t>(startTick_ + generated_ * 1000 / rate_);
      for (; other < otherFrames.size() && earlier(otherFrames[other].timeStamp, stamp); ++other) {
        record(otherFrames[other]);
      }
      record(nextTrafficRecord(stamp));
    }
  }
  for (; other < otherFrames.size(); ++other) {
    record(otherFrames[other]);
  }
}

std::vector<std::uint32_t> CanLogEngine::identifiers() const {
  std::vector<std::uint32_t> ids;
  for (const Source& s : sources_) {
    ids.push_back(s.identifierWord);
  }
  return ids;
}

CanRecord CanLogEngine::nextTrafficRecord(std::uint32_t timeStamp) {
  Source& s = sources_[nextSource_];
  nextSource_ = (nextSource_ + 1) % sources_.size();
  // Most frames repeat their data; now and then one byte changes, as a real bus does.
  if (random_.chance(20)) {
    s.data[random_.below(s.length)] = random_.byte();
  }
  CanRecord r;
  r.identifierWord = s.identifierWord;
  r.length = s.length;
  std::copy_n(s.data.begin(), s.length, r.data.begin());
  r.timeStamp = timeStamp;
  return r;
}

void CanLogEngine::queue(const CanRecord& r) { record(r); }

void CanLogEngine::record(const CanRecord& r) {
  if (buffer_.size() >= kBufferLimit) {
    ++dropped_;
    return;
  }
  buffer_.push_back(r);
}

std::size_t CanLogEngine::take(std::span<std::uint8_t> out) {
  std::size_t written = 0;
  while (!buffer_.empty() && out.size() - written >= CanRecord::kSize) {
    buffer_.front().encode(out.subspan(written).first<CanRecord::kSize>());
    buffer_.pop_front();
    written += CanRecord::kSize;
  }
  return written;
}

void CanLogEngine::clear() {
  mode_ = kStop;
  buffer_.clear();
  generated_ = 0;
}

}  // namespace kivprism::sim
