#include "core/editor/reaction_rules.hpp"

#include <array>
#include <optional>

#include "core/config/text_codec.hpp"
#include "core/dialogs/keyboard.hpp"
#include "core/editor/reaction_lists.hpp"
#include "core/events/entry_types.hpp"
#include "core/params/availability.hpp"

namespace kivprism::editor {

namespace {

namespace layout = config::layout;
namespace reaction = events::reaction;
using config::layout::Pin;
using lang::TextPair;

constexpr TextPair kGetCode{"Получить код", "Get the code"};
constexpr TextPair kSkip{"Пропустить: ", "Skip: "};
constexpr TextPair kSkipNone{" нет", " no"};
constexpr TextPair kBacklightCode{"Код подсветки (0-по умолчанию)", "Backlight code (0-default)"};
constexpr TextPair kInterval{"Длительность, мСек", "Interval, mSec"};
constexpr TextPair kPercent{"0...100%", "0...100%"};
constexpr TextPair kLed{"Светодиод 0/1=выкл./вкл.", "Led 0/1=off/on"};
constexpr TextPair kToBluetooth{"По блютус", "To bluetooth"};
constexpr TextPair kToUsb{"По USB", "To USB"};
constexpr TextPair kOnPress{"при нажатии", "on press"};
constexpr TextPair kNotSet{"Не установлено", "Not set"};
constexpr TextPair kTouchPins{
    "Вы не можете использовать эти ножки для эмуляции энкодера,\nтак как они уже используются "
    "для тачпанели",
    "You can not use those pins for encoder emulation\nbecause as they are already used for "
    "touchpanel"};
constexpr TextPair kGpsPins{
    "Вы не можете использовать эти ножки для эмуляции энкодера,\nтак как они уже используются "
    "для подключения GPS UART модуля",
    "You can not use those pins for encoder emulation,\nbecause she already used to connect the "
    "GPS UART module"};
constexpr TextPair kHeadPins{
    "Вы не можете использовать эти ножки для эмуляции энкодера,\nтак как они уже используются "
    "для подключения головного устройства",
    "You can not use those pins for encoder emulation,\nbecause she already used to connect the "
    "HEAD UNIT"};

struct IrName {
  std::uint8_t protocol;
  std::string_view name;
};
constexpr std::array<IrName, 12> kIrNames = {{{1, "NEC"},
                                              {2, "JVC"},
                                              {3, "RC5"},
                                              {5, "SONY12"},
                                              {6, "SONY15"},
                                              {7, "SONY20"},
                                              {9, "USER"},
                                              {10, "SAMSUNG"},
                                              {12, "JVC_TYPE2"},
                                              {13, "NEC REP"},
                                              {14, "APPLE TV2"},
                                              {15, "IR_ALPINE"}}};

constexpr unsigned kNoPort = 0;
constexpr unsigned kPortX42 = 1;  // X4/2, X4/3
constexpr unsigned kPortX62 = 2;  // X6/2, X6/3
constexpr unsigned kEncoderOnX42 = 3;
constexpr unsigned kEncoderOnX62 = 5;

// The port an encoder connection shares with the UART modules; 0 for none.
unsigned sharedPort(unsigned connection) {
  if (connection == kEncoderOnX42) {
    return kPortX42;
  }
  return connection == kEncoderOnX62 ? kPortX62 : kNoPort;
}

constexpr std::uint16_t kRepeatLimit = 10000;
constexpr std::uint16_t kRepeatFallback = 500;

int hexDigit(char c) {
  const std::optional<unsigned> value = config::hexDigitValue(c);
  return value ? static_cast<int>(*value) : -1;
}

}  // namespace

const TextPair kConfigurePinFirst{"Сначала настройте параметры вывода\nво вкладке \"Выводы\"",
                                  "First, configure the pin options\nin the \"Pins\""};

// ---- texts --------------------------------------------------------------------------------------

// The keyboard dialog describes a USB key reaction; the page shows the same words.
std::string describeUsbKey(events::ConstEntryBytes e) {
  return dialogs::describeKeyboardReaction(e);
}

std::string usbKeyMemo(events::ConstEntryBytes e, lang::Language language) {
  return dialogs::keyboardMemoText(e, language).value_or(std::string{});
}

std::optional<std::string_view> reactionIrProtocolName(unsigned protocol) {
  for (const IrName& n : kIrNames) {
    if (n.protocol == protocol) {
      return n.name;
    }
  }
  return std::nullopt;
}

std::string reactionIrCodeText(const events::IrCode& code, lang::Language language) {
  const auto name = reactionIrProtocolName(code.protocol);
  if (!name) {
    return std::string(kGetCode.in(language));
  }
  return lang::formatText("%s %u/%u", std::string(*name).c_str(), unsigned{code.address},
                          unsigned{code.command});
}

std::string voltsText(unsigned hundredths) {
  const unsigned cents = hundredths % 100;
  return std::to_string(hundredths / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents);
}

AnalogTime analogTime(events::ConstEntryBytes e, unsigned keyReassignMs) {
  namespace control = reaction::control;
  const auto steps = [&e](const control::Channel& c) {
    const unsigned action = events::get(e, c.action);
    return action == 2 || action == 3;
  };
  const unsigned own = events::get(e, control::kPeriodMs);
  if (!steps(control::kChannel1) && !steps(control::kChannel2) && own != 0 && keyReassignMs != 0) {
    return {keyReassignMs, false};
  }
  return {own, true};
}

std::string skipButtonCaption(std::uint8_t mask, lang::Language language) {
  std::string text(kSkip.in(language));
  if (mask == 0) {
    return text + std::string(kSkipNone.in(language));
  }
  for (unsigned bit = 0; bit < 8; ++bit) {
    if ((mask >> bit) & 1u) {
      text += lang::formatText(" %d", static_cast<int>(bit + 1));
    }
  }
  return text;
}

std::optional<TextPair> iDriveParameterLabel(unsigned command) {
  if (command == 0 || command == 1) {
    return kBacklightCode;
  }
  if (command == 14) {
    return kInterval;
  }
  return std::nullopt;
}

std::optional<TextPair> audiMmiParameterLabel(unsigned mode) {
  if (mode == 0) {
    return std::nullopt;
  }
  return mode == 1 ? kPercent : kLed;
}

const TextPair& serialTarget(const config::ConfigImage& image) {
  return image.getU8(layout::kBtNum) != 0 ? kToBluetooth : kToUsb;
}

std::string serialMemoLine(events::ConstEntryBytes e, std::size_t entry, lang::Language language) {
  std::string text = events::get(e, reaction::serial::kText);
  if (text.empty()) {
    text = lang::formatText("event%03d", static_cast<int>(entry));
  }
  return lang::formatText("%s <press:%s>", std::string(kOnPress.in(language)).c_str(),
                          text.c_str());
}

std::string canMessageText(const events::CanMessage& message, lang::Language language) {
  if (message.length == 0) {
    return std::string(kNotSet.in(language));
  }
  const events::CanId id = message.id();
  std::string text = id.extended ? lang::formatText("Id:%08X (", id.value)
                                 : lang::formatText("Id:%03X (", id.value);
  const auto payload = message.payload();
  for (std::size_t i = 0; i < payload.size(); ++i) {
    text += lang::formatText(i == 0 ? "%02X" : " %02X", unsigned{payload[i]});
  }
  return text + ")";
}

std::string_view varOperationText(unsigned operation) {
  constexpr std::array<std::string_view, 7> kNames = {"?", "SET", "ADD", "SUB", "AND", "OR", "XOR"};
  return operation < kNames.size() ? kNames[operation] : kNames[0];
}

// ---- lookups ----------------------------------------------------------------------------------

std::vector<std::string_view> linCommandItems(const config::ConfigImage& image) {
  return params::linReactionCommands(image.getU8(layout::kLin1Mode),
                                     image.getU8(layout::kLin2Mode));
}

std::optional<std::size_t> linCommandPosition(const std::vector<std::string_view>& items,
                                              unsigned code) {
  const auto table = lists::linCommandTable();
  if (code >= table.size()) {
    return std::nullopt;
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == table[code]) {
      return i;
    }
  }
  return std::nullopt;
}

