#include "core/editor/reaction_pane.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "core/editor/event_lists.hpp"
#include "core/editor/reaction_lists.hpp"
#include "core/editor/reaction_rules.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"
#include "core/lang/common_texts.hpp"
#include "core/params/availability.hpp"
#include "core/params/entry_value.hpp"
#include "core/params/rules.hpp"

namespace kivprism::editor {

namespace {

namespace layout = config::layout;
namespace reaction = events::reaction;
using config::ConfigImage;
using events::ReactionType;
using lists::List;
using view::Binding;
using view::Change;
using view::ChangeOutcome;
using view::ControlKind;
using view::ControlView;
using view::EntryField;
using view::FormContext;
using view::Rule;

events::EntryBytes selected(ConfigImage& image, const FormContext& c) {
  return events::entryAt(image, c.entry);
}
events::ConstEntryBytes selected(const ConfigImage& image, const FormContext& c) {
  return events::entryAt(image, c.entry);
}
ChangeOutcome stored(const Binding& b) { return {std::nullopt, b.after, std::nullopt}; }

// The value entry check with the binding's range.
ChangeOutcome storeNumber(ConfigImage& image, const Binding& b, const Change& input,
                          const FormContext& c) {
  return params::rules::kNumber.store(image, b, input, c);
}
constexpr Rule kNumber{"Number", storeNumber};

// ---- reaction 1, 2, 3 ---------------------------------------------------------------------------

void showUsbMemo(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  v.text = usbKeyMemo(selected(image, c), c.language);
}
constexpr Rule kUsbMemo{"UsbMemo", nullptr, showUsbMemo};
// The panel under the memo only takes the click that opens the keyboard dialog; it shows nothing
// of its own, so the keys are not described twice.
constexpr Rule kClickArea{"ClickArea"};

void showIrPanel(ControlView& v, const Binding&, const ConfigImage& image, const FormContext& c) {
  v.text =
      reactionIrCodeText(events::get(selected(image, c), reaction::ir_code::kCode), c.language);
}
constexpr Rule kIrPanel{"ReactionIrPanel", nullptr, showIrPanel};

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
constexpr Rule kIrOutput{"IrOutput", storeCheckedPin<irOutputPin>, showIrOutput};
constexpr Rule kPinNumber{"ReactionPin", storeCheckedPin<reactionPinPin>};

// Mode and time of a pin reaction mean nothing without a pin.
void showPinSetting(ControlView& v, const Binding& b, const ConfigImage& image,
                    const FormContext& c) {
  v.enabled = events::get(selected(image, c), reaction::pin::kPin) != 0;
  if (!v.enabled && b.kind == ControlKind::Edit) {
    v.text.clear();
  }
}
constexpr Rule kPinMode{"PinMode", nullptr, showPinSetting};
constexpr Rule kPinTime{"PinTime", storeNumber, showPinSetting};

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
constexpr Rule kVolts{"Volts", storeVolts, showVolts};

void showAnalogTime(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  const AnalogTime t = analogTime(selected(image, c), image.getU16(layout::kKeyReassignTo));
  v.text = std::to_string(t.value);
  v.enabled = t.enabled;
}
constexpr Rule kAnalogTime{"AnalogTime", storeNumber, showAnalogTime};

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
constexpr Rule kSkipButton{"SkipButton", nullptr, showSkipButton};

void showSourceSave(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  const unsigned choice = events::get(selected(image, c), reaction::source::kChoice);
  v.enabled = choice > events::kSourceNext && choice < events::kSourcePrevious;
}
constexpr Rule kSourceSave{"SourceSave", nullptr, showSourceSave};

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
constexpr Rule kAmplifierTab{"AmplifierTab", storeAmplifierTab, showAmplifierTab};

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
constexpr Rule kAmplifierActions{"AmplifierActions", nullptr, showAmplifierActions};

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
constexpr Rule kSteps{"EncoderSteps", nullptr, showSteps};

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
constexpr Rule kEncoderRepeat{"EncoderRepeat", storeRepeat, showEncoderRepeat};

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
constexpr Rule kIDriveParameter{"IDriveParameter", storeNumber, showIDriveParameter};

void showAudiMmiParameter(ControlView& v, const Binding&, const ConfigImage& image,
                          const FormContext& c) {
  const auto label =
      audiMmiParameterLabel(events::get(selected(image, c), reaction::audi_mmi::kMode));
  v.visible = label.has_value();
  if (label && v.kind == ControlKind::Widget) {
    v.text = label->in(c.language);
  }
}
constexpr Rule kAudiMmiParameter{"AudiMmiParameter", storeNumber, showAudiMmiParameter};

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
constexpr Rule kReactionText{"ReactionText", storeReactionText, showReactionText};

void showSerialTarget(ControlView& v, const Binding&, const ConfigImage& image,
                      const FormContext& c) {
  v.text = serialTarget(image).in(c.language);
}
constexpr Rule kSerialTarget{"SerialTarget", nullptr, showSerialTarget};

void showSerialMemo(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  v.text = serialMemoLine(selected(image, c), c.entry, c.language);
}
constexpr Rule kSerialMemo{"SerialMemo", nullptr, showSerialMemo};

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
constexpr Rule kLinCommand{"LinCommand", storeLinCommand, showLinCommand};

// ---- reaction 20 ------------------------------------------------------------------------------

bool carDspShortened(const ConfigImage& image) { return image.getU8(layout::kCarDspType) == 1; }
void showCarDspParameter(ControlView& v, const Binding&, const ConfigImage& image,
                         const FormContext& c) {
  const auto items = lists::carDspParameters(
      events::get(selected(image, c), reaction::car_dsp::kMode), carDspShortened(image));
  overrideItems(v, items);
  v.visible = !items.empty();
}
constexpr Rule kCarDspParameter{"CarDspParameter", nullptr, showCarDspParameter};

void showCarDspRepeat(ControlView& v, const Binding&, const ConfigImage& image,
                      const FormContext& c) {
  v.visible = lists::carDspHasRepeat(events::get(selected(image, c), reaction::car_dsp::kMode));
}
constexpr Rule kCarDspRepeat{"CarDspRepeat", storeRepeat, showCarDspRepeat};

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
constexpr Rule kSwCanType{"SwCanType", storeSwCanType};

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
constexpr Rule kSwCanCommand{"SwCanCommand", storeSwCanCommand, showSwCanCommand};

// Channel 0: the press slot, 1: the release slot.
constexpr lang::TextPair kOnPress = lang::kOnPressCaption;
constexpr lang::TextPair kOnRelease{" При отжатии ", " On depress "};
void showMessageGroup(ControlView& v, const Binding& b, const ConfigImage& image,
                      const FormContext& c) {
  v.text = (b.channel == 0 ? kOnPress : kOnRelease).in(c.language);
  v.visible = swCanType(image, c) == reaction::sw_can::kUserPacketType;
}
constexpr Rule kMessageGroup{"MessageGroup", nullptr, showMessageGroup};
void showMessagePanel(ControlView& v, const Binding& b, const ConfigImage& image,
                      const FormContext& c) {
  const auto slot =
      b.channel == 0 ? reaction::sw_can::kPressMessage : reaction::sw_can::kReleaseMessage;
  v.text = canMessageText(events::get(selected(image, c), slot), c.language);
  v.visible = swCanType(image, c) == reaction::sw_can::kUserPacketType;
}
constexpr Rule kMessagePanel{"MessagePanel", nullptr, showMessagePanel};

constexpr lang::TextPair kDashboard{" Дисплей приборной панели ", " Dashboard display "};
void showDisplaySetting(ControlView& v, const Binding& b, const ConfigImage& image,
                        const FormContext& c) {
  v.visible = swCanType(image, c) == reaction::sw_can::kDisplayType;
  if (b.kind == ControlKind::Widget) {
    v.text = kDashboard.in(c.language);
  }
}
constexpr Rule kDisplaySetting{"DisplaySetting", nullptr, showDisplaySetting};
constexpr Rule kDisplayTime{"DisplayTime", storeNumber, showDisplaySetting};

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
constexpr Rule kDisplayLine{"DisplayLine", storeDisplayLine, showDisplayLine};

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
constexpr Rule kGanetCode{"GanetCode", storeGanetCode, showGanetCode};

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
constexpr Rule kVarOperation{"ReactionVarOperation", cycleVarOperation, showVarOperation};

void showVarOperand(ControlView& v, const Binding&, const ConfigImage& image,
                    const FormContext& c) {
  const auto e = selected(image, c);
  v.text = lang::formatText("x%02X", unsigned{events::get(e, reaction::var::kOperand)});
  v.visible = events::get(e, reaction::var::kOperation) != 0;
}
constexpr Rule kVarOperand{"ReactionVarOperand", storeNumber, showVarOperand};

// ---- the table --------------------------------------------------------------------------------

struct Paged {
  int page;
  Binding binding;
};

constexpr int pageOf(ReactionType t) { return static_cast<int>(t); }

constexpr Paged combo(ReactionType t, std::string_view name, EntryField field, List (*items)(),
                      const Rule* rule = nullptr) {
  return {
      pageOf(t),
      {.control = name, .kind = ControlKind::Combo, .rule = rule, .field = field, .items = items}};
}
constexpr Paged check(ReactionType t, std::string_view name, EntryField field,
                      const Rule* rule = nullptr) {
  return {pageOf(t), {.control = name, .kind = ControlKind::Check, .rule = rule, .field = field}};
}
constexpr Paged number(ReactionType t, std::string_view name, EntryField field,
                       std::uint32_t maximum, const Rule* rule = nullptr) {
  return {pageOf(t),
          {.control = name,
           .kind = ControlKind::Edit,
           .rule = rule ? rule : &kNumber,
           .field = field,
           .maximum = maximum}};
}
constexpr Paged edit(ReactionType t, std::string_view name, const Rule& rule,
                     EntryField field = {}) {
  return {pageOf(t), {.control = name, .kind = ControlKind::Edit, .rule = &rule, .field = field}};
}
// Channel 0: the first dashboard line, 1: the second.
constexpr Paged displayLineEdit(std::string_view name, int channel) {
  return {pageOf(ReactionType::SwCan),
          {.control = name, .kind = ControlKind::Edit, .rule = &kDisplayLine, .channel = channel}};
}
// The largest number a self-correcting field keeps; its hint shows the range.
constexpr Paged upTo(Paged paged, std::uint32_t maximum) {
  paged.binding.maximum = maximum;
  return paged;
}
constexpr std::uint32_t kRepeatMax = 10000;  // above it the repeat becomes 500 ms
// The analog output a voltage edit belongs to (0 or 1).
constexpr Paged output(Paged paged, int channel) {
  paged.binding.channel = channel;
  return paged;
}
// A control whose hint the program sets itself.
constexpr Paged hinted(Paged paged, const lang::TextPair& hint) {
  paged.binding.hint = hint;
  return paged;
}
constexpr lang::TextPair kUsbPanelHint{"Нажмите для редактирования реакции",
                                       "Click to edit the response"};
constexpr lang::TextPair kIrPanelHint{"Нажмите для получения ИК кода для реакции",
                                      "Click to receive IR code for response"};
constexpr lang::TextPair kVout1Hint{"Напряжение на 1-м выходе аналогового управления",
                                    "Voltage at the 1st analog control output"};
constexpr lang::TextPair kVout2Hint{"Напряжение на 2-м выходе аналогового управления",
                                    "Voltage at the 2nd analog control output"};
constexpr lang::TextPair kAnalogTimeHint{
    "Минимальная длительность выдачи реакции на аналоговый выход управления",
    "The minimum duration of the response to the analog control output"};

constexpr Paged widget(ReactionType t, std::string_view name, const Rule& rule, int channel = 0) {
  return {pageOf(t),
          {.control = name, .kind = ControlKind::Widget, .rule = &rule, .channel = channel}};
}
constexpr Paged pwmMode(std::string_view name, std::size_t channel) {
  return combo(ReactionType::Pwm, name, EntryField{reaction::pwm::channel(channel).mode},
               lists::pwmModes);
}
constexpr Paged pwmValue(std::string_view name, std::size_t channel) {
  return number(ReactionType::Pwm, name, EntryField{reaction::pwm::channel(channel).value}, 60000);
}

// The dashboard lines' switches are program-filled (names ending in x): their captions live here.
constexpr lang::TextPair kLine1Caption{"Строка 1", "Line 1"};
constexpr lang::TextPair kLine2Caption{"Строка 2", "Line 2"};
constexpr Paged displayCheck(std::string_view name, events::BitFlag flag,
                             const lang::TextPair& caption) {
  return {pageOf(ReactionType::SwCan),
          {.control = name,
           .kind = ControlKind::Check,
           .rule = &kDisplaySetting,
           .field = EntryField{flag},
           .caption = caption}};
}

using R = ReactionType;
namespace rx = reaction;

constexpr std::uint32_t kSignedStepsMin = static_cast<std::uint32_t>(-10);

constexpr auto kPaged = std::to_array<Paged>({
    // 1 USB key.
    hinted(widget(R::UsbKey, "PanelEventReactionx", kClickArea), kUsbPanelHint),
    widget(R::UsbKey, "MemoEventReactionx", kUsbMemo),
    number(R::UsbKey, "EditReactionUSBKeyDlitmS", EntryField{rx::usb_key::kHoldMs}, 20000),
    // 2 IR code.
    hinted(widget(R::IrCode, "PanelEventReactionIRx", kIrPanel), kIrPanelHint),
    combo(R::IrCode, "ComboBoxReactionIROUTNUM", EntryField{rx::ir_code::kOutput}, lists::irOutputs,
          &kIrOutput),
    // 3 pin.
    combo(R::Pin, "ComboBoxEventReactionPinNUM", EntryField{rx::pin::kPin}, lists::reactionPins,
          &kPinNumber),
    combo(R::Pin, "ComboBoxEventReactionPinMODE", EntryField{rx::pin::kMode}, lists::pinModes,
          &kPinMode),
    number(R::Pin, "EditEventReactionPinTO", EntryField{rx::pin::kMinTimeMs}, 30000, &kPinTime),
    // 4 control.
    hinted(edit(R::Control, "EditReactionAnalogVOUT1", kVolts,
                EntryField{rx::control::kChannel1.voltage}),
           kVout1Hint),
    hinted(output(edit(R::Control, "EditReactionAnalogVOUT2", kVolts,
                       EntryField{rx::control::kChannel2.voltage}),
                  1),
           kVout2Hint),
    hinted(number(R::Control, "EditReactionAnalogTO", EntryField{rx::control::kPeriodMs}, 10000,
                  &kAnalogTime),
           kAnalogTimeHint),
    combo(R::Control, "ComboBoxReactionAnalogVOUT1type", EntryField{rx::control::kChannel1.action},
          lists::analogActions),
    combo(R::Control, "ComboBoxReactionAnalogVOUT2type", EntryField{rx::control::kChannel2.action},
          lists::analogActions),
    check(R::Control, "CheckBoxReactionAnalogVOUT1save",
          EntryField{rx::control::kChannel1.saveBeforeChange}),
    check(R::Control, "CheckBoxReactionAnalogVOUT2save",
          EntryField{rx::control::kChannel2.saveBeforeChange}),
    // 5 source.
    combo(R::Source, "ComboBoxEventReactionSRC", EntryField{rx::source::kChoice},
          lists::sourceChoices),
    widget(R::Source, "SpeedButtonEventReactionSRCSkipx", kSkipButton),
    check(R::Source, "CheckBoxEventReactionSRCSave", EntryField{rx::source::kSaveBeforeChange},
          &kSourceSave),
    // 6 USB touch.
    number(R::UsbTouch, "EditReactionTouchX", EntryField{rx::usb_touch::kX}, 4095),
    number(R::UsbTouch, "EditReactionTouchY", EntryField{rx::usb_touch::kY}, 4095),
    number(R::UsbTouch, "EditReactionTouchDlit", EntryField{rx::usb_touch::kDurationMs}, 4000),
    // 7 event manage.
    combo(R::EventManage, "ComboBoxReactionEventHandleType", EntryField{rx::event_manage::kAction},
          lists::eventActions),
    combo(R::EventManage, "ComboBoxReactionEventHandleNumx", EntryField{rx::event_manage::kTarget},
          lists::eventTargets),
    // 8 amplifier.
    widget(R::Amplifier, "TabControlAMPLx", kAmplifierTab),
    combo(R::Amplifier, "ComboBoxAMPLPARx", EntryField{rx::amplifier::kPosition}, nullptr,
          &kAmplifierActions),
    // 9 USB mouse.
    combo(R::UsbMouse, "ComboBoxReactionUSBMouseType", EntryField{rx::usb_mouse::kAction},
          lists::mouseActions),
    // 10 encoder.
    combo(R::Encoder, "ComboBoxReactionEncoderMODE", EntryField{rx::encoder::kConnection},
          lists::encoderConnections),
    {pageOf(R::Encoder),
     {.control = "CSpinEditReactionEncoderDIRx",
      .kind = ControlKind::Spin,
      .rule = &kSteps,
      .field = EntryField{events::U8Field{rx::encoder::kSteps.offset}},
      .minimum = kSignedStepsMin,
      .maximum = 10}},
    upTo(edit(R::Encoder, "EditReactionEncoderReplay", kEncoderRepeat,
              EntryField{rx::encoder::kRepeatMs}),
         kRepeatMax),
    // 11..13 bus commands.
    combo(R::Iebus, "ComboBoxReactionIEBUSEventx", EntryField{rx::iebus::kCommand},
          lists::iebusCommands),
    combo(R::IDrive, "ComboBoxReactionIDRIVEEventx", EntryField{rx::idrive::kCommand},
          lists::iDriveCommands),
    widget(R::IDrive, "PanelReactionIDRIVEParamx", kIDriveParameter),
    number(R::IDrive, "EditReactionIDRIVEEventx", EntryField{rx::idrive::kParameter}, 65535,
           &kIDriveParameter),
    combo(R::IBus, "ComboBoxReactionIBUSEventx", EntryField{rx::ibus::kCommand},
          lists::ibusCommands),
    // 14 serial.
    widget(R::Serial, "PanelReactionSerial", kSerialTarget),
    edit(R::Serial, "EditReactionSerialName", kReactionText),
    widget(R::Serial, "MemoSERIAL", kSerialMemo),
    // 15 cursor move.
    combo(R::CursorMove, "ComboBoxReactionCurMoveDirection",
          EntryField{rx::cursor_move::kDirection}, lists::cursorDirections),
    number(R::CursorMove, "EditReactionCurMoveNumPoints", EntryField{rx::cursor_move::kPoints},
           255),
    check(R::CursorMove, "CheckBoxReactionCurMovePress", EntryField{rx::cursor_move::kWithPress}),
    // 16 Acura joystick.
    combo(R::AcuraJoy, "ComboBoxReactionMDXJOY", EntryField{rx::acura_joy::kMode},
          lists::acuraJoyModes),
    // 17 UART.
    edit(R::Uart, "EditReactionUARTName", kReactionText),
    // 18 LIN.
    combo(R::Lin, "ComboBoxReactionLINx", EntryField{rx::lin::kCommand}, nullptr, &kLinCommand),
    check(R::Lin, "CheckBoxReactionLINTrigger", EntryField{rx::lin::kTrigger}),
    // 19 AUDI MMI.
    combo(R::AudiMmi, "ComboBoxReactionAUDIMMIMODEx", EntryField{rx::audi_mmi::kMode},
          lists::audiMmiModes),
    widget(R::AudiMmi, "PanelReactionAUDIMMIParamx", kAudiMmiParameter),
    number(R::AudiMmi, "EditReactionAUDIMMIPARAM", EntryField{rx::audi_mmi::kParameter}, 100,
           &kAudiMmiParameter),
    // 20 CarDSP.
    combo(R::CarDsp, "ComboBoxReactionCARDSPMODEx", EntryField{rx::car_dsp::kMode},
          lists::carDspModes),
    combo(R::CarDsp, "ComboBoxEditReactionCarDspParamx", EntryField{rx::car_dsp::kParameter},
          nullptr, &kCarDspParameter),
    upTo(edit(R::CarDsp, "EditReactionCarDSPReplay", kCarDspRepeat,
              EntryField{rx::car_dsp::kRepeatMs}),
         kRepeatMax),
    // 21..23.
    combo(R::Panacea, "ComboBoxReactionPANACEA", EntryField{rx::panacea::kMode},
          lists::panaceaModes),
    number(R::ResEmul, "EditReactionResEmulX", EntryField{rx::res_emul::kX}, 255),
    number(R::ResEmul, "EditReactionResEmulY", EntryField{rx::res_emul::kY}, 255),
    combo(R::RenaultCanJoy, "ComboBoxReactionRJOYx", EntryField{rx::renault_joy::kCommand},
          lists::renaultJoyCommands),
    // 24 steering-wheel CAN.
    combo(R::SwCan, "ComboBoxReactionSWVWTYPEx", EntryField{rx::sw_can::kType}, lists::swCanTypes,
          &kSwCanType),
    combo(R::SwCan, "ComboBoxReactionSWVWMODEx", EntryField{rx::sw_can::kCommand}, nullptr,
          &kSwCanCommand),
    widget(R::SwCan, "GroupBox_SW_CAN_PRESSx", kMessageGroup, 0),
    widget(R::SwCan, "Panel_SW_CAN_PRESS", kMessagePanel, 0),
    widget(R::SwCan, "GroupBox_SW_CAN_DEPRESSx", kMessageGroup, 1),
    widget(R::SwCan, "Panel_SW_CAN_DEPRESS", kMessagePanel, 1),
    widget(R::SwCan, "GroupBoxSWCAN_DISPLAY_MESSAGE", kDisplaySetting),
    displayLineEdit("Edit_SWCAN_DISPLAY_MESSAGE_S1", 0),
    displayLineEdit("Edit_SWCAN_DISPLAY_MESSAGE_S2", 1),
    number(R::SwCan, "Edit_SWCAN_DISPLAY_MESSAGE_DLIT", EntryField{rx::sw_can::kDisplayMs}, 60000,
           &kDisplayTime),
    displayCheck("CheckBox_SWCAN_DISPLAY_MESSAGE_S1x", rx::sw_can::kLine1Enabled, kLine1Caption),
    displayCheck("CheckBox_SWCAN_DISPLAY_MESSAGE_S2x", rx::sw_can::kLine2Enabled, kLine2Caption),
    // 25 GaNet.
    combo(R::GaNet, "ComboBoxReactionGNNAVIMODE", EntryField{rx::ganet::kMode}, lists::ganetModes),
    edit(R::GaNet, "EditReactionGNNAVIPARAM", kGanetCode, EntryField{rx::ganet::kCode}),
    // 26..28.
    combo(R::CruiseBmwDme, "ComboBoxReactionCBMWx", EntryField{rx::cruise_bmw_dme::kKey},
          lists::cruiseKeys),
    combo(R::MercedesCtrl, "ComboBoxReactionMCONTROLx", EntryField{rx::mercedes_ctrl::kCommand},
          lists::mercedesCtrlCommands),
    combo(R::Hwr, "ComboBoxReactionHWRx", EntryField{rx::hwr::kCommand}, lists::hwrCommands),
    check(R::Hwr, "CheckBoxReactionHWRTrigger", EntryField{rx::hwr::kTrigger}),
    // 29 VAR.
    combo(R::Var, "ComboBoxReactionVarNamex", EntryField{rx::var::kVariable}, lists::varNames),
    widget(R::Var, "SpeedButtonReactionVARFuncx", kVarOperation),
    number(R::Var, "EditReactionVARVal", EntryField{rx::var::kOperand}, 255, &kVarOperand),
    // 30 PWM.
    pwmMode("ComboBoxRespCh1Modex", 0),
    pwmValue("EditRespCh1Val", 0),
    pwmMode("ComboBoxRespCh2Modex", 1),
    pwmValue("EditRespCh2Val", 1),
    pwmMode("ComboBoxRespCh3Modex", 2),
    pwmValue("EditRespCh3Val", 2),
    pwmMode("ComboBoxRespCh4Modex", 3),
    pwmValue("EditRespCh4Val", 3),
    number(R::Pwm, "EditRespPWMTO", EntryField{rx::pwm::kRepeatMs}, 10000),
});

template <std::size_t N>
constexpr std::array<Binding, N> bindingsOf(const std::array<Paged, N>& paged) {
  std::array<Binding, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = paged[i].binding;
  }
  return out;
}
template <std::size_t N>
constexpr std::array<int, N> pagesOf(const std::array<Paged, N>& paged) {
  std::array<int, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = paged[i].page;
  }
  return out;
}

