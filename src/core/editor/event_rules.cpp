#include "core/editor/event_rules.hpp"

#include <array>
#include <initializer_list>

#include "core/config/image_layout.hpp"
#include "core/events/entry_types.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/keys/key_rules.hpp"
#include "core/keys/keys_grid.hpp"
#include "core/lang/common_texts.hpp"
#include "core/monitor/can_decoders.hpp"

namespace kivprism::editor {

namespace {

using events::EventType;
using events::KeyReference;
namespace entry = events::entry;
namespace event = events::event;

struct Span {
  unsigned first;
  unsigned last;
};
bool inSpans(unsigned value, std::initializer_list<Span> spans) {
  for (const Span s : spans) {
    if (value >= s.first && value <= s.last) {
      return true;
    }
  }
  return false;
}

// Whether the type's rule fixes the once flag for this entry (the box then only shows it).
bool oncePinned(events::ConstEntryBytes e, EventType type, unsigned press) {
  const unsigned position = events::get(e, event::kListPosition);
  const bool shortPress = press == static_cast<unsigned>(events::PressKind::Short);
  switch (type) {
    case EventType::Key: {
      const KeyReference key = events::keyOf(e);
      return !key.isSet() || key.isEncoder();
    }
    case EventType::IrCode:
      return !events::isEventIrCodeSet(events::get(e, event::ir_code::kCode).protocol);
    case EventType::Iebus:
      return !inSpans(position, {{101, 108}}) && press != 0;
    case EventType::IDrive:
      return shortPress || inSpans(position, {{13, 20}, {23, 26}});
    case EventType::AcuraJoy:
      return shortPress || inSpans(position, {{1, 2}});
    case EventType::Lin:
      return shortPress || inSpans(position, {{21, 24}, {37, 38}, {53, 54}, {86, 87}, {89, 90}});
    case EventType::AudiMmi:
      return inSpans(position, {{15, 18}, {34, 35}, {37, 38}});
    case EventType::MercedesCtrl:
      return shortPress || inSpans(position, {{7, 11}, {23, 24}, {31, 32}});
    case EventType::PanelHonda:
      return shortPress;
    default:
      return true;
  }
}

// Whether the user may set the wake-up flag of this type at all.
bool wakeUpFree(EventType type) {
  return type == EventType::Key || type == EventType::IrCode || type == EventType::Timeout ||
         type == EventType::Voltage || type == EventType::Var;
}

bool pressKindEnabled(events::ConstEntryBytes e, EventType type) {
  switch (type) {
    case EventType::None:
      return false;
    case EventType::Key:
      return events::keyOf(e).isSet() || events::modifierOf(e).isSet();
    case EventType::IrCode:
      return events::isEventIrCodeSet(events::get(e, event::ir_code::kCode).protocol);
    default:
      return true;
  }
}

constexpr std::array<std::string_view, 4> kEncoderNames{"Enc1+", "Enc1-", "Enc2+", "Enc2-"};
constexpr std::size_t kKeysPerChannel = 15;
constexpr std::size_t kKeyChannels = 4;

}  // namespace

EventBoxes eventBoxes(events::ConstEntryBytes e) {
  const unsigned code = events::eventTypeCode(e);
  const auto type = events::isValidEventType(code) ? static_cast<EventType>(code) : EventType::None;
  const unsigned press = events::get(e, entry::kPressKind);
  EventBoxes boxes;
  boxes.pressKind = pressKindEnabled(e, type);
  boxes.once = !oncePinned(e, type, press);
  // A short or no press cannot be limited to one reaction.
  if (boxes.pressKind && boxes.once && press <= static_cast<unsigned>(events::PressKind::Short)) {
    boxes.once = false;
  }
  const bool anySourceOnly =
      type == EventType::Usb || type == EventType::Navi || type == EventType::Bluetooth;
  boxes.wakeUp = boxes.pressKind && wakeUpFree(type);
  boxes.sourceMask = boxes.pressKind && !anySourceOnly;
  boxes.sourceMaskAny = !boxes.pressKind || anySourceOnly;
  return boxes;
}

std::string sourceMaskItemText(std::uint8_t mask, lang::Language language) {
  if (mask == 0) {
    return std::string(lang::kChooseSources.in(language));
  }
  std::string text;
  int source = 1;
  for (unsigned rest = mask; rest != 0; rest >>= 1, ++source) {
    if (rest & 1u) {
      text += lang::formatText(" %d", source);
    }
  }
  return text;
}

std::string keyPanelText(const config::ConfigImage& image, KeyReference key, bool modifier) {
  if (!key.isSet()) {
    return {};
  }
  const bool encoderStep = key.isEncoder() && key.number <= kEncoderNames.size();
  std::string text;
  if (key.channel < kKeyChannels && key.number <= kKeysPerChannel) {
    text = keys::keyCellText(image, key.channel, key.number);
  } else if (encoderStep && !modifier) {
    const auto step = events::encoderStepOf(key);
    if (step && keys::encoderInUse(image, static_cast<int>(step->encoder))) {
      text = kEncoderNames[key.number - 1u];
    }
  }
  if (!text.empty()) {
    return text;
  }
  if (encoderStep) {
    return std::string(kEncoderNames[key.number - 1u]) + " ?";
  }
  return lang::formatText("%d.[%d] ?", key.channel + 1, static_cast<int>(key.number));
}

std::string eventIrCodeText(const events::IrCode& code, lang::Language language) {
  static constexpr std::array<std::string_view, 15> kNames{
      "", "NEC",  "JVC",     "RC5",      "",          "SONY12",  "SONY15",   "SONY20",
      "", "USER", "SAMSUNG", "CAN AUTO", "JVC TYPE2", "NEC REP", "APPLE TV2"};
  if (!events::isEventIrCodeSet(code.protocol) || code.protocol >= kNames.size() ||
      kNames[code.protocol].empty()) {
    return std::string(lang::TextPair{"Получить код", "Get the code"}.in(language));
  }
  if (code.protocol == events::kIrProtocolCanAuto) {
    if (auto decoded = monitor::decodeCanKey(code)) {
      return *decoded;
    }
  }
  return lang::formatText("%s %u/%u", std::string(kNames[code.protocol]).c_str(),
                          static_cast<unsigned>(code.address), static_cast<unsigned>(code.command));
}

std::string canFilterText(const events::CanFilter& filter, lang::Language language) {
  if (!filter.isSet()) {
    return std::string(lang::TextPair{"Фильтр не установлен", "Filter not set"}.in(language));
  }
  const events::CanId id = filter.id();
  std::string text = id.extended ? lang::formatText("Id:%08X\r\n", id.value)
                                 : lang::formatText("Id:%03X\r\n", id.value);
  const auto bytesLine = [&text](std::string_view title, std::span<const std::uint8_t> bytes) {
    text += title;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      text += lang::formatText(i == 0 ? "%02X" : " %02X", static_cast<unsigned>(bytes[i]));
    }
    text += "\r\n";
  };
  bytesLine("Mask:", filter.usedMask());
  bytesLine("Data:", filter.usedData());
  return text;
}

