// The keys table's arithmetic: slots, tolerances, reference levels, labels and the learning
// phases.
#include "core/keys/key_rules.hpp"

#include <gtest/gtest.h>

namespace kivprism::keys {
namespace {

namespace layout = config::layout;
using config::ConfigImage;

void setLevel(ConfigImage& image, std::size_t channel, std::size_t key, std::uint16_t level) {
  image.set(layout::keyLevel(channel, key - 1), level);
}

TEST(KeySlots, ReadingsWithinTheKeyDistanceLandInOneSlot) {
  ConfigImage image;
  EXPECT_EQ(assignKeyLevel(image, 1, 1000), 1u);
  // 63 apart: the same key, whose level becomes the new reading.
  EXPECT_EQ(assignKeyLevel(image, 1, 1063), 1u);
  EXPECT_EQ(keyLevelAt(image, 1, 1), 1063);
  EXPECT_EQ(assignKeyLevel(image, 1, 1000), 1u);
  // 64 apart: a second key, above and below.
  EXPECT_EQ(assignKeyLevel(image, 1, 1064), 2u);
  EXPECT_EQ(assignKeyLevel(image, 1, 936), 3u);
  EXPECT_EQ(keyLevelAt(image, 1, 3), 936);
  // Other channels are untouched.
  for (std::size_t c : {0u, 2u, 3u}) {
    EXPECT_FALSE(channelHasData(image, c));
  }
}

TEST(KeySlots, FirstMatchingSlotInOrderThenFirstEmptySlot) {
  ConfigImage image;
  setLevel(image, 0, 2, 2000);
  setLevel(image, 0, 5, 2050);
  // Both are within reach: slot 2 comes first.
  EXPECT_EQ(assignKeyLevel(image, 0, 2030), 2u);
  EXPECT_EQ(keyLevelAt(image, 0, 5), 2050);
  // A new key takes the first gap.
  EXPECT_EQ(assignKeyLevel(image, 0, 500), 1u);
  EXPECT_EQ(assignKeyLevel(image, 0, 3000), 3u);
}

TEST(KeySlots, SixteenthKeyOfAChannelIsIgnored) {
  ConfigImage image;
  for (std::size_t k = 1; k <= kKeysPerChannel; ++k) {
    ASSERT_EQ(assignKeyLevel(image, 3, static_cast<std::uint16_t>(100 * k)), k);
  }
  const ConfigImage before = image;
  EXPECT_EQ(assignKeyLevel(image, 3, 3900), 0u);
  EXPECT_EQ(image, before);
  // A known key is still found.
  EXPECT_EQ(assignKeyLevel(image, 3, 1510), 15u);
}

TEST(KeyResults, TwoCloseKeysShareTheDistanceBetweenThem) {
  ConfigImage image;
  setLevel(image, 0, 1, 1000);
  setLevel(image, 0, 2, 1100);
  applyLearningResults(image, {4032, 4095 + 32, 4095 + 32, 4095 + 32});
  EXPECT_EQ(keyToleranceAt(image, 0, 1), 50);
  EXPECT_EQ(keyToleranceAt(image, 0, 2), 50);
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(0)), 2500);
}

TEST(KeyResults, SingleKeyGetsHalfItsDistanceToTheQuietLevel) {
  ConfigImage image;
  setLevel(image, 2, 7, 2000);
  applyLearningResults(image, {32, 32, 4032, 32});
  EXPECT_EQ(keyToleranceAt(image, 2, 7), 1000);
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(2)), 3000);
}

TEST(KeyResults, ChannelsWithoutKeysGetFullScaleAndLongPressStays) {
  ConfigImage image;
  image.set(layout::param(0, 2), 1500);
  image.set(layout::keyReferenceLevel(1), 1234);
  setLevel(image, 0, 1, 1001);
  applyLearningResults(image, {4000, 4000, 4000, 4000});
  EXPECT_EQ(image.getU16(layout::param(0, 2)), 1500);
  for (std::size_t c = 1; c < kChannels; ++c) {
    EXPECT_EQ(image.getU16(layout::keyReferenceLevel(c)), 4095);
  }
  // Odd sums and halves round toward zero: (1001 + 3968) / 2, (3968 - 1001) / 2.
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(0)), 2484);
  EXPECT_EQ(keyToleranceAt(image, 0, 1), 1483);
}

