#include "core/config/image.hpp"

#include <gtest/gtest.h>

#include <string_view>

namespace kivprism::config {
namespace {

namespace L = layout;

TEST(ImageLayout, RegionsAndBoundaryFieldsSitWhereTheControllerExpectsThem) {
  EXPECT_EQ(L::entry(99).end() - 1, 14408u);
  EXPECT_EQ(L::kParamBlock.offset, 14409u);
  EXPECT_EQ(L::kParamBlock.end() - 1, 15217u);
  EXPECT_EQ(L::sourceName(8).offset, 14409u + 716);
  EXPECT_EQ(L::sourceName(8).end(), L::kLinSpeedType.offset);
  EXPECT_EQ(L::kVolvoAlpsUart1.offset, L::kInterfaceBlock.offset + 3);
  EXPECT_EQ(L::keyEntry(3, 14).offset, 14409u + 10 + 135 * 3 + 9 * 14);
  EXPECT_EQ(L::keyEntry(3, 14).end(), L::kAnaVout1.offset);
  EXPECT_EQ(L::pwmValue(3).offset, 14409u + 807);
}

TEST(ConfigImage, IntegersAreLittleEndianAndKeepOnlyTheirWidth) {
  ConfigImage image;
  image.set(L::kIebusModeBits, 0x12345678u);
  const auto bytes = image.span(L::kIebusModeBits);
  EXPECT_EQ(bytes[0], 0x78);
  EXPECT_EQ(bytes[3], 0x12);
  image.set(L::kHwrMaxTo, 0x10203u);  // only the low 16 bits fit
  EXPECT_EQ(image.get(L::kHwrMaxTo), 0x0203u);
  EXPECT_EQ(image.get(L::kKeyReassignTo), 0u) << "neighbour untouched";
  image.set(L::kTouchMode, 300);
  EXPECT_EQ(image.get(L::kTouchMode), 44u);
}

TEST(ConfigImage, BitFieldsOfTheLinByteKeepEachOther) {
  ConfigImage image;
  image.setBits(L::kLinVersion, 1);
  image.setBits(L::kLinTempRelayPin, 31);
  image.setBits(L::kLinSwapVolDnOk, 1);
  EXPECT_EQ(image.get(L::kLinFlags), 0x7Fu);
  image.setBits(L::kLinTempRelayPin, 0x25);  // only the low five bits are stored
  EXPECT_EQ(image.getBits(L::kLinTempRelayPin), 5u);
  EXPECT_EQ(image.getBits(L::kLinVersion), 1u);
  EXPECT_EQ(image.getBits(L::kLinSwapVolDnOk), 1u);
}

TEST(ChangeHash, IsCrc32Mpeg2) {
  constexpr std::string_view check = "123456789";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(check.data());
  EXPECT_EQ(crc32Mpeg2(std::span(bytes, check.size())), 0x0376E6E7u);
  EXPECT_EQ(crc32Mpeg2({}), 0xFFFFFFFFu);
  ConfigImage a;
  ConfigImage b;
  b.set(L::kPwmPeriod, 1);
  EXPECT_NE(changeHash(a), changeHash(b));
}

TEST(AfterWholeRead, FailedReadClearsOnlyTheParameterBlock) {
  ConfigImage image;
  image.entry(5)[0] = 7;
  image.span(L::kTouchBlock)[0] = 9;
  image.set(L::kLongPressTime, 700);
  image.set(L::kPwmPeriod, 500);
  applyAfterWholeRead(image, false);
  EXPECT_EQ(image.entry(5)[0], 7);
  EXPECT_EQ(image.span(L::kTouchBlock)[0], 9);
  EXPECT_EQ(image.get(L::kPwmPeriod), 0u);
  // Cleared long-press time means a fresh controller: defaults follow.
  EXPECT_EQ(image.get(L::kLongPressTime), 1000u);
  for (std::size_t c = 0; c < 4; ++c) {
    EXPECT_EQ(image.get(L::keyReferenceLevel(c)), 4095u);
  }
}

TEST(AfterWholeRead, ZeroLongPressGetsDefaultsAndOtherValuesStay) {
  ConfigImage fresh;
  applyAfterWholeRead(fresh, true);
  EXPECT_EQ(fresh.get(L::kLongPressTime), 1000u);
  EXPECT_EQ(fresh.get(L::keyReferenceLevel(3)), 4095u);

  ConfigImage set;
  set.set(L::kLongPressTime, 1);
  set.set(L::keyReferenceLevel(0), 2000);
  applyAfterWholeRead(set, true);
  EXPECT_EQ(set.get(L::kLongPressTime), 1u);
  EXPECT_EQ(set.get(L::keyReferenceLevel(0)), 2000u);
  EXPECT_EQ(set.get(L::keyReferenceLevel(1)), 0u);
}

TEST(KeyLookup, FirstNonEmptyKeyCloserThan64Wins) {
  ConfigImage image;
  image.set(L::keyLevel(1, 2), 1000);
  image.set(L::keyLevel(1, 4), 1030);
  image.set(L::keyLevel(1, 6), 3000);
  EXPECT_EQ(findKeyByLevel(image, 1, 1040), 3u) << "entry 3 is within 63 and comes first";
  EXPECT_EQ(findKeyByLevel(image, 1, 1093), 5u);
  EXPECT_EQ(findKeyByLevel(image, 1, 1094), 0u) << "a distance of 64 is another key";
  EXPECT_EQ(findKeyByLevel(image, 1, 937), 3u);
  EXPECT_EQ(findKeyByLevel(image, 1, 936), 0u);
  EXPECT_EQ(findKeyByLevel(image, 1, 20), 0u) << "empty slots (level 0) never match";
  EXPECT_EQ(findKeyByLevel(image, 0, 1000), 0u) << "other channels are separate";
}

}  // namespace
}  // namespace kivprism::config
