// What the event half shows beside the stored bytes: which boxes of the bottom row the user may
// change, and the texts the pages build from an entry (key names, IR code, CAN filter, units).
// Everything here reads an entry that the consistency rules have already repaired. At the end, the
// rules of the event half's controls that use them.
#pragma once

#include <cstdint>
#include <string>

#include "core/config/image.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"
#include "core/events/records.hpp"
#include "core/lang/text.hpp"
#include "core/view/binding.hpp"

namespace kivprism::editor {

// Enabled states of the bottom row. A box that a rule pins shows the stored flag, disabled.
struct EventBoxes {
  bool pressKind = false;
  bool once = false;
  bool wakeUp = false;
  bool sourceMask = false;
  bool sourceMaskAny = false;  // the mask box shows its first item whatever is stored
  friend bool operator==(const EventBoxes&, const EventBoxes&) = default;
};
EventBoxes eventBoxes(events::ConstEntryBytes e);

// The second item of the source-mask box: " 1 3" for mask 0x05; "Select..." for mask 0.
std::string sourceMaskItemText(std::uint8_t mask, lang::Language language);

// The key panels of a key event, with their fallbacks ("Enc1+ ?", "2.[7] ?").
std::string keyPanelText(const config::ConfigImage& image, events::KeyReference key, bool modifier);

// "NEC 4660/86" (address before the slash), the CAN key decoder's text for CAN AUTO, or
// "Получить код" when the event holds no code.
std::string eventIrCodeText(const events::IrCode& code, lang::Language language);

// The caption of SpeedButtonCANFILERx: three CR LF ended lines, or "Filter not set".
std::string canFilterText(const events::CanFilter& filter, lang::Language language);

// The unit beside a voltage event's threshold, by input.
std::string_view voltageUnit(unsigned input, lang::Language language);

// The VAR event's operation buttons ("?" for none or an unknown code).
std::string_view varLogicText(unsigned operation);
std::string_view varComparisonText(unsigned comparison);
// A byte as the VAR edits show it: "x1F".
std::string hexByteText(unsigned value);

// PanelSerialEevent: where serial events come from.
std::string_view serialSourceText(const config::ConfigImage& image, lang::Language language);

// The rules of the event half's controls, each a small named object with the hooks it needs (store,
// show); the event bindings name the rule of every control.
namespace event_rules {

// The first item means any source; the second asks the source-mask dialog.
extern const view::Rule kSourceMask;
// A press kind the event cannot tell apart: the user is told what the repair will store.
extern const view::Rule kPressKind;
// A start point makes a timeout fire: no press kind becomes "any".
extern const view::Rule kTimeoutStart;
extern const view::Rule kEventText;     // serial and UART texts
extern const view::Rule kKeyPanel;      // binding channel: 0 the key, 1 the modifier
extern const view::Rule kIrPanel;       // the event's IR code
extern const view::Rule kVoltageSign;   // ">" or "<", toggled by a click
extern const view::Rule kVoltageUnit;   // the unit of the voltage input
extern const view::Rule kSerialSource;  // where serial events come from
extern const view::Rule kCanFilter;     // the steering-wheel CAN event's own filter
extern const view::Rule kVarOperation;  // binding channel: 0 the logic, 1 the comparison
extern const view::Rule kHexByte;       // a byte shown as "x1F"
extern const view::Rule kNumber;        // the value entry check with the binding's range

}  // namespace event_rules

}  // namespace kivprism::editor
