#include "core/params/derive.hpp"

#include <array>

#include "core/config/text_codec.hpp"
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

constexpr TextPair kSourcesWord{"Источники", "Sources"};
constexpr TextPair kSourcesChoose{"Источники...", "Sources..."};
constexpr TextPair kNone{" нет", " no"};
constexpr TextPair kAnySource{"Любой", "Any"};
constexpr TextPair kChooseSources{"Выбрать...", "Select..."};

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
  constexpr unsigned kGanetInspire = 2;
  if (image.getU8(layout::kGanetMode) != kGanetInspire) {
    image.set(layout::kGanetVolCh, 0);
  }
  const unsigned light = image.getU8(layout::kIdriveLight);
  if ((light == 2 || light == 3) && image.getU16(layout::kIdriveLightMin) == 0 &&
      image.getU16(layout::kIdriveLightMax) == 0) {
    image.set(layout::kIdriveLightMax, 12000);
  }
  if (image.getU8(layout::kLin2Mode) == kLin2MasterVw) {
    const unsigned speed = image.getU8(layout::kLinSpeedType);
    if (speed != 4 && speed != 5) {
      image.set(layout::kLinSpeedType, 4);  // 19200 Bit/s
    }
  }
  image.set(layout::kUartDelayMs, normalUartDelay(image.getU16(layout::kUartDelayMs)));
  image.set(layout::kUartReplayMs, normalUartRepeat(image.getU16(layout::kUartReplayMs)));

  std::uint32_t iebus = image.get(layout::kIebusModeBits);
  if (iebus & 1u) {
    iebus = 1u;
  }
  image.set(layout::kIebusModeBits, iebus);
  if (iebus == 0) {
    image.set(layout::kIebusTouch, 0);
  }
  if (image.getU8(layout::kIebusVolPreDiv) == 0) {
    image.set(layout::kIebusVolPreDiv, 1);
  }
  if (!(iebus & 1u)) {
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

// The field as the table shows it, before the page's own rules.
void fillFromBinding(ControlView& v, const Binding& b, const ConfigImage& image) {
  v.name = b.control;
  v.kind = b.kind;
  if (b.items) {
    v.items = b.items();
  }
  const std::uint32_t raw =
      b.field.width == 0 ? 0 : (b.bits ? image.getBits(*b.bits) : image.get(b.field));
  switch (b.rule) {
    case Rule::Display:
      v.hasValue = false;
      return;
    case Rule::Fixed:
      v.value = 0;
      return;
    case Rule::SpinMinusOne:
      v.value = static_cast<int>(raw) + 1;
      return;
    case Rule::Hundredths:
      v.text = hundredthsText(raw);
      return;
    case Rule::Millivolts:
      v.text = millivoltsText(raw);
      return;
    case Rule::SourceNames:
      for (std::size_t s = 1; s <= layout::kSourceCount; ++s) {
        v.cells.push_back(sourceNameText(image, s));
      }
      return;
    default:
      break;
  }
  switch (b.kind) {
    case ControlKind::Combo:
    case ControlKind::Spin:
      v.value = static_cast<int>(raw);
      break;
    case ControlKind::Check:
      v.checked = raw != 0;
      break;
    case ControlKind::CheckList:
      v.bits = raw;
      break;
    case ControlKind::Edit:
      v.text = std::to_string(raw);
      break;
    default:
      break;
  }
}

class ViewBuilder {
 public:
  ViewBuilder(PageView& view, const ConfigImage& image) : view_(view), image_(image) {}

  ControlView& at(std::string_view name) {
    return view_.controls[static_cast<std::size_t>(bindingIndex(name))];
  }
  unsigned u8(config::Field f) const { return image_.getU8(f); }
  void enable(std::string_view name, bool on) { at(name).enabled = on; }
  void show(std::string_view name, bool on) { at(name).visible = on; }
  void clearText(std::string_view name) { at(name).text.clear(); }
  TabView& tab(std::string_view name) {
    for (TabView& t : view_.tabs) {
      if (t.name == name) {
        return t;
      }
    }
    return view_.tabs.front();
  }

  void pins() {
    const PinClaims claims = computeClaims(image_);
    for (const PinInfo& p : pinTable()) {
      ControlView& v = at(p.control);
      const TextPair* owner = claims.owner[static_cast<std::size_t>(p.pin)];
      v.enabled = owner == nullptr;
      if (p.general && owner) {
        v.itemOverrides.emplace_back(0, std::string(owner->in(view_.language)));
      }
    }
  }

  void touch() {
    const Language lang = view_.language;
    ControlView& mode = at("ComboBoxTouchMode");
    mode.itemOverrides.emplace_back(
        4, touchSourcesItem(u8(layout::kTouchMode), image_.getU8(layout::kTouchInterceptSrcMask),
                            lang));
    ControlView& usb = at("ComboBoxSource2Touch");
    const std::uint8_t mask = static_cast<std::uint8_t>(u8(layout::kTouchSrcMask));
    usb.itemOverrides.emplace_back(0, std::string(kAnySource.in(lang)));
    usb.itemOverrides.emplace_back(1, usbTouchItem(mask, lang));
    usb.value = mask != 0 ? 1 : 0;

    const bool cap2res = u8(layout::kCap2ResNum) != 0;
    view_.touchSetupAllowed = !cap2res;
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
    enable("ComboBoxGaNetVolumeOut", u8(layout::kGanetMode) == 2);

    const unsigned light = u8(layout::kIdriveLight);
    const bool voltages = light == 2 || light == 3;
    for (auto name :
         {"EditiDriveLightMin", "EditiDriveLightMax", "LabeliDriveLightMin", "LabeliDriveLightMax",
          "PanelEditiDriveLightMinV", "PanelEditiDriveLightMaxV"}) {
      show(name, voltages);
    }
    const bool standalone = u8(layout::kIdriveMode) == 0;
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
    const std::uint32_t bits = image_.get(layout::kIebusModeBits);
    enable("CheckBoxIEBUSTouch", (bits & 0xE06u) != 0);
    const bool amplifier = bits & 1u;
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
    view_.diffBusPage = diff.page;
    view_.canLogVisible = bus == kBusCan;

    const LinLayout lin = linLayout(u8(layout::kLin1Mode), u8(layout::kLin2Mode));
    enable("ComboBoxLIN1MODEx", !lin.lin1Forced);
    tab("TabSheetIBUSx").visible = lin.ibusTab;
    tab("TabSheetLINParam").visible = lin.linTab;
    enable("ComboBoxLINSPEEDx", lin.speedEnabled);
    enable("PanelLINSPEED", lin.speedEnabled);
    tab("TabSheetRESEMULPARAMx").visible = false;

    view_.linCommands = linReactionCommands(u8(layout::kLin1Mode), u8(layout::kLin2Mode));
    view_.marks = computeAvailability(image_);
  }

 private:
  PageView& view_;
  const ConfigImage& image_;
};

}  // namespace

