// The toolbar's commands as sequences around the device link: the busy toolbar, the user-command
// flag, the poll suspended around files and boxes, the questions and the error boxes. The shell
// only supplies the file choosers and calls them, so the sequences are tested without a window.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/config/backups.hpp"
#include "core/device/device_link.hpp"

namespace kivprism::device {

// What closing the program now would lose.
enum class ClosingRisk {
  None,
  // The connected controller has not taken every change.
  NotOnController,
  // The controller is away and the changes are in no file either.
  OnlyHere,
};

// How a file command learns its file.
struct FileSteps {
  // Asks the user; nothing when the chooser was cancelled.
  std::function<std::optional<std::filesystem::path>()> choose;
  // Remembers the file for the next chooser (only after it was read or written).
  std::function<void(const std::filesystem::path&)> remember;
};

class ToolbarCommands {
 public:
  explicit ToolbarCommands(DeviceLink& link) : link_(link) {}

  // Runs before a command replaces the controller's configuration (write, defaults): the CAN log
  // closes its file and stops.
  std::function<void()> beforeControllerChange;
  // Every page must redraw from the image.
  std::function<void()> invalidatePages;
  // Runs before the working image goes into a file or to the controller: the keys grid stores its
  // labels, so what leaves is what the grid shows.
  std::function<void()> beforeImageLeaves;
  // An information box; without one the short message in the toolbar panel says it.
  std::function<void(std::string_view)> showInformation;

  // Where the controller's configuration is saved before a command replaces it; none (the
  // command-line tool) saves nothing. Not owned.
  void setBackups(const config::BackupFolder* backups) { backups_ = backups; }
  // Saves the connected controller's configuration (the device copy) as a backup. Its file name;
  // empty when not connected, or when it could not be written and the user goes on without one;
  // nothing when the user stops there (the command must then change nothing).
  std::optional<std::string> backUpController();
  // Whether the last restoreDefaults sent the command (the user said Yes, to the backup too).
  bool defaultsSent() const { return defaultsSent_; }
  // The file name of the last backup written; empty before the first.
  const std::string& lastBackup() const { return lastBackup_; }

  // Loads a configuration file into the working image; while connected the controller's
  // configuration is backed up first and the next change sending delivers what differs. True when
  // a file was read.
  bool openConfigFile(const FileSteps& steps);
  // Saves the working image; true when a file was written.
  bool saveConfigFile(const FileSteps& steps);
  DeviceStatus readDevice();
  // Asks first; writes the whole image and resets the controller.
  DeviceStatus writeDevice();
  // Restores the controller's defaults (the link asks first, then the configuration is backed up);
  // the next poll reads them.
  DeviceStatus restoreDefaults();
  // Restarts the controller; the next poll reads its configuration again.
  DeviceStatus reset();

  // Nothing is at risk when the controller holds every change or the working image is the last
  // configuration file opened or saved.
  ClosingRisk closingRisk() const;
  // The question closing asks; empty for ClosingRisk::None.
  std::string closingQuestion() const;

 private:
  void beginUserCommand();
  void endUserCommand();
  void showError(std::string_view text);
  void reportFailure(const lang::TextPair& text, DeviceStatus status);
  void flashNotice(const lang::TextPair& text);
  void controllerChanges();
  void imageLeaves();

  DeviceLink& link_;
  // The working image as it was last read from or written to a file.
  std::optional<config::ConfigImage> fileImage_;
  const config::BackupFolder* backups_ = nullptr;
  std::string lastBackup_;
  bool defaultsSent_ = false;
};

}  // namespace kivprism::device
