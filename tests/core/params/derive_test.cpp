#include "core/params/derive.hpp"
#include "core/params/refresh.hpp"

#include <gtest/gtest.h>

#include <set>

#include "core/config/text_codec.hpp"
#include "core/params/assignment.hpp"
#include "core/params/bindings.hpp"
#include "core/params/bus_modes.hpp"

namespace kivprism::params {
namespace {

namespace layout = config::layout;
using config::ConfigImage;
using events::EventType;
using events::ReactionType;
using lang::Language;

const ControlView& control(const PageView& v, std::string_view name) {
  const ControlView* c = v.find(name);
  EXPECT_NE(c, nullptr) << name;
  static const ControlView kMissing;
  return c ? *c : kMissing;
}

TEST(DerivePage, EveryControlOnceInTableOrderAndAllTabsInPageOrder) {
  ConfigImage image;
  const PageView v = derivePage(image, Language::Russian);
  std::set<std::string_view> names;
  for (const ControlView& c : v.controls) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
  }
  EXPECT_EQ(v.controls.size(), bindings().size());
  ASSERT_EQ(v.tabs.size(), 27u);
  EXPECT_EQ(v.tabs.front().name, "TabSheetPINS");
  EXPECT_EQ(v.tabs[11].name, "TabSheet_DIFFBUSx");
  EXPECT_EQ(v.tabs.back().name, "TabSheetPWMParamx");
}

TEST(DerivePage, TouchPanelClaimsItsPinsAndNamesThem) {
  ConfigImage image;
  image.set(layout::kTouchMode, 1);
  image.set(layout::pinMode(Pin::X23), 4);  // left over from before the panel was chosen
  const PageView v = derivePage(image, Language::Russian);
  EXPECT_EQ(image.getU8(layout::pinMode(Pin::X23)), 0);
  for (auto name :
       {"ComboBoxX22x", "ComboBoxX23x", "ComboBoxX24x", "ComboBoxX25x", "ComboBoxX26x"}) {
    const ControlView& c = control(v, name);
    EXPECT_FALSE(c.enabled) << name;
    EXPECT_EQ(itemTexts(c, Language::Russian)[0], "Тачпанель") << name;
  }
  const ControlView& free = control(v, "ComboBoxX42x");
  EXPECT_TRUE(free.enabled);
  EXPECT_EQ(itemTexts(free, Language::English)[0], "According to its purpose");
}

TEST(DerivePage, DifferentialBusTabAndCanLog) {
  ConfigImage image;
  image.set(layout::kDiffBusMode, kBusCanSpeedProbe);
  PageView v = derivePage(image, Language::Russian);
  EXPECT_FALSE(v.findTab("TabSheet_DIFFBUSx")->visible);
  EXPECT_FALSE(v.canLogVisible);
  EXPECT_TRUE(v.marks.eventMarked(EventType::SwCan));

  image.set(layout::kDiffBusMode, kBusCan);
  v = derivePage(image, Language::Russian);
  const TabView* tab = v.findTab("TabSheet_DIFFBUSx");
  EXPECT_TRUE(tab->visible);
  EXPECT_EQ(tab->caption->ru, "Шина CAN");
  EXPECT_EQ(v.diffBusPage, "TabSheet_CAN_CANx");
  EXPECT_TRUE(v.canLogVisible);
  EXPECT_FALSE(v.marks.eventMarked(EventType::SwCan));
  EXPECT_FALSE(v.marks.reactionMarked(ReactionType::SwCan));
  EXPECT_TRUE(v.marks.eventMarked(EventType::Iebus));

  image.set(layout::kDiffBusMode, kBusIebus);
  v = derivePage(image, Language::Russian);
  EXPECT_EQ(v.diffBusPage, "TabSheet_IEBUSx");
  EXPECT_FALSE(v.marks.reactionMarked(ReactionType::Iebus));
  EXPECT_TRUE(v.marks.eventMarked(EventType::SwCan));
  EXPECT_FALSE(v.canLogVisible);
}

TEST(DerivePage, LinModesDecideTabsPagesAndSpeed) {
  ConfigImage image;
  image.set(layout::kLin1Mode, 4);
  image.set(layout::kLin2Mode, 12);  // Lin Master JEEP WK2 drives both lines
  PageView v = derivePage(image, Language::Russian);
  EXPECT_EQ(image.getU8(layout::kLin1Mode), 0);
  EXPECT_FALSE(control(v, "ComboBoxLIN1MODEx").enabled);
  EXPECT_EQ(control(v, "ComboBoxLIN1MODEx").value, 0);

  image.set(layout::kLin2Mode, 0);
  image.set(layout::kLin1Mode, 1);
  v = derivePage(image, Language::Russian);
  EXPECT_TRUE(v.findTab("TabSheetIBUSx")->visible);
  EXPECT_FALSE(v.findTab("TabSheetLINParam")->visible);
  EXPECT_TRUE(v.marks.eventMarked(EventType::Lin));

  image.set(layout::kLin1Mode, 7);
  v = derivePage(image, Language::Russian);
  EXPECT_TRUE(v.findTab("TabSheetLINParam")->visible);
  EXPECT_FALSE(v.marks.eventMarked(EventType::Lin));
  EXPECT_TRUE(v.marks.reactionMarked(ReactionType::Lin));
  EXPECT_TRUE(control(v, "ComboBoxLINSPEEDx").enabled);

  image.set(layout::kLin1Mode, 3);
  v = derivePage(image, Language::Russian);
  EXPECT_FALSE(v.marks.reactionMarked(ReactionType::Lin));
  EXPECT_FALSE(control(v, "ComboBoxLINSPEEDx").enabled);

  image.set(layout::kLin2Mode, kLin2MasterVw);
  image.set(layout::kLinSpeedType, 1);  // 9600 Bit/s
  v = derivePage(image, Language::Russian);
  EXPECT_EQ(image.getU8(layout::kLinSpeedType), 4);
  EXPECT_EQ(control(v, "ComboBoxLINSPEEDx").value, 4);
  EXPECT_TRUE(control(v, "ComboBoxLINSPEEDx").enabled);
  EXPECT_FALSE(v.marks.eventMarked(EventType::Lin));
}

TEST(DerivePage, Cap2ResTakesOverTheTouchSettings) {
  ConfigImage image;
  image.set(layout::kTouchWakeup, 1);
  image.set(layout::kTouchHide, 1);
  image.set(layout::kTouchGestures, 1);
  image.set(layout::kCap2ResNum, 2);
  const PageView v = derivePage(image, Language::Russian);
  EXPECT_EQ(image.getU8(layout::kTouchWakeup), 0);
  EXPECT_EQ(image.getU8(layout::kTouchHide), 0);
  EXPECT_EQ(image.getU8(layout::kTouchGestures), 0);
  EXPECT_FALSE(v.touchSetupAllowed);
  EXPECT_TRUE(control(v, "PanelTouchFromCap2Res").visible);
  EXPECT_FALSE(control(v, "CheckBoxTouchDXY").enabled);
  EXPECT_TRUE(control(v, "CheckBoxTouchDXY").hasValue);
  EXPECT_FALSE(control(v, "CheckBoxTouchDXY").checked);
  EXPECT_TRUE(v.marks.eventMarked(EventType::Gestures));
  EXPECT_EQ(itemTexts(control(v, "ComboBoxX62x"), Language::English)[0], "CAP2RES");
}

TEST(DerivePage, PulseOutputFollowsTheSourceCountAndPin) {
  ConfigImage image;
  image.set(layout::kPulseNum, 8);
  image.set(layout::kPulseMsActive, 300);
  image.set(layout::kPulseMsPause, 400);
  PageView v = derivePage(image, Language::Russian);
  EXPECT_EQ(image.getU8(layout::kPulseNum), 0);
  EXPECT_EQ(image.getU16(layout::kPulseMsActive), 0);
  EXPECT_EQ(image.getU16(layout::kPulseMsPause), 0);
  EXPECT_FALSE(control(v, "ComboBoxPULSENUM").enabled);
  EXPECT_EQ(control(v, "EditPULSEMSACTIVE").text, "");
  EXPECT_FALSE(control(v, "EditPULSEMSACTIVE").enabled);

  image.set(layout::kPulseNumSrc, 2);
  image.set(layout::kPulseNum, 8);
  image.set(layout::kPulseMsActive, 300);
  v = derivePage(image, Language::Russian);
  EXPECT_EQ(control(v, "EditPULSEMSACTIVE").text, "300");
  EXPECT_TRUE(control(v, "EditPULSEMSPAUSE").enabled);
}

TEST(DerivePage, ModuleNormalisations) {
  ConfigImage image;
  image.set(layout::kHeadType, 4);
  image.set(layout::kExtNaviType, 3);
  image.set(layout::kExtNaviSrc, 5);
  image.set(layout::kGanetMode, 3);  // MDX
  image.set(layout::kGanetVolCh, 2);
  image.set(layout::kIdriveLight, 2);
  image.set(layout::kUartReplayMs, 20000);
  image.set(layout::kIebusModeBits, 0x0013);
  image.set(layout::kAmplParamTo, 700);
  PageView v = derivePage(image, Language::Russian);
  EXPECT_EQ(image.getU8(layout::kHeadType), 0);
  EXPECT_FALSE(control(v, "ComboBoxHEADTYPE").enabled);
  EXPECT_EQ(image.getU8(layout::kExtNaviType), 0);
  EXPECT_EQ(image.getU8(layout::kExtNaviSrc), 0);
  EXPECT_EQ(image.getU8(layout::kGanetVolCh), 0);
  EXPECT_FALSE(control(v, "ComboBoxGaNetVolumeOut").enabled);
  EXPECT_EQ(control(v, "EditiDriveLightMax").text, "12.000");
  EXPECT_TRUE(control(v, "EditiDriveLightMax").visible);
  EXPECT_EQ(image.getU16(layout::kUartDelayMs), 500);
  EXPECT_EQ(image.getU16(layout::kUartReplayMs), 100);
  EXPECT_EQ(image.get(layout::kIebusModeBits), 1u);
  EXPECT_EQ(image.getU16(layout::kAmplParamTo), 700);
  EXPECT_TRUE(control(v, "EditAMPLDELAYTO").visible);
  EXPECT_EQ(image.getU8(layout::kIebusVolPreDiv), 1);

  image.set(layout::kIebusModeBits, 0);
  image.set(layout::kIebusTouch, 1);
  image.set(layout::kIdriveLight, 1);
  v = derivePage(image, Language::Russian);
  EXPECT_EQ(image.getU8(layout::kIebusTouch), 0);
  EXPECT_EQ(image.getU16(layout::kAmplParamTo), 0);
  EXPECT_FALSE(control(v, "EditAMPLDELAYTO").visible);
  EXPECT_FALSE(control(v, "EditiDriveLightMax").visible);
}

TEST(DerivePage, TouchModeAndUsbSourceItemsShowTheirMasks) {
  ConfigImage image;
  PageView v = derivePage(image, Language::English);
  EXPECT_EQ(itemTexts(control(v, "ComboBoxTouchMode"), Language::English)[4], "Sources...");
  EXPECT_EQ(itemTexts(control(v, "ComboBoxSource2Touch"), Language::English)[1], "Select...");
  EXPECT_EQ(control(v, "ComboBoxSource2Touch").value, 0);

  image.set(layout::kTouchMode, 4);
  image.set(layout::kTouchInterceptSrcMask, 0x05);
  image.set(layout::kTouchSrcMask, 0x82);
  v = derivePage(image, Language::Russian);
  EXPECT_EQ(itemTexts(control(v, "ComboBoxTouchMode"), Language::Russian)[4], "Источники 1 3");
  EXPECT_EQ(itemTexts(control(v, "ComboBoxSource2Touch"), Language::Russian)[1], " 2 8");
  EXPECT_EQ(control(v, "ComboBoxSource2Touch").value, 1);
  EXPECT_EQ(touchSourcesItem(4, 0, Language::Russian), "Источники нет");
}

TEST(DerivePage, AvailabilityMarksFollowTheModules) {
  ConfigImage image;
  image.set(layout::kPidSupport, 0x04);
  image.set(layout::kUartNum, 1);
  image.set(layout::kHondaPanel, 1);
  const PageView v = derivePage(image, Language::Russian);
  EXPECT_FALSE(v.marks.reactionMarked(ReactionType::UsbKey));
  EXPECT_TRUE(v.marks.reactionMarked(ReactionType::UsbTouch));
  EXPECT_FALSE(v.marks.eventMarked(EventType::Uart));
  EXPECT_FALSE(v.marks.reactionMarked(ReactionType::Uart));
  EXPECT_FALSE(v.marks.eventMarked(EventType::PanelHonda));
  EXPECT_TRUE(v.marks.eventMarked(EventType::Bluetooth));
  EXPECT_TRUE(v.marks.reactionMarked(ReactionType::ResEmul));
  EXPECT_TRUE(v.marks.reactionMarked(ReactionType::Panacea));
  EXPECT_FALSE(v.marks.eventMarked(EventType::Key));
  EXPECT_FALSE(v.findTab("TabSheetRESEMULPARAMx")->visible);
}

TEST(OnlyUsed, ShowsUsedTypesAndNeverMarkedOnes) {
  ConfigImage image;
  image.entry(4)[16] = static_cast<std::uint8_t>(EventType::Uart);
  image.entry(4)[80] = static_cast<std::uint8_t>(ReactionType::IrCode);
  const AvailabilityMarks marks = computeAvailability(image);
  PageVisibility p = visiblePages(image, marks, true);
  EXPECT_FALSE(p.event[static_cast<std::size_t>(EventType::Uart)]);  // no UART port
  EXPECT_TRUE(p.reaction[static_cast<std::size_t>(ReactionType::IrCode)]);
  EXPECT_FALSE(p.event[static_cast<std::size_t>(EventType::Key)]);
  EXPECT_TRUE(p.event[0]);  // the other 99 entries are empty
  p = visiblePages(image, marks, false);
  EXPECT_TRUE(p.event[static_cast<std::size_t>(EventType::Key)]);
  EXPECT_FALSE(p.reaction[static_cast<std::size_t>(ReactionType::Panacea)]);
  EXPECT_EQ(onlyUsedHint(true).en, "Display all events and reactions");
  EXPECT_EQ(onlyUsedHint(false).ru, "Отображать только используемые события и реакции");
}

TEST(LinCommands, Lin2FirstThenLin1AndSingleCommandsContributeNothing) {
  EXPECT_TRUE(linReactionCommands(7, 14).empty());
  auto list = linReactionCommands(5, 6);
  ASSERT_EQ(list.size(), 2u + 23u);
  EXPECT_EQ(list[0], "Backlight OFF");
  EXPECT_EQ(list[1], "Backlight ON");
  EXPECT_EQ(list[2], "KEY VOL UP");
  EXPECT_EQ(list[4], "KEY VOL PRESS");
  EXPECT_EQ(list.back(), "KEY PLUS");
  EXPECT_EQ(linReactionCommands(3, 3).size(), 8u + 30u);
  EXPECT_EQ(linReactionCommands(11, 17).size(), 0u);
  EXPECT_EQ(linReactionCommands(6, 0).front(), "KEY VOL DN");
}

TEST(SourceNames, FiveCharactersInCp1251) {
  ConfigImage image;
  config::setFieldText(image.span(layout::sourceName(8)), "\xC0\xC1\xC2\xC3\xC4");  // АБВГД
  EXPECT_EQ(sourceNameText(image, 8), "АБВГД");
  EXPECT_EQ(image.getU8(layout::kLinSpeedType), 0);
}

}  // namespace
}  // namespace kivprism::params

