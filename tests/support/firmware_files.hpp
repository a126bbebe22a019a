// Firmware update files for tests: a header with a correct checksum and a recognisable body.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/config/image.hpp"
#include "core/device/firmware_file.hpp"
#include "support/process.hpp"

namespace kivprism::testing {

inline std::vector<std::uint8_t> makeFirmware(std::size_t size, std::uint32_t deviceType,
                                              std::uint32_t version) {
  std::vector<std::uint8_t> bytes(size, 0);
  for (std::size_t i = device::kFirmwareHeaderSize; i < size; ++i) {
    bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
  }
  namespace h = device::firmware_header;
  if (size >= device::kFirmwareHeaderSize) {
    config::writeLe(bytes, h::kReservedOffset, 4, 0x5A5A5A5A);
    config::writeLe(bytes, h::kDeviceTypeOffset, 4, deviceType);
    config::writeLe(bytes, h::kApplicationVersionOffset, 4, version);
    config::writeLe(bytes, h::kChecksumOffset, 4, device::fileChecksum(bytes));
  }
  return bytes;
}

inline void writeFirmware(const std::filesystem::path& path,
                          const std::vector<std::uint8_t>& bytes) {
  writeWholeFile(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace kivprism::testing
