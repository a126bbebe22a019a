// The update disk on Linux: mounted FAT file systems from the mount table, the removable flag from
// sysfs, the label from /dev/disk/by-label (or the boot sector when the device is readable).
#if defined(__linux__)

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/volumes.hpp"

namespace kivprism::platform {

namespace {

namespace fs = std::filesystem;

std::string readFirstLine(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

// Mount table fields escape blanks and backslashes as octal (\040).
std::string unescapeOctal(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size()) {
      const std::string digits = text.substr(i + 1, 3);
      if (digits.size() == 3 &&
          std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
        out += static_cast<char>(std::stoi(digits, nullptr, 8));
        i += 3;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

// udev writes unsafe bytes of a label as \xHH.
std::string unescapeHex(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\\x") == 0 && i + 3 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2])) != 0 &&
        std::isxdigit(static_cast<unsigned char>(text[i + 3])) != 0) {
      out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
      continue;
    }
    out += text[i];
  }
  return out;
}

bool isFatType(const std::string& type) { return type == "vfat" || type == "msdos"; }

// The kernel's name of a block device (sdb1) from a path to it, following links.
std::string kernelName(const std::string& device) {
  std::error_code ec;
  const fs::path resolved = fs::weakly_canonical(device, ec);
  return (ec ? fs::path(device) : resolved).filename().string();
}

bool removableFlag(const fs::path& sysClassBlock, const std::string& name) {
  const fs::path node = sysClassBlock / name;
  std::error_code ec;
  if (fs::exists(node / "removable", ec)) {
    return readFirstLine(node / "removable") == "1";
  }
  // A partition: the flag belongs to its disk, the folder above it.
  const fs::path disk = fs::canonical(node, ec).parent_path();
  return !ec && readFirstLine(disk / "removable") == "1";
}

std::optional<BootSectorFacts> bootSectorOf(const std::string& device) {
  std::ifstream in(device, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> sector(kBootSectorSize);
  in.read(reinterpret_cast<char*>(sector.data()), static_cast<std::streamsize>(sector.size()));
  if (in.gcount() != static_cast<std::streamsize>(sector.size())) {
    return std::nullopt;
  }
  return readFatBootSector(sector);
}

}  // namespace

std::vector<MountEntry> parseMountTable(const std::string& text) {
  std::vector<MountEntry> entries;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    MountEntry e;
    if (fields >> e.device >> e.mountPoint >> e.type) {
      e.device = unescapeOctal(e.device);
      e.mountPoint = unescapeOctal(e.mountPoint);
      entries.push_back(std::move(e));
    }
  }
  return entries;
}

LinuxVolumeProvider::LinuxVolumeProvider(LinuxVolumeSources sources)
    : sources_(std::move(sources)) {}

std::vector<device::VolumeFacts> LinuxVolumeProvider::fatVolumes() {
  std::ifstream in(sources_.mounts);
  std::stringstream text;
  text << in.rdbuf();

  // Labels by kernel device name.
  std::map<std::string, std::string> labels;
  std::error_code ec;
  for (const auto& link : fs::directory_iterator(sources_.byLabel, ec)) {
    labels[kernelName(link.path().string())] = unescapeHex(link.path().filename().string());
  }

  std::vector<device::VolumeFacts> volumes;
  for (const MountEntry& m : parseMountTable(text.str())) {
    if (!isFatType(m.type)) {
      continue;
    }
    device::VolumeFacts v;
    v.root = m.mountPoint;
    v.name = m.mountPoint;
    const std::string name = kernelName(m.device);
    v.removable = removableFlag(sources_.sysClassBlock, name);
    // vfat serves FAT12, 16 and 32; the boot sector tells them apart when it can be read. The
    // update disk's size rules FAT32 out in any case.
    v.fileSystem = std::string(device::kFatFileSystem);
    const auto boot = bootSectorOf(m.device);
    if (boot) {
      v.fileSystem = boot->fileSystem;
    }
    if (const auto it = labels.find(name); it != labels.end()) {
      v.label = it->second;
    } else if (boot) {
      v.label = boot->label;
    }
    if (const auto space = spaceOf(m.mountPoint)) {
      v.totalBytes = space->total;
    }
    volumes.push_back(std::move(v));
  }
  std::sort(volumes.begin(), volumes.end(),
            [](const auto& a, const auto& b) { return a.root < b.root; });
  return volumes;
}

device::DiskSearch LinuxVolumeProvider::findUpdateDisk() {
  device::DiskSearch search;
  std::set<std::string> mountedDevices;
  for (const device::VolumeFacts& v : fatVolumes()) {
    if (device::isUpdateDisk(v)) {
      search.disk = device::UpdateDisk{v.root, v.name};
      return search;
    }
  }
  // Not mounted (no desktop mounts it automatically): say which device it is.
  std::ifstream in(sources_.mounts);
  std::stringstream text;
  text << in.rdbuf();
  for (const MountEntry& m : parseMountTable(text.str())) {
    mountedDevices.insert(kernelName(m.device));
  }
  const fs::path link = sources_.byLabel / std::string(device::kUpdateDiskLabel);
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(link, ec))) {
    return search;
  }
  const std::string name = kernelName(link.string());
  if (mountedDevices.contains(name) || !removableFlag(sources_.sysClassBlock, name)) {
    return search;
  }
  const std::string device = (sources_.dev / name).string();
  if (const auto boot = bootSectorOf(device);
      boot &&
      (boot->fileSystem != device::kFatFileSystem || boot->dataBytes != device::kUpdateDiskSize)) {
    return search;
  }
  search.unusableDevice = device;
  return search;
}

std::unique_ptr<device::VolumeProvider> makeSystemVolumeProvider() {
  return std::make_unique<LinuxVolumeProvider>();
}

}  // namespace kivprism::platform

#endif
