#include "core/monitor/can_decoders.hpp"

#include <gtest/gtest.h>

#include "core/events/ir_protocols.hpp"

namespace kivprism::monitor {
namespace {

std::string decoded(std::uint16_t address, std::uint8_t command) {
  return decodeCanKey({events::kIrProtocolCanAuto, command, address}).value_or("<none>");
}

TEST(CanDecoders, NamesCommandsOfEachModel) {
  EXPECT_EQ(decoded(3, 125), "VOLVO Next (3/125)");
  EXPECT_EQ(decoded(9, 102), "SAAB 9 3 KEY OFF (9/102)");
  EXPECT_EQ(decoded(6, 17), "VW GOLF7 System  (6/17)");
  EXPECT_EQ(decoded(8, 104), "Cadillac Escalade MIRROW CLOSE (8/104)");
  EXPECT_EQ(decoded(24, 6), "Porshe Cayenne VOl+ (24/6)");
  EXPECT_EQ(decoded(5, 9), "DODGE RAM TIER PRESSURE (5/9)");
  EXPECT_EQ(decoded(25, 12), "Renault ARROW DN LONG (25/12)");
  EXPECT_EQ(decoded(0, 38), "OPEL_ASTRA Key AM/FM,CD/MP3,MAIN (0/38)");
}

TEST(CanDecoders, SlashJoinedCodesShareOneName) {
  EXPECT_EQ(decoded(1, 1), "Mercedes CLK350 Next (1/1)");
  EXPECT_EQ(decoded(1, 4), "Mercedes CLK350 Next (1/4)");
  EXPECT_EQ(decoded(1, 2), "Mercedes CLK350 Prev (1/2)");
  EXPECT_EQ(decoded(1, 8), "Mercedes CLK350 Prev (1/8)");
  EXPECT_EQ(decoded(1, 3), "Mercedes CLK350 ? (1/3)");
}

TEST(CanDecoders, BitCodesOfChryslerAreNotCombined) {
  EXPECT_EQ(decoded(11, 32), "Crysler 300C VOL+ (11/32)");
  EXPECT_EQ(decoded(11, 3), "Crysler 300C ? (11/3)");
}

TEST(CanDecoders, OpelDigitsCoverExactlyZeroToNine) {
  EXPECT_EQ(decoded(0, 48), "OPEL_ASTRA Digit 0 (0/48)");
  EXPECT_EQ(decoded(0, 50), "OPEL_ASTRA Digit 2 (0/50)");
  EXPECT_EQ(decoded(0, 57), "OPEL_ASTRA Digit 9 (0/57)");
  EXPECT_EQ(decoded(0, 47), "OPEL_ASTRA ? (0/47)");
  EXPECT_EQ(decoded(0, 58), "OPEL_ASTRA ? (0/58)");
  EXPECT_EQ(decoded(0, 153), "OPEL_ASTRA ? (0/153)");
  // Other models have no digits.
  EXPECT_EQ(decoded(2, 50), "VW_MKV_GTI ? (2/50)");
}

TEST(CanDecoders, BusModelsShowOnlyTheNumbers) {
  EXPECT_EQ(decoded(17, 9), "BPR  (17/9)");
  EXPECT_EQ(decoded(22, 1), "Nissan Murano  (22/1)");
  EXPECT_EQ(decoded(23, 255), "IEBus  (23/255)");
}

TEST(CanDecoders, AddressesAboveTwentyFiveAreNotRecognised) {
  EXPECT_EQ(decoded(25, 0), "Renault ? (25/0)");
  EXPECT_FALSE(decodeCanKey({events::kIrProtocolCanAuto, 1, 26}));
  EXPECT_FALSE(decodeCanKey({events::kIrProtocolCanAuto, 1, 65535}));
}

TEST(CanDecoders, ProtocolByteIsNotExamined) {
  EXPECT_EQ(decodeCanKey({0, 125, 3}).value_or(""), "VOLVO Next (3/125)");
}

TEST(CanDecoders, EveryModelHasItsPrefix) {
  const char* prefixes[kCanModelCount] = {"OPEL_ASTRA ",
                                          "Mercedes CLK350 ",
                                          "VW_MKV_GTI ",
                                          "VOLVO ",
                                          "AUDI ",
                                          "DODGE RAM ",
                                          "VW GOLF7 ",
                                          "CITROEN_C5 ",
                                          "Cadillac Escalade ",
                                          "SAAB 9 3 ",
                                          "BMW E81 ",
                                          "Crysler 300C ",
                                          "Mercedes W212 ",
                                          "Skoda Superb/ETI ",
                                          "Hyundai Genesis ",
                                          "Lexus NX200T ",
                                          "Mazda6 ",
                                          "BPR ",
                                          "Acura MDX 2014 ",
                                          "Mercedes W208 ",
                                          "AUDI Q7 M4 ",
                                          "PEUGEOT Traveller ",
                                          "Nissan Murano ",
                                          "IEBus ",
                                          "Porshe Cayenne ",
                                          "Renault "};
  for (std::uint16_t address = 0; address < kCanModelCount; ++address) {
    EXPECT_EQ(canModelPrefix(address), prefixes[address]) << address;
    EXPECT_TRUE(decoded(address, 0).starts_with(prefixes[address])) << address;
  }
  EXPECT_EQ(canModelPrefix(26), "");
}

TEST(CanDecoders, LastNamesOfLongTables) {
  EXPECT_EQ(decoded(20, 26), "AUDI Q7 M4 2FINGER LEFT (20/26)");
  EXPECT_EQ(decoded(7, 26), "CITROEN_C5 LIGHT OFF (7/26)");
  EXPECT_EQ(decoded(6, 31), "VW GOLF7 SW DN (6/31)");
  EXPECT_EQ(decoded(6, 32), "VW GOLF7 ? (6/32)");
  EXPECT_EQ(decoded(4, 109), "AUDI Gear S (4/109)");
  EXPECT_EQ(decoded(3, 192), "VOLVO Zero (3/192)");
}

}  // namespace
}  // namespace kivprism::monitor
