#include "core/device/volume_provider.hpp"

namespace kivprism::device {

bool isUpdateDisk(const VolumeFacts& volume) {
  return volume.removable && volume.label == kUpdateDiskLabel &&
         volume.fileSystem == kFatFileSystem && volume.totalBytes == kUpdateDiskSize;
}

}  // namespace kivprism::device
