// Every control of the parameters page as data: the field it edits, how it edits it, and what
// follows a change. The refresh reads the table to show fields; the handlers read it to store.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/config/image_layout.hpp"
#include "core/params/lists.hpp"
#include "core/params/page_view.hpp"

namespace kivprism::params {

enum class Rule {
  Plain,  // list position, check box 1/0, or check-list bits
  PinMode,
  Port,  // port check
  EncoderMode,
  TouchMode,
  UsbTouchSource,
  IrInput,
  PulsePin,
  UsbFunctions,
  IebusFunctions,
  IebusTouch,
  Number,    // value entry check min..max
  PwmLimit,  // value entry check 0..period
  PwmValue,  // value entry check channel minimum..maximum
  LongPress,
  HwrTime,
  UartDelay,
  UartRepeat,
  Hundredths,
  Millivolts,
  SpinMinusOne,  // spin shows stored + 1
  Spin,          // spin shows stored
  SourceNames,
  Fixed,    // a single-item list, always selected, not stored
  Display,  // a label or panel: only shown or hidden, enabled or not
};

// What the page must do after a change.
enum class After {
  None,              // stored, nothing to redraw
  Refresh,           // refresh the parameters page
  ForceRefresh,      // invalidate both change hashes, refresh the page and the event/reaction pane
  EventsOnly,        // refresh only the event/reaction pane
  AskInterceptMask,  // open the source-mask dialog for touch interception
  AskUsbTouchMask,   // open the source-mask dialog for touches over USB
};

struct Binding {
  std::string_view control;
  ControlKind kind;
  Rule rule;
  config::Field field{};
  std::optional<config::BitField> bits;
  lists::List (*items)() = nullptr;
  std::uint32_t minimum = 0;
  std::uint32_t maximum = 0;
  After after = After::Refresh;
  int channel = 0;  // encoder number, PWM channel, port module index
};

std::span<const Binding> bindings();
const Binding* findBinding(std::string_view control);
// Position of the control in bindings() (and so in PageView::controls); -1 when unknown.
int bindingIndex(std::string_view control);

}  // namespace kivprism::params
