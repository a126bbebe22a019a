#include "ui/app/file_choosers.hpp"

#include <QFileDialog>
#include <QFileInfo>
#include <array>
#include <string>

#include "core/canlog/can_log_texts.hpp"
#include "core/lang/summary_window_rows.hpp"
#include "platform/settings_location.hpp"
#include "ui/common/qt_text.hpp"
#include "ui/common/shell_settings.hpp"
#include "ui/common/shell_texts.hpp"

namespace kivprism::ui {

namespace {

const std::array<FileChooserSpec, 7> kChoosers = {{
    {FileChooser::ConfigToOpen, false, "KIVSOLANPRISM-F401", "DirectoryConfig", "*.KST401",
     texts::kChooseConfigToOpen},
    {FileChooser::ConfigToSave, true, "KIVSOLANPRISM-F401", "DirectoryConfig", "*.KST401",
     texts::kChooseConfigToSave},
    {FileChooser::FirmwareToOpen, false, "PROG", "DirectoryProg", "*.LDR",
     texts::kChooseFirmwareToOpen},
    {FileChooser::CanLogToSave, true, "KIVSOLANPRISM-F401-CANLOG", "DirectoryConfig", "*.LOG",
     texts::kChooseCanLogToSave},
    {FileChooser::ConfigToCompare, false, "KIVSOLANPRISM-F401", "DirectoryCompare", "*.KST401",
     lang::summary_window::kChooseCompareFile},
    // HTML unless the name typed ends in .md or .csv.
    {FileChooser::SummaryToSave, true, "KIVSOLANPRISM-F401", "DirectorySummary", "*.html",
     lang::summary_window::kChooseSummaryFile},
    // Captures to study in the CAN log, from where its logs are saved.
    {FileChooser::CanLogToOpen, false, "KIVSOLANPRISM-F401-CANLOG", "DirectoryConfig", "*.log",
     canlog::texts::kChooseCaptureToOpen},
}};

}  // namespace

const FileChooserSpec& fileChooserSpec(FileChooser kind) {
  return kChoosers[static_cast<std::size_t>(kind)];
}

FileChoosers::FileChoosers(QWidget& window, SettingsFile& settings, FileAnswerer answerer,
                           std::function<void(const QString& text)> showError)
    : window_(window),
      settings_(settings),
      answerer_(std::move(answerer)),
      showError_(std::move(showError)) {}

QString FileChoosers::initialFolder(FileChooser kind) const {
  const FileChooserSpec& chooser = fileChooserSpec(kind);
  const QString stored = settings_.remembered(chooser.section, chooser.key);
  return stored.isEmpty() ? platform::programDirectory() : QFileInfo(stored).absolutePath();
}

QString FileChoosers::choose(FileChooser kind) {
  const FileChooserSpec& chooser = fileChooserSpec(kind);
  const QString folder = initialFolder(kind);
  if (answerer_) {
    return answerer_(kind, folder);
  }
  // Case-sensitive file systems would hide "car.kst401" behind the upper-case mask alone.
  const QString mask(chooser.mask);
  QFileDialog dialog(&window_, translated(chooser.title), folder,
                     QString("%1 (%1 %2)").arg(mask, mask.toLower()));
  dialog.setAcceptMode(chooser.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(chooser.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // A name typed without an extension gets the mask's.
  dialog.setDefaultSuffix(QString(chooser.mask).mid(2));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  return dialog.selectedFiles().constFirst();
}

void FileChoosers::remember(FileChooser kind, const QString& fileName) {
  const FileChooserSpec& chooser = fileChooserSpec(kind);
  settings_.remember(chooser.section, chooser.key, QFileInfo(fileName).absoluteFilePath());
  std::string reason;
  if (!settings_.save(&reason) && showError_) {
    showError_(translatedWith(texts::kSettingsWriteError, reason));
  }
}

}  // namespace kivprism::ui
