// The CAN key decoder: the controller reports a recognised button message of a car's CAN bus as an
// IR code record with protocol 11 (CAN AUTO), the address naming the car model and the command the
// button or state. The decoder turns such a record into the text the user reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/events/records.hpp"

namespace kivprism::monitor {

inline constexpr std::size_t kCanModelCount = 26;

// The model's prefix (ending in one blank) for an address below kCanModelCount.
std::string_view canModelPrefix(std::uint16_t address);

// "<prefix><name> (<address>/<command>)", or nothing for an address the controller does not use.
// The protocol byte is not examined.
std::optional<std::string> decodeCanKey(const events::IrCode& code);

}  // namespace kivprism::monitor