namespace kivprism::params {
namespace {

TEST(PageRefresher, SkipsAnUnchangedImageUntilForced) {
  config::ConfigImage image;
  PageRefresher r;
  ASSERT_TRUE(r.refresh(image, lang::Language::Russian));   // the first refresh always works
  EXPECT_FALSE(r.refresh(image, lang::Language::Russian));  // normalised image, no change
  image.set(config::layout::kGpsNum, 1);
  EXPECT_TRUE(r.refresh(image, lang::Language::Russian));
  EXPECT_FALSE(r.refresh(image, lang::Language::Russian));
  r.force();
  EXPECT_TRUE(r.refresh(image, lang::Language::English));
  image.set(config::layout::kGpsNum, 2);
  {
    PageRefresher::Guard g(r);
    EXPECT_FALSE(r.refresh(image, lang::Language::Russian));  // re-entered from a handler
  }
  EXPECT_TRUE(r.refresh(image, lang::Language::Russian));
}

}  // namespace
}  // namespace kivprism::params

namespace kivprism::params {
namespace {

TEST(KeysAndKeyboard, EncoderCaptionsAndKeyboardGroupsFollowTheImage) {
  config::ConfigImage image;
  image.set(config::layout::kEnc1Mode, 3);
  const auto captions = encoderKeyCaptions(image);
  EXPECT_EQ(captions[0], "");
  EXPECT_EQ(captions[2], "Enc2+");
  EXPECT_EQ(captions[3], "Enc2-");
  image.set(config::layout::kPidSupport, 0x0A);
  const KeyboardGroups g = keyboardGroups(image);
  EXPECT_TRUE(g.page07);
  EXPECT_FALSE(g.page0C);
  EXPECT_TRUE(g.systemControl);
}

}  // namespace
}  // namespace kivprism::params

