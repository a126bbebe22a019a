// The CAN-log page's place in the main window: the third page, fed with the records of the
// connection poll, shown while the differential bus is set to CAN, and stopped quietly before the
// commands that rewrite or restart the controller.
#include <QFileDialog>
#include <QFileInfo>
#include <QTabWidget>

#include "core/canlog/can_log_texts.hpp"
#include "core/device/device_info.hpp"
#include "core/device/packet.hpp"
#include "core/lang/language_table.hpp"
#include "core/params/availability.hpp"
#include "platform/settings_location.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/monitor/can_log_page.hpp"
#include "ui/monitor/terminal_page.hpp"

namespace kivprism::ui {

namespace {

// The save dialog's file types: the page's own log, and the captures of the CAN tools.
struct LogFileType {
  lang::TextPair caption;
  const char* suffix;
  std::optional<canlog::LogForm> form;  // none: the command's own form
};
const LogFileType kLogFileTypes[] = {
    {canlog::texts::kFilterLog, "LOG", std::nullopt},
    {canlog::texts::kFilterCandump, "log", canlog::LogForm::Candump},
    {canlog::texts::kFilterAsc, "asc", canlog::LogForm::VectorAsc},
};

}  // namespace

void TMainForm::buildCanLogPage() {
  CanLogPage::Hooks hooks;
  hooks.isConnected = [this] { return link_->isConnected(); };
  hooks.writeMode = [this](std::uint8_t mode) {
    return link_->writeArea(device::area::kCanLog, 0, std::span(&mode, 1));
  };
  hooks.suspendPoll = [this] { link_->suspendPoll(); };
  hooks.resumePoll = [this] { link_->resumePoll(); };
  hooks.updateToolbar = [this](bool busy) { updateToolbar(busy); };
  hooks.showError = [this](const QString& text) { messageBox(box::kError, text); };
  hooks.chooseLogFile = [this](canlog::LogForm& form) { return chooseCanLogFile(form); };
  hooks.rememberLogFile = [this](const QString& name) {
    files_.remember(FileChooser::CanLogToSave, name);
  };
  hooks.controllerLogRunning = [this] {
    return (link_->deviceInfo().stateWord & device::device_info::kCanLogRunning) != 0;
  };
  hooks.terminalShown = [this] { return pageControlMain_->currentIndex() == 0; };
  hooks.echo = [this](const QString& line) { appendLine(TerminalPage::monitoringColour(), line); };
  hooks.tickMs = [this] { return shell_.tickMs(); };
  canLog_ = new CanLogPage(std::move(hooks), pageControlMain_);
  pageControlMain_->setTabVisible(pageControlMain_->addTab(canLog_, QString()), false);
  connect(
      this, &TMainForm::pagesInvalidated, canLog_, [this] { refreshCanLogPage(); },
      Qt::QueuedConnection);
}

QString TMainForm::chooseCanLogFile(canlog::LogForm& form) {
  if (options_.fileAnswerer) {
    const QString name = files_.choose(FileChooser::CanLogToSave);
    if (const auto capture = canlog::captureFormFor(QFile::encodeName(name).toStdString())) {
      form = *capture;
    }
    return name;
  }
  const FileChooserSpec& chooser = fileChooserSpec(FileChooser::CanLogToSave);
  const QString stored = settings_.remembered(chooser.section, chooser.key);
  const QString folder =
      stored.isEmpty() ? platform::programDirectory() : QFileInfo(stored).absolutePath();
  QStringList filters;
  for (const LogFileType& type : kLogFileTypes) {
    filters << translated(type.caption);
  }
  QFileDialog dialog(this, translated(chooser.title), folder);
  dialog.setNameFilters(filters);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(kLogFileTypes[0].suffix);
  connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &filters](const QString& f) {
    dialog.setDefaultSuffix(kLogFileTypes[std::max<qsizetype>(filters.indexOf(f), 0)].suffix);
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  const qsizetype type = filters.indexOf(dialog.selectedNameFilter());
  if (type >= 0 && kLogFileTypes[type].form) {
    form = *kLogFileTypes[type].form;
  }
  return dialog.selectedFiles().constFirst();
}

// The parameters page redraws once while the window is being built, before this page exists.
void TMainForm::canLogRecord(device::CanRecord record) {
  if (canLog_ != nullptr) {
    canLog_->intake(record);
  }
}

bool TMainForm::canLogWritingToFile() const {
  return canLog_ != nullptr && canLog_->writingToFile();
}

std::uint32_t TMainForm::canRecordsPerSecond() const {
  return canLog_ != nullptr ? canLog_->recordsPerSecond() : 0;
}

void TMainForm::refreshCanLogPage() {
  if (canLog_ != nullptr &&
      canLog_->setPageShown(kivprism::params::canLogVisible(model_.working))) {
    pageControlMain_->setTabVisible(pageControlMain_->indexOf(canLog_), canLog_->pageShown());
  }
}

void TMainForm::stopCanLogQuietly() {
  if (canLog_ != nullptr) {
    canLog_->stopSilently();
  }
}

}  // namespace kivprism::ui