TEST(KeyResults, ToleranceTakesTheNearestNeighbourAndReferenceTheLowestKey) {
  ConfigImage image;
  // Out of order and with a gap; a key above the quiet level counts by its distance too.
  setLevel(image, 1, 3, 3000);
  setLevel(image, 1, 5, 700);
  setLevel(image, 1, 6, 1301);
  setLevel(image, 1, 9, 4090);
  const std::uint16_t idle = 3900;
  EXPECT_EQ(keyTolerance(image, 1, 3, idle), 450);  // to the quiet level: 900 / 2
  EXPECT_EQ(keyTolerance(image, 1, 5, idle), 300);  // to 1301: 601 / 2
  EXPECT_EQ(keyTolerance(image, 1, 6, idle), 300);
  EXPECT_EQ(keyTolerance(image, 1, 9, idle), 95);   // above the quiet level: 190 / 2
  EXPECT_EQ(referenceLevel(image, 1, idle), 2300);  // (700 + 3900) / 2
  EXPECT_EQ(referenceLevel(image, 0, idle), 4095);
}

TEST(KeyResults, TheLastSlotCountsLikeAnyOther) {
  ConfigImage image;
  setLevel(image, 0, 1, 2000);
  setLevel(image, 0, 15, 1900);
  EXPECT_EQ(keyTolerance(image, 0, 1, 4000), 50);
  EXPECT_EQ(keyTolerance(image, 0, 15, 4000), 50);
  EXPECT_EQ(referenceLevel(image, 0, 4000), 2950);
}

TEST(KeyResults, ToleranceNeverExceedsFullScaleAndIdleNeverGoesNegative) {
  ConfigImage image;
  setLevel(image, 0, 1, 60000);
  EXPECT_EQ(keyTolerance(image, 0, 1, 0), 4095);
  EXPECT_EQ(idleLevel(4032), 4000);
  EXPECT_EQ(idleLevel(32), 0);
  EXPECT_EQ(idleLevel(5), 0);
  EXPECT_EQ(idleLevel(33), 1);
}

TEST(KeyLabels, AutomaticLabelsAreChannelPointLevel) {
  EXPECT_EQ(automaticLabel(1, 1840), "2.1840");
  EXPECT_EQ(automaticLabel(0, 7), "1.7");
  for (const char* text : {"", "2.1840", "1.", "4.5", "2.184X", "9.12345678", "0.000"}) {
    EXPECT_TRUE(isAutomaticLabel(text)) << text;
  }
  for (const char* text : {"2", "A.123", "2,184", "2.1a4", "12.34", ".1234", "Vol+", " 2.18"}) {
    EXPECT_FALSE(isAutomaticLabel(text)) << text;
  }
}

TEST(KeyLabels, StoringCutsToFiveCharactersAndDropsAutomaticLabels) {
  ConfigImage image;
  storeLabel(image, 0, 1, "ABCDEFG");
  EXPECT_EQ(storedLabel(image, 0, 1), "ABCDE");
  storeLabel(image, 0, 1, "Vol");
  const auto field = image.span(layout::keyLabel(0, 0));
  EXPECT_EQ(std::vector<std::uint8_t>(field.begin(), field.end()),
            (std::vector<std::uint8_t>{'V', 'o', 'l', 0, 0}));
  storeLabel(image, 0, 1, "1.1000");
  EXPECT_TRUE(std::all_of(field.begin(), field.end(), [](std::uint8_t b) { return b == 0; }));
  // As typed, an automatic label is kept for now.
  storeTypedLabel(image, 0, 1, "1.1000");
  EXPECT_EQ(storedLabel(image, 0, 1), "1.100");
  // Russian names are five letters, one byte each in the image.
  storeLabel(image, 3, 15, "Громкость");
  EXPECT_EQ(storedLabel(image, 3, 15), "Громк");
  EXPECT_EQ(image.getU8({layout::keyLabel(3, 14).offset, 1}), 0xC3);
  EXPECT_EQ(firstCharacters("Ёж", 1), "Ё");
  EXPECT_EQ(firstCharacters("ab", 5), "ab");
}

