// The texts of the backups taken before the controller's configuration is replaced: the question
// when one cannot be written, the closing messages that name it, and the menu item of the folder.
#pragma once

#include "core/lang/text.hpp"

namespace kivprism::lang::backup {

inline constexpr TextPair kAskWithoutBackup{
    "Не удалось сохранить резервную копию конфигурации контроллера:\n%s\n\n"
    "Продолжить без резервной копии?",
    "The backup of the controller's configuration could not be written:\n%s\n\n"
    "Go on without a backup?"};
// Opening a file while connected: the file goes to the controller with the next poll.
inline constexpr TextPair kFileGoesToController{
    "Файл прочитан и сейчас записывается в контроллер.\n"
    "Прежняя конфигурация контроллера сохранена в резервной копии %s",
    "The file is read and is now being written to the controller.\n"
    "The controller's previous configuration is saved in the backup %s"};
inline constexpr TextPair kFileGoesToControllerNoBackup{
    "Файл прочитан и сейчас записывается в контроллер.\n"
    "Резервная копия прежней конфигурации не сохранена.",
    "The file is read and is now being written to the controller.\n"
    "No backup of the previous configuration was saved."};
inline constexpr TextPair kDefaultsRestored{
    "Настройки по умолчанию восстановлены, прежняя конфигурация в %s",
    "The defaults are restored, the previous configuration is in %s"};
inline constexpr TextPair kUpdatedBackedUp{
    "Устройство обновлено до версии %u.%02u, прежняя конфигурация в %s",
    "The device is updated to version %u.%02u, the previous configuration is in %s"};
inline constexpr TextPair kFolderFailed{"Не удалось создать папку резервных копий\n%s\n%s",
                                        "The backups folder could not be made\n%s\n%s"};

}  // namespace kivprism::lang::backup
