// The rules of the parameters page's controls, each a small named object with the hooks it needs
// (store, show, range). The bindings table names the rule of every control; a control without a
// rule stores and shows its field plainly.
#pragma once

#include "core/view/binding.hpp"

namespace kivprism::params::rules {

// Choices checked against the pins other functions hold.
extern const view::Rule kPort;         // binding channel: the PortModule
extern const view::Rule kEncoderMode;  // binding channel: the encoder number
extern const view::Rule kIrInput;
extern const view::Rule kPulsePin;
// Choices that ask for a source mask.
extern const view::Rule kTouchMode;
extern const view::Rule kUsbTouchSource;
// Check lists and boxes with their own combination rules.
extern const view::Rule kUsbFunctions;
extern const view::Rule kIebusFunctions;
extern const view::Rule kIebusTouch;
// Numbers through the value entry check: the binding's range, the PWM period, a channel's limits.
extern const view::Rule kNumber;
extern const view::Rule kPwmLimit;  // binding channel: the PWM channel (0..3)
extern const view::Rule kPwmValue;  // binding channel: the PWM channel (0..3)
// Times that correct themselves instead of refusing.
extern const view::Rule kLongPress;
extern const view::Rule kHwrTime;
extern const view::Rule kUartDelay;
extern const view::Rule kUartRepeat;
// Voltages in hundredths of a volt and in millivolts.
extern const view::Rule kHundredths;
extern const view::Rule kMillivolts;
// A spin edit that shows the stored value plus one.
extern const view::Rule kSpinMinusOne;
// The eight source names.
extern const view::Rule kSourceNames;
// A single-item list, always selected, not stored.
extern const view::Rule kFixed;
// A control that is only shown or hidden, enabled or not.
extern const view::Rule kDisplay;
// The warning line of the pins tab: pins that two functions claim.
extern const view::Rule kPinOverlaps;

}  // namespace kivprism::params::rules
