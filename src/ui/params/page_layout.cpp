#include "ui/params/page_layout.hpp"

#include <array>

namespace kivprism::ui::params {

namespace {

using R = FormRow;
constexpr std::string_view kNone{};

constexpr std::array kPins = {
    R{"ComboBoxX22x"},     R{"ComboBoxX23x"}, R{"ComboBoxX24x"}, R{"ComboBoxX25x"},
    R{"ComboBoxX26x"},     R{"ComboBoxX42x"}, R{"ComboBoxX43x"}, R{"ComboBoxX56x"},
    R{"ComboBoxX57x"},     R{"ComboBoxX58x"}, R{"ComboBoxX62x"}, R{"ComboBoxX63x"},
    R{"ComboBoxX65x"},     R{"ComboBoxX66x"}, R{"ComboBoxIO5x"}, R{"ComboBoxIO6x"},
    R{"LabelPinOverlapx"},
};
constexpr std::array kInterfaces = {
    R{"ComboBoxDIFFBUSx"},     R{"ComboBoxLIN1MODEx"},      R{"ComboBoxLIN2MODEx"},
    R{"CheckListBoxUSBMODEx"}, R{"CheckBox_USE_RX350JOYx"}, R{"CheckBox_SERIAL_USB_DELAY_USEx"},
};
constexpr std::array kPulse = {
    R{"ComboBoxPULSESRCNUMx", "Panel4"},
    R{"ComboBoxPULSENUM"},
    R{"EditPULSEMSACTIVE", kDerivedCaption, "PanelPULSEMSACTIVEMS"},
    R{"EditPULSEMSPAUSE", kDerivedCaption, "PanelPULSEMSPAUSEMS"},
    R{"CheckBoxSourceNameUse"},
    R{"ValueListEditorSourceName", kNone},
};
constexpr std::array kKeys = {
    R{"Edit_PAR_LongTO", "Label_PAR_LongTO_Descripions", "Label_PAR_LongTO_MSEC"},
    R{"ComboBoxRenaultJoyType"},
    R{"CheckBoxHondaPanel"},
    R{kKeysSetup},
    R{kKeysGroup},
};
constexpr std::array kTouch = {
    R{"ComboBoxTouchMode", "Panel2"},
    R{"ComboBoxSource2Touch", "Panel14"},
    R{"CheckBoxTouchWakeUp"},
    R{"CheckBoxTouchHide"},
    R{"CheckBoxTouchGestures"},
    R{kTouchMargin},
    R{kTouchSetup},
    R{"PanelTouchFromCap2Res"},
};
constexpr std::array kIrInput = {
    R{"ComboBoxIRINPNUM"},
    R{"CheckBoxIRINPINV"},
    R{"CheckBoxIRINPADTx"},
};
constexpr std::array kControl = {
    R{kAnalogChannels},
    R{"Edit_KEY_REASSIGN_TO", "Panel_KEY_REASSIGN_TO", "Panel_KEY_REASSIGN_TO_MS"},
};
constexpr std::array kEncoders = {
    R{"ComboBoxEditEncoder1Mode", "PanelENC1Connect"},
    R{"CSpinEditEncoder1Div", "PanelEncoder1DivText"},
    R{"ComboBoxEditEncoder2Mode", "Panel20"},
    R{"CSpinEditEncoder2Div", "Panel21"},
};
constexpr std::array kGps = {
    R{"ComboBoxGPSNUM", "PanelGPSConnect"},
    R{"ComboBoxGPSSPEED", "PanelGPSSpeed"},
    R{"ComboBoxGPSNBITSx", "PanelGPSFormat"},
    R{"ComboBoxGPSPARITYx", kNone},
    R{"ComboBoxGPSSBITSx", kNone},
    R{"CheckBox_GPS_COURSE"},
};
constexpr std::array kHead = {R{"ComboBoxHEADNUM", "PanelHEADConnect"},
                              R{"ComboBoxHEADTYPE", "PanelHEADTYPEText"}};
constexpr std::array kExtNavi = {
    R{"ComboBoxEXTNAVINUM"},
    R{"ComboBoxEXTNAVITYPEx"},
    R{"ComboBoxEXTNAVISRCx"},
};
constexpr std::array kAcura = {
    R{"ComboBoxGaNetJOYUSETYPE", "PanelGaNetJoy"},
    R{"CheckBoxGaNetCONDUSE"},
};
constexpr std::array kIbus = {R{"ComboBoxIBUSNUM"}, R{"CheckBoxIBUSCDC"}};
constexpr std::array kCap2Res = {R{"ComboBoxCap2ResNum", "Panel1"}};
constexpr std::array kLin = {
    R{"ComboBoxLINSPEEDx"},
    R{"CheckBoxLINSWAP_VOLDN_OK"},
    R{"ComboBoxLIN_TEMP_RELAY_PINx"},
    R{"ComboBoxLINVERSIONx"},
    R{"ComboBoxLINTYPE"},
    R{"ComboBoxLIN_TEMP_RES_CHx"},
    R{"EditLIN_TEMP_RES_VAL", "PanelLIN_TEMP_VALUE"},
    R{"CheckBoxLIN_LIGHT_VAR_ENABLE"},
    R{"CheckBoxLIN_HEAT_VAR_ENABLE"},
};
constexpr std::array kBt = {R{"ComboBoxBTNum", "Panel15"}};
constexpr std::array kPs2 = {
    R{"ComboBoxPS2Type"},
    R{"ComboBoxPS2MNOGx", "PanelPS2Mnog"},
    R{"ComboBoxPS2ROTATEx", "PanelPS2Rotate"},
};
constexpr std::array kUart = {
    R{"ComboBoxUARTNum"},
    R{"ComboBoxUARTSPEED"},
    R{"ComboBoxUARTBITSx", "PanelUARTFORMAT"},
    R{"ComboBoxUARTPARITYx", kNone},
    R{"ComboBoxUARTSTOPSx", kNone},
    R{"EditUARTDELAY", "LabelUARTDELAY", "LabelUARTDELAYMS"},
    R{"EditUARTREPLAY", "LabelUARTREPLAY", "LabelUARTREPLAYMS"},
};
constexpr std::array kAudiMmi = {R{"ComboBoxAUDIMMIType"}};
constexpr std::array kCarDsp = {
    R{"ComboBoxCarDspConnect"},
    R{"CheckListBoxCARDSP_BITMASKx", "PanelCarDspSend"},
    R{"ComboBoxCarDspType"},
};
constexpr std::array kResEmul = {
    R{"ComboBoxRESEMULPARAM"},
    R{"CheckBoxRESEMULPARAMSWAPXY"},
    R{"CheckBoxRESEMULPARAMSWAPX"},
    R{"CheckBoxRESEMULPARAMSWAPY"},
};
constexpr std::array kGazer = {R{"ComboBoxGAZERUARTNum", "PanelGAZERUARTnum"},
                               R{"ComboBoxGAZERUARTTypex", "PanelGAZERUARTtype"}};
constexpr std::array kVolvo = {R{"ComboBoxVOLVO_ALPS_UART", "PanelVOLVO_ALPS_Connect"}};
constexpr std::array kHwr = {R{"EditHWRTO", "LabelHWRTOname", "LabelHWRTOms"}};
constexpr std::array kVar = {R{kVarGrid}};
constexpr std::array kPwm = {
    R{"EditPWMParamPeriod", "LabelPWMParamPeriodTXT", "LabelPWMParamPeriodUs"},
    R{kPwmChannels},
};

constexpr std::array kCan = {
    R{"ComboBoxCANSPEEDx"},
    R{"CheckBoxCANACKED"},
    R{"CheckBox_CITROEN_C5_PARKTRONIC_USEx"},
    R{"CheckBox_CAN_W203_WO_HEAD_USEx"},
};
constexpr std::array kIdrive = {
    R{"ComboBoxIDRIVETYPEx"},
    R{"ComboBoxIDRIVEMODE"},
    R{"ComboBoxIDRIVELIGHT"},
    R{"EditiDriveLightMin", "LabeliDriveLightMin", "PanelEditiDriveLightMinV"},
    R{"EditiDriveLightMax", "LabeliDriveLightMax", "PanelEditiDriveLightMaxV"},
    R{"ComboBoxIDRIVEORIENTATIONx"},
    R{"ComboBoxTOUCHPAD_MODE"},
    R{"ComboBoxTOUCHPAD_CLICK"},
};
constexpr std::array kRenaultJoy = {R{kRenaultJoyNoSettings}};
constexpr std::array kMercedesJoy = {R{kMercedesJoyNoSettings}};
constexpr std::array kMctrl = {
    R{"ComboBoxMCONTROLtype"},         R{"ComboBoxMCONTROLmode"},  R{"ComboBoxMCONTROLlight"},
    R{"ComboBoxMCONTROLorientationx"}, R{"ComboBoxMCONTROLmouse"}, R{"ComboBoxMCONTROLlock"},
};
constexpr std::array kIebus = {
    R{"CheckListBoxIEBUSMODEBITSx", kNone},
    R{"CheckBoxIEBUSTouch"},
    R{"EditAMPLDELAYTO", "PanelAMPLDELAYTO", "PanelAMPLDELAYTOMS"},
    R{"CSpinEditIEBUS_PREDDIV"},
};
constexpr std::array kGanet = {
    R{"ComboBoxGaNetMODE"},
    R{"ComboBoxGaNetVolumeOut"},
    R{"CheckBoxGaNetTOUCHUSE"},
};
constexpr std::array kAinet = {R{"ComboBoxAINETPARAMMODEx"}};

constexpr std::array kTabs = {
    TabLayout{"TabSheetPINS", kPins},
    TabLayout{"TabSheetInterfaces", kInterfaces},
    TabLayout{"TabSheetPULSE", kPulse},
    TabLayout{"TabSheetKEYS", kKeys},
    TabLayout{"TabSheetTouch", kTouch},
    TabLayout{"TabSheetIRINP", kIrInput},
    TabLayout{"TabSheetParamControl", kControl},
    TabLayout{"TabSheetEnc", kEncoders},
    TabLayout{"TabSheetGPS", kGps},
    TabLayout{"TabSheetHEAD", kHead},
    TabLayout{"TabSheetEXTNAVI", kExtNavi},
    TabLayout{"TabSheet_DIFFBUSx", {}},
    TabLayout{"TabSheetAcuraJoyParamx", kAcura},
    TabLayout{"TabSheetIBUSx", kIbus},
    TabLayout{"TabSheetCap2Resx", kCap2Res},
    TabLayout{"TabSheetLINParam", kLin},
    TabLayout{"TabSheetBTmodule", kBt},
    TabLayout{"TabSheetPS2x", kPs2},
    TabLayout{"TabSheetUARTx", kUart},
    TabLayout{"TabSheetAUDIMMIx", kAudiMmi},
    TabLayout{"TabSheetCarDSPx", kCarDsp},
    TabLayout{"TabSheetRESEMULPARAMx", kResEmul},
    TabLayout{"TabSheetGAZERPARAMx", kGazer},
    TabLayout{"TabSheetVOLVO_ALPSx", kVolvo},
    TabLayout{"TabSheetHWRParamx", kHwr},
    TabLayout{"TabSheetVARViewx", kVar},
    TabLayout{"TabSheetPWMParamx", kPwm},
};

constexpr std::array kDiffPages = {
    TabLayout{"TabSheet_CAN_NOx", {}},
    TabLayout{"TabSheet_CAN_CANx", kCan},
    TabLayout{"TabSheet_CAN_IDRIVEx", kIdrive},
    TabLayout{"TabSheet_CAN_RJOYx", kRenaultJoy},
    TabLayout{"TabSheet_CAN_MJOYx", kMercedesJoy},
    TabLayout{"TabSheet_CAN_MCTRLx", kMctrl},
    TabLayout{"TabSheet_IEBUSx", kIebus},
    TabLayout{"TabSheet_GANETx", kGanet},
    TabLayout{"TabSheet_AINETx", kAinet},
};

}  // namespace

std::span<const TabLayout> paramTabs() { return kTabs; }
std::span<const TabLayout> diffBusPages() { return kDiffPages; }

}  // namespace kivprism::ui::params
