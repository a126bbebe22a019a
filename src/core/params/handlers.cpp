#include "core/params/handlers.hpp"

#include <string>

#include "core/config/text_codec.hpp"
#include "core/params/assignment.hpp"
#include "core/params/entry_value.hpp"

namespace kivprism::params {

namespace layout = config::layout;
using config::ConfigImage;

namespace {

ChangeOutcome refused(std::optional<Notice> notice, After after) {
  return {std::move(notice), after};
}

void store(ConfigImage& image, const Binding& b, std::uint32_t value) {
  if (b.bits) {
    image.setBits(*b.bits, value);
  } else {
    image.set(b.field, value);
  }
}

std::size_t channelOf(const Binding& b) { return static_cast<std::size_t>(b.channel); }

// Value entry check with the binding's range, or the range its rule takes from the image.
ChangeOutcome checkedNumber(ConfigImage& image, const Binding& b, std::string_view text) {
  std::uint32_t minimum = b.minimum;
  std::uint32_t maximum = b.maximum;
  if (b.rule == Rule::PwmLimit) {
    minimum = 0;
    maximum = image.getU16(layout::kPwmPeriod);
  } else if (b.rule == Rule::PwmValue) {
    minimum = image.getU16(layout::pwmMin(channelOf(b)));
    maximum = image.getU16(layout::pwmMax(channelOf(b)));
  }
  EntryResult r = checkValueEntry(text, minimum, maximum);
  if (auto* notice = std::get_if<Notice>(&r)) {
    return {std::move(*notice), After::None};
  }
  store(image, b, std::get<std::uint32_t>(r));
  return {std::nullopt, b.after};
}

ChangeOutcome voltage(ConfigImage& image, const Binding& b,
                      std::variant<std::uint16_t, Notice> parsed) {
  if (auto* notice = std::get_if<Notice>(&parsed)) {
    return {std::move(*notice), After::None};
  }
  store(image, b, std::get<std::uint16_t>(parsed));
  return {std::nullopt, b.after};
}

}  // namespace

ChangeOutcome comboChanged(ConfigImage& image, std::string_view control, int index) {
  const Binding* b = findBinding(control);
  if (!b || b->kind != ControlKind::Combo || index < 0) {
    return {};
  }
  const auto value = static_cast<unsigned>(index);
  switch (b->rule) {
    case Rule::Fixed:
      return {};
    case Rule::Port:
      return refused(setPortModule(image, static_cast<PortModule>(b->channel), value), b->after);
    case Rule::EncoderMode:
      return refused(setEncoderMode(image, static_cast<unsigned>(b->channel), value), b->after);
    case Rule::IrInput:
      return refused(setIrInput(image, value), b->after);
    case Rule::PulsePin:
      return refused(setPulsePin(image, value), b->after);
    case Rule::TouchMode: {
      TouchModeOutcome t = setTouchMode(image, value);
      if (t.askInterceptMask) {
        return {std::nullopt, After::AskInterceptMask};
      }
      return refused(std::move(t.notice), After::Refresh);
    }
    case Rule::UsbTouchSource:
      return {std::nullopt,
              chooseUsbTouchSource(image, value) ? After::AskUsbTouchMask : After::Refresh};
    default:
      store(image, *b, value);
      return {std::nullopt, b->after};
  }
}

ChangeOutcome checkChanged(ConfigImage& image, std::string_view control, bool checked) {
  const Binding* b = findBinding(control);
  if (!b || b->kind != ControlKind::Check || b->rule == Rule::Display) {
    return {};
  }
  if (b->rule == Rule::IebusTouch) {
    return refused(setIebusTouch(image, checked), b->after);
  }
  store(image, *b, checked ? 1 : 0);
  return {std::nullopt, b->after};
}

ChangeOutcome editCommitted(ConfigImage& image, std::string_view control, std::string_view text) {
  const Binding* b = findBinding(control);
  if (!b || b->kind != ControlKind::Edit) {
    return {};
  }
  switch (b->rule) {
    case Rule::Number:
    case Rule::PwmLimit:
    case Rule::PwmValue:
      return checkedNumber(image, *b, text);
    case Rule::LongPress:
      store(image, *b, longPressFromText(text));
      break;
    case Rule::HwrTime:
      store(image, *b, hwrTimeFromText(text));
      break;
    case Rule::UartDelay:
      store(image, *b, uartDelayFromText(text));
      break;
    case Rule::UartRepeat:
      store(image, *b, uartRepeatFromText(text));
      break;
    case Rule::Hundredths:
      return voltage(image, *b, hundredthsFromText(text));
    case Rule::Millivolts:
      return voltage(image, *b, millivoltsFromText(text));
    default:
      return {};
  }
  return {std::nullopt, b->after};
}

ChangeOutcome spinChanged(ConfigImage& image, std::string_view control, int value) {
  const Binding* b = findBinding(control);
  if (!b || b->kind != ControlKind::Spin) {
    return {};
  }
  const auto lo = static_cast<int>(b->minimum);
  const auto hi = static_cast<int>(b->maximum);
  const int clamped = value < lo ? lo : (value > hi ? hi : value);
  store(image, *b,
        static_cast<std::uint32_t>(b->rule == Rule::SpinMinusOne ? clamped - 1 : clamped));
  return {std::nullopt, b->after};
}

ChangeOutcome checkListChanged(ConfigImage& image, std::string_view control,
                               std::uint32_t checked) {
  const Binding* b = findBinding(control);
  if (!b || b->kind != ControlKind::CheckList) {
    return {};
  }
  switch (b->rule) {
    case Rule::UsbFunctions:
      setUsbFunctions(image, static_cast<std::uint16_t>(checked));
      break;
    case Rule::IebusFunctions:
      setIebusFunctions(image, checked);
      break;
    default: {
      const auto itemMask = static_cast<std::uint32_t>((1ull << b->items().size()) - 1);
      store(image, *b, (image.get(b->field) & ~itemMask) | (checked & itemMask));
      break;
    }
  }
  return {std::nullopt, b->after};
}

void sourceNameChanged(ConfigImage& image, std::size_t source, std::string_view utf8) {
  if (source < 1 || source > layout::kSourceCount) {
    return;
  }
  config::setFieldText(image.span(layout::sourceName(source)), config::utf8ToCp1251(utf8));
}

bool sourceNameAcceptsKey(std::string_view currentUtf8, bool isBackspace) {
  return isBackspace || config::utf8ToCp1251(currentUtf8).size() < layout::kSourceNameSize;
}

}  // namespace kivprism::params