TEST(KeyLabels, CellTextShowsAutomaticLabelsForEmptyOrLevelShapedNames) {
  ConfigImage image;
  EXPECT_EQ(keyCellText(image, 1, 1), "");
  storeTypedLabel(image, 1, 1, "Mute");
  EXPECT_EQ(keyCellText(image, 1, 1), "") << "an empty slot shows nothing";
  setLevel(image, 1, 1, 1840);
  EXPECT_EQ(keyCellText(image, 1, 1), "Mute");
  storeTypedLabel(image, 1, 1, "2.999");
  EXPECT_EQ(keyCellText(image, 1, 1), "2.1840");
  storeTypedLabel(image, 1, 1, "");
  EXPECT_EQ(keyCellText(image, 1, 1), "2.1840");
}

TEST(KeyLearningArithmetic, QuietPhaseKeepsTheHighestReadingPlusTheMargin) {
  LearningSession session;
  session.quietReading({3990, 4095, 0, 100});
  session.quietReading({4000, 4090, 0, 90});
  session.quietReading({3995, 4095, 0, 95});
  EXPECT_EQ(session.thresholds(), (ChannelLevels{3990 + 10, 4095, 0, 100}));
  EXPECT_EQ(session.startKeyPhase(), (ChannelLevels{4032, 4127, 32, 132}));
  LearningSession high;
  high.quietReading({0xFFF0, 0, 0, 0});
  EXPECT_EQ(high.startKeyPhase()[0], 0xFFFF);
}

TEST(KeyLearningArithmetic, KeyPhaseAssignsPressesAndCountsIdleSteps) {
  ConfigImage image;
  LearningSession session;
  session.quietReading({4000, 3000, 0, 0});
  session.startKeyPhase();
  for (unsigned i = 0; i < kKeyPhaseLimitSteps - 1; ++i) {
    EXPECT_EQ(session.keyReading(image, {}), (std::array<std::size_t, 4>{}));
  }
  EXPECT_FALSE(session.idleLimitReached());
  // A key restarts the count.
  EXPECT_EQ(session.keyReading(image, {1000, 0, 0, 2000}),
            (std::array<std::size_t, 4>{1, 0, 0, 1}));
  EXPECT_EQ(session.idleSteps(), 0u);
  EXPECT_EQ(session.keyReading(image, {1010, 1500, 0, 0}),
            (std::array<std::size_t, 4>{1, 1, 0, 0}));
  EXPECT_EQ(session.keyReading(image, {1100, 0, 0, 0}), (std::array<std::size_t, 4>{2, 0, 0, 0}));
  for (unsigned i = 0; i < kKeyPhaseLimitSteps; ++i) {
    EXPECT_FALSE(session.idleLimitReached());
    session.keyReading(image, {});
  }
  EXPECT_TRUE(session.idleLimitReached());
  session.finish(image);
  EXPECT_EQ(keyLevelAt(image, 0, 1), 1010);
  EXPECT_EQ(keyToleranceAt(image, 0, 1), 45);
  EXPECT_EQ(keyToleranceAt(image, 0, 2), 45);
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(0)), 2505);  // (1010 + 4000) / 2
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(1)), 2250);  // (1500 + 3000) / 2
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(2)), 4095);
  EXPECT_EQ(image.getU16(layout::keyReferenceLevel(3)), 1000);  // idle 0: (2000 + 0) / 2
  EXPECT_EQ(keyToleranceAt(image, 3, 1), 1000);
}

}  // namespace
}  // namespace kivprism::keys
