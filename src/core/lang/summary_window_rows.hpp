// The window's commands on whole configurations: comparing the working one with a file and
// exporting its summary. Rows of the main window's table (the File menu and the comparison
// dialog, whose controls are named into MainForm's table) and the texts the program fills in.
#pragma once

#include <span>

#include "core/lang/language.hpp"
#include "core/lang/text.hpp"

namespace kivprism::lang {

std::span<const LanguageRow> summaryWindowRows();

namespace summary_window {
inline constexpr TextPair kCompareTitle{"Сравнение конфигураций", "Comparing configurations"};
inline constexpr TextPair kComparedWith{
    "Файл: %s\nи рабочая конфигурация (файл -> рабочая)",
    "File: %s\nand the working configuration (file -> working)"};
inline constexpr TextPair kEqual{"Конфигурации совпадают", "The configurations are equal"};
inline constexpr TextPair kCompareReadError{"Ошибка чтения файла для сравнения\n%s",
                                            "Error reading the file to compare\n%s"};
inline constexpr TextPair kExportWriteError{"Ошибка записи сводки\n%s",
                                            "Error writing the summary\n%s"};
inline constexpr TextPair kExportWritten{"Сводка сохранена", "Summary saved"};
inline constexpr TextPair kChooseCompareFile{"Сравнить с файлом конфигурации",
                                             "Compare with a configuration file"};
inline constexpr TextPair kChooseSummaryFile{"Сохранить сводку конфигурации",
                                             "Save the configuration summary"};
}  // namespace summary_window

}  // namespace kivprism::lang
