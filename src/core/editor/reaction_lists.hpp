// The selection lists of the reaction half of the editor. A stored value is a list position unless
// said otherwise (LIN and steering-wheel CAN commands store a code), so the order of every list is
// binding; the texts are pairs and follow the language.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/text.hpp"

namespace kivprism::editor::lists {

using List = std::span<const lang::TextPair>;

// Fixed lists of the reaction pages.
List irOutputs();      // 0 off, 1..15 connector pins
List reactionPins();   // 0 none, 1 power hold, 2..19 pins
List pinModes();       // full control, trigger, once then reset, once then set
List analogActions();  // what an analog channel does with its voltage
List sourceChoices();  // next, source 1..8, previous, restore
List eventActions();   // issue, forbid, allow
List eventTargets();   // power-on event, then entries 1..100
List amplifierTabs();  // VOL BAL FAD BAS MID TRE ASL
List mouseActions();   // nine clicks
List encoderConnections();
List iebusCommands();         // 42
List iDriveCommands();        // 15
List ibusCommands();          // 62
List cursorDirections();      // 14
List acuraJoyModes();         // 3
List audiMmiModes();          // 18
List carDspModes();           // 15
List panaceaModes();          // 5
List renaultJoyCommands();    // 3
List swCanTypes();            // 14
List ganetModes();            // 24
List cruiseKeys();            // 5
List mercedesCtrlCommands();  // 15
List hwrCommands();           // 4
List pwmModes();              // 4

// Reaction 8: the action list of an amplifier parameter (0..6), formatted in the language; empty
// for an unknown parameter. The neutral position a new parameter starts from.
std::vector<std::string> amplifierActions(unsigned parameter, lang::Language language);
std::uint8_t amplifierNeutral(unsigned parameter);

// Reaction 20: the parameter list of a CarDSP mode; empty when the mode has none (list hidden).
// `shortened`: the parameters page's CarDSP type is the short one.
std::vector<std::string> carDspParameters(unsigned mode, bool shortened);
bool carDspHasRepeat(unsigned mode);

// Reaction 24: the command codes a steering-wheel CAN type offers, in list order, and the name of
// a command code (nothing for an unknown code).
std::span<const std::uint8_t> swCanCommands(unsigned type);
const lang::TextPair* swCanCommandName(unsigned code);
inline constexpr std::size_t kSwCanCommandNameCount = 55;

// Reaction 18: the 53 LIN command names; a LIN reaction stores the position of its name here.
std::span<const std::string_view> linCommandTable();
// The position of a name in the table; 0 for a name not in it.
std::uint8_t linCommandCode(std::string_view name);

}  // namespace kivprism::editor::lists
