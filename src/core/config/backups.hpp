// Backups of a controller's configuration, taken before something replaces it (a file opened while
// connected, a restore of defaults, a firmware update), so that the installer can always go back to
// what the car had. Each is a configuration file (*.KST401) in one folder, named after the moment
// and the controller's serial number; the newest ones are kept and the oldest removed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/config_file.hpp"
#include "core/config/image.hpp"

namespace kivprism::config {

// Enough to go back over a few weeks of daily work, small enough (about 34 KB each) to forget.
inline constexpr std::size_t kBackupsKept = 50;

// What a backup's file name says. The name has only letters, digits, '_', '-' and '.', so it is
// valid on every file system: "backup_2026-12-09_18-15-30_sn12345678.KST401", with "_2", "_3", ...
// before the extension for a second backup of the same controller within the same second.
struct BackupName {
  std::tm moment{};  // year, month, day, hour, minute and second are set
  std::uint32_t serialNumber = 0;
  unsigned sequence = 1;
};

std::string backupFileName(const BackupName& name);
// Nothing for a name this program did not give a backup: such a file is never removed.
std::optional<BackupName> parseBackupFileName(std::string_view fileName);

// Of the file names, the backups beyond the newest `keep`, oldest first; other names never.
std::vector<std::string> backupsBeyond(const std::vector<std::string>& fileNames, std::size_t keep);

struct BackupResult {
  std::filesystem::path path;  // the file written; empty on failure
  std::optional<FileError> error;
};

class BackupFolder {
 public:
  // The local time now.
  using Clock = std::function<std::tm()>;

  BackupFolder(std::filesystem::path folder, Clock clock, std::size_t keep = kBackupsKept);

  const std::filesystem::path& folder() const { return folder_; }
  // Creates the folder (and those above it) when missing; the reason when that failed.
  std::optional<std::string> ensureFolder() const;
  // Writes the image as a new backup of the controller and then removes the oldest backups beyond
  // the kept number (never the one just written, even when the clock was set back).
  BackupResult save(const ConfigImage& image, std::uint32_t serialNumber) const;
  // The names of the backups in the folder, oldest first.
  std::vector<std::string> backups() const;

 private:
  void removeOldest(const std::filesystem::path& keepAlways) const;

  std::filesystem::path folder_;
  Clock clock_;
  std::size_t keep_;
};

}  // namespace kivprism::config
