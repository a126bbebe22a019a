// The language table's rows for the event/reaction pane: its group boxes, the event pages' tabs
// and labels, and the common bottom row. Program-filled controls (names ending in x) keep their
// texts with their bindings (core/editor/event_pane.cpp).
#include <array>

#include "core/lang/common_texts.hpp"
#include "core/lang/language_table.hpp"

namespace kivprism::lang {

namespace {

constexpr TextPair kMs = kMilliseconds;
constexpr TextPair kForMoreThan{"В течении более", "For more than"};

constexpr std::array kRows = {
    LanguageRow{"MainForm_GroupBoxEvent_Caption", {" Событие ", " Event "}},
    LanguageRow{"MainForm_GroupBoxReaction_Caption", {" Реакция ", " Response "}},
    // Event pages.
    LanguageRow{"MainForm_TabSheetEventZero_Caption", {"Не задано", "Not set"}},
    LanguageRow{"MainForm_TabSheetEventKey_Caption", {"Кнопка", "Button"}},
    LanguageRow{"MainForm_PanelKeyModText_Caption", {"Мод", "Mod"}},
    LanguageRow{"MainForm_PanelKeyText_Caption", {"Кнопка", "Button"}},
    LanguageRow{"MainForm_TabSheetEventIR_Caption", {"ИК код", "IR code"}},
    LanguageRow{"MainForm_TabSheetEventSRC_Caption", {"Источник", "Source"}},
    LanguageRow{"MainForm_TabSheetEventTimeout_Caption", {"Таймаут", "Timeout"}},
    LanguageRow{"MainForm_PanelEventTimeoutFrom_Caption", {"через", "after"}},
    LanguageRow{"MainForm_PanelEventTimeout_Caption", kMs},
    LanguageRow{"MainForm_TabSheetEventIntercept_Caption", {"Перехват", "Intercept"}},
    LanguageRow{"MainForm_TabSheetEventVoltage_Caption", {"Напряжение", "Voltage"}},
    LanguageRow{"MainForm_Panel16_Caption", kForMoreThan},
    LanguageRow{"MainForm_Panel17_Caption", kMs},
    LanguageRow{"MainForm_TabSheetEventGesture_Caption", {"Жесты", "Gestures"}},
    LanguageRow{"MainForm_PanelEventGestureFrom_Caption", {"Из", "From"}},
    LanguageRow{"MainForm_PanelEventGestureTo_Caption", {"В", "To"}},
    LanguageRow{"MainForm_TabSheetEventiDRIVE_Caption", {"iDrive", "iDrive"}},
    LanguageRow{"MainForm_TabSheetEventPin_Caption", {"Выводы", "Pins"}},
    LanguageRow{"MainForm_Panel11_Caption", {"=", "="}},
    LanguageRow{"MainForm_Panel13_Caption", kForMoreThan},
    LanguageRow{"MainForm_TabSheetBT_Caption", {"Блютус", "Bluetooth"}},
    LanguageRow{"MainForm_TabSheetEventAUDIMMI_Caption", {"AUDI MMI", "AUDI MMI"}},
    LanguageRow{"MainForm_TabSheetEventRenaultCANJoy_Caption",
                {"Renault CAN Joy", "Renault CAN Joy"}},
    LanguageRow{"MainForm_TabSheetEventMCONTROL_Caption", {"Mercedes Ctrl", "Mercedes Ctrl"}},
    LanguageRow{"MainForm_PanelEventVarTO1_Caption", kForMoreThan},
    LanguageRow{"MainForm_PanelEventVarTO2_Caption", kMs},
    LanguageRow{"MainForm_TabSheetEventHK_Caption", {"Панель Honda", "Panel Honda"}},
    // The common bottom row.
    LanguageRow{"MainForm_PanelEventPress_Caption", {"Нажатие", "Press"}},
    LanguageRow{"MainForm_CheckBoxEventWakeUp_Caption", {"Пробуждать", "Wake Up"}},
    LanguageRow{"MainForm_CheckBoxEventWakeUp_Hint",
                {"Пробуждать при наступлении этого события", "Wake up when that event occurs"}},
    LanguageRow{"MainForm_CheckBoxEventOnce_Caption", {"Однократно", "One time only"}},
    LanguageRow{"MainForm_CheckBoxEventOnce_Hint",
                {"Только однократная реакция", "Only a single response"}},
    LanguageRow{"MainForm_PanelEventSRC_Caption", {"Источник", "Source"}},
};

}  // namespace

std::span<const LanguageRow> eventPaneRows() { return kRows; }

}  // namespace kivprism::lang
