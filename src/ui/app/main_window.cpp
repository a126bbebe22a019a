#include "ui/app/main_window.hpp"

#include <QCloseEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>
#include <filesystem>

#include "core/device/packet.hpp"
#include "core/lang/language.hpp"
#include "core/monitor/monitoring_line.hpp"
#include "platform/settings_location.hpp"
#include "platform/system.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/app/qt_translation.hpp"
#include "ui/app/window_edit_history.hpp"
#include "ui/app/window_shortcuts.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/redraw_later.hpp"
#include "ui/common/shell_texts.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/monitor/can_log_page.hpp"
#include "ui/monitor/terminal_feed.hpp"
#include "ui/monitor/terminal_page.hpp"
#include "ui/params/key_procedures.hpp"
#include "ui/params/parameters_feed.hpp"
#include "ui/params/parameters_page.hpp"
#include "ui/rules/rules_pane.hpp"

namespace kivprism::ui {

namespace {

constexpr int kStatusPanelWidth = 800;
constexpr int kSyncPanelMinimumWidth = 160;
// Closing gives the controller this long to take the last packets before the handle goes.
constexpr std::uint32_t kCloseSettleMs = 100;

QString settingsPathFor(const MainWindowOptions& options) {
  return options.settingsPath.isEmpty() ? platform::settingsFilePath() : options.settingsPath;
}

// The status text and, beside it, whether the changes are on the controller.
void buildStatusBar(QMainWindow& window, WindowShell& shell, PanelMenu* panel) {
  auto* statusPanel = new QLabel(&window);
  statusPanel->setObjectName("StatusBarPanel0x");
  // The sync panel shares the bar, so the window keeps its design width.
  statusPanel->setMinimumWidth(
      std::min(kStatusPanelWidth, kWindowDesignWidth - 20 - kSyncPanelMinimumWidth));
  window.statusBar()->setObjectName("StatusBar");
  window.statusBar()->addWidget(statusPanel, 1);
  auto* syncPanel = new QLabel(&window);
  syncPanel->setObjectName("StatusBarPanelSyncx");
  syncPanel->setMinimumWidth(kSyncPanelMinimumWidth);
  window.statusBar()->addPermanentWidget(syncPanel);
  shell.setPanels(panel, statusPanel, syncPanel);
}

}  // namespace

TMainForm::TMainForm(device::HidPort& port, MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      options_(std::move(options)),
      shell_(*this, options_.boxAnswerer,
             options_.clock != nullptr ? *options_.clock : wallClock()),
      settings_(*this, settingsPathFor(options_), shell_, pages_),
      files_(*this, settings_.file(), options_.fileAnswerer,
             [this](const QString& text) { shell_.messageBox(box::kError, text); }) {
  setObjectName("MainForm");
  link_ = std::make_unique<device::DeviceLink>(port, shell_, model_);
  shell_.setLink(link_.get());
  shell_.setToolbarUpdate([this](bool busy) {
    if (toolbar_) {
      toolbar_->updateToolbar(busy);
    }
  });
  link_->addConnectionListener(*this);
  commands_ = std::make_unique<device::ToolbarCommands>(*link_);
  commands_->invalidatePages = [this] { emit pagesInvalidated(); };
  commands_->beforeControllerChange = [this] { pages_.canLogPage->stopSilently(); };
  backups_ = std::make_unique<config::BackupFolder>(
      std::filesystem::path(platform::backupsFolderPath(settings_.path()).toStdU16String()),
      [] { return platform::localTime(std::time(nullptr)); });
  commands_->setBackups(backups_.get());
  commands_->showInformation = [this](std::string_view text) {
    shell_.messageBox(box::kInformation, qtText(text));
  };
  keyProcedures_ = std::make_unique<KeyProcedures>(*link_, shell_);
  pages_.keyProcedures = keyProcedures_.get();
  // Learning writes the keys table itself; the user's edits wait until it ends.
  link_->holdChangeSendingWhile([this] { return keyProcedures_->keyLearningActive(); });
  // What goes into a file or to the controller carries the labels the grid shows.
  commands_->beforeImageLeaves = [this] { keyProcedures_->writeKeyLabels(); };
  ClockTimer& pollTimer = shell_.pollTimer();
  pollTimer.setObjectName("TimerKIVSOLANPRISMTest");
  pollTimer.setInterval(static_cast<int>(device::kPollIdleMs));
  connect(&pollTimer, &ClockTimer::timeout, this, &TMainForm::TimerKIVSOLANPRISMTestTimer);
  pages_.editHistory = buildEditHistory(
      *this, model_.working,
      [this] {
        return toolbar_->procedureRunning() || link_->transportBusy() ||
               link_->pollSuspendCount() > 0 || link_->userCommand();
      },
      [this] { emit pagesInvalidated(); }, pages_);
  const auto applyLanguage = [this](int index) { language_->applyLanguage(index); };
  WindowToolbar::Hooks toolbarHooks;
  toolbarHooks.toggleOnlyUsed = [this] {
    menu_->setOnlyUsed(!menu_->onlyUsed());
    toolbar_->setOnlyUsedChecked(menu_->onlyUsed());
    emit pagesInvalidated();
  };
  toolbarHooks.applyLanguage = applyLanguage;
  toolbarHooks.volumes = options_.volumes;
  toolbar_ = std::make_unique<WindowToolbar>(*this, shell_, *link_, *commands_, files_, pages_,
                                             std::move(toolbarHooks));
  connect(keyProcedures_.get(), &KeyProcedures::procedureRunningChanged, toolbar_.get(),
          &WindowToolbar::procedureRunningChanged);
  WindowMenu::Hooks menuHooks;
  menuHooks.onlyUsedChanged = [this] {
    toolbar_->setOnlyUsedChecked(menu_->onlyUsed());
    emit pagesInvalidated();
  };
  menuHooks.applyLanguage = applyLanguage;
  menuHooks.urlOpener = options_.urlOpener;
  menu_ =
      std::make_unique<WindowMenu>(*this, shell_, *link_, *pages_.editHistory, *pages_.panelMenu,
                                   *backups_, port.libraryVersion(), std::move(menuHooks));
  fileMenu_ = std::make_unique<WindowFileMenu>(*this, shell_, *link_, model_, files_, pages_);
  pages_.compare = fileMenu_->compareDialog();
  buildPages();
  rules_ = std::make_unique<WindowRules>(*this, shell_, *link_, model_.working, *toolbar_,
                                         *menu_->popupMenu(), pages_);
  auto* redrawRules = new RedrawLater(pages_.rulesPane, [this] { rules_->retranslate(); });
  connect(this, &TMainForm::pagesInvalidated, redrawRules, &RedrawLater::request);
  addWindowShortcuts(*this, toolbar_->buttons(), *pages_.pageControl);
  watchEdits(*pages_.editHistory, pages_);
  buildStatusBar(*this, shell_, pages_.panelMenu);
  resize(kDesignWidth, kDesignHeight);
  language_ = std::make_unique<LanguageSwitch>(*this, shell_, *link_, *toolbar_, *menu_, *fileMenu_,
                                               pages_, [this] { emit pagesInvalidated(); });
  // The design texts are the Russian ones; the settings may switch them at start-up.
  lang::setCurrentLanguage(lang::Language::Russian);
  applyQtTranslation(lang::Language::Russian);
  language_->retranslate();
}

TMainForm::~TMainForm() {
  shell_.beginShutDown();
  // The toolbar goes before the widgets do; a procedure ending meanwhile finds no toolbar.
  shell_.setToolbarUpdate({});
  if (pages_.canLogPage != nullptr) {
    link_->removeCanRecordListener(*pages_.canLogPage);
  }
  link_->removeConnectionListener(*this);
  link_->holdChangeSendingWhile({});
}

void TMainForm::buildPages() {
  auto* pageControl = new QTabWidget(this);
  pages_.pageControl = pageControl;
  pageControl->setObjectName("PageControlMain");
  auto* terminal = new TerminalPage([this] { return shell_.tickMs(); }, pageControl);
  pages_.terminal = terminal;
  terminalFeed_ = std::make_unique<TerminalFeed>(*link_, *terminal);
  terminal->sendMemo()->isConnected = [this] { return link_->isConnected(); };
  terminal->sendMemo()->sendLine = [this](const std::string& line) {
    if (!link_->isConnected()) {
      shell_.messageBox(box::kError, translated(texts::kControllerDisconnected));
      return;
    }
    const auto bytes = monitor::terminalPayload(line);
    link_->writeAreaReported(device::area::kMonitorText, 0, bytes);
  };
  terminal->copyAllAllowed = [this] {
    return pages_.pageControl->currentWidget() != pages_.parametersTab;
  };
  pageControl->addTab(terminal, QString());

  auto* parametersTab = new QWidget(pageControl);
  pages_.parametersTab = parametersTab;
  parametersTab->setObjectName("TabSheetParameters");
  auto* layout = new QVBoxLayout(parametersTab);
  auto* currentSource = new QLabel(parametersTab);
  pages_.currentSource = currentSource;
  currentSource->setObjectName("PanelCurrentSRCx");
  currentSource->setFrameShape(QFrame::StyledPanel);
  currentSource->setEnabled(false);
  layout->addWidget(currentSource, 0, Qt::AlignLeft | Qt::AlignTop);
  buildParametersPage(layout);
  pages_.parameters->setClock(shell_.clock());
  pageControl->addTab(parametersTab, QString());
  buildCanLogPage();
  setCentralWidget(pageControl);
}

void TMainForm::startUp() {
  settings_.load(*menu_, *toolbar_, *language_, options_.systemLanguage);
  settings_.placeWindow();
  pages_.keyboard->restoreKeyboardDialog(settings_.loaded());
  menu_->applyDebugItems();
  model_.working.clear();
  model_.device.clear();
  toolbar_->updateToolbar(false);
  link_->resumePoll();
  configurationReloaded();
  pages_.editHistory->restart();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!shell_.shuttingDown() && !toolbar_->mayClose()) {
    event->ignore();
    return;
  }
  if (!shell_.shuttingDown()) {
    shell_.beginShutDown();
    pages_.canLogPage->stopSilently();
    shell_.waitMs(kCloseSettleMs);
    link_->closeDevice();
    shell_.waitMs(kCloseSettleMs);
    settings_.save(*menu_);
  }
  event->accept();
}

void TMainForm::configurationReloaded() {
  emit pagesInvalidated();
  pages_.editHistory->wholeReadArrived();
}

void TMainForm::TimerKIVSOLANPRISMTestTimer() {
  // Whatever changed since the last step and was not cut yet becomes one before it is sent.
  pages_.editHistory->settle();
  keyProcedures_->pollTick();
  link_->pollTick();
}

}  // namespace kivprism::ui
