#include "core/params/derive.hpp"
#include "core/params/refresh.hpp"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

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

// What the page's refresh shows: the image normalised, then derived.
PageView refreshedPage(ConfigImage& image, Language language) {
  normalisePage(image);
  return derivePage(image, language);
}

const ControlView& control(const PageView& v, std::string_view name) {
  const ControlView* c = v.find(name);
  EXPECT_NE(c, nullptr) << name;
  static const ControlView kMissing;
  return c ? *c : kMissing;
}

TEST(DerivePage, EveryControlOnceInTableOrderAndAllTabsInPageOrder) {
  ConfigImage image;
  const PageView v = refreshedPage(image, Language::Russian);
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
  const PageView v = refreshedPage(image, Language::Russian);
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
  PageView v = refreshedPage(image, Language::Russian);
  EXPECT_FALSE(v.findTab("TabSheet_DIFFBUSx")->visible);
  EXPECT_FALSE(v.canLogVisible);
  EXPECT_TRUE(v.marks.eventMarked(EventType::SwCan));

  image.set(layout::kDiffBusMode, kBusCan);
  v = refreshedPage(image, Language::Russian);
  const TabView* tab = v.findTab("TabSheet_DIFFBUSx");
  EXPECT_TRUE(tab->visible);
  EXPECT_EQ(tab->caption->ru, "Шина CAN");
  EXPECT_EQ(v.diffBusPage, "TabSheet_CAN_CANx");
  EXPECT_TRUE(v.canLogVisible);
  EXPECT_FALSE(v.marks.eventMarked(EventType::SwCan));
  EXPECT_FALSE(v.marks.reactionMarked(ReactionType::SwCan));
  EXPECT_TRUE(v.marks.eventMarked(EventType::Iebus));

  image.set(layout::kDiffBusMode, kBusIebus);
  v = refreshedPage(image, Language::Russian);
  EXPECT_EQ(v.diffBusPage, "TabSheet_IEBUSx");
  EXPECT_FALSE(v.marks.reactionMarked(ReactionType::Iebus));
  EXPECT_TRUE(v.marks.eventMarked(EventType::SwCan));
  EXPECT_FALSE(v.canLogVisible);
}

TEST(DerivePage, LinModesDecideTabsPagesAndSpeed) {
  ConfigImage image;
  image.set(layout::kLin1Mode, 4);
  image.set(layout::kLin2Mode, 12);  // Lin Master JEEP WK2 drives both lines
  PageView v = refreshedPage(image, Language::Russian);
  EXPECT_EQ(image.getU8(layout::kLin1Mode), 0);
  EXPECT_FALSE(control(v, "ComboBoxLIN1MODEx").enabled);
  EXPECT_EQ(control(v, "ComboBoxLIN1MODEx").value, 0);

  image.set(layout::kLin2Mode, 0);
  image.set(layout::kLin1Mode, 1);
  v = refreshedPage(image, Language::Russian);
  EXPECT_TRUE(v.findTab("TabSheetIBUSx")->visible);
  EXPECT_FALSE(v.findTab("TabSheetLINParam")->visible);
  EXPECT_TRUE(v.marks.eventMarked(EventType::Lin));

  image.set(layout::kLin1Mode, 7);
  v = refreshedPage(image, Language::Russian);
  EXPECT_TRUE(v.findTab("TabSheetLINParam")->visible);
  EXPECT_FALSE(v.marks.eventMarked(EventType::Lin));
  EXPECT_TRUE(v.marks.reactionMarked(ReactionType::Lin));
  EXPECT_TRUE(control(v, "ComboBoxLINSPEEDx").enabled);

  image.set(layout::kLin1Mode, 3);
  v = refreshedPage(image, Language::Russian);
  EXPECT_FALSE(v.marks.reactionMarked(ReactionType::Lin));
  EXPECT_FALSE(control(v, "ComboBoxLINSPEEDx").enabled);

  image.set(layout::kLin2Mode, kLin2MasterVw);
  image.set(layout::kLinSpeedType, 1);  // 9600 Bit/s
  v = refreshedPage(image, Language::Russian);
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
  const PageView v = refreshedPage(image, Language::Russian);
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
  PageView v = refreshedPage(image, Language::Russian);
  EXPECT_EQ(image.getU8(layout::kPulseNum), 0);
  EXPECT_EQ(image.getU16(layout::kPulseMsActive), 0);
  EXPECT_EQ(image.getU16(layout::kPulseMsPause), 0);
  EXPECT_FALSE(control(v, "ComboBoxPULSENUM").enabled);
  EXPECT_EQ(control(v, "EditPULSEMSACTIVE").text, "");
  EXPECT_FALSE(control(v, "EditPULSEMSACTIVE").enabled);

  image.set(layout::kPulseNumSrc, 2);
  image.set(layout::kPulseNum, 8);
  image.set(layout::kPulseMsActive, 300);
  v = refreshedPage(image, Language::Russian);
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
  PageView v = refreshedPage(image, Language::Russian);
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
  v = refreshedPage(image, Language::Russian);
  EXPECT_EQ(image.getU8(layout::kIebusTouch), 0);
  EXPECT_EQ(image.getU16(layout::kAmplParamTo), 0);
  EXPECT_FALSE(control(v, "EditAMPLDELAYTO").visible);
  EXPECT_FALSE(control(v, "EditiDriveLightMax").visible);
}

