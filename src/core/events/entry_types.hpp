// Event and reaction type codes with their names. A code is also the index of the editor page
// that shows the type, so the order of the enumerators is binding.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/lang/text.hpp"

namespace kivprism::events {

enum class EventType : std::uint8_t {
  None = 0,
  Key = 1,
  IrCode = 2,
  Source = 3,
  Timeout = 4,
  BmwIbus = 5,
  Intercept = 6,
  Voltage = 7,
  Usb = 8,
  Iebus = 9,
  Navi = 10,
  Gestures = 11,
  IDrive = 12,
  GaNet = 13,
  MercedesJoy = 14,
  Serial = 15,
  Pins = 16,
  AcuraJoy = 17,
  Lin = 18,
  Bluetooth = 19,
  Uart = 20,
  AudiMmi = 21,
  RenaultCanJoy = 22,
  SwCan = 23,
  MercedesCtrl = 24,
  Var = 25,
  PanelHonda = 26,
};
inline constexpr std::size_t kEventTypeCount = 27;

enum class ReactionType : std::uint8_t {
  None = 0,
  UsbKey = 1,
  IrCode = 2,
  Pin = 3,
  Control = 4,
  Source = 5,
  UsbTouch = 6,
  EventManage = 7,
  Amplifier = 8,
  UsbMouse = 9,
  Encoder = 10,
  Iebus = 11,
  IDrive = 12,
  IBus = 13,
  Serial = 14,
  CursorMove = 15,
  AcuraJoy = 16,
  Uart = 17,
  Lin = 18,
  AudiMmi = 19,
  CarDsp = 20,
  Panacea = 21,
  ResEmul = 22,
  RenaultCanJoy = 23,
  SwCan = 24,
  GaNet = 25,
  CruiseBmwDme = 26,
  MercedesCtrl = 27,
  Hwr = 28,
  Var = 29,
  Pwm = 30,
};
inline constexpr std::size_t kReactionTypeCount = 31;

constexpr bool isValidEventType(unsigned code) { return code < kEventTypeCount; }
constexpr bool isValidReactionType(unsigned code) { return code < kReactionTypeCount; }

// The page caption of a type; nothing for a code the controller does not know.
std::optional<lang::TextPair> eventTypeName(unsigned code);
std::optional<lang::TextPair> reactionTypeName(unsigned code);

// The length of the protocol event list an event type stores a position of; 0 for the types
// without such a list.
std::size_t eventListSize(EventType type);

enum class PressKind : std::uint8_t { Disabled = 0, Short = 1, Long = 2, Any = 3 };
inline constexpr std::size_t kPressKindCount = 4;
std::optional<lang::TextPair> pressKindName(unsigned code);

// Reaction 8: the amplifier parameters and the length of each one's action list.
inline constexpr std::size_t kAmplifierParameterCount = 7;  // VOL BAL FAD BAS MID TRE ASL
std::size_t amplifierActionCount(unsigned parameter);

// Reaction 5: the source choices.
inline constexpr std::uint8_t kSourceNext = 0;
inline constexpr std::uint8_t kSourcePrevious = 9;
inline constexpr std::uint8_t kSourceRestore = 10;

// Reaction 4: what an analog channel does with its voltage.
inline constexpr std::uint8_t kAnalogSet = 0;
inline constexpr std::uint8_t kAnalogAssign = 4;

}  // namespace kivprism::events
