#include "core/device/firmware_file.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

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

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

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
  if (file.size() <= firmware_header::kChecksummedFrom) {
    return firmwareChecksum({});
  }
  return firmwareChecksum(file.subspan(firmware_header::kChecksummedFrom));
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
  return path.filename().string();
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
  std::unique_ptr<std::FILE, FileCloser> in(std::fopen(path.string().c_str(), "rb"));
  if (!in) {
    return FirmwareFileError::OpenFailed;
  }
  if (std::fseek(in.get(), 0, SEEK_END) != 0) {
    return FirmwareFileError::ReadFailed;
  }
  const long length = std::ftell(in.get());
  if (length < 0 || std::fseek(in.get(), 0, SEEK_SET) != 0) {
    return FirmwareFileError::ReadFailed;
  }
  if (static_cast<unsigned long>(length) > kFirmwareMaxSize) {
    return FirmwareFileError::TooLarge;
  }
  file.bytes.resize(static_cast<std::size_t>(length));
  const std::size_t got = std::fread(file.bytes.data(), 1, file.bytes.size(), in.get());
  if (got < file.bytes.size()) {
    file.bytes.resize(got);
    return FirmwareFileError::ReadFailed;
  }
  in.reset();
  file.header = parseFirmwareHeader(file.bytes);
  return checkFirmwareBytes(file.bytes);
}

}  // namespace kivprism::device
