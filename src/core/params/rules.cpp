#include "core/params/rules.hpp"

#include <string>

#include "core/config/image_layout.hpp"
#include "core/lang/common_texts.hpp"
#include "core/params/assignment.hpp"
#include "core/params/derive.hpp"
#include "core/params/entry_value.hpp"
#include "core/params/handlers.hpp"
#include "core/params/source_mask.hpp"

namespace kivprism::params::rules {

namespace layout = config::layout;
using config::ConfigImage;
using view::Binding;
using view::Change;
using view::ChangeOutcome;
using view::ControlView;
using view::FormContext;
using view::Range;

namespace {

using lang::kVoltsRangeHint;

constexpr unsigned kLongTextMax = 6;  // the time fields take at most six characters

ChangeOutcome outcome(std::optional<Notice> notice, const Binding& b) {
  return {std::move(notice), b.after, std::nullopt};
}

unsigned position(const Change& c) { return static_cast<unsigned>(c.index); }

// Every rule of a combo box ignores "no item selected".
template <std::optional<Notice> (*Set)(ConfigImage&, const Binding&, unsigned)>
ChangeOutcome comboRule(ConfigImage& image, const Binding& b, const Change& c, const FormContext&) {
  if (c.index < 0) {
    return {};
  }
  return outcome(Set(image, b, position(c)), b);
}

std::optional<Notice> port(ConfigImage& image, const Binding& b, unsigned value) {
  return setPortModule(image, static_cast<PortModule>(b.channel), value);
}
std::optional<Notice> encoder(ConfigImage& image, const Binding& b, unsigned value) {
  return setEncoderMode(image, static_cast<unsigned>(b.channel), value);
}
std::optional<Notice> irInput(ConfigImage& image, const Binding&, unsigned value) {
  return setIrInput(image, value);
}
std::optional<Notice> pulsePin(ConfigImage& image, const Binding&, unsigned value) {
  return setPulsePin(image, value);
}

// The dialog answers a mask of eight sources.
void storeInterceptAnswer(ConfigImage& image, std::uint32_t answer) {
  applyInterceptMask(image, static_cast<std::uint8_t>(answer));
}
void storeUsbTouchAnswer(ConfigImage& image, std::uint32_t answer) {
  applyUsbTouchMask(image, static_cast<std::uint8_t>(answer));
}

view::DialogRequest maskDialog(const SourceMaskTexts& texts, std::uint8_t mask,
                               void (*store)(ConfigImage&, std::uint32_t)) {
  return {view::DialogKind::SourceMask, texts.first, texts.second, mask, store};
}

ChangeOutcome touchMode(ConfigImage& image, const Binding&, const Change& c, const FormContext&) {
  if (c.index < 0) {
    return {};
  }
  TouchModeOutcome t = setTouchMode(image, position(c));
  if (t.askInterceptMask) {
    return {std::nullopt, view::After::None,
            maskDialog(kInterceptMaskTexts, image.getU8(layout::kTouchInterceptSrcMask),
                       storeInterceptAnswer)};
  }
  return {std::move(t.notice), view::After::Refresh, std::nullopt};
}

ChangeOutcome usbTouchSource(ConfigImage& image, const Binding&, const Change& c,
                             const FormContext&) {
  if (c.index < 0) {
    return {};
  }
  if (chooseUsbTouchSource(image, position(c))) {
    return {
        std::nullopt, view::After::None,
        maskDialog(kUsbTouchMaskTexts, image.getU8(layout::kTouchSrcMask), storeUsbTouchAnswer)};
  }
  return {std::nullopt, view::After::Refresh, std::nullopt};
}

ChangeOutcome usbFunctions(ConfigImage& image, const Binding& b, const Change& c,
                           const FormContext&) {
  setUsbFunctions(image, static_cast<std::uint16_t>(c.bits));
  return outcome(std::nullopt, b);
}

ChangeOutcome iebusFunctions(ConfigImage& image, const Binding& b, const Change& c,
                             const FormContext&) {
  setIebusFunctions(image, c.bits);
  return outcome(std::nullopt, b);
}

ChangeOutcome iebusTouch(ConfigImage& image, const Binding& b, const Change& c,
                         const FormContext&) {
  return outcome(setIebusTouch(image, c.checked), b);
}

// The value entry check with the field's range; nothing is stored on an error.
ChangeOutcome number(ConfigImage& image, const Binding& b, const Change& c,
                     const FormContext& context) {
  const Range range = b.range(image);
  EntryResult r = checkValueEntry(c.text, range.minimum, range.maximum);
  if (auto* notice = std::get_if<Notice>(&r)) {
    return {std::move(*notice), view::After::None, std::nullopt};
  }
  view::storeField(image, b.field, context.entry, std::get<std::uint32_t>(r));
  return outcome(std::nullopt, b);
}

Range pwmLimit(const ConfigImage& image, const Binding&) {
  return {0, image.getU16(layout::kPwmPeriod)};
}

Range pwmValue(const ConfigImage& image, const Binding& b) {
  const auto channel = static_cast<std::size_t>(b.channel);
  return {image.getU16(layout::pwmMin(channel)), image.getU16(layout::pwmMax(channel))};
}

// A time the controller corrects: a number out of its span becomes the field's fallback (the
// hint shows the span), but a text that is no number is refused, never stored as the fallback.
template <std::uint16_t (*FromText)(std::string_view)>
ChangeOutcome corrected(ConfigImage& image, const Binding& b, const Change& c,
                        const FormContext& context) {
  EntryResult r = checkValueEntry(c.text, 0, 0xFFFFFFFFu);
  if (auto* notice = std::get_if<Notice>(&r)) {
    return {std::move(*notice), view::After::None, std::nullopt};
  }
  // The corrections read decimal digits; a number typed in hexadecimal reaches them as one.
  view::storeField(image, b.field, context.entry,
                   FromText(std::to_string(std::get<std::uint32_t>(r))));
  return outcome(std::nullopt, b);
}

void shortText(ControlView& v, const Binding&, const ConfigImage&, const FormContext&) {
  v.maxLength = kLongTextMax;
}

template <std::variant<std::uint16_t, Notice> (*FromText)(std::string_view)>
ChangeOutcome voltage(ConfigImage& image, const Binding& b, const Change& c,
                      const FormContext& context) {
  std::variant<std::uint16_t, Notice> parsed = FromText(c.text);
  if (auto* notice = std::get_if<Notice>(&parsed)) {
    return {std::move(*notice), view::After::None, std::nullopt};
  }
  view::storeField(image, b.field, context.entry, std::get<std::uint16_t>(parsed));
  return outcome(std::nullopt, b);
}

template <std::string (*Text)(std::uint32_t)>
void showVoltage(ControlView& v, const Binding& b, const ConfigImage& image,
                 const FormContext& context) {
  v.text = Text(view::readField(image, b.field, context.entry));
  v.hint = lang::formatText(kVoltsRangeHint.in(context.language), Text(b.minimum).c_str(),
                            Text(b.maximum).c_str());
}

ChangeOutcome spinMinusOne(ConfigImage& image, const Binding& b, const Change& c,
                           const FormContext& context) {
  const auto lo = static_cast<int>(b.minimum);
  const auto hi = static_cast<int>(b.maximum);
  const int shown = c.index < lo ? lo : (c.index > hi ? hi : c.index);
  view::storeField(image, b.field, context.entry, static_cast<std::uint32_t>(shown - 1));
  return outcome(std::nullopt, b);
}

void showPlusOne(ControlView& v, const Binding&, const ConfigImage&, const FormContext&) {
  v.value += 1;
}

ChangeOutcome sourceName(ConfigImage& image, const Binding&, const Change& c, const FormContext&) {
  if (c.index >= 0) {
    sourceNameChanged(image, static_cast<std::size_t>(c.index) + 1, c.text);
  }
  return {};
}

void showSourceNames(ControlView& v, const Binding&, const ConfigImage& image, const FormContext&) {
  for (std::size_t s = 1; s <= layout::kSourceCount; ++s) {
    v.cells.push_back(sourceNameText(image, s));
  }
  v.maxLength = static_cast<int>(layout::kSourceNameSize);
}

ChangeOutcome storeNothing(ConfigImage&, const Binding&, const Change&, const FormContext&) {
  return {};
}

void showNothing(ControlView& v, const Binding&, const ConfigImage&, const FormContext&) {
  v.hasValue = false;
}

void showPinOverlaps(ControlView& v, const Binding&, const ConfigImage& image,
                     const FormContext& context) {
  v.hasValue = true;
  v.text = pinOverlapText(image, context.language);
  v.visible = !v.text.empty();
}

}  // namespace

const view::Rule kPort{"Port", comboRule<port>};
const view::Rule kEncoderMode{"EncoderMode", comboRule<encoder>};
const view::Rule kIrInput{"IrInput", comboRule<irInput>};
const view::Rule kPulsePin{"PulsePin", comboRule<pulsePin>};
const view::Rule kTouchMode{"TouchMode", touchMode};
const view::Rule kUsbTouchSource{"UsbTouchSource", usbTouchSource};
const view::Rule kUsbFunctions{"UsbFunctions", usbFunctions};
const view::Rule kIebusFunctions{"IebusFunctions", iebusFunctions};
const view::Rule kIebusTouch{"IebusTouch", iebusTouch};
const view::Rule kNumber{"Number", number};
const view::Rule kPwmLimit{"PwmLimit", number, nullptr, pwmLimit};
const view::Rule kPwmValue{"PwmValue", number, nullptr, pwmValue};
const view::Rule kLongPress{"LongPress", corrected<longPressFromText>, shortText};
const view::Rule kHwrTime{"HwrTime", corrected<hwrTimeFromText>, shortText};
const view::Rule kUartDelay{"UartDelay", corrected<uartDelayFromText>};
const view::Rule kUartRepeat{"UartRepeat", corrected<uartRepeatFromText>};
const view::Rule kHundredths{"Hundredths", voltage<hundredthsFromText>,
                             showVoltage<hundredthsText>};
const view::Rule kMillivolts{"Millivolts", voltage<millivoltsFromText>,
                             showVoltage<millivoltsText>};
const view::Rule kSpinMinusOne{"SpinMinusOne", spinMinusOne, showPlusOne};
const view::Rule kSourceNames{"SourceNames", sourceName, showSourceNames};
const view::Rule kFixed{"Fixed", storeNothing};
const view::Rule kDisplay{"Display", storeNothing, showNothing};
const view::Rule kPinOverlaps{"PinOverlaps", storeNothing, showPinOverlaps};

}  // namespace kivprism::params::rules
