// The controller's side of the dialogues in which the program learns from the car: key learning
// (area 0x12), touch-panel calibration (area 0x11), touch-point capture (area 0x14) and the IR
// receiver (area 0x13). What the
// simulated driver does (which keys, which corners, where to touch, when) is a script that tests
// and the demo set; every time is counted on the controller's millisecond tick.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/sim_random.hpp"

namespace kivprism::sim {

inline constexpr std::size_t kKeyChannels = 4;
using KeyLevels = std::array<std::uint16_t, kKeyChannels>;

// One press of a steering-wheel key during the key phase of learning.
struct KeyPress {
  std::size_t channel = 0;    // 0..3
  std::uint16_t level = 0;    // 12-bit level the key pulls its channel to
  std::uint32_t startMs = 0;  // counted from the start of the key phase
  std::uint32_t durationMs = 0;
};

struct KeyLearningScript {
  // Levels of the four channels with no key pressed (4095: nothing connected).
  KeyLevels idleLevels{4000, 4095, 4095, 4095};
  // Every reading wanders below its nominal level by up to this much.
  std::uint16_t noise = 6;
  std::vector<KeyPress> presses;

  // Three keys on channel 1 (1000, 1840, 2600), each pressed twice, a second apart.
  static KeyLearningScript standard();
};

// Area 0x12. A write of byte 0 = 1 with zero thresholds starts learning (quiet phase: readings are
// the idle levels); a write of byte 0 = 1 with thresholds starts the key phase (readings are the
// level of the key held on each channel, 0 when none). A write of byte 0 = 0 ends learning.
class KeyLearning {
 public:
  static constexpr std::size_t kBlockSize = 9;
  static constexpr std::size_t kReadingSize = 2 * kKeyChannels;

  explicit KeyLearning(std::uint32_t seed) : random_(seed) {}

  void setScript(KeyLearningScript script) { script_ = std::move(script); }
  const KeyLearningScript& script() const { return script_; }

  // False when the block is not 9 bytes or its first byte is neither 0 nor 1.
  bool write(std::span<const std::uint8_t> block, std::uint32_t now);
  // The four channel readings at this tick.
  KeyLevels readings(std::uint32_t now);

  bool active() const { return active_; }
  bool inKeyPhase() const { return keyPhase_; }
  const KeyLevels& thresholds() const { return thresholds_; }
  void stop();

 private:
  std::uint16_t jitter(std::uint16_t level);

  SimRandom random_;
  KeyLearningScript script_ = KeyLearningScript::standard();
  KeyLevels thresholds_{};
  bool active_ = false;
  bool keyPhase_ = false;
  std::uint32_t keyPhaseStart_ = 0;
};

// One calibration state as area 0x11 reports it (bits 0..6 step, bit 7 touching) and how long the
// controller stays in it.
struct CalibrationStep {
  std::uint8_t state = 0;
  std::uint32_t durationMs = 0;
};

using TouchBlock = std::array<std::uint8_t, 9>;

struct TouchCalibrationScript {
  // The states in order; once they have run out the state reads 0 (calibration over). The
  // calibration succeeds when the last step is step 3, touched or not.
  std::vector<CalibrationStep> steps;
  // The touch block a successful calibration produces; the controller also keeps it as the first
  // nine bytes of its configuration.
  TouchBlock touchBlock{};

  // Top left, top right, bottom right, each pressed and released, about 1.8 s per corner.
  static TouchCalibrationScript standard();
};

class TouchCalibration {
 public:
  static constexpr std::uint8_t kStepMask = 0x7F;
  static constexpr std::uint8_t kSuccessStep = 3;

  void setScript(TouchCalibrationScript script) { script_ = std::move(script); }
  const TouchCalibrationScript& script() const { return script_; }

  void start(bool withMargin, std::uint32_t now);
  bool active() const { return active_; }
  bool withMargin() const { return margin_; }
  // The state byte at this tick (0 when no calibration runs).
  std::uint8_t state(std::uint32_t now) const;
  // Ends a calibration whose script has run out; gives the touch block when it succeeded.
  std::optional<TouchBlock> update(std::uint32_t now);
  void stop() { active_ = false; }

 private:
  std::uint32_t totalMs() const;

  TouchCalibrationScript script_ = TouchCalibrationScript::standard();
  bool active_ = false;
  bool margin_ = false;
  std::uint32_t start_ = 0;
};

struct TouchPointScript {
  bool touches = true;  // false: the user never touches the screen
  std::uint16_t x = 2048;
  std::uint16_t y = 1536;
  std::uint32_t afterMs = 1500;  // from the start of the capture
};

// Area 0x14. A write of a non-zero u16 starts waiting for a touch for that many milliseconds; a
// write of 0 ends the wait. A read gives a flag byte (1 = a point was captured) and X, Y as u16.
class TouchCapture {
 public:
  static constexpr std::size_t kCommandSize = 2;
  static constexpr std::size_t kReadingSize = 5;

  // One script for every capture.
  void setScript(TouchPointScript script) { setScripts({script}); }
  // Each capture takes the next script, starting again after the last one. An empty list
  // captures nothing.
  void setScripts(std::vector<TouchPointScript> scripts);
  // False when the command is not a u16.
  bool write(std::span<const std::uint8_t> command, std::uint32_t now);
  std::array<std::uint8_t, kReadingSize> reading(std::uint32_t now) const;
  bool waiting() const { return waiting_; }
  void stop() { waiting_ = false; }

 private:
  std::vector<TouchPointScript> scripts_{TouchPointScript{}};
  std::size_t nextScript_ = 0;
  TouchPointScript script_;
  bool waiting_ = false;
  std::uint32_t start_ = 0;
  std::uint32_t timeoutMs_ = 0;
};

using IrCodeRecord = std::array<std::uint8_t, 4>;

// What the remote sends, one code each time the program asks for the last code received.
struct IrCodeScript {
  std::vector<IrCodeRecord> codes;
  bool repeat = false;  // start again after the last code; otherwise the last one stays
};

// Area 0x13: a read gives the IR code record received last (protocol, command, address u16), all
// zero while none was received.
class IrReceiver {
 public:
  static constexpr std::size_t kRecordSize = 4;

  void setScript(IrCodeScript script);
  // A code received now; it stays the last one until the script gives another.
  void receive(const IrCodeRecord& record) { last_ = record; }
  // The answer to one read: the script's next code, or the last one received.
  IrCodeRecord read();

 private:
  IrCodeScript script_;
  std::size_t next_ = 0;
  IrCodeRecord last_{};
};

}  // namespace kivprism::sim
