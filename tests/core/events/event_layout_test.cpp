// Every event type's parameters, decoded from hex fixtures of whole entries.
#include <gtest/gtest.h>

#include "core/events/entry_types.hpp"
#include "entry_hex.hpp"

namespace kivprism::events {
namespace {

using testing::cbytes;
using testing::entryHex;

TEST(EventLayout, CommonFieldsOfTheEventPart) {
  const auto e = entryHex({{0, "4D 55 54 45"}, {16, "01 05"}, {77, "02 01 01"}});
  EXPECT_EQ(entryName(cbytes(e)), "MUTE");
  EXPECT_EQ(get(cbytes(e), entry::kEventType), 1);
  EXPECT_EQ(get(cbytes(e), entry::kSourceMask), 0x05);
  EXPECT_EQ(get(cbytes(e), entry::kPressKind), 2);
  EXPECT_EQ(get(cbytes(e), entry::kOnceFlag), 1);
  EXPECT_EQ(get(cbytes(e), entry::kWakeUpFlag), 1);
  EXPECT_EQ(get(cbytes(e), entry::kReactionType), 0);
}

TEST(EventLayout, KeyReferences) {
  const auto e = entryHex({{16, "01 00 05 02 03 01"}});
  namespace key = event::key;
  EXPECT_EQ(get(cbytes(e), key::kNumber), 5);
  EXPECT_EQ(get(cbytes(e), key::kChannel), 2);
  EXPECT_EQ(get(cbytes(e), key::kModifierNumber), 3);
  EXPECT_EQ(get(cbytes(e), key::kModifierChannel), 1);
}

TEST(EventLayout, IrCodeRecord) {
  const auto e = entryHex({{16, "02 00 01 2A 3412 00"}});
  EXPECT_EQ(get(cbytes(e), event::ir_code::kCode), (IrCode{1, 0x2A, 0x1234}));
  EXPECT_EQ(get(cbytes(e), event::ir_code::kZero), 0);
}

TEST(EventLayout, TimeoutVoltageAndPinsTimes) {
  const auto timeout = entryHex({{16, "04 00 07 00CA9A3B"}});
  EXPECT_EQ(get(cbytes(timeout), event::timeout::kStartPoint), 7);
  EXPECT_EQ(get(cbytes(timeout), event::timeout::kDelayMs), 1000000000u);

  const auto voltage = entryHex({{16, "07 00 02 01 5046 E8030000"}});
  EXPECT_EQ(get(cbytes(voltage), event::voltage::kInput), 2);
  EXPECT_EQ(get(cbytes(voltage), event::voltage::kGreaterThan), 1);
  EXPECT_EQ(get(cbytes(voltage), event::voltage::kThreshold), 18000);
  EXPECT_EQ(get(cbytes(voltage), event::voltage::kHoldMs), 1000u);

  const auto pins = entryHex({{16, "10 00 0C 01 88130000"}});
  EXPECT_EQ(get(cbytes(pins), event::pins::kPin), 12);
  EXPECT_EQ(get(cbytes(pins), event::pins::kLevel), 1);
  EXPECT_EQ(get(cbytes(pins), event::pins::kHoldMs), 5000u);
}

TEST(EventLayout, ListPositionsShareOffset18) {
  struct Case {
    const char* hex;
    U8Field field;
    std::uint8_t expected;
  };
  const Case cases[] = {
      {"05 00 40", event::bmw_ibus::kPosition, 64},
      {"06 00 01", event::intercept::kOnDeactivation, 1},
      {"08 00 01", event::usb::kOnDeactivation, 1},
      {"09 00 6E", event::iebus::kPosition, 110},
      {"0A 00 01", event::navi::kOnMuteDeactivation, 1},
      {"0C 00 1A", event::idrive::kPosition, 26},
      {"0D 00 44", event::ganet::kPosition, 68},
      {"0E 00 0B", event::mercedes_joy::kPosition, 11},
      {"11 00 19", event::acura_joy::kPosition, 25},
      {"12 00 5B", event::lin::kPosition, 91},
      {"13 00 01", event::bluetooth::kOnDeactivation, 1},
      {"15 00 46", event::audi_mmi::kPosition, 70},
      {"16 00 10", event::renault_joy::kPosition, 16},
      {"17 00 0A", event::sw_can::kPosition, 10},
      {"18 00 20", event::mercedes_ctrl::kPosition, 32},
      {"1A 00 16", event::panel_honda::kPosition, 22},
  };
  for (const auto& c : cases) {
    const auto e = entryHex({{16, c.hex}});
    EXPECT_EQ(get(cbytes(e), c.field), c.expected) << c.hex;
    // The stored position is the last usable one of the type's list.
    const auto type = static_cast<EventType>(eventTypeCode(cbytes(e)));
    if (eventListSize(type) != 0) {
      EXPECT_EQ(eventListSize(type), c.expected + 1u) << c.hex;
    }
  }
}

TEST(EventLayout, Gestures) {
  const auto e = entryHex({{16, "0B 00 08 0D"}});
  EXPECT_EQ(get(cbytes(e), event::gestures::kStartArea), 8);
  EXPECT_EQ(get(cbytes(e), event::gestures::kEnd), 13);
}

TEST(EventLayout, SerialTextFillsAll59BytesWithoutTouchingThePressKind) {
  const std::string full(59, 'A');
  auto e = entryHex({{16, "0F 00"}, {77, "03"}});
  set(testing::bytes(e), event::serial::kText, full + "overflow");
  EXPECT_EQ(get(cbytes(e), event::serial::kText), full);
  EXPECT_EQ(get(cbytes(e), entry::kPressKind), 3);

  const auto uart = entryHex({{16, "14 00 CF F0 E8 E2 E5 F2"}});
  EXPECT_EQ(get(cbytes(uart), event::uart::kText), "Привет");
}

TEST(EventLayout, SteeringCanFilterRecord) {
  // Own filter: standard identifier 0x7FA, two compared bytes.
  const auto e = entryHex({{16, "17 00 00 | 0000E81F 02 FF0F000000000000 1234000000000000"}});
  EXPECT_EQ(get(cbytes(e), event::sw_can::kPosition), 0);
  const CanFilter filter = get(cbytes(e), event::sw_can::kFilter);
  EXPECT_EQ(filter.id(), (CanId{0x7FA, false}));
  EXPECT_EQ(filter.count, 2);
  EXPECT_EQ(std::vector<std::uint8_t>(filter.usedMask().begin(), filter.usedMask().end()),
            (std::vector<std::uint8_t>{0xFF, 0x0F}));
  EXPECT_EQ(std::vector<std::uint8_t>(filter.usedData().begin(), filter.usedData().end()),
            (std::vector<std::uint8_t>{0x12, 0x34}));
}

TEST(EventLayout, Variable) {
  const auto e = entryHex({{16, "19 00 02 01 0F 04 80 D0070000"}});
  namespace var = event::var;
  EXPECT_EQ(get(cbytes(e), var::kVariable), 2);
  EXPECT_EQ(get(cbytes(e), var::kLogicOperation), 1);
  EXPECT_EQ(get(cbytes(e), var::kOperand), 0x0F);
  EXPECT_EQ(get(cbytes(e), var::kComparison), 4);
  EXPECT_EQ(get(cbytes(e), var::kValue), 0x80);
  EXPECT_EQ(get(cbytes(e), var::kHoldMs), 2000u);
}

TEST(EventLayout, WritingAFieldTouchesOnlyItsBytes) {
  auto e = entryHex({{16, "07 00 02 01 5046 E8030000"}});
  const auto before = e;
  set(testing::bytes(e), event::voltage::kThreshold, 0x0102);
  for (std::size_t i = 0; i < e.size(); ++i) {
    if (i == 20 || i == 21) {
      continue;
    }
    EXPECT_EQ(e[i], before[i]) << "offset " << i;
  }
  EXPECT_EQ(e[20], 0x02);
  EXPECT_EQ(e[21], 0x01);
}

}  // namespace
}  // namespace kivprism::events
