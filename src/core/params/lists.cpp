#include "core/params/lists.hpp"

#include <array>

namespace kivprism::params::lists {

namespace {

using lang::TextPair;

constexpr TextPair kOff{"Отключен", "Disabled"};

constexpr std::array kPinGeneral = {
    TextPair{"По назначению", "According to its purpose"},
    TextPair{"Oткр. сток, Z", "Open drain, Z"},
    TextPair{"Oткр. сток, 0В", "Open drain, 0V"},
    TextPair{"Акт. выход, +3.3В", "Act. output, +3.3V"},
    TextPair{"Акт. выход, 0В", "Act. output, 0V"},
    TextPair{"Вход плавающий", "Input float"},
    TextPair{"Вход с подт. к 0B", "Input pull down"},
    TextPair{"Вход с подт. к +3.3В", "Input pull up"},
};
constexpr std::array kPinPower = {
    TextPair{"Обесточен", "No power"},
    TextPair{"Выход питания +5В до 1А", "Power output +5V to 1A"},
};
constexpr std::array kPinOpenCollector = {
    TextPair{"Oткр. коллектор, Z", "Open collector, Z"},
    TextPair{"Oткр. коллектор, 0В", "Open collector, 0V"},
};

constexpr std::array kUartPort = {kOff, TextPair{"X4/2, X4/3", "X4/2, X4/3"},
                                  TextPair{"X6/2, X6/3", "X6/2, X6/3"}};
constexpr std::array kGazerPort = {kOff, TextPair{"X4/2", "X4/2"}, TextPair{"X6/2", "X6/2"}};
constexpr std::array kVolvoAlpsPort = {kOff, TextPair{"X4/2", "X4/2"}};

constexpr std::array kDiffBus = {
    TextPair{"Не задано", "No settings"},
    TextPair{"Шина CAN скорость?", "CAN Bus speed?"},
    TextPair{"Шина CAN", "CAN Bus"},
    TextPair{"Шина CAN iDrive", "iDrive CAN Bus"},
    TextPair{"Шина CAN Renault Joy", "Renault Joy CAN Bus"},
    TextPair{"Шина CAN Mercedes Joy", "Mercedes Joy CAN Bus"},
    TextPair{"Шина CAN Mercedes Ctrl", "Mercedes Ctrl CAN Bus"},
    TextPair{"Шина IEBUS", "IEBUS Bus"},
    TextPair{"Шина GaNet", "GaNet Bus"},
    TextPair{"Шина AiNet", "AiNet Bus"},
};

constexpr TextPair kNoSettings{"Не задано", "No settings"};
constexpr TextPair same(const char* text) { return {text, text}; }

constexpr std::array kLin1Mode = {
    kNoSettings,
    same("iBus BMW"),
    same("Lin Slave AUDI2"),
    same("Lin Slave AUDI1"),
    same("Lin Slave VW1"),
    same("Lin Slave VW2"),
    same("Lin Slave BMW F10"),
    same("Lin Listener"),
    same("Lin Slave DODGE RAM"),
    same("Lin Slave MERCEDES W251"),
    same("Lin Slave VOLVO V50"),
};
constexpr std::array kLin2Mode = {
    kNoSettings,
    kNoSettings,
    same("Lin Master PID's"),
    same("Lin Master VW"),
    same("Lin Master AUDI1"),
    same("Lin Master AUDI2"),
    same("Lin Master Chevy VOLT/BOLT"),
    same("Lin Master MAZDA_CX5"),
    same("Lin Master MERC_SW"),
    same("Lin Master PEUGEOT"),
    same("Lin Master DODGE RAM"),
    same("Lin Master BMW F10"),
    same("Lin Master JEEP WK2"),
    same("Lin Master Opel CD400"),
    same("Lin Master VW T5 WINDOW"),
    same("Lin Master CADILLAC CT6"),
    same("Lin Master VOLVO V50"),
};
constexpr std::array kUsbFunctions = {
    same("CDC ACM"),
    same("Keyboard 101 Keys"),
    same("Keyboard Multimedia"),
    same("Keyboard Sys Control"),
    same("Mouse"),
    same("Android touch"),
    same("Windows touch"),
};

constexpr std::array kIrInput = {
    kOff,         same("X2/2"), same("X2/3"),  same("X2/4"), same("X2/5"),
    same("X2/6"), same("X4/2"), same("X4/3"),  same("X6/2"), same("X6/3"),
    same("X6/5"), same("X6/6"), same("IERX"),  same("X5/6"), same("X5/7"),
    same("X5/8"), same("X5/9"), same("X5/10"), same("IO5"),  same("IO6"),
};
constexpr std::array kTouchModeFixed = {
    TextPair{"Отключена", "Disabled"},
    TextPair{"Только внешняя", "External only"},
    TextPair{"Перехват - 0В", "Interception - 0V"},
    TextPair{"Перехват > 3В", "Interception > 3V"},
};
constexpr std::array kRenaultJoy = {
    TextPair{"Не используется", "Not used"},
    TextPair{"6 кнопок и колесико", "6 buttons and a wheel"},
    TextPair{"9 кнопок и колесико", "9 buttons and a wheel"},
};
constexpr std::array kEncoderMode = {
    kOff,
    same("X2/2, X2/3"),
    same("X2/4, X2/5"),
    same("X3/2, X3/3"),
    same("X3/4, X3/5"),
    same("X4/2, X4/3"),
    same("X6/2, X6/3"),
    same("X6/5, X6/6"),
    same("IO5,IO6"),
};
constexpr std::array kPulseSourceCount = {
    same("1 (1)"),
    same("2 (1, 2)"),
    same("3 (1, 2, 3)"),
    same("4 (1, 2, 3, 4)"),
    same("5 (1, 2, 3, 4, 5)"),
    same("6 (1, 2, 3, 4, 5, 6)"),
    same("7 (1, 2, 3, 4, 5, 6, 7)"),
    same("8 (1, 2, 3, 4, 5, 6, 7, 8)"),
};
constexpr std::array kOutputPin = {
    kOff,         same("X2/2"), same("X2/3"), same("X2/4"), same("X2/5"), same("X2/6"),
    same("X4/2"), same("X4/3"), same("X5/7"), same("X5/8"), same("X6/2"), same("X6/3"),
    same("X6/5"), same("X6/6"), same("IO5"),  same("IO6"),
};
constexpr std::array kSourceNumber = {same("1"), same("2"), same("3"), same("4"),
                                      same("5"), same("6"), same("7"), same("8")};

constexpr std::array kHeadType = {
    same("ALPINE"),
    TextPair{"KENWOOD тип 1", "KENWOOD type 1"},
    TextPair{"KENWOOD тип 2", "KENWOOD type 2"},
    TextPair{"PIONEER тип 1", "PIONEER type 1"},
    TextPair{"PIONEER тип 2", "PIONEER type 2"},
    same("ROVER CAN"),
    same("HONDA ODYSSEY"),
};
constexpr std::array kGpsSpeed = {
    TextPair{"согласно USB", "as on USB"},
    same("1200 bps"),
    same("2400 bps"),
    same("4800 bps"),
    same("9600 bps"),
    same("19200 bps"),
    same("38400 bps"),
    same("57600 bps"),
    same("115200 bps"),
};
constexpr std::array kParity = {same("N"), same("E"), same("O")};
constexpr std::array kSingleEight = {same("8")};
constexpr std::array kSingleOne = {same("1")};
constexpr std::array kExtNaviType = {
    same("GVN53"),         same("LM7200"),        same("PHANTOM F1"), same("KENWOOD"),
    same("BGT900 type 1"), same("BGT900 type 2"), same("NKP-2100"),
};
constexpr std::array kIebusFunctions = {
    TextPair{"Управление усилителем", "Amplifier control"},
    TextPair{"Эмуляция навигатора", "Navigator emulation"},
    TextPair{"Совместно со штатным нави", "Together with the stock navigator"},
    TextPair{"Эмуляция DVD1", "DVD1 emulation"},
    TextPair{"Эмуляция DVD2", "DVD2 emulation"},
    TextPair{"Эмуляция DVD3", "DVD3 emulation"},
    TextPair{"Эмуляция CDC1", "CDC1 emulation"},
    TextPair{"Эмуляция CDC2", "CDC2 emulation"},
    TextPair{"Эмуляция усилителя", "Amplifier emulation"},
    TextPair{"Эмуляция TV Camry V50", "TV Camry V50 emulation"},
    TextPair{"Эмуляция MAM", "MAM emulation"},
    TextPair{"Совместно с MAM", "Together with MAM"},
    TextPair{"Эмуляция PA", "PA emulation"},
    TextPair{"Эмуляция JOY", "JOY emulation"},
    TextPair{"Управление JOY", "JOY control"},
    TextPair{"Эмуляция MON", "MON emulation"},
};
constexpr std::array kCanSpeed = {
    TextPair{"Не задана", "Not set"},
    same("16 KBit/s"),
    same("33 KBit/s"),
    same("47 KBit/s"),
    same("56 KBit/s"),
    same("66 KBit/s"),
    same("83 KBit/s"),
    same("95 KBit/s"),
    same("100 KBit/s"),
    same("125 KBit/s"),
    same("250 KBit/s"),
    same("500 KBit/s"),
};
constexpr std::array kIdriveLight = {
    TextPair{"Выключена", "Off"},
    TextPair{"Включена", "On"},
    same("VIN1 (X5/9)"),
    same("VIN2 (X5/10)"),
};
constexpr std::array kIdriveTouchpadMode = {
    TextPair{"Отключен", "Disabled"},
    TextPair{"Тач панель", "Touch panel"},
    TextPair{"Эмуляция мыши x1", "Mouse emulation x1"},
    TextPair{"Эмуляция мыши x2", "Mouse emulation x2"},
    TextPair{"Эмуляция мыши x4", "Mouse emulation x4"},
    TextPair{"Эмуляция мыши x8", "Mouse emulation x8"},
    TextPair{"Эмуляция мыши x16", "Mouse emulation x16"},
};
constexpr std::array kIdriveTouchpadClick = {
    TextPair{"Только по тачпаду", "Touchpad only"},
    TextPair{"И при нажатии джойстика", "Also on a joystick press"},
};
constexpr std::array kSlaveMode = {
    TextPair{"Автономный", "Standalone"},
    TextPair{"Совместный", "Shared"},
};
constexpr std::array kOrientation = {
    TextPair{"Нормальная", "Normal"},
    TextPair{"X <> Y", "X <> Y"},
    TextPair{"Нормальная и инверсия X", "Normal, X inverted"},
    TextPair{"X <> Y и инверсия X", "X <> Y, X inverted"},
    TextPair{"Нормальная и инверсия Y", "Normal, Y inverted"},
    TextPair{"X <> Y и инверсия Y", "X <> Y, Y inverted"},
    TextPair{"Нормальная и инверсия X и Y", "Normal, X and Y inverted"},
    TextPair{"X <> Y и инверсия X и Y", "X <> Y, X and Y inverted"},
};
constexpr std::array kIdriveType = {
    TextPair{"Не задан", "Not set"},
    same("CIC"),
    same("NBT"),
    same("G11/G12"),
    same("F-Series"),
    same("NBT EVO"),
};
constexpr std::array kMctrlType = {same("DEFAULT")};
constexpr std::array kMctrlLock = {TextPair{"Выключено", "Off"}, TextPair{"Включено", "On"}};
constexpr std::array kMctrlSpeedMode = {
    TextPair{"Жесты", "Gestures"},       TextPair{"Скорость x1", "Speed x1"},
    TextPair{"Скорость x2", "Speed x2"}, TextPair{"Скорость x3", "Speed x3"},
    TextPair{"Скорость x4", "Speed x4"}, TextPair{"Скорость x5", "Speed x5"},
    TextPair{"Скорость x6", "Speed x6"}, TextPair{"Скорость x7", "Speed x7"},
};
constexpr std::array kMctrlLight = {TextPair{"Включена", "On"}, TextPair{"Выключена", "Off"}};
constexpr std::array kGanetMode = {
    TextPair{"Нет устройств", "No devices"},
    same("RDX"),
    same("INSPIRE"),
    same("MDX"),
    same("NAVI EMUL"),
    same("ACCORD"),
    same("MDX MONITOR"),
    same("RDX MONITOR"),
};
constexpr std::array kGanetVolume = {
    TextPair{"Не используется", "Not used"},
    TextPair{"Управление канал 1", "Control channel 1"},
    TextPair{"Управление канал 2", "Control channel 2"},
};
constexpr std::array kAinetMode = {
    TextPair{"Режим не задан", "Mode not set"},
    TextPair{"Режим прослушивания шины", "Bus listening mode"},
};
constexpr std::array kAcuraJoy = {
    TextPair{"Без джойстика", "No joystick"},
    TextPair{"Джойстик тип 1", "Joystick type 1"},
    TextPair{"Джойстик тип 2", "Joystick type 2"},
    TextPair{"Джойстик тип 3", "Joystick type 3"},
    TextPair{"Джойстик тип 4", "Joystick type 4"},
    TextPair{"Джойстик тип 5 (Acura MDX 2017+)", "Joystick type 5 (Acura MDX 2017+)"},
};
constexpr std::array kIbusNum = {
    same("X5/7, X5/9 (OUT1/VIN1)"),
    same("X5/7, X5/9 (OUT1/VIN1) <-> UART (X4/2, X4/3), CTS (X6/5)"),
    same("X5/7, X5/9 (OUT1/VIN1) <-> UART (X6/2, X6/3), CTS (X6/5)"),
};
constexpr std::array kLinSpeed = {
    TextPair{"Не задана", "Not set"},
    same("9600 Bit/s"),
    same("10000 Bit/s"),
    same("10417 Bit/s"),
    same("19200 Bit/s"),
    same("20000 Bit/s"),
};
constexpr std::array kLinRelayPin = {
    TextPair{"Отключено", "Disabled"},
    same("X2/2"),
    same("X2/3"),
    same("X2/4"),
    same("X2/5"),
    same("X2/6"),
    same("X4/2"),
    same("X4/3"),
    same("X5/6"),
    same("X5/7"),
    same("X6/2"),
    same("X6/3"),
    same("X6/5"),
    same("X6/6"),
    same("IO5"),
    same("IO6"),
};
constexpr std::array kLinVersion = {same("LIN 1.0"), same("LIN 2.0")};
constexpr std::array kLinType = {
    TextPair{"Не используется", "Not used"},
    TextPair{"Руль Skoda Kodiaq", "Skoda Kodiaq steering wheel"},
    TextPair{"Руль Seat", "Seat steering wheel"},
    TextPair{"Руль Polo", "Polo steering wheel"},
};
constexpr std::array kLinTempChannel = {
    TextPair{"Шина LIN", "LIN bus"}, same("X3/2"), same("X3/3"), same("X3/4"), same("X3/5"),
};
constexpr std::array kPs2Type = {
    TextPair{"Не используется", "Not used"},
    same("Synaptics 920-000764-01"),
};
constexpr std::array kPs2Multiplier = {
    same("1"), same("2"),  same("3"),  same("4"),  same("5"),  same("6"),  same("7"),  same("8"),
    same("9"), same("10"), same("11"), same("12"), same("13"), same("14"), same("15"), same("16"),
};
constexpr std::array kPs2Rotation = {same("0°"), same("90°"), same("180°"), same("270°")};
constexpr std::array kUartSpeed = {
    same("1200 bps"),  same("2400 bps"),  same("4800 bps"),  same("9600 bps"),
    same("19200 bps"), same("38400 bps"), same("57600 bps"), same("115200 bps"),
};
constexpr std::array kAudiMmiType = {
    TextPair{"Нет подключения", "Not connected"},
    same("MMI 3G+"),
    same("MMI 3G"),
    same("MMI 2G HIGH"),
};
constexpr std::array kCarDspType = {
    TextPair{"Расширенный", "Extended"},
    TextPair{"Укороченный", "Shortened"},
};
constexpr std::array kCarDspBits = {same("Src"), same("Preset"), same("Sub"), same("Vol")};
constexpr std::array kGazerType = {same("GAZER PA40R/PA45R")};

}  // namespace

const lang::TextPair kPinFree = kPinGeneral[0];

List pinGeneral() { return kPinGeneral; }
List pinPower() { return kPinPower; }
List pinOpenCollector() { return kPinOpenCollector; }
List uartPort() { return kUartPort; }
List gazerPort() { return kGazerPort; }
List volvoAlpsPort() { return kVolvoAlpsPort; }
List diffBus() { return kDiffBus; }
List lin1Mode() { return kLin1Mode; }
List lin2Mode() { return kLin2Mode; }
List usbFunctions() { return kUsbFunctions; }
List irInput() { return kIrInput; }
List touchModeFixed() { return kTouchModeFixed; }
List renaultJoy() { return kRenaultJoy; }
List encoderMode() { return kEncoderMode; }
List pulseSourceCount() { return kPulseSourceCount; }
List outputPin() { return kOutputPin; }
List sourceNumber() { return kSourceNumber; }
List sourceNameTitles() {
  static constexpr std::array<TextPair, 2> kTitles = {{{"Источник", "Source"}, {"Имя", "Name"}}};
  return kTitles;
}
List headType() { return kHeadType; }
List gpsSpeed() { return kGpsSpeed; }
List parity() { return kParity; }
List singleEight() { return kSingleEight; }
List singleOne() { return kSingleOne; }
List extNaviType() { return kExtNaviType; }
List iebusFunctions() { return kIebusFunctions; }
List canSpeed() { return kCanSpeed; }
List idriveLight() { return kIdriveLight; }
List idriveTouchpadMode() { return kIdriveTouchpadMode; }
List idriveTouchpadClick() { return kIdriveTouchpadClick; }
List slaveMode() { return kSlaveMode; }
List orientation() { return kOrientation; }
List idriveType() { return kIdriveType; }
List mctrlType() { return kMctrlType; }
List mctrlLock() { return kMctrlLock; }
List mctrlSpeedMode() { return kMctrlSpeedMode; }
List mctrlLight() { return kMctrlLight; }
List ganetMode() { return kGanetMode; }
List ganetVolume() { return kGanetVolume; }
List ainetMode() { return kAinetMode; }
List acuraJoy() { return kAcuraJoy; }
List ibusNum() { return kIbusNum; }
List linSpeed() { return kLinSpeed; }
List linRelayPin() { return kLinRelayPin; }
List linVersion() { return kLinVersion; }
List linType() { return kLinType; }
List linTempChannel() { return kLinTempChannel; }
List ps2Type() { return kPs2Type; }
List ps2Multiplier() { return kPs2Multiplier; }
List ps2Rotation() { return kPs2Rotation; }
List uartSpeed() { return kUartSpeed; }
List audiMmiType() { return kAudiMmiType; }
List carDspType() { return kCarDspType; }
List carDspBits() { return kCarDspBits; }
List gazerType() { return kGazerType; }

}  // namespace kivprism::params::lists
