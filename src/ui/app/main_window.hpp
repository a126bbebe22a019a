// The main window: toolbar, message panel, status bar and the pages. It asks for files and calls
// the toolbar commands of the core and drives the device poll from its timer; its WindowShell is
// the device link's host and the shell of every procedure and page, and the pages' feeds register
// with the link for what the pages consume.
#pragma once

#include <QMainWindow>
#include <QUrl>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "core/canlog/log_writer.hpp"
#include "core/config/backups.hpp"
#include "core/config/image.hpp"
#include "core/device/commands.hpp"
#include "core/device/device_link.hpp"
#include "core/device/hid_port.hpp"
#include "core/device/link_listeners.hpp"
#include "core/device/volume_provider.hpp"
#include "ui/app/file_choosers.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/common/message_box.hpp"
#include "ui/common/shell_settings.hpp"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QToolBar;
class QToolButton;
class QHBoxLayout;
class QVBoxLayout;

namespace kivprism::ui {

class CanLogPage;
class EditHistory;
class KeyProcedures;
class PanelMenu;
class TerminalFeed;
class TerminalPage;
class TFormCompare;
namespace params {
class ParametersFeed;
class ParametersPage;
}  // namespace params
namespace editor {
class CaptureProcedures;
class EventReactionPane;
}  // namespace editor
namespace dialogs {
class TFormKeyBoard;
}
namespace rules {
class RuleCommands;
class RulesPane;
}  // namespace rules

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
  static constexpr int kDesignWidth = 720;
  static constexpr int kDesignHeight = 513;

