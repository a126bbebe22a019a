// The keyboard usage dialog's model: the drawn keyboard (keys by HID usage, modifiers, consumer
// keys, system-control keys), what a click or an entered code stores into the USB key reaction of
// one entry, what the dialog shows for it and the one-line description of the chosen keys.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/config/image.hpp"
#include "core/events/entry.hpp"
#include "core/lang/text.hpp"

namespace kivprism::dialogs {

extern const lang::TextPair kKeyboardCaption;       // carries the entry number as %d
extern const lang::TextPair kKeyboardNotSpecified;  // the description when nothing is chosen

// --- the drawn keyboard ---

enum class KeyKind : std::uint8_t {
  Key,            // keyboard page: number = HID usage
  Modifier,       // keyboard page: number = bit of the modifier byte
  Consumer,       // consumer page: number = usage
  SystemControl,  // generic desktop page: number = bit of the system-control mask
};

struct KeyControl {
  KeyKind kind;
  std::uint16_t number;
  friend bool operator==(const KeyControl&, const KeyControl&) = default;
};

// The control's object name: "PanelKey4x", "PanelMod0x", "SpeedButtonMMKey00E9x",
// "SystemControl1x".
std::string keyControlName(KeyControl control);
// The control a clicked component's name stands for; nothing for any other name.
std::optional<KeyControl> keyControlFromName(std::string_view name);

// A key or modifier panel of the 104-key keyboard, in pixels of the keyboard group.
struct KeyPanel {
  KeyControl control;
  std::string_view caption;
  int row;  // 0 the function-key row .. 5 the bottom row
  int x;
  int width;
};
inline constexpr int kKeySize = 30;
inline constexpr int kKeyPitch = 32;
inline constexpr std::size_t kKeyPanelCount = 96;
inline constexpr std::size_t kModifierCount = 8;
std::span<const KeyPanel> keyboardPanels();  // the 96 keys and 8 modifiers
const KeyPanel* findKeyPanel(KeyControl control);

struct ConsumerKey {
  std::uint16_t usage;
  std::string_view name;  // its name in the description
};
inline constexpr std::size_t kConsumerKeyCount = 19;
// In increasing usage order.
std::span<const ConsumerKey> consumerKeys();
// In their order on the form, left to right.
std::span<const std::uint16_t> consumerKeyRow();
const ConsumerKey* findConsumerKey(std::uint16_t usage);

inline constexpr std::size_t kSystemControlCount = 8;
std::string_view systemControlCaption(unsigned bit);

// --- what a click or a code stores ---

// Before a change for page p: a reaction that is not a USB key on page p is cleared (all 64 bytes,
// hold time included) and becomes a USB key reaction on page p.
void switchKeyboardPage(events::EntryBytes entry, std::uint8_t page);

// A click on a key, modifier, consumer or system-control control.
void clickKeyControl(events::EntryBytes entry, KeyControl control);

enum class KeyCodeField : std::uint8_t { Key1, Key2, Consumer };
// "EditKEY1", "EditKEY2", "EditMMKey".
std::string_view keyCodeFieldName(KeyCodeField field);
// A typed code: "x"/"X" then hexadecimal, else the leading decimal digits; unreadable gives 0,
// too large gives the maximum.
std::uint32_t parseKeyCode(std::string_view text, std::uint32_t maximum);
// Enter in a code field stores the typed code.
void enterKeyCode(events::EntryBytes entry, KeyCodeField field, std::string_view text);

// --- what the dialog shows ---

struct KeyboardView {
  bool usbKey = false;  // the entry's reaction is a USB key; otherwise the dialog keeps its look
  std::array<bool, 256> keyChosen{};  // by usage
  std::array<bool, kModifierCount> modifierChosen{};
  std::array<bool, kSystemControlCount> systemControlChosen{};
  std::uint16_t consumerDown = 0;  // the usage of the pressed consumer button, 0 none
  std::string key1 = "x00";
  std::string key2 = "x00";
  std::string consumer = "x0000";
};
KeyboardView deriveKeyboard(events::ConstEntryBytes entry);

// The chosen keys joined by " + "; empty for nothing chosen or another reaction type.
std::string describeKeyboardReaction(events::ConstEntryBytes entry);
// The three memo lines: two blank lines and the description, or "not specified"; nothing for
// another reaction type (the memo is the reaction page's then).
std::optional<std::string> keyboardMemoText(events::ConstEntryBytes entry, lang::Language language);

// Group visibility by the USB function mask.
struct KeyboardGroups {
  bool keyboardPage = false;   // bit 1
  bool consumerPage = false;   // bit 2
  bool systemControl = false;  // bit 3
  bool any() const { return keyboardPage || consumerPage || systemControl; }
  friend bool operator==(const KeyboardGroups&, const KeyboardGroups&) = default;
};
KeyboardGroups keyboardGroups(const config::ConfigImage& image);

// The window caption for entry number n (1..100).
std::string keyboardCaption(std::size_t entryNumber, lang::Language language);

}  // namespace kivprism::dialogs
