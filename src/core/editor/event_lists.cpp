#include "core/editor/event_lists.hpp"

#include <array>
#include <string>

#include "core/events/entry_types.hpp"
#include "core/lang/common_texts.hpp"
#include "core/lang/text.hpp"
#include "core/monitor/protocol_events.hpp"

namespace kivprism::editor::lists {

namespace {

using monitor::ProtocolList;

constexpr lang::TextPair kSourceMaskItems[] = {lang::kAnySource, lang::kChooseSources};
constexpr lang::TextPair kActivation[] = {{"По активации", "When activate"},
                                          {"По деактивации", "When deactivate"}};
constexpr lang::TextPair kNaviMute[] = {{"По активации MUTE", "When MUTE activate"},
                                        {"По деактивации MUTE", "When MUTE deactivate"}};
constexpr lang::TextPair kVoltageInputs[] = {
    {"ACC - X5/1", "ACC - X5/1"},     {"BAT - X5/2", "BAT - X5/2"}, {"VIN1 - X5/9", "VIN1 - X5/9"},
    {"VIN2 - X5/10", "VIN2 - X5/10"}, {"VTEMP", "VTEMP"},           {"Park Front", "Park Front"},
    {"Park Back", "Park Back"},       {"Speed", "Speed"},           {"RPM", "RPM"}};
constexpr lang::TextPair kGestureAreas[] = {
    {"Вверху слева", "Top left"},    {"Вверху по центру", "Top centre"},
    {"Вверху справа", "Top right"},  {"Слева по центру", "Left centre"},
    {"В центре", "Centre"},          {"Справа по центру", "Right centre"},
    {"Внизу слева", "Bottom left"},  {"Внизу по центру", "Bottom centre"},
    {"Внизу справа", "Bottom right"}};
constexpr lang::TextPair kGestureEnds[] = {
    {"При нажатии", "On press"},          {"Движение вверх", "Moving up"},
    {"Движение вправо", "Moving right"},  {"Движение вниз", "Moving down"},
    {"Движение влево", "Moving left"},    {"Вверху слева", "Top left"},
    {"Вверху по центру", "Top centre"},   {"Вверху справа", "Top right"},
    {"Слева по центру", "Left centre"},   {"В центре", "Centre"},
    {"Справа по центру", "Right centre"}, {"Внизу слева", "Bottom left"},
    {"Внизу по центру", "Bottom centre"}, {"Внизу справа", "Bottom right"}};
constexpr lang::TextPair kEventPins[] = {
    {"Отключен", "Disabled"}, {"X2/2", "X2/2"},   {"X2/3", "X2/3"}, {"X2/4", "X2/4"},
    {"X2/5", "X2/5"},         {"X2/6", "X2/6"},   {"X4/2", "X4/2"}, {"X4/3", "X4/3"},
    {"X6/2", "X6/2"},         {"X6/3", "X6/3"},   {"X6/5", "X6/5"}, {"X6/6", "X6/6"},
    {"IERX", "IERX"},         {"X5/6", "X5/6"},   {"X5/7", "X5/7"}, {"X5/8", "X5/8"},
    {"X5/9", "X5/9"},         {"X5/10", "X5/10"}, {"IO5", "IO5"},   {"IO6", "IO6"}};
constexpr lang::TextPair kPinLevels[] = {{"лог. 0", "log. 0"}, {"лог. 1", "log. 1"}};
constexpr lang::TextPair kVarNames[] = {
    {"No", "No"}, {"VAR1", "VAR1"}, {"VAR2", "VAR2"}, {"VAR3", "VAR3"}, {"VAR4", "VAR4"}};

constexpr std::size_t kTimeoutItems = 101;

struct TimeoutList {
  std::array<std::string, kTimeoutItems> ru;
  std::array<std::string, kTimeoutItems> en;
  std::array<lang::TextPair, kTimeoutItems> pairs;

  TimeoutList() {
    ru[0] = "При включении";
    en[0] = "On power up";
    for (unsigned n = 1; n < kTimeoutItems; ++n) {
      ru[n] = lang::formatText("При реакции %u", n);
      en[n] = lang::formatText("On response %u", n);
    }
    for (std::size_t i = 0; i < kTimeoutItems; ++i) {
      pairs[i] = {ru[i], en[i]};
    }
  }
};

std::array<lang::TextPair, events::kPressKindCount> makePressKinds() {
  std::array<lang::TextPair, events::kPressKindCount> items{};
  for (unsigned i = 0; i < items.size(); ++i) {
    items[i] = *events::pressKindName(i);
  }
  return items;
}

List protocol(ProtocolList id) { return monitor::protocolEventList(id).names; }

}  // namespace

List pressKinds() {
  static const auto items = makePressKinds();
  return items;
}
List sourceMaskItems() { return kSourceMaskItems; }
List timeoutStarts() {
  static const TimeoutList list;
  return list.pairs;
}
List activation() { return kActivation; }
List naviMute() { return kNaviMute; }
List voltageInputs() { return kVoltageInputs; }
List gestureAreas() { return kGestureAreas; }
List gestureEnds() { return kGestureEnds; }
List eventPins() { return kEventPins; }
List pinLevels() { return kPinLevels; }
List varNames() { return kVarNames; }

List bmwIbusEvents() { return protocol(ProtocolList::BmwIbus); }
List iebusEvents() { return protocol(ProtocolList::Iebus); }
List iDriveEvents() { return protocol(ProtocolList::IDrive); }
List gaNetEvents() { return protocol(ProtocolList::GaNet); }
List mercedesJoyEvents() { return protocol(ProtocolList::MercedesJoystick); }
List acuraJoyEvents() { return protocol(ProtocolList::AcuraJoystick); }
List linEvents() { return protocol(ProtocolList::Lin); }
List audiMmiEvents() { return protocol(ProtocolList::AudiMmi); }
List renaultJoyEvents() { return protocol(ProtocolList::RenaultJoystick); }
List swCanEvents() { return protocol(ProtocolList::SteeringWheelCan); }
List mercedesCtrlEvents() { return protocol(ProtocolList::MercedesController); }
List hondaPanelEvents() { return protocol(ProtocolList::HondaPanel); }

}  // namespace kivprism::editor::lists
