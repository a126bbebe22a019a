// The main window: the shell that builds the pages and owns the toolbar, the menus, the status bar
// and the settings. It drives the device poll from its timer; its WindowShell is the device link's
// host and the shell of every procedure and page, and the pages' feeds register with the link for
// what the pages consume.
#pragma once

#include <QMainWindow>
#include <QUrl>
#include <functional>
#include <memory>

#include "core/canlog/log_writer.hpp"
#include "core/config/backups.hpp"
#include "core/config/image.hpp"
#include "core/device/commands.hpp"
#include "core/device/device_link.hpp"
#include "core/device/hid_port.hpp"
#include "core/device/link_listeners.hpp"
#include "core/device/volume_provider.hpp"
#include "ui/app/file_choosers.hpp"
#include "ui/app/language_switch.hpp"
#include "ui/app/window_file_menu.hpp"
#include "ui/app/window_menu.hpp"
#include "ui/app/window_pages.hpp"
#include "ui/app/window_rules.hpp"
#include "ui/app/window_settings.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/app/window_toolbar.hpp"
#include "ui/common/message_box.hpp"

class QHBoxLayout;
class QVBoxLayout;

namespace kivprism::ui {

class TerminalFeed;
namespace params {
class ParametersFeed;
}

struct MainWindowOptions {
  // Empty: the settings file of the running program.
  QString settingsPath;
  // The system's user-interface language code ("ru-RU", "de"); empty: the system's own.
  QString systemLanguage;
  // Tests answer boxes and file choosers here instead of a user.
  BoxAnswerer boxAnswerer;
  FileAnswerer fileAnswerer;
  // The volumes the firmware update looks for the update disk on; empty: the system's.
  device::VolumeProvider* volumes = nullptr;
  // Opens a folder in the system's file manager; empty: QDesktopServices.
  std::function<bool(const QUrl&)> urlOpener;
  // The tick, waits and poll timer run on it; empty: the wall clock.
  WindowClock* clock = nullptr;
};

class TMainForm : public QMainWindow, public device::ConnectionListener {
  Q_OBJECT

 public:
  static constexpr int kDesignWidth = kWindowDesignWidth;
  static constexpr int kDesignHeight = kWindowDesignHeight;

  TMainForm(device::HidPort& port, MainWindowOptions options = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The shell initialisation: settings, toolbar state, empty image, and the poll released.
  void startUp();

  // The boxes, the panels, the poll timer and the waits.
  WindowShell& shell() { return shell_; }
  device::DeviceLink& link() { return *link_; }
  config::ConfigModel& model() { return model_; }
  const WindowPages& pages() const { return pages_; }
  WindowToolbar& toolbar() { return *toolbar_; }
  WindowMenu& menu() { return *menu_; }
  WindowFileMenu& fileMenu() { return *fileMenu_; }
  // The rules table beside the editor, in place of the parameters tabs while it is shown.
  WindowRules& rules() { return *rules_; }
  LanguageSwitch& language() { return *language_; }
  WindowSettings& settings() { return settings_; }

  // A whole read arrived: the pages redraw and undo starts there.
  void configurationReloaded() override;
  void TimerKIVSOLANPRISMTestTimer();

 signals:
  // Every page must redraw from the image on its next refresh (whole read, file load, language,
  // the only-used switch).
  void pagesInvalidated();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildPages();
  // The parameters page inside TabSheetParameters (src/ui/app/main_window_parameters.cpp).
  void buildParametersPage(QVBoxLayout* layout);
  void buildEventPane(QHBoxLayout* row);
  void wireEditorProcedures();
  // The CAN-log page (src/ui/monitor/main_window_can_log.cpp); it follows the bus mode of the
  // image and hears the link's records itself.
  void buildCanLogPage();

  MainWindowOptions options_;
  WindowShell shell_;
  config::ConfigModel model_;
  WindowPages pages_;
  WindowSettings settings_;
  FileChoosers files_;
  std::unique_ptr<device::DeviceLink> link_;
  std::unique_ptr<device::ToolbarCommands> commands_;
  std::unique_ptr<config::BackupFolder> backups_;
  std::unique_ptr<KeyProcedures> keyProcedures_;
  // Declared after the link and the commands, so they leave before those go.
  std::unique_ptr<WindowToolbar> toolbar_;
  std::unique_ptr<WindowMenu> menu_;
  std::unique_ptr<WindowFileMenu> fileMenu_;
  std::unique_ptr<WindowRules> rules_;
  std::unique_ptr<LanguageSwitch> language_;
  std::unique_ptr<TerminalFeed> terminalFeed_;
  std::unique_ptr<params::ParametersFeed> parametersFeed_;
};

}  // namespace kivprism::ui
