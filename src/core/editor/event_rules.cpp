#include "core/editor/event_rules.hpp"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string>

#include "core/config/image_layout.hpp"
#include "core/editor/event_lists.hpp"
#include "core/editor/rule_names.hpp"
#include "core/events/consistency.hpp"
#include "core/events/entry_types.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/keys/key_rules.hpp"
#include "core/keys/keys_grid.hpp"
#include "core/lang/common_texts.hpp"
#include "core/monitor/can_decoders.hpp"
#include "core/params/rules.hpp"

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

namespace kivprism::editor::event_rules {

namespace {

using namespace rule_names;
namespace entry = events::entry;
namespace event = events::event;
using events::EventType;
using lists::List;
using view::After;

void showSourceMask(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  const std::uint8_t mask = events::get(selected(image, c), entry::kSourceMask);
  v.itemOverrides = {{1, sourceMaskItemText(mask, c.language)}};
  v.value = mask != 0 ? 1 : 0;
}
// The first item means any source; the second item asks the dialog (the pane's change handler).
ChangeOutcome storeSourceMask(ConfigImage& image, const Binding& b, const Change& input,
                              const FormContext& c) {
  if (input.index != 0) {
    return {};
  }
  events::set(selected(image, c), entry::kSourceMask, 0);
  return {std::nullopt, b.after, std::nullopt};
}

// A press kind the event cannot tell apart is stored as the rules make it, and the user is told.
constexpr lang::TextPair kPressKindChanged{
    "Для этого события нажатие \"%s\" невозможно, установлено \"%s\"",
    "This event cannot have the press \"%s\", \"%s\" is set"};
ChangeOutcome storePressKind(ConfigImage& image, const Binding& b, const Change& input,
                             const FormContext& c) {
  const auto items = lists::pressKinds();
  if (input.index < 0 || static_cast<std::size_t>(input.index) >= items.size()) {
    return {};
  }
  const auto e = selected(image, c);
  const auto chosen = static_cast<std::uint8_t>(input.index);
  events::set(e, entry::kPressKind, chosen);
  // The refresh repairs the entry; a copy tells now what the press kind will be.
  std::array<std::uint8_t, entry::kSize> copy{};
  std::copy(e.begin(), e.end(), copy.begin());
  events::applyConsistencyRules(events::EntryBytes(copy), events::entryContextOf(image));
  const std::uint8_t stored = events::get(events::ConstEntryBytes(copy), entry::kPressKind);
  if (stored == chosen || stored >= items.size()) {
    return {std::nullopt, b.after, std::nullopt};
  }
  const auto text = [&](lang::Language l, std::uint8_t kind) {
    return std::string(items[kind].in(l));
  };
  view::Notice notice{
      view::NoticeKind::Information,
      lang::formatText(kPressKindChanged.ru, text(lang::Language::Russian, chosen).c_str(),
                       text(lang::Language::Russian, stored).c_str()),
      lang::formatText(kPressKindChanged.en, text(lang::Language::English, chosen).c_str(),
                       text(lang::Language::English, stored).c_str())};
  return {std::move(notice), b.after, std::nullopt};
}

// Choosing a start point makes a timeout event fire: no press kind becomes "any".
ChangeOutcome storeTimeoutStart(ConfigImage& image, const Binding& b, const Change& input,
                                const FormContext& c) {
  if (input.index < 0) {
    return {};
  }
  const auto e = selected(image, c);
  events::set(e, event::timeout::kStartPoint, static_cast<std::uint8_t>(input.index));
  if (events::get(e, entry::kPressKind) == 0) {
    events::set(e, entry::kPressKind, static_cast<std::uint8_t>(events::PressKind::Any));
  }
  return {std::nullopt, b.after, std::nullopt};
}

// Serial and UART texts: 59 bytes of cp1251, the rest zeroed.
void showEventText(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  v.text = events::get(selected(image, c), event::serial::kText);
  v.maxLength = static_cast<int>(event::serial::kText.size);
}
ChangeOutcome storeEventText(ConfigImage& image, const Binding& b, const Change& input,
                             const FormContext& c) {
  events::set(selected(image, c), event::serial::kText, input.text);
  return {std::nullopt, b.after, std::nullopt};
}

// Key panels: channel 0 the key, 1 the modifier.
void showKeyPanel(ControlView& v, const Binding& b, const ConfigImage& image,
                  const FormContext& c) {
  const auto e = selected(image, c);
  const bool modifier = b.channel == 1;
  v.text = keyPanelText(image, modifier ? events::modifierOf(e) : events::keyOf(e), modifier);
}

void showIrPanel(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  v.text = eventIrCodeText(events::get(selected(image, c), event::ir_code::kCode), c.language);
}

void showVoltageSign(ControlView& v, const Binding&, const ConfigImage& image,
                     const FormContext& c) {
  v.text = events::get(selected(image, c), event::voltage::kGreaterThan) != 0 ? ">" : "<";
}
ChangeOutcome toggleVoltageSign(ConfigImage& image, const Binding& b, const Change&,
                                const FormContext& c) {
  const auto e = selected(image, c);
  const bool greater = events::get(e, event::voltage::kGreaterThan) != 0;
  events::set(e, event::voltage::kGreaterThan, greater ? 0 : 1);
  return {std::nullopt, b.after, std::nullopt};
}

void showVoltageUnit(ControlView& v, const Binding&, const ConfigImage& image,
                     const FormContext& c) {
  v.text = voltageUnit(events::get(selected(image, c), event::voltage::kInput), c.language);
}

void showSerialSource(ControlView& v, const Binding&, const ConfigImage& image,
                      const FormContext& c) {
  v.text = serialSourceText(image, c.language);
}

// The own filter of a steering-wheel CAN event; the button opens the filter dialog.
void showCanFilter(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  const auto e = selected(image, c);
  v.visible = events::get(e, event::sw_can::kPosition) == 0;
  v.text = canFilterText(events::get(e, event::sw_can::kFilter), c.language);
}

// The VAR buttons step through their operations; channel 0 the logic, 1 the comparison.
events::U8Field varOperationField(const Binding& b) {
  return b.channel == 0 ? event::var::kLogicOperation : event::var::kComparison;
}
unsigned varOperationCount(const Binding& b) { return b.channel == 0 ? 4 : 5; }
void showVarOperation(ControlView& v, const Binding& b, const ConfigImage& image,
                      const FormContext& c) {
  const unsigned op = events::get(selected(image, c), varOperationField(b));
  v.text = b.channel == 0 ? varLogicText(op) : varComparisonText(op);
}
ChangeOutcome cycleVarOperation(ConfigImage& image, const Binding& b, const Change&,
                                const FormContext& c) {
  const auto e = selected(image, c);
  const unsigned next = (events::get(e, varOperationField(b)) + 1u) % varOperationCount(b);
  events::set(e, varOperationField(b), static_cast<std::uint8_t>(next));
  return {std::nullopt, b.after, std::nullopt};
}

ChangeOutcome storeNumber(ConfigImage& image, const Binding& b, const Change& input,
                          const FormContext& c) {
  return params::rules::kNumber.store(image, b, input, c);
}
void showHexByte(ControlView& v, const Binding& b, const ConfigImage& image, const FormContext& c) {
  v.text = hexByteText(view::readField(image, b.field, c.entry));
}

}  // namespace

const Rule kSourceMask{"SourceMask", storeSourceMask, showSourceMask};
const Rule kPressKind{"PressKind", storePressKind};
const Rule kTimeoutStart{"TimeoutStart", storeTimeoutStart};
const Rule kEventText{"EventText", storeEventText, showEventText};
const Rule kKeyPanel{"KeyPanel", nullptr, showKeyPanel};
const Rule kIrPanel{"IrPanel", nullptr, showIrPanel};
const Rule kVoltageSign{"VoltageSign", toggleVoltageSign, showVoltageSign};
const Rule kVoltageUnit{"VoltageUnit", nullptr, showVoltageUnit};
const Rule kSerialSource{"SerialSource", nullptr, showSerialSource};
const Rule kCanFilter{"CanFilter", nullptr, showCanFilter};
const Rule kVarOperation{"VarOperation", cycleVarOperation, showVarOperation};
const Rule kHexByte{"HexByte", storeNumber, showHexByte};
const Rule kNumber{"Number", storeNumber};

}  // namespace kivprism::editor::event_rules
