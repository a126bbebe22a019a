#include "core/params/assignment.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/params/derive.hpp"

namespace kivprism::params {
namespace {

namespace layout = config::layout;
using config::ConfigImage;

std::string ownerRu(const PinClaims& c, Pin pin) {
  const auto* o = c.owner[static_cast<std::size_t>(pin)];
  return o ? std::string(o->ru) : std::string();
}

// The values 1..last a check refuses on an image, with the English text of each refusal.
using Refusals = std::map<unsigned, std::string>;

template <typename Check>
Refusals refusals(const ConfigImage& image, unsigned last, Check check) {
  Refusals out;
  for (unsigned value = 1; value <= last; ++value) {
    ConfigImage copy = image;
    if (const std::optional<Notice> n = check(copy, value)) {
      out[value] = n->en;
    }
  }
  return out;
}

Refusals each(std::initializer_list<unsigned> values, const std::string& text) {
  Refusals out;
  for (unsigned v : values) {
    out[v] = text;
  }
  return out;
}

std::string withNumber(std::string text, unsigned number) {
  return text.replace(text.find("%d"), 2, std::to_string(number));
}

// A refused IR input stores 0, an accepted one its position.
std::optional<Notice> irCheck(ConfigImage& image, unsigned position) {
  image.set(layout::kIrInpNum, 12);  // IERX: claims no pin
  auto n = setIrInput(image, position);
  EXPECT_EQ(image.getU8(layout::kIrInpNum), n ? 0u : position) << position;
  return n;
}

// A refused encoder mode leaves the stored mode as it was.
template <unsigned kEncoder>
std::optional<Notice> encoderCheck(ConfigImage& image, unsigned mode) {
  const config::Field own = kEncoder == 1 ? layout::kEnc0Mode : layout::kEnc1Mode;
  image.set(own, 4);  // X3/4, X3/5: claims no pin
  auto n = setEncoderMode(image, kEncoder, mode);
  EXPECT_EQ(image.getU8(own), n ? 4u : mode) << mode;
  return n;
}

// A refused pulse pin stores 0.
std::optional<Notice> pulseCheck(ConfigImage& image, unsigned position) {
  image.set(layout::kPulseNum, 9);
  auto n = setPulsePin(image, position);
  EXPECT_EQ(image.getU8(layout::kPulseNum), n ? 0u : position) << position;
  return n;
}

// A refused touch mode stores 0; modes 1..3 are stored, mode 4 first asks for its sources.
std::optional<Notice> touchCheck(ConfigImage& image, unsigned mode) {
  image.set(layout::kTouchMode, 2);
  TouchModeOutcome out = setTouchMode(image, mode);
  EXPECT_EQ(out.askInterceptMask, !out.notice && mode == 4) << mode;
  EXPECT_EQ(image.getU8(layout::kTouchMode), out.notice ? 0u : mode == 4 ? 2u : mode) << mode;
  return out.notice;
}

// The external navigation port claims no pins, so its own value does not change the claims.
std::optional<Notice> portCheck(ConfigImage& image, unsigned port) {
  image.set(layout::kExtNaviNum, 3);
  auto n = setPortModule(image, PortModule::ExtNavi, port);
  EXPECT_EQ(image.getU8(layout::kExtNaviNum), n ? 0u : port) << port;
  return n;
}

const std::string kIrUsed = "You can not use this pin as IR input,\nbecause as it is already used";
const std::string kIrTouch =
    "You can not use this pin as IR input,\nbecause as it is already used for touchpanel";
const std::string kIrEncoder =
    "You can not use this pin as IR input,\nbecause as it already used for encoder %d";
const std::string kIrGps =
    "You can not use this pin as IR input,\nbecause she already used to connect the GPS UART "
    "module";
const std::string kIrHead =
    "You can not use this pin as IR input,\nbecause she already used to connect the HEAD UNIT";
const std::string kEncOutputs =
    "You can not use those pins for encoder %d\nbecause as they are already used for output";
const std::string kEncTouch =
    "You can not use those pins for encoder %d\nbecause as they are already used for touchpanel";
const std::string kEncGps =
    "You can not use those pins for encoder %d,\nbecause she already used to connect the GPS UART "
    "module";
const std::string kEncHead =
    "You can not use those pins for encoder %d,\nbecause she already used to connect the HEAD "
    "UNIT";
const std::string kTouchPins = "You can not use touchpanel,\nbecause her pins is already in use";
const std::string kTouchEncoder =
    "You can not use touchpanel,\nbecause her pins are already used to connect the encoder %d.";
const std::string kTouchIr =
    "You can not use touchpanel,\nbecause her pins are already used to connect the IR input.";
const std::string kTouchHead =
    "You can not use touchpanel,\nbecause HEADUNIT as used to obtain them";
const std::string kTouchIebus =
    "You can not use touchpanel,\nbecause IEBUS tire as used to obtain them";
const std::string kPulseFirst = "First, configure the pin options\nin the \"Pins\"";

// Every pin with a mode byte and what each check ties to it: the encoder modes that use it, its
// IR-input position, its pulse-output position, and whether the touch panel needs it.
struct PinRow {
  Pin pin;
  std::set<unsigned> encoderModes;
  unsigned irPosition;  // 0: none
  unsigned pulsePosition;
  bool touch;
};
const PinRow kPinRows[] = {
    {Pin::X22, {1}, 1, 1, true},    {Pin::X23, {1}, 2, 2, true},    {Pin::X24, {2}, 3, 3, true},
    {Pin::X25, {2}, 4, 4, true},    {Pin::X26, {}, 5, 5, true},     {Pin::X42, {5}, 6, 6, false},
    {Pin::X43, {5}, 7, 7, false},   {Pin::X56, {}, 0, 0, false},    {Pin::X57, {}, 0, 0, false},
    {Pin::X58, {}, 0, 0, false},    {Pin::X62, {6}, 8, 10, false},  {Pin::X63, {6}, 9, 11, false},
    {Pin::X65, {7}, 10, 12, false}, {Pin::X66, {7}, 11, 13, false}, {Pin::IO5, {8}, 18, 14, false},
    {Pin::IO6, {8}, 19, 15, false},
};
const std::set<unsigned> kPulsePositionsWithPins{1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15};

TEST(PinChecks, APinMadeAnInputOrOutputKeepsEveryFunctionOffIt) {
  for (const PinRow& row : kPinRows) {
    ConfigImage image;
    image.set(layout::pinMode(row.pin), 1);
    const std::string pin(pinName(row.pin));
    Refusals encoder1;
    Refusals encoder2;
    for (unsigned mode : row.encoderModes) {
      encoder1[mode] = withNumber(kEncOutputs, 1);
      encoder2[mode] = withNumber(kEncOutputs, 2);
    }
    EXPECT_EQ(refusals(image, 8, encoderCheck<1>), encoder1) << pin;
    EXPECT_EQ(refusals(image, 8, encoderCheck<2>), encoder2) << pin;
    EXPECT_EQ(refusals(image, 19, irCheck),
              row.irPosition != 0 ? each({row.irPosition}, kIrUsed) : Refusals{})
        << pin;
    EXPECT_EQ(refusals(image, 4, touchCheck),
              row.touch ? each({1, 2, 3, 4}, kTouchPins) : Refusals{})
        << pin;
    // Every other pulse pin is still unconfigured.
    Refusals pulse;
    for (unsigned p : kPulsePositionsWithPins) {
      if (p != row.pulsePosition) {
        pulse[p] = kPulseFirst;
      }
    }
    EXPECT_EQ(refusals(image, 16, pulseCheck), pulse) << pin;
    // Ports look at the functions that hold a pin, not at its mode.
    EXPECT_EQ(refusals(image, 2, portCheck), Refusals{}) << pin;
  }
}

TEST(PinChecks, TablesAgreeWithTheConnector) {
  for (const PinRow& row : kPinRows) {
    const PinInfo& info = pinInfo(row.pin);
    EXPECT_EQ(info.pin, row.pin);
    std::string control = "ComboBox";
    for (char c : pinName(row.pin)) {
      if (c != '/') {
        control += c;
      }
    }
    EXPECT_EQ(info.control, control + "x");
    // Only the general lists carry the owner's name in item 0.
    EXPECT_EQ(info.general, info.list == &lists::pinGeneral) << control;
    EXPECT_EQ(irInputPin(row.irPosition), row.irPosition ? std::optional(row.pin) : std::nullopt);
    EXPECT_EQ(outputPinWithMode(row.pulsePosition),
              row.pulsePosition ? std::optional(row.pin) : std::nullopt);
  }
  EXPECT_EQ(pinTable().size(), kPinCount);
}

// One function switched on, and what each check then refuses.
struct ClaimRow {
  const char* what;
  config::Field field;
  unsigned value;
  Refusals ir;
  Refusals encoder1;
  Refusals touch;
  Refusals port;  // port -> the owner's name in the port refusal
};

TEST(PinChecks, EachFunctionBlocksTheChecksThatLookAtItsPins) {
  const std::string enc1 = withNumber(kIrEncoder, 1);
  const std::string enc2 = withNumber(kIrEncoder, 2);
  const ClaimRow rows[] = {
      {"touch 1",
       layout::kTouchMode,
       1,
       each({1, 2, 3, 4, 5}, kIrTouch),
       each({1, 2}, withNumber(kEncTouch, 1)),
       {},
       {}},
      {"touch 3",
       layout::kTouchMode,
       3,
       each({1, 2, 3, 4, 5}, kIrTouch),
       each({1, 2}, withNumber(kEncTouch, 1)),
       {},
       {}},
      {"touch 4 (interception only)", layout::kTouchMode, 4, {}, {}, {}, {}},
      {"encoder 1 on X2/2+X2/3",
       layout::kEnc0Mode,
       1,
       each({1, 2}, enc1),
       {},
       each({1, 2, 3, 4}, withNumber(kTouchEncoder, 1)),
       {}},
      {"encoder 1 on X2/4+X2/5",
       layout::kEnc0Mode,
       2,
       each({3, 4}, enc1),
       {},
       each({1, 2, 3, 4}, withNumber(kTouchEncoder, 1)),
       {}},
      {"encoder 1 on port 1", layout::kEnc0Mode, 5, {}, {}, {}, {{1, "Encoder 1"}}},
      {"encoder 1 on X6/5+X6/6", layout::kEnc0Mode, 7, {}, {}, {}, {}},
      {"encoder 2 on X2/2+X2/3",
       layout::kEnc1Mode,
       1,
       each({1, 2}, enc2),
       each({1},
            "You can not use those pins for encoder 1,\nbecause she already used to connect "
            "the encoder 2"),
       each({1, 2, 3, 4}, withNumber(kTouchEncoder, 2)),
       {}},
      {"encoder 2 on X2/4+X2/5",
       layout::kEnc1Mode,
       2,
       each({3, 4}, enc2),
       each({2},
            "You can not use those pins for encoder 1,\nbecause she already used to connect "
            "the encoder 2"),
       each({1, 2, 3, 4}, withNumber(kTouchEncoder, 2)),
       {}},
      {"encoder 2 on port 2",
       layout::kEnc1Mode,
       6,
       {},
       each({6},
            "You can not use those pins for encoder 1,\nbecause she already used to connect "
            "the encoder 2"),
       {},
       {{2, "Encoder 2"}}},
      {"GPS on port 1",
       layout::kGpsNum,
       1,
       each({6, 7}, kIrGps),
       each({5}, withNumber(kEncGps, 1)),
       {},
       {{1, "UART GPS"}}},
      {"GPS on port 2",
       layout::kGpsNum,
       2,
       each({8, 9}, kIrGps),
       each({6}, withNumber(kEncGps, 1)),
       {},
       {{2, "UART GPS"}}},
      {"head unit on port 1",
       layout::kHeadNum,
       1,
       each({6, 7}, kIrHead),
       each({5}, withNumber(kEncHead, 1)),
       {},
       {{1, "HEAD UNIT"}}},
      {"head unit on port 2",
       layout::kHeadNum,
       2,
       each({8, 9}, kIrHead),
       each({6}, withNumber(kEncHead, 1)),
       {},
       {{2, "HEAD UNIT"}}},
      {"CAP2RES on port 2", layout::kCap2ResNum, 2, {}, {}, {}, {{2, "CAP2RES"}}},
      {"Bluetooth on port 1", layout::kBtNum, 1, {}, {}, {}, {{1, "Bluetooth"}}},
      {"UART on port 2", layout::kUartNum, 2, {}, {}, {}, {{2, "UART"}}},
      {"GAZER on X4/2", layout::kGazerUartNum, 1, {}, {}, {}, {{1, "GAZER"}}},
      {"GAZER on X6/2", layout::kGazerUartNum, 2, {}, {}, {}, {{2, "GAZER"}}},
      {"CarDSP on port 1", layout::kCarDspNum, 1, {}, {}, {}, {{1, "CarDSP"}}},
      {"IR input on X4/2", layout::kIrInpNum, 6, {}, {}, {}, {{1, "IR input"}}},
      {"IR input on X4/3", layout::kIrInpNum, 7, {}, {}, {}, {}},  // an overlap, not a refusal
      {"IR input on X6/2", layout::kIrInpNum, 8, {}, {}, {}, {{2, "IR input"}}},
      {"IR input on X6/3", layout::kIrInpNum, 9, {}, {}, {}, {}},
      {"IR input on X2/2", layout::kIrInpNum, 1, {}, {}, each({1, 2, 3, 4}, kTouchIr), {}},
      {"IR input on X2/6", layout::kIrInpNum, 5, {}, {}, each({1, 2, 3, 4}, kTouchIr), {}},
      {"IR input on X6/5", layout::kIrInpNum, 10, {}, {}, {}, {}},
      {"head unit type without port", layout::kHeadType, 3, {}, {}, {}, {}},
      {"IEBUS touch", layout::kIebusTouch, 1, {}, {}, each({1, 2, 3, 4}, kTouchIebus), {}},
  };
  for (const ClaimRow& row : rows) {
    ConfigImage image;
    image.set(row.field, row.value);
    if (row.field != layout::kIrInpNum) {
      EXPECT_EQ(refusals(image, 19, irCheck), row.ir) << row.what;
    }
    if (row.field != layout::kEnc0Mode) {
      EXPECT_EQ(refusals(image, 8, encoderCheck<1>), row.encoder1) << row.what;
    }
    if (row.field != layout::kTouchMode) {
      EXPECT_EQ(refusals(image, 4, touchCheck), row.touch) << row.what;
    }
    Refusals port;
    for (const auto& [p, owner] : row.port) {
      port[p] =
          "You can not use those pins to connect EXT NAVI module\nbecause as they are "
          "already used to connect " +
          owner;
    }
    EXPECT_EQ(refusals(image, 2, portCheck), port) << row.what;
  }
}

TEST(PinChecks, TheHeadUnitBlocksTheTouchPanelOnlyWithAPortAndAType) {
  ConfigImage image;
  image.set(layout::kHeadNum, 2);
  image.set(layout::kHeadType, 1);
  EXPECT_EQ(refusals(image, 4, touchCheck), each({1, 2, 3, 4}, kTouchHead));
  image.set(layout::kHeadType, 0);
  EXPECT_EQ(refusals(image, 4, touchCheck), Refusals{});
}

TEST(Touch, RulesApplyInOrderAndTheirRussianTexts) {
  ConfigImage image;
  image.set(layout::pinMode(Pin::X24), 4);  // "Акт. выход, 0В"
  image.set(layout::kEnc0Mode, 1);
  EXPECT_EQ(setTouchMode(image, 1).notice->ru,
            "Вы не можете использовать тачпанель,\nтак как ее ножки подключения уже используются");
  image.set(layout::pinMode(Pin::X24), 0);
  image.set(layout::kEnc1Mode, 2);
  image.set(layout::kIrInpNum, 3);
  EXPECT_EQ(setTouchMode(image, 2).notice->en, withNumber(kTouchEncoder, 1));
  image.set(layout::kEnc0Mode, 0);
  EXPECT_EQ(setTouchMode(image, 2).notice->en, withNumber(kTouchEncoder, 2));
  image.set(layout::kEnc1Mode, 0);
  image.set(layout::kHeadNum, 1);
  image.set(layout::kHeadType, 3);
  image.set(layout::kIebusTouch, 1);
  EXPECT_EQ(setTouchMode(image, 2).notice->en, kTouchIr);
  image.set(layout::kIrInpNum, 0);
  EXPECT_EQ(setTouchMode(image, 2).notice->en, kTouchHead);
}

TEST(Touch, InterceptionSourcesAndTheMaskFollowTheMode) {
  ConfigImage image;
  image.set(layout::kTouchInterceptSrcMask, 0x05);
  EXPECT_TRUE(setTouchMode(image, 4).askInterceptMask);
  applyInterceptMask(image, 0x06);
  EXPECT_EQ(image.getU8(layout::kTouchMode), 4);
  EXPECT_EQ(image.getU8(layout::kTouchInterceptSrcMask), 0x06);
  applyInterceptMask(image, 0);
  EXPECT_EQ(image.getU8(layout::kTouchMode), 0);
  EXPECT_EQ(image.getU8(layout::kTouchInterceptSrcMask), 0);

  // Switching the panel off or to a plain mode forgets the interception sources.
  for (unsigned mode : {0u, 1u, 3u}) {
    image.set(layout::kTouchMode, 4);
    image.set(layout::kTouchInterceptSrcMask, 0x05);
    EXPECT_FALSE(setTouchMode(image, mode).notice);
    EXPECT_EQ(image.getU8(layout::kTouchMode), mode);
    EXPECT_EQ(image.getU8(layout::kTouchInterceptSrcMask), 0) << mode;
  }
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
