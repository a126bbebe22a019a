// The selection lists of the event half of the editor. A stored value is the list position, so the
// order of every list is binding; the texts are pairs and follow the language.
#pragma once

#include <span>

#include "core/lang/text.hpp"

namespace kivprism::editor::lists {

using List = std::span<const lang::TextPair>;

// The common bottom row.
List pressKinds();
List sourceMaskItems();  // "Any" and the item the refresh rewrites

// Event pages.
List timeoutStarts();  // power-on, then "On response N" for N = 1..100
List activation();     // intercept, USB and Bluetooth
List naviMute();
List voltageInputs();
List gestureAreas();
List gestureEnds();
List eventPins();
List pinLevels();
List varNames();

// The protocol event lists, as the monitoring log names the events.
List bmwIbusEvents();
List iebusEvents();
List iDriveEvents();
List gaNetEvents();
List mercedesJoyEvents();
List acuraJoyEvents();
List linEvents();
List audiMmiEvents();
List renaultJoyEvents();
List swCanEvents();
List mercedesCtrlEvents();
List hondaPanelEvents();

}  // namespace kivprism::editor::lists
