// The settings file of the program: window placement, menu ticks, the language and the remembered
// files, in the Windows profile format in section "MainSettings" and the file-chooser sections.
#pragma once

#include <QString>
#include <optional>

#include "core/config/profile_store.hpp"

namespace kivprism::ui {

inline constexpr char kMainSettings[] = "MainSettings";

struct ShellSettings {
  std::optional<int> mainTop;
  std::optional<int> mainLeft;
  bool mainMaximized = false;
  std::optional<int> lang;
  bool log = false;
  bool debug = false;
  bool onlyUsed = false;
  // The keyboard-usage dialog's placement; kept as read until that dialog exists.
  std::optional<int> keyTop;
  std::optional<int> keyLeft;
  int keyVisible = 0;
  int txHeight = 64;
  // The parameters page's last tab, by its object name; empty: the first.
  QString paramsTab;
};

class SettingsFile {
 public:
  explicit SettingsFile(QString path) : path_(std::move(path)) {}

  const QString& path() const { return path_; }
  // A missing file is an empty profile; false only when an existing file cannot be read.
  bool load();
  // Creates the folder when needed; false with the reason when the file cannot be written, or
  // when it exists but could not be loaded (it is then left as it is).
  bool save(std::string* reason = nullptr);

  ShellSettings shell() const;
  void setShell(const ShellSettings& settings);

  // A remembered file name; empty when none.
  QString remembered(const char* section, const char* key) const;
  void remember(const char* section, const char* key, const QString& fileName);

  config::ProfileStore& profile() { return profile_; }

 private:
  std::optional<int> integer(const char* key) const;

  QString path_;
  config::ProfileStore profile_;
  bool unreadable_ = false;
};

}  // namespace kivprism::ui
