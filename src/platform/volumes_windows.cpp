// The update disk on Windows: drive letters A to Z, removable drives only, with the volume label,
// the file system name and the size the volume functions report.
#if defined(_WIN32)

#include <windows.h>

#include <algorithm>

#include "platform/volumes.hpp"

namespace kivprism::platform {

namespace {

constexpr DWORD kFourAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

class WindowsVolumeProvider : public device::VolumeProvider {
 public:
  device::DiskSearch findUpdateDisk() override {
    const DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
      if ((drives & (DWORD{1} << i)) == 0) {
        continue;
      }
      const char letter = static_cast<char>('A' + i);
      const std::string root = std::string(1, letter) + ":\\";
      device::VolumeFacts v;
      v.root = root;
      v.name = std::string(1, letter);
      v.removable = GetDriveTypeA(root.c_str()) == DRIVE_REMOVABLE;
      if (!v.removable) {
        continue;
      }
      char label[MAX_PATH + 1] = {};
      char fileSystem[MAX_PATH + 1] = {};
      if (!GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                                 fileSystem, sizeof fileSystem)) {
        continue;
      }
      v.label = label;
      v.fileSystem = fileSystem;
      if (const auto space = diskSpace({root, v.name})) {
        v.totalBytes = space->total;
      }
      if (device::isUpdateDisk(v)) {
        return {device::UpdateDisk{v.root, v.name}, {}};
      }
    }
    return {};
  }

  std::optional<device::DiskSpace> diskSpace(const device::UpdateDisk& disk) override {
    ULARGE_INTEGER available{};
    ULARGE_INTEGER totalBytes{};
    ULARGE_INTEGER freeBytes{};
    if (!GetDiskFreeSpaceExA(disk.root.c_str(), &available, &totalBytes, &freeBytes)) {
      return std::nullopt;
    }
    return device::DiskSpace{totalBytes.QuadPart, freeBytes.QuadPart};
  }

  std::vector<device::DiskEntry> listRoot(const device::UpdateDisk& disk) override {
    std::vector<device::DiskEntry> entries;
    WIN32_FIND_DATAA data{};
    const std::string pattern = disk.root + "*.*";
    HANDLE find = FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
      return entries;
    }
    do {
      const std::string name = data.cFileName;
      if (name != "." && name != "..") {
        entries.push_back({name, disk.root + name});
      }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return entries;
  }

  std::optional<device::EntryAttributes> attributes(const std::string& path) override {
    const DWORD bits = GetFileAttributesA(path.c_str());
    if (bits == INVALID_FILE_ATTRIBUTES) {
      return std::nullopt;
    }
    device::EntryAttributes a;
    a.directory = (bits & FILE_ATTRIBUTE_DIRECTORY) != 0;
    a.readOnly = (bits & FILE_ATTRIBUTE_READONLY) != 0;
    a.hidden = (bits & FILE_ATTRIBUTE_HIDDEN) != 0;
    a.system = (bits & FILE_ATTRIBUTE_SYSTEM) != 0;
    a.archive = (bits & FILE_ATTRIBUTE_ARCHIVE) != 0;
    return a;
  }

  bool clearAttributes(const std::string& path) override {
    const DWORD bits = GetFileAttributesA(path.c_str());
    return bits != INVALID_FILE_ATTRIBUTES &&
           SetFileAttributesA(path.c_str(), bits & ~kFourAttributes) != 0;
  }

  bool removeDirectory(const std::string& path) override {
    // The update disk is emptied whole: a folder goes with what it holds.
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA((path + "\\*.*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") {
          continue;
        }
        const std::string inner = path + "\\" + name;
        SetFileAttributesA(inner.c_str(), data.dwFileAttributes & ~kFourAttributes);
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
          removeDirectory(inner);
        } else {
          DeleteFileA(inner.c_str());
        }
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
    return RemoveDirectoryA(path.c_str()) != 0;
  }

  bool removeFile(const std::string& path) override { return DeleteFileA(path.c_str()) != 0; }

  std::string targetPath(const device::UpdateDisk& disk, std::string_view fileName) override {
    return disk.root + std::string(fileName);
  }

  bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 std::size_t& written) override {
    written = 0;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      return false;
    }
    DWORD n = 0;
    if (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr)) {
      written = n;
    }
    if (!FlushFileBuffers(file)) {
      written = 0;
    }
    CloseHandle(file);
    return true;
  }
};

}  // namespace

std::unique_ptr<device::VolumeProvider> makeSystemVolumeProvider() {
  return std::make_unique<WindowsVolumeProvider>();
}

}  // namespace kivprism::platform

#endif
