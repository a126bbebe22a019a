#include "core/lang/can_log_rows.hpp"

#include <array>

namespace kivprism::lang {

namespace {

constexpr std::array kCanLogRows = {
    LanguageRow{"MainForm_TabSheetCANLOG_Caption", {"CAN лог", "CAN log"}},
    LanguageRow{"MainForm_ListViewCANLOG_Hint",
                {"Выберите параметры в меню, после нажатия правой кнопки мыши",
                 "Select Options from the menu after clicking the right mouse button"}},
    LanguageRow{"MainForm_CANLOG_BEGIN_Caption", {"Пуск", "Start"}},
    LanguageRow{"MainForm_CANLOG_SAVE_Caption",
                {"Пуск и сохранить в файл", "Start and save to file"}},
    LanguageRow{"MainForm_CANLOG_SAVE_TAB_Caption",
                {"Пуск и сохранить в файл с табуляцией", "Start and save to file with a TAB"}},
    LanguageRow{"MainForm_CANLOG_END_Caption", {"Стоп", "Stop"}},
    LanguageRow{"MainForm_CANLOG_CLEAR_Caption", {"Очистить лог", "Clear log"}},
    LanguageRow{"MainForm_CANLOG_HIDEDATA_Caption", {"Убрать детали", "Hide details"}},
    LanguageRow{"MainForm_CANLOG_HIDETHIS_Caption", {"Скрыть этот пакет", "Hide this packet"}},
    LanguageRow{"MainForm_CANLOG_HIDEALLNOTHIS_Caption",
                {"Скрыть все кроме этого", "Hide all except this"}},
    LanguageRow{"MainForm_CANLOG_HIDECURRENTID_Caption",
                {"Скрыть накопленные", "Hide accumulated"}},
    LanguageRow{"MainForm_CANLOG_HIDENOTCHANGED_Caption",
                {"Скрыть без изменений", "Hide not changed"}},
    LanguageRow{"MainForm_CANLOG_SHOWALLID_Caption", {"Показать все", "Show all"}},
    LanguageRow{"MainForm_CANLOG_MAKEEVENT_Caption",
                {"Сделать CAN событие из этого пакета", "Make a CAN event from this frame"}},
    LanguageRow{"MainForm_CANLOG_COPYCANDUMP_Caption",
                {"Копировать как строку candump", "Copy as candump line"}},
    LanguageRow{"MainForm_CANLOG_SAVELOG_Caption", {"Сохранить лог...", "Save log..."}},
    LanguageRow{"MainForm_CANLOG_SAVELOG_TAB_Caption",
                {"Сохранить лог с табуляцией...", "Save log with a TAB..."}},
    LanguageRow{"MainForm_CANLOG_OPEN_Caption", {"Открыть запись...", "Open capture..."}},
    LanguageRow{"MainForm_MenuItemOpenCanCapture_Caption",
                {"Открыть запись CAN...", "Open CAN capture..."}},
    LanguageRow{"MainForm_LabelCANLOGFilter_Caption", {"Идентификаторы:", "Identifiers:"}},
    LanguageRow{"MainForm_EditCANLOGFilter_Hint",
                {"Шестнадцатеричные идентификаторы и диапазоны, например: 123 200-2FF 18DAF110",
                 "Hexadecimal identifiers and ranges, for example: 123 200-2FF 18DAF110"}},
    LanguageRow{"MainForm_CheckBoxCANLOGChanged_Caption",
                {"Только с изменёнными байтами", "Changed bytes only"}},
};

}  // namespace

std::span<const LanguageRow> canLogRows() { return kCanLogRows; }

}  // namespace kivprism::lang
