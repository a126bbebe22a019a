#include "core/events/entry_types.hpp"

#include <array>
#include <utility>

namespace kivprism::events {

namespace {

constexpr std::array<lang::TextPair, kEventTypeCount> kEventTypeNames{{
    {"Не задано", "Not set"},
    {"Кнопка", "Button"},
    {"ИК код", "IR code"},
    {"Источник", "Source"},
    {"Таймаут", "Timeout"},
    {"BMW IBUS", "BMW IBUS"},
    {"Перехват", "Intercept"},
    {"Напряжение", "Voltage"},
    {"USB", "USB"},
    {"IEBUS", "IEBUS"},
    {"NAVI", "NAVI"},
    {"Жесты", "Gestures"},
    {"iDrive", "iDrive"},
    {"GaNet", "GaNet"},
    {"MercedesJOY", "MercedesJOY"},
    {"Serial", "Serial"},
    {"Выводы", "Pins"},
    {"ACURA JOY", "ACURA JOY"},
    {"LIN", "LIN"},
    {"Блютус", "Bluetooth"},
    {"UART", "UART"},
    {"AUDI MMI", "AUDI MMI"},
    {"Renault CAN Joy", "Renault CAN Joy"},
    {"SW CAN", "SW CAN"},
    {"Mercedes Ctrl", "Mercedes Ctrl"},
    {"VAR", "VAR"},
    {"Панель Honda", "Panel Honda"},
}};

constexpr std::array<lang::TextPair, kReactionTypeCount> kReactionTypeNames{{
    {"Не задана", "Not set"},
    {"USB кнопка", "USB key"},
    {"ИК код", "IR code"},
    {"Вывод", "Pin"},
    {"Управление", "Control"},
    {"Источник", "Source"},
    {"USB Нажатие", "USB Touch"},
    {"Управление событиями", "Event manage"},
    {"Управление усилителем", "Amplifier control"},
    {"USB мышь", "USB mouse"},
    {"Энкодер", "Encoder"},
    {"IEBUS", "IEBUS"},
    {"iDrive", "iDrive"},
    {"iBus", "iBus"},
    {"Serial", "Serial"},
    {"Cursor Move", "Cursor Move"},
    {"ACURA JOY", "ACURA JOY"},
    {"UART", "UART"},
    {"LIN", "LIN"},
    {"AUDI MMI", "AUDI MMI"},
    {"CarDSP", "CarDSP"},
    {"Panacea", "Panacea"},
    {"ResEmul", "ResEmul"},
    {"R CAN Joy", "R CAN Joy"},
    {"SW CAN", "SW CAN"},
    {"GaNet", "GaNet"},
    {"CRUISE BMW DME", "CRUISE BMW DME"},
    {"Mercedes Ctrl", "Mercedes Ctrl"},
    {"HWR", "HWR"},
    {"VAR", "VAR"},
    {"PWM", "PWM"},
}};

constexpr std::array<lang::TextPair, kPressKindCount> kPressKindNames{{
    {"Отключено", "Disabled"},
    {"Короткое", "Short"},
    {"Длинное", "Long"},
    {"Любое", "Any"},
}};

constexpr std::array<std::pair<EventType, std::size_t>, 12> kEventListSizes{{
    {EventType::BmwIbus, 65},
    {EventType::Iebus, 111},
    {EventType::IDrive, 27},
    {EventType::GaNet, 69},
    {EventType::MercedesJoy, 12},
    {EventType::AcuraJoy, 26},
    {EventType::Lin, 92},
    {EventType::AudiMmi, 71},
    {EventType::RenaultCanJoy, 17},
    {EventType::SwCan, 11},
    {EventType::MercedesCtrl, 33},
    {EventType::PanelHonda, 23},
}};

// VOL 64 settings and 4 steps; BAL and FAD 15 positions and 2 steps; BAS, MID, TRE 11 levels and
// 2 steps; ASL off, on, toggle.
constexpr std::array<std::size_t, kAmplifierParameterCount> kAmplifierActionCounts{68, 17, 17, 13,
                                                                                   13, 13, 3};

template <std::size_t N>
std::optional<lang::TextPair> nameAt(const std::array<lang::TextPair, N>& names, unsigned code) {
  if (code >= N) {
    return std::nullopt;
  }
  return names[code];
}

}  // namespace

std::optional<lang::TextPair> eventTypeName(unsigned code) { return nameAt(kEventTypeNames, code); }

std::optional<lang::TextPair> reactionTypeName(unsigned code) {
  return nameAt(kReactionTypeNames, code);
}

std::optional<lang::TextPair> pressKindName(unsigned code) { return nameAt(kPressKindNames, code); }

std::size_t eventListSize(EventType type) {
  for (const auto& [listType, size] : kEventListSizes) {
    if (listType == type) {
      return size;
    }
  }
  return 0;
}

std::size_t amplifierActionCount(unsigned parameter) {
  return parameter < kAmplifierActionCounts.size() ? kAmplifierActionCounts[parameter] : 0;
}

}  // namespace kivprism::events
