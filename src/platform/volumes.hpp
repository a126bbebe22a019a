// The computer's volumes for the firmware update: finds the controller's update disk and replaces
// its files. No Qt, so the command-line tool uses it too.
//
// Linux: mounted FAT file systems (vfat, msdos) from the mount table, the removable flag from
// sysfs, the label from /dev/disk/by-label or from the FAT boot sector when it is readable, sizes
// from statvfs. A disk labelled UPDATE that is present but not mounted is reported so that the user
// can mount it. Windows: drive letters A to Z with the volume functions. macOS: mounted msdos file
// systems, the removable flag from Disk Arbitration.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/device/volume_provider.hpp"

namespace kivprism::platform {

// The provider for this system.
std::unique_ptr<device::VolumeProvider> makeSystemVolumeProvider();

// File operations on a mounted FAT volume through POSIX calls (Linux and macOS).
class PosixVolumeFiles : public device::VolumeProvider {
 public:
  // Sizes of the file system mounted at the path; empty: statvfs.
  using SpaceReader = std::function<std::optional<device::DiskSpace>(const std::string& root)>;

  std::optional<device::DiskSpace> diskSpace(const device::UpdateDisk& disk) override;
  std::vector<device::DiskEntry> listRoot(const device::UpdateDisk& disk) override;
  std::optional<device::EntryAttributes> attributes(const std::string& path) override;
  bool clearAttributes(const std::string& path) override;
  bool removeDirectory(const std::string& path) override;
  bool removeFile(const std::string& path) override;
  std::string targetPath(const device::UpdateDisk& disk, std::string_view fileName) override;
  bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 std::size_t& written) override;

  void setSpaceReader(SpaceReader reader) { spaceReader_ = std::move(reader); }

 protected:
  std::optional<device::DiskSpace> spaceOf(const std::string& root) const;

 private:
  SpaceReader spaceReader_;
};

#if defined(__linux__)
// Where the Linux provider looks; tests point them at a fake tree.
struct LinuxVolumeSources {
  std::filesystem::path mounts = "/proc/self/mounts";
  std::filesystem::path sysClassBlock = "/sys/class/block";
  std::filesystem::path byLabel = "/dev/disk/by-label";
  std::filesystem::path dev = "/dev";
};

class LinuxVolumeProvider : public PosixVolumeFiles {
 public:
  explicit LinuxVolumeProvider(LinuxVolumeSources sources = {});

  // Every mounted FAT volume, in mount-point order, with what the system tells about it.
  std::vector<device::VolumeFacts> fatVolumes();
  device::DiskSearch findUpdateDisk() override;

 private:
  LinuxVolumeSources sources_;
};

// One line of the mount table: device, mount point, file system type (octal escapes undone).
struct MountEntry {
  std::string device;
  std::string mountPoint;
  std::string type;
};
std::vector<MountEntry> parseMountTable(const std::string& text);
#endif

#if defined(_WIN32)
// Every drive the system lists, in letter order; label, file system and size are filled for the
// removable ones only (asking a network or an empty card drive can take seconds).
std::vector<device::VolumeFacts> windowsVolumes();
#endif

// What a FAT boot sector tells: its label (empty for "NO NAME"), "FAT" for FAT12/16 or "FAT32",
// and the size of its data area, which is what the system reports as the volume's total size.
struct BootSectorFacts {
  std::string label;
  std::string fileSystem;
  std::uint64_t dataBytes = 0;
};
inline constexpr std::size_t kBootSectorSize = 512;
// Nothing when the bytes are no FAT boot sector.
std::optional<BootSectorFacts> readFatBootSector(std::span<const std::uint8_t> sector);

}  // namespace kivprism::platform
