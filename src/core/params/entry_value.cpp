#include "core/params/entry_value.hpp"

#include <charconv>
#include <cmath>
#include <optional>

#include "core/config/text_codec.hpp"

namespace kivprism::params {

const lang::TextPair kEnterValueText{"Введите значение в указанную позицию",
                                     "Enter a value in the specified position"};
const lang::TextPair kRangeDecimalText{"Значение должно находиться в интервале от %u до %u",
                                       "The value must be in the range from %u to %u"};
const lang::TextPair kRangeHexText{"Значение должно находиться в интервале от %02X до %02X",
                                   "The value must be in the range from %02X to %02X"};

namespace {

constexpr std::uint64_t kTooLarge = 0x100000000ull;

// Saturates at kTooLarge so that a long text is simply out of range.
std::optional<std::uint64_t> parseDigits(std::string_view digits, unsigned base) {
  std::uint64_t value = 0;
  for (char c : digits) {
    const std::optional<unsigned> d = config::hexDigitValue(c);
    if (!d || *d >= base) {
      return std::nullopt;
    }
    value = value * base + *d;
    if (value > kTooLarge) {
      value = kTooLarge;
    }
  }
  return value;
}

Notice rangeNotice(bool hex, std::uint32_t minimum, std::uint32_t maximum) {
  const lang::TextPair& f = hex ? kRangeHexText : kRangeDecimalText;
  return {NoticeKind::Error, lang::formatText(f.ru, minimum, maximum),
          lang::formatText(f.en, minimum, maximum)};
}

std::optional<std::uint64_t> decimalValue(std::string_view text) {
  if (text.empty()) {
    return std::nullopt;
  }
  return parseDigits(text, 10);
}

std::optional<double> voltsFromText(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c == ',') {
      c = '.';
    }
  }
  if (s.empty()) {
    return std::nullopt;
  }
  // from_chars ignores the process locale, which a Qt program sets from the user's.
  double volts = 0;
  const char* first = s.data();
  if (*first == '+') {
    ++first;
  }
  const auto [end, error] = std::from_chars(first, s.data() + s.size(), volts);
  if (error != std::errc() || end != s.data() + s.size() || !std::isfinite(volts)) {
    return std::nullopt;
  }
  return volts;
}

std::uint16_t clampScaled(double scaled, double maximum) {
  if (scaled < 0) {
    return 0;
  }
  return static_cast<std::uint16_t>(scaled > maximum ? maximum : scaled);
}

}  // namespace

EntryResult checkValueEntry(std::string_view text, std::uint32_t minimum, std::uint32_t maximum) {
  const bool hex = !text.empty() && (text[0] == 'x' || text[0] == 'X');
  const std::optional<std::uint64_t> value =
      hex ? parseDigits(text.substr(1), 16) : decimalValue(text);
  if (!value) {
    return plainNotice(NoticeKind::Error, kEnterValueText);
  }
  if (*value < minimum || *value > maximum) {
    return rangeNotice(hex, minimum, maximum);
  }
  return static_cast<std::uint32_t>(*value);
}

std::uint16_t longPressFromText(std::string_view text) {
  const auto v = decimalValue(text);
  return v && *v >= 200 && *v <= 5000 ? static_cast<std::uint16_t>(*v) : 1000;
}

std::uint16_t hwrTimeFromText(std::string_view text) {
  const auto v = decimalValue(text);
  if (!v || *v > 5000) {
    return 1000;
  }
  return *v < 100 ? 100 : static_cast<std::uint16_t>(*v);
}

std::uint16_t normalUartDelay(std::uint32_t value) {
  return value == 0 || value > 10000 ? 500 : static_cast<std::uint16_t>(value);
}

std::uint16_t normalUartRepeat(std::uint32_t value) {
  return value == 0 || value > 10000 ? 100 : static_cast<std::uint16_t>(value);
}

std::uint16_t uartDelayFromText(std::string_view text) {
  const auto v = decimalValue(text);
  return normalUartDelay(v && *v <= 10000 ? static_cast<std::uint32_t>(*v) : 0);
}

std::uint16_t uartRepeatFromText(std::string_view text) {
  const auto v = decimalValue(text);
  return normalUartRepeat(v && *v <= 10000 ? static_cast<std::uint32_t>(*v) : 0);
}

std::variant<std::uint16_t, Notice> hundredthsFromText(std::string_view text) {
  const auto volts = voltsFromText(text);
  if (!volts) {
    return plainNotice(NoticeKind::Error, kEnterValueText);
  }
  return clampScaled(std::floor(*volts * 100.0 + 0.5 + 1e-9), 500);
}

std::variant<std::uint16_t, Notice> millivoltsFromText(std::string_view text) {
  const auto volts = voltsFromText(text);
  if (!volts) {
    return plainNotice(NoticeKind::Error, kEnterValueText);
  }
  return clampScaled(std::trunc(*volts * 1000.0 + 1e-9), 16000);
}

namespace {

// Volts with a fixed number of decimals and always a "." separator. Integer arithmetic, since
// printf follows the C locale, which a Qt program sets from the user's (a "," under Russian).
std::string fixedPointText(std::uint32_t value, std::uint32_t scale, std::size_t decimals) {
  std::string fraction = std::to_string(value % scale);
  fraction.insert(0, decimals - fraction.size(), '0');
  return std::to_string(value / scale) + "." + fraction;
}

}  // namespace

std::string hundredthsText(std::uint32_t value) {
  return fixedPointText(value > 500 ? 500 : value, 100, 2);
}

std::string millivoltsText(std::uint32_t value) { return fixedPointText(value, 1000, 3); }

}  // namespace kivprism::params
