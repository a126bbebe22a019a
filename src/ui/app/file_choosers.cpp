#include "ui/app/file_choosers.hpp"

#include <array>

#include "ui/app/shell_texts.hpp"

namespace kivprism::ui {

namespace {

const std::array<FileChooserSpec, 4> kChoosers = {{
    {FileChooser::ConfigToOpen, false, "KIVSOLANPRISM-F401", "DirectoryConfig", "*.KST401",
     texts::kChooseConfigToOpen},
    {FileChooser::ConfigToSave, true, "KIVSOLANPRISM-F401", "DirectoryConfig", "*.KST401",
     texts::kChooseConfigToSave},
    {FileChooser::FirmwareToOpen, false, "PROG", "DirectoryProg", "*.LDR",
     texts::kChooseFirmwareToOpen},
    {FileChooser::CanLogToSave, true, "KIVSOLANPRISM-F401-CANLOG", "DirectoryConfig", "*.LOG",
     texts::kChooseCanLogToSave},
}};

}  // namespace

const FileChooserSpec& fileChooserSpec(FileChooser kind) {
  return kChoosers[static_cast<std::size_t>(kind)];
}

}  // namespace kivprism::ui
