// The texts the reaction pages build from an entry, the pin and encoder checks, and the readers of
// the auto-repeat and GaNet code texts.
#include <gtest/gtest.h>

#include "core/config/image_layout.hpp"
#include "core/editor/reaction_rules.hpp"
#include "editor_fixture.hpp"

namespace kivprism::editor {
namespace {

using config::ConfigImage;
using config::layout::Pin;
using lang::Language;
using testing::entryHex;
using testing::place;

events::ConstEntryBytes placed(ConfigImage& image, const events::EntryData& data) {
  place(image, 1, data);
  return events::entryAt(std::as_const(image), 1);
}

TEST(UsbKeyText, ModifiersKeysAndFallbacks) {
  ConfigImage image;
  // Modifier bits 0x11 and no keys: a left and a right modifier.
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 07 11"}}))), "lCtrl + rCtrl");
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 07 A2 04 27"}}))),
            "lShift + rShift + rWin + A + 0");
  // Usage 0x99 has no panel: the first key in decimal, the second in hex.
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 07 00 99 99"}}))),
            "KEY1:153 + KEY2:x99");
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 07 00 1E 65"}}))), "1 + Apps");
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 07 00 32 64"}}))),
            "KEY1:50 + KEY2:x64");
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 07 00 58 63"}}))), "Enter + .");
}

TEST(UsbKeyText, ConsumerAndSystemControlPages) {
  ConfigImage image;
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 0C 00 E9 00"}}))), "ConsumerPage:VOL+");
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 0C 00 24 02"}}))), "ConsumerPage:BACK");
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 0C 00 34 12"}}))),
            "ConsumerPage:x1234");
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 0C"}}))), "");
  // The lowest set bit names the key.
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 01 00 0C"}}))), "Wake Up");
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 01 00 80"}}))), "Menu Exit");
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 01 00 03"}}))), "Power Down");
  EXPECT_EQ(describeUsbKey(placed(image, entryHex({{80, "01 02 00 04"}}))), "");
}

TEST(UsbKeyText, MemoHasTwoBlankLinesThenTheKeysOrNotSpecified) {
  ConfigImage image;
  EXPECT_EQ(usbKeyMemo(placed(image, entryHex({{80, "01 07 00 04"}})), Language::English),
            "  \n  \nA");
  EXPECT_EQ(usbKeyMemo(placed(image, entryHex({{80, "01"}})), Language::Russian),
            "  \n  \nОтсутствует");
  EXPECT_EQ(usbKeyMemo(placed(image, entryHex({{80, "01"}})), Language::English),
            "  \n  \nNot specified");
}

TEST(ReactionIrText, KnownProtocolsShowNameAddressCommand) {
  EXPECT_EQ(reactionIrCodeText({1, 86, 4660}, Language::English), "NEC 4660/86");
  EXPECT_EQ(reactionIrCodeText({15, 1, 2}, Language::English), "IR_ALPINE 2/1");
  EXPECT_EQ(reactionIrCodeText({12, 0, 0}, Language::English), "JVC_TYPE2 0/0");
  for (unsigned p : {0u, 4u, 8u, 11u, 16u, 255u}) {
    EXPECT_EQ(reactionIrCodeText({static_cast<std::uint8_t>(p), 1, 1}, Language::Russian),
              "Получить код")
        << p;
  }
  EXPECT_EQ(reactionIrCodeText({}, Language::English), "Get the code");
}

TEST(AnalogReaction, VoltsAndTheKeyReassignOverride) {
  EXPECT_EQ(voltsText(0), "0.00");
  EXPECT_EQ(voltsText(5), "0.05");
  EXPECT_EQ(voltsText(10), "0.10");
  EXPECT_EQ(voltsText(99), "0.99");
  EXPECT_EQ(voltsText(475), "4.75");
  EXPECT_EQ(voltsText(500), "5.00");
  ConfigImage image;
  // Both channels set (action 0), own time 300: the global time wins when it is set.
  const auto e = placed(image, entryHex({{80, "04 00 00 00 00 2C 01"}}));
  EXPECT_EQ(analogTime(e, 700), (AnalogTime{700, false}));
  EXPECT_EQ(analogTime(e, 0), (AnalogTime{300, true}));
  const auto noOwn = placed(image, entryHex({{80, "04"}}));
  EXPECT_EQ(analogTime(noOwn, 700), (AnalogTime{0, true}));
  // A stepping channel keeps the entry's own time.
  const auto up = placed(image, entryHex({{80, "04 00 00 00 00 2C 01 02"}}));
  EXPECT_EQ(analogTime(up, 700), (AnalogTime{300, true}));
  const auto down = placed(image, entryHex({{80, "04 00 00 00 00 2C 01 01 00 03"}}));
  EXPECT_EQ(analogTime(down, 700), (AnalogTime{300, true}));
  const auto other = placed(image, entryHex({{80, "04 00 00 00 00 2C 01 04 00 01"}}));
  EXPECT_EQ(analogTime(other, 700), (AnalogTime{700, false}));
}

