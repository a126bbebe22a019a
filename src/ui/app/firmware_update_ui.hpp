// The window's side of the firmware update beyond the shell's services: the file chooser, the
// log lines on the monitoring page, the backup before the boot loader starts, and a gauge in the
// status bar while the update disk is awaited.
#pragma once

#include <QPointer>
#include <QProgressBar>
#include <functional>

#include "core/device/firmware_update.hpp"

class QStatusBar;

namespace kivprism::device {
class ToolbarCommands;
}

namespace kivprism::ui {

class TerminalPage;

class FirmwareUpdateUi : public device::FirmwareUpdateHost {
 public:
  // chooseFile: the chosen firmware file (remembered for the next time), empty when cancelled.
  FirmwareUpdateUi(QStatusBar& statusBar, device::ToolbarCommands& commands, TerminalPage& terminal,
                   std::function<std::string()> chooseFile);
  ~FirmwareUpdateUi() override;
  FirmwareUpdateUi(const FirmwareUpdateUi&) = delete;
  FirmwareUpdateUi& operator=(const FirmwareUpdateUi&) = delete;

  std::string chooseFirmwareFile() override;
  void logLine(std::string_view text) override;
  void diskWaitProgress(unsigned look, unsigned looks) override;
  std::optional<std::string> backUpConfiguration() override;

 private:
  QStatusBar& statusBar_;
  device::ToolbarCommands& commands_;
  TerminalPage& terminal_;
  std::function<std::string()> chooseFile_;
  // The gauge of the wait for the disk, in the status bar; gone with the command.
  QPointer<QProgressBar> diskWait_;
};

}  // namespace kivprism::ui
