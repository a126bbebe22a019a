#include "core/editor/event_bindings.hpp"

#include <array>

#include "core/editor/event_lists.hpp"
#include "core/editor/event_rules.hpp"
#include "core/editor/paged_bindings.hpp"
#include "core/events/entry.hpp"
#include "core/params/availability.hpp"

namespace kivprism::editor {

namespace {

namespace entry = events::entry;
namespace event = events::event;
using events::EventType;
using lists::List;
using view::After;
using view::Binding;
using view::ControlKind;
using view::EntryField;
using view::Rule;
using namespace event_rules;

constexpr std::uint32_t kTimeMax = 1000000000;
constexpr std::uint32_t kThresholdMax = 18000;
constexpr std::uint32_t kByteMax = 255;

using Paged = PagedBinding;

constexpr Paged combo(int page, std::string_view name, EntryField field, List (*items)(),
                      const Rule* rule = nullptr) {
  return {
      page,
      {.control = name, .kind = ControlKind::Combo, .rule = rule, .field = field, .items = items}};
}
constexpr Paged position(EventType type, std::string_view name, List (*items)()) {
  return combo(static_cast<int>(type), name, EntryField{event::kListPosition}, items);
}
constexpr Paged check(std::string_view name, events::U8Field field, After after) {
  return {
      kBottomRow,
      {.control = name, .kind = ControlKind::Check, .field = EntryField{field}, .after = after}};
}
constexpr Paged number(EventType type, std::string_view name, EntryField field,
                       std::uint32_t maximum, const Rule* rule = &kNumber) {
  return {static_cast<int>(type),
          {.control = name,
           .kind = ControlKind::Edit,
           .rule = rule,
           .field = field,
           .maximum = maximum}};
}
constexpr Paged widget(EventType type, std::string_view name, const Rule& rule) {
  return {static_cast<int>(type), {.control = name, .kind = ControlKind::Widget, .rule = &rule}};
}
// The rule's parameter: which key panel, which VAR operation.
constexpr Paged widget(EventType type, std::string_view name, const Rule& rule, int channel,
                       lang::TextPair hint = {}) {
  return {static_cast<int>(type),
          {.control = name,
           .kind = ControlKind::Widget,
           .rule = &rule,
           .channel = channel,
           .hint = hint}};
}

constexpr lang::TextPair kModifierHint{"Перетащите сюда нужную кнопку модификатор",
                                       "Drag a button modifier here"};
constexpr lang::TextPair kKeyHint{"Перетащите сюда нужную кнопку", "Drag a button here"};
constexpr lang::TextPair kIrHint{"Нажмите для получения ИК кода для события",
                                 "Click to receive IR code for event"};
constexpr Paged text(EventType type, std::string_view name) {
  return {static_cast<int>(type),
          {.control = name, .kind = ControlKind::Edit, .rule = &kEventText}};
}

constexpr auto kPaged = std::to_array<Paged>({
    // The common bottom row.
    combo(kBottomRow, "ComboBoxEventEvent", EntryField{entry::kPressKind}, lists::pressKinds,
          &kPressKind),
    check("CheckBoxEventWakeUp", entry::kWakeUpFlag, After::None),
    check("CheckBoxEventOnce", entry::kOnceFlag, After::Refresh),
    combo(kBottomRow, "ComboBoxEventSRCMASK", EntryField{entry::kSourceMask},
          lists::sourceMaskItems, &kSourceMask),
    // Pages.
    widget(EventType::Key, "PanelKeyModx", kKeyPanel, 1, kModifierHint),
    widget(EventType::Key, "PanelKeyValx", kKeyPanel, 0, kKeyHint),
    widget(EventType::IrCode, "PanelIRDEFx", kIrPanel, 0, kIrHint),
    combo(static_cast<int>(EventType::Timeout), "ComboBoxEditEventTimeoutTypex",
          EntryField{event::timeout::kStartPoint}, lists::timeoutStarts, &kTimeoutStart),
    number(EventType::Timeout, "EditEventTimeout", EntryField{event::timeout::kDelayMs}, kTimeMax),
    position(EventType::BmwIbus, "ComboBoxEventIBUSx", lists::bmwIbusEvents),
    position(EventType::Intercept, "ComboBoxEventIntercept", lists::activation),
    position(EventType::Voltage, "ComboBoxEventVoltageInputx", lists::voltageInputs),
    widget(EventType::Voltage, "SpeedButtonEventVoltageZnakx", kVoltageSign),
    number(EventType::Voltage, "EditEventVoltageValue", EntryField{event::voltage::kThreshold},
           kThresholdMax),
    widget(EventType::Voltage, "PanelEventVoltagemVx", kVoltageUnit),
    number(EventType::Voltage, "EditEventVoltageTO", EntryField{event::voltage::kHoldMs}, kTimeMax),
    position(EventType::Usb, "ComboBoxEventUSB", lists::activation),
    position(EventType::Iebus, "ComboBoxEventIEBUSx", lists::iebusEvents),
    position(EventType::Navi, "ComboBoxEventNAVIMUTE", lists::naviMute),
    position(EventType::Gestures, "ComboBoxEventGestureFrom", lists::gestureAreas),
    combo(static_cast<int>(EventType::Gestures), "ComboBoxEventGestureTo",
          EntryField{event::gestures::kEnd}, lists::gestureEnds),
    position(EventType::IDrive, "ComboBoxEventiDRIVEx", lists::iDriveEvents),
    position(EventType::GaNet, "ComboBoxEventGANETx", lists::gaNetEvents),
    position(EventType::MercedesJoy, "ComboBoxEventMJOYx", lists::mercedesJoyEvents),
    text(EventType::Serial, "EditSerialEeventx"),
    widget(EventType::Serial, "PanelSerialEevent", kSerialSource),
    position(EventType::Pins, "ComboBoxEventPinPinx", lists::eventPins),
    combo(static_cast<int>(EventType::Pins), "ComboBoxEventPinState",
          EntryField{event::pins::kLevel}, lists::pinLevels),
    number(EventType::Pins, "EditEventPinTO", EntryField{event::pins::kHoldMs}, kTimeMax),
    position(EventType::AcuraJoy, "ComboBoxEventMDXJOYx", lists::acuraJoyEvents),
    position(EventType::Lin, "ComboBoxEventLINx", lists::linEvents),
    position(EventType::Bluetooth, "ComboBoxEventBT", lists::activation),
    text(EventType::Uart, "EditUARTEeventx"),
    position(EventType::AudiMmi, "ComboBoxEventAUDIMMIx", lists::audiMmiEvents),
    position(EventType::RenaultCanJoy, "ComboBoxEventRenaultCANJoyx", lists::renaultJoyEvents),
    position(EventType::SwCan, "ComboBoxEventSWVWx", lists::swCanEvents),
    widget(EventType::SwCan, "SpeedButtonCANFILERx", kCanFilter),
    position(EventType::MercedesCtrl, "ComboBoxEventMCONTROLx", lists::mercedesCtrlEvents),
    position(EventType::Var, "ComboBoxEventVarNamex", lists::varNames),
    widget(EventType::Var, "SpeedButtonEventVARFunc1x", kVarOperation, 0),
    number(EventType::Var, "EditEventVARMask", EntryField{event::var::kOperand}, kByteMax,
           &kHexByte),
    widget(EventType::Var, "SpeedButtonEventVARFunc2x", kVarOperation, 1),
    number(EventType::Var, "EditEventVARVal", EntryField{event::var::kValue}, kByteMax, &kHexByte),
    number(EventType::Var, "EditEventVarTO", EntryField{event::var::kHoldMs}, kTimeMax),
    position(EventType::PanelHonda, "ComboBoxEventHKx", lists::hondaPanelEvents),
});

constexpr auto kBindings = bindingsOf(kPaged);
constexpr auto kPages = pagesOf(kPaged);

}  // namespace

const view::BindingTable& eventBindings() {
  static const view::BindingTable table(kBindings);
  return table;
}

std::span<const int> eventBindingPages() { return kPages; }

std::string_view eventPageSheet(std::size_t page) {
  return params::eventPageName(static_cast<EventType>(page));
}

}  // namespace kivprism::editor
