#include "app/value_entry.hpp"

#include <algorithm>
#include <optional>

namespace kivprism::ui {

namespace {

constexpr std::uint64_t kTooLarge = 0x1'0000'0000ULL;

std::optional<unsigned> digitValue(char c, unsigned base) {
  unsigned v = 0;
  if (c >= '0' && c <= '9') {
    v = static_cast<unsigned>(c - '0');
  } else if (base == 16 && c >= 'A' && c <= 'F') {
    v = static_cast<unsigned>(c - 'A' + 10);
  } else if (base == 16 && c >= 'a' && c <= 'f') {
    v = static_cast<unsigned>(c - 'a' + 10);
  } else {
    return std::nullopt;
  }
  return v;
}

// Nothing when a character is not a digit of the base; large values saturate.
std::optional<std::uint64_t> parseDigits(std::string_view digits, unsigned base) {
  std::uint64_t value = 0;
  for (char c : digits) {
    const auto d = digitValue(c, base);
    if (!d) {
      return std::nullopt;
    }
    value = std::min(value * base + *d, kTooLarge);
  }
  return value;
}

}  // namespace

ValueEntryResult checkValueEntry(std::string_view text, std::uint32_t minimum,
                                 std::uint32_t maximum) {
  ValueEntryResult result;
  result.hexadecimal = !text.empty() && (text.front() == 'x' || text.front() == 'X');
  const auto value = result.hexadecimal ? parseDigits(text.substr(1), 16) : parseDigits(text, 10);
  if (!value || (!result.hexadecimal && text.empty())) {
    result.error = ValueEntryError::Empty;
    return result;
  }
  if (*value < minimum || *value > maximum) {
    result.error = ValueEntryError::OutOfRange;
    return result;
  }
  result.value = static_cast<std::uint32_t>(*value);
  return result;
}

bool storeValue(std::span<std::uint8_t> destination, unsigned width, std::uint32_t value) {
  if ((width != 1 && width != 2 && width != 4) || destination.size() < width) {
    return false;
  }
  for (unsigned i = 0; i < width; ++i) {
    destination[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return true;
}

}  // namespace kivprism::ui
