#include "core/keys/key_rules.hpp"

#include <algorithm>
#include <cstdlib>

#include "core/config/text_codec.hpp"

namespace kivprism::keys {

namespace layout = config::layout;
using config::ConfigImage;

namespace {

// Key numbers are 1..15; the layout counts from 0.
config::Field levelField(std::size_t channel, std::size_t key) {
  return layout::keyLevel(channel, key - 1);
}

unsigned distance(unsigned a, unsigned b) { return a > b ? a - b : b - a; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::uint16_t keyLevelAt(const ConfigImage& image, std::size_t channel, std::size_t key) {
  return image.getU16(levelField(channel, key));
}

std::uint16_t keyToleranceAt(const ConfigImage& image, std::size_t channel, std::size_t key) {
  return image.getU16(layout::keyTolerance(channel, key - 1));
}

bool slotUsed(const ConfigImage& image, std::size_t channel, std::size_t key) {
  return keyLevelAt(image, channel, key) != 0;
}

bool channelHasData(const ConfigImage& image, std::size_t channel) {
  const config::Field first = layout::keyEntry(channel, 0);
  const auto bytes = image.span({first.offset, layout::kKeyChannelStride});
  return std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b != 0; });
}

std::size_t assignKeyLevel(ConfigImage& image, std::size_t channel, std::uint16_t level) {
  std::size_t slot = 0;
  for (std::size_t key = 1; key <= kKeysPerChannel && slot == 0; ++key) {
    const std::uint16_t stored = keyLevelAt(image, channel, key);
    if (stored != 0 && distance(stored, level) < kSameKeyDistance) {
      slot = key;
    }
  }
  for (std::size_t key = 1; key <= kKeysPerChannel && slot == 0; ++key) {
    if (!slotUsed(image, channel, key)) {
      slot = key;
    }
  }
  if (slot != 0) {
    image.set(levelField(channel, slot), level);
  }
  return slot;
}

std::uint16_t idleLevel(std::uint16_t threshold) {
  return threshold > kThresholdMargin ? static_cast<std::uint16_t>(threshold - kThresholdMargin)
                                      : 0;
}

std::uint16_t keyTolerance(const ConfigImage& image, std::size_t channel, std::size_t key,
                           std::uint16_t idle) {
  const unsigned level = keyLevelAt(image, channel, key);
  unsigned tolerance = std::min<unsigned>(distance(idle, level) / 2, kMaxLevel);
  for (std::size_t other = 1; other <= kKeysPerChannel; ++other) {
    const unsigned m = keyLevelAt(image, channel, other);
    if (other != key && m != 0) {
      tolerance = std::min(tolerance, distance(level, m) / 2);
    }
  }
  return static_cast<std::uint16_t>(tolerance);
}

std::uint16_t referenceLevel(const ConfigImage& image, std::size_t channel, std::uint16_t idle) {
  unsigned lowest = 0;
  for (std::size_t key = 1; key <= kKeysPerChannel; ++key) {
    const unsigned level = keyLevelAt(image, channel, key);
    if (level != 0 && (lowest == 0 || level < lowest)) {
      lowest = level;
    }
  }
  if (lowest == 0) {
    return kMaxLevel;
  }
  return static_cast<std::uint16_t>((lowest + idle) / 2);
}

void applyLearningResults(ConfigImage& image, const ChannelLevels& thresholds) {
  for (std::size_t c = 0; c < kChannels; ++c) {
    const std::uint16_t idle = idleLevel(thresholds[c]);
    // Every tolerance is worked out from the levels alone, so the order of the slots does not
    // matter.
    for (std::size_t key = 1; key <= kKeysPerChannel; ++key) {
      if (slotUsed(image, c, key)) {
        image.set(layout::keyTolerance(c, key - 1), keyTolerance(image, c, key, idle));
      }
    }
    image.set(layout::keyReferenceLevel(c), referenceLevel(image, c, idle));
  }
}

std::string automaticLabel(std::size_t channel, std::uint16_t level) {
  return std::to_string(channel + 1) + "." + std::to_string(level);
}

bool isAutomaticLabel(std::string_view text) {
  if (text.empty()) {
    return true;
  }
  if (text.size() < 2 || !isDigit(text[0]) || text[1] != '.') {
    return false;
  }
  const std::string_view rest = text.substr(2, kLabelLength - 2);
  return std::all_of(rest.begin(), rest.end(), isDigit);
}

std::string firstCharacters(std::string_view utf8, std::size_t n) {
  std::size_t end = 0;
  for (std::size_t count = 0; end < utf8.size() && count < n; ++count) {
    ++end;
    // Continuation bytes belong to the character before them.
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) {
      ++end;
    }
  }
  return std::string(utf8.substr(0, end));
}

std::string storedLabel(const ConfigImage& image, std::size_t channel, std::size_t key) {
  return config::cp1251ToUtf8(config::fieldText(image.span(layout::keyLabel(channel, key - 1))));
}

void storeTypedLabel(ConfigImage& image, std::size_t channel, std::size_t key,
                     std::string_view text) {
  config::setFieldText(image.span(layout::keyLabel(channel, key - 1)),
                       config::utf8ToCp1251(firstCharacters(text, kLabelLength)));
}

void storeLabel(ConfigImage& image, std::size_t channel, std::size_t key, std::string_view text) {
  storeTypedLabel(image, channel, key, isAutomaticLabel(text) ? std::string_view{} : text);
}

std::string keyCellText(const ConfigImage& image, std::size_t channel, std::size_t key) {
  const std::uint16_t level = keyLevelAt(image, channel, key);
  if (level == 0) {
    return {};
  }
  std::string label = storedLabel(image, channel, key);
  return isAutomaticLabel(label) ? automaticLabel(channel, level) : label;
}

void LearningSession::quietReading(const ChannelLevels& readings) {
  for (std::size_t c = 0; c < kChannels; ++c) {
    thresholds_[c] = std::max(thresholds_[c], readings[c]);
  }
}

const ChannelLevels& LearningSession::startKeyPhase() {
  for (std::uint16_t& t : thresholds_) {
    // A reading near the top of the u16 range must not wrap to a tiny threshold.
    t = static_cast<std::uint16_t>(std::min<unsigned>(t + kThresholdMargin, 0xFFFF));
  }
  idleSteps_ = 0;
  return thresholds_;
}

std::array<std::size_t, kChannels> LearningSession::keyReading(ConfigImage& image,
                                                               const ChannelLevels& readings) {
  std::array<std::size_t, kChannels> keys{};
  bool anyKey = false;
  for (std::size_t c = 0; c < kChannels; ++c) {
    if (readings[c] != 0) {
      anyKey = true;
      keys[c] = assignKeyLevel(image, c, readings[c]);
    }
  }
  idleSteps_ = anyKey ? 0 : idleSteps_ + 1;
  return keys;
}

void LearningSession::finish(ConfigImage& image) const { applyLearningResults(image, thresholds_); }

}  // namespace kivprism::keys
