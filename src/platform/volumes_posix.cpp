// File operations on the mounted update disk through POSIX calls, shared by Linux and macOS, and
// the FAT boot-sector reader.
#include "platform/volumes.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#if defined(__linux__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif
#if defined(__linux__)
#include <linux/msdos_fs.h>
#endif

namespace kivprism::platform {

namespace {

std::uint32_t le(std::span<const std::uint8_t> b, std::size_t offset, std::size_t width) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < width; ++i) {
    v |= static_cast<std::uint32_t>(b[offset + i]) << (8 * i);
  }
  return v;
}

std::string trimmedField(std::span<const std::uint8_t> b, std::size_t offset, std::size_t size) {
  std::string text(b.begin() + static_cast<std::ptrdiff_t>(offset),
                   b.begin() + static_cast<std::ptrdiff_t>(offset + size));
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) {
    text.pop_back();
  }
  return text;
}

// Boot sector fields.
constexpr std::size_t kBytesPerSector = 11;     // u16
constexpr std::size_t kSectorsPerCluster = 13;  // u8
constexpr std::size_t kReservedSectors = 14;    // u16
constexpr std::size_t kFatCount = 16;           // u8
constexpr std::size_t kRootEntries = 17;        // u16
constexpr std::size_t kTotalSectors16 = 19;     // u16
constexpr std::size_t kFatSize16 = 22;          // u16
constexpr std::size_t kTotalSectors32 = 32;     // u32
constexpr std::size_t kFatSize32 = 36;          // u32
constexpr std::size_t kLabel16 = 43;
constexpr std::size_t kLabel32 = 71;
constexpr std::size_t kLabelSize = 11;
constexpr std::size_t kSignature = 510;
constexpr std::uint32_t kDirectoryEntrySize = 32;
// FAT12 and FAT16 have fewer clusters than this; FAT32 more.
constexpr std::uint32_t kFat32Clusters = 65525;

}  // namespace

std::optional<BootSectorFacts> readFatBootSector(std::span<const std::uint8_t> b) {
  if (b.size() < kBootSectorSize || b[kSignature] != 0x55 || b[kSignature + 1] != 0xAA) {
    return std::nullopt;
  }
  const std::uint32_t bytesPerSector = le(b, kBytesPerSector, 2);
  const std::uint32_t perCluster = b[kSectorsPerCluster];
  const std::uint32_t fats = b[kFatCount];
  if (bytesPerSector == 0 || (bytesPerSector & (bytesPerSector - 1)) != 0 || perCluster == 0 ||
      fats == 0) {
    return std::nullopt;
  }
  std::uint32_t totalSectors = le(b, kTotalSectors16, 2);
  if (totalSectors == 0) {
    totalSectors = le(b, kTotalSectors32, 4);
  }
  std::uint32_t fatSize = le(b, kFatSize16, 2);
  const bool fat32Layout = fatSize == 0;
  if (fat32Layout) {
    fatSize = le(b, kFatSize32, 4);
  }
  const std::uint32_t rootSectors =
      (le(b, kRootEntries, 2) * kDirectoryEntrySize + bytesPerSector - 1) / bytesPerSector;
  const std::uint64_t meta =
      le(b, kReservedSectors, 2) + std::uint64_t{fats} * fatSize + rootSectors;
  if (meta >= totalSectors) {
    return std::nullopt;
  }
  const std::uint64_t clusters = (totalSectors - meta) / perCluster;
  BootSectorFacts facts;
  facts.dataBytes = clusters * perCluster * bytesPerSector;
  facts.fileSystem = clusters >= kFat32Clusters ? "FAT32" : std::string(device::kFatFileSystem);
  facts.label = trimmedField(b, fat32Layout ? kLabel32 : kLabel16, kLabelSize);
  if (facts.label == "NO NAME") {
    facts.label.clear();
  }
  return facts;
}

#if defined(__linux__) || defined(__APPLE__)

namespace {

namespace fs = std::filesystem;

struct FdCloser {
  int fd;
  ~FdCloser() {
    if (fd >= 0) {
      ::close(fd);
    }
  }
};

}  // namespace

