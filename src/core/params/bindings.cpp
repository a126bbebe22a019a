#include "core/params/bindings.hpp"

#include <array>
#include <string>
#include <unordered_map>

#include "core/params/assignment.hpp"

namespace kivprism::params {

namespace layout = config::layout;
using config::Field;
using lists::List;

namespace {

using ListFn = List (*)();

constexpr Binding combo(std::string_view name, Field field, ListFn items, Rule rule = Rule::Plain,
                        After after = After::Refresh, int channel = 0) {
  return {name, ControlKind::Combo, rule, field, std::nullopt, items, 0, 0, after, channel};
}
constexpr Binding bitsCombo(std::string_view name, config::BitField bits, ListFn items) {
  return {name, ControlKind::Combo, Rule::Plain, bits.byte, bits, items, 0, 0, After::Refresh, 0};
}
constexpr Binding fixed(std::string_view name, ListFn items) {
  return {name, ControlKind::Combo, Rule::Fixed, {}, std::nullopt, items, 0, 0, After::None, 0};
}
constexpr Binding check(std::string_view name, Field field, After after = After::Refresh,
                        Rule rule = Rule::Plain) {
  return {name, ControlKind::Check, rule, field, std::nullopt, nullptr, 0, 0, after, 0};
}
constexpr Binding bitCheck(std::string_view name, config::BitField bits) {
  return {name, ControlKind::Check, Rule::Plain, bits.byte, bits, nullptr, 0, 0, After::Refresh, 0};
}
constexpr Binding checkList(std::string_view name, Field field, ListFn items, Rule rule) {
  return {name, ControlKind::CheckList, rule, field, std::nullopt, items, 0, 0, After::Refresh, 0};
}
constexpr Binding number(std::string_view name, Field field, std::uint32_t minimum,
                         std::uint32_t maximum, After after = After::Refresh) {
  return {name,    ControlKind::Edit, Rule::Number, field, std::nullopt,
          nullptr, minimum,           maximum,      after, 0};
}
constexpr Binding edit(std::string_view name, Field field, Rule rule, After after = After::Refresh,
                       int channel = 0) {
  return {name, ControlKind::Edit, rule, field, std::nullopt, nullptr, 0, 0, after, channel};
}
constexpr Binding spin(std::string_view name, Field field, Rule rule, std::uint32_t minimum,
                       std::uint32_t maximum) {
  return {name,    ControlKind::Spin, rule,    field,       std::nullopt,
          nullptr, minimum,           maximum, After::None, 0};
}
constexpr Binding display(std::string_view name) {
  return {name, ControlKind::Widget, Rule::Display, {}, std::nullopt, nullptr, 0, 0, After::None,
          0};
}
constexpr Binding port(std::string_view name, Field field, PortModule module, ListFn items,
                       After after = After::Refresh) {
  return {name,  ControlKind::Combo,      Rule::Port, field, std::nullopt, items, 0, 0,
          after, static_cast<int>(module)};
}

const auto kBindings = std::to_array<Binding>({
    // Pins.
    combo("ComboBoxX22x", layout::pinMode(Pin::X22), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxX23x", layout::pinMode(Pin::X23), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxX24x", layout::pinMode(Pin::X24), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxX25x", layout::pinMode(Pin::X25), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxX26x", layout::pinMode(Pin::X26), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxX42x", layout::pinMode(Pin::X42), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxX43x", layout::pinMode(Pin::X43), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxX56x", layout::pinMode(Pin::X56), lists::pinPower, Rule::PinMode),
    combo("ComboBoxX57x", layout::pinMode(Pin::X57), lists::pinOpenCollector, Rule::PinMode),
    combo("ComboBoxX58x", layout::pinMode(Pin::X58), lists::pinOpenCollector, Rule::PinMode),
    combo("ComboBoxX62x", layout::pinMode(Pin::X62), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxX63x", layout::pinMode(Pin::X63), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxX65x", layout::pinMode(Pin::X65), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxX66x", layout::pinMode(Pin::X66), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxIO5x", layout::pinMode(Pin::IO5), lists::pinGeneral, Rule::PinMode),
    combo("ComboBoxIO6x", layout::pinMode(Pin::IO6), lists::pinGeneral, Rule::PinMode),
    // Interfaces.
    combo("ComboBoxDIFFBUSx", layout::kDiffBusMode, lists::diffBus),
    combo("ComboBoxLIN1MODEx", layout::kLin1Mode, lists::lin1Mode, Rule::Plain,
          After::ForceRefresh),
    combo("ComboBoxLIN2MODEx", layout::kLin2Mode, lists::lin2Mode, Rule::Plain,
          After::ForceRefresh),
    checkList("CheckListBoxUSBMODEx", layout::kPidSupport, lists::usbFunctions, Rule::UsbFunctions),
    check("CheckBox_USE_RX350JOYx", layout::kRx350JoyUse),
    check("CheckBox_SERIAL_USB_DELAY_USEx", layout::kSerialUsbDelayUse),
    // Sources (pulse output and source names).
    combo("ComboBoxPULSESRCNUMx", layout::kPulseNumSrc, lists::pulseSourceCount),
    combo("ComboBoxPULSENUM", layout::kPulseNum, lists::outputPin, Rule::PulsePin),
    number("EditPULSEMSACTIVE", layout::kPulseMsActive, 0, 5000),
    number("EditPULSEMSPAUSE", layout::kPulseMsPause, 0, 5000),
    check("CheckBoxSourceNameUse", layout::kUseName),
    {"ValueListEditorSourceName",
     ControlKind::Grid,
     Rule::SourceNames,
     {},
     std::nullopt,
     nullptr,
     0,
     0,
     After::None,
     0},
    // Keys.
    edit("Edit_PAR_LongTO", layout::kLongPressTime, Rule::LongPress, After::None),
    combo("ComboBoxRenaultJoyType", layout::kRenaultJoyType, lists::renaultJoy),
    check("CheckBoxHondaPanel", layout::kHondaPanel),
    // Touch panel.
    combo("ComboBoxTouchMode", layout::kTouchMode, lists::touchModeFixed, Rule::TouchMode),
    combo("ComboBoxSource2Touch", layout::kTouchSrcMask, nullptr, Rule::UsbTouchSource),
    check("CheckBoxTouchWakeUp", layout::kTouchWakeup, After::None),
    check("CheckBoxTouchHide", layout::kTouchHide, After::None),
    check("CheckBoxTouchGestures", layout::kTouchGestures),
    {"CheckBoxTouchDXY",
     ControlKind::Check,
     Rule::Display,
     {},
     std::nullopt,
     nullptr,
     0,
     0,
     After::None,
     0},
    display("PanelTouchFromCap2Res"),
    // IR input.
    combo("ComboBoxIRINPNUM", layout::kIrInpNum, lists::irInput, Rule::IrInput),
    check("CheckBoxIRINPINV", layout::kIrInpInv, After::None),
    check("CheckBoxIRINPADTx", layout::kIrInpAdt, After::None),
    // Analog outputs and control.
    edit("EditParamControlVOUT1", layout::kAnaVout1, Rule::Hundredths),
    edit("EditParamControlVOUT1minmax", layout::kMinMaxVout1, Rule::Hundredths),
    edit("EditParamControlVOUT2", layout::kAnaVout2, Rule::Hundredths),
    edit("EditParamControlVOUT2minmax", layout::kMinMaxVout2, Rule::Hundredths),
    check("CheckBoxParamControlVOUT1send", layout::kSerialCh1),
    check("CheckBoxParamControlVOUT2send", layout::kSerialCh2),
    number("Edit_KEY_REASSIGN_TO", layout::kKeyReassignTo, 0, 10000, After::ForceRefresh),
    // Encoders.
    combo("ComboBoxEditEncoder1Mode", layout::kEnc0Mode, lists::encoderMode, Rule::EncoderMode,
          After::Refresh, 1),
    spin("CSpinEditEncoder1Div", layout::kEnc0Div, Rule::SpinMinusOne, 1, 10),
    combo("ComboBoxEditEncoder2Mode", layout::kEnc1Mode, lists::encoderMode, Rule::EncoderMode,
          After::Refresh, 2),
    spin("CSpinEditEncoder2Div", layout::kEnc1Div, Rule::SpinMinusOne, 1, 10),
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
    check("CheckBox_CITROEN_C5_PARKTRONIC_USEx", layout::kCitroenC5ParktronicUse),
    check("CheckBox_CAN_W203_WO_HEAD_USEx", layout::kW203CanWoHeadUse),
    // Differential bus: iDrive.
    combo("ComboBoxIDRIVETYPEx", layout::kIdriveType, lists::idriveType),
    combo("ComboBoxIDRIVEMODE", layout::kIdriveMode, lists::slaveMode),
    combo("ComboBoxIDRIVELIGHT", layout::kIdriveLight, lists::idriveLight),
    display("PanelIDRIVELIGHT"),
    combo("ComboBoxIDRIVEORIENTATIONx", layout::kIdriveOrientation, lists::orientation),
    combo("ComboBoxTOUCHPAD_MODE", layout::kIdriveTouchpadMode, lists::idriveTouchpadMode),
    combo("ComboBoxTOUCHPAD_CLICK", layout::kIdriveTouchpadClick, lists::idriveTouchpadClick),
    edit("EditiDriveLightMin", layout::kIdriveLightMin, Rule::Millivolts),
    edit("EditiDriveLightMax", layout::kIdriveLightMax, Rule::Millivolts),
    display("LabeliDriveLightMin"),
    display("LabeliDriveLightMax"),
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
              Rule::IebusFunctions),
    check("CheckBoxIEBUSTouch", layout::kIebusTouch, After::Refresh, Rule::IebusTouch),
    number("EditAMPLDELAYTO", layout::kAmplParamTo, 0, 60000),
    display("PanelAMPLDELAYTO"),
    display("PanelAMPLDELAYTOMS"),
    spin("CSpinEditIEBUS_PREDDIV", layout::kIebusVolPreDiv, Rule::Spin, 1, 16),
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
    edit("EditUARTDELAY", layout::kUartDelayMs, Rule::UartDelay),
    edit("EditUARTREPLAY", layout::kUartReplayMs, Rule::UartRepeat),
    // AUDI MMI.
    combo("ComboBoxAUDIMMIType", layout::kAudiMmiUseType, lists::audiMmiType),
    // Car DSP.
    port("ComboBoxCarDspConnect", layout::kCarDspNum, PortModule::CarDsp, lists::uartPort),
    checkList("CheckListBoxCARDSP_BITMASKx", layout::kCarDspModeBits, lists::carDspBits,
              Rule::Plain),
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
    edit("EditHWRTO", layout::kHwrMaxTo, Rule::HwrTime, After::None),
    // PWM.
    number("EditPWMParamPeriod", layout::kPwmPeriod, 0, 60000, After::ForceRefresh),
    combo("ComboBoxPWMCh1Pinx", layout::pwmPin(0), lists::outputPin),
    edit("EditPWMParamCh1Min", layout::pwmMin(0), Rule::PwmLimit, After::Refresh, 0),
    edit("EditPWMParamCh1Max", layout::pwmMax(0), Rule::PwmLimit, After::Refresh, 0),
    edit("EditPWMParamCh1Val", layout::pwmValue(0), Rule::PwmValue, After::Refresh, 0),
    combo("ComboBoxPWMCh2Pinx", layout::pwmPin(1), lists::outputPin),
    edit("EditPWMParamCh2Min", layout::pwmMin(1), Rule::PwmLimit, After::Refresh, 1),
    edit("EditPWMParamCh2Max", layout::pwmMax(1), Rule::PwmLimit, After::Refresh, 1),
    edit("EditPWMParamCh2Val", layout::pwmValue(1), Rule::PwmValue, After::Refresh, 1),
    combo("ComboBoxPWMCh3Pinx", layout::pwmPin(2), lists::outputPin),
    edit("EditPWMParamCh3Min", layout::pwmMin(2), Rule::PwmLimit, After::Refresh, 2),
    edit("EditPWMParamCh3Max", layout::pwmMax(2), Rule::PwmLimit, After::Refresh, 2),
    edit("EditPWMParamCh3Val", layout::pwmValue(2), Rule::PwmValue, After::Refresh, 2),
    combo("ComboBoxPWMCh4Pinx", layout::pwmPin(3), lists::outputPin),
    edit("EditPWMParamCh4Min", layout::pwmMin(3), Rule::PwmLimit, After::Refresh, 3),
    edit("EditPWMParamCh4Max", layout::pwmMax(3), Rule::PwmLimit, After::Refresh, 3),
    edit("EditPWMParamCh4Val", layout::pwmValue(3), Rule::PwmValue, After::Refresh, 3),
});

const std::unordered_map<std::string_view, int>& indexByName() {
  static const auto map = [] {
    std::unordered_map<std::string_view, int> m;
    for (std::size_t i = 0; i < kBindings.size(); ++i) {
      m.emplace(kBindings[i].control, static_cast<int>(i));
    }
    return m;
  }();
  return map;
}

}  // namespace

std::span<const Binding> bindings() { return kBindings; }

int bindingIndex(std::string_view control) {
  const auto& map = indexByName();
  const auto it = map.find(control);
  return it == map.end() ? -1 : it->second;
}

const Binding* findBinding(std::string_view control) {
  const int i = bindingIndex(control);
  return i < 0 ? nullptr : &kBindings[static_cast<std::size_t>(i)];
}

}  // namespace kivprism::params