constexpr auto kBindings = bindingsOf(kPaged);
constexpr auto kPages = pagesOf(kPaged);

// ---- corrections the pages make while showing an entry ----------------------------------------

// What the consistency rules leave to the pages: a code the controller cannot send, a CarDSP
// parameter outside its list, a steering-wheel command its type does not offer.
void correctEntry(events::EntryBytes e, const ConfigImage& image) {
  switch (static_cast<ReactionType>(events::reactionTypeCode(e))) {
    case ReactionType::IrCode: {
      const auto code = events::get(e, rx::ir_code::kCode);
      if (!reactionIrProtocolName(code.protocol)) {
        events::set(e, rx::ir_code::kCode, events::IrCode{});
      }
      return;
    }
    case ReactionType::CarDsp: {
      const auto items =
          lists::carDspParameters(events::get(e, rx::car_dsp::kMode), carDspShortened(image));
      if (events::get(e, rx::car_dsp::kParameter) >= items.size()) {
        events::set(e, rx::car_dsp::kParameter, 0);
      }
      return;
    }
    case ReactionType::SwCan: {
      const unsigned type = events::get(e, rx::sw_can::kType);
      if (!swCanCommandPosition(type, events::get(e, rx::sw_can::kCommand))) {
        events::set(e, rx::sw_can::kCommand, 0);
      }
      return;
    }
    default:
      return;
  }
}

}  // namespace

