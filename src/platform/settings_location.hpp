// Where the program keeps its settings file: beside the program, named like the program file with
// ".ini", as installers expect when they carry the program on a stick; when that folder is not
// writable, or when the program is an installed copy, in the user's configuration folder.
#pragma once

#include <QString>

namespace kivprism::platform {

// The folder that holds the running program.
QString programDirectory();

// The full name of the settings file for the running program.
QString settingsFilePath();

// The rule itself, for a program file in a folder: beside it when the folder (or an existing file)
// is writable and the program is not installed (no "../share/applications/<base name>.desktop"
// beside its folder), else "<userConfigDir>/kivprism/<base name>.ini".
QString chooseSettingsFilePath(const QString& programFile, const QString& userConfigDir);

// The folder of the backups of the controller's configuration: beside the settings file, named
// after it ("kivprism-backups" for "kivprism.ini"), so the demo's backups of its simulated
// controller never take the place of a real car's.
QString backupsFolderPath(const QString& settingsFile);

}  // namespace kivprism::platform
