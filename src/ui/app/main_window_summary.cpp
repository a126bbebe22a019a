// The File menu's commands on whole configurations: comparing the working configuration with a
// file (the list of differences leads to the rule or the control) and exporting its summary.
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

#include "core/config/config_file.hpp"
#include "core/config/utf8_path.hpp"
#include "core/lang/summary_window_rows.hpp"
#include "core/summary/config_export.hpp"
#include "ui/app/compare_dialog.hpp"
#include "ui/app/main_window.hpp"
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

void TMainForm::buildFileMenu() {
  menuFile_ = menuBar()->addMenu(QString());
  menuFile_->setObjectName("MenuFile");
  menuItemCompareFile_ = menuFile_->addAction(QString());
  menuItemCompareFile_->setObjectName("MenuItemCompareFile");
  menuItemExportSummary_ = menuFile_->addAction(QString());
  menuItemExportSummary_->setObjectName("MenuItemExportSummary");
  connect(menuItemCompareFile_, &QAction::triggered, this, &TMainForm::MenuItemCompareFileClick);
  connect(menuItemExportSummary_, &QAction::triggered, this,
          &TMainForm::MenuItemExportSummaryClick);
  compare_ = new TFormCompare(this);
  connect(compare_, &TFormCompare::ruleChosen, this, [this](std::size_t entry) {
    pageControlMain_->setCurrentWidget(parametersPage_);
    eventPane_->selectEntry(entry);
  });
  connect(compare_, &TFormCompare::parameterChosen, this, &TMainForm::showParameterControl);
}

void TMainForm::MenuItemCompareFileClick() {
  const QString fileName = files_.choose(FileChooser::ConfigToCompare);
  if (fileName.isEmpty()) {
    return;
  }
  files_.remember(FileChooser::ConfigToCompare, fileName);
  config::ConfigImage file;
  if (const auto error =
          config::readConfigFile(config::pathFromUtf8(fileName.toStdString()), file)) {
    messageBox(box::kError, translatedWith(summary_texts::kCompareReadError, error->describe()));
    return;
  }
  comparedFile_ = file;
  comparedName_ = QFileInfo(fileName).fileName();
  compare_->showDifferences(comparedName_, summary::compareImages(comparedFile_, model_.working,
                                                                  lang::currentLanguage()));
  compare_->show();
  compare_->raise();
}

void TMainForm::MenuItemExportSummaryClick() {
  const QString fileName = files_.choose(FileChooser::SummaryToSave);
  if (fileName.isEmpty()) {
    return;
  }
  files_.remember(FileChooser::SummaryToSave, fileName);
  // The controller is named only while it is connected: its information is then current.
  std::optional<device::DeviceInfo> controller;
  if (link_->isConnected()) {
    controller = link_->deviceInfo();
  }
  const summary::ExportSummary exported =
      summary::buildExportSummary(model_.working, controller, lang::currentLanguage(),
                                  QFileInfo(fileName).fileName().toStdString());
  const std::string text = summary::renderExport(exported, exportFormatOf(fileName));
  if (const auto error =
          config::writeFileAtomically(config::pathFromUtf8(fileName.toStdString()), text)) {
    messageBox(box::kError, translatedWith(summary_texts::kExportWriteError, error->describe()));
    return;
  }
  shell_.flashText(kSavedNoticeMs, 0, translated(summary_texts::kExportWritten));
}

void TMainForm::showParameterControl(const QString& control) {
  pageControlMain_->setCurrentWidget(parametersPage_);
  // Which tabs the configuration shows is known after the page's redraw.
  parameters_->refresh();
  // A setting is opened, focused and briefly highlighted as the parameter search does it.
  if (parameters_->revealControl(control)) {
    return;
  }
  QWidget* target = parameters_->findChild<QWidget*>(control);
  if (target == nullptr) {
    return;
  }
  // A whole tab (the learnt keys), or a control the settings hide: its tab, when shown.
  QTabWidget* tabs = parameters_->pageControl();
  for (QWidget* w = target; w != nullptr && w != parameters_; w = w->parentWidget()) {
    if (const int index = tabs->indexOf(w); index >= 0) {
      if (tabs->isTabVisible(index)) {
        tabs->setCurrentIndex(index);
      }
      break;
    }
  }
  target->setFocus();
}

TFormCompare* TMainForm::compareDialog() const { return compare_; }

void TMainForm::retranslateComparison() {
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
