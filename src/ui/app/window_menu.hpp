// The main window's menu, opened from the toolbar's message panel: undo and redo, the debug and
// packet-log items, the only-used switch, the backups folder, the language and the About box.
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <string>

#include "core/lang/language.hpp"

class QAction;
class QMenu;
class QWidget;

namespace kivprism::config {
class BackupFolder;
}
namespace kivprism::device {
class DeviceLink;
}

namespace kivprism::ui {

class EditHistory;
class PanelMenu;
class WindowShell;
struct ShellSettings;

class WindowMenu : public QObject {
 public:
  struct Hooks {
    // The only-used item was toggled.
    std::function<void()> onlyUsedChanged;
    // 0 Russian, 1 English.
    std::function<void(int index)> applyLanguage;
    // Opens a folder in the system's file manager; empty: QDesktopServices.
    std::function<bool(const QUrl&)> urlOpener;
  };

  // hidLibrary: the USB library of the port, for the About box; empty on the simulated
  // controller.
  WindowMenu(QWidget& window, WindowShell& shell, device::DeviceLink& link, EditHistory& history,
             PanelMenu& panel, config::BackupFolder& backups, std::string hidLibrary, Hooks hooks);

  QMenu* popupMenu() const { return popupMenu_; }
  // Opens the folder of the backups in the file manager, making it first when missing.
  void MenuItemBackupsClick();
  QString backupsFolder() const;
  // The About box: version, licence, the Qt and USB library versions.
  void MenuItemAboutxClick();
  QString aboutText() const;
  bool onlyUsed() const;
  void setOnlyUsed(bool on);
  bool debugItemsVisible() const;
  // The debug and packet-log items show while the debug item is ticked.
  void applyDebugItems();
  // The items the settings file keeps.
  void restore(const ShellSettings& settings);
  void store(ShellSettings& settings) const;
  // The language items tick the language in force.
  void showLanguage(lang::Language language);
  void retranslate();

 private:
  WindowShell& shell_;
  config::BackupFolder& backups_;
  std::string hidLibrary_;
  Hooks hooks_;
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
};

}  // namespace kivprism::ui
