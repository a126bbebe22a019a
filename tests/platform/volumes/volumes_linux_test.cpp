// The update disk search on Linux against a fake mount table, sysfs and by-label tree, and the file
// operations on an ordinary folder.
#include "platform/volumes.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <map>

#include "core/config/image.hpp"
#include "support/process.hpp"

namespace kivprism::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::writeWholeFile;

// A FAT12 boot sector whose data area is exactly the update disk: 512-byte sectors, one sector
// per cluster, one reserved sector, two FATs of two sectors, one root-directory sector, 418
// clusters.
std::vector<std::uint8_t> updateBootSector(const std::string& label = "UPDATE     ") {
  std::vector<std::uint8_t> b(kBootSectorSize, 0);
  config::writeLe(b, 11, 2, 512);
  b[13] = 1;
  config::writeLe(b, 14, 2, 1);
  b[16] = 2;
  config::writeLe(b, 17, 2, 16);
  config::writeLe(b, 19, 2, 1 + 4 + 1 + 418);
  config::writeLe(b, 22, 2, 2);
  b[38] = 0x29;
  std::copy(label.begin(), label.end(), b.begin() + 43);
  b[510] = 0x55;
  b[511] = 0xAA;
  return b;
}

TEST(FatBootSector, LabelTypeAndDataSize) {
  const auto facts = readFatBootSector(updateBootSector());
  ASSERT_TRUE(facts);
  EXPECT_EQ(facts->label, "UPDATE");
  EXPECT_EQ(facts->fileSystem, "FAT");
  EXPECT_EQ(facts->dataBytes, 214016u);
  EXPECT_EQ(readFatBootSector(updateBootSector("NO NAME    "))->label, "");
  EXPECT_EQ(readFatBootSector(updateBootSector("update     "))->label, "update");
  auto unsigned_ = updateBootSector();
  unsigned_[511] = 0;
  EXPECT_FALSE(readFatBootSector(unsigned_));
  auto badSector = updateBootSector();
  config::writeLe(badSector, 11, 2, 500);
  EXPECT_FALSE(readFatBootSector(badSector));
  // A large volume with a FAT32 layout.
  auto big = updateBootSector();
  config::writeLe(big, 19, 2, 0);
  config::writeLe(big, 22, 2, 0);
  config::writeLe(big, 32, 4, 8 * 1024 * 1024);
  config::writeLe(big, 36, 4, 8192);
  const std::string label32 = "BIG        ";
  std::copy(label32.begin(), label32.end(), big.begin() + 71);
  const auto fat32 = readFatBootSector(big);
  ASSERT_TRUE(fat32);
  EXPECT_EQ(fat32->fileSystem, "FAT32");
  EXPECT_EQ(fat32->label, "BIG");
}

