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

// A handful of identifiers a car bus typically carries: engine, speed, lights, steering-wheel
// keys, doors and one extended (J1939-style) identifier.
std::vector<std::uint32_t> defaultIdentifiers() {
  return {CanRecord::standardId(0x280), CanRecord::standardId(0x1A0), CanRecord::standardId(0x3E5),
          CanRecord::standardId(0x5C1), CanRecord::standardId(0x470), 0x18FEF100};
}

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

void CanLogEngine::update(std::uint32_t now) {
  if (!running() || rate_ == 0) {
    return;
  }
  if (restartTraffic_) {
    restartTraffic_ = false;
    startTick_ = now;
    generated_ = 0;
  }
  const std::uint64_t elapsed = static_cast<std::uint32_t>(now - startTick_);
  const std::uint64_t due = elapsed * rate_ / 1000;
  for (; generated_ < due; ++generated_) {
    const auto stamp = static_cast<std::uint32_t>(startTick_ + generated_ * 1000 / rate_);
    record(nextTrafficRecord(stamp));
  }
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
