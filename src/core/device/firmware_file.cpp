#include "core/device/firmware_file.hpp"

#include <algorithm>
#include <array>
#include <fstream>

namespace kivprism::device {

namespace {

constexpr std::uint32_t kPolynomial = 0x04C11DB7;
constexpr std::uint32_t kInitial = 0xFFFFFFFF;
constexpr std::size_t kWordSize = 4;

constexpr std::array<std::uint32_t, 256> makeTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i << 24;
    for (int bit = 0; bit < 8; ++bit) {
      c = (c & 0x80000000u) != 0 ? (c << 1) ^ kPolynomial : c << 1;
    }
    table[i] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kTable = makeTable();

std::uint32_t readU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < kWordSize; ++i) {
    const std::size_t at = offset + i;
    const std::uint32_t b = at < bytes.size() ? bytes[at] : 0;
    value |= b << (8 * i);
  }
  return value;
}

}  // namespace

std::uint32_t firmwareChecksum(std::span<const std::uint8_t> bytes) {
  const std::size_t words = std::max<std::size_t>(1, bytes.size() / kWordSize);
  std::uint32_t crc = kInitial;
  for (std::size_t w = 0; w < words; ++w) {
    const std::uint32_t word = readU32(bytes, w * kWordSize);
    for (int shift = 24; shift >= 0; shift -= 8) {
      const auto byte = static_cast<std::uint8_t>(word >> shift);
      crc = (crc << 8) ^ kTable[((crc >> 24) ^ byte) & 0xFF];
    }
  }
  return crc;
}

std::uint32_t fileChecksum(std::span<const std::uint8_t> file) {
  return firmwareChecksum(file.subspan(std::min(file.size(), firmware_header::kChecksummedFrom)));
}

FirmwareHeader parseFirmwareHeader(std::span<const std::uint8_t> file) {
  FirmwareHeader h;
  h.checksum = readU32(file, firmware_header::kChecksumOffset);
  h.reserved = readU32(file, firmware_header::kReservedOffset);
  h.deviceType = readU32(file, firmware_header::kDeviceTypeOffset);
  h.applicationVersion = readU32(file, firmware_header::kApplicationVersionOffset);
  return h;
}

VersionOrder compareVersions(std::uint32_t fileVersion, std::uint32_t deviceVersion) {
  if (fileVersion > deviceVersion) {
    return VersionOrder::Newer;
  }
  return fileVersion == deviceVersion ? VersionOrder::Same : VersionOrder::Older;
}

std::string firmwareDisplayName(const std::filesystem::path& path) {
  const std::u8string name = path.filename().u8string();
  return {name.begin(), name.end()};
}

std::pair<std::string, std::string> splitDisplayName(const std::string& displayName) {
  const std::size_t dot = displayName.rfind('.');
  if (dot == std::string::npos || dot == 0) {
    return {displayName, {}};
  }
  return {displayName.substr(0, dot), displayName.substr(dot)};
}

FirmwareFileError checkFirmwareBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > kFirmwareMaxSize) {
    return FirmwareFileError::TooLarge;
  }
  // A file without a whole header has no checksum to compare and no device type to check.
  if (bytes.size() < kFirmwareHeaderSize) {
    return FirmwareFileError::BadChecksum;
  }
  if (fileChecksum(bytes) != parseFirmwareHeader(bytes).checksum) {
    return FirmwareFileError::BadChecksum;
  }
  return FirmwareFileError::None;
}

FirmwareFileError readFirmwareFile(const std::filesystem::path& path, FirmwareFile& file) {
  file = FirmwareFile{};
  file.displayName = firmwareDisplayName(path);
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    return FirmwareFileError::OpenFailed;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return FirmwareFileError::OpenFailed;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff length = in.tellg();
  in.seekg(0, std::ios::beg);
  if (length < 0 || !in) {
    return FirmwareFileError::ReadFailed;
  }
  if (static_cast<std::uint64_t>(length) > kFirmwareMaxSize) {
    return FirmwareFileError::TooLarge;
  }
  file.bytes.resize(static_cast<std::size_t>(length));
  in.read(reinterpret_cast<char*>(file.bytes.data()), static_cast<std::streamsize>(length));
  const auto got = static_cast<std::size_t>(in.gcount());
  if (got < file.bytes.size()) {
    return FirmwareFileError::ReadFailed;
  }
  file.header = parseFirmwareHeader(file.bytes);
  return checkFirmwareBytes(file.bytes);
}

}  // namespace kivprism::device
