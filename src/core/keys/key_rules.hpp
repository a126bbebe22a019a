// The arithmetic of the steering-wheel keys table: which slot a measured level belongs to, the
// tolerances and reference levels the controller matches keys with, the labels, and the learning
// dialogue's measuring phases. Pure functions over the configuration image; no device, no widgets.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/config/image.hpp"

namespace kivprism::keys {

inline constexpr std::size_t kChannels = config::layout::kKeyChannelCount;
inline constexpr std::size_t kKeysPerChannel = config::layout::kKeysPerChannel;
using ChannelLevels = std::array<std::uint16_t, kChannels>;

// Learning runs one step every 100 ms: 19 quiet readings, then the key phase, which ends after
// 600 steps (a minute) without a key.
inline constexpr std::uint32_t kStepMs = 100;
inline constexpr unsigned kQuietReadings = 19;
inline constexpr unsigned kKeyPhaseLimitSteps = 600;
// The controller reports a key only when its channel falls this far below the quiet level.
inline constexpr std::uint16_t kThresholdMargin = 32;
// Two readings closer than this belong to the same key.
inline constexpr unsigned kSameKeyDistance = config::layout::kKeyLevelDistance;
inline constexpr std::uint16_t kMaxLevel = config::layout::kFullScaleLevel;
inline constexpr std::size_t kLabelLength = config::layout::kKeyLabelSize;

// --- slots (channel 0..3, key 1..15) ---

std::uint16_t keyLevelAt(const config::ConfigImage& image, std::size_t channel, std::size_t key);
std::uint16_t keyToleranceAt(const config::ConfigImage& image, std::size_t channel,
                             std::size_t key);
bool slotUsed(const config::ConfigImage& image, std::size_t channel, std::size_t key);
// Whether any of the channel's 135 bytes is not zero.
bool channelHasData(const config::ConfigImage& image, std::size_t channel);

// A level read while a key is held: the first used slot within the key distance takes it (the key
// was pressed again), else the first empty slot. The slot's level becomes the reading. Gives the
// key 1..15, or 0 when the channel is full and the press is ignored.
std::size_t assignKeyLevel(config::ConfigImage& image, std::size_t channel, std::uint16_t level);

// The quiet level behind a threshold (the threshold less the margin; never below 0).
std::uint16_t idleLevel(std::uint16_t threshold);
// Half the distance to the quiet level (at most full scale), lowered to half the distance to every
// other key of the channel. Halves round toward zero.
std::uint16_t keyTolerance(const config::ConfigImage& image, std::size_t channel, std::size_t key,
                           std::uint16_t idle);
// Midway between the quiet level and the channel's lowest key; full scale without keys.
std::uint16_t referenceLevel(const config::ConfigImage& image, std::size_t channel,
                             std::uint16_t idle);
// Stores the tolerance of every used slot and the four reference levels; the long-press time
// stays.
void applyLearningResults(config::ConfigImage& image, const ChannelLevels& thresholds);

// --- labels (UTF-8 text; the image keeps cp1251) ---

// Channel number 1..4, a point, the level: "2.1840".
std::string automaticLabel(std::size_t channel, std::uint16_t level);
// Empty, or a digit, a point and then only digits within the first five characters.
bool isAutomaticLabel(std::string_view text);
// The first n characters of UTF-8 text.
std::string firstCharacters(std::string_view utf8, std::size_t n);
std::string storedLabel(const config::ConfigImage& image, std::size_t channel, std::size_t key);
// Stores the first five characters as they are (a finished label edit).
void storeTypedLabel(config::ConfigImage& image, std::size_t channel, std::size_t key,
                     std::string_view text);
// Stores the first five characters, or clears the label when the text is empty or automatic
// (before a file is saved or the controller written).
void storeLabel(config::ConfigImage& image, std::size_t channel, std::size_t key,
                std::string_view text);
// What a channel cell shows: nothing for an empty slot, the automatic label for an empty or
// automatic stored label, else the label.
std::string keyCellText(const config::ConfigImage& image, std::size_t channel, std::size_t key);

// --- the learning dialogue's arithmetic, step by step ---

class LearningSession {
 public:
  // One quiet reading: each channel keeps the highest value seen as its threshold.
  void quietReading(const ChannelLevels& readings);
  // The end of the quiet phase: the margin goes onto every threshold, which the controller then
  // gets.
  const ChannelLevels& startKeyPhase();
  // One key-phase reading into the image. Gives, per channel, the key 1..15 that took the
  // reading, 0 when the channel reads no key or the press was ignored. Any key restarts the
  // count of idle steps.
  std::array<std::size_t, kChannels> keyReading(config::ConfigImage& image,
                                                const ChannelLevels& readings);
  // A minute without any key.
  bool idleLimitReached() const { return idleSteps_ >= kKeyPhaseLimitSteps; }
  unsigned idleSteps() const { return idleSteps_; }
  const ChannelLevels& thresholds() const { return thresholds_; }
  // Tolerances and reference levels from what was learnt.
  void finish(config::ConfigImage& image) const;

 private:
  ChannelLevels thresholds_{};
  unsigned idleSteps_ = 0;
};

}  // namespace kivprism::keys
