// The firmware file checks: size limit, checksum, header.
#include "core/device/firmware_file.hpp"

#include <gtest/gtest.h>

#include <string_view>

#include "support/firmware_files.hpp"
#include "support/process.hpp"

namespace kivprism::device {
namespace {

using testing::makeFirmware;
using testing::TempDir;
using testing::writeFirmware;

std::vector<std::uint8_t> ascii(std::string_view text) { return {text.begin(), text.end()}; }

TEST(FirmwareChecksum, WorkedValuesAndWordRules) {
  EXPECT_EQ(firmwareChecksum(ascii("abcd")), 0xA62F1C36u);
  EXPECT_EQ(firmwareChecksum(ascii("abcdefgh")), 0x18C4859Cu);
  // A trailing 1 to 3 bytes are outside the checksum.
  EXPECT_EQ(firmwareChecksum(ascii("abcde")), 0xA62F1C36u);
  EXPECT_EQ(firmwareChecksum(ascii("abcdefghXYZ")), 0x18C4859Cu);
  // At least one word is processed, missing bytes as zeros.
  const std::vector<std::uint8_t> zeros(4, 0);
  EXPECT_EQ(firmwareChecksum({}), firmwareChecksum(zeros));
  EXPECT_NE(firmwareChecksum({}), 0xFFFFFFFFu);
  // Word order and byte order both count.
  EXPECT_NE(firmwareChecksum(ascii("efghabcd")), 0x18C4859Cu);
  EXPECT_NE(firmwareChecksum(ascii("dcba")), 0xA62F1C36u);
}

TEST(FirmwareChecksum, AgreesWithABitwiseReferenceOverEveryByteValue) {
  // Values from a bit-at-a-time implementation of the same CRC, so every table entry counts.
  std::vector<std::uint8_t> ascending(256);
  for (std::size_t i = 0; i < ascending.size(); ++i) {
    ascending[i] = static_cast<std::uint8_t>(i);
  }
  EXPECT_EQ(firmwareChecksum(ascending), 0xB7EC66F4u);
  const std::vector<std::uint8_t> descending(ascending.rbegin(), ascending.rend());
  EXPECT_EQ(firmwareChecksum(descending), 0x29581A3Bu);
  EXPECT_EQ(firmwareChecksum(std::vector<std::uint8_t>(64, 0xFF)), 0xA21E790Fu);
}

TEST(FirmwareFileName, NameAndExtensionAsTheMessagesQuoteThem) {
  EXPECT_EQ(splitDisplayName("FW141.LDR"), (std::pair<std::string, std::string>{"FW141", ".LDR"}));
  EXPECT_EQ(splitDisplayName("a.b.LDR"), (std::pair<std::string, std::string>{"a.b", ".LDR"}));
  EXPECT_EQ(splitDisplayName("README"), (std::pair<std::string, std::string>{"README", ""}));
  EXPECT_EQ(splitDisplayName(".LDR"), (std::pair<std::string, std::string>{".LDR", ""}));
  EXPECT_EQ(firmwareDisplayName("/some/folder/FW.LDR"), "FW.LDR");
  // Non-ASCII names travel as UTF-8.
  const std::string russian = "\xD0\xBF\xD1\x80\xD0\xBE.LDR";
  EXPECT_EQ(firmwareDisplayName(pathFromUtf8("/tmp/" + russian)), russian);
}

TEST(FirmwareChecksum, FileChecksumStartsAtOffsetFour) {
  std::vector<std::uint8_t> file = ascii("????abcdefgh");
  EXPECT_EQ(fileChecksum(file), 0x18C4859Cu);
  file[0] = '!';
  EXPECT_EQ(fileChecksum(file), 0x18C4859Cu);
}

TEST(FirmwareHeader, FieldsAreLittleEndian) {
  const auto bytes = makeFirmware(64, 0x0401, 141);
  const FirmwareHeader h = parseFirmwareHeader(bytes);
  EXPECT_EQ(h.deviceType, 0x0401u);
  EXPECT_EQ(h.applicationVersion, 141u);
  EXPECT_EQ(h.reserved, 0x5A5A5A5Au);
  EXPECT_EQ(h.checksum, bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                            (static_cast<std::uint32_t>(bytes[3]) << 24));
  EXPECT_EQ(h.checksum, fileChecksum(bytes));
}

TEST(FirmwareVersions, ComparedAsUnsignedNumbers) {
  EXPECT_EQ(compareVersions(141, 140), VersionOrder::Newer);
  EXPECT_EQ(compareVersions(140, 140), VersionOrder::Same);
  EXPECT_EQ(compareVersions(139, 140), VersionOrder::Older);
  EXPECT_EQ(compareVersions(0x80000000u, 140), VersionOrder::Newer);
  EXPECT_EQ(compareVersions(0, 0xFFFFFFFFu), VersionOrder::Older);
  EXPECT_EQ(versionParts(140).whole, 1u);
  EXPECT_EQ(versionParts(140).hundredths, 40u);
  EXPECT_EQ(versionParts(1205).whole, 12u);
  EXPECT_EQ(versionParts(1205).hundredths, 5u);
}

class FirmwareFileTest : public ::testing::Test {
 protected:
  FirmwareFileError readBack(const std::vector<std::uint8_t>& bytes) {
    writeFirmware(path, bytes);
    return readFirmwareFile(path, file);
  }
  TempDir dir;
  std::filesystem::path path = dir / "FW140.LDR";
  FirmwareFile file;
};

TEST_F(FirmwareFileTest, SizeLimitIsTheUpdateDisk) {
  EXPECT_EQ(readBack(makeFirmware(kFirmwareMaxSize, 0x0401, 141)), FirmwareFileError::None);
  EXPECT_EQ(file.bytes.size(), kFirmwareMaxSize);
  EXPECT_EQ(file.header.applicationVersion, 141u);
  EXPECT_EQ(file.displayName, "FW140.LDR");
  EXPECT_EQ(readBack(makeFirmware(kFirmwareMaxSize + 1, 0x0401, 141)), FirmwareFileError::TooLarge);
  std::vector<std::uint8_t> big(kFirmwareMaxSize + 1);
  EXPECT_EQ(checkFirmwareBytes(big), FirmwareFileError::TooLarge);
}

TEST_F(FirmwareFileTest, TrailingBytesAreOutsideTheChecksumButKept) {
  for (std::size_t extra = 1; extra <= 3; ++extra) {
    auto bytes = makeFirmware(1000 + extra, 0x0401, 141);
    bytes.back() ^= 0xFF;  // not covered: still accepted
    ASSERT_EQ(readBack(bytes), FirmwareFileError::None) << extra;
    EXPECT_EQ(file.bytes, bytes);
    bytes[1000 - 1] ^= 0xFF;  // the last whole word is covered
    EXPECT_EQ(readBack(bytes), FirmwareFileError::BadChecksum) << extra;
  }
}

TEST_F(FirmwareFileTest, WrongChecksumIsRefused) {
  auto bytes = makeFirmware(4096, 0x0401, 141);
  bytes[4] ^= 0x01;  // the first covered byte
  EXPECT_EQ(readBack(bytes), FirmwareFileError::BadChecksum);
  bytes = makeFirmware(4096, 0x0401, 141);
  bytes[0] ^= 0x80;  // the stored checksum itself
  EXPECT_EQ(readBack(bytes), FirmwareFileError::BadChecksum);
  bytes = makeFirmware(4096, 0x0401, 141);
  bytes[12] = 142;  // the version is covered too
  EXPECT_EQ(readBack(bytes), FirmwareFileError::BadChecksum);
}

TEST_F(FirmwareFileTest, ShortFilesHaveNoHeaderToTrust) {
  for (std::size_t size : {0u, 3u, 4u, 8u, 15u}) {
    auto bytes = makeFirmware(16, 0x0401, 141);
    bytes.resize(size);
    EXPECT_EQ(readBack(bytes), FirmwareFileError::BadChecksum) << size;
  }
  EXPECT_EQ(readBack(makeFirmware(16, 0x0401, 141)), FirmwareFileError::None);
}

TEST_F(FirmwareFileTest, MissingFileOrFolderCannotBeOpened) {
  ASSERT_EQ(readBack(makeFirmware(64, 0x0401, 141)), FirmwareFileError::None);
  EXPECT_EQ(readFirmwareFile(dir / "NONE.LDR", file), FirmwareFileError::OpenFailed);
  EXPECT_EQ(file.displayName, "NONE.LDR");
  EXPECT_TRUE(file.bytes.empty());  // nothing of the earlier file is left
  EXPECT_EQ(file.header.applicationVersion, 0u);
  EXPECT_EQ(readFirmwareFile(dir.path(), file), FirmwareFileError::OpenFailed);
}

}  // namespace
}  // namespace kivprism::device
