#include "ui/app/window_menu.hpp"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QMenu>

#include "core/about/version.hpp"
#include "core/config/backups.hpp"
#include "core/device/device_link.hpp"
#include "core/lang/backup_texts.hpp"
#include "core/lang/language_table.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/shell_settings.hpp"
#include "ui/common/shell_texts.hpp"

namespace kivprism::ui {

WindowMenu::WindowMenu(QWidget& window, WindowShell& shell, device::DeviceLink& link,
                       EditHistory& history, PanelMenu& panel, config::BackupFolder& backups,
                       std::string hidLibrary, Hooks hooks)
    : shell_(shell),
      backups_(backups),
      hidLibrary_(std::move(hidLibrary)),
      hooks_(std::move(hooks)) {
  popupMenu_ = new QMenu(&window);
  popupMenu_->setObjectName("PopupMenu");
  popupMenu_->addAction(history.undoAction());
  popupMenu_->addAction(history.redoAction());
  popupMenu_->addSeparator();
  menuItemDebug_ = popupMenu_->addAction(QString());
  menuItemDebug_->setObjectName("MenuItemDebug");
  menuItemDebug_->setCheckable(true);
  menuItemLog_ = popupMenu_->addAction(QString());
  menuItemLog_->setObjectName("MenuItemLog");
  menuItemLog_->setCheckable(true);
  menuItemLog_->setVisible(false);
  connect(menuItemLog_, &QAction::toggled, this,
          [&link](bool on) { link.setPacketLogEnabled(on); });
  menuItemOnlyUsed_ = popupMenu_->addAction(QString());
  menuItemOnlyUsed_->setObjectName("MenuItemOnlyUsed");
  menuItemOnlyUsed_->setCheckable(true);
  menuItemWriteNow_ = popupMenu_->addAction(QString());
  menuItemWriteNow_->setObjectName("MenuItemWriteNow");
  menuItemWriteNow_->setVisible(false);
  menuItemBackups_ = popupMenu_->addAction(QString());
  menuItemBackups_->setObjectName("MenuItemBackups");
  menuItemLanguagex_ = popupMenu_->addMenu(QString());
  menuItemAboutx_ = popupMenu_->addAction(QString());
  menuItemAboutx_->setObjectName("MenuItemAboutx");
  menuItemLanguagex_->setObjectName("MenuItemLanguagex");
  menuItemLanguageRussianx_ = menuItemLanguagex_->addAction(QString());
  menuItemLanguageRussianx_->setObjectName("MenuItemLanguageRussianx");
  menuItemLanguageRussianx_->setCheckable(true);
  menuItemLanguageEnglishx_ = menuItemLanguagex_->addAction(QString());
  menuItemLanguageEnglishx_->setObjectName("MenuItemLanguageEnglishx");
  menuItemLanguageEnglishx_->setCheckable(true);

  connect(&panel, &PanelMenu::menuRequested, this,
          [this](const QPoint& at) { popupMenu_->popup(at); });
  connect(menuItemDebug_, &QAction::triggered, this, [this] { applyDebugItems(); });
  connect(menuItemAboutx_, &QAction::triggered, this, &WindowMenu::MenuItemAboutxClick);
  connect(menuItemBackups_, &QAction::triggered, this, &WindowMenu::MenuItemBackupsClick);
  connect(menuItemOnlyUsed_, &QAction::triggered, this, [this] { hooks_.onlyUsedChanged(); });
  connect(menuItemLanguageRussianx_, &QAction::triggered, this,
          [this] { hooks_.applyLanguage(0); });
  connect(menuItemLanguageEnglishx_, &QAction::triggered, this,
          [this] { hooks_.applyLanguage(1); });
}

void WindowMenu::applyDebugItems() {
  const bool visible = menuItemDebug_->isChecked();
  menuItemDebug_->setVisible(visible);
  menuItemLog_->setVisible(visible);
}

QString WindowMenu::backupsFolder() const {
  return QString::fromStdU16String(backups_.folder().u16string());
}

void WindowMenu::MenuItemBackupsClick() {
  if (const auto reason = backups_.ensureFolder()) {
    const std::string folder = QDir::toNativeSeparators(backupsFolder()).toStdString();
    shell_.messageBox(box::kError,
                      qtText(lang::formatText(lang::translateText(lang::backup::kFolderFailed),
                                              folder.c_str(), reason->c_str())));
    return;
  }
  const QUrl url = QUrl::fromLocalFile(backupsFolder());
  if (hooks_.urlOpener) {
    hooks_.urlOpener(url);
  } else {
    QDesktopServices::openUrl(url);
  }
}

QString WindowMenu::aboutText() const {
  const std::string version(about::programVersion());
  const std::string hid =
      hidLibrary_.empty() ? std::string(lang::translateText(texts::kAboutSimulated)) : hidLibrary_;
  return qtText(lang::formatText(lang::translateText(texts::kAboutText), version.c_str(),
                                 qVersion(), hid.c_str()));
}

void WindowMenu::MenuItemAboutxClick() { shell_.messageBox(box::kInformation, aboutText()); }

bool WindowMenu::debugItemsVisible() const {
  return menuItemDebug_->isVisible() && menuItemLog_->isVisible();
}

bool WindowMenu::onlyUsed() const { return menuItemOnlyUsed_->isChecked(); }

void WindowMenu::setOnlyUsed(bool on) { menuItemOnlyUsed_->setChecked(on); }

void WindowMenu::restore(const ShellSettings& settings) {
  menuItemLog_->setChecked(settings.log);
  menuItemDebug_->setChecked(settings.debug);
  menuItemOnlyUsed_->setChecked(settings.onlyUsed);
}

void WindowMenu::store(ShellSettings& settings) const {
  settings.log = menuItemLog_->isChecked();
  settings.debug = menuItemDebug_->isChecked();
  settings.onlyUsed = menuItemOnlyUsed_->isChecked();
}

void WindowMenu::showLanguage(lang::Language language) {
  menuItemLanguageRussianx_->setChecked(language == lang::Language::Russian);
  menuItemLanguageEnglishx_->setChecked(language == lang::Language::English);
}

void WindowMenu::retranslate() {
  menuItemLanguagex_->setTitle(translated(texts::kLanguageMenu));
  menuItemLanguageRussianx_->setText(translated(texts::kRussian));
  menuItemLanguageEnglishx_->setText(translated(texts::kEnglish));
  menuItemAboutx_->setText(translated(texts::kAboutMenu));
}

}  // namespace kivprism::ui
