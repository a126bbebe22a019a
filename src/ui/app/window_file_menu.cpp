#include "ui/app/window_file_menu.hpp"

#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include "core/config/config_file.hpp"
#include "core/config/utf8_path.hpp"
#include "core/device/device_link.hpp"
#include "core/lang/summary_window_rows.hpp"
#include "core/summary/config_export.hpp"
#include "ui/app/compare_dialog.hpp"
#include "ui/app/file_choosers.hpp"
#include "ui/app/window_pages.hpp"
#include "ui/app/window_shell.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/editor/event_reaction_pane.hpp"
#include "ui/params/parameters_page.hpp"

namespace kivprism::ui {

namespace {

namespace summary_texts = lang::summary_window;

constexpr std::uint32_t kSavedNoticeMs = 2000;

// The format the chosen name asks for: .md and .csv by their extensions, HTML otherwise.
summary::ExportFormat exportFormatOf(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == "md" || suffix == "markdown") {
    return summary::ExportFormat::Markdown;
  }
  if (suffix == "csv") {
    return summary::ExportFormat::Csv;
  }
  return summary::ExportFormat::Html;
}

}  // namespace

WindowFileMenu::WindowFileMenu(QMainWindow& window, WindowShell& shell, device::DeviceLink& link,
                               config::ConfigModel& model, FileChoosers& files,
                               const WindowPages& pages)
    : shell_(shell), link_(link), model_(model), files_(files), pages_(pages) {
  menuFile_ = window.menuBar()->addMenu(QString());
  menuFile_->setObjectName("MenuFile");
  QAction* compareFile = menuFile_->addAction(QString());
  compareFile->setObjectName("MenuItemCompareFile");
  QAction* exportSummary = menuFile_->addAction(QString());
  exportSummary->setObjectName("MenuItemExportSummary");
  connect(compareFile, &QAction::triggered, this, &WindowFileMenu::MenuItemCompareFileClick);
  connect(exportSummary, &QAction::triggered, this, &WindowFileMenu::MenuItemExportSummaryClick);
  compare_ = new TFormCompare(&window);
  connect(compare_, &TFormCompare::ruleChosen, this, [this](std::size_t entry) {
    pages_.pageControl->setCurrentWidget(pages_.parametersTab);
    pages_.eventPane->selectEntry(entry);
  });
  connect(compare_, &TFormCompare::parameterChosen, this, &WindowFileMenu::showParameterControl);
}

void WindowFileMenu::MenuItemCompareFileClick() {
  const QString fileName = files_.choose(FileChooser::ConfigToCompare);
  if (fileName.isEmpty()) {
    return;
  }
  files_.remember(FileChooser::ConfigToCompare, fileName);
  config::ConfigImage file;
  if (const auto error =
          config::readConfigFile(config::pathFromUtf8(fileName.toStdString()), file)) {
    shell_.messageBox(box::kError,
                      translatedWith(summary_texts::kCompareReadError, error->describe()));
    return;
  }
  comparedFile_ = file;
  comparedName_ = QFileInfo(fileName).fileName();
  compare_->showDifferences(comparedName_, summary::compareImages(comparedFile_, model_.working,
                                                                  lang::currentLanguage()));
  compare_->show();
  compare_->raise();
}

void WindowFileMenu::MenuItemExportSummaryClick() {
  const QString fileName = files_.choose(FileChooser::SummaryToSave);
  if (fileName.isEmpty()) {
    return;
  }
  files_.remember(FileChooser::SummaryToSave, fileName);
  // The controller is named only while it is connected: its information is then current.
  std::optional<device::DeviceInfo> controller;
  if (link_.isConnected()) {
    controller = link_.deviceInfo();
  }
  const summary::ExportSummary exported =
      summary::buildExportSummary(model_.working, controller, lang::currentLanguage(),
                                  QFileInfo(fileName).fileName().toStdString());
  const std::string text = summary::renderExport(exported, exportFormatOf(fileName));
  if (const auto error =
          config::writeFileAtomically(config::pathFromUtf8(fileName.toStdString()), text)) {
    shell_.messageBox(box::kError,
                      translatedWith(summary_texts::kExportWriteError, error->describe()));
    return;
  }
  shell_.flashText(kSavedNoticeMs, 0, translated(summary_texts::kExportWritten));
}

void WindowFileMenu::showParameterControl(const QString& control) {
  pages_.pageControl->setCurrentWidget(pages_.parametersTab);
  // Which tabs the configuration shows is known after the page's redraw.
  pages_.parameters->refresh();
  // A setting is opened, focused and briefly highlighted as the parameter search does it.
  if (pages_.parameters->revealControl(control)) {
    return;
  }
  QWidget* target = pages_.parameters->findChild<QWidget*>(control);
  if (target == nullptr) {
    return;
  }
  // A whole tab (the learnt keys), or a control the settings hide: its tab, when shown.
  QTabWidget* tabs = pages_.parameters->pageControl();
  for (QWidget* w = target; w != nullptr && w != pages_.parameters; w = w->parentWidget()) {
    if (const int index = tabs->indexOf(w); index >= 0) {
      if (tabs->isTabVisible(index)) {
        tabs->setCurrentIndex(index);
      }
      break;
    }
  }
  target->setFocus();
}

void WindowFileMenu::retranslateComparison() {
  if (compare_ == nullptr) {
    return;
  }
  if (comparedName_.isEmpty()) {
    compare_->retranslate();
    return;
  }
  compare_->showDifferences(comparedName_, summary::compareImages(comparedFile_, model_.working,
                                                                  lang::currentLanguage()));
}

}  // namespace kivprism::ui
