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
};

}  // namespace

std::span<const LanguageRow> canLogRows() { return kCanLogRows; }

}  // namespace kivprism::lang
