#include "core/device/device_info.hpp"

#include <algorithm>

#include "core/config/image.hpp"

namespace kivprism::device {

using namespace device_info;

DeviceInfo parseDeviceInfo(std::span<const std::uint8_t, kDeviceInfoSize> bytes) {
  DeviceInfo info;
  info.applicationVersion = config::readLe(bytes, kApplicationVersionOffset, 4);
  info.serialNumber = config::readLe(bytes, kSerialNumberOffset, 4);
  info.loaderVersion = config::readLe(bytes, kLoaderVersionOffset, 4);
  info.deviceType = config::readLe(bytes, kDeviceTypeOffset, 4);
  const auto name = bytes.subspan(kNameOffset, kNameSize);
  const auto end = std::find(name.begin(), name.end(), std::uint8_t{0});
  info.name.assign(name.begin(), end);
  info.stateWord = static_cast<std::uint16_t>(config::readLe(bytes, kStateWordOffset, 2));
  return info;
}

DeviceInfoBytes encodeDeviceInfo(const DeviceInfo& info) {
  DeviceInfoBytes bytes{};
  config::writeLe(bytes, kApplicationVersionOffset, 4, info.applicationVersion);
  config::writeLe(bytes, kSerialNumberOffset, 4, info.serialNumber);
  config::writeLe(bytes, kLoaderVersionOffset, 4, info.loaderVersion);
  config::writeLe(bytes, kDeviceTypeOffset, 4, info.deviceType);
  // The name keeps its terminating zero.
  const std::size_t nameLength = std::min(info.name.size(), kNameSize - 1);
  std::copy_n(info.name.begin(), nameLength, bytes.begin() + kNameOffset);
  config::writeLe(bytes, kStateWordOffset, 2, info.stateWord);
  return bytes;
}

}  // namespace kivprism::device
