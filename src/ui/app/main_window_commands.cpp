// The toolbar commands, the file choosers, the value entry check and the language switch of the
// main window.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <filesystem>

#include "core/about/version.hpp"
#include "core/config/image.hpp"
#include "core/device/packet.hpp"
#include "core/forms/main_form_rows.hpp"
#include "core/lang/history_texts.hpp"
#include "core/lang/language.hpp"
#include "core/lang/language_table.hpp"
#include "core/params/availability.hpp"
#include "core/params/entry_value.hpp"
#include "platform/settings_location.hpp"
#include "ui/app/compare_dialog.hpp"
#include "ui/app/main_window.hpp"
#include "ui/app/panel_menu.hpp"
#include "ui/app/qt_translation.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/shell_texts.hpp"
#include "ui/common/translate_form.hpp"
#include "ui/dialogs/ir_code_dialog.hpp"
#include "ui/dialogs/keyboard_dialog.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/monitor/terminal_page.hpp"
#include "ui/params/key_procedures.hpp"
#include "ui/params/parameters_page.hpp"

namespace kivprism::ui {

namespace {

std::filesystem::path fsPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace

device::FileSteps TMainForm::configFileSteps(bool save) {
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

void TMainForm::updateToolbar(bool busy) {
  // A running set-up procedure keeps the toolbar locked whatever the poll reports meanwhile.
  busy = busy || procedureRunning_;
  if (parameters_) {
    parameters_->setSetupAvailable(!busy && link_->isConnected());
  }
  for (QToolButton* button :
       {readConfig_, writeConfig_, readDevice_, writeDevice_, toDefault_, reset_}) {
    button->setEnabled(false);
  }
  if (busy) {
    return;
  }
  readConfig_->setEnabled(true);
  writeConfig_->setEnabled(true);
  if (link_->isConnected()) {
    for (QToolButton* button : {readDevice_, writeDevice_, toDefault_, reset_}) {
      button->setEnabled(true);
    }
  }
}

void TMainForm::storeTypedValue() {
  // The toolbar takes no focus, so a value typed and not yet confirmed would be left out of a save,
  // a write or the changes sent on closing. Leaving the field stores it; the cursor then returns.
  QWidget* focused = QApplication::focusWidget();
  if (focused == nullptr || !isAncestorOf(focused)) {
    return;
  }
  focused->clearFocus();
  focused->setFocus();
}

void TMainForm::SpeedButtonReadConfigClick() {
  storeTypedValue();
  history_->beginCommand(lang::history::kStepFileOpened);
  commands_->openConfigFile(configFileSteps(false));
  history_->endCommand();
}

void TMainForm::SpeedButtonWriteConfigClick() {
  storeTypedValue();
  commands_->saveConfigFile(configFileSteps(true));
}

bool TMainForm::mayClose() {
  storeTypedValue();
  // Fresh edits go out first, so that only what the controller did not take is asked about.
  if (link_->isConnected() && !link_->transportBusy()) {
    shell::PollPause pause(*link_);
    link_->syncChanges();
    link_->updateSyncText();
  }
  const std::string question = commands_->closingQuestion();
  if (question.empty()) {
    return true;
  }
  const int answer = messageBox(box::kWarning | box::kSaveDiscardCancel, qtText(question));
  if (answer == box::kDiscard) {
    return true;
  }
  return answer == box::kSave && commands_->saveConfigFile(configFileSteps(true));
}

void TMainForm::SpeedButtonReadDeviceClick() {
  // A value typed and not yet stored is a step of its own, then the read replaces it; left in the
  // field, it would be stored into the configuration just read.
  storeTypedValue();
  history_->beginCommand(lang::history::kStepWholeRead);
  commands_->readDevice();
  history_->endCommand();
}

void TMainForm::SpeedButtonWriteDeviceClick() {
  storeTypedValue();
  commands_->writeDevice();
}

void TMainForm::SpeedButtonToDefaultClick() {
  history_->settle();
  commands_->restoreDefaults();
  // The controller's defaults arrive with the whole read that follows; a No sent nothing, and the
  // next read is the user's own.
  if (commands_->defaultsSent()) {
    history_->nameNextRead(lang::history::kStepDefaults);
  }
}

void TMainForm::SpeedButtonOnlyUsedxClick() {
  menuItemOnlyUsed_->setChecked(!menuItemOnlyUsed_->isChecked());
  onlyUsedx_->setChecked(menuItemOnlyUsed_->isChecked());
  invalidatePages();
}

void TMainForm::SpeedButtonLangxClick() {
  applyLanguage(lang::currentLanguage() == lang::Language::Russian ? 1 : 0);
}

void TMainForm::TimerKIVSOLANPRISMTestTimer() {
  // Whatever changed since the last step and was not cut yet becomes one before it is sent.
  history_->settle();
  keyProcedures_->pollTick();
  link_->pollTick();
}

void TMainForm::procedureRunningChanged(bool running) {
  procedureRunning_ = running;
  updateToolbar(running);
  if (parameters_) {
    using Running = params::ParametersPage::RunningSetup;
    Running which = Running::None;
    if (running) {
      if (keyProcedures_->keyLearningRunning()) {
        which = Running::Keys;
      } else if (keyProcedures_->touchCalibrationRunning()) {
        which = Running::Touch;
      }
    }
    parameters_->setRunningSetup(which);
  }
}

// --- value entry ---

bool TMainForm::valueEntryCheck(QLineEdit* field, std::uint32_t minimum, std::uint32_t maximum,
                                std::span<std::uint8_t> destination, unsigned width) {
  const kivprism::params::EntryResult result =
      kivprism::params::checkValueEntry(field->text().toStdString(), minimum, maximum);
  QString error;
  if (const auto* notice = std::get_if<kivprism::params::Notice>(&result)) {
    error = qtText(notice->in(lang::currentLanguage()));
  } else if ((width != 1 && width != 2 && width != 4) || destination.size() < width) {
    error = translated(kivprism::params::kEnterValueText);
  } else {
    config::writeLe(destination, 0, width, std::get<std::uint32_t>(result));
  }
  if (error.isEmpty()) {
    return true;
  }
  messageBox(box::kError, error);
  field->selectAll();
  field->setFocus();
  QCursor::setPos(field->mapToGlobal(field->rect().center()));
  return false;
}

// --- language ---

int TMainForm::applyLanguage(int index) {
  if (index == -1) {
    return lang::languageIndex(lang::currentLanguage());
  }
  const lang::Language language = lang::languageFromIndex(index);
  lang::setCurrentLanguage(language);
  applyQtTranslation(language);
  langx_->setText(language == lang::Language::Russian ? "EN" : "RU");
  menuItemLanguageRussianx_->setChecked(language == lang::Language::Russian);
  menuItemLanguageEnglishx_->setChecked(language == lang::Language::English);
  // The next poll treats the controller as new: its information is logged again in this
  // language and its configuration read again.
  link_->clearConnected();
  shell::RedrawPause redraw(shell_);
  invalidatePages();
  translateForm();
  // The dialogs are the window's children, but have sub-tables of their own.
  if (keyboard_ != nullptr) {
    keyboard_->retranslate();
  }
  if (eventPane_ != nullptr) {
    eventPane_->irCodeDialog().retranslate();
  }
  retranslateProgramTexts();
  return lang::languageIndex(language);
}

void TMainForm::translateForm() {
  ui::translateForm(this, lang::kMainFormName, forms::mainFormRows());
  setWindowTitle(
      qtText(lang::formatText(lang::translateText(texts::kWindowCaption), texts::kProgramVersion)));
}

QString TMainForm::aboutText() const {
  const std::string version(about::programVersion());
  const std::string hid =
      hidLibrary_.empty() ? std::string(lang::translateText(texts::kAboutSimulated)) : hidLibrary_;
  return qtText(lang::formatText(lang::translateText(texts::kAboutText), version.c_str(),
                                 qVersion(), hid.c_str()));
}

void TMainForm::MenuItemAboutxClick() { messageBox(box::kInformation, aboutText()); }

void TMainForm::retranslateProgramTexts() {
  langx_->setToolTip(translated(texts::kLanguageHint));
  // The hint says what a click on the switch will do.
  onlyUsedx_->setToolTip(translated(kivprism::params::onlyUsedHint(onlyUsed())));
  menuItemLanguagex_->setTitle(translated(texts::kLanguageMenu));
  menuItemLanguageRussianx_->setText(translated(texts::kRussian));
  menuItemLanguageEnglishx_->setText(translated(texts::kEnglish));
  menuItemAboutx_->setText(translated(texts::kAboutMenu));
  currentSource_->setText(translated(texts::kSelectedUnknown));
  currentSource_->setToolTip(translated(texts::kCurrentSourceHint));
  history_->retranslate();
  showShortcutHints();
  retranslateComparison();
}

}  // namespace kivprism::ui