namespace kivprism::params {
namespace {

namespace layout = config::layout;

unsigned irPositionOn(config::layout::Pin pin) {
  for (unsigned p = 0; p < 32; ++p) {
    if (irInputPin(p) == pin) {
      return p;
    }
  }
  ADD_FAILURE() << "no IR position on the pin";
  return 0;
}

// The checks look at one pin of a pair, so these combinations get stored; the pins tab names them.
TEST(PinOverlaps, NameThePinAndBothFunctions) {
  config::ConfigImage image;
  EXPECT_TRUE(pinClaimOverlaps(image).empty());
  const PageView quiet = derivePage(image, lang::Language::English);
  EXPECT_FALSE(quiet.find("LabelPinOverlapx")->visible);

  image.set(layout::kIrInpNum, irPositionOn(config::layout::Pin::X43));
  image.set(layout::kGpsNum, 1);
  const auto overlaps = pinClaimOverlaps(image);
  ASSERT_EQ(overlaps.size(), 1u);
  EXPECT_EQ(overlaps[0].pin, config::layout::Pin::X43);
  EXPECT_EQ(pinOverlapText(image, lang::Language::English),
            "Pin X4/3 is claimed twice: IR input and UART GPS");
  EXPECT_EQ(pinOverlapText(image, lang::Language::Russian),
            "Вывод X4/3 занят дважды: ИК вход и UART GPS");

  // A second pair adds a second line; the port's own two pins are no overlap.
  image.set(layout::kIrInpNum, irPositionOn(config::layout::Pin::X62));
  image.set(layout::kUartNum, 2);
  image.set(layout::kEnc0Mode, 0);
  const PageView v = derivePage(image, lang::Language::English);
  const ControlView* line = v.find("LabelPinOverlapx");
  ASSERT_NE(line, nullptr);
  EXPECT_TRUE(line->hasValue);
  EXPECT_TRUE(line->visible);
  EXPECT_EQ(line->text, "Pin X6/2 is claimed twice: IR input and UART");
}

TEST(NumberHints, ShowTheRangeTheFieldAccepts) {
  config::ConfigImage image;
  image.set(layout::kPwmPeriod, 1000);
  image.set(layout::pwmMin(2), 100);
  image.set(layout::pwmMax(2), 900);
  const PageView v = derivePage(image, lang::Language::English);
  EXPECT_EQ(v.find("EditPULSEMSACTIVE")->hint, "Range: 0 to 5000");
  EXPECT_EQ(v.find("EditPWMParamCh3Max")->hint, "Range: 0 to 1000");
  EXPECT_EQ(v.find("EditPWMParamCh3Val")->hint, "Range: 100 to 900");
  EXPECT_EQ(v.find("Edit_PAR_LongTO")->hint, "Range: 200 to 5000");
  EXPECT_EQ(v.find("EditParamControlVOUT1")->hint, "Range: 0.00 to 5.00 V");
  EXPECT_EQ(v.find("EditiDriveLightMax")->hint, "Range: 0.000 to 16.000 V");
  EXPECT_EQ(v.find("Edit_PAR_LongTO")->maxLength, 6);
  EXPECT_EQ(v.find("ValueListEditorSourceName")->maxLength, 5);
}

}  // namespace
}  // namespace kivprism::params

