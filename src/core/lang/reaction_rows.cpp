// The language table's rows for the reaction half of the event/reaction editor: the page captions,
// caption and unit labels, check boxes and hints of its controls. Controls whose names end in x
// keep their texts with their bindings (core/editor/reaction_pane.cpp) or derive them.
#include <array>

#include "core/lang/common_texts.hpp"
#include "core/lang/language_table.hpp"

namespace kivprism::lang {

namespace {

constexpr TextPair kReactionMs = kMilliseconds;
constexpr TextPair kMinDuration{"Мин. длит.", "Min. durat."};
constexpr TextPair kAutoRepeat{"Автоповтор", "Autoreplay"};
constexpr TextPair kSaveBefore{"Сохранить перед сменой", "Save before changing"};
constexpr TextPair kTrigger{"Триггер", "Trigger"};

constexpr LanguageRow sameInBoth(std::string_view key, std::string_view text) {
  return {key, {text, text}};
}

constexpr std::array kReactionRows = {
    // Pages whose captions the table carries (the others are named by the refresh).
    LanguageRow{"MainForm_TabSheetReactionZero_Caption", {"Не задана", "Not set"}},
    LanguageRow{"MainForm_TabSheetReactionUSBKey_Caption", {"USB кнопка", "USB key"}},
    LanguageRow{"MainForm_TabSheetReactionIR_Caption", {"ИК код", "IR code"}},
    LanguageRow{"MainForm_TabSheetReactionOUT_Caption", {"Вывод", "Pin"}},
    LanguageRow{"MainForm_TabSheetReactionAnalog_Caption", {"Управление", "Control"}},
    LanguageRow{"MainForm_TabSheetReactionSRC_Caption", {"Источник", "Source"}},
    LanguageRow{"MainForm_TabSheetReactionTouch_Caption", {"USB Нажатие", "USB Touch"}},
    LanguageRow{"MainForm_TabSheetReactionEventColtrol_Caption",
                {"Управление событиями", "Event manage"}},
    LanguageRow{"MainForm_TabSheetReactionEventIEAMPL_Caption",
                {"Управление усилителем", "Amplifier control"}},
    LanguageRow{"MainForm_TabSheetReactionUSBMouse_Caption", {"USB мышь", "USB mouse"}},
    LanguageRow{"MainForm_TabSheetReactionEncoder_Caption", {"Энкодер", "Encoder"}},
    sameInBoth("MainForm_TabSheetRESEMUL_Caption", "ResEmul"),

    // USB key.
    LanguageRow{"MainForm_PanelReactionUSBKeyDlit_Caption", kMinDuration},
    LanguageRow{"MainForm_PanelReactionUSBKeyDlitMS_Caption", kReactionMs},
    // IR code.
    LanguageRow{"MainForm_PanelReactionIROUTNUM_Caption", {"Выход", "Output"}},
    LanguageRow{"MainForm_ComboBoxReactionIROUTNUM_Hint",
                {"Вывод, на который выдаётся ИК код", "Pin the IR code is sent on"}},
    // Pin.
    LanguageRow{"MainForm_Panel3_Caption", {"Вывод", "Pin"}},
    LanguageRow{"MainForm_Panel19_Caption", {"Режим", "Mode"}},
    LanguageRow{"MainForm_Panel12_Caption", kMinDuration},
    LanguageRow{"MainForm_PanelEventReactionPinTOMS_Caption", kReactionMs},
    LanguageRow{"MainForm_ComboBoxEventReactionPinNUM_Hint",
                {"Вывод, которым управляет реакция", "The pin the response drives"}},
    LanguageRow{"MainForm_ComboBoxEventReactionPinMODE_Hint",
                {"Как реакция управляет выводом", "How the response drives the pin"}},
    // Control (analog outputs).
    LanguageRow{"MainForm_Panel5_Caption", {"Выход 1", "Output 1"}},
    LanguageRow{"MainForm_Panel6_Caption", kVolts},
    LanguageRow{"MainForm_Panel7_Caption", {"Выход 2", "Output 2"}},
    LanguageRow{"MainForm_Panel8_Caption", kVolts},
    LanguageRow{"MainForm_Panel9_Caption", kMinDuration},
    LanguageRow{"MainForm_Panel10_Caption", kReactionMs},
    LanguageRow{"MainForm_CheckBoxReactionAnalogVOUT1save_Caption", kSaveBefore},
    LanguageRow{"MainForm_CheckBoxReactionAnalogVOUT2save_Caption", kSaveBefore},
    // Source.
    LanguageRow{"MainForm_PanelEventReactionSRC_Caption", {"Источник", "Source"}},
    LanguageRow{"MainForm_CheckBoxEventReactionSRCSave_Caption", kSaveBefore},
    // USB touch.
    sameInBoth("MainForm_PanelReactionTouchX_Caption", "X"),
    sameInBoth("MainForm_PanelReactionTouchY_Caption", "Y"),
    LanguageRow{"MainForm_PanelTouchDlit_Caption", {"Длительность, мСек", "Duration, mSec"}},
    LanguageRow{"MainForm_SpeedButtonReactionTouch_Caption", {"Получить точку", "Get the point"}},
    LanguageRow{"MainForm_SpeedButtonReactionTouch_Hint",
                {"Получить точку нажатия", "Get touch point"}},
    // Event manage.
    LanguageRow{"MainForm_Panel18_Caption", {"Событие", "Event"}},
    // USB mouse.
    LanguageRow{"MainForm_ComboBoxReactionUSBMouseType_Hint", {"Действие мыши", "Mouse action"}},
    // Encoder.
    LanguageRow{"MainForm_PanelReactionEncoderMODE_Caption", {"Подключение", "Connection"}},
    LanguageRow{"MainForm_PanelReactionEncoderDIR_Caption", {"Шагов", "Steps"}},
    LanguageRow{"MainForm_LabelReactionEncoderReplay_Caption", kAutoRepeat},
    LanguageRow{"MainForm_LabelReactionEncoderReplaymSec_Caption", kReactionMs},
    // Cursor move.
    LanguageRow{"MainForm_PanelReactionCurMoveDirection_Caption", {"Двигаться", "Move"}},
    LanguageRow{"MainForm_PanelReactionCurMoveNumPointsOn_Caption", {"на", "by"}},
    LanguageRow{"MainForm_PanelReactionCurMoveNumPoints_Caption", {"точек", "points"}},
    LanguageRow{"MainForm_CheckBoxReactionCurMovePress_Caption", {"С нажатием", "With press"}},
    // LIN, HWR.
    LanguageRow{"MainForm_CheckBoxReactionLINTrigger_Caption", kTrigger},
    LanguageRow{"MainForm_CheckBoxReactionHWRTrigger_Caption", kTrigger},
    // CarDSP.
    LanguageRow{"MainForm_LabelReactionCarDSPReplay_Caption", kAutoRepeat},
    LanguageRow{"MainForm_LabelReactionCarDSPReplaymSec_Caption", kReactionMs},
    // ResEmul.
    sameInBoth("MainForm_Panel22_Caption", "X"),
    sameInBoth("MainForm_Panel23_Caption", "Y"),
    // Steering-wheel CAN.
    LanguageRow{"MainForm_GroupBoxSWCAN_DISPLAY_MESSAGE_Caption",
                {" Дисплей приборной панели ", " Dashboard display "}},
    LanguageRow{"MainForm_PanelSWCAN_DISPLAY_MESSAGE_DLIT_Caption",
                {"Длительность, мСек", "Duration, mS"}},
    // GaNet.
    LanguageRow{"MainForm_LabelReactionGNNAVIPARAM_Caption",
                {"Код, HEX 2 байта", "Code, HEX 2 bytes"}},
    // PWM.
    LanguageRow{"MainForm_LabelRespCh1PWM_Caption", {"Канал 1", "Channel 1"}},
    LanguageRow{"MainForm_LabelRespCh2PWM_Caption", {"Канал 2", "Channel 2"}},
    LanguageRow{"MainForm_LabelRespCh3PWM_Caption", {"Канал 3", "Channel 3"}},
    LanguageRow{"MainForm_LabelRespCh4PWM_Caption", {"Канал 4", "Channel 4"}},
    LanguageRow{"MainForm_PanelRespRepPWM_Caption", {"Повтор", "Replay"}},
    LanguageRow{"MainForm_PanelRespPWMmSec_Caption", {"мСек", "mSec"}},
};

}  // namespace

std::span<const LanguageRow> reactionPaneRows() { return kReactionRows; }

}  // namespace kivprism::lang
