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

namespace {

enum class Checkable { No, Yes };

// An item the language table names by its object name; its text comes with the language.
QAction* addItem(QMenu& menu, const char* name, Checkable checkable) {
  QAction* item = menu.addAction(QString());
  item->setObjectName(name);
  item->setCheckable(checkable == Checkable::Yes);
  return item;
}

}  // namespace

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
  menuItemDebug_ = addItem(*popupMenu_, "MenuItemDebug", Checkable::Yes);
  menuItemLog_ = addItem(*popupMenu_, "MenuItemLog", Checkable::Yes);
  menuItemLog_->setVisible(false);
  connect(menuItemLog_, &QAction::toggled, this,
          [&link](bool on) { link.setPacketLogEnabled(on); });
  menuItemOnlyUsed_ = addItem(*popupMenu_, "MenuItemOnlyUsed", Checkable::Yes);
  menuItemWriteNow_ = addItem(*popupMenu_, "MenuItemWriteNow", Checkable::No);
  menuItemWriteNow_->setVisible(false);
  menuItemBackups_ = addItem(*popupMenu_, "MenuItemBackups", Checkable::No);
  menuItemLanguagex_ = popupMenu_->addMenu(QString());
  menuItemAboutx_ = addItem(*popupMenu_, "MenuItemAboutx", Checkable::No);
  menuItemLanguagex_->setObjectName("MenuItemLanguagex");
  menuItemLanguageRussianx_ =
      addItem(*menuItemLanguagex_, "MenuItemLanguageRussianx", Checkable::Yes);
  menuItemLanguageEnglishx_ =
      addItem(*menuItemLanguagex_, "MenuItemLanguageEnglishx", Checkable::Yes);

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
