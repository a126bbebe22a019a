// The poll's pace on its own: the nesting suspension, the hold-off after other traffic, the turns
// of monitoring text and CAN records, and the intervals the link hands to its timer.
#include "core/device/poll_pacer.hpp"

#include <gtest/gtest.h>

namespace kivprism::device {
namespace {

using Drain = PollPacer::Drain;

PollPacer running() {
  PollPacer p;
  EXPECT_TRUE(p.resume());
  return p;
}

TEST(PollPacer, StartsSuspendedAndNestsSuspensions) {
  PollPacer p;
  EXPECT_EQ(p.suspendCount(), 1u);
  EXPECT_FALSE(p.tickMayPoll());
  EXPECT_TRUE(p.resume()) << "the last resumption starts the poll";
  EXPECT_FALSE(p.resume()) << "an extra resumption is ignored";
  EXPECT_EQ(p.suspendCount(), 0u);
  EXPECT_TRUE(p.suspend()) << "the first suspension stops it";
  EXPECT_FALSE(p.suspend());
  EXPECT_FALSE(p.resume());
  EXPECT_FALSE(p.tickMayPoll());
  EXPECT_TRUE(p.resume());
  EXPECT_TRUE(p.tickMayPoll());
}

TEST(PollPacer, OtherTrafficHoldsTheNextTicksOff) {
  PollPacer p = running();
  p.trafficSent();
  EXPECT_EQ(p.holdOff(), kTrafficHoldOffTicks);
  for (unsigned i = 0; i < kTrafficHoldOffTicks; ++i) {
    EXPECT_FALSE(p.tickMayPoll()) << i;
  }
  EXPECT_TRUE(p.tickMayPoll());
  // The poll's own packets count as traffic; once it has polled they hold nothing off.
  p.trafficSent();
  p.polled();
  EXPECT_EQ(p.holdOff(), 0u);
  EXPECT_TRUE(p.tickMayPoll());
  // A suspended tick does not spend the hold-off.
  p.trafficSent();
  p.suspend();
  EXPECT_FALSE(p.tickMayPoll());
  EXPECT_EQ(p.holdOff(), kTrafficHoldOffTicks);
}

TEST(PollPacer, DataQuickensThePollAndIdlesAfterAFewQuietTicks) {
  PollPacer p = running();
  EXPECT_EQ(p.interval(), kPollIdleMs);
  EXPECT_EQ(p.afterState(false, false), Drain::Nothing);
  EXPECT_EQ(p.interval(), kPollIdleMs);
  EXPECT_EQ(p.afterState(true, false), Drain::MonitorText);
  EXPECT_EQ(p.interval(), kPollFastMs);
  for (unsigned i = 0; i < kFastPollTicks; ++i) {
    EXPECT_EQ(p.afterState(false, false), Drain::Nothing);
    EXPECT_EQ(p.interval(), kPollFastMs) << i;
  }
  EXPECT_EQ(p.afterState(false, false), Drain::Nothing);
  EXPECT_EQ(p.interval(), kPollIdleMs);
  EXPECT_EQ(p.afterState(false, true), Drain::CanLog);
  EXPECT_EQ(p.interval(), kPollCanMs);
}

TEST(PollPacer, TextAndRecordsTakeTurnsWhenBothWait) {
  PollPacer p = running();
  EXPECT_EQ(p.afterState(true, true), Drain::MonitorText);
  EXPECT_EQ(p.interval(), kPollCanMs);
  EXPECT_EQ(p.afterState(true, true), Drain::CanLog);
  EXPECT_EQ(p.afterState(true, true), Drain::MonitorText);
  EXPECT_EQ(p.afterState(false, true), Drain::CanLog) << "records alone are always drained";
  EXPECT_EQ(p.afterState(true, true), Drain::CanLog) << "the turn is kept across other ticks";
}

TEST(PollPacer, TheRecordRateShowsForAFewTicksAfterACanDrain) {
  PollPacer p = running();
  EXPECT_FALSE(p.takeRateTick());
  p.afterState(true, true);  // text's turn: no rate
  EXPECT_FALSE(p.takeRateTick());
  p.afterState(true, true);  // records' turn
  for (unsigned i = 0; i < kCanRateTicks; ++i) {
    EXPECT_TRUE(p.takeRateTick()) << i;
  }
  EXPECT_FALSE(p.takeRateTick());
}

TEST(PollPacer, ALostControllerIsProbedAtTheIdlePace) {
  PollPacer p = running();
  p.afterState(false, true);
  p.lost();
  EXPECT_EQ(p.interval(), kPollIdleMs);
  EXPECT_FALSE(p.takeRateTick());
  EXPECT_EQ(p.afterState(false, false), Drain::Nothing);
  EXPECT_EQ(p.interval(), kPollIdleMs) << "no fast ticks left over";
}

}  // namespace
}  // namespace kivprism::device
