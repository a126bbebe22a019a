#include "core/lang/summary_window_rows.hpp"

#include <array>

namespace kivprism::lang {

namespace {

constexpr std::array kSummaryWindowRows = {
    LanguageRow{"MainForm_MenuFile_Caption", {"Файл", "File"}},
    LanguageRow{"MainForm_MenuItemCompareFile_Caption",
                {"Сравнить с файлом...", "Compare with file..."}},
    LanguageRow{"MainForm_MenuItemCompareFile_Hint",
                {"Что отличает рабочую конфигурацию от файла конфигурации",
                 "What differs between the working configuration and a configuration file"}},
    LanguageRow{"MainForm_MenuItemExportSummary_Caption",
                {"Экспорт сводки...", "Export summary..."}},
    LanguageRow{"MainForm_MenuItemExportSummary_Hint",
                {"Сохранить сводку конфигурации в HTML, Markdown или CSV",
                 "Save a summary of the configuration as HTML, Markdown or CSV"}},
    LanguageRow{"MainForm_LabelCompareHint_Caption",
                {"Двойной щелчок или Enter на строке открывает её правило или параметр",
                 "A double click or Enter on a line opens its rule or parameter"}},
    LanguageRow{"MainForm_ButtonCompareClose_Caption", {"Закрыть", "Close"}},
};

}  // namespace

std::span<const LanguageRow> summaryWindowRows() { return kSummaryWindowRows; }

}  // namespace kivprism::lang
