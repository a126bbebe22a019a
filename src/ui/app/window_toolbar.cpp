#include "ui/app/window_toolbar.hpp"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QMainWindow>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <filesystem>

#include "core/device/device_link.hpp"
#include "core/lang/history_texts.hpp"
#include "core/params/availability.hpp"
#include "ui/app/file_choosers.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/app/window_pages.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/shell_texts.hpp"
#include "ui/params/key_procedures.hpp"
#include "ui/params/parameters_page.hpp"

namespace kivprism::ui {

namespace {

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

std::filesystem::path fsPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace

WindowToolbar::WindowToolbar(QMainWindow& window, WindowShell& shell, device::DeviceLink& link,
                             device::ToolbarCommands& commands, FileChoosers& files,
                             WindowPages& pages, Hooks hooks)
    : window_(window),
      shell_(shell),
      link_(link),
      commands_(commands),
      files_(files),
      pages_(pages),
      hooks_(std::move(hooks)) {
  EditHistory& history = *pages_.editHistory;
  bar_ = window_.addToolBar(QString());
  bar_->setObjectName("MainToolBar");
  bar_->setMovable(false);
  bar_->setFloatable(false);
  bar_->setContextMenuPolicy(Qt::PreventContextMenu);
  bar_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Buttons& b = buttons_;
  b.updateDevice = addButton(bar_, "SpeedButtonUpdateDevice", QStyle::SP_BrowserReload);
  b.readConfig = addButton(bar_, "SpeedButtonReadConfig", QStyle::SP_DialogOpenButton);
  b.writeConfig = addButton(bar_, "SpeedButtonWriteConfig", QStyle::SP_DialogSaveButton);
  b.readDevice = addButton(bar_, "SpeedButtonReadDevice", QStyle::SP_ArrowDown);
  b.writeDevice = addButton(bar_, "SpeedButtonWriteDevice", QStyle::SP_ArrowUp);
  b.toDefault = addButton(bar_, "SpeedButtonToDefault", QStyle::SP_DialogResetButton);
  b.reset = addButton(bar_, "SpeedButtonReset", QStyle::SP_MediaSkipBackward);
  bar_->addSeparator();
  bar_->addAction(history.undoAction());
  bar_->widgetForAction(history.undoAction())->setObjectName("SpeedButtonUndox");
  bar_->addAction(history.redoAction());
  bar_->widgetForAction(history.redoAction())->setObjectName("SpeedButtonRedox");
  bar_->addSeparator();
  b.onlyUsedx = addButton(bar_, "SpeedButtonOnlyUsedx", QStyle::SP_FileDialogListView);
  b.onlyUsedx->setCheckable(true);
  b.langx = addTextButton(bar_, "SpeedButtonLangx", "EN");
  bar_->addWidget(b.langx);
  bar_->addSeparator();
  b.languageMakerx = addTextButton(bar_, "SpeedButtonLanguageMakerx", "L");
  bar_->addWidget(b.languageMakerx)->setVisible(false);
  pages_.panelMenu = new PanelMenu(shell_.clock(), bar_);
  bar_->addWidget(pages_.panelMenu);

  connect(b.updateDevice, &QToolButton::clicked, this,
          &WindowToolbar::SpeedButtonUpdateDeviceClick);
  connect(b.readConfig, &QToolButton::clicked, this, &WindowToolbar::SpeedButtonReadConfigClick);
  connect(b.writeConfig, &QToolButton::clicked, this, &WindowToolbar::SpeedButtonWriteConfigClick);
  connect(b.readDevice, &QToolButton::clicked, this, &WindowToolbar::SpeedButtonReadDeviceClick);
  connect(b.writeDevice, &QToolButton::clicked, this, &WindowToolbar::SpeedButtonWriteDeviceClick);
  connect(b.toDefault, &QToolButton::clicked, this, &WindowToolbar::SpeedButtonToDefaultClick);
  connect(b.reset, &QToolButton::clicked, this, [this] { commands_.reset(); });
  connect(b.onlyUsedx, &QToolButton::clicked, this, &WindowToolbar::SpeedButtonOnlyUsedxClick);
  connect(b.langx, &QToolButton::clicked, this, &WindowToolbar::SpeedButtonLangxClick);
  connect(b.languageMakerx, &QToolButton::clicked, this, [this] { hooks_.applyLanguage(0); });
}

device::FileSteps WindowToolbar::configFileSteps(bool save) {
  device::FileSteps steps;
  steps.choose = [this, save]() -> std::optional<std::filesystem::path> {
    const QString fileName =
        files_.choose(save ? FileChooser::ConfigToSave : FileChooser::ConfigToOpen);
    if (fileName.isEmpty()) {
      return std::nullopt;
    }
    return fsPath(fileName);
  };
  steps.remember = [this](const std::filesystem::path& path) {
    files_.remember(FileChooser::ConfigToOpen, QString::fromStdU16String(path.u16string()));
  };
  return steps;
}

void WindowToolbar::updateToolbar(bool busy) {
  // A running set-up procedure keeps the toolbar locked whatever the poll reports meanwhile.
  busy = busy || procedureRunning_;
  if (pages_.parameters) {
    pages_.parameters->setSetupAvailable(!busy && link_.isConnected());
  }
  const Buttons& b = buttons_;
  for (QToolButton* button :
       {b.readConfig, b.writeConfig, b.readDevice, b.writeDevice, b.toDefault, b.reset}) {
    button->setEnabled(false);
  }
  if (busy) {
    return;
  }
  b.readConfig->setEnabled(true);
  b.writeConfig->setEnabled(true);
  if (link_.isConnected()) {
    for (QToolButton* button : {b.readDevice, b.writeDevice, b.toDefault, b.reset}) {
      button->setEnabled(true);
    }
  }
}

void WindowToolbar::storeTypedValue() {
  // The toolbar takes no focus, so a value typed and not yet confirmed would be left out of a save,
  // a write or the changes sent on closing. Leaving the field stores it; the cursor then returns.
  QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr || !window_.isAncestorOf(focused)) {
    return;
  }
  focused->clearFocus();
  focused->setFocus();
}

void WindowToolbar::SpeedButtonReadConfigClick() {
  storeTypedValue();
  pages_.editHistory->beginCommand(lang::history::kStepFileOpened);
  commands_.openConfigFile(configFileSteps(false));
  pages_.editHistory->endCommand();
}

void WindowToolbar::SpeedButtonWriteConfigClick() {
  storeTypedValue();
  commands_.saveConfigFile(configFileSteps(true));
}

bool WindowToolbar::mayClose() {
  storeTypedValue();
  // Fresh edits go out first, so that only what the controller did not take is asked about.
  if (link_.isConnected() && !link_.transportBusy()) {
    shell::PollPause pause(link_);
    link_.syncChanges();
    link_.updateSyncText();
  }
  const std::string question = commands_.closingQuestion();
  if (question.empty()) {
    return true;
  }
  const int answer = shell_.messageBox(box::kWarning | box::kSaveDiscardCancel, qtText(question));
  if (answer == box::kDiscard) {
    return true;
  }
  return answer == box::kSave && commands_.saveConfigFile(configFileSteps(true));
}

void WindowToolbar::SpeedButtonReadDeviceClick() {
  // A value typed and not yet stored is a step of its own, then the read replaces it; left in the
  // field, it would be stored into the configuration just read.
  storeTypedValue();
  pages_.editHistory->beginCommand(lang::history::kStepWholeRead);
  commands_.readDevice();
  pages_.editHistory->endCommand();
}

void WindowToolbar::SpeedButtonWriteDeviceClick() {
  storeTypedValue();
  commands_.writeDevice();
}

void WindowToolbar::SpeedButtonToDefaultClick() {
  pages_.editHistory->settle();
  commands_.restoreDefaults();
  // The controller's defaults arrive with the whole read that follows; a No sent nothing, and the
  // next read is the user's own.
  if (commands_.defaultsSent()) {
    pages_.editHistory->nameNextRead(lang::history::kStepDefaults);
  }
}

void WindowToolbar::SpeedButtonOnlyUsedxClick() { hooks_.toggleOnlyUsed(); }

void WindowToolbar::SpeedButtonLangxClick() {
  hooks_.applyLanguage(lang::currentLanguage() == lang::Language::Russian ? 1 : 0);
}

void WindowToolbar::procedureRunningChanged(bool running) {
  procedureRunning_ = running;
  updateToolbar(running);
  if (pages_.parameters) {
    using Running = params::ParametersPage::RunningSetup;
    Running which = Running::None;
    if (running) {
      if (pages_.keyProcedures->keyLearningRunning()) {
        which = Running::Keys;
      } else if (pages_.keyProcedures->touchCalibrationRunning()) {
        which = Running::Touch;
      }
    }
    pages_.parameters->setRunningSetup(which);
  }
}

void WindowToolbar::insertSwitch(QToolButton* button) {
  QAction* before = nullptr;
  for (QAction* action : bar_->actions()) {
    if (bar_->widgetForAction(action) == buttons_.onlyUsedx) {
      before = action;
    }
  }
  bar_->insertWidget(before, button);
}

void WindowToolbar::setOnlyUsedChecked(bool checked) { buttons_.onlyUsedx->setChecked(checked); }

void WindowToolbar::showOnlyUsedHint(bool onlyUsed) {
  buttons_.onlyUsedx->setToolTip(translated(kivprism::params::onlyUsedHint(onlyUsed)));
}

void WindowToolbar::showLanguage(lang::Language language) {
  buttons_.langx->setText(language == lang::Language::Russian ? "EN" : "RU");
}

void WindowToolbar::retranslate(bool onlyUsed) {
  buttons_.langx->setToolTip(translated(texts::kLanguageHint));
  showOnlyUsedHint(onlyUsed);
}

}  // namespace kivprism::ui
