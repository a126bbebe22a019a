// The language table's rows for the parameters page: tab captions, caption and unit labels, check
// boxes, buttons and the hints of its fields. Controls whose names end in x keep their texts with
// their bindings (core/params/bindings.cpp), since the table never reaches them.
#include <array>

#include "core/lang/common_texts.hpp"
#include "core/lang/language_table.hpp"

namespace kivprism::lang {

namespace {

constexpr TextPair kConnection{"Подключение", "Connection"};
constexpr TextPair kType{"Тип", "Type"};
constexpr TextPair kMode{"Режим", "Mode"};
constexpr TextPair kParamsMs{"мСек", "ms"};
constexpr TextPair kSpeed{"Скорость", "Speed"};
constexpr TextPair kDataFormat{"Формат данных", "Data format"};
constexpr TextPair kCoordinates{"Использовать для ввода координат", "Use for coordinate input"};
constexpr TextPair kBacklightOnStart{"Подсветка при включении", "Backlight at power on"};
constexpr TextPair kOrientationXY{"Ориентация XY", "XY orientation"};
constexpr TextPair kTouchpadMode{"Режим тачпада", "Touchpad mode"};
constexpr TextPair kDivider{"Делитель", "Divider"};
constexpr TextPair kNoSettings{"В этом режиме шины нет настроек", "This bus mode has no settings"};

constexpr LanguageRow same(std::string_view key, std::string_view text) {
  return {key, {text, text}};
}

constexpr std::array kParamsRows = {
    // Tabs.
    LanguageRow{"MainForm_TabSheetPINS_Caption", {"Выводы", "Pins"}},
    LanguageRow{"MainForm_TabSheetInterfaces_Caption", {"Интерфейсы", "Interfaces"}},
    LanguageRow{"MainForm_TabSheetPULSE_Caption", {"Источники", "Sources"}},
    LanguageRow{"MainForm_TabSheetKEYS_Caption", {"Кнопки", "Keys"}},
    LanguageRow{"MainForm_TabSheetTouch_Caption", {"Тачпанель", "Touch panel"}},
    LanguageRow{"MainForm_TabSheetIRINP_Caption", {"ИК вход", "IR input"}},
    LanguageRow{"MainForm_TabSheetParamControl_Caption", {"Управление", "Control"}},
    LanguageRow{"MainForm_TabSheetEnc_Caption", {"Энкодеры", "Encoders"}},
    LanguageRow{"MainForm_TabSheetGPS_Caption", {"GPS порт", "GPS port"}},
    LanguageRow{"MainForm_TabSheetHEAD_Caption", {"Головное устройство", "Head unit"}},
    LanguageRow{"MainForm_TabSheetEXTNAVI_Caption", {"Внешний навигатор", "External navigator"}},
    same("MainForm_TabSheetLINParam_Caption", "LIN"),
    LanguageRow{"MainForm_TabSheetBTmodule_Caption", {"Блютуз", "Bluetooth"}},

    // Pins.
    same("MainForm_PanelX22_Caption", "X2/2"),
    same("MainForm_PanelX23_Caption", "X2/3"),
    same("MainForm_PanelX24_Caption", "X2/4"),
    same("MainForm_PanelX25_Caption", "X2/5"),
    same("MainForm_PanelX26_Caption", "X2/6"),
    same("MainForm_PanelX42_Caption", "X4/2"),
    same("MainForm_PanelX43_Caption", "X4/3"),
    same("MainForm_PanelX56_Caption", "X5/6"),
    same("MainForm_PanelX57_Caption", "X5/7"),
    same("MainForm_PanelX58_Caption", "X5/8"),
    same("MainForm_PanelX62_Caption", "X6/2"),
    same("MainForm_PanelX63_Caption", "X6/3"),
    same("MainForm_PanelX65_Caption", "X6/5"),
    same("MainForm_PanelX66_Caption", "X6/6"),
    same("MainForm_PanelIO5_Caption", "IO5"),
    same("MainForm_PanelIO6_Caption", "IO6"),

    // Interfaces.
    LanguageRow{"MainForm_PanelDIFFBUS_Caption", {"Дифф. шина X4/5, X4/6", "Diff. bus X4/5, X4/6"}},
    same("MainForm_PanelLIN1MODE_Caption", "LIN1 X5/7, X5/9"),
    same("MainForm_PanelLIN2MODE_Caption", "LIN2 X5/8, X5/10"),
    LanguageRow{"MainForm_PanelUSBMODE_Caption", {"Функции USB", "USB functions"}},

    // Sources.
    LanguageRow{"MainForm_Panel4_Caption", {"Число источников", "Number of sources"}},
    LanguageRow{"MainForm_PanelPULSENUM_Caption", {"Импульсный выход", "Pulse output"}},
    LanguageRow{"MainForm_PanelPULSEMSACTIVE_Caption", {"Длит. сигнала", "Signal length"}},
    LanguageRow{"MainForm_PanelPULSEMSACTIVEMS_Caption", kParamsMs},
    LanguageRow{"MainForm_PanelPULSEMSPAUSE_Caption", {"Длит. паузы", "Pause length"}},
    LanguageRow{"MainForm_PanelPULSEMSPAUSEMS_Caption", kParamsMs},
    // The check box carries its own caption, so no label panel (PanelSourceNameUse) stands beside
    // it and the text is keyed by the check box.
    LanguageRow{"MainForm_CheckBoxSourceNameUse_Caption", {"Передавать имя", "Send the name"}},

    // Keys.
    LanguageRow{"MainForm_Label_PAR_LongTO_Descripions_Caption",
                {"Длинное нажатие более чем", "Long press longer than"}},
    LanguageRow{"MainForm_Label_PAR_LongTO_MSEC_Caption", kParamsMs},
    LanguageRow{"MainForm_PanelRenaultJoyType_Caption", {"Джойстик Рено", "Renault joystick"}},
    LanguageRow{"MainForm_CheckBoxHondaPanel_Caption", {"Панель HONDA", "HONDA panel"}},
    LanguageRow{"MainForm_SpeedButtonKeysSetup_Caption", {"Настройка кнопок", "Key setup"}},
    LanguageRow{"MainForm_GroupBoxKeys_Caption", {" Кнопки ", " Keys "}},

    // Touch panel.
    LanguageRow{"MainForm_Panel2_Caption", kMode},
    LanguageRow{"MainForm_Panel14_Caption",
                {"Источник для выдачи по USB", "Source for output over USB"}},
    LanguageRow{"MainForm_CheckBoxTouchWakeUp_Caption", {"Пробуждать", "Wake up"}},
    LanguageRow{"MainForm_CheckBoxTouchHide_Caption", {"Прятать указатель", "Hide the pointer"}},
    LanguageRow{"MainForm_CheckBoxTouchGestures_Caption", {"Использовать жесты", "Use gestures"}},
    LanguageRow{"MainForm_CheckBoxTouchDXY_Caption",
                {"Отступ 10% при настройке", "10% margin when calibrating"}},
    LanguageRow{"MainForm_SpeedButtonTouchSetup_Caption",
                {"Калибровка тачпанели", "Touch panel calibration"}},
    LanguageRow{"MainForm_PanelTouchFromCap2Res_Caption",
                {"Координаты поступают от CAP2RES", "The coordinates come from CAP2RES"}},

    // IR input.
    LanguageRow{"MainForm_PanelIRINPNUM_Caption", {"Вход", "Input"}},
    LanguageRow{"MainForm_CheckBoxIRINPINV_Caption", {"Инверсный", "Inverted"}},

    // Analog outputs and control.
    LanguageRow{"MainForm_PanelParamControlCH1_Caption", {"Канал 1", "Channel 1"}},
    LanguageRow{"MainForm_PanelParamControlVOUT1V_Caption", kVolts},
    LanguageRow{"MainForm_PanelParamControlCH2_Caption", {"Канал 2", "Channel 2"}},
    LanguageRow{"MainForm_PanelParamControlVOUT2V_Caption", kVolts},
    LanguageRow{"MainForm_PanelParamControlVOUT1Vminmax__Caption", kVolts},
    LanguageRow{"MainForm_PanelParamControlVOUT2Vminmax__Caption", kVolts},
    LanguageRow{"MainForm_ParamControlVOUTxdefault_Caption",
                {"Напряжение по умолчанию", "Default voltage"}},
    LanguageRow{"MainForm_ParamControlVOUTxminmax__Caption",
                {"Минимум/максимум", "Minimum/maximum"}},
    LanguageRow{"MainForm_CheckBoxParamControlVOUT1send_Caption",
                {"Передавать по Serial", "Send over Serial"}},
    LanguageRow{"MainForm_CheckBoxParamControlVOUT2send_Caption",
                {"Передавать по Serial", "Send over Serial"}},
    LanguageRow{
        "MainForm_Panel_KEY_REASSIGN_TO_Caption",
        {"Переопределение Мин. длит. для Управления", "Reassignment: min. duration for control"}},
    LanguageRow{"MainForm_Panel_KEY_REASSIGN_TO_MS_Caption", kParamsMs},

    // Encoders.
    LanguageRow{"MainForm_PanelENC1Connect_Caption", {"Энкодер 1", "Encoder 1"}},
    LanguageRow{"MainForm_PanelEncoder1DivText_Caption", kDivider},
    LanguageRow{"MainForm_Panel20_Caption", {"Энкодер 2", "Encoder 2"}},
    LanguageRow{"MainForm_Panel21_Caption", kDivider},

    // GPS, head unit, external navigation.
    LanguageRow{"MainForm_PanelGPSConnect_Caption", kConnection},
    LanguageRow{"MainForm_PanelGPSSpeed_Caption", kSpeed},
    LanguageRow{"MainForm_PanelGPSFormat_Caption", kDataFormat},
    LanguageRow{"MainForm_CheckBox_GPS_COURSE_Caption", {"Рассчет курса", "Course calculation"}},
    LanguageRow{"MainForm_PanelHEADConnect_Caption", kConnection},
    LanguageRow{"MainForm_PanelHEADTYPEText_Caption", kType},
    LanguageRow{"MainForm_PanelEXTNAVINUM_Caption", kConnection},
    LanguageRow{"MainForm_PanelEXTNAVITYPE_Caption", kType},
    LanguageRow{"MainForm_PanelEXTNAVISRC_Caption", {"Источник", "Source"}},

    // Differential bus: CAN.
    LanguageRow{"MainForm_PanelCANSPEED_Caption", {"Скорость шины", "Bus speed"}},
    LanguageRow{"MainForm_CheckBoxCANACKED_Caption", {"Подтверждать пакеты", "Acknowledge frames"}},
    // Differential bus: iDrive.
    LanguageRow{"MainForm_PanelIDRIVETYPE_Caption", kType},
    LanguageRow{"MainForm_PanelIDRIVEMODE_Caption", kMode},
    LanguageRow{"MainForm_PanelIDRIVELIGHT_Caption", kBacklightOnStart},
    same("MainForm_LabeliDriveLightMin_Caption", "Vmin"),
    LanguageRow{"MainForm_PanelEditiDriveLightMinV_Caption", kVolts},
    LanguageRow{"MainForm_PanelEditiDriveLightMaxV_Caption", kVolts},
    LanguageRow{"MainForm_PanelIDRIVEORIENTATION_Caption", kOrientationXY},
    LanguageRow{"MainForm_PanelTOUCHPAD_MODE_Caption", kTouchpadMode},
    LanguageRow{"MainForm_PanelTOUCHPAD_CLICK_Caption", {"Левый клик", "Left click"}},
    // Differential bus: the joysticks without settings.
    LanguageRow{"MainForm_LabelRJOYNoSettings_Caption", kNoSettings},
    LanguageRow{"MainForm_LabelMJOYNoSettings_Caption", kNoSettings},
    // Differential bus: Mercedes controller.
    LanguageRow{"MainForm_PanelMCONTROLtype_Caption", kType},
    LanguageRow{"MainForm_PanelMCONTROLmode_Caption", kMode},
    LanguageRow{"MainForm_PanelMCONTROLlight_Caption", kBacklightOnStart},
    LanguageRow{"MainForm_PanelMCONTROLorientation_Caption", kOrientationXY},
    LanguageRow{"MainForm_PanelMCONTROLmouse_Caption", kTouchpadMode},
    LanguageRow{"MainForm_PanelMCONTROLlock_Caption", {"Нажатие при удержании", "Press on hold"}},
    // Differential bus: IEBUS, GA-NET, AI-NET.
    LanguageRow{"MainForm_CheckBoxIEBUSTouch_Caption", kCoordinates},
    LanguageRow{"MainForm_PanelAMPLDELAYTO_Caption",
                {"Задержка включения усилителя", "Amplifier switch-on delay"}},
    LanguageRow{"MainForm_PanelAMPLDELAYTOMS_Caption", kParamsMs},
    LanguageRow{"MainForm_PanelIEBUS_PREDDIV_Caption",
                {"Предделитель громкости", "Volume pre-divider"}},
    LanguageRow{"MainForm_PanelGaNetMODE_Caption", kMode},
    LanguageRow{"MainForm_PanelGaNetVolumeOut_Caption",
                {"Управление громкостью", "Volume control"}},
    LanguageRow{"MainForm_CheckBoxGaNetTOUCHUSE_Caption", kCoordinates},
    LanguageRow{"MainForm_PanelAINETPARAMMODE_Caption", kMode},

    // Acura joystick, BMW iBus, capacitive converter.
    LanguageRow{"MainForm_PanelGaNetJoy_Caption",
                {"X6/2 вход, X6/3 выход", "X6/2 input, X6/3 output"}},
    LanguageRow{"MainForm_CheckBoxGaNetCONDUSE_Caption",
                {"Использовать интерфейс кондиционера. X6/6 вход",
                 "Use the air-conditioning interface. X6/6 input"}},
    LanguageRow{"MainForm_PanelIBUSNUM_Caption", kConnection},
    LanguageRow{"MainForm_CheckBoxIBUSCDC_Caption", {"Эмулировать CDC", "Emulate CDC"}},
    LanguageRow{"MainForm_Panel1_Caption", kConnection},

    // LIN.
    LanguageRow{"MainForm_PanelLINSPEED_Caption", {"Скорость шины, X5/9", "Bus speed, X5/9"}},
    LanguageRow{"MainForm_CheckBoxLINSWAP_VOLDN_OK_Caption",
                {"Поменять VOLDN и OK (для VW)", "Swap VOLDN and OK (for VW)"}},
    LanguageRow{"MainForm_PanelLIN_TEMP_RELAY_PIN_Caption",
                {"Управление подогревом", "Heating control"}},
    LanguageRow{"MainForm_PanelLINVERSION_Caption", {"Версия LIN", "LIN version"}},
    LanguageRow{"MainForm_PanelLINTYPE_Caption", kType},
    LanguageRow{"MainForm_PanelLIN_TEMP_RES_CH_Caption",
                {"Подключение термодатчика", "Temperature sensor input"}},
    LanguageRow{"MainForm_PanelLIN_TEMP_VALUE_Caption", {"Значение", "Value"}},
    LanguageRow{"MainForm_CheckBoxLIN_LIGHT_VAR_ENABLE_Caption",
                {"Подсветка регулируемая", "Adjustable backlight"}},
    LanguageRow{"MainForm_CheckBoxLIN_HEAT_VAR_ENABLE_Caption",
                {"Подогрев регулируемый", "Adjustable heating"}},

    // Bluetooth, PS/2, UART.
    LanguageRow{"MainForm_Panel15_Caption", kConnection},
    LanguageRow{"MainForm_PanelPS2Type_Caption", {"Тип PS2 тачпада", "PS2 touchpad type"}},
    LanguageRow{"MainForm_PanelPS2Mnog_Caption", {"Множитель скорости", "Speed multiplier"}},
    LanguageRow{"MainForm_PanelPS2Rotate_Caption", {"Поворот", "Rotation"}},
    LanguageRow{"MainForm_PanelUARTNum_Caption", kConnection},
    LanguageRow{"MainForm_PanelUARTSPEED_Caption", kSpeed},
    LanguageRow{"MainForm_PanelUARTFORMAT_Caption", kDataFormat},
    LanguageRow{"MainForm_LabelUARTDELAY_Caption",
                {"Задержка перед автоповтором", "Delay before auto-repeat"}},
    LanguageRow{"MainForm_LabelUARTDELAYMS_Caption", kParamsMs},
    LanguageRow{"MainForm_LabelUARTREPLAY_Caption",
                {"Интервал автоповтора", "Auto-repeat interval"}},
    LanguageRow{"MainForm_LabelUARTREPLAYMS_Caption", kParamsMs},

    // AUDI MMI, car DSP, resistive-panel emulator, GAZER, Volvo ALPS, HWR.
    LanguageRow{"MainForm_PanelAUDIMMIType_Caption", kType},
    LanguageRow{"MainForm_PanelCarDspConnect_Caption", kConnection},
    LanguageRow{"MainForm_PanelCarDspSend_Caption", {"Передавать по Serial", "Send over Serial"}},
    LanguageRow{"MainForm_PanelCarDspType_Caption", kType},
    LanguageRow{"MainForm_PanelRESEMULPARAM_Caption", kConnection},
    LanguageRow{"MainForm_CheckBoxRESEMULPARAMSWAPXY_Caption",
                {"Поменять оси X и Y", "Swap the X and Y axes"}},
    LanguageRow{"MainForm_CheckBoxRESEMULPARAMSWAPX_Caption",
                {"Развернуть ось X", "Invert the X axis"}},
    LanguageRow{"MainForm_CheckBoxRESEMULPARAMSWAPY_Caption",
                {"Развернуть ось Y", "Invert the Y axis"}},
    LanguageRow{"MainForm_PanelGAZERUARTnum_Caption", kConnection},
    LanguageRow{"MainForm_PanelGAZERUARTtype_Caption", kType},
    LanguageRow{"MainForm_PanelVOLVO_ALPS_Connect_Caption", kConnection},
    LanguageRow{"MainForm_LabelHWRTOname_Caption",
                {"Максимальная длительность отрыва", "Maximum lift-off time"}},
    LanguageRow{"MainForm_LabelHWRTOms_Caption", kParamsMs},

    // PWM.
    LanguageRow{"MainForm_LabelPWMParamPeriodTXT_Caption", {"Период ШИМ", "PWM period"}},
    LanguageRow{"MainForm_LabelPWMParamPeriodUs_Caption", {"мкСек", "µs"}},
    LanguageRow{"MainForm_LabelPWMParamCh1_Caption", {"Канал 1", "Channel 1"}},
    LanguageRow{"MainForm_LabelPWMParamPin_Caption", {"Вывод", "Pin"}},
    LanguageRow{"MainForm_LabelPWMParamMin_Caption", {"Минимум", "Minimum"}},
    LanguageRow{"MainForm_LabelPWMParamMaximum_Caption", {"Максимум", "Maximum"}},
    LanguageRow{"MainForm_LabelPWMParamVal_Caption", {"Значение", "Value"}},
    LanguageRow{"MainForm_LabelPWMParamCh2_Caption", {"Канал 2", "Channel 2"}},
    LanguageRow{"MainForm_LabelPWMParamCh3_Caption", {"Канал 3", "Channel 3"}},
    LanguageRow{"MainForm_LabelPWMParamCh4_Caption", {"Канал 4", "Channel 4"}},

    // Hints of the set-up buttons, touch options and connection lists.
    LanguageRow{"MainForm_ComboBoxPULSENUM_Hint",
                {"Вывод, на который выдаются импульсы номера источника",
                 "The pin that outputs the source number pulses"}},
    LanguageRow{"MainForm_SpeedButtonKeysSetup_Hint",
                {"Обучение кнопок руля: нажимайте кнопки по очереди",
                 "Learn the steering-wheel keys: press the keys one after another"}},
    LanguageRow{"MainForm_SpeedButtonTouchSetup_Hint",
                {"Настройка ориентации тачпанели и координат углов изображения",
                 "Setting the touch panel orientation and the picture corner coordinates"}},
    LanguageRow{"MainForm_CheckBoxTouchDXY_Hint",
                {"Точки калибровки с отступом 10% от краёв экрана",
                 "Calibration points 10% in from the screen edges"}},
    LanguageRow{"MainForm_CheckBoxTouchWakeUp_Hint",
                {"Пробуждать устройство при касании тачпанели",
                 "Wake the device up when the touch panel is touched"}},
    LanguageRow{"MainForm_CheckBoxTouchHide_Hint",
                {"Прятать указатель мыши при работе с тачпанелью",
                 "Hide the mouse pointer while the touch panel is used"}},
    LanguageRow{"MainForm_CheckBoxTouchGestures_Hint",
                {"Распознавать жесты на тачпанели для событий Жесты",
                 "Recognise gestures on the touch panel for Gestures events"}},
    LanguageRow{
        "MainForm_ComboBoxGPSNUM_Hint",
        {"Выводы, к которым подключен GPS приёмник", "Pins the GPS receiver is connected to"}},
    LanguageRow{"MainForm_ComboBoxGPSSPEED_Hint",
                {"Скорость порта GPS приёмника", "Baud rate of the GPS receiver port"}},
    LanguageRow{"MainForm_ComboBoxCap2ResNum_Hint",
                {"Выводы, к которым подключен преобразователь CAP2RES",
                 "Pins the CAP2RES converter is connected to"}},
    LanguageRow{
        "MainForm_ComboBoxBTNum_Hint",
        {"Выводы, к которым подключен модуль Блютуз", "Pins the Bluetooth module is connected to"}},
    LanguageRow{
        "MainForm_ComboBoxUARTNum_Hint",
        {"Выводы, к которым подключен модуль UART", "Pins the UART module is connected to"}},
    LanguageRow{"MainForm_ComboBoxUARTSPEED_Hint",
                {"Скорость порта UART", "Baud rate of the UART port"}},
    LanguageRow{"MainForm_ComboBoxCarDspConnect_Hint",
                {"Выводы, к которым подключен CarDSP", "Pins the CarDSP is connected to"}},
    LanguageRow{"MainForm_ComboBoxCarDspType_Hint",
                {"Тип протокола CarDSP", "CarDSP protocol type"}},
    LanguageRow{"MainForm_ComboBoxRESEMULPARAM_Hint",
                {"Выводы, к которым подключен эмулятор резистивной панели",
                 "Pins the resistive panel emulator is connected to"}},
    LanguageRow{
        "MainForm_ComboBoxGAZERUARTNum_Hint",
        {"Вывод, к которому подключен усилитель GAZER", "Pin the GAZER amplifier is connected to"}},
};

}  // namespace

std::span<const LanguageRow> parametersPageRows() { return kParamsRows; }

}  // namespace kivprism::lang
