#include "core/canlog/can_log_engine.hpp"

#include <gtest/gtest.h>

namespace kivprism::canlog {
namespace {

constexpr std::uint32_t kA = standardWord(0x100);
constexpr std::uint32_t kB = standardWord(0x200);
constexpr std::uint32_t kC = 0x18FEF100;

CanLogRecord seen(std::uint32_t word, std::initializer_list<std::uint8_t> bytes,
                  std::uint32_t time = 0) {
  CanLogRecord r;
  r.identifierWord = word;
  r.length = static_cast<std::uint8_t>(bytes.size());
  std::copy(bytes.begin(), bytes.end(), r.data.begin());
  r.timeStamp = time;
  return r;
}

class Engine : public ::testing::Test {
 protected:
  IntakeResult in(std::uint32_t word, std::initializer_list<std::uint8_t> bytes,
                  std::uint32_t time = 0) {
    return engine.canLogIntake(seen(word, bytes, time), now);
  }
  CanLogEngine engine;
  std::uint32_t now = 5000;
};

TEST_F(Engine, RowsInOrderOfFirstArrivalWithCountAndNewestRecord) {
  EXPECT_EQ(in(kA, {1}, 10).outcome, IntakeOutcome::Added);
  const IntakeResult b = in(kB, {2}, 20);
  EXPECT_EQ(b.outcome, IntakeOutcome::Added);
  EXPECT_EQ(b.row, 1u);
  const IntakeResult a = in(kA, {3, 4}, 30);
  EXPECT_EQ(a.outcome, IntakeOutcome::Updated);
  EXPECT_EQ(a.row, 0u);
  EXPECT_TRUE(a.shown());
  ASSERT_EQ(engine.rows().size(), 2u);
  EXPECT_EQ(engine.rows()[0].count, 2u);
  EXPECT_EQ(engine.rows()[0].record, seen(kA, {3, 4}, 30));
  EXPECT_EQ(engine.rows()[1].count, 1u);
  EXPECT_EQ(engine.rows()[1].period, 0u);
}

TEST_F(Engine, PeriodIsTheTimeBetweenTheNewestTwoRecords) {
  in(kA, {}, 1000);
  in(kA, {}, 1100);
  EXPECT_EQ(engine.rows()[0].period, 100u);
  EXPECT_EQ(engine.rows()[0].count, 2u);
  // Backwards in time: no period.
  in(kA, {}, 1050);
  EXPECT_EQ(engine.rows()[0].period, 0u);
  // Just under the limit is a period; the limit itself is not.
  in(kA, {}, 1050 + 999999);
  EXPECT_EQ(engine.rows()[0].period, 999999u);
  in(kA, {}, 1050 + 999999 + 1000000);
  EXPECT_EQ(engine.rows()[0].period, 0u);
  // Across the wrap of the controller's clock the difference is taken without sign.
  in(kB, {}, 0xFFFFFFF0u);
  in(kB, {}, 0x10);
  EXPECT_EQ(engine.rows()[1].period, 0x20u);
}

TEST_F(Engine, ShowAllPassesEverythingAndKeepsTheFirstSignature) {
  engine.setMode(CanLogMode::ShowAll, now);
  EXPECT_TRUE(in(kA, {1}).shown());
  EXPECT_TRUE(in(kA, {1}).shown());
  EXPECT_TRUE(in(kA, {2}).shown());
  ASSERT_EQ(engine.filters().size(), 1u);
  // Outside mode 3 the stored signature is the first one.
  EXPECT_EQ(engine.filters()[0].signature, dataSignature(seen(kA, {1})));
  // Switching to mode 3 now compares against that first signature.
  engine.setMode(CanLogMode::HideNotChanged, now);
  EXPECT_EQ(in(kA, {1}).outcome, IntakeOutcome::Dropped);
  EXPECT_TRUE(in(kA, {2}).shown());
}

TEST_F(Engine, HideNotChangedDropsRepeatedDataAndShowsTheFirstChange) {
  engine.setMode(CanLogMode::HideNotChanged, now);
  EXPECT_TRUE(in(kA, {1, 2}).shown());
  EXPECT_EQ(in(kA, {1, 2}).outcome, IntakeOutcome::Dropped);
  EXPECT_EQ(in(kA, {1, 2}).outcome, IntakeOutcome::Dropped);
  EXPECT_TRUE(in(kA, {1, 3}).shown());
  EXPECT_EQ(in(kA, {1, 3}).outcome, IntakeOutcome::Dropped);
  EXPECT_TRUE(in(kA, {1, 2}).shown());
  EXPECT_EQ(engine.rows()[0].count, 3u);
  EXPECT_EQ(engine.filters()[0].signature, dataSignature(seen(kA, {1, 2})));
}

TEST_F(Engine, HideAccumulatedHidesWhatWasSeenUntilShowAll) {
  engine.setMode(CanLogMode::ShowAll, now);
  in(kA, {1});
  in(kB, {1});
  engine.clearRows();
  engine.setMode(CanLogMode::HideAccumulated, now);
  EXPECT_EQ(in(kA, {1}).outcome, IntakeOutcome::Dropped);
  EXPECT_EQ(in(kB, {9}).outcome, IntakeOutcome::Dropped);
  EXPECT_TRUE(in(kC, {1}).shown());
  // Identifiers first seen during the mode stay visible.
  EXPECT_TRUE(in(kC, {1}).shown());
  ASSERT_EQ(engine.rows().size(), 1u);
  EXPECT_EQ(engine.rows()[0].record.identifierWord, kC);
  engine.setMode(CanLogMode::ShowAll, now);
  EXPECT_TRUE(in(kA, {1}).shown());
  EXPECT_TRUE(in(kB, {1}).shown());
  // Stop and mode 3 clear the flags as well.
  engine.setMode(CanLogMode::HideAccumulated, now);
  engine.setMode(CanLogMode::Stop, now);
  for (const FilterEntry& f : engine.filters()) {
    EXPECT_FALSE(f.hidden);
  }
  engine.setMode(CanLogMode::HideAccumulated, now);
  engine.setMode(CanLogMode::HideNotChanged, now);
  for (const FilterEntry& f : engine.filters()) {
    EXPECT_FALSE(f.hidden);
  }
  EXPECT_EQ(engine.mode(), CanLogMode::HideNotChanged);
}

TEST_F(Engine, HideThisAndHideAllExceptThis) {
  in(kA, {1});
  in(kB, {1});
  in(kC, {1});
  EXPECT_TRUE(engine.hideRow(1));
  engine.clearRows();
  EXPECT_TRUE(in(kA, {1}).shown());
  EXPECT_EQ(in(kB, {1}).outcome, IntakeOutcome::Dropped);
  EXPECT_TRUE(in(kC, {1}).shown());
  // Rows now: A, C. Keep C only.
  EXPECT_TRUE(engine.hideAllExceptRow(1));
  engine.clearRows();
  EXPECT_EQ(in(kA, {1}).outcome, IntakeOutcome::Dropped);
  EXPECT_EQ(in(kB, {1}).outcome, IntakeOutcome::Dropped);
  EXPECT_TRUE(in(kC, {1}).shown());
  EXPECT_FALSE(engine.hideRow(1));
  EXPECT_FALSE(engine.hideAllExceptRow(1));
  EXPECT_FALSE(engine.hideRow(static_cast<std::size_t>(-1)));
}

TEST_F(Engine, ClearEmptiesRowsButKeepsFilterTableAndMode) {
  engine.setMode(CanLogMode::HideNotChanged, now);
  in(kA, {1});
  engine.clearRows();
  EXPECT_TRUE(engine.rows().empty());
  EXPECT_EQ(engine.filters().size(), 1u);
  EXPECT_EQ(engine.mode(), CanLogMode::HideNotChanged);
  // Unchanged data stays dropped after a clear; the row comes back with the next change.
  EXPECT_EQ(in(kA, {1}).outcome, IntakeOutcome::Dropped);
  const IntakeResult r = in(kA, {2});
  EXPECT_EQ(r.outcome, IntakeOutcome::Added);
  EXPECT_EQ(engine.rows()[0].count, 1u);
}

TEST_F(Engine, PacketTableHoldsNineThousandNineHundredNinetyNineRows) {
  for (std::uint32_t i = 0; i < kMaxPacketRows; ++i) {
    ASSERT_EQ(engine.canLogIntake(seen(0x100000 + i, {}), now).outcome, IntakeOutcome::Added);
  }
  EXPECT_EQ(engine.rows().size(), kMaxPacketRows);
  EXPECT_EQ(engine.canLogIntake(seen(0x200000, {}), now).outcome, IntakeOutcome::TableFull);
  EXPECT_EQ(engine.rows().size(), kMaxPacketRows);
  // Known identifiers still update.
  EXPECT_EQ(engine.canLogIntake(seen(0x100000 + 5, {}), now).outcome, IntakeOutcome::Updated);
  EXPECT_EQ(engine.rows()[5].count, 2u);
}

TEST_F(Engine, FilterTableHoldsAThousandEntriesAndLetsLaterIdentifiersThrough) {
  for (std::uint32_t i = 0; i < kMaxFilterEntries + 5; ++i) {
    engine.canLogIntake(seen(0x100000 + i, {1}), now);
  }
  EXPECT_EQ(engine.filters().size(), kMaxFilterEntries);
  EXPECT_EQ(engine.filters().back().identifierWord, 0x100000 + kMaxFilterEntries - 1);
  engine.setMode(CanLogMode::HideAccumulated, now);
  engine.clearRows();
  EXPECT_EQ(engine.canLogIntake(seen(0x100000, {1}), now).outcome, IntakeOutcome::Dropped);
  // Without an entry there is nothing to hide it by.
  EXPECT_TRUE(engine.canLogIntake(seen(0x100000 + kMaxFilterEntries, {1}), now).shown());
  engine.setMode(CanLogMode::HideNotChanged, now);
  EXPECT_TRUE(engine.canLogIntake(seen(0x100000 + kMaxFilterEntries, {1}), now).shown());
  EXPECT_TRUE(engine.canLogIntake(seen(0x100000 + kMaxFilterEntries, {1}), now).shown());
  // Hiding its row cannot hide it either.
  engine.setMode(CanLogMode::ShowAll, now);
  ASSERT_EQ(engine.rows()[0].record.identifierWord, 0x100000 + kMaxFilterEntries);
  EXPECT_TRUE(engine.hideRow(0));
  EXPECT_TRUE(engine.canLogIntake(seen(0x100000 + kMaxFilterEntries, {1}), now).shown());
}

TEST_F(Engine, RateCountsEveryRecordOfTheLastWholeSecond) {
  engine.setMode(CanLogMode::ShowAll, 1000);
  for (int i = 0; i < 7; ++i) {
    engine.canLogIntake(seen(kA, {}), 1500);
  }
  engine.hideRow(0);
  for (int i = 0; i < 3; ++i) {
    engine.canLogIntake(seen(kA, {}), 1999);  // dropped, still counted
  }
  EXPECT_EQ(engine.rate(), 0u);
  engine.canLogIntake(seen(kB, {}), 2000);
  EXPECT_EQ(engine.rate(), 11u);
  engine.canLogIntake(seen(kB, {}), 2999);
  EXPECT_EQ(engine.rate(), 11u);
  engine.canLogIntake(seen(kB, {}), 3000);
  EXPECT_EQ(engine.rate(), 2u);
  // A start restarts the counter, also what counted so far in this second.
  engine.canLogIntake(seen(kB, {}), 3100);
  engine.setMode(CanLogMode::ShowAll, 3500);
  EXPECT_EQ(engine.rate(), 0u);
  engine.canLogIntake(seen(kB, {}), 4499);
  EXPECT_EQ(engine.rate(), 0u);
  engine.canLogIntake(seen(kB, {}), 4500);
  EXPECT_EQ(engine.rate(), 2u);
  // Stop leaves it.
  engine.setMode(CanLogMode::Stop, 9000);
  EXPECT_EQ(engine.rate(), 2u);
}

TEST_F(Engine, ChangedBytesAreMarkedForAboutASecond) {
  now = 100;
  in(kA, {1, 2, 3});
  EXPECT_EQ(engine.rows()[0].changedBytes, 0);
  now = 200;
  in(kA, {1, 9, 3, 4});
  const PacketRow& row = engine.rows()[0];
  EXPECT_EQ(row.changedBytes, 0b1010);
  EXPECT_FALSE(row.byteMarked(0, 200));
  EXPECT_TRUE(row.byteMarked(1, 200));
  EXPECT_TRUE(row.byteMarked(3, 200 + kChangeMarkMs - 1));
  EXPECT_FALSE(row.byteMarked(3, 200 + kChangeMarkMs));
  EXPECT_FALSE(row.byteMarked(8, 200));
  // A byte past the old length is new even when it equals what the old record left there.
  in(kB, {7});
  in(kB, {7, 0});
  EXPECT_EQ(engine.rows()[1].changedBytes, 0b10);
  now = 700;
  in(kA, {1, 9, 3, 5});
  EXPECT_TRUE(engine.rows()[0].byteMarked(1, 1100));
  EXPECT_FALSE(engine.rows()[0].byteMarked(1, 1200));
  EXPECT_TRUE(engine.rows()[0].byteMarked(3, 1600));
}

TEST_F(Engine, ResetReturnsToTheStartUpState) {
  engine.setMode(CanLogMode::HideNotChanged, now);
  in(kA, {1});
  engine.reset();
  EXPECT_TRUE(engine.rows().empty());
  EXPECT_TRUE(engine.filters().empty());
  EXPECT_EQ(engine.mode(), CanLogMode::Stop);
  EXPECT_EQ(engine.rate(), 0u);
}

}  // namespace
}  // namespace kivprism::canlog
