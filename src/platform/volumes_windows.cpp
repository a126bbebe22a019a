// The update disk on Windows: the drives the system lists, removable drives only, with the volume
// label, the file system name and the size the volume functions report. Every call is the wide
// one; names and labels meet the program's UTF-8 in platform/wide_text.hpp only.
#if defined(_WIN32)

#include <windows.h>

#include <algorithm>

#include "platform/volumes.hpp"
#include "platform/wide_text.hpp"

namespace kivprism::platform {

namespace {

constexpr DWORD kFourAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                  FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

bool isDotEntry(const wchar_t* name) {
  return std::wstring_view(name) == L"." || std::wstring_view(name) == L"..";
}

// "U:\" from "U:\", "U:" or "U".
std::wstring rootOf(const std::string& root) {
  std::wstring wide = widen(root);
  if (wide.size() == 1) {
    wide += L':';
  }
  if (!wide.empty() && wide.back() != L'\\') {
    wide += L'\\';
  }
  return wide;
}

class WindowsVolumeProvider : public device::VolumeProvider {
 public:
  device::DiskSearch findUpdateDisk() override {
    for (const device::VolumeFacts& v : windowsVolumes()) {
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
    if (!GetDiskFreeSpaceExW(rootOf(disk.root).c_str(), &available, &totalBytes, &freeBytes)) {
      return std::nullopt;
    }
    return device::DiskSpace{totalBytes.QuadPart, freeBytes.QuadPart};
  }

  std::vector<device::DiskEntry> listRoot(const device::UpdateDisk& disk) override {
    std::vector<device::DiskEntry> entries;
    WIN32_FIND_DATAW data{};
    const std::wstring root = rootOf(disk.root);
    HANDLE find = FindFirstFileW((root + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
      return entries;
    }
    do {
      if (!isDotEntry(data.cFileName)) {
        const std::string name = narrow(data.cFileName);
        entries.push_back({name, narrow(root) + name});
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    return entries;
  }

  std::optional<device::EntryAttributes> attributes(const std::string& path) override {
    const DWORD bits = GetFileAttributesW(widen(path).c_str());
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
    const std::wstring wide = widen(path);
    const DWORD bits = GetFileAttributesW(wide.c_str());
    return bits != INVALID_FILE_ATTRIBUTES &&
           SetFileAttributesW(wide.c_str(), bits & ~kFourAttributes) != 0;
  }

  bool removeDirectory(const std::string& path) override { return removeTree(widen(path)); }

  bool removeFile(const std::string& path) override {
    return DeleteFileW(widen(path).c_str()) != 0;
  }

  std::string targetPath(const device::UpdateDisk& disk, std::string_view fileName) override {
    return narrow(rootOf(disk.root)) + std::string(fileName);
  }

  bool writeFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 std::size_t& written) override {
    written = 0;
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      return false;
    }
    // In pieces, so that a disk that goes away midway reports how far the copy got.
    constexpr std::size_t kPiece = 64 * 1024;
    while (written < bytes.size()) {
      const auto piece = static_cast<DWORD>(std::min(kPiece, bytes.size() - written));
      DWORD n = 0;
      if (!WriteFile(file, bytes.data() + written, piece, &n, nullptr) || n == 0) {
        break;
      }
      written += n;
    }
    // The boot loader takes the disk away right after the copy: the data must be on it.
    if (!FlushFileBuffers(file)) {
      written = 0;
    }
    CloseHandle(file);
    return true;
  }

 private:
  static bool removeTree(const std::wstring& path) {
    // The update disk is emptied whole: a folder goes with what it holds.
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        if (isDotEntry(data.cFileName)) {
          continue;
        }
        const std::wstring inner = path + L"\\" + data.cFileName;
        SetFileAttributesW(inner.c_str(), data.dwFileAttributes & ~kFourAttributes);
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
          removeTree(inner);
        } else {
          DeleteFileW(inner.c_str());
        }
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    return RemoveDirectoryW(path.c_str()) != 0;
  }
};

}  // namespace

std::vector<device::VolumeFacts> windowsVolumes() {
  std::vector<device::VolumeFacts> volumes;
  const DWORD needed = GetLogicalDriveStringsW(0, nullptr);
  if (needed == 0) {
    return volumes;
  }
  std::wstring roots(needed + 1, L'\0');
  const DWORD length = GetLogicalDriveStringsW(needed, roots.data());
  roots.resize(std::min<std::size_t>(length, roots.size()));
  // "A:\", "C:\", ... each ended by a NUL; they come in letter order.
  for (std::size_t at = 0; at < roots.size();) {
    const std::size_t end = roots.find(L'\0', at);
    const std::wstring root = roots.substr(at, end == std::wstring::npos ? end : end - at);
    at = end == std::wstring::npos ? roots.size() : end + 1;
    if (root.empty()) {
      continue;
    }
    device::VolumeFacts v;
    v.root = narrow(root);
    v.name = narrow(root.substr(0, 1));
    v.removable = GetDriveTypeW(root.c_str()) == DRIVE_REMOVABLE;
    if (!v.removable) {
      volumes.push_back(v);
      continue;
    }
    wchar_t label[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    if (GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                              fileSystem, MAX_PATH + 1)) {
      v.label = narrow(label);
      v.fileSystem = narrow(fileSystem);
    }
    ULARGE_INTEGER available{};
    ULARGE_INTEGER totalBytes{};
    ULARGE_INTEGER freeBytes{};
    if (GetDiskFreeSpaceExW(root.c_str(), &available, &totalBytes, &freeBytes)) {
      v.totalBytes = totalBytes.QuadPart;
    }
    volumes.push_back(v);
  }
  return volumes;
}

std::unique_ptr<device::VolumeProvider> makeSystemVolumeProvider() {
  return std::make_unique<WindowsVolumeProvider>();
}

}  // namespace kivprism::platform

#endif
