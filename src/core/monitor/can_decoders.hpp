// The CAN key decoder: the controller reports a recognised button message of a car's CAN bus as an
// IR code record with protocol 11 (CAN AUTO), the address naming the car model and the command the
// button or state. The decoder turns such a record into the text the user reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kivprism::monitor {

// The four bytes of an IR code record: protocol, command, little-endian address.
struct IrCodeRecord {
  std::uint8_t protocol = 0;
  std::uint8_t command = 0;
  std::uint16_t address = 0;
};

inline constexpr std::uint8_t kProtocolCanAuto = 11;
inline constexpr std::size_t kCanModelCount = 26;

// The model's prefix (ending in one blank) for an address below kCanModelCount.
std::string_view canModelPrefix(std::uint16_t address);

// "<prefix><name> (<address>/<command>)", or nothing for an address the controller does not use.
// The protocol byte is not examined.
std::optional<std::string> decodeCanKey(const IrCodeRecord& code);

}  // namespace kivprism::monitor
