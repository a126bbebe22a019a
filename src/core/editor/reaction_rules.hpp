// What the reaction half shows beside the stored bytes and the checks its choices pass: the texts
// the pages build from an entry (USB keys, IR code, skip mask, CAN messages, labels), the LIN and
// command lookups, the pin and encoder checks, and the readers of the texts the user types.
// Everything here reads an entry that the consistency rules have already repaired. At the end, the
// rules of the reaction half's controls that use them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/image.hpp"
#include "core/config/image_layout.hpp"
#include "core/events/entry.hpp"
#include "core/events/records.hpp"
#include "core/lang/text.hpp"
#include "core/view/binding.hpp"

namespace kivprism::editor {

// ---- texts --------------------------------------------------------------------------------------

// Reaction 1: the keys of a USB key reaction joined by " + " ("lCtrl + rShift + A"); empty when
// nothing is chosen. The memo: two lines of two blanks, then that line or "Отсутствует".
std::string describeUsbKey(events::ConstEntryBytes e);
std::string usbKeyMemo(events::ConstEntryBytes e, lang::Language language);

// Reaction 2: "NEC 4660/86" (address before the slash); "Получить код" when the protocol is none
// the controller can send.
std::optional<std::string_view> reactionIrProtocolName(unsigned protocol);
std::string reactionIrCodeText(const events::IrCode& code, lang::Language language);

// Reaction 4: a voltage in hundredths shown as volts, "4.75".
std::string voltsText(unsigned hundredths);
// The minimum-time edit: the entry's time, or the key-reassign time, disabled, when that overrides.
struct AnalogTime {
  unsigned value = 0;
  bool enabled = true;
  friend bool operator==(const AnalogTime&, const AnalogTime&) = default;
};
AnalogTime analogTime(events::ConstEntryBytes e, unsigned keyReassignMs);

// Reaction 5: "Пропустить:  1 3" or "Пропустить:  нет".
std::string skipButtonCaption(std::uint8_t mask, lang::Language language);

// Reaction 12 and 19: the label beside the parameter; nothing when the parameter is hidden.
std::optional<lang::TextPair> iDriveParameterLabel(unsigned command);
std::optional<lang::TextPair> audiMmiParameterLabel(unsigned mode);

// Reaction 14: where serial reactions go, and the memo line "при нажатии <press:text>".
const lang::TextPair& serialTarget(const config::ConfigImage& image);
std::string serialMemoLine(events::ConstEntryBytes e, std::size_t entry, lang::Language language);

// Reaction 24: the text of a press or release message; "Не установлено" for an empty one.
std::string canMessageText(const events::CanMessage& message, lang::Language language);

// Reaction 29: the operation button ("?" for none).
std::string_view varOperationText(unsigned operation);

// ---- lookups ----------------------------------------------------------------------------------

// Reaction 18: the command names the LIN modes offer, and the list position of a stored command
// (nothing when its name is not in the list).
std::vector<std::string_view> linCommandItems(const config::ConfigImage& image);
std::optional<std::size_t> linCommandPosition(const std::vector<std::string_view>& items,
                                              unsigned code);

// Reaction 24: the list position of a command code in a type's list.
std::optional<std::size_t> swCanCommandPosition(unsigned type, unsigned code);

// The CarDSP module of the shortened type offers fewer parameters.
bool carDspShortened(const config::ConfigImage& image);

// ---- checks -----------------------------------------------------------------------------------

// The connector pin behind an IR output (0..15) or a pin-reaction pin (0..19) that must be set up
// as an output first; nothing for the choices that need no check.
std::optional<config::layout::Pin> irOutputPin(unsigned index);
std::optional<config::layout::Pin> reactionPinPin(unsigned index);
// False when the pin is one that must be set up and its pin-mode byte is 0.
bool pinReady(const config::ConfigImage& image, std::optional<config::layout::Pin> pin);
extern const lang::TextPair kConfigurePinFirst;

// Why an encoder connection cannot be used now; nothing when it can.
std::optional<lang::TextPair> encoderConnectionRefusal(const config::ConfigImage& image,
                                                       unsigned connection);

// ---- typed texts ------------------------------------------------------------------------------

// Auto-repeat: the leading decimal digits; a value above 10000 becomes 500, no digits 0.
std::uint16_t repeatFromText(std::string_view text);
// GaNet code: hexadecimal bytes; only exactly two bytes give a value (b0 * 256 + b1).
std::optional<std::uint16_t> ganetCodeFromText(std::string_view text);

// The rules of the reaction half's controls, each a small named object with the hooks it needs
// (store, show); the reaction bindings name the rule of every control.
namespace reaction_rules {

// The value entry check with the binding's range.
extern const view::Rule kNumber;

// Reactions 1 to 3: the USB key memo and its click area, the IR code, the pins.
extern const view::Rule kUsbMemo;
extern const view::Rule kClickArea;
extern const view::Rule kIrPanel;
extern const view::Rule kIrOutput;
extern const view::Rule kPinNumber;
extern const view::Rule kPinMode;
extern const view::Rule kPinTime;

// Reaction 4: voltages of the analog control outputs and the time they are held.
extern const view::Rule kVolts;
extern const view::Rule kAnalogTime;

// Reaction 5: the source skip mask and the save switch.
extern const view::Rule kSkipButton;
extern const view::Rule kSourceSave;

// Reaction 8: the amplifier's parameter tabs and their actions.
extern const view::Rule kAmplifierTab;
extern const view::Rule kAmplifierActions;

// Reaction 10: encoder steps and repeat.
extern const view::Rule kSteps;
extern const view::Rule kEncoderRepeat;

// Reactions 12 and 19: parameters in the module's own terms.
extern const view::Rule kIDriveParameter;
extern const view::Rule kAudiMmiParameter;

// Reactions 14 and 17: serial texts, where they go, and the memo.
extern const view::Rule kReactionText;
extern const view::Rule kSerialTarget;
extern const view::Rule kSerialMemo;

// Reaction 18: the command the LIN modes offer.
extern const view::Rule kLinCommand;

// Reaction 20: CarDSP parameter and repeat.
extern const view::Rule kCarDspParameter;
extern const view::Rule kCarDspRepeat;

// Reaction 24: steering-wheel CAN type and command, its messages, the dashboard display.
extern const view::Rule kSwCanType;
extern const view::Rule kSwCanCommand;
extern const view::Rule kMessageGroup;
extern const view::Rule kMessagePanel;
extern const view::Rule kDisplaySetting;
extern const view::Rule kDisplayTime;
extern const view::Rule kDisplayLine;

// Reaction 25: the GA-NET code.
extern const view::Rule kGanetCode;

// Reaction 29: the VAR operation and its operand.
extern const view::Rule kVarOperation;
extern const view::Rule kVarOperand;

}  // namespace reaction_rules

}  // namespace kivprism::editor
