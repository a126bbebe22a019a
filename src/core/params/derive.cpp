#include "core/params/derive.hpp"

#include <array>

#include "core/config/text_codec.hpp"
#include "core/lang/common_texts.hpp"
#include "core/params/assignment.hpp"
#include "core/params/bindings.hpp"
#include "core/params/bus_modes.hpp"
#include "core/params/entry_value.hpp"

namespace kivprism::params {

namespace layout = config::layout;
using config::ConfigImage;
using lang::Language;
using lang::TextPair;

namespace {

constexpr std::array<std::string_view, 27> kParamTabs = {
    "TabSheetPINS",           "TabSheetInterfaces",  "TabSheetPULSE",
    "TabSheetKEYS",           "TabSheetTouch",       "TabSheetIRINP",
    "TabSheetParamControl",   "TabSheetEnc",         "TabSheetGPS",
    "TabSheetHEAD",           "TabSheetEXTNAVI",     "TabSheet_DIFFBUSx",
    "TabSheetAcuraJoyParamx", "TabSheetIBUSx",       "TabSheetCap2Resx",
    "TabSheetLINParam",       "TabSheetBTmodule",    "TabSheetPS2x",
    "TabSheetUARTx",          "TabSheetAUDIMMIx",    "TabSheetCarDSPx",
    "TabSheetRESEMULPARAMx",  "TabSheetGAZERPARAMx", "TabSheetVOLVO_ALPSx",
    "TabSheetHWRParamx",      "TabSheetVARViewx",    "TabSheetPWMParamx",
};

// The captions of the tabs whose names end in x: the language table never reaches them.
struct TabCaption {
  std::string_view tab;
  TextPair caption;
};
constexpr std::array kProgramTabCaptions = {
    TabCaption{"TabSheet_DIFFBUSx", {"Шина", "Bus"}},
    TabCaption{"TabSheetAcuraJoyParamx", {"ACURA JOY", "ACURA JOY"}},
    TabCaption{"TabSheetIBUSx", {"iBus BMW", "iBus BMW"}},
    TabCaption{"TabSheetCap2Resx", {"CAP2RES", "CAP2RES"}},
    TabCaption{"TabSheetPS2x", {"PS2", "PS2"}},
    TabCaption{"TabSheetUARTx", {"UART", "UART"}},
    TabCaption{"TabSheetAUDIMMIx", {"AUDI MMI", "AUDI MMI"}},
    TabCaption{"TabSheetCarDSPx", {"CarDSP", "CarDSP"}},
    TabCaption{"TabSheetRESEMULPARAMx", {"ResEmul", "ResEmul"}},
    TabCaption{"TabSheetGAZERPARAMx", {"GAZER PA", "GAZER PA"}},
    TabCaption{"TabSheetVOLVO_ALPSx", {"Volvo Alps SW", "Volvo Alps SW"}},
    TabCaption{"TabSheetHWRParamx", {"HWR", "HWR"}},
    TabCaption{"TabSheetVARViewx", {"VAR", "VAR"}},
    TabCaption{"TabSheetPWMParamx", {"PWM", "PWM"}},
};

// List positions the page's rules test.
constexpr unsigned kGanetInspire = 2;               // GA-NET mode with volume output
constexpr unsigned kIdriveLightVoltage = 2;         // iDrive backlight follows a voltage ...
constexpr unsigned kIdriveLightVoltageInverse = 3;  // ... or its inverse
constexpr unsigned kIdriveStandalone = 0;           // iDrive mode without a head unit
constexpr unsigned kLinSpeed19200 = 4;              // LIN speeds a VW master accepts
constexpr unsigned kLinSpeed20000 = 5;
constexpr unsigned kTouchModeSources = 4;           // touch mode built from the intercept mask
constexpr std::uint32_t kIebusAmplifier = 1u << 0;  // IEBUS function 0: the amplifier alone
// IEBUS functions that can carry touch coordinates (functions 1, 2, 9, 10 and 11).
constexpr std::uint32_t kIebusTouchCarriers =
    (1u << 1) | (1u << 2) | (1u << 9) | (1u << 10) | (1u << 11);
static_assert(kIebusTouchCarriers == 0xE06u);
constexpr std::uint16_t kIdriveLightMaxDefault = 12000;  // millivolts

bool idriveLightFollowsVoltage(unsigned light) {
  return light == kIdriveLightVoltage || light == kIdriveLightVoltageInverse;
}

using lang::kAnySource;
using lang::kChooseSources;
constexpr TextPair kSourcesWord{"Источники", "Sources"};
constexpr TextPair kSourcesChoose{"Источники...", "Sources..."};
constexpr TextPair kNone{" нет", " no"};

std::string maskNumbers(std::uint8_t mask) {
  std::string out;
  for (unsigned bit = 0; bit < 8; ++bit) {
    if (mask & (1u << bit)) {
      out += ' ';
      out += static_cast<char>('1' + bit);
    }
  }
  return out;
}

void normaliseInputsOutputs(ConfigImage& image) {
  if (image.getU8(layout::kPulseNumSrc) == 0) {
    image.set(layout::kPulseNum, 0);
  }
  if (image.getU8(layout::kPulseNum) == 0) {
    image.set(layout::kPulseMsActive, 0);
    image.set(layout::kPulseMsPause, 0);
  }
}

void normaliseModules(ConfigImage& image) {
  if (image.getU8(layout::kHeadNum) == 0) {
    image.set(layout::kHeadType, 0);
  }
  if (image.getU8(layout::kExtNaviNum) == 0) {
    image.set(layout::kExtNaviType, 0);
    image.set(layout::kExtNaviSrc, 0);
  }
  if (image.getU8(layout::kGanetMode) != kGanetInspire) {
    image.set(layout::kGanetVolCh, 0);
  }
  if (idriveLightFollowsVoltage(image.getU8(layout::kIdriveLight)) &&
      image.getU16(layout::kIdriveLightMin) == 0 && image.getU16(layout::kIdriveLightMax) == 0) {
    image.set(layout::kIdriveLightMax, kIdriveLightMaxDefault);
  }
  if (image.getU8(layout::kLin2Mode) == kLin2MasterVw) {
    const unsigned speed = image.getU8(layout::kLinSpeedType);
    if (speed != kLinSpeed19200 && speed != kLinSpeed20000) {
      image.set(layout::kLinSpeedType, kLinSpeed19200);
    }
  }
  image.set(layout::kUartDelayMs, normalUartDelay(image.getU16(layout::kUartDelayMs)));
  image.set(layout::kUartReplayMs, normalUartRepeat(image.getU16(layout::kUartReplayMs)));

  std::uint32_t iebus = image.get(layout::kIebusModeBits);
  if (iebus & kIebusAmplifier) {
    iebus = kIebusAmplifier;  // the amplifier alone excludes every other function
  }
  image.set(layout::kIebusModeBits, iebus);
  if (iebus == 0) {
    image.set(layout::kIebusTouch, 0);
  }
  if (image.getU8(layout::kIebusVolPreDiv) == 0) {
    image.set(layout::kIebusVolPreDiv, 1);
  }
  if (!(iebus & kIebusAmplifier)) {
    image.set(layout::kAmplParamTo, 0);
  }
}

void normaliseAssignment(ConfigImage& image) {
  releaseClaimedModes(image, computeClaims(image));
  if (image.getU8(layout::kCap2ResNum) != 0) {
    // The converter delivers finished coordinates: no wake-up, hiding or gestures of our own.
    image.set(layout::kTouchWakeup, 0);
    image.set(layout::kTouchHide, 0);
    image.set(layout::kTouchGestures, 0);
  }
  if (lin2TakesBothLines(image.getU8(layout::kLin2Mode))) {
    image.set(layout::kLin1Mode, 0);
  }
}

class PageBuilder : public view::ViewBuilder {
 public:
  PageBuilder(PageView& view, const ConfigImage& image) : ViewBuilder(view, image), page_(view) {}

