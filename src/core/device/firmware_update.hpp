// The firmware update command: checks a firmware file against the controller, starts the
// controller's boot loader, waits for the update disk it presents, empties the disk and copies the
// file onto it. The boot loader then programs the controller on its own.
//
// The procedure talks to the controller through the device link, to the disk through a
// VolumeProvider, and to the user through FirmwareUpdateHost, so the window, the command-line tool
// and the tests run the same steps.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/device/device_info.hpp"
#include "core/device/device_link.hpp"
#include "core/device/firmware_file.hpp"
#include "core/device/volume_provider.hpp"
#include "core/lang/text.hpp"
#include "core/shell/shell_services.hpp"

namespace kivprism::device {

// What the update needs from the application around it. Everything runs on the one user-interface
// thread; waits handle pending events.
class FirmwareUpdateHost {
 public:
  virtual ~FirmwareUpdateHost() = default;

  // The firmware file to install (full name); empty when the user cancelled. The host remembers
  // the choice for the next time.
  virtual std::string chooseFirmwareFile() = 0;
  // A line of the program's own in the monitoring log.
  virtual void logLine(std::string_view text) = 0;
  // The wait for the update disk: `look` of `looks` done; called with look == looks when it ends.
  virtual void diskWaitProgress(unsigned look, unsigned looks) = 0;
  // Runs once the file is accepted and before the boot loader starts: saves the controller's
  // configuration. The backup's file name (empty for none); nothing stops the update there. Hosts
  // that keep no backups (the command-line tool) go on without one.
  virtual std::optional<std::string> backUpConfiguration() { return std::string(); }
};

enum class UpdateResult {
  Updated,    // the file is on the update disk
  Cancelled,  // no file chosen
  Refused,    // the file failed a check, or the user answered No
  Failed,     // the controller or the disk failed; an error box said why
};

// The update's texts, in the order the command uses them.
namespace firmware_texts {
using lang::TextPair;
inline constexpr TextPair kReadDeviceInfoError{"Ошибка чтения конфигурации устройства\n%s",
                                               "Error reading the device configuration\n%s"};
inline constexpr TextPair kChooseFirmwareFile{"Выбор файла обновления прошивки устройства",
                                              "The choice of device firmware update file"};
inline constexpr TextPair kOpenError{"Ошибка открытия файла \"%s%s\"",
                                     "Error opening file \"%s%s\""};
inline constexpr TextPair kSizeError{"Ошибка размера файла \"%s%s\"", "Error file size \"%s%s\""};
inline constexpr TextPair kReadError{"Ошибка чтения файла \"%s%s\"", "Error reading file \"%s%s\""};
inline constexpr TextPair kFileError{"Ошибка файла \"%s%s\"", "Error in file \"%s%s\""};
inline constexpr TextPair kUpdateHeader{"*************** Обновление ****************",
                                        "****************** Update *****************"};
inline constexpr TextPair kUpdateFileLine{"Файл обновления   \"%s%s\"",
                                          "The update file           \"%s%s\""};
inline constexpr TextPair kUpdateVersionLine{"Версия приложения %u.%02u",
                                             "Application version       %u.%02u"};
inline constexpr TextPair kWrongDevice{"Это обновление не для данного устройства",
                                       "This update is not for this device"};
inline constexpr TextPair kSameVersion{
    "Вы пытаетесь загрузить такую же версию как и в устройстве\nПродолжаем?",
    "Are you trying to download the same version as in the device\nContinue?"};
inline constexpr TextPair kOlderVersion{
    "Вы пытаетесь загрузить более старую версию, чем в устройстве\nПродолжаем?",
    "Are you trying to download an older version than the device\nContinue?"};
inline constexpr TextPair kRunBootLoader{"Запуск boot loader", "Run bootloader"};
inline constexpr TextPair kWaitForDisk{"Ждем появления USB диска", "Wait for USB drive"};
inline constexpr TextPair kUpdateFailed{"Ошибка обновления прошивки\n",
                                        "Failed to update the firmware\n"};
// Added to the failure when a disk labelled UPDATE is present but not mounted.
inline constexpr TextPair kDiskNotMounted{
    "Диск UPDATE (%s) найден, но не подключён.\nПодключите его, например: udisksctl mount -b %s",
    "The UPDATE disk (%s) is present but not mounted.\nMount it, for example: udisksctl mount -b "
    "%s"};
inline constexpr TextPair kDeleting{"Удаляем: %s", "Deleting: %s"};
inline constexpr TextPair kNoFileInfo{
    "Ошибка обновления прошивки\nНе могу получить информацию о файле:\n%s",
    "Failed to update the firmware\nUnable to get file information:\n%s"};
inline constexpr TextPair kNoChangeMode{
    "Ошибка обновления прошивки\nНе могу изменить атрибут:\n%s",
    "Failed to update the firmware\nUnable to change mode:\n%s"};
inline constexpr TextPair kDeleteDirectoryError{
    "Ошибка обновления прошивки\nНе могу удалить директорию:\n%s",
    "Failed to update the firmware\nError deleting directory:\n%s"};
inline constexpr TextPair kDeleteFileError{
    "Ошибка обновления прошивки\nНе могу удалить файл:\n%s",
    "Failed to update the firmware\nError deleting file:\n%s"};
// The disk is named by its drive letter, or by its mount point where there are no letters.
inline constexpr TextPair kCleanDiskError{"Ошибка обновления прошивки\nНе могу очистить диск: %s\n",
                                          "Failed to update the firmware\nError clean disk: %s\n"};
inline constexpr TextPair kWriting{"Запись: %s", "Write: %s"};
inline constexpr TextPair kCreateFileError{
    "Ошибка обновления прошивки\nОшибка создания файла \"%s\"",
    "Failed to update the firmware\nError create file \"%s\""};
inline constexpr TextPair kWriteFileError{
    "Ошибка обновления прошивки\nОшибка записи файла \"%s\"",
    "Failed to update the firmware\nError writing file \"%s\""};
inline constexpr TextPair kUpdated{"Устройство обновлено до версии %u.%02u",
                                   "The device is updated to version %u.%02u"};
}  // namespace firmware_texts

class FirmwareUpdate {
 public:
  // The wait for the update disk: this many looks, this far apart (about 20 s).
  static constexpr unsigned kDiskLooks = 200;
  static constexpr std::uint32_t kDiskLookIntervalMs = 100;
  // The disk is given a moment after it appears before its files are touched.
  static constexpr std::uint32_t kDiskSettleMs = 500;
  static constexpr std::uint32_t kBootLoaderFlashMs = 10000;
  static constexpr std::uint32_t kDiskWaitFlashMs = 20000;
  static constexpr std::uint32_t kStepFlashMs = 3000;
  static constexpr std::uint32_t kBlinkMs = 250;

