#include "sim/factory_defaults.hpp"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <vector>

namespace kivprism::sim {
namespace {

namespace layout = config::layout;

struct FactoryKey {
  std::uint16_t level;
  std::uint16_t tolerance;
  std::string_view label;
};

// Idle level 4000; tolerances are half the distance to the nearest neighbour, as learning computes.
constexpr std::uint16_t kChannel1Idle = 4000;
constexpr std::array<FactoryKey, 3> kChannel1Keys{{
    {1000, 420, "VOL+"},
    {1840, 380, "VOL-"},
    {2600, 380, "MODE"},
}};

constexpr std::array<std::string_view, 3> kSourceNames{"RADIO", "NAVI", "AUX"};

// An example rule: the event and reaction parameter bytes as the entry stores them.
struct ExampleRule {
  std::string_view name;
  std::uint8_t eventType;
  std::vector<std::uint8_t> eventParams;
  std::uint8_t pressKind;
  std::uint8_t reactionType;
  std::vector<std::uint8_t> reactionParams;
};

constexpr std::uint8_t kEventKey = 1;
constexpr std::uint8_t kEventIrCode = 2;
constexpr std::uint8_t kReactionUsbKey = 1;
constexpr std::uint8_t kPressShort = 1;
constexpr std::uint8_t kPressAny = 3;

std::vector<ExampleRule> exampleRules() {
  // Key events: key number, key channel. IR event: protocol 1 (NEC), command, u16 address.
  // USB key reactions: usage page 12 (consumer), modifier 0, u16 consumer usage, u32 hold time.
  return {
      {"Volume up", kEventKey, {1, 0}, kPressShort, kReactionUsbKey, {12, 0, 0xE9, 0x00}},
      {"Volume down", kEventKey, {2, 0}, kPressShort, kReactionUsbKey, {12, 0, 0xEA, 0x00}},
      {"IR mute",
       kEventIrCode,
       {1, 0x45, 0x00, 0x00},
       kPressAny,
       kReactionUsbKey,
       {12, 0, 0xE2, 0x00}},
  };
}

void putText(std::span<std::uint8_t> field, std::string_view text) {
  std::fill(field.begin(), field.end(), std::uint8_t{0});
  std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
}

void putRule(std::span<std::uint8_t, layout::kEntrySize> entry, const ExampleRule& rule) {
  putText(entry.first(layout::kEntryNameSize), rule.name);
  entry[layout::kEntryEventTypeOffset] = rule.eventType;
  std::copy(rule.eventParams.begin(), rule.eventParams.end(),
            entry.begin() + layout::kEntryEventParamsOffset);
  entry[layout::kEntryPressKindOffset] = rule.pressKind;
  entry[layout::kEntryReactionTypeOffset] = rule.reactionType;
  std::copy(rule.reactionParams.begin(), rule.reactionParams.end(),
            entry.begin() + layout::kEntryReactionParamsOffset);
}

void putKeys(config::ConfigImage& image) {
  image.set(layout::kLongPressTime, layout::kDefaultLongPressMs);
  for (std::size_t c = 0; c < layout::kKeyChannelCount; ++c) {
    image.set(layout::keyReferenceLevel(c), layout::kFullScaleLevel);
  }
  for (std::size_t k = 0; k < kChannel1Keys.size(); ++k) {
    image.set(layout::keyLevel(0, k), kChannel1Keys[k].level);
    image.set(layout::keyTolerance(0, k), kChannel1Keys[k].tolerance);
    putText(image.span(layout::keyLabel(0, k)), kChannel1Keys[k].label);
  }
  // Midway between the idle level and the lowest key.
  image.set(layout::keyReferenceLevel(0), (kChannel1Idle + kChannel1Keys[0].level) / 2);
}

}  // namespace

config::ConfigImage factoryConfiguration() {
  config::ConfigImage image;
  putKeys(image);
  image.set(layout::kTouchMode, 1);
  image.set(layout::kHwrMaxTo, 1000);
  image.set(layout::kIebusVolPreDiv, 1);
  for (std::size_t s = 0; s < kSourceNames.size(); ++s) {
    putText(image.span(layout::sourceName(s + 1)), kSourceNames[s]);
  }
  const std::vector<ExampleRule> rules = exampleRules();
  for (std::size_t i = 0; i < rules.size(); ++i) {
    putRule(image.entry(i), rules[i]);
  }
  return image;
}

}  // namespace kivprism::sim
