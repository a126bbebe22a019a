// Every reaction type's parameters, decoded from hex fixtures of whole entries.
#include <gtest/gtest.h>

#include "entry_hex.hpp"

namespace kivprism::events {
namespace {

using testing::bytes;
using testing::cbytes;
using testing::entryHex;

TEST(ReactionLayout, UsbKeyOnEachUsagePage) {
  namespace usb = reaction::usb_key;
  const auto keyboard = entryHex({{80, "01 07 11 04 05 F4010000"}});
  EXPECT_EQ(get(cbytes(keyboard), usb::kUsagePage), usb::kKeyboardPage);
  EXPECT_EQ(get(cbytes(keyboard), usb::kModifiers), 0x11);
  EXPECT_EQ(get(cbytes(keyboard), usb::kFirstKey), 4);
  EXPECT_EQ(get(cbytes(keyboard), usb::kSecondKey), 5);
  EXPECT_EQ(get(cbytes(keyboard), usb::kHoldMs), 500u);

  const auto consumer = entryHex({{80, "01 0C 00 E9 00"}});
  EXPECT_EQ(get(cbytes(consumer), usb::kConsumerUsage), 0x00E9);

  const auto system = entryHex({{80, "01 01 00 04"}});
  EXPECT_EQ(get(cbytes(system), usb::kUsagePage), usb::kGenericDesktopPage);
  EXPECT_EQ(get(cbytes(system), usb::kSystemControlMask), 0x04);
}

TEST(ReactionLayout, IrCodeKeepsTheReservedByte) {
  const auto e = entryHex({{80, "02 0A 10 3412 AA 03"}});
  EXPECT_EQ(get(cbytes(e), reaction::ir_code::kCode), (IrCode{10, 0x10, 0x1234}));
  EXPECT_EQ(get(cbytes(e), reaction::ir_code::kReserved), 0xAA);
  EXPECT_EQ(get(cbytes(e), reaction::ir_code::kOutput), 3);
}

TEST(ReactionLayout, PinAndControl) {
  const auto pin = entryHex({{80, "03 05 02 3075"}});
  EXPECT_EQ(get(cbytes(pin), reaction::pin::kPin), 5);
  EXPECT_EQ(get(cbytes(pin), reaction::pin::kMode), 2);
  EXPECT_EQ(get(cbytes(pin), reaction::pin::kMinTimeMs), 30000);

  namespace control = reaction::control;
  const auto analog = entryHex({{80, "04 F401 2C01 1027 02 01 04 00"}});
  EXPECT_EQ(get(cbytes(analog), control::channel(0).voltage), 500);
  EXPECT_EQ(get(cbytes(analog), control::channel(1).voltage), 300);
  EXPECT_EQ(get(cbytes(analog), control::kPeriodMs), 10000);
  EXPECT_EQ(get(cbytes(analog), control::channel(0).action), 2);
  EXPECT_EQ(get(cbytes(analog), control::channel(0).saveBeforeChange), 1);
  EXPECT_EQ(get(cbytes(analog), control::channel(1).action), 4);
  EXPECT_EQ(get(cbytes(analog), control::channel(1).saveBeforeChange), 0);
}

TEST(ReactionLayout, SourceTouchManageAmplifierMouse) {
  const auto source = entryHex({{80, "05 09 81 00"}});
  EXPECT_EQ(get(cbytes(source), reaction::source::kChoice), 9);
  EXPECT_EQ(get(cbytes(source), reaction::source::kSkipMask), 0x81);
  EXPECT_EQ(get(cbytes(source), reaction::source::kSaveBeforeChange), 0);

  const auto touch = entryHex({{80, "06 FF0F 0008 A00F"}});
  EXPECT_EQ(get(cbytes(touch), reaction::usb_touch::kX), 4095);
  EXPECT_EQ(get(cbytes(touch), reaction::usb_touch::kY), 2048);
  EXPECT_EQ(get(cbytes(touch), reaction::usb_touch::kDurationMs), 4000);

  const auto manage = entryHex({{80, "07 02 64"}});
  EXPECT_EQ(get(cbytes(manage), reaction::event_manage::kAction), 2);
  EXPECT_EQ(get(cbytes(manage), reaction::event_manage::kTarget), 100);

  const auto amplifier = entryHex({{80, "08 06 02"}});
  EXPECT_EQ(get(cbytes(amplifier), reaction::amplifier::kParameter), 6);
  EXPECT_EQ(get(cbytes(amplifier), reaction::amplifier::kPosition), 2);

  const auto mouse = entryHex({{80, "09 08"}});
  EXPECT_EQ(get(cbytes(mouse), reaction::usb_mouse::kAction), 8);
}

TEST(ReactionLayout, EncoderStepsAreSigned) {
  auto e = entryHex({{80, "0A 07 F6 1027"}});
  EXPECT_EQ(get(cbytes(e), reaction::encoder::kConnection), 7);
  EXPECT_EQ(get(cbytes(e), reaction::encoder::kSteps), -10);
  EXPECT_EQ(get(cbytes(e), reaction::encoder::kRepeatMs), 10000);
  set(bytes(e), reaction::encoder::kSteps, 10);
  EXPECT_EQ(e[82], 0x0A);
  set(bytes(e), reaction::encoder::kSteps, -1);
  EXPECT_EQ(e[82], 0xFF);
  EXPECT_EQ(e[83], 0x10);  // the neighbour stays
}

TEST(ReactionLayout, CommandLists) {
  struct Case {
    const char* hex;
    U8Field field;
    std::uint8_t expected;
  };
  const Case cases[] = {
      {"0B 29", reaction::iebus::kCommand, 41},
      {"0D 3D", reaction::ibus::kCommand, 61},
      {"10 02", reaction::acura_joy::kMode, 2},
      {"15 04", reaction::panacea::kMode, 4},
      {"17 02", reaction::renault_joy::kCommand, 2},
      {"1A 04", reaction::cruise_bmw_dme::kKey, 4},
      {"1B 0E", reaction::mercedes_ctrl::kCommand, 14},
  };
  for (const auto& c : cases) {
    const auto e = entryHex({{80, c.hex}});
    EXPECT_EQ(get(cbytes(e), c.field), c.expected) << c.hex;
  }
}

TEST(ReactionLayout, CommandsWithParameters) {
  const auto idrive = entryHex({{80, "0C 0E E803"}});
  EXPECT_EQ(get(cbytes(idrive), reaction::idrive::kCommand), 14);
  EXPECT_EQ(get(cbytes(idrive), reaction::idrive::kParameter), 1000);

  const auto cursor = entryHex({{80, "0F 0D FF 01"}});
  EXPECT_EQ(get(cbytes(cursor), reaction::cursor_move::kDirection), 13);
  EXPECT_EQ(get(cbytes(cursor), reaction::cursor_move::kPoints), 255);
  EXPECT_EQ(get(cbytes(cursor), reaction::cursor_move::kWithPress), 1);

  const auto lin = entryHex({{80, "12 34 01"}});
  EXPECT_EQ(get(cbytes(lin), reaction::lin::kCommand), 52);
  EXPECT_EQ(get(cbytes(lin), reaction::lin::kTrigger), 1);

  const auto audi = entryHex({{80, "13 01 64"}});
  EXPECT_EQ(get(cbytes(audi), reaction::audi_mmi::kMode), 1);
  EXPECT_EQ(get(cbytes(audi), reaction::audi_mmi::kParameter), 100);

  const auto dsp = entryHex({{80, "14 02 1F F401"}});
  EXPECT_EQ(get(cbytes(dsp), reaction::car_dsp::kMode), 2);
  EXPECT_EQ(get(cbytes(dsp), reaction::car_dsp::kParameter), 31);
  EXPECT_EQ(get(cbytes(dsp), reaction::car_dsp::kRepeatMs), 500);

  const auto emul = entryHex({{80, "16 00 FF 80"}});
  EXPECT_EQ(get(cbytes(emul), reaction::res_emul::kZero), 0);
  EXPECT_EQ(get(cbytes(emul), reaction::res_emul::kX), 255);
  EXPECT_EQ(get(cbytes(emul), reaction::res_emul::kY), 128);

  const auto ganet = entryHex({{80, "19 00 CDAB"}});
  EXPECT_EQ(get(cbytes(ganet), reaction::ganet::kMode), 0);
  EXPECT_EQ(get(cbytes(ganet), reaction::ganet::kCode), 0xABCD);

  const auto hwr = entryHex({{80, "1C 03 01"}});
  EXPECT_EQ(get(cbytes(hwr), reaction::hwr::kCommand), 3);
  EXPECT_EQ(get(cbytes(hwr), reaction::hwr::kTrigger), 1);

  const auto var = entryHex({{80, "1D 04 06 FF"}});
  EXPECT_EQ(get(cbytes(var), reaction::var::kVariable), 4);
  EXPECT_EQ(get(cbytes(var), reaction::var::kOperation), 6);
  EXPECT_EQ(get(cbytes(var), reaction::var::kOperand), 255);
}

TEST(ReactionLayout, SerialAndUartTextsEndAt139) {
  auto e = entryHex({{80, "0E"}, {140, "EE EE EE EE"}});
  set(bytes(e), reaction::serial::kText, std::string(70, 'z'));
  EXPECT_EQ(get(cbytes(e), reaction::serial::kText), std::string(59, 'z'));
  EXPECT_EQ(e[139], 'z');
  EXPECT_EQ(e[140], 0xEE);

  const auto uart = entryHex({{80, "11 41 54 0D"}});
  EXPECT_EQ(get(cbytes(uart), reaction::uart::kText), "AT\r");
}

TEST(ReactionLayout, SteeringCanUserPacketSlots) {
  const auto e = entryHex({{80, "18 00 00"},
                           {83, "0000E81F 03 010203 0000000000 | 00000000"},
                           {100, "78563412 08 1122334455667788 | 00000000"}});
  EXPECT_EQ(get(cbytes(e), reaction::sw_can::kType), reaction::sw_can::kUserPacketType);
  const CanMessage press = get(cbytes(e), reaction::sw_can::kPressMessage);
  EXPECT_EQ(press.id(), (CanId{0x7FA, false}));
  EXPECT_EQ(press.length, 3);
  EXPECT_EQ(std::vector<std::uint8_t>(press.payload().begin(), press.payload().end()),
            (std::vector<std::uint8_t>{1, 2, 3}));
  const CanMessage release = get(cbytes(e), reaction::sw_can::kReleaseMessage);
  EXPECT_EQ(release.id(), (CanId{0x12345678, true}));
  EXPECT_EQ(release.length, 8);
  EXPECT_EQ(release.data[7], 0x88);
}

TEST(ReactionLayout, SteeringCanDashboardDisplay) {
  namespace sw = reaction::sw_can;
  auto e = entryHex({{80, "18 00 0D"}, {83, "4C494E4531"}, {101, "D2 E5 F1 F2"}, {119, "60EA 02"}});
  EXPECT_EQ(get(cbytes(e), sw::kLine1), "LINE1");
  EXPECT_EQ(get(cbytes(e), sw::kLine2), "Тест");
  EXPECT_EQ(get(cbytes(e), sw::kDisplayMs), 60000);
  EXPECT_FALSE(get(cbytes(e), sw::kLine1Enabled));
  EXPECT_TRUE(get(cbytes(e), sw::kLine2Enabled));
  set(bytes(e), sw::kLine1Enabled, true);
  set(bytes(e), sw::kLine2Enabled, false);
  EXPECT_EQ(get(cbytes(e), sw::kDisplayFlags), 0x01);
  // An 18-character line fills its field exactly and leaves line 2 alone.
  set(bytes(e), sw::kLine1, "ABCDEFGHIJKLMNOPQR");
  EXPECT_EQ(get(cbytes(e), sw::kLine1), "ABCDEFGHIJKLMNOPQR");
  EXPECT_EQ(get(cbytes(e), sw::kLine2), "Тест");
}

TEST(ReactionLayout, PwmChannelSlots) {
  const auto e = entryHex({{80, "1E | 01 00 60EA | 02 00 0100 | 03 00 0200 | 00 00 0000 | 1027"}});
  namespace pwm = reaction::pwm;
  const std::uint8_t modes[] = {1, 2, 3, 0};
  const std::uint16_t values[] = {60000, 1, 2, 0};
  for (std::size_t i = 0; i < pwm::kChannelCount; ++i) {
    EXPECT_EQ(get(cbytes(e), pwm::channel(i).mode), modes[i]) << i;
    EXPECT_EQ(get(cbytes(e), pwm::channel(i).zero), 0) << i;
    EXPECT_EQ(get(cbytes(e), pwm::channel(i).value), values[i]) << i;
  }
  EXPECT_EQ(get(cbytes(e), pwm::kRepeatMs), 10000);
}

}  // namespace
}  // namespace kivprism::events
