#include "core/editor/event_pane.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "core/editor/event_lists.hpp"
#include "core/editor/event_rules.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"
#include "core/params/rules.hpp"

namespace kivprism::editor {

namespace {

namespace entry = events::entry;
namespace event = events::event;
using config::ConfigImage;
using events::EventType;
using lists::List;
using view::After;
using view::Binding;
using view::Change;
using view::ChangeOutcome;
using view::ControlKind;
using view::ControlView;
using view::EntryField;
using view::FormContext;
using view::Rule;

constexpr std::uint32_t kTimeMax = 1000000000;
constexpr std::uint32_t kThresholdMax = 18000;
constexpr std::uint32_t kByteMax = 255;

events::EntryBytes selected(ConfigImage& image, const FormContext& c) {
  return events::entryAt(image, c.entry);
}
events::ConstEntryBytes selected(const ConfigImage& image, const FormContext& c) {
  return events::entryAt(image, c.entry);
}

// ---- rules ------------------------------------------------------------------------------------

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
constexpr Rule kSourceMask{"SourceMask", storeSourceMask, showSourceMask};

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
constexpr Rule kPressKind{"PressKind", storePressKind};

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
constexpr Rule kTimeoutStart{"TimeoutStart", storeTimeoutStart};

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
constexpr Rule kEventText{"EventText", storeEventText, showEventText};

// Key panels: channel 0 the key, 1 the modifier.
void showKeyPanel(ControlView& v, const Binding& b, const ConfigImage& image,
                  const FormContext& c) {
  const auto e = selected(image, c);
  const bool modifier = b.channel == 1;
  v.text = keyPanelText(image, modifier ? events::modifierOf(e) : events::keyOf(e), modifier);
}
constexpr Rule kKeyPanel{"KeyPanel", nullptr, showKeyPanel};

void showIrPanel(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  v.text = eventIrCodeText(events::get(selected(image, c), event::ir_code::kCode), c.language);
}
constexpr Rule kIrPanel{"IrPanel", nullptr, showIrPanel};

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
constexpr Rule kVoltageSign{"VoltageSign", toggleVoltageSign, showVoltageSign};

void showVoltageUnit(ControlView& v, const Binding&, const ConfigImage& image,
                     const FormContext& c) {
  v.text = voltageUnit(events::get(selected(image, c), event::voltage::kInput), c.language);
}
constexpr Rule kVoltageUnit{"VoltageUnit", nullptr, showVoltageUnit};

void showSerialSource(ControlView& v, const Binding&, const ConfigImage& image,
                      const FormContext& c) {
  v.text = serialSourceText(image, c.language);
}
constexpr Rule kSerialSource{"SerialSource", nullptr, showSerialSource};

// The own filter of a steering-wheel CAN event; the button opens the filter dialog.
void showCanFilter(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  const auto e = selected(image, c);
  v.visible = events::get(e, event::sw_can::kPosition) == 0;
  v.text = canFilterText(events::get(e, event::sw_can::kFilter), c.language);
}
constexpr Rule kCanFilter{"CanFilter", nullptr, showCanFilter};

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
constexpr Rule kVarOperation{"VarOperation", cycleVarOperation, showVarOperation};

ChangeOutcome storeNumber(ConfigImage& image, const Binding& b, const Change& input,
                          const FormContext& c) {
  return params::rules::kNumber.store(image, b, input, c);
}
void showHexByte(ControlView& v, const Binding& b, const ConfigImage& image, const FormContext& c) {
  v.text = hexByteText(view::readField(image, b.field, c.entry));
}
constexpr Rule kHexByte{"HexByte", storeNumber, showHexByte};
constexpr Rule kNumber{"Number", storeNumber};

// ---- the table --------------------------------------------------------------------------------

struct Paged {
  int page;
  Binding binding;
};

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
                       std::uint32_t maximum, const Rule* rule = nullptr) {
  return {static_cast<int>(type),
          {.control = name,
           .kind = ControlKind::Edit,
           .rule = rule ? rule : &kNumber,
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

template <std::size_t N>
constexpr std::array<Binding, N> bindingsOf(const std::array<Paged, N>& paged) {
  std::array<Binding, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = paged[i].binding;
  }
  return out;
}
template <std::size_t N>
constexpr std::array<int, N> pagesOf(const std::array<Paged, N>& paged) {
  std::array<int, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = paged[i].page;
  }
  return out;
}

constexpr auto kBindings = bindingsOf(kPaged);
constexpr auto kPages = pagesOf(kPaged);

// ---- the page's own rules ---------------------------------------------------------------------

void applyBottomRow(view::ViewBuilder& v, events::ConstEntryBytes e) {
  const EventBoxes boxes = eventBoxes(e);
  v.enable("ComboBoxEventEvent", boxes.pressKind);
  v.enable("CheckBoxEventOnce", boxes.once);
  v.enable("CheckBoxEventWakeUp", boxes.wakeUp);
  v.enable("ComboBoxEventSRCMASK", boxes.sourceMask);
  if (boxes.sourceMaskAny) {
    v.at("ComboBoxEventSRCMASK").value = 0;
  }
}

void applyVarPage(view::ViewBuilder& v, events::ConstEntryBytes e) {
  const bool variable = events::get(e, event::var::kVariable) != 0;
  for (std::string_view name :
       {"SpeedButtonEventVARFunc1x", "SpeedButtonEventVARFunc2x", "EditEventVarTO"}) {
    v.show(name, variable);
  }
  v.show("EditEventVARMask", variable && events::get(e, event::var::kLogicOperation) != 0);
  v.show("EditEventVARVal", variable && events::get(e, event::var::kComparison) != 0);
}

}  // namespace

const view::BindingTable& eventBindings() {
  static const view::BindingTable table(kBindings);
  return table;
}

std::span<const int> eventBindingPages() { return kPages; }

std::string_view eventPageSheet(std::size_t page) {
  return params::eventPageName(static_cast<EventType>(page));
}

EventPaneView deriveEventPane(ConfigImage& image, std::size_t entryNumber,
                              const EventPaneContext& context) {
  EventPaneView view;
  view.entry = entryNumber;
  const auto e = events::entryAt(image, entryNumber);
  view.repairs = events::applyConsistencyRules(e, events::entryContextOf(image));
  view.page = events::eventTypeCode(e);

  const view::BindingTable& table = eventBindings();
  const auto all = table.all();
  const FormContext formContext{context.language, entryNumber};
  view.table = &table;
  view.language = context.language;
  view.controls.resize(all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (kPages[i] == kBottomRow || kPages[i] == static_cast<int>(view.page)) {
      view::showControl(view.controls[i], all[i], image, formContext);
      // A panel or button of the shown page displays the text its rule derived.
      if (all[i].kind == ControlKind::Widget && all[i].rule && all[i].rule->show) {
        view.controls[i].hasValue = true;
      }
    } else {
      view.controls[i].name = all[i].control;
      view.controls[i].kind = all[i].kind;
      view.controls[i].hasValue = false;
    }
  }
  view::clearUnknownPositions(view, false);

  view::ViewBuilder builder(view, image);
  applyBottomRow(builder, e);
  if (view.page == static_cast<std::size_t>(EventType::Var)) {
    applyVarPage(builder, e);
  }

  const params::PageVisibility visible =
      params::visiblePages(image, context.marks, context.onlyUsed);
  view.pageVisible = visible.event;
  for (std::size_t page = 0; page < events::kEventTypeCount; ++page) {
    view.tabs.push_back({eventPageSheet(page), visible.event[page],
                         events::eventTypeName(static_cast<unsigned>(page))});
  }
  return view;
}

}  // namespace kivprism::editor
