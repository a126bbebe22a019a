// The main window's toolbar: the buttons of the commands on files and on the controller, undo and
// redo, the only-used and language switches and the message panel. Its handlers store a value
// typed and not yet confirmed first, and name the steps of the edit history.
#pragma once

#include <QObject>
#include <functional>

#include "core/device/commands.hpp"
#include "core/lang/language.hpp"

class QMainWindow;
class QToolBar;
class QToolButton;

namespace kivprism::device {
class DeviceLink;
class VolumeProvider;
}  // namespace kivprism::device

namespace kivprism::ui {

class FileChoosers;
class WindowShell;
struct WindowPages;

class WindowToolbar : public QObject {
 public:
  struct Hooks {
    // The only-used switch was clicked.
    std::function<void()> toggleOnlyUsed;
    // 0 Russian, 1 English.
    std::function<void(int index)> applyLanguage;
    // The volumes the firmware update looks for the update disk on; empty: the system's.
    device::VolumeProvider* volumes = nullptr;
  };
  struct Buttons {
    QToolButton* updateDevice = nullptr;
    QToolButton* readConfig = nullptr;
    QToolButton* writeConfig = nullptr;
    QToolButton* readDevice = nullptr;
    QToolButton* writeDevice = nullptr;
    QToolButton* toDefault = nullptr;
    QToolButton* reset = nullptr;
    QToolButton* onlyUsedx = nullptr;
    QToolButton* langx = nullptr;
    QToolButton* languageMakerx = nullptr;
  };

  // Adds the toolbar to the window and makes the message panel (pages.panelMenu); the undo and
  // redo buttons are the edit history's, which must exist.
  WindowToolbar(QMainWindow& window, WindowShell& shell, device::DeviceLink& link,
                device::ToolbarCommands& commands, FileChoosers& files, WindowPages& pages,
                Hooks hooks);

  // Enables the buttons from the busy state, a running set-up and the connection.
  void updateToolbar(bool busy);
  // A set-up procedure started or ended: only its own button stays usable meanwhile.
  void procedureRunningChanged(bool running);
  bool procedureRunning() const { return procedureRunning_; }
  // The firmware update (src/ui/app/firmware_update_ui.cpp).
  void SpeedButtonUpdateDeviceClick();
  void SpeedButtonReadConfigClick();
  void SpeedButtonWriteConfigClick();
  void SpeedButtonReadDeviceClick();
  void SpeedButtonWriteDeviceClick();
  void SpeedButtonToDefaultClick();
  void SpeedButtonOnlyUsedxClick();
  void SpeedButtonLangxClick();
  // Closing would lose changes: offers to save them first; false keeps the window open.
  bool mayClose();

  const Buttons& buttons() const { return buttons_; }
  // A switch of the parameters tab placed before the only-used switch.
  void insertSwitch(QToolButton* button);
  void setOnlyUsedChecked(bool checked);
  // The hint says what a click on the switch will do.
  void showOnlyUsedHint(bool onlyUsed);
  // The language switch names the language a click switches to.
  void showLanguage(lang::Language language);
  void retranslate(bool onlyUsed);

 private:
  void storeTypedValue();
  device::FileSteps configFileSteps(bool save);

  QMainWindow& window_;
  WindowShell& shell_;
  device::DeviceLink& link_;
  device::ToolbarCommands& commands_;
  FileChoosers& files_;
  WindowPages& pages_;
  Hooks hooks_;
  QToolBar* bar_ = nullptr;
  Buttons buttons_;
  bool procedureRunning_ = false;
};

}  // namespace kivprism::ui
