// The file choosers with the folders they remember in the settings file.
#pragma once

#include <QString>
#include <functional>

class QWidget;

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

class SettingsFile;

// The window's file choosers: each opens in the folder of the file last chosen with it (the
// program's folder at first) and remembers the file chosen in the settings file.
class FileChoosers {
 public:
  // showError: the box for a settings file that cannot be written.
  FileChoosers(QWidget& window, SettingsFile& settings, FileAnswerer answerer,
               std::function<void(const QString& text)> showError);

  // The chosen full file name; empty for a cancel.
  QString choose(FileChooser kind);
  void remember(FileChooser kind, const QString& fileName);
  // Where the chooser opens.
  QString initialFolder(FileChooser kind) const;
  // Tests answer in place of the user.
  const FileAnswerer& answerer() const { return answerer_; }

 private:
  QWidget& window_;
  SettingsFile& settings_;
  FileAnswerer answerer_;
  std::function<void(const QString&)> showError_;
};

}  // namespace kivprism::ui
