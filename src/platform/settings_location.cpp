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
  const bool writable =
      beside.exists() ? beside.isWritable() : QFileInfo(program.absolutePath()).isWritable();
  if (writable) {
    return beside.absoluteFilePath();
  }
  return QDir(userConfigDir).filePath(QStringLiteral("kivprism/") + fileName);
}

}  // namespace kivprism::platform
