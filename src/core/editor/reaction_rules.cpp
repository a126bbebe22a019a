#include "core/editor/reaction_rules.hpp"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "core/config/text_codec.hpp"
#include "core/dialogs/keyboard.hpp"
#include "core/editor/event_lists.hpp"
#include "core/editor/reaction_lists.hpp"
#include "core/editor/rule_names.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"
#include "core/events/entry_types.hpp"
#include "core/lang/common_texts.hpp"
#include "core/params/availability.hpp"
#include "core/params/entry_value.hpp"
#include "core/params/rules.hpp"

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

bool carDspShortened(const config::ConfigImage& image) {
  return image.getU8(config::layout::kCarDspType) == 1;
}

}  // namespace kivprism::editor

namespace kivprism::editor::reaction_rules {

namespace {

using namespace rule_names;
namespace layout = config::layout;
namespace reaction = events::reaction;
using events::ReactionType;
using lists::List;

ChangeOutcome stored(const Binding& b) { return {std::nullopt, b.after, std::nullopt}; }

// The value entry check with the binding's range.
ChangeOutcome storeNumber(ConfigImage& image, const Binding& b, const Change& input,
                          const FormContext& c) {
  return params::rules::kNumber.store(image, b, input, c);
}

// ---- reaction 1, 2, 3 ---------------------------------------------------------------------------

void showUsbMemo(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  v.text = usbKeyMemo(selected(image, c), c.language);
}
// The panel under the memo only takes the click that opens the keyboard dialog; it shows nothing
// of its own, so the keys are not described twice.

void showIrPanel(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  v.text =
      reactionIrCodeText(events::get(selected(image, c), reaction::ir_code::kCode), c.language);
}

// A pin that is not set up as an output stores 0 and tells the user to set it up first.
template <std::optional<config::layout::Pin> (*PinOf)(unsigned)>
ChangeOutcome storeCheckedPin(ConfigImage& image, const Binding& b, const Change& input,
                              const FormContext& c) {
  if (input.index < 0) {
    return {};
  }
  const auto index = static_cast<unsigned>(input.index);
  const bool ready = pinReady(image, PinOf(index));
  view::storeField(image, b.field, c.entry, ready ? index : 0);
  if (ready) {
    return stored(b);
  }
  return {view::plainNotice(view::NoticeKind::Information, kConfigurePinFirst), b.after,
          std::nullopt};
}
void showIrOutput(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  const auto code = events::get(selected(image, c), reaction::ir_code::kCode);
  v.enabled = reactionIrProtocolName(code.protocol).has_value();
}

// Mode and time of a pin reaction mean nothing without a pin.
void showPinSetting(ControlView& v, const Binding& b, const ConfigImage& image,
                    const FormContext& c) {
  v.enabled = events::get(selected(image, c), reaction::pin::kPin) != 0;
  if (!v.enabled && b.kind == ControlKind::Edit) {
    v.text.clear();
  }
}

// ---- reaction 4 -------------------------------------------------------------------------------

// A channel that sets or assigns a voltage keeps it within the span of the output's two
// parameter voltages; the binding's channel is the output (0 or 1).
struct VoltSpan {
  std::uint16_t low = 0;
  std::uint16_t high = 0;
};
std::optional<VoltSpan> analogSpan(const ConfigImage& image, events::ConstEntryBytes e,
                                   const Binding& b) {
  const auto channel = reaction::control::channel(static_cast<std::size_t>(b.channel));
  const std::uint8_t action = events::get(e, channel.action);
  if (action != events::kAnalogSet && action != events::kAnalogAssign) {
    return std::nullopt;
  }
  const events::EntryContext context = events::entryContextOf(image);
  const std::uint16_t first = b.channel == 0 ? context.anaVout1 : context.anaVout2;
  const std::uint16_t second = b.channel == 0 ? context.minMaxVout1 : context.minMaxVout2;
  return VoltSpan{std::min(first, second), std::max(first, second)};
}
constexpr lang::TextPair kVoltsLimited{
    "Напряжение этого выхода ограничено интервалом от %s до %s В, установлено %s В",
    "The voltage of this output is limited to the range from %s to %s V, %s V is set"};
constexpr lang::TextPair kVoltsSpanHint = lang::kVoltsRangeHint;

ChangeOutcome storeVolts(ConfigImage& image, const Binding& b, const Change& input,
                         const FormContext& c) {
  auto parsed = params::hundredthsFromText(input.text);
  if (auto* notice = std::get_if<view::Notice>(&parsed)) {
    return {std::move(*notice), view::After::None, std::nullopt};
  }
  const std::uint16_t typed = std::get<std::uint16_t>(parsed);
  const auto span = analogSpan(image, selected(image, c), b);
  const std::uint16_t value = span ? std::clamp(typed, span->low, span->high) : typed;
  view::storeField(image, b.field, c.entry, value);
  if (value == typed) {
    return stored(b);
  }
  const auto say = [&](const lang::TextPair& f, lang::Language l) {
    return lang::formatText(f.in(l), voltsText(span->low).c_str(), voltsText(span->high).c_str(),
                            voltsText(value).c_str());
  };
  return {view::Notice{view::NoticeKind::Information, say(kVoltsLimited, lang::Language::Russian),
                       say(kVoltsLimited, lang::Language::English)},
          b.after, std::nullopt};
}
void showVolts(ControlView& v, const Binding& b, const ConfigImage& image, const FormContext& c) {
  v.text = voltsText(view::readField(image, b.field, c.entry));
  if (const auto span = analogSpan(image, selected(image, c), b)) {
    v.hint = lang::formatText(kVoltsSpanHint.in(c.language), voltsText(span->low).c_str(),
                              voltsText(span->high).c_str());
  }
}

void showAnalogTime(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  const AnalogTime t = analogTime(selected(image, c), image.getU16(layout::kKeyReassignTo));
  v.text = std::to_string(t.value);
  v.enabled = t.enabled;
}

// ---- reaction 5 -------------------------------------------------------------------------------

bool stepsThroughSources(unsigned choice) {
  return choice == events::kSourceNext || choice == events::kSourcePrevious;
}
void showSkipButton(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  const auto e = selected(image, c);
  v.text = skipButtonCaption(events::get(e, reaction::source::kSkipMask), c.language);
  v.enabled = stepsThroughSources(events::get(e, reaction::source::kChoice));
}

void showSourceSave(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  const unsigned choice = events::get(selected(image, c), reaction::source::kChoice);
  v.enabled = choice > events::kSourceNext && choice < events::kSourcePrevious;
}

// ---- reaction 8 -------------------------------------------------------------------------------

ChangeOutcome storeAmplifierTab(ConfigImage& image, const Binding& b, const Change& input,
                                const FormContext& c) {
  if (input.index < 0 ||
      static_cast<std::size_t>(input.index) >= events::kAmplifierParameterCount) {
    return {};
  }
  const auto e = selected(image, c);
  const auto parameter = static_cast<std::uint8_t>(input.index);
  events::set(e, reaction::amplifier::kParameter, parameter);
  events::set(e, reaction::amplifier::kPosition, lists::amplifierNeutral(parameter));
  return stored(b);
}
void showAmplifierTab(ControlView& v, const Binding&, const ConfigImage& image,
                      const FormContext& c) {
  v.hasValue = true;
  v.items = lists::amplifierTabs();
  v.value = events::get(selected(image, c), reaction::amplifier::kParameter);
}

void overrideItems(ControlView& v, const std::vector<std::string>& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    v.itemOverrides.emplace_back(static_cast<int>(i), items[i]);
  }
}
void showAmplifierActions(ControlView& v, const Binding&, const ConfigImage& image,
                          const FormContext& c) {
  overrideItems(
      v, lists::amplifierActions(events::get(selected(image, c), reaction::amplifier::kParameter),
                                 c.language));
}

// ---- reaction 10 ------------------------------------------------------------------------------

bool encoderConnected(const ConfigImage& image, const FormContext& c) {
  return events::get(selected(image, c), reaction::encoder::kConnection) != 0;
}
void showSteps(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  // The steps are a signed byte on purpose: a negative count turns the other way.
  // NOLINTNEXTLINE(bugprone-signed-char-misuse)
  v.value = events::get(selected(image, c), reaction::encoder::kSteps);
  v.enabled = encoderConnected(image, c);
}

// The leading digits are the time; a text that starts with none is no number and is refused.
ChangeOutcome storeRepeat(ConfigImage& image, const Binding& b, const Change& input,
                          const FormContext& c) {
  if (input.text.empty() || input.text[0] < '0' || input.text[0] > '9') {
    return {view::plainNotice(view::NoticeKind::Error, params::kEnterValueText), view::After::None,
            std::nullopt};
  }
  view::storeField(image, b.field, c.entry, repeatFromText(input.text));
  return stored(b);
}
void showEncoderRepeat(ControlView& v, const Binding&, const ConfigImage& image,
                       const FormContext& c) {
  v.enabled = encoderConnected(image, c);
}

// ---- reaction 12, 19 --------------------------------------------------------------------------

void showIDriveParameter(ControlView& v, const Binding&, const ConfigImage& image,
                         const FormContext& c) {
  const auto label =
      iDriveParameterLabel(events::get(selected(image, c), reaction::idrive::kCommand));
  v.visible = label.has_value();
  if (label && v.kind == ControlKind::Widget) {
    v.text = label->in(c.language);
  }
}

void showAudiMmiParameter(ControlView& v, const Binding&, const ConfigImage& image,
                          const FormContext& c) {
  const auto label =
      audiMmiParameterLabel(events::get(selected(image, c), reaction::audi_mmi::kMode));
  v.visible = label.has_value();
  if (label && v.kind == ControlKind::Widget) {
    v.text = label->in(c.language);
  }
}

// ---- reaction 14, 17 --------------------------------------------------------------------------

// The serial and UART texts share their place: 59 bytes behind the type byte.
ChangeOutcome storeReactionText(ConfigImage& image, const Binding& b, const Change& input,
                                const FormContext& c) {
  events::set(selected(image, c), reaction::serial::kText, input.text);
  return stored(b);
}
void showReactionText(ControlView& v, const Binding&, const ConfigImage& image,
                      const FormContext& c) {
  v.text = events::get(selected(image, c), reaction::serial::kText);
  v.maxLength = static_cast<int>(reaction::serial::kText.size);
}

void showSerialTarget(ControlView& v, const Binding&, const ConfigImage& image,
                      const FormContext& c) {
  v.text = serialTarget(image).in(c.language);
}

void showSerialMemo(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  v.text = serialMemoLine(selected(image, c), c.entry, c.language);
}

// ---- reaction 18 ------------------------------------------------------------------------------

ChangeOutcome storeLinCommand(ConfigImage& image, const Binding& b, const Change& input,
                              const FormContext& c) {
  const auto items = linCommandItems(image);
  if (input.index < 0 || static_cast<std::size_t>(input.index) >= items.size()) {
    return {};
  }
  events::set(selected(image, c), reaction::lin::kCommand,
              lists::linCommandCode(items[static_cast<std::size_t>(input.index)]));
  return stored(b);
}
void showLinCommand(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  const auto items = linCommandItems(image);
  for (std::size_t i = 0; i < items.size(); ++i) {
    v.itemOverrides.emplace_back(static_cast<int>(i), std::string(items[i]));
  }
  const auto position =
      linCommandPosition(items, events::get(selected(image, c), reaction::lin::kCommand));
  v.value = static_cast<int>(position.value_or(0));
}

// ---- reaction 20 ------------------------------------------------------------------------------

void showCarDspParameter(ControlView& v, const Binding&, const ConfigImage& image,
                         const FormContext& c) {
  const auto items = lists::carDspParameters(
      events::get(selected(image, c), reaction::car_dsp::kMode), carDspShortened(image));
  overrideItems(v, items);
  v.visible = !items.empty();
}

void showCarDspRepeat(ControlView& v, const Binding&, const ConfigImage& image,
                      const FormContext& c) {
  v.visible = lists::carDspHasRepeat(events::get(selected(image, c), reaction::car_dsp::kMode));
}

// ---- reaction 24 ------------------------------------------------------------------------------

unsigned swCanType(const ConfigImage& image, const FormContext& c) {
  return events::get(selected(image, c), reaction::sw_can::kType);
}
std::uint8_t firstCommand(unsigned type) {
  const auto codes = lists::swCanCommands(type);
  return codes.empty() ? 0 : codes.front();
}

// A new type wipes what the old one stored and starts at its first command.
ChangeOutcome storeSwCanType(ConfigImage& image, const Binding& b, const Change& input,
                             const FormContext& c) {
  if (input.index < 0 || static_cast<std::size_t>(input.index) >= reaction::sw_can::kTypeCount) {
    return {};
  }
  const auto type = static_cast<std::uint8_t>(input.index);
  const auto e = selected(image, c);
  if (!events::setSteeringCanType(e, type)) {
    return stored(b);  // the same type keeps its command
  }
  // The user packet's list is the custom code alone and the display type has none: both 0.
  events::set(e, reaction::sw_can::kCommand, firstCommand(type));
  return stored(b);
}

ChangeOutcome storeSwCanCommand(ConfigImage& image, const Binding& b, const Change& input,
                                const FormContext& c) {
  const auto codes = lists::swCanCommands(swCanType(image, c));
  if (input.index < 0 || static_cast<std::size_t>(input.index) >= codes.size()) {
    return {};
  }
  events::set(selected(image, c), reaction::sw_can::kCommand,
              codes[static_cast<std::size_t>(input.index)]);
  return stored(b);
}
void showSwCanCommand(ControlView& v, const Binding&, const ConfigImage& image,
                      const FormContext& c) {
  const unsigned type = swCanType(image, c);
  const auto codes = lists::swCanCommands(type);
  for (std::size_t i = 0; i < codes.size(); ++i) {
    v.itemOverrides.emplace_back(static_cast<int>(i),
                                 std::string(lists::swCanCommandName(codes[i])->in(c.language)));
  }
  const unsigned code = events::get(selected(image, c), reaction::sw_can::kCommand);
  v.value = static_cast<int>(swCanCommandPosition(type, code).value_or(0));
  v.visible = type != reaction::sw_can::kUserPacketType && type != reaction::sw_can::kDisplayType &&
              !codes.empty();
}

// Channel 0: the press slot, 1: the release slot.
constexpr lang::TextPair kOnPress = lang::kOnPressCaption;
constexpr lang::TextPair kOnRelease{" При отжатии ", " On depress "};
void showMessageGroup(ControlView& v, const Binding& b, const ConfigImage& image,
                      const FormContext& c) {
  v.text = (b.channel == 0 ? kOnPress : kOnRelease).in(c.language);
  v.visible = swCanType(image, c) == reaction::sw_can::kUserPacketType;
}
void showMessagePanel(ControlView& v, const Binding& b, const ConfigImage& image,
                      const FormContext& c) {
  const auto slot =
      b.channel == 0 ? reaction::sw_can::kPressMessage : reaction::sw_can::kReleaseMessage;
  v.text = canMessageText(events::get(selected(image, c), slot), c.language);
  v.visible = swCanType(image, c) == reaction::sw_can::kUserPacketType;
}

constexpr lang::TextPair kDashboard{" Дисплей приборной панели ", " Dashboard display "};
void showDisplaySetting(ControlView& v, const Binding& b, const ConfigImage& image,
                        const FormContext& c) {
  v.visible = swCanType(image, c) == reaction::sw_can::kDisplayType;
  if (b.kind == ControlKind::Widget) {
    v.text = kDashboard.in(c.language);
  }
}

events::TextField displayLine(const Binding& b) {
  return b.channel == 0 ? reaction::sw_can::kLine1 : reaction::sw_can::kLine2;
}
ChangeOutcome storeDisplayLine(ConfigImage& image, const Binding& b, const Change& input,
                               const FormContext& c) {
  events::set(selected(image, c), displayLine(b), input.text);
  return stored(b);
}
void showDisplayLine(ControlView& v, const Binding& b, const ConfigImage& image,
                     const FormContext& c) {
  showDisplaySetting(v, b, image, c);
  v.text = events::get(selected(image, c), displayLine(b));
  v.maxLength = static_cast<int>(displayLine(b).size);
}

// ---- reaction 25 ------------------------------------------------------------------------------

bool ganetAnyCode(const ConfigImage& image, const FormContext& c) {
  return events::get(selected(image, c), reaction::ganet::kMode) == 0;
}
ChangeOutcome storeGanetCode(ConfigImage& image, const Binding& b, const Change& input,
                             const FormContext& c) {
  const auto code = ganetCodeFromText(input.text);
  if (!code) {
    return stored(b);  // the edit shows the stored code again
  }
  events::set(selected(image, c), reaction::ganet::kCode, *code);
  return stored(b);
}
void showGanetCode(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  v.text =
      lang::formatText("%04X", unsigned{events::get(selected(image, c), reaction::ganet::kCode)});
  v.visible = ganetAnyCode(image, c);
}

// ---- reaction 29 ------------------------------------------------------------------------------

constexpr unsigned kVarOperations = 7;
ChangeOutcome cycleVarOperation(ConfigImage& image, const Binding& b, const Change&,
                                const FormContext& c) {
  const auto e = selected(image, c);
  const unsigned next = (events::get(e, reaction::var::kOperation) + 1u) % kVarOperations;
  events::set(e, reaction::var::kOperation, static_cast<std::uint8_t>(next));
  return stored(b);
}
void showVarOperation(ControlView& v, const Binding&, const ConfigImage& image,
                      const FormContext& c) {
  const auto e = selected(image, c);
  v.text = varOperationText(events::get(e, reaction::var::kOperation));
  v.visible = events::get(e, reaction::var::kVariable) != 0;
}

void showVarOperand(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  const auto e = selected(image, c);
  v.text = lang::formatText("x%02X", unsigned{events::get(e, reaction::var::kOperand)});
  v.visible = events::get(e, reaction::var::kOperation) != 0;
}

}  // namespace

