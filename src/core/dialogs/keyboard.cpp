#include "core/dialogs/keyboard.hpp"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <optional>
#include <vector>

#include "core/config/image_layout.hpp"
#include "core/config/text_codec.hpp"
#include "core/events/entry_types.hpp"

namespace kivprism::dialogs {

namespace usb = events::reaction::usb_key;

const lang::TextPair kKeyboardCaption{"Клавиатура (реакция на событие %d)",
                                      "Keyboard (Reactions for the event %d)"};
const lang::TextPair kKeyboardNotSpecified{"Отсутствует", "Not specified"};

namespace {

constexpr std::string_view kKeyPrefix = "PanelKey";
constexpr std::string_view kModifierPrefix = "PanelMod";
constexpr std::string_view kConsumerPrefix = "SpeedButtonMMKey";
constexpr std::string_view kSystemControlPrefix = "SystemControl";

// Bits of the USB function mask that make the controller a keyboard of each page.
constexpr unsigned kKeyboardFunctionBit = 1;
constexpr unsigned kConsumerFunctionBit = 2;
constexpr unsigned kSystemControlFunctionBit = 3;

constexpr std::uint8_t kUsbKeyType = static_cast<std::uint8_t>(events::ReactionType::UsbKey);

constexpr std::array<ConsumerKey, kConsumerKeyCount> kConsumerKeys{{
    {0x00B0, "PLAY"},       {0x00B1, "PAUSE"},
    {0x00B2, "RECORD"},     {0x00B3, "FORWARD"},
    {0x00B4, "REWIND"},     {0x00B5, "NEXT TRACK"},
    {0x00B6, "PREV TRACK"}, {0x00B7, "STOP"},
    {0x00CD, "PLAY/PAUSE"}, {0x00E2, "MUTE"},
    {0x00E9, "VOL+"},       {0x00EA, "VOL-"},
    {0x0183, "MEDIA LIB"},  {0x018A, "EMAIL"},
    {0x0192, "CALC"},       {0x0194, "MACHINE BROWSER"},
    {0x0196, "BROWSER"},    {0x0223, "HOME"},
    {0x0224, "BACK"},
}};

constexpr std::array<std::uint16_t, kConsumerKeyCount> kConsumerRow{
    0x00E9, 0x00EA, 0x00E2, 0x00B6, 0x00B4, 0x00B0, 0x00CD, 0x00B1, 0x00B7, 0x00B2,
    0x00B3, 0x00B5, 0x0183, 0x0196, 0x0192, 0x018A, 0x0194, 0x0223, 0x0224,
};

constexpr std::array<std::string_view, kSystemControlCount> kSystemControls{
    "Power Down", "Sleep",    "Wake Up",   "Context Menu",
    "Main Menu",  "App Menu", "Menu Help", "Menu Exit",
};

// One panel of a row as the row is written down: left to right, each after the previous one.
struct RowKey {
  KeyControl control;
  std::string_view caption;
  int width = kKeySize;
};

constexpr KeyControl key(std::uint16_t usage) { return {KeyKind::Key, usage}; }
constexpr KeyControl mod(std::uint16_t bit) { return {KeyKind::Modifier, bit}; }

// Blocks of the keyboard: the main block at 0, the navigation keys and the keypad to its right.
constexpr int kFunctionGroupGap = 16;
constexpr int kNavigationX = 496;
constexpr int kKeypadX = 608;

void addRun(std::vector<KeyPanel>& out, int row, int x, std::initializer_list<RowKey> keys) {
  for (const auto& k : keys) {
    out.push_back({k.control, k.caption, row, x, k.width});
    x += k.width + (kKeyPitch - kKeySize);
  }
}

std::vector<KeyPanel> buildPanels() {
  std::vector<KeyPanel> p;
  p.reserve(kKeyPanelCount + kModifierCount);
  // The function-key row: Esc, F1..F12 in groups of four, PrScr, Scrl, Pause.
  addRun(p, 0, 0, {{key(41), "Esc"}});
  int x = 2 * kKeyPitch;
  for (std::uint16_t group = 0; group < 3; ++group) {
    for (std::uint16_t i = 0; i < 4; ++i) {
      static constexpr std::array<std::string_view, 12> kF = {
          "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};
      const std::uint16_t n = static_cast<std::uint16_t>(group * 4 + i);
      addRun(p, 0, x, {{key(static_cast<std::uint16_t>(58 + n)), kF[n]}});
      x += kKeyPitch;
    }
    x += kFunctionGroupGap;
  }
  addRun(p, 0, kNavigationX, {{key(70), "PrScr"}, {key(71), "Scrl"}, {key(72), "Pause"}});
  // The digit row.
  addRun(p, 1, 0,
         {{key(53), "`"},
          {key(30), "1"},
          {key(31), "2"},
          {key(32), "3"},
          {key(33), "4"},
          {key(34), "5"},
          {key(35), "6"},
          {key(36), "7"},
          {key(37), "8"},
          {key(38), "9"},
          {key(39), "0"},
          {key(45), "-"},
          {key(46), "="},
          {key(42), "Backspace", 62}});
  addRun(p, 1, kNavigationX, {{key(73), "Ins"}, {key(74), "Home"}, {key(75), "PgUp"}});
  addRun(p, 1, kKeypadX, {{key(83), "Num"}, {key(84), "/"}, {key(85), "*"}, {key(86), "-"}});
  // The Q row.
  addRun(p, 2, 0,
         {{key(43), "Tab", 46},
          {key(20), "Q"},
          {key(26), "W"},
          {key(8), "E"},
          {key(21), "R"},
          {key(23), "T"},
          {key(28), "Y"},
          {key(24), "U"},
          {key(12), "I"},
          {key(18), "O"},
          {key(19), "P"},
          {key(47), "["},
          {key(48), "]"},
          {key(49), "\\", 46}});
  addRun(p, 2, kNavigationX, {{key(76), "Del"}, {key(77), "End"}, {key(78), "PgDn"}});
  addRun(p, 2, kKeypadX, {{key(95), "7"}, {key(96), "8"}, {key(97), "9"}, {key(87), "+"}});
  // The A row.
  addRun(p, 3, 0,
         {{key(57), "Caps", 62},
          {key(4), "A"},
          {key(22), "S"},
          {key(7), "D"},
          {key(9), "F"},
          {key(10), "G"},
          {key(11), "H"},
          {key(13), "J"},
          {key(14), "K"},
          {key(15), "L"},
          {key(51), ";"},
          {key(52), "'"},
          {key(40), "Enter", 62}});
  addRun(p, 3, kKeypadX, {{key(92), "4"}, {key(93), "5"}, {key(94), "6"}});
  // The Z row.
  addRun(p, 4, 0,
         {{mod(1), "Shift", 78},
          {key(29), "Z"},
          {key(27), "X"},
          {key(6), "C"},
          {key(25), "V"},
          {key(5), "B"},
          {key(17), "N"},
          {key(16), "M"},
          {key(54), ","},
          {key(55), "."},
          {key(56), "/"},
          {mod(5), "Shift", 78}});
  addRun(p, 4, kNavigationX + kKeyPitch, {{key(82), "^"}});
  addRun(p, 4, kKeypadX, {{key(89), "1"}, {key(90), "2"}, {key(91), "3"}, {key(88), "Enter"}});
  // The bottom row.
  addRun(p, 5, 0,
         {{mod(0), "Ctrl", 55},
          {mod(3), "Win", 40},
          {mod(2), "Alt", 40},
          {key(44), "____", 154},
          {mod(6), "Alt", 40},
          {mod(7), "Win", 40},
          {key(101), "Apps", 40},
          {mod(4), "Ctrl", 55}});
  addRun(p, 5, kNavigationX, {{key(80), "<"}, {key(81), "v"}, {key(79), ">"}});
  addRun(p, 5, kKeypadX, {{key(98), "0", 61}});
  addRun(p, 5, kKeypadX + 2 * kKeyPitch, {{key(99), "."}});
  return p;
}

// The number after a prefix: decimal, or four hexadecimal digits for consumer keys.
std::optional<std::uint16_t> numberAfter(std::string_view name, std::string_view prefix, int base) {
  const auto at = name.find(prefix);
  if (at == std::string_view::npos) {
    return std::nullopt;
  }
  const char* first = name.data() + at + prefix.size();
  const char* last = name.data() + name.size();
  std::uint16_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value, base);
  if (error != std::errc{} || end == first) {
    return std::nullopt;
  }
  return value;
}

std::string hex(unsigned value, int digits) { return lang::formatText("x%0*X", digits, value); }

void clearKeyFields(events::EntryBytes e) {
  events::set(e, usb::kModifiers, 0);
  events::set(e, usb::kFirstKey, 0);
  events::set(e, usb::kSecondKey, 0);
}

bool isUsbKey(events::ConstEntryBytes e) {
  return events::get(e, events::entry::kReactionType) == kUsbKeyType;
}

void clickKey(events::EntryBytes e, std::uint8_t usage) {
  switchKeyboardPage(e, usb::kKeyboardPage);
  std::uint8_t k1 = events::get(e, usb::kFirstKey);
  std::uint8_t k2 = events::get(e, usb::kSecondKey);
  if (k1 == 0) {
    k1 = usage;
  } else if (k2 == 0) {
    if (usage == k1) {
      k1 = 0;
    } else {
      k2 = usage;
    }
  } else if (usage == k2) {
    k2 = 0;
  } else if (usage == k1) {
    k1 = k2;
    k2 = 0;
  } else {
    // The older key drops out; the new one becomes the second.
    k1 = k2;
    k2 = usage;
  }
  events::set(e, usb::kFirstKey, k1);
  events::set(e, usb::kSecondKey, k2);
  if (k1 == 0 && k2 == 0 && events::get(e, usb::kModifiers) == 0) {
    events::set(e, usb::kUsagePage, 0);
  }
}

void clickModifier(events::EntryBytes e, unsigned bit) {
  switchKeyboardPage(e, usb::kKeyboardPage);
  const unsigned bits = events::get(e, usb::kModifiers);
  events::set(e, usb::kModifiers, static_cast<std::uint8_t>(bits ^ (1u << bit)));
}

void clickConsumer(events::EntryBytes e, std::uint16_t usage) {
  switchKeyboardPage(e, usb::kConsumerPage);
  if (events::get(e, usb::kConsumerUsage) == usage) {
    events::set(e, usb::kUsagePage, 0);
    events::set(e, usb::kConsumerUsage, 0);
  } else {
    events::set(e, usb::kConsumerUsage, usage);
  }
}

void clickSystemControl(events::EntryBytes e, unsigned bit) {
  switchKeyboardPage(e, usb::kGenericDesktopPage);
  const auto mask = static_cast<std::uint8_t>(1u << bit);
  if (events::get(e, usb::kSystemControlMask) == mask) {
    events::set(e, usb::kUsagePage, 0);
    clearKeyFields(e);
  } else {
    events::set(e, usb::kSystemControlMask, mask);
  }
}

}  // namespace

std::string keyControlName(KeyControl control) {
  switch (control.kind) {
    case KeyKind::Key:
      return lang::formatText("PanelKey%ux", static_cast<unsigned>(control.number));
    case KeyKind::Modifier:
      return lang::formatText("PanelMod%ux", static_cast<unsigned>(control.number));
    case KeyKind::Consumer:
      return lang::formatText("SpeedButtonMMKey%04Xx", static_cast<unsigned>(control.number));
    case KeyKind::SystemControl:
      return lang::formatText("SystemControl%ux", static_cast<unsigned>(control.number));
  }
  return {};
}

std::optional<KeyControl> keyControlFromName(std::string_view name) {
  if (const auto usage = numberAfter(name, kKeyPrefix, 10)) {
    if (*usage <= 0xFF) {
      return KeyControl{KeyKind::Key, *usage};
    }
    return std::nullopt;
  }
  if (const auto bit = numberAfter(name, kModifierPrefix, 10)) {
    if (*bit < kModifierCount) {
      return KeyControl{KeyKind::Modifier, *bit};
    }
    return std::nullopt;
  }
  if (const auto usage = numberAfter(name, kConsumerPrefix, 16)) {
    return KeyControl{KeyKind::Consumer, *usage};
  }
  if (const auto bit = numberAfter(name, kSystemControlPrefix, 10)) {
    if (*bit < kSystemControlCount) {
      return KeyControl{KeyKind::SystemControl, *bit};
    }
  }
  return std::nullopt;
}

std::span<const KeyPanel> keyboardPanels() {
  static const std::vector<KeyPanel> panels = buildPanels();
  return panels;
}

const KeyPanel* findKeyPanel(KeyControl control) {
  const auto panels = keyboardPanels();
  const auto it = std::find_if(panels.begin(), panels.end(),
                               [&](const KeyPanel& p) { return p.control == control; });
  return it == panels.end() ? nullptr : &*it;
}

std::span<const ConsumerKey> consumerKeys() { return kConsumerKeys; }

std::span<const std::uint16_t> consumerKeyRow() { return kConsumerRow; }

const ConsumerKey* findConsumerKey(std::uint16_t usage) {
  const auto it = std::find_if(kConsumerKeys.begin(), kConsumerKeys.end(),
                               [&](const ConsumerKey& k) { return k.usage == usage; });
  return it == kConsumerKeys.end() ? nullptr : &*it;
}

std::string_view systemControlCaption(unsigned bit) {
  return bit < kSystemControls.size() ? kSystemControls[bit] : std::string_view{};
}

// A reaction with nothing chosen (page 0) has no other page to discard: its hold time stays.
void switchKeyboardPage(events::EntryBytes e, std::uint8_t page) {
  const std::uint8_t stored = events::get(e, usb::kUsagePage);
  if (!isUsbKey(e) || (stored != page && stored != 0)) {
    events::clear(e, events::entry::kReactionPart);
  } else if (stored == 0) {
    clearKeyFields(e);
  }
  events::set(e, events::entry::kReactionType, kUsbKeyType);
  events::set(e, usb::kUsagePage, page);
}

void clickKeyControl(events::EntryBytes e, KeyControl control) {
  switch (control.kind) {
    case KeyKind::Key:
      if (control.number <= 0xFF) {
        clickKey(e, static_cast<std::uint8_t>(control.number));
      }
      return;
    case KeyKind::Modifier:
      if (control.number < kModifierCount) {
        clickModifier(e, control.number);
      }
      return;
    case KeyKind::Consumer:
      clickConsumer(e, control.number);
      return;
    case KeyKind::SystemControl:
      if (control.number < kSystemControlCount) {
        clickSystemControl(e, control.number);
      }
      return;
  }
}

std::string_view keyCodeFieldName(KeyCodeField field) {
  switch (field) {
    case KeyCodeField::Key1:
      return "EditKEY1";
    case KeyCodeField::Key2:
      return "EditKEY2";
    case KeyCodeField::Consumer:
      return "EditMMKey";
  }
  return {};
}

std::uint32_t parseKeyCode(std::string_view text, std::uint32_t maximum) {
  const auto notSpace = text.find_first_not_of(" \t");
  text.remove_prefix(notSpace == std::string_view::npos ? text.size() : notSpace);
  unsigned base = 10;
  if (!text.empty() && (text.front() == 'x' || text.front() == 'X')) {
    base = 16;
    text.remove_prefix(1);
  } else if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
  }
  std::uint64_t value = 0;
  for (const char c : text) {
    const std::optional<unsigned> digit = config::hexDigitValue(c);
    if (!digit || *digit >= base) {
      break;
    }
    // Saturates: a long run of digits is simply too large.
    value = std::min<std::uint64_t>(value * base + *digit, std::uint64_t{maximum} + 1);
  }
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, maximum));
}

