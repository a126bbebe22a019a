#include "ui/app/file_choosers.hpp"

#include <array>

#include "core/lang/summary_window_rows.hpp"
#include "ui/common/shell_texts.hpp"

namespace kivprism::ui {

namespace {

const std::array<FileChooserSpec, 6> kChoosers = {{
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
}};

}  // namespace

const FileChooserSpec& fileChooserSpec(FileChooser kind) {
  return kChoosers[static_cast<std::size_t>(kind)];
}

}  // namespace kivprism::ui