TEST(MountTable, FieldsAndEscapes) {
  const auto entries = parseMountTable(
      "/dev/sda2 / ext4 rw,relatime 0 0\n"
      "/dev/sdb1 /media/anna/MY\\040DISK vfat rw,nosuid 0 0\n"
      "\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].device, "/dev/sdb1");
  EXPECT_EQ(entries[1].mountPoint, "/media/anna/MY DISK");
  EXPECT_EQ(entries[1].type, "vfat");
}

// A fake system: block devices with a removable flag and a label, some of them mounted.
class LinuxVolumesTest : public ::testing::Test {
 protected:
  struct Device {
    std::string name;  // sdb1: a partition of sdb
    bool removable = true;
    std::string label;
  };
  void addDevice(const Device& d) {
    const std::string disk = d.name.substr(0, 3);
    fs::create_directories(root / "sys/devices" / disk / d.name);
    writeWholeFile(root / "sys/devices" / disk / "removable", d.removable ? "1\n" : "0\n");
    writeWholeFile(root / "sys/devices" / disk / d.name / "partition", "1\n");
    fs::create_directories(root / "sys/class/block");
    fs::create_symlink(root / "sys/devices" / disk / d.name, root / "sys/class/block" / d.name);
    fs::create_directories(root / "dev/disk/by-label");
    writeWholeFile(root / "dev" / d.name, "");
    if (d.label.empty()) {
      return;
    }
    // udev keeps one link per label; the other disks' labels come from their boot sectors.
    const fs::path link = root / "dev/disk/by-label" / d.label;
    if (fs::exists(fs::symlink_status(link))) {
      std::string padded = d.label;
      padded.resize(11, ' ');
      const auto sector = updateBootSector(padded);
      writeWholeFile(root / "dev" / d.name, std::string(sector.begin(), sector.end()));
    } else {
      fs::create_symlink("../../" + d.name, link);
    }
  }
  // Mounts the device at a folder of the given name with the given type and total size.
  std::string mount(const std::string& device, const std::string& folder, const std::string& type,
                    std::uint64_t total = device::kUpdateDiskSize) {
    const fs::path point = root / "media" / folder;
    fs::create_directories(point);
    table += (root / "dev" / device).string() + " " + point.string() + " " + type + " rw 0 0\n";
    writeWholeFile(root / "mounts", table);
    sizes[point.string()] = total;
    return point.string();
  }
  LinuxVolumeProvider provider() {
    fs::create_directories(root / "dev/disk/by-label");
    fs::create_directories(root / "sys/class/block");
    writeWholeFile(root / "mounts", table);
    LinuxVolumeProvider p(
        {root / "mounts", root / "sys/class/block", root / "dev/disk/by-label", root / "dev"});
    p.setSpaceReader([this](const std::string& point) -> std::optional<device::DiskSpace> {
      const auto it = sizes.find(point);
      if (it == sizes.end()) {
        return std::nullopt;
      }
      return device::DiskSpace{it->second, it->second};
    });
    return p;
  }

  TempDir dir;
  fs::path root = dir.path();
  std::string table = "/dev/sda2 / ext4 rw 0 0\n";
  std::map<std::string, std::uint64_t> sizes;
};

TEST_F(LinuxVolumesTest, FindsTheMountedUpdateDisk) {
  addDevice({"sdb1", true, "UPDATE"});
  const std::string point = mount("sdb1", "UPDATE", "vfat");
  auto p = provider();
  const auto search = p.findUpdateDisk();
  ASSERT_TRUE(search.disk);
  EXPECT_EQ(search.disk->root, point);
  EXPECT_EQ(search.disk->name, point);
  EXPECT_TRUE(search.unusableDevice.empty());
}

TEST_F(LinuxVolumesTest, LabelCaseSizeTypeAndRemovableAllCount) {
  addDevice({"sdb1", true, "update"});
  mount("sdb1", "a", "vfat");
  addDevice({"sdc1", true, "UPDATE"});
  mount("sdc1", "b", "vfat", device::kUpdateDiskSize + 512);
  addDevice({"sdd1", true, "UPDATE"});
  mount("sdd1", "c", "ext4");
  addDevice({"sde1", false, "UPDATE"});
  mount("sde1", "d", "vfat");
  addDevice({"sdf1", true, "UPDATE\\x20"});
  mount("sdf1", "e", "vfat");
  auto p = provider();
  EXPECT_FALSE(p.findUpdateDisk().disk);
  const auto volumes = p.fatVolumes();
  ASSERT_EQ(volumes.size(), 4u);  // ext4 is not looked at
  EXPECT_EQ(volumes[0].label, "update");
  EXPECT_EQ(volumes[1].totalBytes, device::kUpdateDiskSize + 512);
  EXPECT_FALSE(volumes[2].removable);
  EXPECT_EQ(volumes[3].label, "UPDATE ");
}

TEST_F(LinuxVolumesTest, MsdosCountsAsFatAndTheFirstMountPointWins) {
  addDevice({"sdc1", true, "UPDATE"});
  mount("sdc1", "second", "msdos");
  addDevice({"sdb1", true, "UPDATE"});
  const std::string first = mount("sdb1", "first", "vfat");
  auto p = provider();
  const auto search = p.findUpdateDisk();
  ASSERT_TRUE(search.disk);
  EXPECT_EQ(search.disk->root, first);
}

TEST_F(LinuxVolumesTest, TheBootSectorGivesTheLabelWhenUdevHasNone) {
  addDevice({"sdb1", true, ""});
  const auto sector = updateBootSector();
  writeWholeFile(root / "dev/sdb1", std::string(sector.begin(), sector.end()));
  const std::string point = mount("sdb1", "disk", "vfat");
  auto p = provider();
  const auto search = p.findUpdateDisk();
  ASSERT_TRUE(search.disk);
  EXPECT_EQ(search.disk->root, point);
}

TEST_F(LinuxVolumesTest, AnUnmountedUpdateDiskIsNamedForMounting) {
  addDevice({"sdb1", true, "UPDATE"});
  auto p = provider();
  const auto search = p.findUpdateDisk();
  EXPECT_FALSE(search.disk);
  EXPECT_EQ(search.unusableDevice, (root / "dev/sdb1").string());

  // Not for a fixed disk, nor for one whose boot sector shows another size.
  TempDir other;
  root = other.path();
  table = "/dev/sda2 / ext4 rw 0 0\n";
  addDevice({"sdb1", false, "UPDATE"});
  EXPECT_TRUE(provider().findUpdateDisk().unusableDevice.empty());
  addDevice({"sdc1", true, "UPDAT2"});
  auto sector = updateBootSector();
  config::writeLe(sector, 19, 2, 2000);
  writeWholeFile(root / "dev/sdc1", std::string(sector.begin(), sector.end()));
  fs::remove(root / "dev/disk/by-label/UPDATE");
  fs::create_symlink("../../sdc1", root / "dev/disk/by-label/UPDATE");
  EXPECT_TRUE(provider().findUpdateDisk().unusableDevice.empty());
}

TEST_F(LinuxVolumesTest, FileOperationsOnTheMountedFolder) {
  const fs::path folder = root / "disk";
  fs::create_directories(folder / "sub/inner");
  writeWholeFile(folder / "sub/inner/x.txt", "x");
  writeWholeFile(folder / ".hidden", "h");
  writeWholeFile(folder / "LOCKED.TXT", "l");
  ::chmod((folder / "LOCKED.TXT").c_str(), 0444);
  auto p = provider();
  const device::UpdateDisk disk{folder.string(), folder.string()};

  const auto entries = p.listRoot(disk);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, ".hidden");
  EXPECT_EQ(entries[0].path, (folder / ".hidden").string());

  const auto hidden = p.attributes((folder / ".hidden").string());
  ASSERT_TRUE(hidden);
  EXPECT_TRUE(hidden->hidden);
  EXPECT_FALSE(hidden->directory);
  const auto locked = p.attributes((folder / "LOCKED.TXT").string());
  ASSERT_TRUE(locked);
  EXPECT_TRUE(locked->readOnly);
  EXPECT_TRUE(p.clearAttributes((folder / "LOCKED.TXT").string()));
  EXPECT_FALSE(p.attributes((folder / "LOCKED.TXT").string())->readOnly);
  EXPECT_TRUE(p.attributes((folder / "sub").string())->directory);
  EXPECT_FALSE(p.attributes((folder / "none").string()));
  EXPECT_FALSE(p.clearAttributes((folder / "none").string()));

  EXPECT_TRUE(p.removeDirectory((folder / "sub").string()));
  EXPECT_FALSE(fs::exists(folder / "sub"));
  EXPECT_TRUE(p.removeFile((folder / ".hidden").string()));
  EXPECT_FALSE(p.removeFile((folder / ".hidden").string()));

  const std::vector<std::uint8_t> bytes{1, 2, 3, 4, 5};
  std::size_t written = 0;
  const std::string target = p.targetPath(disk, "FW.LDR");
  EXPECT_EQ(target, (folder / "FW.LDR").string());
  ASSERT_TRUE(p.writeFile(target, bytes, written));
  EXPECT_EQ(written, bytes.size());
  EXPECT_EQ(testing::readWholeFile(target), std::string("\1\2\3\4\5"));
  EXPECT_FALSE(p.writeFile((folder / "no/such/folder.LDR").string(), bytes, written));
}

}  // namespace
}  // namespace kivprism::platform