TEST(DerivePage, TouchModeAndUsbSourceItemsShowTheirMasks) {
  ConfigImage image;
  PageView v = refreshedPage(image, Language::English);
  EXPECT_EQ(itemTexts(control(v, "ComboBoxTouchMode"), Language::English)[4], "Sources...");
  EXPECT_EQ(itemTexts(control(v, "ComboBoxSource2Touch"), Language::English)[1], "Select...");
  EXPECT_EQ(control(v, "ComboBoxSource2Touch").value, 0);

  image.set(layout::kTouchMode, 4);
  image.set(layout::kTouchInterceptSrcMask, 0x05);
  image.set(layout::kTouchSrcMask, 0x82);
  v = refreshedPage(image, Language::Russian);
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
  const PageView v = refreshedPage(image, Language::Russian);
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

// The corrections are made by normalising alone, reported run by run; deriving only reads.
TEST(NormalisePage, ReportsTheRunsItCorrectedAndDeriveLeavesTheImageAlone) {
  config::ConfigImage image;
  EXPECT_FALSE(normalisePage(image).empty());  // an empty image has times to correct
  EXPECT_TRUE(normalisePage(image).empty());   // a normalised one needs none
  image.set(layout::kPulseNumSrc, 0);
  image.set(layout::kPulseNum, 3);
  image.set(layout::kPulseMsActive, 100);
  image.set(layout::kHeadNum, 0);
  image.set(layout::kHeadType, 2);
  const config::ConfigImage asStored = image;
  const PageView shown = derivePage(std::as_const(image), lang::Language::English);
  EXPECT_EQ(image, asStored);
  EXPECT_EQ(shown.find("ComboBoxPULSENUM")->value, 3);  // the view shows the bytes as they are

  const std::vector<ImageRun> runs = normalisePage(image);
  EXPECT_EQ(image.getU8(layout::kPulseNum), 0);
  EXPECT_EQ(image.getU16(layout::kPulseMsActive), 0);
  EXPECT_EQ(image.getU8(layout::kHeadType), 0);
  std::set<std::size_t> reported;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    ASSERT_LT(runs[i].begin, runs[i].end);
    if (i > 0) {
      EXPECT_LT(runs[i - 1].end, runs[i].begin);  // in order, adjacent bytes in one run
    }
    for (std::size_t at = runs[i].begin; at < runs[i].end; ++at) {
      reported.insert(at);
    }
  }
  std::set<std::size_t> changed;
  for (std::size_t at = 0; at < config::ConfigImage::kSize; ++at) {
    if (image.data()[at] != asStored.data()[at]) {
      changed.insert(at);
    }
  }
  EXPECT_EQ(reported, changed);
  EXPECT_TRUE(changed.contains(layout::kPulseNum.offset));
  EXPECT_TRUE(changed.contains(layout::kHeadType.offset));
  EXPECT_TRUE(normalisePage(image).empty());  // a second pass finds nothing
}

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
  const PageView quiet = refreshedPage(image, lang::Language::English);
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
  const PageView v = refreshedPage(image, lang::Language::English);
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
  const PageView v = refreshedPage(image, lang::Language::English);
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
      const PageView v = refreshedPage(image, lang::Language::English);
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
  EXPECT_FALSE(refreshedPage(image, lang::Language::English).find("ComboBoxGPSPARITYx")->enabled);
  image.set(layout::kGpsSpeed, 1);
  EXPECT_TRUE(refreshedPage(image, lang::Language::English).find("ComboBoxGPSNBITSx")->enabled);
  image.set(layout::kIebusModeBits, 1u << 3);
  EXPECT_FALSE(refreshedPage(image, lang::Language::English).find("CheckBoxIEBUSTouch")->enabled);
  // The USB touch source list starts with "any source".
  const PageView v = refreshedPage(image, lang::Language::English);
  EXPECT_EQ(itemTexts(*v.find("ComboBoxSource2Touch"), lang::Language::English)[0], "Any");
}

}  // namespace
}  // namespace kivprism::params

