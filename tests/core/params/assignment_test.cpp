#include "core/params/assignment.hpp"

#include <gtest/gtest.h>

#include "core/params/derive.hpp"

namespace kivprism::params {
namespace {

namespace layout = config::layout;
using config::ConfigImage;

std::string ownerRu(const PinClaims& c, Pin pin) {
  const auto* o = c.owner[static_cast<std::size_t>(pin)];
  return o ? std::string(o->ru) : std::string();
}

TEST(Touch, RefusedWhileAPinOfThePanelIsAnOutput) {
  ConfigImage image;
  image.set(layout::pinMode(Pin::X24), 4);  // "Акт. выход, 0В"
  const TouchModeOutcome out = setTouchMode(image, 1);
  ASSERT_TRUE(out.notice);
  EXPECT_EQ(out.notice->ru,
            "Вы не можете использовать тачпанель,\nтак как ее ножки подключения уже используются");
  EXPECT_EQ(image.getU8(layout::kTouchMode), 0);
}

TEST(Touch, RulesApplyInOrderAndMode4AsksForSources) {
  ConfigImage image;
  image.set(layout::kEnc1Mode, 2);
  image.set(layout::kIrInpNum, 3);
  EXPECT_EQ(setTouchMode(image, 2).notice->en,
            "You can not use touchpanel,\nbecause her pins are already used to connect the "
            "encoder 2.");
  image.set(layout::kEnc1Mode, 0);
  EXPECT_EQ(setTouchMode(image, 2).notice->en,
            "You can not use touchpanel,\nbecause her pins are already used to connect the IR "
            "input.");
  image.set(layout::kIrInpNum, 0);
  image.set(layout::kHeadNum, 1);
  image.set(layout::kHeadType, 3);
  EXPECT_EQ(setTouchMode(image, 2).notice->en,
            "You can not use touchpanel,\nbecause HEADUNIT as used to obtain them");
  image.set(layout::kHeadType, 0);
  image.set(layout::kIebusTouch, 1);
  EXPECT_TRUE(setTouchMode(image, 3).notice);
  image.set(layout::kIebusTouch, 0);

  image.set(layout::kTouchInterceptSrcMask, 0x05);
  const TouchModeOutcome ask = setTouchMode(image, 4);
  EXPECT_FALSE(ask.notice);
  EXPECT_TRUE(ask.askInterceptMask);
  applyInterceptMask(image, 0x05);
  EXPECT_EQ(image.getU8(layout::kTouchMode), 4);
  applyInterceptMask(image, 0);
  EXPECT_EQ(image.getU8(layout::kTouchMode), 0);

  image.set(layout::kTouchInterceptSrcMask, 0x05);
  EXPECT_FALSE(setTouchMode(image, 1).notice);
  EXPECT_EQ(image.getU8(layout::kTouchMode), 1);
  EXPECT_EQ(image.getU8(layout::kTouchInterceptSrcMask), 0);
}

TEST(Claims, OwnersClaimInOrderAndALaterOwnerNamesThePin) {
  ConfigImage image;
  image.set(layout::kTouchMode, 1);
  image.set(layout::kIrInpNum, 9);  // X6/3
  image.set(layout::kEnc0Mode, 3);  // X3/2, X3/3: no pin combo box
  image.set(layout::kEnc1Mode, 8);  // IO5, IO6
  image.set(layout::kBtNum, 1);
  image.set(layout::kUartNum, 2);       // X6/2, X6/3 after the IR input
  image.set(layout::kGazerUartNum, 1);  // X4/2 only, after Bluetooth
  const PinClaims c = computeClaims(image);
  for (Pin p : {Pin::X22, Pin::X23, Pin::X24, Pin::X25, Pin::X26}) {
    EXPECT_EQ(ownerRu(c, p), "Тачпанель");
  }
  EXPECT_EQ(ownerRu(c, Pin::X42), "GAZER");
  EXPECT_EQ(ownerRu(c, Pin::X43), "Bluetooth");
  EXPECT_EQ(ownerRu(c, Pin::X62), "UART");
  EXPECT_EQ(ownerRu(c, Pin::X63), "UART");
  EXPECT_EQ(ownerRu(c, Pin::IO5), "Энкодер 2");
  EXPECT_FALSE(c.claimed(Pin::X65));
  EXPECT_FALSE(c.claimed(Pin::X56));
}

TEST(Claims, IrInputPositionsBeyondElevenClaimOnlyIo5AndIo6) {
  EXPECT_EQ(irInputPin(11), Pin::X66);
  EXPECT_EQ(irInputPin(18), Pin::IO5);
  EXPECT_EQ(irInputPin(19), Pin::IO6);
  for (unsigned p : {0u, 12u, 13u, 14u, 15u, 16u, 17u, 20u}) {
    EXPECT_FALSE(irInputPin(p)) << p;
  }
}

std::vector<std::string> overlapLines(const ConfigImage& image, lang::Language language) {
  std::vector<std::string> lines;
  for (const PinOverlap& o : pinClaimOverlaps(image)) {
    lines.push_back(pinOverlapWarning(o, language));
  }
  return lines;
}

TEST(PinOverlaps, CombinationsTheOnePinChecksLetThroughAreNamed) {
  ConfigImage image;
  ASSERT_FALSE(setIrInput(image, 7));  // X4/3
  ASSERT_FALSE(setPortModule(image, PortModule::Gps, 1));
  EXPECT_EQ(overlapLines(image, lang::Language::Russian),
            std::vector<std::string>{"Вывод X4/3 занят дважды: ИК вход и UART GPS"});
  EXPECT_EQ(overlapLines(image, lang::Language::English),
            std::vector<std::string>{"Pin X4/3 is claimed twice: IR input and UART GPS"});

  ConfigImage second;
  ASSERT_FALSE(setIrInput(second, 1));  // X2/2
  ASSERT_FALSE(setEncoderMode(second, 1, 1));
  const auto overlaps = pinClaimOverlaps(second);
  ASSERT_EQ(overlaps.size(), 1u);
  EXPECT_EQ(overlaps[0].pin, Pin::X22);
  EXPECT_EQ(overlaps[0].first.ru, "ИК вход");
  EXPECT_EQ(overlaps[0].second.en, "Encoder 1");
  const lang::Language before = lang::currentLanguage();
  lang::setCurrentLanguage(lang::Language::English);
  EXPECT_EQ(pinOverlapWarning(overlaps[0]), "Pin X2/2 is claimed twice: IR input and Encoder 1");
  lang::setCurrentLanguage(before);
}

TEST(PinOverlaps, EveryPairOfOwnersOnAPinAndNoneWhenThePinsAreShared) {
  ConfigImage image;
  image.set(layout::kTouchMode, 1);
  image.set(layout::kIrInpNum, 11);  // X6/6
  image.set(layout::kEnc0Mode, 8);   // IO5, IO6
  image.set(layout::kBtNum, 1);
  image.set(layout::kUartNum, 2);
  image.set(layout::kCarDspNum, 0);
  EXPECT_TRUE(pinClaimOverlaps(image).empty());
  EXPECT_TRUE(pinClaimOverlaps(ConfigImage{}).empty());

  // Three owners on X6/2 (loaded from a file, the checks never ran): every pair is named.
  image.set(layout::kEnc1Mode, 6);      // X6/2 + X6/3
  image.set(layout::kGazerUartNum, 2);  // X6/2 only
  EXPECT_EQ(overlapLines(image, lang::Language::English),
            (std::vector<std::string>{"Pin X6/2 is claimed twice: Encoder 2 and UART",
                                      "Pin X6/2 is claimed twice: Encoder 2 and GAZER",
                                      "Pin X6/2 is claimed twice: UART and GAZER",
                                      "Pin X6/3 is claimed twice: Encoder 2 and UART"}));
}

TEST(PortCheck, RefusesAPortWhosePinsAnotherModuleHolds) {
  ConfigImage image;
  image.set(layout::kBtNum, 1);
  const auto n = setPortModule(image, PortModule::Gps, 1);
  ASSERT_TRUE(n);
  EXPECT_EQ(n->ru,
            "Вы не можете использовать эти ножки для подключения GPS UART модуля,\nтак как они уже "
            "используются для подключения Bluetooth");
  EXPECT_EQ(n->en,
            "You can not use those pins to connect GPS UART module\nbecause as they are already "
            "used to connect Bluetooth");
  EXPECT_EQ(image.getU8(layout::kGpsNum), 0);
  EXPECT_FALSE(setPortModule(image, PortModule::Gps, 2));
  EXPECT_EQ(image.getU8(layout::kGpsNum), 2);
  // Choosing the port a module already holds is no change and no refusal.
  EXPECT_FALSE(setPortModule(image, PortModule::Gps, 2));
  EXPECT_EQ(image.getU8(layout::kGpsNum), 2);
  EXPECT_FALSE(setPortModule(image, PortModule::Gps, 7));
  EXPECT_EQ(image.getU8(layout::kGpsNum), 0);
}

TEST(PortCheck, AnOutputPinWithoutOwnerDoesNotBlockAPort) {
  ConfigImage image;
  image.set(layout::pinMode(Pin::X42), 3);
  EXPECT_FALSE(setPortModule(image, PortModule::Uart, 1));
  normalisePage(image);
  EXPECT_EQ(image.getU8(layout::pinMode(Pin::X42)), 0);
}

TEST(EncoderCheck, RulesAndTheirTexts) {
  ConfigImage image;
  image.set(layout::kGpsNum, 1);
  auto n = setEncoderMode(image, 1, 5);
  ASSERT_TRUE(n);
  EXPECT_EQ(n->en,
            "You can not use those pins for encoder 1,\nbecause she already used to connect the "
            "GPS UART module");
  EXPECT_EQ(image.getU8(layout::kEnc0Mode), 0);
  EXPECT_FALSE(setEncoderMode(image, 1, 3));  // X3/2, X3/3 holds no pin combo box
  EXPECT_EQ(image.getU8(layout::kEnc0Mode), 3);

  n = setEncoderMode(image, 2, 3);
  ASSERT_TRUE(n);
  EXPECT_EQ(n->ru,
            "Вы не можете использовать эти ножки для энкодера 2,\nтак как они уже используются для "
            "подключения энкодера 1");
  image.set(layout::pinMode(Pin::X66), 1);
  EXPECT_EQ(setEncoderMode(image, 2, 7)->ru,
            "Вы не можете использовать эти ножки для энкодера 2,\nтак как они уже используются как "
            "выходы");
  image.set(layout::kTouchMode, 2);
  EXPECT_EQ(setEncoderMode(image, 2, 1)->en,
            "You can not use those pins for encoder 2\nbecause as they are already used for "
            "touchpanel");
  image.set(layout::kHeadNum, 2);
  EXPECT_TRUE(setEncoderMode(image, 2, 6));
  EXPECT_FALSE(setEncoderMode(image, 2, 0));
}

TEST(IrInputCheck, RefusalsStoreZero) {
  ConfigImage image;
  image.set(layout::kIrInpNum, 2);
  image.set(layout::pinMode(Pin::X63), 5);
  EXPECT_EQ(setIrInput(image, 9)->en,
            "You can not use this pin as IR input,\nbecause as it is "
            "already used");
  EXPECT_EQ(image.getU8(layout::kIrInpNum), 0);
  image.set(layout::kEnc0Mode, 2);
  EXPECT_EQ(setIrInput(image, 4)->en,
            "You can not use this pin as IR input,\nbecause as it already used for encoder 1");
  image.set(layout::kHeadNum, 2);
  EXPECT_EQ(setIrInput(image, 8)->en,
            "You can not use this pin as IR input,\nbecause she already used to connect the HEAD "
            "UNIT");
  image.set(layout::pinMode(Pin::IO6), 2);
  EXPECT_TRUE(setIrInput(image, 19));
  EXPECT_FALSE(setIrInput(image, 12));
  EXPECT_EQ(image.getU8(layout::kIrInpNum), 12);
  image.set(layout::kTouchMode, 1);
  EXPECT_EQ(setIrInput(image, 5)->ru,
            "Вы не можете использовать эту ножку как ИК вход,\nтак как она уже используется для "
            "тачпанели");
}

TEST(PulsePin, NeedsThePinConfiguredFirstExceptTheOpenCollectors) {
  ConfigImage image;
  const auto n = setPulsePin(image, 3);
  ASSERT_TRUE(n);
  EXPECT_EQ(n->ru, "Сначала настройте параметры вывода\nво вкладке \"Выводы\"");
  EXPECT_EQ(n->en, "First, configure the pin options\nin the \"Pins\"");
  EXPECT_FALSE(setPulsePin(image, 8));
  EXPECT_EQ(image.getU8(layout::kPulseNum), 8);
  image.set(layout::pinMode(Pin::IO6), 3);
  EXPECT_FALSE(setPulsePin(image, 15));
  EXPECT_EQ(image.getU8(layout::kPulseNum), 15);
  EXPECT_TRUE(setPulsePin(image, 10));  // X6/2 not configured
  EXPECT_EQ(image.getU8(layout::kPulseNum), 0);
}

TEST(UsbFunctions, TheNewlyCheckedTouchKindWins) {
  ConfigImage image;
  image.set(layout::kPidSupport, 0x41);  // CDC + Windows touch
  setUsbFunctions(image, 0x61);          // Android touch checked as well
  EXPECT_EQ(image.getU16(layout::kPidSupport), 0x21);
  setUsbFunctions(image, 0x63);
  EXPECT_EQ(image.getU16(layout::kPidSupport), 0x43);
}

TEST(IebusFunctions, AmplifierControlAndJoyControlStandAlone) {
  EXPECT_EQ(combineIebusFunctions(0x0012, 0x0013), 0x0001u);
  EXPECT_EQ(combineIebusFunctions(0x0001, 0x0009), 0x0008u);
  EXPECT_EQ(combineIebusFunctions(0x0008, 0x4008), 0x4000u);
  EXPECT_EQ(combineIebusFunctions(0x4000, 0x4002), 0x0002u);
  EXPECT_EQ(combineIebusFunctions(0x4000, 0x4000), 0x4000u);
}

TEST(IebusFunctions, PairsExcludeEachOther) {
  EXPECT_EQ(combineIebusFunctions(0x0010, 0x0030), 0x0020u);  // DVD3 replaces DVD2
  EXPECT_EQ(combineIebusFunctions(0x0004, 0x0006), 0x0002u);
  EXPECT_EQ(combineIebusFunctions(0x0800, 0x0C00), 0x0400u);
  EXPECT_EQ(combineIebusFunctions(0, 0xFFFF0000u), 0u);
}

TEST(IebusTouch, HeadUnitTypesThatBlockCoordinates) {
  ConfigImage image;
  image.set(layout::kHeadNum, 1);
  image.set(layout::kHeadType, 6);  // HONDA ODYSSEY
  EXPECT_FALSE(setIebusTouch(image, true));
  EXPECT_EQ(image.getU8(layout::kIebusTouch), 1);
  image.set(layout::kIebusTouch, 0);
  image.set(layout::kHeadType, 3);  // PIONEER тип 1
  EXPECT_EQ(setIebusTouch(image, true)->en,
            "You can not use the coordinates from the bus IEBUS,\nbecause used as input the "
            "coordinates of HEADUNIT");
  EXPECT_EQ(image.getU8(layout::kIebusTouch), 0);
  image.set(layout::kIebusTouch, 1);
  image.set(layout::kTouchMode, 1);
  EXPECT_FALSE(setIebusTouch(image, false));
  EXPECT_EQ(image.getU8(layout::kIebusTouch), 0);
  EXPECT_TRUE(setIebusTouch(image, true));
}

TEST(UsbTouchSources, EveryOrNoSourceMeansAny) {
  ConfigImage image;
  EXPECT_TRUE(chooseUsbTouchSource(image, 1));
  applyUsbTouchMask(image, 0xFF);
  EXPECT_EQ(image.getU8(layout::kTouchSrcMask), 0);
  applyUsbTouchMask(image, 0x81);
  EXPECT_EQ(image.getU8(layout::kTouchSrcMask), 0x81);
  EXPECT_FALSE(chooseUsbTouchSource(image, 0));
  EXPECT_EQ(image.getU8(layout::kTouchSrcMask), 0);
}

}  // namespace
}  // namespace kivprism::params

#include "core/params/source_mask.hpp"

namespace kivprism::params {
namespace {

TEST(SourceMask, TicksAndMaskRoundTrip) {
  const auto ticks = maskTicks(0x81);
  EXPECT_TRUE(ticks[0]);
  EXPECT_TRUE(ticks[7]);
  EXPECT_FALSE(ticks[1]);
  EXPECT_EQ(maskFromTicks(ticks), 0x81);
  std::array<bool, kMaskSources> all{};
  all.fill(true);
  EXPECT_EQ(maskFromTicks(all), 0xFF);
  // All sources ticked for USB touches means any source.
  config::ConfigImage image;
  applyUsbTouchMask(image, maskFromTicks(all));
  EXPECT_EQ(image.getU8(config::layout::kTouchSrcMask), 0);
}

}  // namespace
}  // namespace kivprism::params
