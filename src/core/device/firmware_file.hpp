// The firmware update file (*.LDR): a 16-byte header followed by the image the controller's boot
// loader programs. Little-endian. The program checks the size, the checksum, the device type and
// the version; it never interprets the image itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/config/utf8_path.hpp"

namespace kivprism::device {

// The update disk is exactly this size, so no firmware file may be larger.
inline constexpr std::size_t kFirmwareMaxSize = 214016;
inline constexpr std::size_t kFirmwareHeaderSize = 16;
// The boot-loader start carries the file's first bytes, one packet's worth.
inline constexpr std::size_t kBootLoaderStartSize = 64;

namespace firmware_header {
inline constexpr std::size_t kChecksumOffset = 0;             // u32
inline constexpr std::size_t kReservedOffset = 4;             // u32, not examined
inline constexpr std::size_t kDeviceTypeOffset = 8;           // u32
inline constexpr std::size_t kApplicationVersionOffset = 12;  // u32, version x 100
// The checksum covers the words from here to the last whole word of the file.
inline constexpr std::size_t kChecksummedFrom = 4;
}  // namespace firmware_header

struct FirmwareHeader {
  std::uint32_t checksum = 0;
  std::uint32_t reserved = 0;
  std::uint32_t deviceType = 0;
  std::uint32_t applicationVersion = 0;
};

// The CRC-32 of the controller's CRC unit (polynomial 0x04C11DB7, start 0xFFFFFFFF, no reflection,
// no final XOR) over the whole little-endian 32-bit words of the bytes, each fed most significant
// byte first. A trailing 1 to 3 bytes are left out; at least one word is always processed (missing
// bytes count as zero).
std::uint32_t firmwareChecksum(std::span<const std::uint8_t> bytes);

// The checksum the header must carry: over the file from offset 4.
std::uint32_t fileChecksum(std::span<const std::uint8_t> file);

// The header of a file of at least kFirmwareHeaderSize bytes.
FirmwareHeader parseFirmwareHeader(std::span<const std::uint8_t> file);

// Versions are times 100: 140 is "1.40".
struct VersionParts {
  unsigned whole;
  unsigned hundredths;
};
inline VersionParts versionParts(std::uint32_t version) {
  return {static_cast<unsigned>(version / 100), static_cast<unsigned>(version % 100)};
}

enum class VersionOrder { Newer, Same, Older };
// How the file's version stands to the controller's (compared as unsigned numbers).
VersionOrder compareVersions(std::uint32_t fileVersion, std::uint32_t deviceVersion);

// What reading a firmware file can find wrong, in the order the checks run.
enum class FirmwareFileError {
  None,
  OpenFailed,   // the file cannot be opened
  TooLarge,     // longer than the update disk
  ReadFailed,   // fewer bytes arrived than the file's length
  BadChecksum,  // shorter than the header, or the checksum does not match
};

struct FirmwareFile {
  std::vector<std::uint8_t> bytes;  // the whole file, copied to the disk unchanged
  FirmwareHeader header;
  std::string displayName;  // name and extension, no folder
};

// The name and extension of a path (UTF-8), as the messages quote it.
std::string firmwareDisplayName(const std::filesystem::path& path);
// The name without and the extension with its dot: "FW.LDR" gives "FW" and ".LDR".
std::pair<std::string, std::string> splitDisplayName(const std::string& displayName);
using config::pathFromUtf8;

// Reads and checks a firmware file; the file is filled as far as the checks got.
FirmwareFileError readFirmwareFile(const std::filesystem::path& path, FirmwareFile& file);
// The same checks on bytes already in memory (size, header, checksum).
FirmwareFileError checkFirmwareBytes(std::span<const std::uint8_t> bytes);

}  // namespace kivprism::device