  void pins() {
    const PinClaims claims = computeClaims(image());
    for (const PinInfo& p : pinTable()) {
      ControlView& v = at(p.control);
      const TextPair* owner = claims.owner[static_cast<std::size_t>(p.pin)];
      v.enabled = owner == nullptr;
      if (p.general && owner) {
        v.itemOverrides.emplace_back(0, std::string(owner->in(language())));
      }
    }
  }

  void touch() {
    const Language lang = language();
    ControlView& mode = at("ComboBoxTouchMode");
    mode.itemOverrides.emplace_back(
        kTouchModeSources, touchSourcesItem(u8(layout::kTouchMode),
                                            image().getU8(layout::kTouchInterceptSrcMask), lang));
    ControlView& usb = at("ComboBoxSource2Touch");
    const std::uint8_t mask = static_cast<std::uint8_t>(u8(layout::kTouchSrcMask));
    usb.itemOverrides.emplace_back(0, std::string(kAnySource.in(lang)));
    usb.itemOverrides.emplace_back(1, usbTouchItem(mask, lang));
    usb.value = mask != 0 ? 1 : 0;

    const bool cap2res = u8(layout::kCap2ResNum) != 0;
    page_.touchSetupAllowed = !cap2res;
    show("PanelTouchFromCap2Res", cap2res);
    for (auto name : {"CheckBoxTouchDXY", "CheckBoxTouchWakeUp", "CheckBoxTouchHide"}) {
      enable(name, !cap2res);
    }
    ControlView& dxy = at("CheckBoxTouchDXY");
    dxy.hasValue = cap2res;  // only cleared while the converter is on
    dxy.checked = false;

    const bool ir = u8(layout::kIrInpNum) != 0;
    enable("CheckBoxIRINPINV", ir);
    enable("CheckBoxIRINPADTx", ir);
  }