namespace kivprism::params {
namespace {

// A module's settings are open only while the module is connected (table: switch field and value,
// the controls it opens, and whether "open" means enabled or shown).
TEST(DerivePage, ModuleSettingsFollowTheirSwitch) {
  namespace layout = config::layout;
  struct Case {
    config::Field field;
    unsigned on;
    std::vector<std::string_view> controls;
    bool shows;  // false: enables
  };
  const std::vector<Case> cases = {
      {layout::kGpsNum, 1, {"ComboBoxGPSSPEED", "CheckBox_GPS_COURSE"}, false},
      {layout::kExtNaviNum, 2, {"ComboBoxEXTNAVITYPEx", "ComboBoxEXTNAVISRCx"}, false},
      {layout::kUartNum, 1, {"ComboBoxUARTSPEED", "ComboBoxUARTPARITYx", "EditUARTREPLAY"}, false},
      {layout::kCarDspNum, 2, {"PanelCarDspSend", "CheckListBoxCARDSP_BITMASKx"}, true},
      {layout::kUseName, 1, {"ValueListEditorSourceName"}, true},
      {layout::kIdriveLight, 3, {"EditiDriveLightMax", "PanelEditiDriveLightMinV"}, true},
      {layout::kIebusModeBits, 1u << 9, {"CheckBoxIEBUSTouch"}, false},
  };
  for (const Case& c : cases) {
    for (const bool on : {false, true}) {
      config::ConfigImage image;
      image.set(c.field, on ? c.on : 0);
      const PageView v = derivePage(image, lang::Language::English);
      for (std::string_view name : c.controls) {
        const ControlView* cv = v.find(name);
        ASSERT_NE(cv, nullptr) << name;
        EXPECT_EQ(c.shows ? cv->visible : cv->enabled, on) << name << " on=" << on;
      }
    }
  }
  // The GPS data format opens with a speed as well as a port; an IEBUS function without touch
  // coordinates leaves the touch box closed.
  config::ConfigImage image;
  image.set(layout::kGpsNum, 2);
  EXPECT_FALSE(derivePage(image, lang::Language::English).find("ComboBoxGPSPARITYx")->enabled);
  image.set(layout::kGpsSpeed, 1);
  EXPECT_TRUE(derivePage(image, lang::Language::English).find("ComboBoxGPSNBITSx")->enabled);
  image.set(layout::kIebusModeBits, 1u << 3);
  EXPECT_FALSE(derivePage(image, lang::Language::English).find("CheckBoxIEBUSTouch")->enabled);
  // The USB touch source list starts with "any source".
  const PageView v = derivePage(image, lang::Language::English);
  EXPECT_EQ(itemTexts(*v.find("ComboBoxSource2Touch"), lang::Language::English)[0], "Any");
}

}  // namespace
}  // namespace kivprism::params
