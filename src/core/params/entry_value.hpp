// Reading the numbers the user types into the parameter fields: the value entry check shared by
// every numeric field (decimal, or hexadecimal after a leading "x"), and the fields with their own
// silent corrections (long-press time, HWR time, UART times, voltages).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "core/params/notice.hpp"

namespace kivprism::params {

extern const lang::TextPair kEnterValueText;
extern const lang::TextPair kRangeDecimalText;
extern const lang::TextPair kRangeHexText;

// The accepted value, or the error to show (nothing is stored then).
using EntryResult = std::variant<std::uint32_t, Notice>;

// The value entry check: "x"/"X" then hex digits (a lone "x" is 0), or decimal digits only. Any
// other text counts as empty. Numbers too large for 32 bits are out of every range.
EntryResult checkValueEntry(std::string_view text, std::uint32_t minimum, std::uint32_t maximum);

// Fields that correct silently. An unreadable text counts as out of range.
std::uint16_t longPressFromText(std::string_view text);   // 200..5000, else 1000
std::uint16_t hwrTimeFromText(std::string_view text);     // <100 -> 100, >5000 -> 1000
std::uint16_t uartDelayFromText(std::string_view text);   // 0 or >10000 -> 500
std::uint16_t uartRepeatFromText(std::string_view text);  // 0 or >10000 -> 100
std::uint16_t normalUartDelay(std::uint32_t value);
std::uint16_t normalUartRepeat(std::uint32_t value);

// Voltages: "," or "." as the decimal separator. Analog outputs are kept in hundredths of a volt
// (rounded, halves up, at most 500), backlight thresholds in millivolts (truncated, at most 16000).
// Nothing when the text is no number.
std::variant<std::uint16_t, Notice> hundredthsFromText(std::string_view text);
std::variant<std::uint16_t, Notice> millivoltsFromText(std::string_view text);
std::string hundredthsText(std::uint32_t value);  // "4.75" volts, above 500 shown as 5.00
std::string millivoltsText(std::uint32_t value);  // "12.345" volts, "." whatever the locale

}  // namespace kivprism::params