  void sources() {
    const bool counted = u8(layout::kPulseNumSrc) != 0;
    enable("ComboBoxPULSENUM", counted);
    const bool times = counted && u8(layout::kPulseNum) != 0;
    for (auto name : {"EditPULSEMSACTIVE", "EditPULSEMSPAUSE"}) {
      enable(name, times);
      if (!times) {
        clearText(name);
      }
    }
    show("ValueListEditorSourceName", u8(layout::kUseName) != 0);
  }

  void encoders() {
    enable("CSpinEditEncoder1Div", u8(layout::kEnc0Mode) != 0);
    enable("CSpinEditEncoder2Div", u8(layout::kEnc1Mode) != 0);
  }

  void modules() {
    const bool gps = u8(layout::kGpsNum) != 0;
    enable("ComboBoxGPSSPEED", gps);
    enable("CheckBox_GPS_COURSE", gps);
    const bool format = gps && u8(layout::kGpsSpeed) != 0;
    for (auto name : {"ComboBoxGPSNBITSx", "ComboBoxGPSSBITSx", "ComboBoxGPSPARITYx"}) {
      enable(name, format);
    }
    enable("ComboBoxHEADTYPE", u8(layout::kHeadNum) != 0);
    const bool navi = u8(layout::kExtNaviNum) != 0;
    enable("ComboBoxEXTNAVITYPEx", navi);
    enable("ComboBoxEXTNAVISRCx", navi);
    enable("ComboBoxGaNetVolumeOut", u8(layout::kGanetMode) == kGanetInspire);

    const bool voltages = idriveLightFollowsVoltage(u8(layout::kIdriveLight));
    for (auto name :
         {"EditiDriveLightMin", "EditiDriveLightMax", "LabeliDriveLightMin", "LabeliDriveLightMax",
          "PanelEditiDriveLightMinV", "PanelEditiDriveLightMaxV"}) {
      show(name, voltages);
    }
    const bool standalone = u8(layout::kIdriveMode) == kIdriveStandalone;
    show("ComboBoxIDRIVELIGHT", standalone);
    show("PanelIDRIVELIGHT", standalone);

    const bool uart = u8(layout::kUartNum) != 0;
    for (auto name : {"ComboBoxUARTSPEED", "ComboBoxUARTPARITYx", "ComboBoxUARTBITSx",
                      "ComboBoxUARTSTOPSx", "EditUARTDELAY", "EditUARTREPLAY"}) {
      enable(name, uart);
    }
    const bool dsp = u8(layout::kCarDspNum) != 0;
    show("PanelCarDspSend", dsp);
    show("CheckListBoxCARDSP_BITMASKx", dsp);
  }

