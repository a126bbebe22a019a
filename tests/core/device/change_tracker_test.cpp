// The bookkeeping of the user's changes on its own, without a link or a controller: the device
// link tests show the same behaviour end to end.
#include "core/device/change_tracker.hpp"

#include <gtest/gtest.h>

#include "core/lang/text.hpp"

namespace kivprism::device {
namespace {

class ChangeTrackerTest : public ::testing::Test {
 protected:
  void edit(std::size_t at, std::uint8_t value) { model.working.data()[at] = value; }
  // The controller took the byte: the device copy follows.
  void acknowledge(std::size_t at) {
    model.device.data()[at] = model.working.data()[at];
    changes.markAcknowledged(at, 1);
  }

  config::ConfigModel model;
  ChangeTracker changes{model};
};

TEST_F(ChangeTrackerTest, CountsRunsOfChangesAndLostSendsAsChanges) {
  EXPECT_EQ(changes.pendingChanges(), 0u);
  edit(10, 1);
  edit(11, 2);
  edit(100, 3);
  EXPECT_EQ(changes.pendingChanges(), 2u);
  EXPECT_TRUE(changes.isChange(11));
  EXPECT_FALSE(changes.isChange(12));

  // A send without an answer stays the user's even when it was taken back to the old value.
  changes.markUnknown(200, 4);
  EXPECT_EQ(changes.pendingChanges(), 3u);
  EXPECT_TRUE(changes.differs(201));
  changes.markAcknowledged(200, 4);
  EXPECT_EQ(changes.pendingChanges(), 2u);
  changes.markUnknown(0, 1);
  EXPECT_TRUE(changes.anyUnknown());
  changes.clearUnknown();
  EXPECT_FALSE(changes.anyUnknown());
  // The last byte of the image is tracked like any other.
  edit(config::ConfigImage::kSize - 1, 9);
  EXPECT_EQ(changes.pendingChanges(), 3u);
}

TEST_F(ChangeTrackerTest, OneBoxPerFailureEpisodeAndHeldRunsWaitForAReason) {
  edit(10, 1);
  edit(11, 1);
  EXPECT_FALSE(changes.allHeld(10, 12));
  EXPECT_TRUE(changes.hold(10, 12));
  EXPECT_TRUE(changes.allHeld(10, 12));
  // The same episode: no second box.
  edit(20, 1);
  EXPECT_FALSE(changes.hold(20, 21));
  // A fresh change beside a held run makes the run go again.
  edit(12, 1);
  EXPECT_FALSE(changes.allHeld(10, 13));

  // The controller took something, but changes are left: the episode goes on, held runs go again.
  acknowledge(12);
  changes.changeTaken();
  EXPECT_FALSE(changes.allHeld(10, 12));
  EXPECT_FALSE(changes.hold(10, 12));

  // Everything taken: the next failure is a new episode.
  for (std::size_t at : {10u, 11u, 20u})
    acknowledge(at);
  changes.changeTaken();
  edit(30, 1);
  EXPECT_TRUE(changes.hold(30, 31));

  // A new connection also starts one, and tries the held runs again.
  changes.connectionMade();
  EXPECT_FALSE(changes.allHeld(30, 31));
  EXPECT_TRUE(changes.hold(30, 31));

  // A command's own box counts as this episode's box.
  changes.connectionMade();
  changes.failureReported();
  EXPECT_FALSE(changes.hold(30, 31));
}

TEST_F(ChangeTrackerTest, OnlyBytesThatDifferAreHeld) {
  edit(10, 1);
  changes.hold(5, 15);
  EXPECT_TRUE(changes.allHeld(10, 11));
  EXPECT_FALSE(changes.allHeld(9, 11));
}

TEST_F(ChangeTrackerTest, WhatABrokenReadLeftIsNoChangeOfTheUsers) {
  model.device.data()[50] = 7;  // the controller's value
  model.working.data()[50] = 7;
  // The read broke off: the working image lost its parameter byte.
  EXPECT_FALSE(changes.beforeWholeRead(1));
  model.working.data()[50] = 0;
  changes.afterWholeRead(false, false, model.working);
  EXPECT_FALSE(changes.isChange(50));
  EXPECT_EQ(changes.pendingChanges(), 0u);
  // An edit since is one.
  edit(51, 3);
  EXPECT_EQ(changes.pendingChanges(), 1u);
  // A file loaded: the whole working image is the user's again.
  changes.userImageAgain();
  EXPECT_TRUE(changes.isChange(50));
  EXPECT_EQ(changes.pendingChanges(), 1u);  // 50 and 51 are one run
}

TEST_F(ChangeTrackerTest, AReturningControllerGetsItsKeptChangesOnceEvenThroughBrokenReads) {
  edit(40, 5);
  changes.keepForReturnOf(77);
  // Another controller: nothing comes back.
  EXPECT_FALSE(changes.beforeWholeRead(78));

  // The same one; its first read breaks off and clears the byte.
  ASSERT_TRUE(changes.beforeWholeRead(77));
  model.working.data()[40] = 0;
  changes.afterWholeRead(false, true, model.working);
  // The second read must not take the cleared byte as the change to keep.
  ASSERT_TRUE(changes.beforeWholeRead(77));
  model.working = model.device;  // what it read
  changes.afterWholeRead(true, true, model.working);
  EXPECT_EQ(model.working.data()[40], 5);
  EXPECT_TRUE(changes.isChange(40));

  // Taken: the next read is an ordinary one.
  EXPECT_FALSE(changes.beforeWholeRead(77));
}

TEST_F(ChangeTrackerTest, ForgettingOrAWholeWriteEndsWhatWasKept) {
  edit(40, 5);
  changes.keepForReturnOf(77);
  changes.forgetKept();
  EXPECT_FALSE(changes.beforeWholeRead(77));

  changes.keepForReturnOf(77);
  ASSERT_TRUE(changes.beforeWholeRead(77));
  model.working.data()[40] = 0;
  changes.afterWholeRead(false, true, model.working);
  edit(41, 1);
  EXPECT_TRUE(changes.hold(41, 42));
  changes.wholeImageWritten();
  // The broken read's leftovers count again, the episode is over, nothing is held.
  model.device.data()[40] = 5;
  EXPECT_TRUE(changes.isChange(40));
  EXPECT_FALSE(changes.allHeld(41, 42));
  EXPECT_TRUE(changes.hold(41, 42));
  // What is kept for the return is taken afresh from the image as it is now.
  ASSERT_TRUE(changes.beforeWholeRead(77));
}

TEST_F(ChangeTrackerTest, TheSyncTextIsGivenOnlyWhenItChanges) {
  lang::setCurrentLanguage(lang::Language::English);
  EXPECT_EQ(changes.syncTextUpdate(false), std::string());
  EXPECT_EQ(changes.syncTextUpdate(false), std::nullopt);
  EXPECT_EQ(changes.syncTextUpdate(true), "All changes are on the controller");
  edit(3, 1);
  EXPECT_EQ(changes.syncTextUpdate(true), "Changes not yet on the controller: 1");
  EXPECT_EQ(changes.syncTextUpdate(true), std::nullopt);
  EXPECT_EQ(changes.syncTextUpdate(false), "Not connected: changes are kept here (1)");
  lang::setCurrentLanguage(lang::Language::Russian);
  EXPECT_EQ(changes.syncTextUpdate(false), "Нет связи: изменения сохранены здесь (1)");
}

}  // namespace
}  // namespace kivprism::device
