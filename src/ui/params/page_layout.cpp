#include "ui/params/page_layout.hpp"

#include <array>

namespace kivprism::ui::params {

namespace {

using lang::TextPair;

constexpr TextPair kConnection{"Подключение", "Connection"};
constexpr TextPair kType{"Тип", "Type"};
constexpr TextPair kMode{"Режим", "Mode"};
constexpr TextPair kMs{"мСек", "ms"};
constexpr TextPair kVolts{"В", "V"};
constexpr TextPair kPinHint{"Тип выхода ножки и исходный уровень при включении",
                            "Pin type and default state on power up"};
constexpr TextPair kDataFormat{"Формат данных", "Data format"};
constexpr TextPair kCoordinates{"Использовать для ввода координат", "Use for coordinate input"};
constexpr TextPair kBacklightOnStart{"Подсветка при включении", "Backlight at power on"};
constexpr TextPair kOrientationXY{"Ориентация XY", "XY orientation"};
constexpr TextPair kTouchpadMode{"Режим тачпада", "Touchpad mode"};

constexpr Row pin(std::string_view control, const char* name) {
  return {control, {name, name}, {}, {}, {}, kPinHint};
}

constexpr std::array kPins = {
    pin("ComboBoxX22x", "X2/2"), pin("ComboBoxX23x", "X2/3"), pin("ComboBoxX24x", "X2/4"),
    pin("ComboBoxX25x", "X2/5"), pin("ComboBoxX26x", "X2/6"), pin("ComboBoxX42x", "X4/2"),
    pin("ComboBoxX43x", "X4/3"), pin("ComboBoxX56x", "X5/6"), pin("ComboBoxX57x", "X5/7"),
    pin("ComboBoxX58x", "X5/8"), pin("ComboBoxX62x", "X6/2"), pin("ComboBoxX63x", "X6/3"),
    pin("ComboBoxX65x", "X6/5"), pin("ComboBoxX66x", "X6/6"), pin("ComboBoxIO5x", "IO5"),
    pin("ComboBoxIO6x", "IO6"),
};
constexpr std::array kInterfaces = {
    Row{"ComboBoxDIFFBUSx",
        {"Дифф. шина X4/5, X4/6", "Diff. bus X4/5, X4/6"},
        {},
        {},
        {},
        {"Настройка дифференциальной шины X4/5 и X4/6",
         "Setting for differential bus X4/5 & X4/6"}},
    Row{"ComboBoxLIN1MODEx",
        {"LIN1 X5/7, X5/9", "LIN1 X5/7, X5/9"},
        {},
        {},
        {},
        {"Настройка LIN1 X5/7 и X5/9", "Setting for LIN1 X5/7 & X5/9"}},
    Row{"ComboBoxLIN2MODEx",
        {"LIN2 X5/8, X5/10", "LIN2 X5/8, X5/10"},
        {},
        {},
        {},
        {"Настройка LIN2 X5/8 и X5/10", "Setting for LIN2 X5/8 & X5/10"}},
    Row{"CheckListBoxUSBMODEx", {"Функции USB", "USB functions"}},
    Row{"CheckBox_USE_RX350JOYx", {"Джойстик RX350", "RX350 joystick"}},
    Row{"CheckBox_SERIAL_USB_DELAY_USEx", {"Задержка Serial USB", "Serial USB delay"}},
};
constexpr std::array kPulse = {
    Row{"ComboBoxPULSESRCNUMx", {"Число источников", "Number of sources"}},
    Row{"ComboBoxPULSENUM", {"Импульсный выход", "Pulse output"}},
    Row{"EditPULSEMSACTIVE", {"Длит. сигнала", "Signal length"}, kMs},
    Row{"EditPULSEMSPAUSE", {"Длит. паузы", "Pause length"}, kMs},
    Row{"CheckBoxSourceNameUse", {"Передавать имя", "Send the name"}},
    Row{"ValueListEditorSourceName"},
};
constexpr std::array kKeys = {
    Row{"Edit_PAR_LongTO", {"Длинное нажатие более чем", "Long press longer than"}, kMs},
    Row{"ComboBoxRenaultJoyType", {"Джойстик Рено", "Renault joystick"}},
    Row{"CheckBoxHondaPanel", {"Панель HONDA", "HONDA panel"}},
    Row{kKeysSetup, {"Настройка кнопок", "Key setup"}},
};
constexpr std::array kTouch = {
    Row{"ComboBoxTouchMode", kMode},
    Row{"ComboBoxSource2Touch", {"Источник для выдачи по USB", "Source for output over USB"}},
    Row{"CheckBoxTouchWakeUp", {"Пробуждать", "Wake up"}},
    Row{"CheckBoxTouchHide", {"Прятать указатель", "Hide the pointer"}},
    Row{"CheckBoxTouchGestures", {"Использовать жесты", "Use gestures"}},
    Row{"CheckBoxTouchDXY", {"Отступ 10% при настройке", "10% margin when calibrating"}},
    Row{kTouchSetup, {"Калибровка тачпанели", "Touch panel calibration"}},
    Row{"PanelTouchFromCap2Res",
        {"Координаты поступают от CAP2RES", "The coordinates come from CAP2RES"}},
};
constexpr std::array kIrInput = {
    Row{"ComboBoxIRINPNUM", {"Вход", "Input"}},
    Row{"CheckBoxIRINPINV", {"Инверсный", "Inverted"}},
    Row{"CheckBoxIRINPADTx", {"Alpine Direct Touch", "Alpine Direct Touch"}},
};
constexpr std::array kControl = {
    Row{kAnalogChannels},
    Row{"Edit_KEY_REASSIGN_TO",
        {"Переопределение Мин. длит. для Управления", "Reassignment: min. duration for control"},
        kMs},
};
constexpr std::array kEncoders = {
    Row{"ComboBoxEditEncoder1Mode", {"Энкодер 1", "Encoder 1"}},
    Row{"CSpinEditEncoder1Div", {"Делитель", "Divider"}},
    Row{"ComboBoxEditEncoder2Mode", {"Энкодер 2", "Encoder 2"}},
    Row{"CSpinEditEncoder2Div", {"Делитель", "Divider"}},
};
constexpr std::array kGps = {
    Row{"ComboBoxGPSNUM", kConnection},
    Row{"ComboBoxGPSSPEED", {"Скорость", "Speed"}},
    Row{"ComboBoxGPSNBITSx", kDataFormat},
    Row{"ComboBoxGPSPARITYx"},
    Row{"ComboBoxGPSSBITSx"},
    Row{"CheckBox_GPS_COURSE", {"Рассчет курса", "Course calculation"}},
};
constexpr std::array kHead = {Row{"ComboBoxHEADNUM", kConnection}, Row{"ComboBoxHEADTYPE", kType}};
constexpr std::array kExtNavi = {
    Row{"ComboBoxEXTNAVINUM", kConnection},
    Row{"ComboBoxEXTNAVITYPEx", kType},
    Row{"ComboBoxEXTNAVISRCx", {"Источник", "Source"}},
};
constexpr std::array kAcura = {
    Row{"ComboBoxGaNetJOYUSETYPE", {"X6/2 вход, X6/3 выход", "X6/2 input, X6/3 output"}},
    Row{"CheckBoxGaNetCONDUSE",
        {"Использовать интерфейс кондиционера. X6/6 вход",
         "Use the air-conditioning interface. X6/6 input"}},
};
constexpr std::array kIbus = {Row{"ComboBoxIBUSNUM", kConnection},
                              Row{"CheckBoxIBUSCDC", {"Эмулировать CDC", "Emulate CDC"}}};
constexpr std::array kCap2Res = {Row{"ComboBoxCap2ResNum", kConnection}};
constexpr std::array kLin = {
    Row{"ComboBoxLINSPEEDx", {"Скорость шины, X5/9", "Bus speed, X5/9"}, {}, "PanelLINSPEED"},
    Row{"CheckBoxLINSWAP_VOLDN_OK", {"Поменять VOLDN и OK (для VW)", "Swap VOLDN and OK (for VW)"}},
    Row{"ComboBoxLIN_TEMP_RELAY_PINx", {"Управление подогревом", "Heating control"}},
    Row{"ComboBoxLINVERSIONx", {"Версия LIN", "LIN version"}},
    Row{"ComboBoxLINTYPE", kType},
    Row{"ComboBoxLIN_TEMP_RES_CHx", {"Подключение термодатчика", "Temperature sensor input"}},
    Row{"EditLIN_TEMP_RES_VAL", {"Значение", "Value"}},
    Row{"CheckBoxLIN_LIGHT_VAR_ENABLE", {"Подсветка регулируемая", "Adjustable backlight"}},
    Row{"CheckBoxLIN_HEAT_VAR_ENABLE", {"Подогрев регулируемый", "Adjustable heating"}},
};
constexpr std::array kBt = {Row{"ComboBoxBTNum", kConnection}};
constexpr std::array kPs2 = {
    Row{"ComboBoxPS2Type", {"Тип PS2 тачпада", "PS2 touchpad type"}},
    Row{"ComboBoxPS2MNOGx", {"Множитель скорости", "Speed multiplier"}},
    Row{"ComboBoxPS2ROTATEx", {"Поворот", "Rotation"}},
};
constexpr std::array kUart = {
    Row{"ComboBoxUARTNum", kConnection},
    Row{"ComboBoxUARTSPEED", {"Скорость", "Speed"}},
    Row{"ComboBoxUARTBITSx", kDataFormat},
    Row{"ComboBoxUARTPARITYx"},
    Row{"ComboBoxUARTSTOPSx"},
    Row{"EditUARTDELAY", {"Задержка перед автоповтором", "Delay before auto-repeat"}, kMs},
    Row{"EditUARTREPLAY", {"Интервал автоповтора", "Auto-repeat interval"}, kMs},
};
constexpr std::array kAudiMmi = {Row{"ComboBoxAUDIMMIType", kType}};
constexpr std::array kCarDsp = {
    Row{"ComboBoxCarDspConnect", kConnection},
    Row{"CheckListBoxCARDSP_BITMASKx",
        {"Передавать по Serial", "Send over Serial"},
        {},
        "PanelCarDspSend"},
    Row{"ComboBoxCarDspType", kType},
};
constexpr std::array kResEmul = {
    Row{"ComboBoxRESEMULPARAM", kConnection},
    Row{"CheckBoxRESEMULPARAMSWAPXY", {"Поменять оси X и Y", "Swap the X and Y axes"}},
    Row{"CheckBoxRESEMULPARAMSWAPX", {"Развернуть ось X", "Invert the X axis"}},
    Row{"CheckBoxRESEMULPARAMSWAPY", {"Развернуть ось Y", "Invert the Y axis"}},
};
constexpr std::array kGazer = {Row{"ComboBoxGAZERUARTNum", kConnection},
                               Row{"ComboBoxGAZERUARTTypex", kType}};
constexpr std::array kVolvo = {Row{"ComboBoxVOLVO_ALPS_UART", kConnection}};
constexpr std::array kHwr = {
    Row{"EditHWRTO", {"Максимальная длительность отрыва", "Maximum lift-off time"}, kMs}};
constexpr std::array kVar = {Row{kVarGrid}};
constexpr std::array kPwm = {
    Row{"EditPWMParamPeriod", {"Период ШИМ", "PWM period"}, {"мкСек", "µs"}},
    Row{kPwmChannels},
};

constexpr std::array kCan = {
    Row{"ComboBoxCANSPEEDx", {"Скорость шины", "Bus speed"}},
    Row{"CheckBoxCANACKED", {"Подтверждать пакеты", "Acknowledge frames"}},
    Row{"CheckBox_CITROEN_C5_PARKTRONIC_USEx",
        {"CITROEN C5 PARKTRONIC (X5/7)", "CITROEN C5 PARKTRONIC (X5/7)"}},
    Row{"CheckBox_CAN_W203_WO_HEAD_USEx", {"W203_WO_HEAD", "W203_WO_HEAD"}},
};
constexpr std::array kIdrive = {
    Row{"ComboBoxIDRIVETYPEx", kType},
    Row{"ComboBoxIDRIVEMODE", kMode},
    Row{"ComboBoxIDRIVELIGHT", kBacklightOnStart, {}, "PanelIDRIVELIGHT"},
    Row{"EditiDriveLightMin",
        {"Vmin", "Vmin"},
        kVolts,
        "LabeliDriveLightMin",
        "PanelEditiDriveLightMinV",
        {"Напряжение выключения подсветки", "Backlight off voltage"}},
    Row{"EditiDriveLightMax",
        {"Vmax", "Vmax"},
        kVolts,
        "LabeliDriveLightMax",
        "PanelEditiDriveLightMaxV",
        {"Напряжение для максимальной яркости подсветки",
         "Voltage for maximum backlight brightness"}},
    Row{"ComboBoxIDRIVEORIENTATIONx", kOrientationXY},
    Row{"ComboBoxTOUCHPAD_MODE", kTouchpadMode},
    Row{"ComboBoxTOUCHPAD_CLICK", {"Левый клик", "Left click"}},
};
constexpr std::array kMctrl = {
    Row{"ComboBoxMCONTROLtype", kType},
    Row{"ComboBoxMCONTROLmode", kMode},
    Row{"ComboBoxMCONTROLlight", kBacklightOnStart},
    Row{"ComboBoxMCONTROLorientationx", kOrientationXY},
    Row{"ComboBoxMCONTROLmouse", kTouchpadMode},
    Row{"ComboBoxMCONTROLlock", {"Нажатие при удержании", "Press on hold"}},
};
constexpr std::array kIebus = {
    Row{"CheckListBoxIEBUSMODEBITSx"},
    Row{"CheckBoxIEBUSTouch", kCoordinates},
    Row{"EditAMPLDELAYTO",
        {"Задержка включения усилителя", "Amplifier switch-on delay"},
        kMs,
        "PanelAMPLDELAYTO",
        "PanelAMPLDELAYTOMS"},
    Row{"CSpinEditIEBUS_PREDDIV", {"Предделитель громкости", "Volume pre-divider"}},
};
constexpr std::array kGanet = {
    Row{"ComboBoxGaNetMODE", kMode},
    Row{"ComboBoxGaNetVolumeOut", {"Управление громкостью", "Volume control"}},
    Row{"CheckBoxGaNetTOUCHUSE", kCoordinates},
};
constexpr std::array kAinet = {Row{"ComboBoxAINETPARAMMODEx", kMode}};

constexpr std::array kTabs = {
    TabLayout{"TabSheetPINS", {"Выводы", "Pins"}, kPins},
    TabLayout{"TabSheetInterfaces", {"Интерфейсы", "Interfaces"}, kInterfaces},
    TabLayout{"TabSheetPULSE", {"Источники", "Sources"}, kPulse},
    TabLayout{"TabSheetKEYS", {"Кнопки", "Keys"}, kKeys},
    TabLayout{"TabSheetTouch", {"Тачпанель", "Touch panel"}, kTouch},
    TabLayout{"TabSheetIRINP", {"ИК вход", "IR input"}, kIrInput},
    TabLayout{"TabSheetParamControl", {"Управление", "Control"}, kControl},
    TabLayout{"TabSheetEnc", {"Энкодеры", "Encoders"}, kEncoders},
    TabLayout{"TabSheetGPS", {"GPS порт", "GPS port"}, kGps},
    TabLayout{"TabSheetHEAD", {"Головное устройство", "Head unit"}, kHead},
    TabLayout{"TabSheetEXTNAVI", {"Внешний навигатор", "External navigator"}, kExtNavi},
    TabLayout{"TabSheet_DIFFBUSx", {"Шина", "Bus"}, {}},
    TabLayout{"TabSheetAcuraJoyParamx", {"ACURA JOY", "ACURA JOY"}, kAcura},
    TabLayout{"TabSheetIBUSx", {"iBus BMW", "iBus BMW"}, kIbus},
    TabLayout{"TabSheetCap2Resx", {"CAP2RES", "CAP2RES"}, kCap2Res},
    TabLayout{"TabSheetLINParam", {"LIN", "LIN"}, kLin},
    TabLayout{"TabSheetBTmodule", {"Блютуз", "Bluetooth"}, kBt},
    TabLayout{"TabSheetPS2x", {"PS2", "PS2"}, kPs2},
    TabLayout{"TabSheetUARTx", {"UART", "UART"}, kUart},
    TabLayout{"TabSheetAUDIMMIx", {"AUDI MMI", "AUDI MMI"}, kAudiMmi},
    TabLayout{"TabSheetCarDSPx", {"CarDSP", "CarDSP"}, kCarDsp},
    TabLayout{"TabSheetRESEMULPARAMx", {"ResEmul", "ResEmul"}, kResEmul},
    TabLayout{"TabSheetGAZERPARAMx", {"GAZER PA", "GAZER PA"}, kGazer},
    TabLayout{"TabSheetVOLVO_ALPSx", {"Volvo Alps SW", "Volvo Alps SW"}, kVolvo},
    TabLayout{"TabSheetHWRParamx", {"HWR", "HWR"}, kHwr},
    TabLayout{"TabSheetVARViewx", {"VAR", "VAR"}, kVar},
    TabLayout{"TabSheetPWMParamx", {"PWM", "PWM"}, kPwm},
};

constexpr std::array kDiffPages = {
    TabLayout{"TabSheet_CAN_NOx", {}, {}},          TabLayout{"TabSheet_CAN_CANx", {}, kCan},
    TabLayout{"TabSheet_CAN_IDRIVEx", {}, kIdrive}, TabLayout{"TabSheet_CAN_RJOYx", {}, {}},
    TabLayout{"TabSheet_CAN_MJOYx", {}, {}},        TabLayout{"TabSheet_CAN_MCTRLx", {}, kMctrl},
    TabLayout{"TabSheet_IEBUSx", {}, kIebus},       TabLayout{"TabSheet_GANETx", {}, kGanet},
    TabLayout{"TabSheet_AINETx", {}, kAinet},
};

}  // namespace

std::span<const TabLayout> paramTabs() { return kTabs; }
std::span<const TabLayout> diffBusPages() { return kDiffPages; }

}  // namespace kivprism::ui::params
