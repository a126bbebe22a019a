// The window's side of the firmware update: boxes, short messages and the log through the main
// window, the file chooser, and a gauge in the status bar while the update disk is awaited.
#pragma once

#include <QPointer>
#include <QProgressBar>

#include "core/device/firmware_update.hpp"

namespace kivprism::ui {

class TMainForm;

class FirmwareUpdateUi : public device::FirmwareUpdateHost {
 public:
  explicit FirmwareUpdateUi(TMainForm& window);
  ~FirmwareUpdateUi() override;
  FirmwareUpdateUi(const FirmwareUpdateUi&) = delete;
  FirmwareUpdateUi& operator=(const FirmwareUpdateUi&) = delete;

  std::string chooseFirmwareFile() override;
  void showError(std::string_view text) override;
  bool askContinue(std::string_view text) override;
  void flashMessage(std::uint32_t durationMs, std::uint32_t blinkMs,
                    std::string_view text) override;
  void endFlash() override;
  void logLine(std::string_view text) override;
  void processEvents() override;
  void waitMs(std::uint32_t ms) override;
  bool shuttingDown() const override;
  void disableToolbar() override;
  void diskWaitProgress(unsigned look, unsigned looks) override;
  std::optional<std::string> backUpConfiguration() override;

 private:
  TMainForm& window_;
  // The gauge of the wait for the disk, in the status bar; gone with the command.
  QPointer<QProgressBar> diskWait_;
};

}  // namespace kivprism::ui
