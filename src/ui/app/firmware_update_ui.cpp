// SpeedButtonUpdateDevice and the window's host of the firmware update.
#include "ui/app/firmware_update_ui.hpp"

#include <QMainWindow>
#include <QStatusBar>
#include <QToolButton>

#include "core/device/device_link.hpp"
#include "core/device/packet.hpp"
#include "core/device/volume_provider.hpp"
#include "platform/volumes.hpp"
#include "ui/app/file_choosers.hpp"
#include "ui/app/window_pages.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/app/window_toolbar.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/monitor/can_log_page.hpp"
#include "ui/monitor/terminal_page.hpp"

namespace kivprism::ui {

FirmwareUpdateUi::FirmwareUpdateUi(QStatusBar& statusBar, device::ToolbarCommands& commands,
                                   TerminalPage& terminal, std::function<std::string()> chooseFile)
    : statusBar_(statusBar),
      commands_(commands),
      terminal_(terminal),
      chooseFile_(std::move(chooseFile)) {}

FirmwareUpdateUi::~FirmwareUpdateUi() { delete diskWait_.data(); }

std::string FirmwareUpdateUi::chooseFirmwareFile() { return chooseFile_(); }

std::optional<std::string> FirmwareUpdateUi::backUpConfiguration() {
  return commands_.backUpController();
}

void FirmwareUpdateUi::logLine(std::string_view text) { terminal_.logLine(qtText(text)); }

void FirmwareUpdateUi::diskWaitProgress(unsigned look, unsigned looks) {
  if (look >= looks) {
    delete diskWait_.data();
    return;
  }
  if (!diskWait_) {
    diskWait_ = new QProgressBar(&statusBar_);
    diskWait_->setObjectName("ProgressBarUpdateDiskx");
    diskWait_->setTextVisible(false);
    diskWait_->setMaximumWidth(160);
    statusBar_.addPermanentWidget(diskWait_);
  }
  diskWait_->setRange(0, static_cast<int>(looks));
  diskWait_->setValue(static_cast<int>(look));
  diskWait_->show();
}

// The command of the toolbar button. The button itself stays disabled while the command runs, so
// that a second click during the waits cannot start a second update inside the first.
void WindowToolbar::SpeedButtonUpdateDeviceClick() {
  buttons_.updateDevice->setEnabled(false);
  link_.setUserCommand(true);
  updateToolbar(true);
  // A key clicked during the update would be a change for a controller that is restarting.
  pages_.keyboard->setKeyGroupsEnabled(false);
  // The CAN log stops, and its file closes, before the controller restarts.
  pages_.canLogPage->stopSilently();
  std::unique_ptr<device::VolumeProvider> systemVolumes;
  device::VolumeProvider* volumes = hooks_.volumes;
  if (volumes == nullptr) {
    systemVolumes = platform::makeSystemVolumeProvider();
    volumes = systemVolumes.get();
  }
  {
    FirmwareUpdateUi host(*window_.statusBar(), commands_, *pages_.terminal, [this] {
      const QString fileName = files_.choose(FileChooser::FirmwareToOpen);
      if (fileName.isEmpty()) {
        return std::string();
      }
      files_.remember(FileChooser::FirmwareToOpen, fileName);
      return fileName.toStdString();
    });
    device::FirmwareUpdate update(link_, *volumes, shell_, host);
    update.run();
  }
  pages_.keyboard->setKeyGroupsEnabled(true);
  updateToolbar(false);
  // The next poll reads the configuration of the controller that comes back.
  link_.setInSync(false);
  link_.forgetSerialNumber();
  link_.setUserCommand(false);
  buttons_.updateDevice->setEnabled(true);
}

}  // namespace kivprism::ui