const view::BindingTable& reactionBindings() {
  static const view::BindingTable table(kBindings);
  return table;
}

std::span<const int> reactionBindingPages() { return kPages; }

std::string_view reactionPageSheet(std::size_t page) {
  return params::reactionPageName(static_cast<ReactionType>(page));
}

ReactionPaneView deriveReactionPane(ConfigImage& image, std::size_t entryNumber,
                                    const EventPaneContext& context) {
  ReactionPaneView view;
  view.entry = entryNumber;
  const auto e = events::entryAt(image, entryNumber);
  const unsigned type = events::reactionTypeCode(e);
  view.page = events::isValidReactionType(type) ? type : 0;
  correctEntry(e, image);

  const view::BindingTable& table = reactionBindings();
  const auto all = table.all();
  const FormContext formContext{context.language, entryNumber};
  view.table = &table;
  view.language = context.language;
  view.controls.resize(all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    if (kPages[i] == static_cast<int>(view.page)) {
      view::showControl(view.controls[i], all[i], image, formContext);
      // A panel or button of the shown page displays the text its rule derived.
      if (all[i].kind == ControlKind::Widget && all[i].rule && all[i].rule->show) {
        view.controls[i].hasValue = true;
      }
    } else {
      view.controls[i].name = all[i].control;
      view.controls[i].kind = all[i].kind;
      view.controls[i].hasValue = false;
    }
  }
  view::clearUnknownPositions(view, true);

  const params::PageVisibility visible =
      params::visiblePages(image, context.marks, context.onlyUsed);
  view.pageVisible = visible.reaction;
  for (std::size_t page = 0; page < events::kReactionTypeCount; ++page) {
    view.tabs.push_back({reactionPageSheet(page), visible.reaction[page],
                         events::reactionTypeName(static_cast<unsigned>(page))});
  }
  return view;
}

PaneViews derivePane(ConfigImage& image, std::size_t entry, const EventPaneContext& context) {
  PaneViews views;
  views.event = deriveEventPane(image, entry, context);
  views.reaction = deriveReactionPane(image, entry, context);
  return views;
}

}  // namespace kivprism::editor
