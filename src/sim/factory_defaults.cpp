#include "sim/factory_defaults.hpp"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "core/events/entry.hpp"
#include "core/events/entry_layout.hpp"
#include "core/events/entry_types.hpp"
#include "core/events/records.hpp"

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

constexpr std::uint8_t kPlainCanBus = 2;

constexpr std::array<std::string_view, 3> kSourceNames{"RADIO", "NAVI", "AUX"};

// An example rule: a key or an IR code that sends a consumer-page media key over USB.
struct ExampleRule {
  std::string_view name;
  events::EventType eventType;
  std::uint8_t keyNumber;  // key events: key 1..15 of key channel 1
  events::IrCode irCode;   // IR events
  events::PressKind pressKind;
  std::uint16_t consumerUsage;
};

constexpr std::uint16_t kVolumeUp = 0xE9;
constexpr std::uint16_t kVolumeDown = 0xEA;
constexpr std::uint16_t kMute = 0xE2;

const std::array<ExampleRule, 3> kExampleRules{{
    {"Volume up", events::EventType::Key, 1, {}, events::PressKind::Short, kVolumeUp},
    {"Volume down", events::EventType::Key, 2, {}, events::PressKind::Short, kVolumeDown},
    {"IR mute", events::EventType::IrCode, 0, {1, 0x45, 0x00}, events::PressKind::Any, kMute},
}};

void putText(std::span<std::uint8_t> field, std::string_view text) {
  std::fill(field.begin(), field.end(), std::uint8_t{0});
  std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
}

void putRule(events::EntryBytes entry, const ExampleRule& rule) {
  namespace e = events::entry;
  namespace usb = events::reaction::usb_key;
  events::setEntryName(entry, rule.name);
  events::set(entry, e::kEventType, static_cast<std::uint8_t>(rule.eventType));
  if (rule.eventType == events::EventType::Key) {
    events::set(entry, events::event::key::kNumber, rule.keyNumber);
  } else {
    events::set(entry, events::event::ir_code::kCode, rule.irCode);
  }
  events::set(entry, e::kPressKind, static_cast<std::uint8_t>(rule.pressKind));
  events::set(entry, e::kReactionType, static_cast<std::uint8_t>(events::ReactionType::UsbKey));
  events::set(entry, usb::kUsagePage, usb::kConsumerPage);
  events::set(entry, usb::kConsumerUsage, rule.consumerUsage);
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
  // The differential bus as plain CAN, so that the CAN log can be started at once.
  image.set(layout::kDiffBusMode, kPlainCanBus);
  image.set(layout::kHwrMaxTo, 1000);
  image.set(layout::kIebusVolPreDiv, 1);
  for (std::size_t s = 0; s < kSourceNames.size(); ++s) {
    putText(image.span(layout::sourceName(s + 1)), kSourceNames[s]);
  }
  for (std::size_t i = 0; i < kExampleRules.size(); ++i) {
    putRule(image.entry(i), kExampleRules[i]);
  }
  return image;
}

}  // namespace kivprism::sim
