// A frame of the CAN log made into a steering-wheel CAN event.
#include "core/canlog/frame_rule.hpp"

#include <gtest/gtest.h>

#include "core/canlog/log_writer.hpp"
#include "core/events/consistency.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_types.hpp"

namespace kivprism::canlog {
namespace {

namespace event = events::event;

CanLogRecord frame(std::uint32_t word, std::initializer_list<std::uint8_t> bytes) {
  CanLogRecord r;
  r.identifierWord = word;
  r.length = static_cast<std::uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), r.data.begin());
  return r;
}

using Bytes = std::array<std::uint8_t, 8>;

TEST(FrameRule, ComparesThePickedBytesElseTheChangedOnesElseAll) {
  const CanLogRecord f = frame(standardWord(0x123), {1, 2, 3, 4});
  EXPECT_EQ(comparedBytes(f, 0x04, 0x02), 0x04);
  // Picked or changed bytes beyond the frame's length do not count.
  EXPECT_EQ(comparedBytes(f, 0x84, 0x02), 0x04);
  EXPECT_EQ(comparedBytes(f, 0x80, 0x0A), 0x0A);
  EXPECT_EQ(comparedBytes(f, 0x80, 0xF0), 0x0F);
  EXPECT_EQ(comparedBytes(f, 0, 0), 0x0F);
  EXPECT_EQ(comparedBytes(frame(1, {1, 2, 3, 4, 5, 6, 7, 8}), 0, 0), 0xFF);
  EXPECT_EQ(comparedBytes(frame(1, {}), 0xFF, 0xFF), 0x00);
  CanLogRecord overlong = frame(1, {1, 2, 3, 4, 5, 6, 7, 8});
  overlong.length = 12;
  EXPECT_EQ(comparedBytes(overlong, 0, 0), 0xFF);
}

