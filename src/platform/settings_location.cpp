#include "platform/settings_location.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kivprism::platform {

QString programDirectory() { return QCoreApplication::applicationDirPath(); }

QString settingsFilePath() {
  return chooseSettingsFilePath(
      QCoreApplication::applicationFilePath(),
      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

QString chooseSettingsFilePath(const QString& programFile, const QString& userConfigDir) {
  const QFileInfo program(programFile);
  const QString fileName = program.completeBaseName() + ".ini";
  const QFileInfo beside(program.dir(), fileName);
  // An installed copy (its desktop entry installed beside it, in PREFIX/share/applications) keeps
  // its settings with the user even when its folder is writable: for root, or a user who owns the
  // prefix, a settings file in PREFIX/bin would be left behind there and shared by every user.
  const bool installed =
      QFileInfo(program.dir(), QStringLiteral("../share/applications/") +
                                   program.completeBaseName() + QStringLiteral(".desktop"))
          .exists();
  const bool writable =
      beside.exists() ? beside.isWritable() : QFileInfo(program.absolutePath()).isWritable();
  if (writable && !installed) {
    return beside.absoluteFilePath();
  }
  return QDir(userConfigDir).filePath(QStringLiteral("kivprism/") + fileName);
}

QString backupsFolderPath(const QString& settingsFile) {
  const QFileInfo settings(settingsFile);
  return settings.dir().filePath(settings.completeBaseName() + QStringLiteral("-backups"));
}

}  // namespace kivprism::platform
