#include "ui/common/shell_settings.hpp"

#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include "core/about/version.hpp"
#include "core/config/config_file.hpp"

namespace kivprism::ui {

namespace {

std::filesystem::path toFsPath(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

void setInteger(config::ProfileStore& profile, const char* key, int value) {
  profile.set(kMainSettings, key, std::to_string(value));
}

}  // namespace

bool SettingsFile::load() {
  profile_ = {};
  unreadable_ = false;
  if (!QFileInfo::exists(path_)) {
    return true;
  }
  std::string text;
  if (config::readFileBytes(toFsPath(path_), text)) {
    unreadable_ = true;
    return false;
  }
  profile_ = config::ProfileStore::parse(text);
  return true;
}

bool SettingsFile::save(std::string* reason) {
  // Saving what little we know over a file we could not read would lose everything else in it.
  if (unreadable_) {
    if (reason != nullptr) {
      *reason = path_.toStdString() + ": could not be read at start-up, left unchanged";
    }
    return false;
  }
  QDir().mkpath(QFileInfo(path_).absolutePath());
  profile_.setHeaderComment(about::writerLine());
  const auto error = config::writeFileAtomically(toFsPath(path_), profile_.serialize());
  if (error && reason != nullptr) {
    *reason = error->describe();
  }
  return !error;
}

std::optional<int> SettingsFile::integer(const char* key) const {
  const auto text = profile_.get(kMainSettings, key);
  if (!text) {
    return std::nullopt;
  }
  const auto value = config::parseProfileInteger(*text);
  if (!value) {
    return std::nullopt;
  }
  return static_cast<int>(static_cast<std::int32_t>(*value));
}

ShellSettings SettingsFile::shell() const {
  ShellSettings s;
  s.mainTop = integer("MainTop");
  s.mainLeft = integer("MainLeft");
  s.mainMaximized = integer("MainMaximized").value_or(0) != 0;
  s.lang = integer("Lang");
  s.log = integer("Log").value_or(0) != 0;
  s.debug = integer("Debug").value_or(0) != 0;
  s.onlyUsed = integer("OnlyUsed").value_or(0) != 0;
  s.keyTop = integer("KeyTop");
  s.keyLeft = integer("KeyLeft");
  s.keyVisible = integer("KeyVisible").value_or(0);
  s.txHeight = integer("TXHeight").value_or(s.txHeight);
  s.paramsTab = QString::fromStdString(profile_.get(kMainSettings, "ParamsTab", ""));
  return s;
}

void SettingsFile::setShell(const ShellSettings& s) {
  setInteger(profile_, "MainTop", s.mainTop.value_or(0));
  setInteger(profile_, "MainLeft", s.mainLeft.value_or(0));
  setInteger(profile_, "MainMaximized", s.mainMaximized ? 1 : 0);
  setInteger(profile_, "Lang", s.lang.value_or(0));
  setInteger(profile_, "Log", s.log ? 1 : 0);
  setInteger(profile_, "Debug", s.debug ? 1 : 0);
  setInteger(profile_, "OnlyUsed", s.onlyUsed ? 1 : 0);
  if (s.keyTop) {
    setInteger(profile_, "KeyTop", *s.keyTop);
  }
  if (s.keyLeft) {
    setInteger(profile_, "KeyLeft", *s.keyLeft);
  }
  setInteger(profile_, "KeyVisible", s.keyVisible);
  setInteger(profile_, "TXHeight", s.txHeight);
  if (!s.paramsTab.isEmpty()) {
    profile_.set(kMainSettings, "ParamsTab", s.paramsTab.toStdString());
  }
}

QString SettingsFile::remembered(const char* section, const char* key) const {
  return QString::fromStdString(profile_.get(section, key, ""));
}

void SettingsFile::remember(const char* section, const char* key, const QString& fileName) {
  profile_.set(section, key, fileName.toStdString());
}

}  // namespace kivprism::ui