std::optional<std::size_t> swCanCommandPosition(unsigned type, unsigned code) {
  const auto codes = lists::swCanCommands(type);
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (codes[i] == code) {
      return i;
    }
  }
  return std::nullopt;
}

// ---- checks -----------------------------------------------------------------------------------

std::optional<Pin> irOutputPin(unsigned index) {
  // 0 off, 1..7 X2/2..X4/3, 8..9 the open-collector pins, 10..15 X6/2..IO6.
  if (index >= 1 && index <= 7) {
    return static_cast<Pin>(index - 1);
  }
  if (index >= 10 && index <= 15) {
    return static_cast<Pin>(index);
  }
  return std::nullopt;
}

std::optional<Pin> reactionPinPin(unsigned index) {
  // 0 none, 1 power hold, 2..8 X2/2..X4/3, 9..11 the power and open-collector pins, 12..15
  // X6/2..X6/6, 16..19 USB_UP, RESTART, IO5, IO6.
  if (index >= 2 && index <= 8) {
    return static_cast<Pin>(index - 2);
  }
  if (index >= 12 && index <= 15) {
    return static_cast<Pin>(index - 2);
  }
  return std::nullopt;
}

bool pinReady(const config::ConfigImage& image, std::optional<Pin> pin) {
  return !pin || image.getU8(layout::pinMode(*pin)) != 0;
}