void enterKeyCode(events::EntryBytes e, KeyCodeField field, std::string_view text) {
  switch (field) {
    case KeyCodeField::Key1:
      switchKeyboardPage(e, usb::kKeyboardPage);
      events::set(e, usb::kFirstKey, static_cast<std::uint8_t>(parseKeyCode(text, 0xFF)));
      return;
    case KeyCodeField::Key2:
      switchKeyboardPage(e, usb::kKeyboardPage);
      events::set(e, usb::kSecondKey, static_cast<std::uint8_t>(parseKeyCode(text, 0xFF)));
      return;
    case KeyCodeField::Consumer:
      // Also from another page or nothing chosen: the typed code is a consumer key.
      switchKeyboardPage(e, usb::kConsumerPage);
      events::set(e, usb::kConsumerUsage, static_cast<std::uint16_t>(parseKeyCode(text, 0xFFFF)));
      return;
  }
}

KeyboardView deriveKeyboard(events::ConstEntryBytes e) {
  KeyboardView v;
  v.usbKey = isUsbKey(e);
  if (!v.usbKey) {
    return v;
  }
  switch (events::get(e, usb::kUsagePage)) {
    case usb::kGenericDesktopPage: {
      const unsigned mask = events::get(e, usb::kSystemControlMask);
      for (unsigned bit = 0; bit < kSystemControlCount; ++bit) {
        v.systemControlChosen[bit] = (mask & (1u << bit)) != 0;
      }
      break;
    }
    case usb::kKeyboardPage: {
      const unsigned bits = events::get(e, usb::kModifiers);
      for (unsigned bit = 0; bit < kModifierCount; ++bit) {
        v.modifierChosen[bit] = (bits & (1u << bit)) != 0;
      }
      const std::uint8_t k1 = events::get(e, usb::kFirstKey);
      const std::uint8_t k2 = events::get(e, usb::kSecondKey);
      v.key1 = hex(k1, 2);
      v.key2 = hex(k2, 2);
      // Usage 0 is "no key", never a panel.
      if (k1 != 0) {
        v.keyChosen[k1] = true;
      }
      if (k2 != 0) {
        v.keyChosen[k2] = true;
      }
      break;
    }
    case usb::kConsumerPage: {
      const std::uint16_t usage = events::get(e, usb::kConsumerUsage);
      v.consumer = hex(usage, 4);
      v.consumerDown = usage;
      break;
    }
    default:
      break;
  }
  return v;
}