namespace kivprism::params {
namespace {

namespace layout = config::layout;
using lang::Language;

// Derives the page of an image with the given fields set.
PageView pageWith(std::initializer_list<std::pair<config::Field, std::uint32_t>> fields,
                  Language language = Language::English) {
  config::ConfigImage image;
  for (const auto& [field, value] : fields) {
    image.set(field, value);
  }
  return refreshedPage(image, language);
}

TEST(DerivePageTabs, EveryTabStartsVisibleAndOnlyTheProgramsOwnTabsGetACaption) {
  const PageView v = pageWith({{layout::kDiffBusMode, kBusCan}, {layout::kLin1Mode, 1}});
  for (std::string_view name : {"TabSheetPINS", "TabSheetInterfaces", "TabSheetKEYS", "TabSheetGPS",
                                "TabSheetPWMParamx", "TabSheetUARTx"}) {
    ASSERT_NE(v.findTab(name), nullptr) << name;
    EXPECT_TRUE(v.findTab(name)->visible) << name;
  }
  // Tabs the language table names carry no caption of the page's own.
  for (std::string_view name : {"TabSheetPINS", "TabSheetGPS", "TabSheetLINParam"}) {
    EXPECT_FALSE(v.findTab(name)->caption.has_value()) << name;
  }
  const struct {
    std::string_view tab;
    std::string_view en;
  } captions[] = {{"TabSheetIBUSx", "iBus BMW"}, {"TabSheetPS2x", "PS2"},
                  {"TabSheetUARTx", "UART"},     {"TabSheetVOLVO_ALPSx", "Volvo Alps SW"},
                  {"TabSheetPWMParamx", "PWM"},  {"TabSheetAcuraJoyParamx", "ACURA JOY"}};
  for (const auto& c : captions) {
    const TabView* tab = v.findTab(c.tab);
    ASSERT_TRUE(tab->caption.has_value()) << c.tab;
    EXPECT_EQ(tab->caption->en, c.en) << c.tab;
  }
  EXPECT_EQ(v.findTab("TabSheetCarDSPx")->caption->ru, "CarDSP");
}

TEST(DerivePageTabs, ABusModeBeyondTheListKeepsThePlainBusCaption) {
  const PageView v = pageWith({{layout::kDiffBusMode, 10}});
  const TabView* tab = v.findTab("TabSheet_DIFFBUSx");
  ASSERT_TRUE(tab->caption.has_value());
  EXPECT_EQ(tab->caption->en, "Bus");
  EXPECT_EQ(tab->caption->ru, "Шина");
  EXPECT_FALSE(v.canLogVisible);
  const PageView last = pageWith({{layout::kDiffBusMode, kBusAinet}});
  EXPECT_EQ(last.findTab("TabSheet_DIFFBUSx")->caption->en, "AiNet Bus");
}

TEST(DerivePageTouch, WithoutTheConverterTheTouchSettingsAreOpen) {
  const PageView v = pageWith({});
  EXPECT_TRUE(v.touchSetupAllowed);
  EXPECT_FALSE(v.find("PanelTouchFromCap2Res")->visible);
  for (auto name : {"CheckBoxTouchDXY", "CheckBoxTouchWakeUp", "CheckBoxTouchHide"}) {
    EXPECT_TRUE(v.find(name)->enabled) << name;
  }
  EXPECT_FALSE(v.find("CheckBoxTouchDXY")->hasValue);  // keeps what the user ticked
  const PageView cap2res = pageWith({{layout::kCap2ResNum, 1}});
  for (auto name : {"CheckBoxTouchWakeUp", "CheckBoxTouchHide"}) {
    EXPECT_FALSE(cap2res.find(name)->enabled) << name;
  }
}

TEST(DerivePageTouch, TheConverterOnItsFirstPortClearsTheTouchOptionsToo) {
  config::ConfigImage image;
  image.set(layout::kCap2ResNum, 1);
  image.set(layout::kTouchWakeup, 1);
  image.set(layout::kTouchHide, 1);
  image.set(layout::kTouchGestures, 1);
  refreshedPage(image, Language::English);
  EXPECT_EQ(image.getU8(layout::kTouchWakeup), 0);
  EXPECT_EQ(image.getU8(layout::kTouchHide), 0);
  EXPECT_EQ(image.getU8(layout::kTouchGestures), 0);
  // Without the converter the panel's own options stay.
  image.set(layout::kCap2ResNum, 0);
  image.set(layout::kTouchWakeup, 1);
  image.set(layout::kTouchGestures, 1);
  refreshedPage(image, Language::English);
  EXPECT_EQ(image.getU8(layout::kTouchWakeup), 1);
  EXPECT_EQ(image.getU8(layout::kTouchGestures), 1);
}

TEST(DerivePageTouch, TheIrOptionsOpenWithAnIrInput) {
  for (const unsigned input : {0u, 1u, 5u}) {
    const PageView v = pageWith({{layout::kIrInpNum, input}});
    EXPECT_EQ(v.find("CheckBoxIRINPINV")->enabled, input != 0) << input;
    EXPECT_EQ(v.find("CheckBoxIRINPADTx")->enabled, input != 0) << input;
  }
}

TEST(DerivePageTouch, TheUsbSourceListShowsAnyFirstAndTheChosenSourcesSecond) {
  const PageView v = pageWith({{layout::kTouchSrcMask, 0x01}});
  const auto items = itemTexts(*v.find("ComboBoxSource2Touch"), Language::English);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0], "Any");
  EXPECT_EQ(items[1], " 1");
  EXPECT_EQ(v.find("ComboBoxSource2Touch")->value, 1);
  // Only touch mode 4 builds its item from the intercept mask.
  EXPECT_EQ(touchSourcesItem(3, 0x01, Language::English), "Sources...");
  EXPECT_EQ(touchSourcesItem(4, 0x80, Language::English), "Sources 8");
  EXPECT_EQ(touchSourcesItem(4, 0, Language::English), "Sources no");
  EXPECT_EQ(usbTouchItem(0xFF, Language::English), " 1 2 3 4 5 6 7 8");
}