ControlView deriveControl(const ConfigImage& image, std::string_view control) {
  ControlView view;
  if (const Binding* b = findBinding(control)) {
    fillFromBinding(view, *b, image);
  }
  return view;
}

std::span<const std::string_view> paramTabNames() { return kParamTabs; }

std::string sourceNameText(const ConfigImage& image, std::size_t source) {
  return config::cp1251ToUtf8(config::fieldText(image.span(layout::sourceName(source))));
}

std::string touchSourcesItem(unsigned mode, std::uint8_t interceptMask, Language language) {
  if (mode != 4) {
    return std::string(kSourcesChoose.in(language));
  }
  std::string text(kSourcesWord.in(language));
  text += interceptMask != 0 ? maskNumbers(interceptMask) : std::string(kNone.in(language));
  return text;
}

std::string usbTouchItem(std::uint8_t mask, Language language) {
  return mask != 0 ? maskNumbers(mask) : std::string(kChooseSources.in(language));
}

void normalisePage(ConfigImage& image) {
  normaliseInputsOutputs(image);
  normaliseModules(image);
  normaliseAssignment(image);
}

PageView derivePage(ConfigImage& image, Language language) {
  normalisePage(image);
  PageView view;
  view.language = language;
  const auto table = bindings();
  view.controls.resize(table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    fillFromBinding(view.controls[i], table[i], image);
  }
  view.tabs.reserve(kParamTabs.size());
  for (std::string_view name : kParamTabs) {
    view.tabs.push_back({name, true, std::nullopt});
  }
  ViewBuilder b(view, image);
  b.pins();
  b.touch();
  b.sources();
  b.encoders();
  b.modules();
  b.iebus();
  b.busesAndTabs();
  return view;
}

std::vector<std::string> itemTexts(const ControlView& view, Language language) {
  std::size_t count = view.items.size();
  for (const auto& [index, text] : view.itemOverrides) {
    count = std::max(count, static_cast<std::size_t>(index) + 1);
  }
  std::vector<std::string> out(count);
  for (std::size_t i = 0; i < view.items.size(); ++i) {
    out[i] = std::string(view.items[i].in(language));
  }
  for (const auto& [index, text] : view.itemOverrides) {
    out[static_cast<std::size_t>(index)] = text;
  }
  return out;
}

const ControlView* PageView::find(std::string_view name) const {
  const int i = bindingIndex(name);
  if (i >= 0 && static_cast<std::size_t>(i) < controls.size() &&
      controls[static_cast<std::size_t>(i)].name == name) {
    return &controls[static_cast<std::size_t>(i)];
  }
  return nullptr;
}

const TabView* PageView::findTab(std::string_view name) const {
  for (const TabView& t : tabs) {
    if (t.name == name) {
      return &t;
    }
  }
  return nullptr;
}

}  // namespace kivprism::params
