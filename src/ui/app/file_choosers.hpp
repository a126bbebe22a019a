// The file choosers with the folders they remember in the settings file.
#pragma once

#include <QString>
#include <functional>

#include "core/lang/text.hpp"

namespace kivprism::ui {

enum class FileChooser {
  ConfigToOpen,
  ConfigToSave,
  FirmwareToOpen,
  CanLogToSave,
  ConfigToCompare,
  SummaryToSave,
  CanLogToOpen
};

struct FileChooserSpec {
  FileChooser kind;
  bool save;
  const char* section;
  const char* key;
  const char* mask;
  lang::TextPair title;
};

const FileChooserSpec& fileChooserSpec(FileChooser kind);

// Stands in for the user in tests: gets the chooser and its initial folder, returns the chosen
// full file name or an empty text for a cancel.
using FileAnswerer = std::function<QString(FileChooser kind, const QString& initialFolder)>;

}  // namespace kivprism::ui
