// The simulated boot loader's update disk and the versions a state file keeps.
#include "sim/update_disk.hpp"

#include <gtest/gtest.h>

#include "sim_fixture.hpp"
#include "support/firmware_files.hpp"
#include "support/process.hpp"

namespace kivprism::sim::test {
namespace {

using kivprism::testing::makeFirmware;

class UpdateDiskTest : public SimFixture {
 protected:
  void startBootLoader() {
    const std::array<std::uint8_t, 64> header{};
    port.setFeature(device::makeWriteRequest(device::area::kBootLoader, 0, header));
  }
  SimulatedUpdateDisk disk{controller};
};

TEST_F(UpdateDiskTest, AppearsAfterTheBootLoaderStartWithLeftoverFiles) {
  EXPECT_FALSE(disk.findUpdateDisk().disk);
  startBootLoader();
  EXPECT_FALSE(controller.isPresent());
  clock.advance(SimulatedUpdateDisk::kDefaultAppearMs - 1);
  EXPECT_FALSE(disk.findUpdateDisk().disk);
  clock.advance(1);
  const auto found = disk.findUpdateDisk();
  ASSERT_TRUE(found.disk);
  const auto entries = disk.listRoot(*found.disk);
  ASSERT_EQ(entries.size(), 4u);
  const auto hidden = disk.attributes(entries[0].path);
  ASSERT_TRUE(hidden);
  EXPECT_EQ(entries[0].name, "BOOTLOG.TXT");
  EXPECT_TRUE(hidden->hidden);
  EXPECT_TRUE(disk.attributes(entries[3].path)->directory);
  const auto space = disk.diskSpace(*found.disk);
  ASSERT_TRUE(space);
  EXPECT_EQ(space->total, device::kUpdateDiskSize);
  EXPECT_LT(space->free, space->total);
  // A read-only file is deleted only after its attributes are cleared.
  EXPECT_FALSE(disk.removeFile(entries[1].path));
  EXPECT_TRUE(disk.clearAttributes(entries[1].path));
  EXPECT_TRUE(disk.removeFile(entries[1].path));
}

TEST_F(UpdateDiskTest, AnInstalledFileBringsTheControllerBackWithItsVersionAndType) {
  startBootLoader();
  clock.advance(SimulatedUpdateDisk::kDefaultAppearMs);
  const auto found = disk.findUpdateDisk();
  ASSERT_TRUE(found.disk);
  std::size_t written = 0;
  auto corrupt = makeFirmware(4096, 0x0777, 333);
  corrupt[100] ^= 1;
  ASSERT_TRUE(disk.writeFile(disk.targetPath(*found.disk, "BAD.LDR"), corrupt, written));
  EXPECT_EQ(disk.installs(), 0u);
  EXPECT_TRUE(controller.inBootLoader());

  const auto good = makeFirmware(4096, 0x0777, 333);
  ASSERT_TRUE(disk.writeFile(disk.targetPath(*found.disk, "GOOD.LDR"), good, written));
  EXPECT_EQ(written, good.size());
  EXPECT_EQ(disk.installs(), 1u);
  EXPECT_FALSE(disk.mounted());
  EXPECT_FALSE(controller.isPresent());  // restarting
  clock.advance(1000);
  EXPECT_TRUE(controller.isPresent());
  EXPECT_EQ(controller.identity().applicationVersion, 333u);
  EXPECT_EQ(controller.identity().deviceType, 0x0777u);
}

TEST_F(UpdateDiskTest, StateFileKeepsTheVersionsOnlyAfterAnUpdate) {
  kivprism::testing::TempDir dir;
  std::string error;
  ASSERT_TRUE(controller.saveConfiguration(dir / "plain.bin", error)) << error;
  EXPECT_EQ(std::filesystem::file_size(dir / "plain.bin"), config::layout::kImageSize);

  controller.installFirmware(0x0402, 155);
  ASSERT_TRUE(controller.saveConfiguration(dir / "updated.bin", error)) << error;
  EXPECT_EQ(std::filesystem::file_size(dir / "updated.bin"),
            config::layout::kImageSize + kVersionRecordSize);

  SimulatedController other(clock.function());
  ASSERT_TRUE(other.loadConfiguration(dir / "updated.bin", error)) << error;
  EXPECT_EQ(other.identity().applicationVersion, 155u);
  EXPECT_EQ(other.identity().deviceType, 0x0402u);
  EXPECT_EQ(other.configuration().bytes().size(), config::layout::kImageSize);

  // A trailer that is not a version record is refused, as any wrong size is.
  std::string bytes = kivprism::testing::readWholeFile(dir / "updated.bin");
  bytes[config::layout::kImageSize] = 'X';
  kivprism::testing::writeWholeFile(dir / "broken.bin", bytes);
  EXPECT_FALSE(other.loadConfiguration(dir / "broken.bin", error));
  kivprism::testing::writeWholeFile(dir / "short.bin", bytes.substr(0, 100));
  EXPECT_FALSE(other.loadConfiguration(dir / "short.bin", error));
}

}  // namespace
}  // namespace kivprism::sim::test