TEST(DerivePageSources, PulseTimesNeedASourceCountAndAPulseCount) {
  PageView v = pageWith({{layout::kPulseNumSrc, 2}, {layout::kPulseMsActive, 300}});
  EXPECT_TRUE(v.find("ComboBoxPULSENUM")->enabled);
  for (auto name : {"EditPULSEMSACTIVE", "EditPULSEMSPAUSE"}) {
    EXPECT_FALSE(v.find(name)->enabled) << name;
    EXPECT_EQ(v.find(name)->text, "") << name;
  }
  v = pageWith({{layout::kPulseNumSrc, 1}, {layout::kPulseNum, 3}, {layout::kPulseMsPause, 40}});
  EXPECT_TRUE(v.find("EditPULSEMSACTIVE")->enabled);
  EXPECT_EQ(v.find("EditPULSEMSPAUSE")->text, "40");
  EXPECT_FALSE(pageWith({}).find("ValueListEditorSourceName")->visible);
}

TEST(DerivePageModules, EncoderDividersOpenWithTheirOwnEncoder) {
  PageView v = pageWith({{layout::kEnc0Mode, 1}});
  EXPECT_TRUE(v.find("CSpinEditEncoder1Div")->enabled);
  EXPECT_FALSE(v.find("CSpinEditEncoder2Div")->enabled);
  v = pageWith({{layout::kEnc1Mode, 2}});
  EXPECT_FALSE(v.find("CSpinEditEncoder1Div")->enabled);
  EXPECT_TRUE(v.find("CSpinEditEncoder2Div")->enabled);
}

TEST(DerivePageModules, GpsFormatNeedsThePortAsWellAsASpeed) {
  const PageView v = pageWith({{layout::kGpsSpeed, 1}});
  for (auto name : {"ComboBoxGPSNBITSx", "ComboBoxGPSSBITSx", "ComboBoxGPSPARITYx",
                    "ComboBoxGPSSPEED", "CheckBox_GPS_COURSE"}) {
    EXPECT_FALSE(v.find(name)->enabled) << name;
  }
  const PageView on = pageWith({{layout::kGpsSpeed, 2}, {layout::kGpsNum, 1}});
  for (auto name : {"ComboBoxGPSSBITSx", "ComboBoxGPSPARITYx"}) {
    EXPECT_TRUE(on.find(name)->enabled) << name;
  }
}

