// The language table's item lists of the fixed-content combo boxes of the parameters page and the
// event and reaction pages: each item followed by CR LF. The lists the program fills itself (names
// ending in x) have no rows.
#include <array>

#include "core/lang/language_table.hpp"

namespace kivprism::lang {

namespace {

constexpr LanguageRow same(std::string_view key, std::string_view text) {
  return {key, {text, text}};
}

constexpr std::array kRows = {
    LanguageRow{"MainForm_ComboBoxPULSENUM_Caption",
                {"Отключен\r\n"
                 "X2/2\r\n"
                 "X2/3\r\n"
                 "X2/4\r\n"
                 "X2/5\r\n"
                 "X2/6\r\n"
                 "X4/2\r\n"
                 "X4/3\r\n"
                 "X5/7\r\n"
                 "X5/8\r\n"
                 "X6/2\r\n"
                 "X6/3\r\n"
                 "X6/5\r\n"
                 "X6/6\r\n"
                 "IO5\r\n"
                 "IO6\r\n",
                 "Disabled\r\n"
                 "X2/2\r\n"
                 "X2/3\r\n"
                 "X2/4\r\n"
                 "X2/5\r\n"
                 "X2/6\r\n"
                 "X4/2\r\n"
                 "X4/3\r\n"
                 "X5/7\r\n"
                 "X5/8\r\n"
                 "X6/2\r\n"
                 "X6/3\r\n"
                 "X6/5\r\n"
                 "X6/6\r\n"
                 "IO5\r\n"
                 "IO6\r\n"}},
    LanguageRow{"MainForm_ComboBoxRenaultJoyType_Caption",
                {"Не используется\r\n"
                 "6 кнопок и колесико\r\n"
                 "9 кнопок и колесико\r\n",
                 "Not used\r\n"
                 "6 buttons and a wheel\r\n"
                 "9 buttons and a wheel\r\n"}},
    LanguageRow{"MainForm_ComboBoxTouchMode_Caption",
                {"Отключена\r\n"
                 "Только внешняя\r\n"
                 "Перехват - 0В\r\n"
                 "Перехват > 3В\r\n"
                 "Источники...\r\n",
                 "Disabled\r\n"
                 "External only\r\n"
                 "Interception - 0V\r\n"
                 "Interception > 3V\r\n"
                 "Sources...\r\n"}},
    LanguageRow{"MainForm_ComboBoxSource2Touch_Caption",
                {"Любой\r\n"
                 "Выбрать...\r\n",
                 "Any\r\n"
                 "Select...\r\n"}},
    LanguageRow{"MainForm_ComboBoxIRINPNUM_Caption",
                {"Отключен\r\n"
                 "X2/2\r\n"
                 "X2/3\r\n"
                 "X2/4\r\n"
                 "X2/5\r\n"
                 "X2/6\r\n"
                 "X4/2\r\n"
                 "X4/3\r\n"
                 "X6/2\r\n"
                 "X6/3\r\n"
                 "X6/5\r\n"
                 "X6/6\r\n"
                 "IERX\r\n"
                 "X5/6\r\n"
                 "X5/7\r\n"
                 "X5/8\r\n"
                 "X5/9\r\n"
                 "X5/10\r\n"
                 "IO5\r\n"
                 "IO6\r\n",
                 "Disabled\r\n"
                 "X2/2\r\n"
                 "X2/3\r\n"
                 "X2/4\r\n"
                 "X2/5\r\n"
                 "X2/6\r\n"
                 "X4/2\r\n"
                 "X4/3\r\n"
                 "X6/2\r\n"
                 "X6/3\r\n"
                 "X6/5\r\n"
                 "X6/6\r\n"
                 "IERX\r\n"
                 "X5/6\r\n"
                 "X5/7\r\n"
                 "X5/8\r\n"
                 "X5/9\r\n"
                 "X5/10\r\n"
                 "IO5\r\n"
                 "IO6\r\n"}},
    LanguageRow{"MainForm_ComboBoxEditEncoder1Mode_Caption",
                {"Отключен\r\n"
                 "X2/2, X2/3\r\n"
                 "X2/4, X2/5\r\n"
                 "X3/2, X3/3\r\n"
                 "X3/4, X3/5\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"
                 "X6/5, X6/6\r\n"
                 "IO5,IO6\r\n",
                 "Disabled\r\n"
                 "X2/2, X2/3\r\n"
                 "X2/4, X2/5\r\n"
                 "X3/2, X3/3\r\n"
                 "X3/4, X3/5\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"
                 "X6/5, X6/6\r\n"
                 "IO5,IO6\r\n"}},
    LanguageRow{"MainForm_ComboBoxEditEncoder2Mode_Caption",
                {"Отключен\r\n"
                 "X2/2, X2/3\r\n"
                 "X2/4, X2/5\r\n"
                 "X3/2, X3/3\r\n"
                 "X3/4, X3/5\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"
                 "X6/5, X6/6\r\n"
                 "IO5,IO6\r\n",
                 "Disabled\r\n"
                 "X2/2, X2/3\r\n"
                 "X2/4, X2/5\r\n"
                 "X3/2, X3/3\r\n"
                 "X3/4, X3/5\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"
                 "X6/5, X6/6\r\n"
                 "IO5,IO6\r\n"}},
    LanguageRow{"MainForm_ComboBoxGPSNUM_Caption",
                {"Отключен\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n",
                 "Disabled\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"}},
    LanguageRow{"MainForm_ComboBoxGPSSPEED_Caption",
                {"согласно USB\r\n"
                 "1200 bps\r\n"
                 "2400 bps\r\n"
                 "4800 bps\r\n"
                 "9600 bps\r\n"
                 "19200 bps\r\n"
                 "38400 bps\r\n"
                 "57600 bps\r\n"
                 "115200 bps\r\n",
                 "as on USB\r\n"
                 "1200 bps\r\n"
                 "2400 bps\r\n"
                 "4800 bps\r\n"
                 "9600 bps\r\n"
                 "19200 bps\r\n"
                 "38400 bps\r\n"
                 "57600 bps\r\n"
                 "115200 bps\r\n"}},
    LanguageRow{"MainForm_ComboBoxHEADTYPE_Caption",
                {"ALPINE\r\n"
                 "KENWOOD тип 1\r\n"
                 "KENWOOD тип 2\r\n"
                 "PIONEER тип 1\r\n"
                 "PIONEER тип 2\r\n"
                 "ROVER CAN\r\n"
                 "HONDA ODYSSEY\r\n",
                 "ALPINE\r\n"
                 "KENWOOD type 1\r\n"
                 "KENWOOD type 2\r\n"
                 "PIONEER type 1\r\n"
                 "PIONEER type 2\r\n"
                 "ROVER CAN\r\n"
                 "HONDA ODYSSEY\r\n"}},
    LanguageRow{"MainForm_ComboBoxHEADNUM_Caption",
                {"Отключен\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n",
                 "Disabled\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"}},
    LanguageRow{"MainForm_ComboBoxEXTNAVINUM_Caption",
                {"Отключен\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n",
                 "Disabled\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"}},
    LanguageRow{"MainForm_ComboBoxIDRIVEMODE_Caption",
                {"Автономный\r\n"
                 "Совместный\r\n",
                 "Standalone\r\n"
                 "Shared\r\n"}},
    LanguageRow{"MainForm_ComboBoxIDRIVELIGHT_Caption",
                {"Выключена\r\n"
                 "Включена\r\n"
                 "VIN1 (X5/9)\r\n"
                 "VIN2 (X5/10)\r\n",
                 "Off\r\n"
                 "On\r\n"
                 "VIN1 (X5/9)\r\n"
                 "VIN2 (X5/10)\r\n"}},
    LanguageRow{"MainForm_ComboBoxTOUCHPAD_MODE_Caption",
                {"Отключен\r\n"
                 "Тач панель\r\n"
                 "Эмуляция мыши x1\r\n"
                 "Эмуляция мыши x2\r\n"
                 "Эмуляция мыши x4\r\n"
                 "Эмуляция мыши x8\r\n"
                 "Эмуляция мыши x16\r\n",
                 "Disabled\r\n"
                 "Touch panel\r\n"
                 "Mouse emulation x1\r\n"
                 "Mouse emulation x2\r\n"
                 "Mouse emulation x4\r\n"
                 "Mouse emulation x8\r\n"
                 "Mouse emulation x16\r\n"}},
    LanguageRow{"MainForm_ComboBoxTOUCHPAD_CLICK_Caption",
                {"Только по тачпаду\r\n"
                 "И при нажатии джойстика\r\n",
                 "Touchpad only\r\n"
                 "Also on a joystick press\r\n"}},
    same("MainForm_ComboBoxMCONTROLtype_Caption", "DEFAULT\r\n"),
    LanguageRow{"MainForm_ComboBoxMCONTROLmode_Caption",
                {"Автономный\r\n"
                 "Совместный\r\n",
                 "Standalone\r\n"
                 "Shared\r\n"}},
    LanguageRow{"MainForm_ComboBoxMCONTROLlight_Caption",
                {"Включена\r\n"
                 "Выключена\r\n",
                 "On\r\n"
                 "Off\r\n"}},
    LanguageRow{"MainForm_ComboBoxMCONTROLmouse_Caption",
                {"Жесты\r\n"
                 "Скорость x1\r\n"
                 "Скорость x2\r\n"
                 "Скорость x3\r\n"
                 "Скорость x4\r\n"
                 "Скорость x5\r\n"
                 "Скорость x6\r\n"
                 "Скорость x7\r\n",
                 "Gestures\r\n"
                 "Speed x1\r\n"
                 "Speed x2\r\n"
                 "Speed x3\r\n"
                 "Speed x4\r\n"
                 "Speed x5\r\n"
                 "Speed x6\r\n"
                 "Speed x7\r\n"}},
    LanguageRow{"MainForm_ComboBoxMCONTROLlock_Caption",
                {"Выключено\r\n"
                 "Включено\r\n",
                 "Off\r\n"
                 "On\r\n"}},
    LanguageRow{"MainForm_ComboBoxGaNetMODE_Caption",
                {"Нет устройств\r\n"
                 "RDX\r\n"
                 "INSPIRE\r\n"
                 "MDX\r\n"
                 "NAVI EMUL\r\n"
                 "ACCORD\r\n"
                 "MDX MONITOR\r\n"
                 "RDX MONITOR\r\n",
                 "No devices\r\n"
                 "RDX\r\n"
                 "INSPIRE\r\n"
                 "MDX\r\n"
                 "NAVI EMUL\r\n"
                 "ACCORD\r\n"
                 "MDX MONITOR\r\n"
                 "RDX MONITOR\r\n"}},
    LanguageRow{"MainForm_ComboBoxGaNetVolumeOut_Caption",
                {"Не используется\r\n"
                 "Управление канал 1\r\n"
                 "Управление канал 2\r\n",
                 "Not used\r\n"
                 "Control channel 1\r\n"
                 "Control channel 2\r\n"}},
    LanguageRow{"MainForm_ComboBoxGaNetJOYUSETYPE_Caption",
                {"Без джойстика\r\n"
                 "Джойстик тип 1\r\n"
                 "Джойстик тип 2\r\n"
                 "Джойстик тип 3\r\n"
                 "Джойстик тип 4\r\n"
                 "Джойстик тип 5 (Acura MDX 2017+)\r\n",
                 "No joystick\r\n"
                 "Joystick type 1\r\n"
                 "Joystick type 2\r\n"
                 "Joystick type 3\r\n"
                 "Joystick type 4\r\n"
                 "Joystick type 5 (Acura MDX 2017+)\r\n"}},
    same("MainForm_ComboBoxIBUSNUM_Caption",
         "X5/7, X5/9 (OUT1/VIN1)\r\n"
         "X5/7, X5/9 (OUT1/VIN1) <-> UART (X4/2, X4/3), CTS (X6/5)\r\n"
         "X5/7, X5/9 (OUT1/VIN1) <-> UART (X6/2, X6/3), CTS (X6/5)\r\n"),
    LanguageRow{"MainForm_ComboBoxCap2ResNum_Caption",
                {"Отключен\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n",
                 "Disabled\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"}},
    LanguageRow{"MainForm_ComboBoxLINTYPE_Caption",
                {"Не используется\r\n"
                 "Руль Skoda Kodiaq\r\n"
                 "Руль Seat\r\n"
                 "Руль Polo\r\n",
                 "Not used\r\n"
                 "Skoda Kodiaq steering wheel\r\n"
                 "Seat steering wheel\r\n"
                 "Polo steering wheel\r\n"}},
    LanguageRow{"MainForm_ComboBoxBTNum_Caption",
                {"Отключен\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n",
                 "Disabled\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"}},
    LanguageRow{"MainForm_ComboBoxPS2Type_Caption",
                {"Не используется\r\n"
                 "Synaptics 920-000764-01\r\n",
                 "Not used\r\n"
                 "Synaptics 920-000764-01\r\n"}},
    LanguageRow{"MainForm_ComboBoxUARTNum_Caption",
                {"Отключен\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n",
                 "Disabled\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"}},
    same("MainForm_ComboBoxUARTSPEED_Caption",
         "1200 bps\r\n"
         "2400 bps\r\n"
         "4800 bps\r\n"
         "9600 bps\r\n"
         "19200 bps\r\n"
         "38400 bps\r\n"
         "57600 bps\r\n"
         "115200 bps\r\n"),
    LanguageRow{"MainForm_ComboBoxAUDIMMIType_Caption",
                {"Нет подключения\r\n"
                 "MMI 3G+\r\n"
                 "MMI 3G\r\n"
                 "MMI 2G HIGH\r\n",
                 "Not connected\r\n"
                 "MMI 3G+\r\n"
                 "MMI 3G\r\n"
                 "MMI 2G HIGH\r\n"}},
    LanguageRow{"MainForm_ComboBoxCarDspConnect_Caption",
                {"Отключен\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n",
                 "Disabled\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"}},
    LanguageRow{"MainForm_ComboBoxCarDspType_Caption",
                {"Расширенный\r\n"
                 "Укороченный\r\n",
                 "Extended\r\n"
                 "Shortened\r\n"}},
    LanguageRow{"MainForm_ComboBoxRESEMULPARAM_Caption",
                {"Отключен\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n",
                 "Disabled\r\n"
                 "X4/2, X4/3\r\n"
                 "X6/2, X6/3\r\n"}},
    LanguageRow{"MainForm_ComboBoxGAZERUARTNum_Caption",
                {"Отключен\r\n"
                 "X4/2\r\n"
                 "X6/2\r\n",
                 "Disabled\r\n"
                 "X4/2\r\n"
                 "X6/2\r\n"}},
    LanguageRow{"MainForm_ComboBoxVOLVO_ALPS_UART_Caption",
                {"Отключен\r\n"
                 "X4/2\r\n",
                 "Disabled\r\n"
                 "X4/2\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventIntercept_Caption",
                {"По активации\r\n"
                 "По деактивации\r\n",
                 "When activate\r\n"
                 "When deactivate\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventUSB_Caption",
                {"По активации\r\n"
                 "По деактивации\r\n",
                 "When activate\r\n"
                 "When deactivate\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventNAVIMUTE_Caption",
                {"По активации MUTE\r\n"
                 "По деактивации MUTE\r\n",
                 "When MUTE activate\r\n"
                 "When MUTE deactivate\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventGestureFrom_Caption",
                {"Вверху слева\r\n"
                 "Вверху по центру\r\n"
                 "Вверху справа\r\n"
                 "Слева по центру\r\n"
                 "В центре\r\n"
                 "Справа по центру\r\n"
                 "Внизу слева\r\n"
                 "Внизу по центру\r\n"
                 "Внизу справа\r\n",
                 "Top left\r\n"
                 "Top centre\r\n"
                 "Top right\r\n"
                 "Left centre\r\n"
                 "Centre\r\n"
                 "Right centre\r\n"
                 "Bottom left\r\n"
                 "Bottom centre\r\n"
                 "Bottom right\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventGestureTo_Caption",
                {"При нажатии\r\n"
                 "Движение вверх\r\n"
                 "Движение вправо\r\n"
                 "Движение вниз\r\n"
                 "Движение влево\r\n"
                 "Вверху слева\r\n"
                 "Вверху по центру\r\n"
                 "Вверху справа\r\n"
                 "Слева по центру\r\n"
                 "В центре\r\n"
                 "Справа по центру\r\n"
                 "Внизу слева\r\n"
                 "Внизу по центру\r\n"
                 "Внизу справа\r\n",
                 "On press\r\n"
                 "Moving up\r\n"
                 "Moving right\r\n"
                 "Moving down\r\n"
                 "Moving left\r\n"
                 "Top left\r\n"
                 "Top centre\r\n"
                 "Top right\r\n"
                 "Left centre\r\n"
                 "Centre\r\n"
                 "Right centre\r\n"
                 "Bottom left\r\n"
                 "Bottom centre\r\n"
                 "Bottom right\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventPinState_Caption",
                {"лог. 0\r\n"
                 "лог. 1\r\n",
                 "log. 0\r\n"
                 "log. 1\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventBT_Caption",
                {"По активации\r\n"
                 "По деактивации\r\n",
                 "When activate\r\n"
                 "When deactivate\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventEvent_Caption",
                {"Отключено\r\n"
                 "Короткое\r\n"
                 "Длинное\r\n"
                 "Любое\r\n",
                 "Disabled\r\n"
                 "Short\r\n"
                 "Long\r\n"
                 "Any\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventSRCMASK_Caption",
                {"Любой\r\n"
                 "Выбрать...\r\n",
                 "Any\r\n"
                 "Select...\r\n"}},
    // Reaction pages.
    LanguageRow{"MainForm_ComboBoxReactionIROUTNUM_Caption",
                {"Отключен\r\n"
                 "X2/2\r\n"
                 "X2/3\r\n"
                 "X2/4\r\n"
                 "X2/5\r\n"
                 "X2/6\r\n"
                 "X4/2\r\n"
                 "X4/3\r\n"
                 "X5/7\r\n"
                 "X5/8\r\n"
                 "X6/2\r\n"
                 "X6/3\r\n"
                 "X6/5\r\n"
                 "X6/6\r\n"
                 "IO5\r\n"
                 "IO6\r\n",
                 "Disabled\r\n"
                 "X2/2\r\n"
                 "X2/3\r\n"
                 "X2/4\r\n"
                 "X2/5\r\n"
                 "X2/6\r\n"
                 "X4/2\r\n"
                 "X4/3\r\n"
                 "X5/7\r\n"
                 "X5/8\r\n"
                 "X6/2\r\n"
                 "X6/3\r\n"
                 "X6/5\r\n"
                 "X6/6\r\n"
                 "IO5\r\n"
                 "IO6\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventReactionPinNUM_Caption",
                {"Не указана\r\n"
                 "Поддержка питания\r\n"
                 "X2/2\r\n"
                 "X2/3\r\n"
                 "X2/4\r\n"
                 "X2/5\r\n"
                 "X2/6\r\n"
                 "X4/2\r\n"
                 "X4/3\r\n"
                 "X5/6\r\n"
                 "X5/7\r\n"
                 "X5/8\r\n"
                 "X6/2\r\n"
                 "X6/3\r\n"
                 "X6/5\r\n"
                 "X6/6\r\n"
                 "USB_UP\r\n"
                 "RESTART\r\n"
                 "IO5\r\n"
                 "IO6\r\n",
                 "Not specified\r\n"
                 "Power hold\r\n"
                 "X2/2\r\n"
                 "X2/3\r\n"
                 "X2/4\r\n"
                 "X2/5\r\n"
                 "X2/6\r\n"
                 "X4/2\r\n"
                 "X4/3\r\n"
                 "X5/6\r\n"
                 "X5/7\r\n"
                 "X5/8\r\n"
                 "X6/2\r\n"
                 "X6/3\r\n"
                 "X6/5\r\n"
                 "X6/6\r\n"
                 "USB_UP\r\n"
                 "RESTART\r\n"
                 "IO5\r\n"
                 "IO6\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventReactionPinMODE_Caption",
                {"Полное управление\r\n"
                 "Триггер\r\n"
                 "Однократно со сбросом\r\n"
                 "Однократно с установкой\r\n",
                 "Full control\r\n"
                 "Trigger\r\n"
                 "Once then reset\r\n"
                 "Once then set\r\n"}},
    LanguageRow{"MainForm_ComboBoxReactionAnalogVOUT1type_Caption",
                {"Установить\r\n"
                 "Не изменять\r\n"
                 "Увеличить на\r\n"
                 "Уменьшить на\r\n"
                 "Присвоить\r\n"
                 "Восстановить\r\n"
                 "Mazda VOL\r\n"
                 "Mazda SUB\r\n",
                 "Set\r\n"
                 "Leave unchanged\r\n"
                 "Increase by\r\n"
                 "Decrease by\r\n"
                 "Assign\r\n"
                 "Restore\r\n"
                 "Mazda VOL\r\n"
                 "Mazda SUB\r\n"}},
    LanguageRow{"MainForm_ComboBoxReactionAnalogVOUT2type_Caption",
                {"Установить\r\n"
                 "Не изменять\r\n"
                 "Увеличить на\r\n"
                 "Уменьшить на\r\n"
                 "Присвоить\r\n"
                 "Восстановить\r\n"
                 "Mazda VOL\r\n"
                 "Mazda SUB\r\n",
                 "Set\r\n"
                 "Leave unchanged\r\n"
                 "Increase by\r\n"
                 "Decrease by\r\n"
                 "Assign\r\n"
                 "Restore\r\n"
                 "Mazda VOL\r\n"
                 "Mazda SUB\r\n"}},
    LanguageRow{"MainForm_ComboBoxEventReactionSRC_Caption",
                {"Следующий\r\n"
                 "Источник 1\r\n"
                 "Источник 2\r\n"
                 "Источник 3\r\n"
                 "Источник 4\r\n"
                 "Источник 5\r\n"
                 "Источник 6\r\n"
                 "Источник 7\r\n"
                 "Источник 8\r\n"
                 "Предыдущий\r\n"
                 "Восстановить\r\n",
                 "Next\r\n"
                 "Source 1\r\n"
                 "Source 2\r\n"
                 "Source 3\r\n"
                 "Source 4\r\n"
                 "Source 5\r\n"
                 "Source 6\r\n"
                 "Source 7\r\n"
                 "Source 8\r\n"
                 "Previous\r\n"
                 "Restore\r\n"}},
    LanguageRow{"MainForm_ComboBoxReactionEventHandleType_Caption",
                {"Выдать\r\n"
                 "Запретить\r\n"
                 "Разрешить\r\n",
                 "Simulate\r\n"
                 "Disable\r\n"
                 "Enable\r\n"}},
    LanguageRow{"MainForm_ComboBoxReactionUSBMouseType_Caption",
                {"Клик левой кнопкой\r\n"
                 "Клик правой кнопкой\r\n"
                 "Клик средней кнопкой\r\n"
                 "Клик 4-й кнопкой\r\n"
                 "Клик 5-й кнопкой\r\n"
                 "Клик 6-й кнопкой\r\n"
                 "Клик 7-й кнопкой\r\n"
                 "Клик 8-й кнопкой\r\n"
                 "Двойной клик левой кнопкой\r\n",
                 "Left button click\r\n"
                 "Right button click\r\n"
                 "Middle button click\r\n"
                 "4th button click\r\n"
                 "5th button click\r\n"
                 "6th button click\r\n"
                 "7th button click\r\n"
                 "8th button click\r\n"
                 "Left button double click\r\n"}},
    LanguageRow{"MainForm_ComboBoxReactionEncoderMODE_Caption",
                {"Отключен\r\n"
                 "X2/2, X2/3\r\n"
                 "X2/4, X2/5\r\n"
                 "X4/2, X4/3\r\n"
                 "X5/7, X5/8\r\n"
                 "X6/2, X6/3\r\n"
                 "X6/5, X6/6\r\n"
                 "IO5, IO6\r\n",
                 "Disabled\r\n"
                 "X2/2, X2/3\r\n"
                 "X2/4, X2/5\r\n"
                 "X4/2, X4/3\r\n"
                 "X5/7, X5/8\r\n"
                 "X6/2, X6/3\r\n"
                 "X6/5, X6/6\r\n"
                 "IO5, IO6\r\n"}},
    LanguageRow{"MainForm_ComboBoxReactionCurMoveDirection_Caption",
                {"Вверх\r\n"
                 "Вверх-вправо\r\n"
                 "Вправо\r\n"
                 "Вправо-вниз\r\n"
                 "Вниз\r\n"
                 "Вниз-влево\r\n"
                 "Влево\r\n"
                 "Влево-вверх\r\n"
                 "Нажать\r\n"
                 "Отпустить\r\n"
                 "Колесо вверх\r\n"
                 "Колесо вниз\r\n"
                 "Левая кнопка мыши\r\n"
                 "Правая кнопка мыши\r\n",
                 "Up\r\n"
                 "Up-right\r\n"
                 "Right\r\n"
                 "Right-down\r\n"
                 "Down\r\n"
                 "Down-left\r\n"
                 "Left\r\n"
                 "Left-up\r\n"
                 "Press\r\n"
                 "Release\r\n"
                 "Wheel up\r\n"
                 "Wheel down\r\n"
                 "Left mouse button\r\n"
                 "Right mouse button\r\n"}},
    LanguageRow{"MainForm_ComboBoxReactionMDXJOY_Caption",
                {"Джойстик работает штатно\r\n"
                 "Перехватить джойстик\r\n"
                 "Нажать кнопку ENTER\r\n",
                 "The joystick works normally\r\n"
                 "Intercept the joystick\r\n"
                 "Press ENTER key\r\n"}},
    LanguageRow{"MainForm_ComboBoxReactionPANACEA_Caption",
                {"Не используется\r\n"
                 "Отображение Preset\r\n"
                 "Отображение Sub\r\n"
                 "Отображение Volume\r\n"
                 "Отображение Src\r\n",
                 "Not used\r\n"
                 "View Preset\r\n"
                 "View Sub\r\n"
                 "View Volume\r\n"
                 "View Src\r\n"}},
    LanguageRow{"MainForm_ComboBoxReactionGNNAVIMODE_Caption",
                {"Любой код\r\n"
                 "1\r\n"
                 "2\r\n"
                 "3\r\n"
                 "4\r\n"
                 "5\r\n"
                 "6\r\n"
                 "7\r\n"
                 "8\r\n"
                 "9\r\n"
                 "10\r\n"
                 "11\r\n"
                 "12\r\n"
                 "13\r\n"
                 "14\r\n"
                 "15\r\n"
                 "16\r\n"
                 "17\r\n"
                 "18\r\n"
                 "19\r\n"
                 "20\r\n"
                 "21\r\n"
                 "22\r\n"
                 "23\r\n",
                 "Custom code\r\n"
                 "1\r\n"
                 "2\r\n"
                 "3\r\n"
                 "4\r\n"
                 "5\r\n"
                 "6\r\n"
                 "7\r\n"
                 "8\r\n"
                 "9\r\n"
                 "10\r\n"
                 "11\r\n"
                 "12\r\n"
                 "13\r\n"
                 "14\r\n"
                 "15\r\n"
                 "16\r\n"
                 "17\r\n"
                 "18\r\n"
                 "19\r\n"
                 "20\r\n"
                 "21\r\n"
                 "22\r\n"
                 "23\r\n"}},
};

}  // namespace

std::span<const LanguageRow> fixedListRows() { return kRows; }

}  // namespace kivprism::lang