std::optional<device::DiskSpace> PosixVolumeFiles::spaceOf(const std::string& root) const {
  if (spaceReader_) {
    return spaceReader_(root);
  }
  struct statvfs s {};
  if (::statvfs(root.c_str(), &s) != 0) {
    return std::nullopt;
  }
  const std::uint64_t unit = s.f_frsize != 0 ? s.f_frsize : s.f_bsize;
  return device::DiskSpace{std::uint64_t{s.f_blocks} * unit, std::uint64_t{s.f_bfree} * unit};
}

std::optional<device::DiskSpace> PosixVolumeFiles::diskSpace(const device::UpdateDisk& disk) {
  return spaceOf(disk.root);
}

std::vector<device::DiskEntry> PosixVolumeFiles::listRoot(const device::UpdateDisk& disk) {
  std::vector<device::DiskEntry> entries;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(disk.root, ec)) {
    entries.push_back({entry.path().filename().string(), entry.path().string()});
  }
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  return entries;
}

std::optional<device::EntryAttributes> PosixVolumeFiles::attributes(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    return std::nullopt;
  }
  device::EntryAttributes a;
  a.directory = S_ISDIR(st.st_mode);
#if defined(__linux__)
  // The FAT driver gives the attribute byte itself.
  FdCloser file{::open(path.c_str(), O_RDONLY | O_NOFOLLOW)};
  std::uint32_t bits = 0;
  if (file.fd >= 0 && ::ioctl(file.fd, FAT_IOCTL_GET_ATTRIBUTES, &bits) == 0) {
    a.readOnly = (bits & ATTR_RO) != 0;
    a.hidden = (bits & ATTR_HIDDEN) != 0;
    a.system = (bits & ATTR_SYS) != 0;
    a.archive = (bits & ATTR_ARCH) != 0;
    return a;
  }
#elif defined(__APPLE__)
  // msdosfs maps hidden to UF_HIDDEN, read-only to UF_IMMUTABLE and archive to SF_ARCHIVED.
  a.hidden = (st.st_flags & UF_HIDDEN) != 0;
  a.archive = (st.st_flags & SF_ARCHIVED) != 0;
  a.readOnly = (st.st_flags & UF_IMMUTABLE) != 0;
#endif
  // Elsewhere: what the mode bits and the name tell.
  a.readOnly = a.readOnly || (st.st_mode & S_IWUSR) == 0;
  a.hidden = a.hidden || fs::path(path).filename().string().starts_with('.');
  return a;
}

bool PosixVolumeFiles::clearAttributes(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    return false;
  }
#if defined(__linux__)
  FdCloser file{::open(path.c_str(), O_RDONLY | O_NOFOLLOW)};
  std::uint32_t bits = 0;
  if (file.fd >= 0 && ::ioctl(file.fd, FAT_IOCTL_GET_ATTRIBUTES, &bits) == 0) {
    bits &= ~std::uint32_t{ATTR_RO | ATTR_HIDDEN | ATTR_SYS | ATTR_ARCH};
    return ::ioctl(file.fd, FAT_IOCTL_SET_ATTRIBUTES, &bits) == 0;
  }
#elif defined(__APPLE__)
  if (::chflags(path.c_str(), st.st_flags & ~(UF_HIDDEN | UF_IMMUTABLE | SF_ARCHIVED)) != 0) {
    return false;
  }
#endif
  if ((st.st_mode & S_IWUSR) == 0 && ::chmod(path.c_str(), st.st_mode | S_IWUSR) != 0) {
    return false;
  }
  return true;
}

bool PosixVolumeFiles::removeDirectory(const std::string& path) {
  // The update disk is emptied whole: a folder goes with what it holds.
  std::error_code ec;
  fs::remove_all(path, ec);
  return !ec && !fs::exists(fs::symlink_status(path, ec));
}

bool PosixVolumeFiles::removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::string PosixVolumeFiles::targetPath(const device::UpdateDisk& disk,
                                         std::string_view fileName) {
  return (fs::path(disk.root) / std::string(fileName)).string();
}

bool PosixVolumeFiles::writeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                                 std::size_t& written) {
  written = 0;
  FdCloser file{::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)};
  if (file.fd < 0) {
    return false;
  }
  while (written < bytes.size()) {
    const ssize_t n = ::write(file.fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return true;
    }
    written += static_cast<std::size_t>(n);
  }
  // The disk is removed by the boot loader right after the copy: the data must be on it.
  if (::fsync(file.fd) != 0) {
    written = 0;
  }
  return true;
}

#endif

}  // namespace kivprism::platform