TEST(FrameRule, AStandardFrameWithFewerThanEightBytesComparesItsChosenBytes) {
  const auto filter = frameFilter(frame(standardWord(0x123), {0x11, 0x22, 0x33}), 0x02);
  ASSERT_TRUE(filter.has_value());
  EXPECT_EQ(filter->idWord, standardWord(0x123));
  EXPECT_EQ(filter->id(), (events::CanId{0x123, false}));
  EXPECT_EQ(filter->count, 3);
  EXPECT_EQ(filter->mask, (Bytes{0x00, 0xFF, 0x00, 0, 0, 0, 0, 0}));
  EXPECT_EQ(filter->data, (Bytes{0x00, 0x22, 0x00, 0, 0, 0, 0, 0}));
  const auto all = frameFilter(frame(standardWord(0x7FF), {0xA0, 0x0B}), 0x03);
  ASSERT_TRUE(all.has_value());
  EXPECT_EQ(all->count, 2);
  EXPECT_EQ(all->mask, (Bytes{0xFF, 0xFF, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(all->data, (Bytes{0xA0, 0x0B, 0, 0, 0, 0, 0, 0}));
}

TEST(FrameRule, ExtendedIdentifiersKeepTheirTwentyNineBits) {
  const auto filter =
      frameFilter(frame(0x18DAF110, {1, 2, 3, 4, 5, 6, 7, 0xEE}), std::uint8_t(0x81));
  ASSERT_TRUE(filter.has_value());
  EXPECT_EQ(filter->idWord, 0x18DAF110u);
  EXPECT_EQ(filter->id(), (events::CanId{0x18DAF110, true}));
  EXPECT_EQ(filter->count, 8);
  EXPECT_EQ(filter->mask, (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0xFF}));
  EXPECT_EQ(filter->data, (Bytes{1, 0, 0, 0, 0, 0, 0, 0xEE}));
  // An extended identifier small enough for 11 bits stays extended.
  const auto small = frameFilter(frame(0x00000123, {9}), 0x01);
  ASSERT_TRUE(small.has_value());
  EXPECT_EQ(small->id(), (events::CanId{0x123, true}));
  // Bits above the 29 of an identifier are not the controller's.
  const auto high = frameFilter(frame(0xE0000000u | 0x1FFFFFFFu, {9}), 0x01);
  ASSERT_TRUE(high.has_value());
  EXPECT_EQ(high->idWord, 0x1FFFFFFFu);
  // A length above 8 compares the eight bytes there are.
  CanLogRecord overlong = frame(0x18DAF110, {1, 2, 3, 4, 5, 6, 7, 8});
  overlong.length = 15;
  EXPECT_EQ(frameFilter(overlong, 0xFF)->count, 8);
}

TEST(FrameRule, BytesBeyondTheFrameAreNeverCompared) {
  const auto filter = frameFilter(frame(standardWord(0x10), {0xAA, 0xBB}), 0xFF);
  ASSERT_TRUE(filter.has_value());
  EXPECT_EQ(filter->count, 2);
  EXPECT_EQ(filter->mask, (Bytes{0xFF, 0xFF, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(filter->data, (Bytes{0xAA, 0xBB, 0, 0, 0, 0, 0, 0}));
}

TEST(FrameRule, AFrameWithoutDataMakesNoFilter) {
  EXPECT_FALSE(frameFilter(frame(standardWord(0x100), {}), 0xFF).has_value());
}

TEST(FrameRule, TheEventGoesToTheSelectedEmptyEntryElseTheFirstEmptyOne) {
  config::ConfigImage image;
  EXPECT_EQ(entryForFrameRule(image, 7), 7u);
  EXPECT_EQ(entryForFrameRule(image, 0), 1u);
  EXPECT_EQ(entryForFrameRule(image, 101), 1u);
  events::set(events::entryAt(image, 1), events::entry::kEventType, 1);
  events::set(events::entryAt(image, 2), events::entry::kReactionType, 3);
  events::setEntryName(events::entryAt(image, 3), "x");
  EXPECT_EQ(entryForFrameRule(image, 2), 4u);
  EXPECT_EQ(entryForFrameRule(image, 0), 4u);
  EXPECT_EQ(entryForFrameRule(image, 50), 50u);
  // The last entry is an entry like the others.
  EXPECT_EQ(entryForFrameRule(image, events::kLastEntryNumber), events::kLastEntryNumber);
  for (std::size_t n = 1; n < events::kLastEntryNumber; ++n) {
    events::set(events::entryAt(image, n), events::entry::kSourceMask, 1);
  }
  EXPECT_EQ(entryForFrameRule(image, 3), events::kLastEntryNumber);
  for (std::size_t n = 1; n <= events::kLastEntryNumber; ++n) {
    events::set(events::entryAt(image, n), events::entry::kSourceMask, 1);
  }
  EXPECT_FALSE(entryForFrameRule(image, 50).has_value());
}

TEST(FrameRule, TheStoredEventIsTheEntrysOwnFilterAndConsistent) {
  config::ConfigImage image;
  const config::ConfigImage before = image;
  const auto filter = frameFilter(frame(0x18DAF110, {0x10, 0x20, 0x30}), 0x04);
  ASSERT_TRUE(filter.has_value());
  storeFrameRule(image, 5, *filter);
  const auto e = events::entryAt(image, 5);
  EXPECT_EQ(events::eventTypeCode(e), unsigned(events::EventType::SwCan));
  EXPECT_EQ(events::get(e, event::sw_can::kPosition), 0);
  EXPECT_EQ(events::get(e, event::sw_can::kFilter), *filter);
  // The event's flags as the editor keeps them: a second pass of the rules changes nothing.
  EXPECT_FALSE(events::applyConsistencyRules(e, events::entryContextOf(image)).any());
  EXPECT_EQ(events::get(e, events::entry::kOnceFlag), 1);
  EXPECT_EQ(events::get(e, events::entry::kWakeUpFlag), 0);
  // Nothing else of the image changed.
  for (std::size_t n = 1; n <= events::kLastEntryNumber; ++n) {
    if (n != 5) {
      const auto other = events::entryAt(image, n);
      const auto old = events::entryAt(before, n);
      EXPECT_TRUE(std::equal(other.begin(), other.end(), old.begin())) << n;
    }
  }
}

TEST(FrameRule, ACandumpLineIsTheFrameAtItsTime) {
  EXPECT_EQ(candumpLine(frame(standardWord(0x123), {0x11, 0xAB}), 12345),
            "(0000000012.345000) can0 123#11AB");
  EXPECT_EQ(candumpLine(frame(0x18DAF110, {}), 1), "(0000000000.001000) can0 18DAF110#");
}

}  // namespace
}  // namespace kivprism::canlog