std::string describeKeyboardReaction(events::ConstEntryBytes e) {
  if (!isUsbKey(e)) {
    return {};
  }
  std::vector<std::string> parts;
  switch (events::get(e, usb::kUsagePage)) {
    case usb::kKeyboardPage: {
      const unsigned bits = events::get(e, usb::kModifiers);
      for (unsigned bit = 0; bit < kModifierCount; ++bit) {
        if ((bits & (1u << bit)) != 0) {
          const auto* panel = findKeyPanel({KeyKind::Modifier, static_cast<std::uint16_t>(bit)});
          parts.push_back((bit < 4 ? "l" : "r") + std::string(panel->caption));
        }
      }
      const std::uint8_t k1 = events::get(e, usb::kFirstKey);
      const std::uint8_t k2 = events::get(e, usb::kSecondKey);
      if (k1 != 0) {
        const auto* panel = findKeyPanel(key(k1));
        parts.push_back(panel != nullptr ? std::string(panel->caption)
                                         : lang::formatText("KEY1:%u", static_cast<unsigned>(k1)));
      }
      if (k2 != 0) {
        const auto* panel = findKeyPanel(key(k2));
        parts.push_back(panel != nullptr
                            ? std::string(panel->caption)
                            : lang::formatText("KEY2:x%02X", static_cast<unsigned>(k2)));
      }
      break;
    }
    case usb::kConsumerPage: {
      const std::uint16_t usage = events::get(e, usb::kConsumerUsage);
      if (usage != 0) {
        const auto* consumer = findConsumerKey(usage);
        parts.push_back(consumer != nullptr
                            ? "ConsumerPage:" + std::string(consumer->name)
                            : lang::formatText("ConsumerPage:x%04X", static_cast<unsigned>(usage)));
      }
      break;
    }
    case usb::kGenericDesktopPage: {
      const unsigned mask = events::get(e, usb::kSystemControlMask);
      for (unsigned bit = 0; bit < kSystemControlCount; ++bit) {
        if ((mask & (1u << bit)) != 0) {
          parts.emplace_back(kSystemControls[bit]);
          break;
        }
      }
      break;
    }
    default:
      break;
  }
  std::string out;
  for (const auto& part : parts) {
    out += out.empty() ? part : " + " + part;
  }
  return out;
}

std::optional<std::string> keyboardMemoText(events::ConstEntryBytes e, lang::Language language) {
  if (!isUsbKey(e)) {
    return std::nullopt;
  }
  const std::string description = describeKeyboardReaction(e);
  return "  \n  \n" +
         (description.empty() ? std::string(kKeyboardNotSpecified.in(language)) : description);
}

KeyboardGroups keyboardGroups(const config::ConfigImage& image) {
  const unsigned mask = image.get(config::layout::kPidSupport);
  return {(mask & (1u << kKeyboardFunctionBit)) != 0, (mask & (1u << kConsumerFunctionBit)) != 0,
          (mask & (1u << kSystemControlFunctionBit)) != 0};
}

std::string keyboardCaption(std::size_t entryNumber, lang::Language language) {
  return lang::formatText(kKeyboardCaption.in(language), static_cast<int>(entryNumber));
}

}  // namespace kivprism::dialogs
