// SpeedButtonUpdateDevice and the window's host of the firmware update.
#include "ui/app/firmware_update_ui.hpp"

#include <QStatusBar>
#include <QToolButton>

#include "core/device/packet.hpp"
#include "platform/volumes.hpp"
#include "ui/app/main_window.hpp"
#include "ui/app/message_box.hpp"
#include "ui/app/qt_text.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"

namespace kivprism::ui {

FirmwareUpdateUi::FirmwareUpdateUi(TMainForm& window) : window_(window) {}

FirmwareUpdateUi::~FirmwareUpdateUi() { delete diskWait_.data(); }

std::string FirmwareUpdateUi::chooseFirmwareFile() {
  const QString fileName = window_.chooseFirmwareToOpen();
  if (fileName.isEmpty()) {
    return {};
  }
  window_.rememberFirmwareFile(fileName);
  return fileName.toStdString();
}

void FirmwareUpdateUi::showError(std::string_view text) {
  window_.messageBox(box::kError, qtText(text));
}

bool FirmwareUpdateUi::askContinue(std::string_view text) {
  return window_.messageBox(box::kWarning, qtText(text)) == box::kYes;
}

void FirmwareUpdateUi::flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                                    std::string_view text) {
  window_.flashMessage(durationMs, blinkMs, qtText(text));
}

void FirmwareUpdateUi::endFlash() { window_.endFlash(); }

std::optional<std::string> FirmwareUpdateUi::backUpConfiguration() {
  return window_.commands().backUpController();
}

void FirmwareUpdateUi::logLine(std::string_view text) { window_.logLine(text); }

void FirmwareUpdateUi::processEvents() { window_.processEvents(); }

void FirmwareUpdateUi::waitMs(std::uint32_t ms) { window_.waitMs(ms); }

bool FirmwareUpdateUi::shuttingDown() const { return window_.shuttingDown(); }

void FirmwareUpdateUi::disableToolbar() { window_.updateToolbar(true); }

void FirmwareUpdateUi::diskWaitProgress(unsigned look, unsigned looks) {
  if (look >= looks) {
    delete diskWait_.data();
    return;
  }
  if (!diskWait_) {
    diskWait_ = new QProgressBar(window_.statusBar());
    diskWait_->setObjectName("ProgressBarUpdateDiskx");
    diskWait_->setTextVisible(false);
    diskWait_->setMaximumWidth(160);
    window_.statusBar()->addPermanentWidget(diskWait_);
  }
  diskWait_->setRange(0, static_cast<int>(looks));
  diskWait_->setValue(static_cast<int>(look));
  diskWait_->show();
}

// The command of the toolbar button. The button itself stays disabled while the command runs, so
// that a second click during the waits cannot start a second update inside the first.
void TMainForm::SpeedButtonUpdateDeviceClick() {
  updateDevice_->setEnabled(false);
  link_->setUserCommand(true);
  updateToolbar(true);
  // A key clicked during the update would be a change for a controller that is restarting.
  keyboard_->setKeyGroupsEnabled(false);
  // The CAN log stops, and its file closes, before the controller restarts.
  stopCanLogQuietly();
  std::unique_ptr<device::VolumeProvider> systemVolumes;
  device::VolumeProvider* volumes = options_.volumes;
  if (volumes == nullptr) {
    systemVolumes = platform::makeSystemVolumeProvider();
    volumes = systemVolumes.get();
  }
  {
    FirmwareUpdateUi host(*this);
    device::FirmwareUpdate update(*link_, *volumes, host);
    update.run();
  }
  keyboard_->setKeyGroupsEnabled(true);
  updateToolbar(false);
  // The next poll reads the configuration of the controller that comes back.
  link_->setInSync(false);
  link_->forgetSerialNumber();
  link_->setUserCommand(false);
  updateDevice_->setEnabled(true);
}

}  // namespace kivprism::ui
