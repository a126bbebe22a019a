// The device information record of area 0x01: 58 bytes, little-endian.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace kivprism::device {

inline constexpr std::size_t kDeviceInfoSize = 58;

namespace device_info {
inline constexpr std::size_t kApplicationVersionOffset = 0;  // u32, version x 100; 0 = none
inline constexpr std::size_t kSerialNumberOffset = 4;        // u32
inline constexpr std::size_t kLoaderVersionOffset = 8;       // u32, version x 100
inline constexpr std::size_t kDeviceTypeOffset = 12;         // u32
inline constexpr std::size_t kNameOffset = 16;               // zero-terminated text
inline constexpr std::size_t kNameSize = 40;
inline constexpr std::size_t kStateWordOffset = 56;  // u16
static_assert(kStateWordOffset + 2 == kDeviceInfoSize);

// State word bits.
inline constexpr std::uint16_t kSourceMask = 0x00FF;  // current source, 0-based
inline constexpr std::uint16_t kCanLogRunning = 1u << 13;
inline constexpr std::uint16_t kCanRecordsWaiting = 1u << 14;
inline constexpr std::uint16_t kMonitorTextWaiting = 1u << 15;
}  // namespace device_info

struct DeviceInfo {
  std::uint32_t applicationVersion = 0;
  std::uint32_t serialNumber = 0;
  std::uint32_t loaderVersion = 0;
  std::uint32_t deviceType = 0;
  std::string name;  // at most 39 characters survive encoding
  std::uint16_t stateWord = 0;

  unsigned currentSource() const { return stateWord & device_info::kSourceMask; }
  friend bool operator==(const DeviceInfo&, const DeviceInfo&) = default;
};

using DeviceInfoBytes = std::array<std::uint8_t, kDeviceInfoSize>;

DeviceInfo parseDeviceInfo(std::span<const std::uint8_t, kDeviceInfoSize> bytes);
DeviceInfoBytes encodeDeviceInfo(const DeviceInfo& info);

}  // namespace kivprism::device