  FirmwareUpdate(DeviceLink& link, VolumeProvider& volumes, shell::ShellServices& shell,
                 FirmwareUpdateHost& host);

  // The whole command: find the disk or read the controller, choose and check a file, install it.
  UpdateResult run();
  // True when the file may be installed. With the update disk present there is no controller to
  // compare with: only size and checksum count.
  bool checkFirmwareFile(const std::filesystem::path& path, bool diskPresent);
  // Starts the boot loader when there is no disk yet, then empties the disk and copies the file.
  UpdateResult installFirmware(std::optional<UpdateDisk> disk);

  const FirmwareFile& file() const { return file_; }
  const DeviceInfo& deviceInfo() const { return deviceInfo_; }
  // The backup made before the boot loader started; empty for none.
  const std::string& backup() const { return backup_; }
  // The version the controller was updated to (after Updated).
  std::uint32_t installedVersion() const { return file_.header.applicationVersion; }

 private:
  bool refuse(const lang::TextPair& text);
  UpdateResult fail(std::string_view text);
  std::optional<UpdateDisk> waitForDisk();
  bool emptyDisk(const UpdateDisk& disk);
  bool removeEntry(const DiskEntry& entry);

  DeviceLink& link_;
  VolumeProvider& volumes_;
  shell::ShellServices& shell_;
  FirmwareUpdateHost& host_;
  FirmwareFile file_;
  DeviceInfo deviceInfo_;
  std::string backup_;
};

}  // namespace kivprism::device