  void iebus() {
    const std::uint32_t bits = image().get(layout::kIebusModeBits);
    enable("CheckBoxIEBUSTouch", (bits & kIebusTouchCarriers) != 0);
    const bool amplifier = (bits & kIebusAmplifier) != 0;
    for (auto name : {"EditAMPLDELAYTO", "PanelAMPLDELAYTO", "PanelAMPLDELAYTOMS"}) {
      show(name, amplifier);
    }
    if (!amplifier) {
      clearText("EditAMPLDELAYTO");
    }
  }

  void busesAndTabs() {
    const unsigned bus = u8(layout::kDiffBusMode);
    const DiffBusLayout diff = diffBusLayout(bus);
    TabView& diffTab = tab("TabSheet_DIFFBUSx");
    diffTab.visible = diff.tabVisible;
    const auto busList = lists::diffBus();
    if (bus < busList.size()) {
      diffTab.caption = busList[bus];
    }
    page_.diffBusPage = diff.page;
    page_.canLogVisible = bus == kBusCan;

    const LinLayout lin = linLayout(u8(layout::kLin1Mode), u8(layout::kLin2Mode));
    enable("ComboBoxLIN1MODEx", !lin.lin1Forced);
    tab("TabSheetIBUSx").visible = lin.ibusTab;
    tab("TabSheetLINParam").visible = lin.linTab;
    enable("ComboBoxLINSPEEDx", lin.speedEnabled);
    enable("PanelLINSPEED", lin.speedEnabled);
    tab("TabSheetRESEMULPARAMx").visible = false;

    page_.linCommands = linReactionCommands(u8(layout::kLin1Mode), u8(layout::kLin2Mode));
    page_.marks = computeAvailability(image());
  }

 private:
  PageView& page_;
};

}  // namespace

ControlView deriveControl(const ConfigImage& image, std::string_view control) {
  ControlView view;
  if (const Binding* b = findBinding(control)) {
    view::showControl(view, *b, image, {});
  }
  return view;
}

std::string pinOverlapText(const ConfigImage& image, Language language) {
  std::string text;
  for (const PinOverlap& o : pinClaimOverlaps(image)) {
    if (!text.empty()) {
      text += '\n';
    }
    text += pinOverlapWarning(o, language);
  }
  return text;
}

std::span<const std::string_view> paramTabNames() { return kParamTabs; }

std::string sourceNameText(const ConfigImage& image, std::size_t source) {
  return config::cp1251ToUtf8(config::fieldText(image.span(layout::sourceName(source))));
}

std::string touchSourcesItem(unsigned mode, std::uint8_t interceptMask, Language language) {
  if (mode != kTouchModeSources) {
    return std::string(kSourcesChoose.in(language));
  }
  std::string text(kSourcesWord.in(language));
  text += interceptMask != 0 ? maskNumbers(interceptMask) : std::string(kNone.in(language));
  return text;
}

std::string usbTouchItem(std::uint8_t mask, Language language) {
  return mask != 0 ? maskNumbers(mask) : std::string(kChooseSources.in(language));
}

std::vector<ImageRun> normalisePage(ConfigImage& image) {
  const ConfigImage before = image;
  normaliseInputsOutputs(image);
  normaliseModules(image);
  normaliseAssignment(image);
  std::vector<ImageRun> runs;
  const auto was = before.bytes();
  const auto now = image.bytes();
  for (std::size_t at = 0; at < now.size(); ++at) {
    if (was[at] == now[at]) {
      continue;
    }
    if (!runs.empty() && runs.back().end == at) {
      runs.back().end = at + 1;
    } else {
      runs.push_back({at, at + 1});
    }
  }
  return runs;
}

PageView derivePage(const ConfigImage& image, Language language) {
  PageView view;
  view::FormContext context;
  context.language = language;
  view::deriveControls(view, pageBindings(), image, context);
  view.tabs.reserve(kParamTabs.size());
  for (std::string_view name : kParamTabs) {
    view.tabs.push_back({name, true, std::nullopt});
  }
  for (const TabCaption& t : kProgramTabCaptions) {
    for (TabView& tab : view.tabs) {
      if (tab.name == t.tab) {
        tab.caption = t.caption;
      }
    }
  }
  PageBuilder b(view, image);
  b.pins();
  b.touch();
  b.sources();
  b.encoders();
  b.modules();
  b.iebus();
  b.busesAndTabs();
  return view;
}

}  // namespace kivprism::params
