// The update disk on macOS: mounted msdos file systems, their volume name as the label, the
// removable flag from Disk Arbitration.
#if defined(__APPLE__)

#include <CoreFoundation/CoreFoundation.h>
#include <DiskArbitration/DiskArbitration.h>
#include <sys/mount.h>
#include <sys/param.h>
#include <sys/ucred.h>

#include <algorithm>

#include "platform/volumes.hpp"

namespace kivprism::platform {

namespace {

// Removable media and the FAT type and label, as Disk Arbitration knows them.
struct DiskDescription {
  bool removable = false;
  std::string label;
  std::string kind;  // "msdos"; the FAT width is not told apart
};

std::string cfString(CFStringRef text) {
  if (text == nullptr) {
    return {};
  }
  char buffer[256] = {};
  CFStringGetCString(text, buffer, sizeof buffer, kCFStringEncodingUTF8);
  return buffer;
}

std::optional<DiskDescription> describe(const char* bsdDevice) {
  DASessionRef session = DASessionCreate(kCFAllocatorDefault);
  if (session == nullptr) {
    return std::nullopt;
  }
  std::optional<DiskDescription> result;
  if (DADiskRef disk = DADiskCreateFromBSDName(kCFAllocatorDefault, session, bsdDevice)) {
    if (CFDictionaryRef d = DADiskCopyDescription(disk)) {
      DiskDescription out;
      const auto removable =
          static_cast<CFBooleanRef>(CFDictionaryGetValue(d, kDADiskDescriptionMediaRemovableKey));
      const auto ejectable =
          static_cast<CFBooleanRef>(CFDictionaryGetValue(d, kDADiskDescriptionMediaEjectableKey));
      out.removable = (removable != nullptr && CFBooleanGetValue(removable)) ||
                      (ejectable != nullptr && CFBooleanGetValue(ejectable));
      out.label = cfString(
          static_cast<CFStringRef>(CFDictionaryGetValue(d, kDADiskDescriptionVolumeNameKey)));
      out.kind = cfString(
          static_cast<CFStringRef>(CFDictionaryGetValue(d, kDADiskDescriptionVolumeKindKey)));
      result = out;
      CFRelease(d);
    }
    CFRelease(disk);
  }
  CFRelease(session);
  return result;
}

class MacVolumeProvider : public PosixVolumeFiles {
 public:
  device::DiskSearch findUpdateDisk() override {
    struct statfs* mounts = nullptr;
    const int count = getmntinfo(&mounts, MNT_NOWAIT);
    std::vector<device::VolumeFacts> volumes;
    for (int i = 0; i < count; ++i) {
      if (std::string(mounts[i].f_fstypename) != "msdos") {
        continue;
      }
      device::VolumeFacts v;
      v.root = mounts[i].f_mntonname;
      v.name = v.root;
      v.fileSystem = std::string(device::kFatFileSystem);
      if (const auto d = describe(mounts[i].f_mntfromname)) {
        v.removable = d->removable;
        v.label = d->label;
      }
      v.totalBytes = std::uint64_t{mounts[i].f_blocks} * mounts[i].f_bsize;
      volumes.push_back(std::move(v));
    }
    std::sort(volumes.begin(), volumes.end(),
              [](const auto& a, const auto& b) { return a.root < b.root; });
    for (const auto& v : volumes) {
      if (device::isUpdateDisk(v)) {
        return {device::UpdateDisk{v.root, v.name}, {}};
      }
    }
    return {};
  }
};

}  // namespace

std::unique_ptr<device::VolumeProvider> makeSystemVolumeProvider() {
  return std::make_unique<MacVolumeProvider>();
}

}  // namespace kivprism::platform

#endif
