#include "core/device/firmware_update.hpp"

#include <algorithm>
#include <array>

#include "core/device/packet.hpp"
#include "core/lang/backup_texts.hpp"

namespace kivprism::device {

namespace texts = firmware_texts;
using lang::formatText;
using lang::translateText;

FirmwareUpdate::FirmwareUpdate(DeviceLink& link, VolumeProvider& volumes,
                               shell::ShellServices& shell, FirmwareUpdateHost& host)
    : link_(link), volumes_(volumes), shell_(shell), host_(host) {}

UpdateResult FirmwareUpdate::run() {
  const DiskSearch search = volumes_.findUpdateDisk();
  if (!search.disk) {
    // No disk: the controller must be running its application.
    const DeviceStatus result = link_.readDeviceInfo(deviceInfo_);
    if (result != status::kOk) {
      return fail(
          formatText(translateText(texts::kReadDeviceInfoError), statusText(result).c_str()));
    }
  }
  const std::string chosen = host_.chooseFirmwareFile();
  if (chosen.empty()) {
    return UpdateResult::Cancelled;
  }
  if (!checkFirmwareFile(pathFromUtf8(chosen), search.disk.has_value())) {
    return UpdateResult::Refused;
  }
  // A controller in its boot loader (the disk is there) has no configuration to read.
  if (!search.disk) {
    const auto backup = host_.backUpConfiguration();
    if (!backup) {
      return UpdateResult::Refused;
    }
    backup_ = *backup;
  }
  return installFirmware(search.disk);
}

bool FirmwareUpdate::refuse(const lang::TextPair& text) {
  const auto [stem, extension] = splitDisplayName(file_.displayName);
  shell_.showError(formatText(translateText(text), stem.c_str(), extension.c_str()));
  return false;
}

UpdateResult FirmwareUpdate::fail(std::string_view text) {
  shell_.showError(text);
  return UpdateResult::Failed;
}

bool FirmwareUpdate::checkFirmwareFile(const std::filesystem::path& path, bool diskPresent) {
  switch (readFirmwareFile(path, file_)) {
    case FirmwareFileError::OpenFailed:
      return refuse(texts::kOpenError);
    case FirmwareFileError::TooLarge:
      return refuse(texts::kSizeError);
    case FirmwareFileError::ReadFailed:
      return refuse(texts::kReadError);
    case FirmwareFileError::BadChecksum:
      return refuse(texts::kFileError);
    case FirmwareFileError::None:
      break;
  }
  const auto [stem, extension] = splitDisplayName(file_.displayName);
  const VersionParts version = versionParts(file_.header.applicationVersion);
  host_.logLine(translateText(texts::kUpdateHeader));
  host_.logLine(formatText(translateText(texts::kUpdateFileLine), stem.c_str(), extension.c_str()));
  host_.logLine(
      formatText(translateText(texts::kUpdateVersionLine), version.whole, version.hundredths));
  if (diskPresent) {
    return true;
  }
  if (file_.header.deviceType != deviceInfo_.deviceType) {
    shell_.showError(translateText(texts::kWrongDevice));
    return false;
  }
  switch (compareVersions(file_.header.applicationVersion, deviceInfo_.applicationVersion)) {
    case VersionOrder::Newer:
      return true;
    case VersionOrder::Same:
      return shell_.askContinue(translateText(texts::kSameVersion));
    case VersionOrder::Older:
      return shell_.askContinue(translateText(texts::kOlderVersion));
  }
  return false;
}

std::optional<UpdateDisk> FirmwareUpdate::waitForDisk() {
  DiskSearch search = volumes_.findUpdateDisk();
  unsigned looks = 1;
  host_.diskWaitProgress(looks, kDiskLooks);
  while (!search.disk && looks < kDiskLooks && !shell_.shuttingDown()) {
    shell_.waitMs(kDiskLookIntervalMs);
    if (shell_.shuttingDown()) {
      break;
    }
    search = volumes_.findUpdateDisk();
    ++looks;
    host_.diskWaitProgress(looks, kDiskLooks);
  }
  host_.diskWaitProgress(kDiskLooks, kDiskLooks);
  if (search.disk && !shell_.shuttingDown()) {
    return search.disk;
  }
  shell_.endFlash();
  std::string text(translateText(texts::kUpdateFailed));
  if (!search.unusableDevice.empty()) {
    text += formatText(translateText(texts::kDiskNotMounted), search.unusableDevice.c_str(),
                       search.unusableDevice.c_str());
  }
  shell_.showError(text);
  link_.clearConnected();
  return std::nullopt;
}

UpdateResult FirmwareUpdate::installFirmware(std::optional<UpdateDisk> disk) {
  shell_.updateToolbar(true);
  if (!disk) {
    shell_.flashMessage(kBootLoaderFlashMs, 0, translateText(texts::kRunBootLoader));
    // The boot-loader start carries the file's first bytes; a shorter file is padded with zeros.
    std::array<std::uint8_t, kBootLoaderStartSize> start{};
    std::copy_n(file_.bytes.begin(), std::min(file_.bytes.size(), start.size()), start.begin());
    // The controller restarts at once, so the answer is not examined.
    (void)link_.writeArea(area::kBootLoader, 0, start);
    shell_.flashMessage(kDiskWaitFlashMs, kBlinkMs, translateText(texts::kWaitForDisk));
    disk = waitForDisk();
    if (!disk) {
      return UpdateResult::Failed;
    }
  }
  shell_.waitMs(kDiskSettleMs);
  if (!emptyDisk(*disk)) {
    return UpdateResult::Failed;
  }
  const std::string target = volumes_.targetPath(*disk, file_.displayName);
  shell_.flashMessage(kStepFlashMs, 0, formatText(translateText(texts::kWriting), target.c_str()));
  shell_.processEvents();
  std::size_t written = 0;
  if (!volumes_.writeFile(target, file_.bytes, written)) {
    return fail(formatText(translateText(texts::kCreateFileError), target.c_str()));
  }
  if (written < file_.bytes.size()) {
    return fail(formatText(translateText(texts::kWriteFileError), target.c_str()));
  }
  const VersionParts version = versionParts(file_.header.applicationVersion);
  shell_.flashMessage(
      kStepFlashMs, kBlinkMs,
      backup_.empty()
          ? formatText(translateText(texts::kUpdated), version.whole, version.hundredths)
          : formatText(translateText(lang::backup::kUpdatedBackedUp), version.whole,
                       version.hundredths, backup_.c_str()));
  shell_.processEvents();
  return UpdateResult::Updated;
}

bool FirmwareUpdate::emptyDisk(const UpdateDisk& disk) {
  const std::optional<DiskSpace> before = volumes_.diskSpace(disk);
  if (!before || before->free != before->total) {
    for (const DiskEntry& entry : volumes_.listRoot(disk)) {
      if (!removeEntry(entry)) {
        return false;
      }
    }
  }
  const std::optional<DiskSpace> after = volumes_.diskSpace(disk);
  if (!after || after->free != after->total) {
    fail(formatText(translateText(texts::kCleanDiskError), disk.name.c_str()));
    return false;
  }
  return true;
}

bool FirmwareUpdate::removeEntry(const DiskEntry& entry) {
  const char* path = entry.path.c_str();
  shell_.flashMessage(kStepFlashMs, 0, formatText(translateText(texts::kDeleting), path));
  shell_.processEvents();
  const std::optional<EntryAttributes> attributes = volumes_.attributes(entry.path);
  if (!attributes) {
    fail(formatText(translateText(texts::kNoFileInfo), path));
    return false;
  }
  if (attributes->anyOfFour() && !volumes_.clearAttributes(entry.path)) {
    fail(formatText(translateText(texts::kNoChangeMode), path));
    return false;
  }
  if (attributes->directory) {
    if (!volumes_.removeDirectory(entry.path)) {
      fail(formatText(translateText(texts::kDeleteDirectoryError), path));
      return false;
    }
  } else if (!volumes_.removeFile(entry.path)) {
    fail(formatText(translateText(texts::kDeleteFileError), path));
    return false;
  }
  return true;
}

}  // namespace kivprism::device