const Rule kNumber{"Number", storeNumber};
const Rule kUsbMemo{"UsbMemo", nullptr, showUsbMemo};
const Rule kClickArea{"ClickArea"};
const Rule kIrPanel{"ReactionIrPanel", nullptr, showIrPanel};
const Rule kIrOutput{"IrOutput", storeCheckedPin<irOutputPin>, showIrOutput};
const Rule kPinNumber{"ReactionPin", storeCheckedPin<reactionPinPin>};
const Rule kPinMode{"PinMode", nullptr, showPinSetting};
const Rule kPinTime{"PinTime", storeNumber, showPinSetting};
const Rule kVolts{"Volts", storeVolts, showVolts};
const Rule kAnalogTime{"AnalogTime", storeNumber, showAnalogTime};
const Rule kSkipButton{"SkipButton", nullptr, showSkipButton};
const Rule kSourceSave{"SourceSave", nullptr, showSourceSave};
const Rule kAmplifierTab{"AmplifierTab", storeAmplifierTab, showAmplifierTab};
const Rule kAmplifierActions{"AmplifierActions", nullptr, showAmplifierActions};
const Rule kSteps{"EncoderSteps", nullptr, showSteps};
const Rule kEncoderRepeat{"EncoderRepeat", storeRepeat, showEncoderRepeat};
const Rule kIDriveParameter{"IDriveParameter", storeNumber, showIDriveParameter};
const Rule kAudiMmiParameter{"AudiMmiParameter", storeNumber, showAudiMmiParameter};
const Rule kReactionText{"ReactionText", storeReactionText, showReactionText};
const Rule kSerialTarget{"SerialTarget", nullptr, showSerialTarget};
const Rule kSerialMemo{"SerialMemo", nullptr, showSerialMemo};
const Rule kLinCommand{"LinCommand", storeLinCommand, showLinCommand};
const Rule kCarDspParameter{"CarDspParameter", nullptr, showCarDspParameter};
const Rule kCarDspRepeat{"CarDspRepeat", storeRepeat, showCarDspRepeat};
const Rule kSwCanType{"SwCanType", storeSwCanType};
const Rule kSwCanCommand{"SwCanCommand", storeSwCanCommand, showSwCanCommand};
const Rule kMessageGroup{"MessageGroup", nullptr, showMessageGroup};
const Rule kMessagePanel{"MessagePanel", nullptr, showMessagePanel};
const Rule kDisplaySetting{"DisplaySetting", nullptr, showDisplaySetting};
const Rule kDisplayTime{"DisplayTime", storeNumber, showDisplaySetting};
const Rule kDisplayLine{"DisplayLine", storeDisplayLine, showDisplayLine};
const Rule kGanetCode{"GanetCode", storeGanetCode, showGanetCode};
const Rule kVarOperation{"ReactionVarOperation", cycleVarOperation, showVarOperation};
const Rule kVarOperand{"ReactionVarOperand", storeNumber, showVarOperand};

}  // namespace kivprism::editor::reaction_rules
