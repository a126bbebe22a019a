// The firmware file checks on any bytes: a file the checks pass has a whole header whose checksum
// is that of the rest, fits the update disk, and survives being read from disk; setting the right
// checksum makes any file of a legal size pass, and one flipped bit past the header makes it fail.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/config/image.hpp"
#include "core/device/firmware_file.hpp"
#include "fuzz/fuzz_check.hpp"

namespace device = kivprism::device;
namespace header = device::firmware_header;

namespace {

device::FirmwareFileError readThroughFile(const std::vector<std::uint8_t>& bytes,
                                          device::FirmwareFile& file) {
  static const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("kivprism_fuzz_firmware_" + std::to_string(::getpid()) + ".LDR");
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  return device::readFirmwareFile(path, file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  const device::FirmwareFileError error = device::checkFirmwareBytes(bytes);
  if (error == device::FirmwareFileError::None) {
    KIVPRISM_FUZZ_CHECK(size >= device::kFirmwareHeaderSize && size <= device::kFirmwareMaxSize,
                        "a file that passes has a header and fits the disk");
    KIVPRISM_FUZZ_CHECK(device::parseFirmwareHeader(bytes).checksum == device::fileChecksum(bytes),
                        "a file that passes carries its checksum");
  }
  if (size < device::kFirmwareHeaderSize) {
    KIVPRISM_FUZZ_CHECK(error == device::FirmwareFileError::BadChecksum,
                        "a file shorter than the header fails");
    return 0;
  }

  // The right checksum makes it pass; the header reads back what was written.
  kivprism::config::writeLe(bytes, header::kChecksumOffset, 4, device::fileChecksum(bytes));
  const device::FirmwareHeader parsed = device::parseFirmwareHeader(bytes);
  KIVPRISM_FUZZ_CHECK(
      parsed.deviceType == kivprism::config::readLe(bytes, header::kDeviceTypeOffset, 4) &&
          parsed.applicationVersion ==
              kivprism::config::readLe(bytes, header::kApplicationVersionOffset, 4),
      "the header's fields are its words");
  KIVPRISM_FUZZ_CHECK(device::checkFirmwareBytes(bytes) == device::FirmwareFileError::None,
                      "a file with its own checksum passes");

  // One flipped bit in a checksummed whole word is noticed.
  const std::size_t words = bytes.size() / 4;
  if (words > 1) {
    const std::size_t at = 4 + (data[0] % (words - 1)) * 4 + data[size - 1] % 4;
    bytes[at] ^= static_cast<std::uint8_t>(1u << (data[size / 2] % 8));
    KIVPRISM_FUZZ_CHECK(device::checkFirmwareBytes(bytes) == device::FirmwareFileError::BadChecksum,
                        "a flipped bit fails the checksum");
    bytes[at] ^= static_cast<std::uint8_t>(1u << (data[size / 2] % 8));
  }

  // Once per run (it is slow): the same file at the size of the update disk, and one byte more.
  static bool diskSizeChecked = false;
  if (!diskSizeChecked) {
    diskSizeChecked = true;
    std::vector<std::uint8_t> large = bytes;
    large.resize(device::kFirmwareMaxSize, data[size - 1]);
    kivprism::config::writeLe(large, header::kChecksumOffset, 4, device::fileChecksum(large));
    KIVPRISM_FUZZ_CHECK(device::checkFirmwareBytes(large) == device::FirmwareFileError::None,
                        "a file the size of the disk passes");
    large.push_back(0);
    KIVPRISM_FUZZ_CHECK(device::checkFirmwareBytes(large) == device::FirmwareFileError::TooLarge,
                        "a file larger than the disk is refused");
  }

  // Read from disk the same file gives the same verdict and the same bytes (one input in eight:
  // the disk is slow).
  if (size % 8 == 0) {
    device::FirmwareFile file;
    KIVPRISM_FUZZ_CHECK(readThroughFile(bytes, file) == device::FirmwareFileError::None &&
                            file.bytes == bytes && file.header.checksum == parsed.checksum,
                        "the file on disk reads as the bytes");
  }
  return 0;
}
