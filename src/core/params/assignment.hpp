// Connector pins, the functions that claim them, and the checks that keep two functions off the
// same pins. Every check either stores the chosen value or refuses with the text the user sees.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/image.hpp"
#include "core/params/lists.hpp"
#include "core/params/notice.hpp"

namespace kivprism::params {

using config::layout::Pin;
inline constexpr std::size_t kPinCount = config::layout::kPinCount;

struct PinInfo {
  std::string_view control;
  Pin pin;
  lists::List (*list)();
  bool general;  // item 0 is the owner caption slot
};
std::span<const PinInfo> pinTable();
const PinInfo& pinInfo(Pin pin);

// Which function holds each pin after the owners have claimed in their fixed order (touch panel,
// IR input, encoder 1, encoder 2, GPS, head unit, capacitive converter, Bluetooth, UART, GAZER,
// car DSP); a later owner overwrites an earlier one's name. Null = free.
struct PinClaims {
  std::array<const lang::TextPair*, kPinCount> owner{};
  bool claimed(Pin pin) const { return owner[static_cast<std::size_t>(pin)] != nullptr; }
};
PinClaims computeClaims(const config::ConfigImage& image);
// Claimed pins have no mode of their own: their mode bytes become 0.
void releaseClaimedModes(config::ConfigImage& image, const PinClaims& claims);

// The connector's name of a pin ("X4/3", "IO5").
std::string_view pinName(Pin pin);

// Two functions that claim the same pin. The checks look at one pin of a pair, so a stored
// combination can put two functions on one pin (an IR input on X4/3, then the GPS on port 1);
// such images still load, and the pins tab warns about every overlap.
struct PinOverlap {
  Pin pin;
  lang::TextPair first;   // the earlier owner in the claiming order
  lang::TextPair second;  // the later owner, whose name the pin's list shows
};
// Every pair of owners that claim one pin, by pin and then in the claiming order.
std::vector<PinOverlap> pinClaimOverlaps(const config::ConfigImage& image);
// One warning line: "Вывод X4/3 занят дважды: ИК вход и UART GPS".
std::string pinOverlapWarning(const PinOverlap& overlap, lang::Language language);
std::string pinOverlapWarning(const PinOverlap& overlap);  // in the current language

// The pins an encoder mode uses (modes 3 and 4 use pins that have no mode byte).
std::optional<std::array<Pin, 2>> encoderPins(unsigned mode);
// The pin an IR-input list position uses, if it has a mode byte.
std::optional<Pin> irInputPin(unsigned position);
// The pin a pulse/PWM output position names, if it has a general mode byte to configure.
std::optional<Pin> outputPinWithMode(unsigned position);

bool touchPanelOn(const config::ConfigImage& image);

// Modules on a UART port.
enum class PortModule { Gps, Head, Cap2Res, Bt, Uart, CarDsp, ResEmul, Gazer, ExtNavi };
struct PortModuleInfo {
  PortModule module;
  std::string_view control;
  config::Field field;
  std::string_view checkName;  // the module's name in the port refusal
};
std::span<const PortModuleInfo> portModules();

// Each returns the refusal to show, or nothing when the chosen value was stored.
std::optional<Notice> setPortModule(config::ConfigImage& image, PortModule module, unsigned value);
std::optional<Notice> setEncoderMode(config::ConfigImage& image, unsigned encoder, unsigned mode);
std::optional<Notice> setIrInput(config::ConfigImage& image, unsigned position);
std::optional<Notice> setPulsePin(config::ConfigImage& image, unsigned position);
void setUsbFunctions(config::ConfigImage& image, std::uint16_t checked);

// The touch mode: mode 4 first asks for the interception sources (the source-mask dialog).
struct TouchModeOutcome {
  std::optional<Notice> notice;
  bool askInterceptMask = false;
};
TouchModeOutcome setTouchMode(config::ConfigImage& image, unsigned mode);
// The dialog's answer for mode 4: a non-empty mask keeps mode 4, an empty one turns the panel off.
void applyInterceptMask(config::ConfigImage& image, std::uint8_t mask);

// "Любой" stores 0; the second item asks for the sources to send touches for over USB.
bool chooseUsbTouchSource(config::ConfigImage& image, unsigned index);  // true: ask for the mask
void applyUsbTouchMask(config::ConfigImage& image, std::uint8_t mask);

// IEBUS functions and the use of IEBUS for touch coordinates.
std::uint32_t combineIebusFunctions(std::uint32_t previous, std::uint32_t checked);
void setIebusFunctions(config::ConfigImage& image, std::uint32_t checked);
std::optional<Notice> setIebusTouch(config::ConfigImage& image, bool checked);

}  // namespace kivprism::params