TEST(SourceReaction, SkipButtonCaption) {
  EXPECT_EQ(skipButtonCaption(0, Language::Russian), "Пропустить:  нет");
  EXPECT_EQ(skipButtonCaption(0, Language::English), "Skip:  no");
  EXPECT_EQ(skipButtonCaption(0x05, Language::English), "Skip:  1 3");
  EXPECT_EQ(skipButtonCaption(0x80, Language::English), "Skip:  8");
  EXPECT_EQ(skipButtonCaption(0xFF, Language::Russian), "Пропустить:  1 2 3 4 5 6 7 8");
}

TEST(ReactionLabels, IDriveAndAudiMmiParameters) {
  EXPECT_EQ(iDriveParameterLabel(0)->en, "Backlight code (0-default)");
  EXPECT_EQ(iDriveParameterLabel(1)->ru, "Код подсветки (0-по умолчанию)");
  EXPECT_EQ(iDriveParameterLabel(14)->en, "Interval, mSec");
  EXPECT_FALSE(iDriveParameterLabel(2));
  EXPECT_FALSE(iDriveParameterLabel(13));
  EXPECT_FALSE(audiMmiParameterLabel(0));
  EXPECT_EQ(audiMmiParameterLabel(1)->en, "0...100%");
  EXPECT_EQ(audiMmiParameterLabel(2)->en, "Led 0/1=off/on");
  EXPECT_EQ(audiMmiParameterLabel(17)->ru, "Светодиод 0/1=выкл./вкл.");
}

TEST(SerialReaction, TargetAndMemoLine) {
  ConfigImage image;
  EXPECT_EQ(serialTarget(image).en, "To USB");
  image.set(config::layout::kBtNum, 2);
  EXPECT_EQ(serialTarget(image).ru, "По блютус");
  place(image, 7, entryHex({{80, "0E 41 54"}}));
  EXPECT_EQ(serialMemoLine(events::entryAt(std::as_const(image), 7), 7, Language::English),
            "on press <press:AT>");
  place(image, 7, entryHex({{80, "0E"}}));
  EXPECT_EQ(serialMemoLine(events::entryAt(std::as_const(image), 7), 7, Language::Russian),
            "при нажатии <press:event007>");
}

TEST(SteeringCanReaction, MessageText) {
  events::CanMessage m;
  EXPECT_EQ(canMessageText(m, Language::Russian), "Не установлено");
  EXPECT_EQ(canMessageText(m, Language::English), "Not set");
  m.idWord = events::encodeIdWord(0x2C1);
  m.length = 3;
  m.data = {0x01, 0xA0, 0xFF};
  EXPECT_EQ(canMessageText(m, Language::English), "Id:2C1 (01 A0 FF)");
  m.idWord = events::encodeIdWord(0x18DAF110);
  m.length = 1;
  EXPECT_EQ(canMessageText(m, Language::English), "Id:18DAF110 (01)");
}

TEST(ReactionLookups, VarOperationsAndCommandPositions) {
  EXPECT_EQ(varOperationText(0), "?");
  EXPECT_EQ(varOperationText(1), "SET");
  EXPECT_EQ(varOperationText(6), "XOR");
  EXPECT_EQ(varOperationText(7), "?");
  EXPECT_EQ(swCanCommandPosition(3, 16), 5u);
  EXPECT_EQ(swCanCommandPosition(3, 3), 0u);
  EXPECT_FALSE(swCanCommandPosition(3, 21));
  EXPECT_FALSE(swCanCommandPosition(13, 0));
  const std::vector<std::string_view> items = {"KEY VOL UP", "KEY OK"};
  EXPECT_EQ(linCommandPosition(items, 29), 1u);
  EXPECT_EQ(linCommandPosition(items, 11), 0u);
  EXPECT_FALSE(linCommandPosition(items, 0));
  EXPECT_FALSE(linCommandPosition(items, 53));
}