TEST(DerivePageModules, HeadUnitTypeOpensWithItsPortAndKeepsItsType) {
  config::ConfigImage image;
  image.set(layout::kHeadNum, 1);
  image.set(layout::kHeadType, 4);
  const PageView v = refreshedPage(image, Language::English);
  EXPECT_TRUE(v.find("ComboBoxHEADTYPE")->enabled);
  EXPECT_EQ(image.getU8(layout::kHeadType), 4);
  image.set(layout::kExtNaviNum, 1);
  image.set(layout::kExtNaviType, 2);
  image.set(layout::kExtNaviSrc, 3);
  refreshedPage(image, Language::English);
  EXPECT_EQ(image.getU8(layout::kExtNaviType), 2);
  EXPECT_EQ(image.getU8(layout::kExtNaviSrc), 3);
}

TEST(DerivePageModules, GanetVolumeOutputBelongsToTheInspireModeOnly) {
  for (const unsigned mode : {0u, 1u, 2u, 3u}) {
    config::ConfigImage image;
    image.set(layout::kGanetMode, mode);
    image.set(layout::kGanetVolCh, 2);
    const PageView v = refreshedPage(image, Language::English);
    EXPECT_EQ(v.find("ComboBoxGaNetVolumeOut")->enabled, mode == 2) << mode;
    EXPECT_EQ(image.getU8(layout::kGanetVolCh), mode == 2 ? 2 : 0) << mode;
  }
}

TEST(DerivePageModules, IdriveLightVoltagesGetADefaultOnlyWhenBothAreUnset) {
  const struct {
    unsigned light;
    std::uint16_t min;
    std::uint16_t max;
    std::uint16_t maxAfter;
  } cases[] = {
      {0, 0, 0, 0}, {1, 0, 0, 0},   {2, 0, 0, 12000}, {3, 0, 0, 12000},
      {4, 0, 0, 0}, {2, 500, 0, 0}, {3, 0, 900, 900}, {2, 100, 8000, 8000},
  };
  for (const auto& c : cases) {
    config::ConfigImage image;
    image.set(layout::kIdriveLight, c.light);
    image.set(layout::kIdriveLightMin, c.min);
    image.set(layout::kIdriveLightMax, c.max);
    const PageView v = refreshedPage(image, Language::English);
    EXPECT_EQ(image.getU16(layout::kIdriveLightMax), c.maxAfter) << c.light << " " << c.min;
    EXPECT_EQ(image.getU16(layout::kIdriveLightMin), c.min) << c.light;
    const bool voltages = c.light == 2 || c.light == 3;
    for (auto name : {"EditiDriveLightMin", "LabeliDriveLightMin", "LabeliDriveLightMax",
                      "PanelEditiDriveLightMaxV"}) {
      EXPECT_EQ(v.find(name)->visible, voltages) << name << " light " << c.light;
    }
  }
}

TEST(DerivePageModules, TheIdriveLightChoiceBelongsToTheStandaloneMode) {
  for (const unsigned mode : {0u, 1u, 2u}) {
    const PageView v = pageWith({{layout::kIdriveMode, mode}});
    EXPECT_EQ(v.find("ComboBoxIDRIVELIGHT")->visible, mode == 0) << mode;
    EXPECT_EQ(v.find("PanelIDRIVELIGHT")->visible, mode == 0) << mode;
  }
}

TEST(DerivePageModules, AVwLinMasterKeepsTheSpeedsItAcceptsAndOtherModesKeepAny) {
  const struct {
    unsigned lin2;
    unsigned speed;
    unsigned after;
  } cases[] = {{kLin2MasterVw, 4, 4},
               {kLin2MasterVw, 5, 5},
               {kLin2MasterVw, 0, 4},
               {kLin2MasterVw, 6, 4},
               {kLin2MasterVw, 3, 4},
               {0, 1, 1},
               {1, 6, 6}};
  for (const auto& c : cases) {
    config::ConfigImage image;
    image.set(layout::kLin2Mode, c.lin2);
    image.set(layout::kLinSpeedType, c.speed);
    refreshedPage(image, Language::English);
    EXPECT_EQ(image.getU8(layout::kLinSpeedType), c.after) << c.lin2 << " " << c.speed;
  }
}

