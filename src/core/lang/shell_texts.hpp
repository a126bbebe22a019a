// The texts of the main window that the program sets itself (messages, file chooser titles, the
// captions and hints of controls whose names end in x), each as a Russian/English pair.
#pragma once

#include "core/lang/common_texts.hpp"
#include "core/lang/text.hpp"

namespace kivprism::lang::shell {

inline constexpr char kProgramVersion[] = "1.40";
inline constexpr TextPair kWindowCaption{"Программа настройки KIV SOLAN PRISM F401. Версия %s",
                                         "Setup program KIV SOLAN PRISM F401. Version %s"};

// The About box: this program's version and licence, and the libraries it runs on.
inline constexpr TextPair kAboutMenu{"О программе", "About"};
inline constexpr TextPair kAboutText{
    "kivprism %s\n"
    "Программа настройки контроллера KIVSOLANPRISM-F401.\n"
    "Лицензия MIT (файл LICENSE): свободное использование, изменение и распространение, "
    "без гарантий.\n"
    "Qt %s, %s",
    "kivprism %s\n"
    "Configuration program of the KIVSOLANPRISM-F401 controller.\n"
    "MIT licence (file LICENSE): free to use, change and pass on, without warranty.\n"
    "Qt %s, %s"};
inline constexpr TextPair kAboutSimulated{"симулятор контроллера", "simulated controller"};

// Message box captions by kind.
inline constexpr TextPair kCaptionError{"Ошибка", "Error"};
inline constexpr TextPair kCaptionQuestion{"Вопрос", "Question"};
inline constexpr TextPair kCaptionWarning{"Предупреждение", "Warning"};
inline constexpr TextPair kCaptionInformation{"Информация", "Information"};
// The buttons of the question asked before work would be lost.
inline constexpr TextPair kButtonSave{"Сохранить", "Save"};
inline constexpr TextPair kButtonDiscard{"Не сохранять", "Discard"};
inline constexpr TextPair kButtonCancel{"Отмена", "Cancel"};

// The second start is refused before any language is known.
inline constexpr char kAlreadyRunning[] = "Setup program KIVST_GUI_F401 is already running";
inline constexpr char kAlreadyRunningCaption[] = "Error";

inline constexpr TextPair kSettingsReadError{"Ошибка чтения файла конфигурации программы",
                                             "Error reading the configuration file of the program"};
inline constexpr TextPair kSettingsWriteError{
    "Ошибка записи файла конфигурации программы\n%s",
    "Error writing the configuration file of the program\n%s"};

// Toolbar commands.
inline constexpr TextPair kControllerDisconnected{"Контроллер отключен",
                                                  "Controller is disconnected"};
inline constexpr TextPair kDialogFailed{"Ошибка создания формы диалога",
                                        "Failed to create the dialog"};

// File choosers.
inline constexpr TextPair kChooseConfigToOpen{"Выбор файла конфигурации устройства",
                                              "The choice of device configuration file"};
inline constexpr TextPair kChooseConfigToSave{"Сохранение файла конфигурации устройства",
                                              "Saving the Configuration File Devices"};
inline constexpr TextPair kChooseFirmwareToOpen{"Выбор файла обновления прошивки устройства",
                                                "The choice of device firmware update file"};
inline constexpr TextPair kChooseCanLogToSave{"Сохранение файла CAN лога",
                                              "Saving the File CAN log"};

// Program-filled controls.
inline constexpr TextPair kLanguageHint{"Выбор языка/Select language",
                                        "Выбор языка/Select language"};
inline constexpr TextPair kLanguageMenu{"Язык/Language", "Язык/Language"};
inline constexpr TextPair kRussian{"Русский", "Русский"};
inline constexpr TextPair kEnglish{"English", "English"};
inline constexpr TextPair kSelectedUnknown = lang::kSelectedUnknown;
inline constexpr TextPair kCurrentSourceHint{"Текущий номер выбранного источника",
                                             "Current number of the selected source"};

// Terminal page.
inline constexpr TextPair kClearScreen{"Очистить окно", "Clear screen"};
inline constexpr TextPair kCopyAll{"Копировать все", "Copy All"};

}  // namespace kivprism::lang::shell
