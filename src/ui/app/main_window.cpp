#include "ui/app/main_window.hpp"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <ctime>
#include <filesystem>

#include "core/config/text_codec.hpp"
#include "core/config/utf8_path.hpp"
#include "core/device/packet.hpp"
#include "core/lang/backup_texts.hpp"
#include "core/lang/language.hpp"
#include "core/monitor/monitoring_line.hpp"
#include "platform/settings_location.hpp"
#include "platform/system.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/app/qt_translation.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/shell_texts.hpp"
#include "ui/common/window_placement.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/monitor/can_log_page.hpp"
#include "ui/monitor/terminal_feed.hpp"
#include "ui/monitor/terminal_page.hpp"
#include "ui/params/key_procedures.hpp"
#include "ui/params/parameters_feed.hpp"
#include "ui/params/parameters_page.hpp"

namespace kivprism::ui {

namespace {

constexpr int kStatusPanelWidth = 800;
constexpr int kSyncPanelMinimumWidth = 160;
// Closing gives the controller this long to take the last packets before the handle goes.
constexpr std::uint32_t kCloseSettleMs = 100;

QString settingsPathFor(const MainWindowOptions& options) {
  return options.settingsPath.isEmpty() ? platform::settingsFilePath() : options.settingsPath;
}

QToolButton* addButton(QToolBar* bar, const char* name, QStyle::StandardPixmap icon) {
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setIcon(bar->style()->standardIcon(icon));
  button->setAutoRaise(true);
  bar->addWidget(button);
  return button;
}

QToolButton* addTextButton(QToolBar* bar, const char* name, const QString& text) {
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setText(text);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

TMainForm::TMainForm(device::HidPort& port, MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      options_(std::move(options)),
      shell_(*this, options_.boxAnswerer,
             options_.clock != nullptr ? *options_.clock : wallClock()),
      settings_(settingsPathFor(options_)),
      files_(*this, settings_, options_.fileAnswerer,
             [this](const QString& text) { messageBox(box::kError, text); }) {
  setObjectName("MainForm");
  link_ = std::make_unique<device::DeviceLink>(port, shell_, model_);
  shell_.setLink(link_.get());
  shell_.setToolbarUpdate([this](bool busy) { updateToolbar(busy); });
  hidLibrary_ = port.libraryVersion();
  link_->addConnectionListener(*this);
  commands_ = std::make_unique<device::ToolbarCommands>(*link_);
  commands_->invalidatePages = [this] { invalidatePages(); };
  commands_->beforeControllerChange = [this] { canLog_->stopSilently(); };
  backups_ = std::make_unique<config::BackupFolder>(
      std::filesystem::path(platform::backupsFolderPath(settings_.path()).toStdU16String()),
      [] { return platform::localTime(std::time(nullptr)); });
  commands_->setBackups(backups_.get());
  commands_->showInformation = [this](std::string_view text) {
    messageBox(box::kInformation, qtText(text));
  };
  keyProcedures_ = std::make_unique<KeyProcedures>(*link_, shell_);
  // Learning writes the keys table itself; the user's edits wait until it ends.
  link_->holdChangeSendingWhile([this] { return keyProcedures_->keyLearningActive(); });
  // What goes into a file or to the controller carries the labels the grid shows.
  commands_->beforeImageLeaves = [this] { keyProcedures_->writeKeyLabels(); };
  connect(keyProcedures_.get(), &KeyProcedures::procedureRunningChanged, this,
          &TMainForm::procedureRunningChanged);
  ClockTimer& pollTimer = shell_.pollTimer();
  pollTimer.setObjectName("TimerKIVSOLANPRISMTest");
  pollTimer.setInterval(static_cast<int>(device::kPollIdleMs));
  connect(&pollTimer, &ClockTimer::timeout, this, &TMainForm::TimerKIVSOLANPRISMTestTimer);
  buildEditHistory();
  buildToolBar();
  buildMenu();
  buildFileMenu();
  buildPages();
  buildRulesPane();
  buildShortcuts();
  watchEdits();
  statusPanel_ = new QLabel(this);
  statusPanel_->setObjectName("StatusBarPanel0x");
  // The sync panel shares the bar, so the window keeps its design width.
  statusPanel_->setMinimumWidth(
      std::min(kStatusPanelWidth, kDesignWidth - 20 - kSyncPanelMinimumWidth));
  statusBar()->setObjectName("StatusBar");
  statusBar()->addWidget(statusPanel_, 1);
  syncPanel_ = new QLabel(this);
  syncPanel_->setObjectName("StatusBarPanelSyncx");
  syncPanel_->setMinimumWidth(kSyncPanelMinimumWidth);
  statusBar()->addPermanentWidget(syncPanel_);
  shell_.setPanels(panelMenu_, statusPanel_, syncPanel_);
  resize(kDesignWidth, kDesignHeight);
  // The design texts are the Russian ones; the settings may switch them at start-up.
  lang::setCurrentLanguage(lang::Language::Russian);
  applyQtTranslation(lang::Language::Russian);
  translateForm();
  retranslateProgramTexts();
}

TMainForm::~TMainForm() {
  shell_.beginShutDown();
  if (canLog_ != nullptr) {
    link_->removeCanRecordListener(*canLog_);
  }
  link_->removeConnectionListener(*this);
  link_->holdChangeSendingWhile({});
}

void TMainForm::buildToolBar() {
  mainToolBar_ = addToolBar(QString());
  mainToolBar_->setObjectName("MainToolBar");
  mainToolBar_->setMovable(false);
  mainToolBar_->setFloatable(false);
  mainToolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
  mainToolBar_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  updateDevice_ = addButton(mainToolBar_, "SpeedButtonUpdateDevice", QStyle::SP_BrowserReload);
  readConfig_ = addButton(mainToolBar_, "SpeedButtonReadConfig", QStyle::SP_DialogOpenButton);
  writeConfig_ = addButton(mainToolBar_, "SpeedButtonWriteConfig", QStyle::SP_DialogSaveButton);
  readDevice_ = addButton(mainToolBar_, "SpeedButtonReadDevice", QStyle::SP_ArrowDown);
  writeDevice_ = addButton(mainToolBar_, "SpeedButtonWriteDevice", QStyle::SP_ArrowUp);
  toDefault_ = addButton(mainToolBar_, "SpeedButtonToDefault", QStyle::SP_DialogResetButton);
  reset_ = addButton(mainToolBar_, "SpeedButtonReset", QStyle::SP_MediaSkipBackward);
  mainToolBar_->addSeparator();
  mainToolBar_->addAction(history_->undoAction());
  mainToolBar_->widgetForAction(history_->undoAction())->setObjectName("SpeedButtonUndox");
  mainToolBar_->addAction(history_->redoAction());
  mainToolBar_->widgetForAction(history_->redoAction())->setObjectName("SpeedButtonRedox");
  mainToolBar_->addSeparator();
  onlyUsedx_ = addButton(mainToolBar_, "SpeedButtonOnlyUsedx", QStyle::SP_FileDialogListView);
  onlyUsedx_->setCheckable(true);
  langx_ = addTextButton(mainToolBar_, "SpeedButtonLangx", "EN");
  mainToolBar_->addWidget(langx_);
  mainToolBar_->addSeparator();
  languageMakerx_ = addTextButton(mainToolBar_, "SpeedButtonLanguageMakerx", "L");
  mainToolBar_->addWidget(languageMakerx_)->setVisible(false);
  panelMenu_ = new PanelMenu(mainToolBar_);
  mainToolBar_->addWidget(panelMenu_);

  connect(updateDevice_, &QToolButton::clicked, this, &TMainForm::SpeedButtonUpdateDeviceClick);
  connect(readConfig_, &QToolButton::clicked, this, &TMainForm::SpeedButtonReadConfigClick);
  connect(writeConfig_, &QToolButton::clicked, this, &TMainForm::SpeedButtonWriteConfigClick);
  connect(readDevice_, &QToolButton::clicked, this, &TMainForm::SpeedButtonReadDeviceClick);
  connect(writeDevice_, &QToolButton::clicked, this, &TMainForm::SpeedButtonWriteDeviceClick);
  connect(toDefault_, &QToolButton::clicked, this, &TMainForm::SpeedButtonToDefaultClick);
  connect(reset_, &QToolButton::clicked, this, [this] { commands_->reset(); });
  connect(onlyUsedx_, &QToolButton::clicked, this, &TMainForm::SpeedButtonOnlyUsedxClick);
  connect(langx_, &QToolButton::clicked, this, &TMainForm::SpeedButtonLangxClick);
  connect(languageMakerx_, &QToolButton::clicked, this, [this] { applyLanguage(0); });
}

void TMainForm::buildMenu() {
  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName("PopupMenu");
  popupMenu_->addAction(history_->undoAction());
  popupMenu_->addAction(history_->redoAction());
  popupMenu_->addSeparator();
  menuItemDebug_ = popupMenu_->addAction(QString());
  menuItemDebug_->setObjectName("MenuItemDebug");
  menuItemDebug_->setCheckable(true);
  menuItemLog_ = popupMenu_->addAction(QString());
  menuItemLog_->setObjectName("MenuItemLog");
  menuItemLog_->setCheckable(true);
  menuItemLog_->setVisible(false);
  connect(menuItemLog_, &QAction::toggled, this,
          [this](bool on) { link_->setPacketLogEnabled(on); });
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

  connect(panelMenu_, &PanelMenu::menuRequested, this,
          [this](const QPoint& at) { popupMenu_->popup(at); });
  connect(menuItemDebug_, &QAction::triggered, this, [this] { applyDebugItems(); });
  connect(menuItemAboutx_, &QAction::triggered, this, &TMainForm::MenuItemAboutxClick);
  connect(menuItemBackups_, &QAction::triggered, this, &TMainForm::MenuItemBackupsClick);
  connect(menuItemOnlyUsed_, &QAction::triggered, this, [this] {
    onlyUsedx_->setChecked(menuItemOnlyUsed_->isChecked());
    invalidatePages();
  });
  connect(menuItemLanguageRussianx_, &QAction::triggered, this, [this] { applyLanguage(0); });
  connect(menuItemLanguageEnglishx_, &QAction::triggered, this, [this] { applyLanguage(1); });
}

void TMainForm::buildPages() {
  pageControlMain_ = new QTabWidget(this);
  pageControlMain_->setObjectName("PageControlMain");
  terminal_ = new TerminalPage([this] { return shell_.tickMs(); }, pageControlMain_);
  terminalFeed_ = std::make_unique<TerminalFeed>(*link_, *terminal_);
  terminal_->sendMemo()->isConnected = [this] { return link_->isConnected(); };
  terminal_->sendMemo()->sendLine = [this](const std::string& line) {
    if (!link_->isConnected()) {
      messageBox(box::kError, translated(texts::kControllerDisconnected));
      return;
    }
    const auto bytes = monitor::terminalPayload(line);
    link_->writeAreaReported(device::area::kMonitorText, 0, bytes);
  };
  terminal_->copyAllAllowed = [this] {
    return pageControlMain_->currentWidget() != parametersPage_;
  };
  pageControlMain_->addTab(terminal_, QString());

  parametersPage_ = new QWidget(pageControlMain_);
  parametersPage_->setObjectName("TabSheetParameters");
  auto* layout = new QVBoxLayout(parametersPage_);
  currentSource_ = new QLabel(parametersPage_);
  currentSource_->setObjectName("PanelCurrentSRCx");
  currentSource_->setFrameShape(QFrame::StyledPanel);
  currentSource_->setEnabled(false);
  layout->addWidget(currentSource_, 0, Qt::AlignLeft | Qt::AlignTop);
  buildParametersPage(layout);
  pageControlMain_->addTab(parametersPage_, QString());
  buildCanLogPage();
  setCentralWidget(pageControlMain_);
}

void TMainForm::startUp() {
  loadSettings();
  placeMainWindow();
  keyboard_->restoreKeyboardDialog(loaded_);
  applyDebugItems();
  model_.working.clear();
  model_.device.clear();
  updateToolbar(false);
  link_->resumePoll();
  configurationReloaded();
  history_->restart();
}

// --- settings ---

void TMainForm::loadSettings() {
  if (!settings_.load()) {
    messageBox(box::kError, translated(texts::kSettingsReadError));
    return;
  }
  loaded_ = settings_.shell();
  terminal_->setMemoHeight(loaded_.txHeight);
  parameters_->rememberTab(loaded_.paramsTab);
  if (pageControlMain_->isTabEnabled(1)) {
    pageControlMain_->setCurrentIndex(1);
  }
  menuItemLog_->setChecked(loaded_.log);
  menuItemDebug_->setChecked(loaded_.debug);
  menuItemOnlyUsed_->setChecked(loaded_.onlyUsed);
  onlyUsedx_->setChecked(loaded_.onlyUsed);
  const QString system = options_.systemLanguage.isEmpty()
                             ? QLocale::system().uiLanguages().value(0)
                             : options_.systemLanguage;
  const auto language =
      lang::startLanguage(loaded_.lang, lang::systemDefaultLanguage(system.toStdString()));
  if (language) {
    applyLanguage(lang::languageIndex(*language));
  }
}

// The window opens large enough to show its pages whole, within the screen, at its stored place
// when that lies on a screen, and maximized when it was closed so.
void TMainForm::placeMainWindow() {
  const QRect home = QGuiApplication::primaryScreen() != nullptr
                         ? QGuiApplication::primaryScreen()->availableGeometry()
                         : screenAreaOf(this);
  QList<QRect> screens;
  for (const QScreen* screen : QGuiApplication::screens()) {
    screens.push_back(screen->availableGeometry());
  }
  // The parameters page is the one laid out to be seen whole; the logs scroll. The window's own
  // hint would take the widest line any page could show.
  // Around the page sit the window's bars and the page control's own tabs and frame.
  QSize largestPage;
  for (int i = 0; i < pageControlMain_->count(); ++i) {
    largestPage = largestPage.expandedTo(pageControlMain_->widget(i)->sizeHint());
  }
  const QSize chrome = (sizeHint() - pageControlMain_->sizeHint()).expandedTo(QSize(0, 0)) +
                       (pageControlMain_->sizeHint() - largestPage).expandedTo(QSize(0, 0));
  const QSize pages = parametersPage_->sizeHint() + chrome;
  const QSize contents =
      size().expandedTo(pages).expandedTo(QSize(statusBar()->sizeHint().width(), 0));
  const QSize decoration = frameSizeOf(this) - size();
  const auto stored = storedPlace(loaded_.mainLeft, loaded_.mainTop, contents + decoration, home);
  const QRect frame = placeWindow(stored, contents + decoration, screens, home);
  const QSize fitted = frame.size() - decoration;
  setMinimumSize(QSize(kDesignWidth, kDesignHeight).boundedTo(fitted));
  resize(fitted);
  move(frame.topLeft());
  if (loaded_.mainMaximized) {
    setWindowState(windowState() | Qt::WindowMaximized);
  }
}

void TMainForm::saveSettings() {
  ShellSettings s = loaded_;
  // A maximized window keeps the place it returns to.
  const bool maximized = isMaximized();
  const QPoint place =
      maximized ? normalGeometry().topLeft() - (geometry().topLeft() - pos()) : pos();
  s.mainTop = place.y();
  s.mainLeft = place.x();
  s.mainMaximized = maximized;
  s.lang = lang::languageIndex(lang::currentLanguage());
  s.log = menuItemLog_->isChecked();
  s.debug = menuItemDebug_->isChecked();
  s.onlyUsed = menuItemOnlyUsed_->isChecked();
  s.txHeight = terminal_->memoHeight();
  s.paramsTab = parameters_->currentTabName();
  keyboard_->storePlacement(s);
  settings_.setShell(s);
  std::string reason;
  if (!settings_.save(&reason)) {
    messageBox(box::kError, translatedWith(texts::kSettingsWriteError, reason));
  }
}

void TMainForm::applyDebugItems() {
  const bool visible = menuItemDebug_->isChecked();
  menuItemDebug_->setVisible(visible);
  menuItemLog_->setVisible(visible);
}

QString TMainForm::backupsFolder() const {
  return QString::fromStdU16String(backups_->folder().u16string());
}

void TMainForm::MenuItemBackupsClick() {
  if (const auto reason = backups_->ensureFolder()) {
    const std::string folder = QDir::toNativeSeparators(backupsFolder()).toStdString();
    messageBox(box::kError,
               qtText(lang::formatText(lang::translateText(lang::backup::kFolderFailed),
                                       folder.c_str(), reason->c_str())));
    return;
  }
  const QUrl url = QUrl::fromLocalFile(backupsFolder());
  if (options_.urlOpener) {
    options_.urlOpener(url);
  } else {
    QDesktopServices::openUrl(url);
  }
}

bool TMainForm::debugItemsVisible() const {
  return menuItemDebug_->isVisible() && menuItemLog_->isVisible();
}

bool TMainForm::onlyUsed() const { return menuItemOnlyUsed_->isChecked(); }

// --- closing ---

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!shell_.shuttingDown() && !mayClose()) {
    event->ignore();
    return;
  }
  if (!shell_.shuttingDown()) {
    shell_.beginShutDown();
    canLog_->stopSilently();
    shell_.waitMs(kCloseSettleMs);
    link_->closeDevice();
    shell_.waitMs(kCloseSettleMs);
    saveSettings();
  }
  event->accept();
}

void TMainForm::appendLine(const QColor& colour, const QString& text) {
  terminal_->appendLine(colour, text);
}

void TMainForm::configurationReloaded() {
  invalidatePages();
  history_->wholeReadArrived();
}

void TMainForm::invalidatePages() { emit pagesInvalidated(); }

}  // namespace kivprism::ui