TEST(DerivePageModules, LinSpeedPanelAndCommandsFollowTheLinModes) {
  config::ConfigImage image;
  image.set(layout::kLin1Mode, 7);
  PageView v = refreshedPage(image, Language::English);
  EXPECT_TRUE(v.find("PanelLINSPEED")->enabled);
  EXPECT_EQ(v.linCommands, linReactionCommands(7, 0));
  image.set(layout::kLin1Mode, 3);
  v = refreshedPage(image, Language::English);
  EXPECT_FALSE(v.find("PanelLINSPEED")->enabled);
  image.set(layout::kLin1Mode, 5);
  image.set(layout::kLin2Mode, 6);
  v = refreshedPage(image, Language::English);
  EXPECT_EQ(v.linCommands, linReactionCommands(5, 6));
  EXPECT_FALSE(v.linCommands.empty());
}

TEST(DerivePageModules, IebusAmplifierDelayIsShownAndFilledOnlyWithTheAmplifier) {
  config::ConfigImage image;
  image.set(layout::kIebusModeBits, 1);
  image.set(layout::kAmplParamTo, 700);
  PageView v = refreshedPage(image, Language::English);
  for (auto name : {"EditAMPLDELAYTO", "PanelAMPLDELAYTO", "PanelAMPLDELAYTOMS"}) {
    EXPECT_TRUE(v.find(name)->visible) << name;
  }
  EXPECT_EQ(v.find("EditAMPLDELAYTO")->text, "700");
  image.set(layout::kIebusModeBits, 1u << 2);
  image.set(layout::kIebusTouch, 1);
  image.set(layout::kIebusVolPreDiv, 3);
  v = refreshedPage(image, Language::English);
  for (auto name : {"EditAMPLDELAYTO", "PanelAMPLDELAYTO", "PanelAMPLDELAYTOMS"}) {
    EXPECT_FALSE(v.find(name)->visible) << name;
  }
  EXPECT_EQ(v.find("EditAMPLDELAYTO")->text, "");
  EXPECT_EQ(image.getU16(layout::kAmplParamTo), 0);
  EXPECT_EQ(image.get(layout::kIebusModeBits), 1u << 2);  // other functions combine freely
  EXPECT_EQ(image.getU8(layout::kIebusTouch), 1);         // kept while a function is on
  EXPECT_EQ(image.getU8(layout::kIebusVolPreDiv), 3);
  EXPECT_TRUE(v.find("CheckBoxIEBUSTouch")->enabled);
  for (const unsigned bit : {1u, 10u, 11u}) {
    EXPECT_TRUE(pageWith({{layout::kIebusModeBits, 1u << bit}}).find("CheckBoxIEBUSTouch")->enabled)
        << bit;
  }
  for (const unsigned bit : {0u, 4u, 8u, 12u}) {
    EXPECT_FALSE(
        pageWith({{layout::kIebusModeBits, 1u << bit}}).find("CheckBoxIEBUSTouch")->enabled)
        << bit;
  }
}

TEST(DerivePageModules, UartTimesOutsideTheirRangeGetTheirDefaults) {
  config::ConfigImage image;
  image.set(layout::kUartDelayMs, 300);
  image.set(layout::kUartReplayMs, 0);
  refreshedPage(image, Language::English);
  EXPECT_EQ(image.getU16(layout::kUartDelayMs), 300);
  EXPECT_EQ(image.getU16(layout::kUartReplayMs), 100);
  image.set(layout::kUartDelayMs, 10001);
  image.set(layout::kUartReplayMs, 250);
  refreshedPage(image, Language::English);
  EXPECT_EQ(image.getU16(layout::kUartDelayMs), 500);
  EXPECT_EQ(image.getU16(layout::kUartReplayMs), 250);
}

TEST(DerivePageSingle, OneControlDerivesAsOnThePage) {
  config::ConfigImage image;
  image.set(layout::kGpsNum, 2);
  EXPECT_EQ(deriveControl(image, "ComboBoxGPSNUM").value, 2);
  EXPECT_EQ(deriveControl(image, "ComboBoxGPSNUM").value,
            refreshedPage(image, Language::English).find("ComboBoxGPSNUM")->value);
}

}  // namespace
}  // namespace kivprism::params