  TMainForm(device::HidPort& port, MainWindowOptions options = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The shell initialisation: settings, toolbar state, empty image, and the poll released.
  void startUp();

  // --- shell services ---
  WindowShell& shell() { return shell_; }
  int messageBox(unsigned flags, const QString& text) { return shell_.messageBox(flags, text); }
  bool valueEntryCheck(QLineEdit* field, std::uint32_t minimum, std::uint32_t maximum,
                       std::span<std::uint8_t> destination, unsigned width);
  FileChoosers& files() { return files_; }
  // 0 Russian, 1 English, -1 only asks; returns the index in force.
  int applyLanguage(int index);
  void appendLine(const QColor& colour, const QString& text);

  // --- toolbar and menu handlers ---
  // Enables the toolbar's buttons from the busy state, a running set-up and the connection.
  void updateToolbar(bool busy);
  // The firmware update (src/ui/app/firmware_update_ui.cpp).
  void SpeedButtonUpdateDeviceClick();
  void SpeedButtonReadConfigClick();
  void SpeedButtonWriteConfigClick();
  void SpeedButtonReadDeviceClick();
  void SpeedButtonWriteDeviceClick();
  void SpeedButtonToDefaultClick();
  void SpeedButtonOnlyUsedxClick();
  void SpeedButtonLangxClick();
  // Opens the folder of the backups in the file manager, making it first when missing.
  void MenuItemBackupsClick();
  QString backupsFolder() const;
  // The About box: version, licence, the Qt and USB library versions.
  void MenuItemAboutxClick();
  QString aboutText() const;
  // The File menu (src/ui/app/main_window_summary.cpp): compare with a file, export a summary.
  void MenuItemCompareFileClick();
  void MenuItemExportSummaryClick();
  // The parameters page on the tab that holds the control, the control focused.
  void showParameterControl(const QString& control);
  TFormCompare* compareDialog() const;
  // The comparison's lines again in the current language.
  void retranslateComparison();
  void TimerKIVSOLANPRISMTestTimer();

  // --- state for the pages and tests ---
  device::DeviceLink& link() { return *link_; }
  device::ToolbarCommands& commands() { return *commands_; }
  config::ConfigModel& model() { return model_; }
  // Key learning, touch calibration and the keys grid.
  KeyProcedures& keyProcedures() { return *keyProcedures_; }
  TerminalPage* terminal() const { return terminal_; }
  params::ParametersPage* parameters() const { return parameters_; }
  // The event/reaction pane beside the parameters page.
  editor::EventReactionPane* eventPane() const { return eventPane_; }
  CanLogPage* canLogPage() const { return canLog_; }
  PanelMenu* panelMenu() const { return panelMenu_; }
  // Undo and redo of the changes to the working image.
  EditHistory& editHistory() { return *history_; }
  // The rules table beside the editor, in place of the parameters tabs while it is shown
  // (src/ui/app/main_window_rules.cpp).
  rules::RulesPane* rulesPane() const { return rulesPane_; }
  rules::RuleCommands* ruleCommands() const { return ruleCommands_; }
  QMenu* ruleEditMenu() const { return ruleEditMenu_; }
  void showRulesTable(bool shown);
  bool rulesTableShown() const;
  QString statusText() const { return shell_.statusText(); }
  // The panel beside it: whether the changes are on the controller.
  QString syncText() const { return shell_.syncText(); }
  bool onlyUsed() const;
  bool debugItemsVisible() const;
  ClockTimer& pollTimer() { return shell_.pollTimer(); }
  QString settingsPath() const { return settings_.path(); }

  // A whole read arrived: the pages redraw and undo starts there.
  void configurationReloaded() override;

 signals:
  // Every page must redraw from the image on its next refresh (whole read, file load, language,
  // the only-used switch).
  void pagesInvalidated();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void buildToolBar();
  void buildEditHistory();
  void watchEdits();
  void buildMenu();
  // The keys of the commands and pages, and their hints (src/ui/app/main_window_shortcuts.cpp).
  void buildShortcuts();
  void showShortcutHints();
  void buildFileMenu();
  void buildPages();
  void loadSettings();
  void placeMainWindow();
  void saveSettings();
  void applyDebugItems();
  void translateForm();
  void retranslateProgramTexts();
  device::FileSteps configFileSteps(bool save);
  void invalidatePages();
  // The parameters page inside TabSheetParameters (src/ui/app/main_window_parameters.cpp).
  void buildParametersPage(QVBoxLayout* layout);
  void buildEventPane(QHBoxLayout* row);
  void buildRulesPane();
  std::vector<std::size_t> ruleTargets() const;
  void retranslateRulesPane();
  void wireEditorProcedures();
  // The CAN-log page (src/ui/monitor/main_window_can_log.cpp); it follows the bus mode of the
  // image and hears the link's records itself.
  void buildCanLogPage();
  // A set-up procedure started or ended: only its own button stays usable meanwhile.
  void procedureRunningChanged(bool running);
  // Closing would lose changes: offers to save them first; false keeps the window open.
  bool mayClose();
  void storeTypedValue();

  MainWindowOptions options_;
  WindowShell shell_;
  config::ConfigModel model_;
  std::unique_ptr<device::DeviceLink> link_;
  // The USB library of the port, for the About box; empty on the simulated controller.
  std::string hidLibrary_;
  std::unique_ptr<device::ToolbarCommands> commands_;
  std::unique_ptr<config::BackupFolder> backups_;
  std::unique_ptr<KeyProcedures> keyProcedures_;
  bool procedureRunning_ = false;
  EditHistory* history_ = nullptr;
  SettingsFile settings_;
  FileChoosers files_;
  ShellSettings loaded_;

  QToolBar* mainToolBar_ = nullptr;
  QToolButton* updateDevice_ = nullptr;
  QToolButton* readConfig_ = nullptr;
  QToolButton* writeConfig_ = nullptr;
  QToolButton* readDevice_ = nullptr;
  QToolButton* writeDevice_ = nullptr;
  QToolButton* toDefault_ = nullptr;
  QToolButton* reset_ = nullptr;
  QToolButton* onlyUsedx_ = nullptr;
  QToolButton* langx_ = nullptr;
  QToolButton* languageMakerx_ = nullptr;
  PanelMenu* panelMenu_ = nullptr;
  QLabel* statusPanel_ = nullptr;
  QLabel* syncPanel_ = nullptr;
  QTabWidget* pageControlMain_ = nullptr;
  TerminalPage* terminal_ = nullptr;
  params::ParametersPage* parameters_ = nullptr;
  editor::EventReactionPane* eventPane_ = nullptr;
  editor::CaptureProcedures* captures_ = nullptr;
  dialogs::TFormKeyBoard* keyboard_ = nullptr;
  CanLogPage* canLog_ = nullptr;
  QWidget* parametersPage_ = nullptr;
  rules::RulesPane* rulesPane_ = nullptr;
  rules::RuleCommands* ruleCommands_ = nullptr;
  QToolButton* rulesx_ = nullptr;
  QMenu* ruleEditMenu_ = nullptr;
  // Which rules a menu's commands act on: the table's selection or the editor's rule.
  enum class RuleSource { Focus, Table, Editor };
  RuleSource ruleSource_ = RuleSource::Focus;
  QLabel* currentSource_ = nullptr;

  QMenu* popupMenu_ = nullptr;
  QAction* menuItemDebug_ = nullptr;
  QAction* menuItemLog_ = nullptr;
  QAction* menuItemOnlyUsed_ = nullptr;
  QAction* menuItemWriteNow_ = nullptr;
  QAction* menuItemBackups_ = nullptr;
  QAction* menuItemAboutx_ = nullptr;
  QMenu* menuItemLanguagex_ = nullptr;
  QAction* menuItemLanguageRussianx_ = nullptr;
  QAction* menuItemLanguageEnglishx_ = nullptr;
  QMenu* menuFile_ = nullptr;
  QAction* menuItemCompareFile_ = nullptr;
  QAction* menuItemExportSummary_ = nullptr;
  TFormCompare* compare_ = nullptr;
  // The file last compared and its name, for the lines after a language switch.
  config::ConfigImage comparedFile_;
  QString comparedName_;
  // Declared after the link, so they leave it before it goes.
  std::unique_ptr<TerminalFeed> terminalFeed_;
  std::unique_ptr<params::ParametersFeed> parametersFeed_;
};

}  // namespace kivprism::ui
