#include "sim/learning_scripts.hpp"

#include <algorithm>
#include <utility>

#include "core/config/image.hpp"

namespace kivprism::sim {
namespace {

constexpr std::uint8_t kLearningOff = 0;
constexpr std::uint8_t kLearningOn = 1;
constexpr std::size_t kThresholdsOffset = 1;

bool elapsedWithin(std::uint32_t now, std::uint32_t start, std::uint32_t from, std::uint32_t span) {
  const std::uint32_t elapsed = now - start;
  return elapsed >= from && elapsed - from < span;
}

}  // namespace

KeyLearningScript KeyLearningScript::standard() {
  KeyLearningScript s;
  const std::uint16_t levels[] = {1000, 1840, 2600};
  std::uint32_t t = 1000;
  for (int round = 0; round < 2; ++round) {
    for (const std::uint16_t level : levels) {
      s.presses.push_back({0, level, t, 300});
      t += 1000;
    }
  }
  return s;
}

bool KeyLearning::write(std::span<const std::uint8_t> block, std::uint32_t now) {
  if (block.size() != kBlockSize || block[0] > kLearningOn) {
    return false;
  }
  if (block[0] == kLearningOff) {
    stop();
    return true;
  }
  for (std::size_t c = 0; c < kKeyChannels; ++c) {
    thresholds_[c] =
        static_cast<std::uint16_t>(config::readLe(block, kThresholdsOffset + 2 * c, 2));
  }
  // Learning opens with zero thresholds; the write that carries the thresholds (each at least
  // 32 above a quiet level) starts the key phase. A repeated write, as a retry sends it, changes
  // neither the phase nor its start.
  const bool thresholdsSet =
      std::any_of(thresholds_.begin(), thresholds_.end(), [](std::uint16_t t) { return t != 0; });
  if (thresholdsSet && !keyPhase_) {
    keyPhase_ = true;
    keyPhaseStart_ = now;
  }
  active_ = true;
  return true;
}

KeyLevels KeyLearning::readings(std::uint32_t now) {
  KeyLevels out{};
  if (!keyPhase_) {
    for (std::size_t c = 0; c < kKeyChannels; ++c) {
      out[c] = jitter(script_.idleLevels[c]);
    }
    return out;
  }
  for (const KeyPress& p : script_.presses) {
    if (p.channel < kKeyChannels && elapsedWithin(now, keyPhaseStart_, p.startMs, p.durationMs)) {
      out[p.channel] = jitter(p.level);
    }
  }
  return out;
}

std::uint16_t KeyLearning::jitter(std::uint16_t level) {
  const std::uint32_t drop = random_.below(script_.noise + 1u);
  // Never 0: a key channel reading of 0 means "no key".
  return static_cast<std::uint16_t>(level > drop ? level - drop : 1);
}

void KeyLearning::stop() {
  active_ = false;
  keyPhase_ = false;
  thresholds_ = {};
}

TouchCalibrationScript TouchCalibrationScript::standard() {
  TouchCalibrationScript s;
  constexpr std::uint8_t kTouching = 0x80;
  for (std::uint8_t step = 1; step <= TouchCalibration::kSuccessStep; ++step) {
    s.steps.push_back({step, 1500});
    s.steps.push_back({static_cast<std::uint8_t>(step | kTouching), 300});
  }
  // Panel orientation, then the raw X/Y of the top-left and bottom-right picture corners.
  s.touchBlock = {0x01, 0xC8, 0x00, 0xB4, 0x00, 0x38, 0x0F, 0x4C, 0x0F};
  return s;
}

void TouchCalibration::start(bool withMargin, std::uint32_t now) {
  active_ = true;
  margin_ = withMargin;
  start_ = now;
}

std::uint32_t TouchCalibration::totalMs() const {
  std::uint32_t total = 0;
  for (const CalibrationStep& s : script_.steps) {
    total += s.durationMs;
  }
  return total;
}

std::uint8_t TouchCalibration::state(std::uint32_t now) const {
  if (!active_) {
    return 0;
  }
  std::uint32_t from = 0;
  for (const CalibrationStep& s : script_.steps) {
    if (elapsedWithin(now, start_, from, s.durationMs)) {
      return s.state;
    }
    from += s.durationMs;
  }
  return 0;
}

std::optional<TouchBlock> TouchCalibration::update(std::uint32_t now) {
  if (!active_ || now - start_ < totalMs()) {
    return std::nullopt;
  }
  active_ = false;
  if (!script_.steps.empty() && (script_.steps.back().state & kStepMask) == kSuccessStep) {
    return script_.touchBlock;
  }
  return std::nullopt;
}

void TouchCapture::setScripts(std::vector<TouchPointScript> scripts) {
  scripts_ = std::move(scripts);
  nextScript_ = 0;
}

bool TouchCapture::write(std::span<const std::uint8_t> command, std::uint32_t now) {
  if (command.size() != kCommandSize) {
    return false;
  }
  timeoutMs_ = config::readLe(command, 0, 2);
  waiting_ = timeoutMs_ != 0;
  start_ = now;
  if (waiting_) {
    script_ = TouchPointScript{false};
    if (!scripts_.empty()) {
      script_ = scripts_[nextScript_];
      nextScript_ = (nextScript_ + 1) % scripts_.size();
    }
  }
  return true;
}

std::array<std::uint8_t, TouchCapture::kReadingSize> TouchCapture::reading(
    std::uint32_t now) const {
  std::array<std::uint8_t, kReadingSize> out{};
  const std::uint32_t elapsed = now - start_;
  if (waiting_ && script_.touches && elapsed >= script_.afterMs && script_.afterMs < timeoutMs_) {
    out[0] = 1;
    config::writeLe(out, 1, 2, script_.x);
    config::writeLe(out, 3, 2, script_.y);
  }
  return out;
}

void IrReceiver::setScript(IrCodeScript script) {
  script_ = std::move(script);
  next_ = 0;
}

IrCodeRecord IrReceiver::read() {
  if (next_ < script_.codes.size()) {
    last_ = script_.codes[next_++];
    if (script_.repeat && next_ == script_.codes.size()) {
      next_ = 0;
    }
  }
  return last_;
}

}  // namespace kivprism::sim