std::string_view voltageUnit(unsigned input, lang::Language language) {
  constexpr lang::TextPair kCentimetres{"см", "cm"};
  constexpr lang::TextPair kSpeed{"км/ч", "km/h"};
  constexpr lang::TextPair kMillivolts{"мВ", "mV"};
  switch (input) {
    case 5:
    case 6:
      return kCentimetres.in(language);
    case 7:
      return kSpeed.in(language);
    case 8:
      return {};
    default:
      return kMillivolts.in(language);
  }
}

std::string_view varLogicText(unsigned operation) {
  static constexpr std::array<std::string_view, 4> kTexts{"?", "AND", "OR", "XOR"};
  return operation < kTexts.size() ? kTexts[operation] : kTexts[0];
}

std::string_view varComparisonText(unsigned comparison) {
  static constexpr std::array<std::string_view, 5> kTexts{"?", "==", "!=", "<", ">"};
  return comparison < kTexts.size() ? kTexts[comparison] : kTexts[0];
}

std::string hexByteText(unsigned value) { return lang::formatText("x%02X", value); }

std::string_view serialSourceText(const config::ConfigImage& image, lang::Language language) {
  constexpr lang::TextPair kBluetooth{"От блютус", "From bluetooth"};
  constexpr lang::TextPair kUsb{"От USB", "From USB"};
  return (image.getU8(config::layout::kBtNum) != 0 ? kBluetooth : kUsb).in(language);
}

}  // namespace kivprism::editor