std::optional<TextPair> encoderConnectionRefusal(const config::ConfigImage& image,
                                                 unsigned connection) {
  const unsigned touch = image.getU8(layout::kTouchMode);
  if ((connection == 1 || connection == 2) && touch >= 1 && touch <= 3) {
    return kTouchPins;
  }
  const unsigned port = sharedPort(connection);
  if (port == kNoPort) {
    return std::nullopt;
  }
  if (image.getU8(layout::kGpsNum) == port) {
    return kGpsPins;
  }
  if (image.getU8(layout::kHeadNum) == port) {
    return kHeadPins;
  }
  return std::nullopt;
}

// ---- typed texts ------------------------------------------------------------------------------

std::uint16_t repeatFromText(std::string_view text) {
  std::uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      break;
    }
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
    if (value > kRepeatLimit) {
      return kRepeatFallback;
    }
  }
  return static_cast<std::uint16_t>(value);
}

std::optional<std::uint16_t> ganetCodeFromText(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  std::size_t i = text.find_first_not_of(" ,");
  while (i != std::string_view::npos) {
    const std::string_view token = text.substr(i, text.find_first_of(" ,", i) - i);
    // A token of one digit is one byte; a longer one is read two digits at a time, and a digit
    // left over makes the text unreadable.
    if (token.size() == 1) {
      const int digit = hexDigit(token[0]);
      if (digit < 0) {
        return std::nullopt;
      }
      bytes.push_back(static_cast<std::uint8_t>(digit));
    }
    for (std::size_t k = 0; token.size() > 1 && k < token.size(); k += 2) {
      const int high = hexDigit(token[k]);
      const int low = k + 1 < token.size() ? hexDigit(token[k + 1]) : -1;
      if (high < 0 || low < 0) {
        return std::nullopt;
      }
      bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    i = text.find_first_not_of(" ,", i + token.size());
  }
  if (bytes.size() != 2) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(bytes[0] * 256 + bytes[1]);
}

}  // namespace kivprism::editor
