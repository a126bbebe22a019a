// The selection lists of the parameters page. A stored value is always the list position, so the
// order of every list is binding; the texts are pairs and follow the current language.
#pragma once

#include <span>

#include "core/lang/text.hpp"

namespace kivprism::params::lists {

using List = std::span<const lang::TextPair>;

// Pin modes.
List pinGeneral();
List pinPower();
List pinOpenCollector();
// "По назначению": item 0 of a general pin list while no function owns the pin.
extern const lang::TextPair kPinFree;

// UART ports and their one-pin variants.
List uartPort();
List gazerPort();
List volvoAlpsPort();

// Interface tab.
List diffBus();
List lin1Mode();
List lin2Mode();
List usbFunctions();

// Inputs and outputs.
List irInput();
List touchModeFixed();  // items 0..3; item 4 is built from the intercept mask
List renaultJoy();
List encoderMode();
List pulseSourceCount();
List outputPin();  // pulse output and PWM channel pins
List sourceNumber();
// The source-name grid's titles: the rows ("Источник" and the number) and the name column.
List sourceNameTitles();

// Modules and buses.
List headType();
List gpsSpeed();
List parity();
List singleEight();
List singleOne();
List extNaviType();
List iebusFunctions();
List canSpeed();
List idriveLight();
List idriveTouchpadMode();
List idriveTouchpadClick();
List slaveMode();
List orientation();
List idriveType();
List mctrlType();
List mctrlLock();
List mctrlSpeedMode();
List mctrlLight();
List ganetMode();
List ganetVolume();
List ainetMode();
List acuraJoy();
List ibusNum();
List linSpeed();
List linRelayPin();
List linVersion();
List linType();
List linTempChannel();
List ps2Type();
List ps2Multiplier();
List ps2Rotation();
List uartSpeed();
List audiMmiType();
List carDspType();
List carDspBits();
List gazerType();

}  // namespace kivprism::params::lists