TEST(PinCheck, OutputsThatArePinsMustBeSetUp) {
  EXPECT_FALSE(irOutputPin(0));
  EXPECT_EQ(irOutputPin(1), Pin::X22);
  EXPECT_EQ(irOutputPin(7), Pin::X43);
  EXPECT_FALSE(irOutputPin(8));
  EXPECT_FALSE(irOutputPin(9));
  EXPECT_EQ(irOutputPin(10), Pin::X62);
  EXPECT_EQ(irOutputPin(15), Pin::IO6);
  EXPECT_FALSE(irOutputPin(16));

  for (unsigned i : {0u, 1u, 9u, 10u, 11u, 16u, 17u, 18u, 19u, 20u}) {
    EXPECT_FALSE(reactionPinPin(i)) << i;
  }
  EXPECT_EQ(reactionPinPin(2), Pin::X22);
  EXPECT_EQ(reactionPinPin(8), Pin::X43);
  EXPECT_EQ(reactionPinPin(12), Pin::X62);
  EXPECT_EQ(reactionPinPin(15), Pin::X66);

  ConfigImage image;
  EXPECT_TRUE(pinReady(image, std::nullopt));
  EXPECT_FALSE(pinReady(image, Pin::X22));
  image.set(config::layout::pinMode(Pin::X22), 3);
  EXPECT_TRUE(pinReady(image, Pin::X22));
  EXPECT_FALSE(pinReady(image, Pin::X23));
}

TEST(EncoderCheck, TouchGpsAndHeadUnitHoldThePins) {
  namespace layout = config::layout;
  ConfigImage image;
  for (unsigned c = 0; c <= 7; ++c) {
    EXPECT_FALSE(encoderConnectionRefusal(image, c)) << c;
  }
  for (unsigned touch : {1u, 2u, 3u}) {
    image.set(layout::kTouchMode, static_cast<std::uint8_t>(touch));
    EXPECT_TRUE(encoderConnectionRefusal(image, 1));
    ASSERT_TRUE(encoderConnectionRefusal(image, 2));
    EXPECT_EQ(encoderConnectionRefusal(image, 2)->en,
              "You can not use those pins for encoder emulation\nbecause as they are already "
              "used for touchpanel");
    EXPECT_FALSE(encoderConnectionRefusal(image, 3));
  }
  image.set(layout::kTouchMode, 4);
  EXPECT_FALSE(encoderConnectionRefusal(image, 1));

  image.set(layout::kGpsNum, 1);
  EXPECT_EQ(encoderConnectionRefusal(image, 3)->ru,
            "Вы не можете использовать эти ножки для эмуляции энкодера,\nтак как они уже "
            "используются для подключения GPS UART модуля");
  EXPECT_FALSE(encoderConnectionRefusal(image, 5));
  image.set(layout::kGpsNum, 2);
  EXPECT_FALSE(encoderConnectionRefusal(image, 3));
  EXPECT_TRUE(encoderConnectionRefusal(image, 5));
  image.set(layout::kGpsNum, 0);

  image.set(layout::kHeadNum, 2);
  EXPECT_EQ(encoderConnectionRefusal(image, 5)->en,
            "You can not use those pins for encoder emulation,\nbecause she already used to "
            "connect the HEAD UNIT");
  EXPECT_FALSE(encoderConnectionRefusal(image, 3));
  image.set(layout::kHeadNum, 1);
  EXPECT_TRUE(encoderConnectionRefusal(image, 3));
  EXPECT_FALSE(encoderConnectionRefusal(image, 4));
}

TEST(TypedTexts, RepeatReadsLeadingDigits) {
  EXPECT_EQ(repeatFromText(""), 0);
  EXPECT_EQ(repeatFromText("abc"), 0);
  EXPECT_EQ(repeatFromText("250"), 250);
  EXPECT_EQ(repeatFromText("250ms"), 250);
  EXPECT_EQ(repeatFromText("10000"), 10000);
  EXPECT_EQ(repeatFromText("10001"), 500);
  EXPECT_EQ(repeatFromText("99999999999999"), 500);
}

TEST(TypedTexts, GanetCodeNeedsExactlyTwoHexBytes) {
  EXPECT_EQ(ganetCodeFromText("12 34"), 0x1234);
  EXPECT_EQ(ganetCodeFromText("1234"), 0x1234);
  EXPECT_EQ(ganetCodeFromText("a 0F"), 0x0A0F);
  EXPECT_EQ(ganetCodeFromText("ab,cd"), 0xABCD);
  EXPECT_FALSE(ganetCodeFromText(""));
  EXPECT_FALSE(ganetCodeFromText("12"));
  EXPECT_FALSE(ganetCodeFromText("12 34 56"));
  EXPECT_FALSE(ganetCodeFromText("123"));
  EXPECT_FALSE(ganetCodeFromText("12 345"));
  EXPECT_FALSE(ganetCodeFromText("1G 34"));
  EXPECT_FALSE(ganetCodeFromText("12 3G"));
  EXPECT_FALSE(ganetCodeFromText("G 12"));
  EXPECT_EQ(ganetCodeFromText(" 1 2 "), 0x0102);
  EXPECT_EQ(ganetCodeFromText("0 12"), 0x0012);
  EXPECT_EQ(ganetCodeFromText("F,"), std::nullopt);
}

}  // namespace
}  // namespace kivprism::editor
