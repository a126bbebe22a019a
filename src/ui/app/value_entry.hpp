// The value entry check of the numeric fields: decimal, or hexadecimal after a leading "x".
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kivprism::ui {

enum class ValueEntryError { None, Empty, OutOfRange };

struct ValueEntryResult {
  ValueEntryError error = ValueEntryError::None;
  bool hexadecimal = false;
  std::uint32_t value = 0;
};

// Reads the text and checks it against the range. Numbers too large for 32 bits are out of range.
ValueEntryResult checkValueEntry(std::string_view text, std::uint32_t minimum,
                                 std::uint32_t maximum);

// Stores the value little-endian with width 1, 2 or 4; false (nothing stored) for another width
// or a destination that is too short.
bool storeValue(std::span<std::uint8_t> destination, unsigned width, std::uint32_t value);

}  // namespace kivprism::ui
