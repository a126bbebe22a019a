// The volumes a firmware update needs: the controller's boot loader presents a small removable FAT
// disk labelled "UPDATE", and the firmware file is copied onto it after the disk has been emptied.
// Each platform (and the simulated controller) provides these operations; the update procedure
// keeps every rule about them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kivprism::device {

// The boot loader's disk has exactly this total size.
inline constexpr std::uint64_t kUpdateDiskSize = 214016;
inline constexpr std::string_view kUpdateDiskLabel = "UPDATE";
// File system names as the platforms report them: FAT12/16 volumes read as "FAT" on Windows,
// "vfat" or "msdos" on Linux, "msdos" on macOS. Providers normalise to this.
inline constexpr std::string_view kFatFileSystem = "FAT";

// What a platform tells about one volume.
struct VolumeFacts {
  std::string root;  // where its files are: "E:\" or a mount point
  std::string name;  // how messages name it: the drive letter, or the mount point
  bool removable = false;
  std::string label;
  std::string fileSystem;  // normalised: "FAT" for FAT12/16
  std::uint64_t totalBytes = 0;
};

// Removable, labelled exactly "UPDATE" (case counts), FAT, exactly 214016 bytes.
bool isUpdateDisk(const VolumeFacts& volume);

struct UpdateDisk {
  std::string root;
  std::string name;
};

struct DiskSearch {
  std::optional<UpdateDisk> disk;
  // A device that looks like the update disk but cannot be used yet (on Linux: not mounted). Empty
  // when there is none.
  std::string unusableDevice;
};

struct DiskSpace {
  std::uint64_t total = 0;
  std::uint64_t free = 0;
};

struct DiskEntry {
  std::string name;
  std::string path;  // full path, as messages quote it
};

struct EntryAttributes {
  bool directory = false;
  bool readOnly = false;
  bool hidden = false;
  bool system = false;
  bool archive = false;

  bool anyOfFour() const { return readOnly || hidden || system || archive; }
};

class VolumeProvider {
 public:
  virtual ~VolumeProvider() = default;

  // The first volume that qualifies, in the platform's order (drive letters A to Z; mount points
  // in name order).
  virtual DiskSearch findUpdateDisk() = 0;
  virtual std::optional<DiskSpace> diskSpace(const UpdateDisk& disk) = 0;
  // Every entry of the root folder, hidden and system ones included.
  virtual std::vector<DiskEntry> listRoot(const UpdateDisk& disk) = 0;
  virtual std::optional<EntryAttributes> attributes(const std::string& path) = 0;
  // Clears read-only, hidden, system and archive.
  virtual bool clearAttributes(const std::string& path) = 0;
  // Removes a folder with whatever it still holds.
  virtual bool removeDirectory(const std::string& path) = 0;
  virtual bool removeFile(const std::string& path) = 0;
  // Where a file of this name goes in the disk's root.
  virtual std::string targetPath(const UpdateDisk& disk, std::string_view fileName) = 0;
  // Creates (or truncates) the file and writes the bytes; false when it cannot be created.
  // `written` gets the number of bytes that reached the file.
  virtual bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::size_t& written) = 0;
};

}  // namespace kivprism::device
