#include "core/params/bindings.hpp"

#include <array>

#include "core/params/assignment.hpp"
#include "core/params/rules.hpp"

namespace kivprism::params {

namespace layout = config::layout;
using config::Field;
using lists::List;

namespace {

using ListFn = List (*)();
using view::ControlKind;
using view::Rule;

// The voltage fields' ranges in their stored units.
constexpr std::uint32_t kHundredthsMax = 500;
constexpr std::uint32_t kMillivoltsMax = 16000;
// The self-correcting times: what they keep without correcting.
constexpr std::uint32_t kLongPressMin = 200;
constexpr std::uint32_t kTimeMax = 5000;
constexpr std::uint32_t kHwrMin = 100;
constexpr std::uint32_t kUartTimeMax = 10000;

constexpr Binding combo(std::string_view name, Field field, ListFn items,
                        const Rule* rule = nullptr, After after = After::Refresh, int channel = 0) {
  return {name, ControlKind::Combo, rule, field, items, 0, 0, after, channel, {}};
}
// The pins' combo boxes carry one hint.
constexpr lang::TextPair kPinHint{"Тип выхода ножки и исходный уровень при включении",
                                  "Pin type and default state on power up"};
constexpr Binding pinCombo(std::string_view name, Pin pin, ListFn items) {
  return {name,    ControlKind::Combo,
          nullptr, layout::pinMode(pin),
          items,   0,
          0,       After::Refresh,
          0,       {},
          kPinHint};
}
// An interface's combo box with the hint that names its connector pins.
constexpr Binding interfaceCombo(std::string_view name, Field field, ListFn items, After after,
                                 lang::TextPair hint) {
  return {name, ControlKind::Combo, nullptr, field, items, 0, 0, after, 0, {}, hint};
}
constexpr Binding bitsCombo(std::string_view name, config::BitField bits, ListFn items) {
  return {name, ControlKind::Combo, nullptr, bits, items, 0, 0, After::Refresh, 0, {}};
}
constexpr Binding fixed(std::string_view name, ListFn items) {
  return {name, ControlKind::Combo, &rules::kFixed, {}, items, 0, 0, After::None, 0, {}};
}
constexpr Binding check(std::string_view name, Field field, After after = After::Refresh,
                        const Rule* rule = nullptr) {
  return {name, ControlKind::Check, rule, field, nullptr, 0, 0, after, 0, {}};
}
// A check box whose name ends in x: the table never reaches it, so its caption is kept here.
constexpr Binding namedCheck(std::string_view name, Field field, lang::TextPair caption) {
  return {name, ControlKind::Check, nullptr, field, nullptr, 0, 0, After::Refresh, 0, caption};
}
constexpr Binding bitCheck(std::string_view name, config::BitField bits) {
  return {name, ControlKind::Check, nullptr, bits, nullptr, 0, 0, After::Refresh, 0, {}};
}
constexpr Binding checkList(std::string_view name, Field field, ListFn items,
                            const Rule* rule = nullptr) {
  return {name, ControlKind::CheckList, rule, field, items, 0, 0, After::Refresh, 0, {}};
}
constexpr Binding number(std::string_view name, Field field, std::uint32_t minimum,
                         std::uint32_t maximum, After after = After::Refresh) {
  return {name, ControlKind::Edit, &rules::kNumber, field, nullptr, minimum, maximum, after, 0, {}};
}
// An edit field with its own rule; the range is what its hint shows.
constexpr Binding edit(std::string_view name, Field field, const Rule& rule, std::uint32_t minimum,
                       std::uint32_t maximum, After after = After::Refresh, int channel = 0) {
  return {name, ControlKind::Edit, &rule, field, nullptr, minimum, maximum, after, channel, {}};
}
// A backlight threshold: its hint is set by the program (the table's x rule skips "...Max_Hint").
constexpr Binding voltageEdit(std::string_view name, Field field, lang::TextPair hint) {
  return {name, ControlKind::Edit, &rules::kMillivolts, field, nullptr,
          0,    kMillivoltsMax,    After::Refresh,      0,     {},
          hint};
}
constexpr Binding spin(std::string_view name, Field field, const Rule* rule, std::uint32_t minimum,
                       std::uint32_t maximum) {
  return {name, ControlKind::Spin, rule, field, nullptr, minimum, maximum, After::None, 0, {}};
}
constexpr Binding display(std::string_view name) {
  return {name, ControlKind::Widget, &rules::kDisplay, {}, nullptr, 0, 0, After::None, 0, {}};
}
constexpr Binding port(std::string_view name, Field field, PortModule module, ListFn items,
                       After after = After::Refresh) {
  return {
      name, ControlKind::Combo, &rules::kPort, field, items, 0, 0, after, static_cast<int>(module),
      {}};
}

const auto kBindings = std::to_array<Binding>({
    // Pins.
    pinCombo("ComboBoxX22x", Pin::X22, lists::pinGeneral),
    pinCombo("ComboBoxX23x", Pin::X23, lists::pinGeneral),
    pinCombo("ComboBoxX24x", Pin::X24, lists::pinGeneral),
    pinCombo("ComboBoxX25x", Pin::X25, lists::pinGeneral),
    pinCombo("ComboBoxX26x", Pin::X26, lists::pinGeneral),
    pinCombo("ComboBoxX42x", Pin::X42, lists::pinGeneral),
    pinCombo("ComboBoxX43x", Pin::X43, lists::pinGeneral),
    pinCombo("ComboBoxX56x", Pin::X56, lists::pinPower),
    pinCombo("ComboBoxX57x", Pin::X57, lists::pinOpenCollector),
    pinCombo("ComboBoxX58x", Pin::X58, lists::pinOpenCollector),
    pinCombo("ComboBoxX62x", Pin::X62, lists::pinGeneral),
    pinCombo("ComboBoxX63x", Pin::X63, lists::pinGeneral),
    pinCombo("ComboBoxX65x", Pin::X65, lists::pinGeneral),
    pinCombo("ComboBoxX66x", Pin::X66, lists::pinGeneral),
    pinCombo("ComboBoxIO5x", Pin::IO5, lists::pinGeneral),
    pinCombo("ComboBoxIO6x", Pin::IO6, lists::pinGeneral),
    // The warning line under the pins: pins that two functions claim.
    {"LabelPinOverlapx",
     ControlKind::Widget,
     &rules::kPinOverlaps,
     {},
     nullptr,
     0,
     0,
     After::None,
     0,
     {}},
    // Interfaces.
    interfaceCombo("ComboBoxDIFFBUSx", layout::kDiffBusMode, lists::diffBus, After::Refresh,
                   {"Настройка дифференциальной шины X4/5 и X4/6",
                    "Setting for differential bus X4/5 & X4/6"}),
    interfaceCombo("ComboBoxLIN1MODEx", layout::kLin1Mode, lists::lin1Mode, After::ForceRefresh,
                   {"Настройка LIN1 X5/7 и X5/9", "Setting for LIN1 X5/7 & X5/9"}),
    interfaceCombo("ComboBoxLIN2MODEx", layout::kLin2Mode, lists::lin2Mode, After::ForceRefresh,
                   {"Настройка LIN2 X5/8 и X5/10", "Setting for LIN2 X5/8 & X5/10"}),
    checkList("CheckListBoxUSBMODEx", layout::kPidSupport, lists::usbFunctions,
              &rules::kUsbFunctions),
    namedCheck("CheckBox_USE_RX350JOYx", layout::kRx350JoyUse,
               {"Джойстик RX350", "RX350 joystick"}),
    namedCheck("CheckBox_SERIAL_USB_DELAY_USEx", layout::kSerialUsbDelayUse,
               {"Задержка Serial USB", "Serial USB delay"}),
    // Sources (pulse output and source names).
    combo("ComboBoxPULSESRCNUMx", layout::kPulseNumSrc, lists::pulseSourceCount),
    combo("ComboBoxPULSENUM", layout::kPulseNum, lists::outputPin, &rules::kPulsePin),
    number("EditPULSEMSACTIVE", layout::kPulseMsActive, 0, 5000),
    number("EditPULSEMSPAUSE", layout::kPulseMsPause, 0, 5000),
    check("CheckBoxSourceNameUse", layout::kUseName),
    {"ValueListEditorSourceName",
     ControlKind::Grid,
     &rules::kSourceNames,
     {},
     lists::sourceNameTitles,
     0,
     0,
     After::None,
     0,
     {}},
    // Keys.
    edit("Edit_PAR_LongTO", layout::kLongPressTime, rules::kLongPress, kLongPressMin, kTimeMax,
         After::None),
    combo("ComboBoxRenaultJoyType", layout::kRenaultJoyType, lists::renaultJoy),
    check("CheckBoxHondaPanel", layout::kHondaPanel),
    // Touch panel.
    combo("ComboBoxTouchMode", layout::kTouchMode, lists::touchModeFixed, &rules::kTouchMode),
    combo("ComboBoxSource2Touch", layout::kTouchSrcMask, nullptr, &rules::kUsbTouchSource),
    check("CheckBoxTouchWakeUp", layout::kTouchWakeup, After::None),
    check("CheckBoxTouchHide", layout::kTouchHide, After::None),
    check("CheckBoxTouchGestures", layout::kTouchGestures),
    {"CheckBoxTouchDXY",
     ControlKind::Check,
     &rules::kDisplay,
     {},
     nullptr,
     0,
     0,
     After::None,
     0,
     {}},
    display("PanelTouchFromCap2Res"),
    // IR input.
    combo("ComboBoxIRINPNUM", layout::kIrInpNum, lists::irInput, &rules::kIrInput),
    check("CheckBoxIRINPINV", layout::kIrInpInv, After::None),
    {"CheckBoxIRINPADTx",
     ControlKind::Check,
     nullptr,
     layout::kIrInpAdt,
     nullptr,
     0,
     0,
     After::None,
     0,
     {"Alpine Direct Touch", "Alpine Direct Touch"}},
    // Analog outputs and control.
    edit("EditParamControlVOUT1", layout::kAnaVout1, rules::kHundredths, 0, kHundredthsMax),
    edit("EditParamControlVOUT1minmax", layout::kMinMaxVout1, rules::kHundredths, 0,
         kHundredthsMax),
    edit("EditParamControlVOUT2", layout::kAnaVout2, rules::kHundredths, 0, kHundredthsMax),
    edit("EditParamControlVOUT2minmax", layout::kMinMaxVout2, rules::kHundredths, 0,
         kHundredthsMax),
    check("CheckBoxParamControlVOUT1send", layout::kSerialCh1),
    check("CheckBoxParamControlVOUT2send", layout::kSerialCh2),
    number("Edit_KEY_REASSIGN_TO", layout::kKeyReassignTo, 0, 10000, After::ForceRefresh),
    // Encoders.
    combo("ComboBoxEditEncoder1Mode", layout::kEnc0Mode, lists::encoderMode, &rules::kEncoderMode,
          After::Refresh, 1),
    spin("CSpinEditEncoder1Div", layout::kEnc0Div, &rules::kSpinMinusOne, 1, 10),
    combo("ComboBoxEditEncoder2Mode", layout::kEnc1Mode, lists::encoderMode, &rules::kEncoderMode,
          After::Refresh, 2),
    spin("CSpinEditEncoder2Div", layout::kEnc1Div, &rules::kSpinMinusOne, 1, 10),
    // GPS.
    port("ComboBoxGPSNUM", layout::kGpsNum, PortModule::Gps, lists::uartPort),
    combo("ComboBoxGPSSPEED", layout::kGpsSpeed, lists::gpsSpeed),
    fixed("ComboBoxGPSNBITSx", lists::singleEight),
    fixed("ComboBoxGPSSBITSx", lists::singleOne),
    combo("ComboBoxGPSPARITYx", layout::kGpsParity, lists::parity),
    check("CheckBox_GPS_COURSE", layout::kGpsCourse),
    // Head unit.
    port("ComboBoxHEADNUM", layout::kHeadNum, PortModule::Head, lists::uartPort),
    combo("ComboBoxHEADTYPE", layout::kHeadType, lists::headType),
    // External navigation.
    port("ComboBoxEXTNAVINUM", layout::kExtNaviNum, PortModule::ExtNavi, lists::uartPort),
    combo("ComboBoxEXTNAVITYPEx", layout::kExtNaviType, lists::extNaviType),
    combo("ComboBoxEXTNAVISRCx", layout::kExtNaviSrc, lists::sourceNumber),
    // Differential bus: CAN.
    combo("ComboBoxCANSPEEDx", layout::kCanParamBaud500k, lists::canSpeed),
    check("CheckBoxCANACKED", layout::kCanParamAcked),
    namedCheck("CheckBox_CITROEN_C5_PARKTRONIC_USEx", layout::kCitroenC5ParktronicUse,
               {"CITROEN C5 PARKTRONIC (X5/7)", "CITROEN C5 PARKTRONIC (X5/7)"}),
    namedCheck("CheckBox_CAN_W203_WO_HEAD_USEx", layout::kW203CanWoHeadUse,
               {"W203_WO_HEAD", "W203_WO_HEAD"}),
    // Differential bus: iDrive.
    combo("ComboBoxIDRIVETYPEx", layout::kIdriveType, lists::idriveType),
    combo("ComboBoxIDRIVEMODE", layout::kIdriveMode, lists::slaveMode),
    combo("ComboBoxIDRIVELIGHT", layout::kIdriveLight, lists::idriveLight),
    display("PanelIDRIVELIGHT"),
    combo("ComboBoxIDRIVEORIENTATIONx", layout::kIdriveOrientation, lists::orientation),
    combo("ComboBoxTOUCHPAD_MODE", layout::kIdriveTouchpadMode, lists::idriveTouchpadMode),
    combo("ComboBoxTOUCHPAD_CLICK", layout::kIdriveTouchpadClick, lists::idriveTouchpadClick),
    voltageEdit("EditiDriveLightMin", layout::kIdriveLightMin,
                {"Напряжение выключения подсветки", "Backlight off voltage"}),
    voltageEdit("EditiDriveLightMax", layout::kIdriveLightMax,
                {"Напряжение для максимальной яркости подсветки",
                 "Voltage for maximum backlight brightness"}),
    display("LabeliDriveLightMin"),
    // The x rule skips "...Max_Caption": the label's caption is kept here.
    {"LabeliDriveLightMax",
     ControlKind::Widget,
     &rules::kDisplay,
     {},
     nullptr,
     0,
     0,
     After::None,
     0,
     {"Vmax", "Vmax"}},
    display("PanelEditiDriveLightMinV"),
    display("PanelEditiDriveLightMaxV"),
    // Differential bus: Mercedes controller.
    combo("ComboBoxMCONTROLtype", layout::kMctrlType, lists::mctrlType),
    combo("ComboBoxMCONTROLmode", layout::kMctrlSlaveMode, lists::slaveMode),
    combo("ComboBoxMCONTROLlight", layout::kMctrlLight, lists::mctrlLight),
    combo("ComboBoxMCONTROLorientationx", layout::kMctrlOrientation, lists::orientation),
    combo("ComboBoxMCONTROLmouse", layout::kMctrlSpeedMode, lists::mctrlSpeedMode),
    combo("ComboBoxMCONTROLlock", layout::kMctrlLock, lists::mctrlLock),
    // Differential bus: IEBUS.
    checkList("CheckListBoxIEBUSMODEBITSx", layout::kIebusModeBits, lists::iebusFunctions,
              &rules::kIebusFunctions),
    check("CheckBoxIEBUSTouch", layout::kIebusTouch, After::Refresh, &rules::kIebusTouch),
    number("EditAMPLDELAYTO", layout::kAmplParamTo, 0, 60000),
    display("PanelAMPLDELAYTO"),
    display("PanelAMPLDELAYTOMS"),
    spin("CSpinEditIEBUS_PREDDIV", layout::kIebusVolPreDiv, nullptr, 1, 16),
    // Differential bus: GA-NET and AI-NET.
    combo("ComboBoxGaNetMODE", layout::kGanetMode, lists::ganetMode),
    combo("ComboBoxGaNetVolumeOut", layout::kGanetVolCh, lists::ganetVolume),
    check("CheckBoxGaNetTOUCHUSE", layout::kGanetTouch),
    combo("ComboBoxAINETPARAMMODEx", layout::kAinetMode, lists::ainetMode),
    // Acura joystick.
    combo("ComboBoxGaNetJOYUSETYPE", layout::kGanetAcuraJoyUseType, lists::acuraJoy),
    check("CheckBoxGaNetCONDUSE", layout::kGanetAcuraCondUse),
    // BMW iBus.
    combo("ComboBoxIBUSNUM", layout::kIbusParamNum, lists::ibusNum),
    check("CheckBoxIBUSCDC", layout::kIbusParamCdc),
    // Capacitive-to-resistive converter.
    port("ComboBoxCap2ResNum", layout::kCap2ResNum, PortModule::Cap2Res, lists::uartPort),
    // LIN.
    combo("ComboBoxLINSPEEDx", layout::kLinSpeedType, lists::linSpeed),
    display("PanelLINSPEED"),
    bitCheck("CheckBoxLINSWAP_VOLDN_OK", layout::kLinSwapVolDnOk),
    bitsCombo("ComboBoxLIN_TEMP_RELAY_PINx", layout::kLinTempRelayPin, lists::linRelayPin),
    bitsCombo("ComboBoxLINVERSIONx", layout::kLinVersion, lists::linVersion),
    combo("ComboBoxLINTYPE", layout::kLinSwType, lists::linType),
    combo("ComboBoxLIN_TEMP_RES_CHx", layout::kLinResChannel, lists::linTempChannel),
    number("EditLIN_TEMP_RES_VAL", layout::kLinResTripPoint, 0, 4095, After::EventsOnly),
    check("CheckBoxLIN_LIGHT_VAR_ENABLE", layout::kLinLightVarEnable),
    check("CheckBoxLIN_HEAT_VAR_ENABLE", layout::kLinHeatVarEnable),
    // Bluetooth.
    port("ComboBoxBTNum", layout::kBtNum, PortModule::Bt, lists::uartPort, After::ForceRefresh),
    // PS/2.
    combo("ComboBoxPS2Type", layout::kPs2Type, lists::ps2Type),
    combo("ComboBoxPS2MNOGx", layout::kPs2Mnog, lists::ps2Multiplier),
    combo("ComboBoxPS2ROTATEx", layout::kPs2Rotation, lists::ps2Rotation),
    // UART.
    port("ComboBoxUARTNum", layout::kUartNum, PortModule::Uart, lists::uartPort),
    combo("ComboBoxUARTSPEED", layout::kUartSpeed, lists::uartSpeed),
    combo("ComboBoxUARTPARITYx", layout::kUartParity, lists::parity),
    fixed("ComboBoxUARTBITSx", lists::singleEight),
    fixed("ComboBoxUARTSTOPSx", lists::singleOne),
    edit("EditUARTDELAY", layout::kUartDelayMs, rules::kUartDelay, 1, kUartTimeMax),
    edit("EditUARTREPLAY", layout::kUartReplayMs, rules::kUartRepeat, 1, kUartTimeMax),
    // AUDI MMI.
    combo("ComboBoxAUDIMMIType", layout::kAudiMmiUseType, lists::audiMmiType),
    // Car DSP.
    port("ComboBoxCarDspConnect", layout::kCarDspNum, PortModule::CarDsp, lists::uartPort),
    checkList("CheckListBoxCARDSP_BITMASKx", layout::kCarDspModeBits, lists::carDspBits),
    display("PanelCarDspSend"),
    combo("ComboBoxCarDspType", layout::kCarDspType, lists::carDspType),
    // Resistive-panel emulator.
    port("ComboBoxRESEMULPARAM", layout::kResEmulNum, PortModule::ResEmul, lists::uartPort),
    check("CheckBoxRESEMULPARAMSWAPXY", layout::kResEmulSwapXY),
    check("CheckBoxRESEMULPARAMSWAPX", layout::kResEmulSwapX),
    check("CheckBoxRESEMULPARAMSWAPY", layout::kResEmulSwapY),
    // GAZER amplifier.
    port("ComboBoxGAZERUARTNum", layout::kGazerUartNum, PortModule::Gazer, lists::gazerPort),
    combo("ComboBoxGAZERUARTTypex", layout::kGazerUartType, lists::gazerType),
    // Volvo ALPS steering-wheel joystick.
    combo("ComboBoxVOLVO_ALPS_UART", layout::kVolvoAlpsUart1, lists::volvoAlpsPort),
    // HWR.
    edit("EditHWRTO", layout::kHwrMaxTo, rules::kHwrTime, kHwrMin, kTimeMax, After::None),
    // PWM.
    number("EditPWMParamPeriod", layout::kPwmPeriod, 0, 60000, After::ForceRefresh),
    combo("ComboBoxPWMCh1Pinx", layout::pwmPin(0), lists::outputPin),
    edit("EditPWMParamCh1Min", layout::pwmMin(0), rules::kPwmLimit, 0, 0, After::Refresh, 0),
    edit("EditPWMParamCh1Max", layout::pwmMax(0), rules::kPwmLimit, 0, 0, After::Refresh, 0),
    edit("EditPWMParamCh1Val", layout::pwmValue(0), rules::kPwmValue, 0, 0, After::Refresh, 0),
    combo("ComboBoxPWMCh2Pinx", layout::pwmPin(1), lists::outputPin),
    edit("EditPWMParamCh2Min", layout::pwmMin(1), rules::kPwmLimit, 0, 0, After::Refresh, 1),
    edit("EditPWMParamCh2Max", layout::pwmMax(1), rules::kPwmLimit, 0, 0, After::Refresh, 1),
    edit("EditPWMParamCh2Val", layout::pwmValue(1), rules::kPwmValue, 0, 0, After::Refresh, 1),
    combo("ComboBoxPWMCh3Pinx", layout::pwmPin(2), lists::outputPin),
    edit("EditPWMParamCh3Min", layout::pwmMin(2), rules::kPwmLimit, 0, 0, After::Refresh, 2),
    edit("EditPWMParamCh3Max", layout::pwmMax(2), rules::kPwmLimit, 0, 0, After::Refresh, 2),
    edit("EditPWMParamCh3Val", layout::pwmValue(2), rules::kPwmValue, 0, 0, After::Refresh, 2),
    combo("ComboBoxPWMCh4Pinx", layout::pwmPin(3), lists::outputPin),
    edit("EditPWMParamCh4Min", layout::pwmMin(3), rules::kPwmLimit, 0, 0, After::Refresh, 3),
    edit("EditPWMParamCh4Max", layout::pwmMax(3), rules::kPwmLimit, 0, 0, After::Refresh, 3),
    edit("EditPWMParamCh4Val", layout::pwmValue(3), rules::kPwmValue, 0, 0, After::Refresh, 3),
});

}  // namespace

const view::BindingTable& pageBindings() {
  static const view::BindingTable table(kBindings);
  return table;
}

std::span<const Binding> bindings() { return kBindings; }

int bindingIndex(std::string_view control) { return pageBindings().indexOf(control); }

const Binding* findBinding(std::string_view control) { return pageBindings().find(control); }

}  // namespace kivprism::params
