// The CAN-log page's place in the main window: the third page, fed with the records of the
// connection poll, shown while the differential bus is set to CAN, and stopped quietly before the
// commands that rewrite or restart the controller.
#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTabWidget>
#include <algorithm>

#include "core/canlog/can_log_texts.hpp"
#include "core/canlog/frame_rule.hpp"
#include "core/lang/language_table.hpp"
#include "platform/settings_location.hpp"
#include "ui/app/main_window.hpp"
#include "ui/common/edit_history.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/redraw_later.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/monitor/can_log_page.hpp"
#include "ui/monitor/terminal_page.hpp"
#include "ui/rules/rules_pane.hpp"

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

// The form the chosen file type asks for; the page's own type keeps the command's form.
canlog::LogForm formOfFileType(qsizetype type, canlog::LogForm commandForm) {
  if (type >= 0 && type < qsizetype(std::size(kLogFileTypes)) && kLogFileTypes[type].form) {
    return *kLogFileTypes[type].form;
  }
  return commandForm;
}

// The captures the page can study: candump logs and ASC files, told apart by their text.
const lang::TextPair kCaptureFileTypes[] = {
    canlog::texts::kFilterCaptures,
    canlog::texts::kFilterCandump,
    canlog::texts::kFilterAsc,
};

// A test answers in place of the user while the dialog stands ready (it may pick a file type on
// it), so the file type chosen maps to the form the same way for both.
QString chooseLogFile(QWidget* window, FileChoosers& files, canlog::LogForm& form) {
  const FileChooserSpec& chooser = fileChooserSpec(FileChooser::CanLogToSave);
  const QString folder = files.initialFolder(FileChooser::CanLogToSave);
  QStringList filters;
  for (const LogFileType& type : kLogFileTypes) {
    filters << translated(type.caption);
  }
  QFileDialog dialog(window, translated(chooser.title), folder);
  dialog.setObjectName("SaveDialogCANLOG");
  dialog.setNameFilters(filters);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(kLogFileTypes[0].suffix);
  QObject::connect(
      &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &filters](const QString& f) {
        dialog.setDefaultSuffix(kLogFileTypes[std::max<qsizetype>(filters.indexOf(f), 0)].suffix);
      });
  QString name;
  if (files.answerer()) {
    name = files.answerer()(FileChooser::CanLogToSave, folder);
  } else if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    name = dialog.selectedFiles().constFirst();
  }
  if (!name.isEmpty()) {
    form = formOfFileType(filters.indexOf(dialog.selectedNameFilter()), form);
  }
  return name;
}

QString chooseCaptureFile(QWidget* window, FileChoosers& files) {
  const FileChooserSpec& chooser = fileChooserSpec(FileChooser::CanLogToOpen);
  const QString folder = files.initialFolder(FileChooser::CanLogToOpen);
  QString name;
  if (files.answerer()) {
    name = files.answerer()(FileChooser::CanLogToOpen, folder);
  } else {
    QStringList filters;
    for (const lang::TextPair& type : kCaptureFileTypes) {
      filters << translated(type);
    }
    QFileDialog dialog(window, translated(chooser.title), folder);
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
      name = dialog.selectedFiles().constFirst();
    }
  }
  if (!name.isEmpty()) {
    files.remember(FileChooser::CanLogToOpen, name);
  }
  return name;
}

}  // namespace

void TMainForm::buildCanLogPage() {
  CanLogPage::Hooks hooks;
  hooks.chooseLogFile = [this](canlog::LogForm& form) { return chooseLogFile(this, files_, form); };
  hooks.rememberLogFile = [this](const QString& name) {
    files_.remember(FileChooser::CanLogToSave, name);
  };
  hooks.chooseCaptureFile = [this] { return chooseCaptureFile(this, files_); };
  hooks.terminalShown = [this] { return pages_.pageControl->currentIndex() == 0; };
  hooks.echo = [this](const QString& line) {
    pages_.terminal->appendLine(TerminalPage::monitoringColour(), line);
  };
  hooks.makeFrameEvent = [this](const events::CanFilter& filter) {
    pages_.eventPane->storeTypedValues();
    const auto entry = canlog::entryForFrameRule(model_.working, pages_.eventPane->selectedEntry());
    if (!entry) {
      shell_.messageBox(box::kError, translated(canlog::texts::kNoFreeEntry));
      return false;
    }
    pages_.editHistory->beginCommand(canlog::texts::kStepFrameEvent, true);
    canlog::storeFrameRule(model_.working, *entry, filter);
    pages_.editHistory->endCommand();
    pages_.pageControl->setCurrentWidget(pages_.parametersTab);
    pages_.eventPane->selectEntry(*entry);
    pages_.eventPane->forcedRefresh();
    if (pages_.rulesPane != nullptr) {
      pages_.rulesPane->sync();
    }
    return true;
  };
  hooks.showTab = [this](bool shown) {
    pages_.pageControl->setTabVisible(pages_.pageControl->indexOf(pages_.canLogPage), shown);
  };
  hooks.raise = [this] { pages_.pageControl->setCurrentWidget(pages_.canLogPage); };
  pages_.canLogPage =
      new CanLogPage(shell_, shell_.clock(), *link_, std::move(hooks), pages_.pageControl);
  pages_.pageControl->setTabVisible(pages_.pageControl->addTab(pages_.canLogPage, QString()),
                                    false);
  link_->addCanRecordListener(*pages_.canLogPage);
  // A capture can be studied without a controller, when the page is not yet shown.
  QAction* open = fileMenu_->menu()->addAction(QString());
  open->setObjectName("MenuItemOpenCanCapture");
  connect(open, &QAction::triggered, pages_.canLogPage, &CanLogPage::CANLOG_OPENClick);
  auto* redraw =
      new RedrawLater(pages_.canLogPage, [page = pages_.canLogPage] { page->refreshCanLogPage(); });
  connect(this, &TMainForm::pagesInvalidated, redraw, &RedrawLater::request);
}

}  // namespace kivprism::ui
