// The device link against the simulated controller, on the test's clock.
#include "core/device/device_link.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/counting_procedure.hpp"
#include "support/fake_link_host.hpp"
#include "support/sim_link_rig.hpp"

namespace kivprism::device {
namespace {

namespace layout = config::layout;
using sim::AnswerFault;
using testing::FakeLinkHost;

constexpr std::size_t kImageSize = config::ConfigImage::kSize;

class DeviceLinkTest : public ::testing::Test, public testing::SimLinkRig {
 protected:
  DeviceLinkTest() { lang::setCurrentLanguage(lang::Language::English); }

  // Polls until connected; the first connection reads the whole configuration.
  void connect() {
    waitForConnection();
    ASSERT_TRUE(link.isConnected());
    controller.clearRequests();
  }
  // Polls until the controller is (back) on the link, at most eight ticks.
  void waitForConnection() {
    for (int i = 0; i < 8 && !link.isConnected(); ++i) {
      tick();
    }
  }
  // Unplugs the controller, flips the given bits of bytes while it is away (checking the panel's
  // count of them), plugs it in again and polls until the changes went. Returns the image as the
  // user left it.
  config::ConfigImage editWhileAway(
      std::initializer_list<std::pair<std::size_t, std::uint8_t>> edits, std::size_t changes = 1) {
    controller.unplug();
    tick();
    EXPECT_FALSE(link.isConnected());
    for (const auto& [at, bits] : edits) {
      model.working.data()[at] ^= bits;
    }
    EXPECT_EQ(link.pendingChanges(), changes);
    const config::ConfigImage edited = model.working;
    controller.plugIn();
    waitForConnection();
    tick();
    return edited;
  }
  std::vector<sim::ReceivedRequest> requestsFor(std::uint8_t cmd) const {
    std::vector<sim::ReceivedRequest> out;
    for (const auto& r : controller.requests()) {
      if (r.cmd == cmd) {
        out.push_back(r);
      }
    }
    return out;
  }
};

TEST_F(DeviceLinkTest, PollStaysOffUntilResumedAndNests) {
  DeviceLink fresh{port, host, model};
  EXPECT_EQ(fresh.pollSuspendCount(), 1u);
  EXPECT_FALSE(fresh.pollTick());
  host.pollTimerEnabled = false;
  fresh.resumePoll();
  EXPECT_TRUE(host.pollTimerEnabled);
  fresh.suspendPoll();
  EXPECT_FALSE(host.pollTimerEnabled);
  fresh.suspendPoll();
  EXPECT_FALSE(host.pollTimerEnabled);
  fresh.resumePoll();
  EXPECT_FALSE(host.pollTimerEnabled);
  fresh.resumePoll();
  fresh.resumePoll();  // never below zero
  EXPECT_EQ(fresh.pollSuspendCount(), 0u);
  EXPECT_TRUE(host.pollTimerEnabled);
}

TEST_F(DeviceLinkTest, FirstConnectionReadsTheWholeConfiguration) {
  controller.configuration().set(layout::kLongPressTime, 777);
  controller.configuration().data()[100] = 0x5A;
  connect();
  EXPECT_EQ(model.working, controller.configuration());
  EXPECT_EQ(model.device, model.working);
  EXPECT_TRUE(link.inSync());
  EXPECT_EQ(link.lastSerialNumber(), controller.identity().serialNumber);
  EXPECT_EQ(host.progress.back(), (std::pair<std::size_t, std::size_t>{kImageSize, kImageSize}));
  EXPECT_EQ(host.reloads, 1);
  // The device information went to the log once, after the read.
  EXPECT_EQ(std::count_if(host.logLines.begin(), host.logLines.end(),
                          [](const std::string& l) { return l.starts_with("Controller "); }),
            1);
  EXPECT_EQ(host.logLines.back(), "Application version 1.40");
  EXPECT_EQ(host.toolbarUpdates.back(), false);
}

TEST_F(DeviceLinkTest, WholeReadTakes238AnswersOfAtMost64Bytes) {
  connect();
  link.suspendPoll();
  ASSERT_EQ(link.readConfiguration(), status::kOk);
  const auto reads = requestsFor(area::kConfiguration);
  ASSERT_EQ(reads.size(), 238u);
  EXPECT_EQ(reads.back().offset, 237 * 64);
  EXPECT_EQ(link.progressCount(), kImageSize);
}

TEST_F(DeviceLinkTest, ReadEndingEarlyGives7AndKeepsOnlyKeyDefaults) {
  connect();
  controller.configuration().data()[5] = 0x11;  // touch block
  controller.endReadsAt(area::kConfiguration, 15000);
  EXPECT_EQ(link.readConfiguration(), status::kRangeEndedEarly);
  EXPECT_FALSE(link.inSync());
  EXPECT_EQ(model.working.data()[5], 0x11);
  EXPECT_EQ(model.working.get(layout::kLongPressTime), 1000u);
  for (std::size_t c = 0; c < 4; ++c) {
    EXPECT_EQ(model.working.get(layout::keyReferenceLevel(c)), 4095u);
  }
  const auto rest = model.working.span(layout::kParamBlock).subspan(10);
  EXPECT_TRUE(std::all_of(rest.begin(), rest.end(), [](std::uint8_t b) { return b == 0; }));
}

TEST_F(DeviceLinkTest, UnplugDuringReadZeroesParametersAndLeavesOutOfSync) {
  connect();
  model.device.data()[0] = 0x77;  // the device copy is not touched by a failed read
  controller.unplugAtRequest(40);
  const std::uint32_t start = host.now;
  EXPECT_EQ(link.readConfiguration(), status::kDisconnected);
  EXPECT_FALSE(link.inSync());
  EXPECT_EQ(model.device.data()[0], 0x77);
  EXPECT_EQ(model.working.get(layout::kLongPressTime), 1000u);
  EXPECT_EQ(model.working.get(layout::kKeyReassignTo), 0u);
  // Three attempts, each followed by the 50 ms pause, and no long waits: the open fails at once.
  EXPECT_EQ(std::count(host.waits.begin(), host.waits.end(), 50u), 3);
  EXPECT_LT(host.now - start, 400u);
  EXPECT_EQ(host.reloads, 2);
  // The next poll shows the disconnected state, with the device buttons off.
  host.toolbarUpdates.clear();
  tick();
  EXPECT_FALSE(link.isConnected());
  EXPECT_EQ(host.toolbarUpdates, std::vector<bool>{false});
  EXPECT_EQ(host.statusTexts.back(), "Controller is disconnected");
  EXPECT_EQ(host.currentSource.back(), (std::pair<std::string, bool>{"Selected: ?", false}));
  EXPECT_TRUE(std::find(host.logLines.begin(), host.logLines.end(),
                        "******** Controller is disconnected **********") != host.logLines.end());
}

TEST_F(DeviceLinkTest, WholeWriteSendsEveryChunkThenResets) {
  connect();
  for (std::size_t i = 0; i < kImageSize; ++i) {
    model.working.data()[i] = static_cast<std::uint8_t>(i * 7);
  }
  // Out of sync (a broken read): nothing goes by itself, the panel counts what differs.
  link.setInSync(false);
  tick();
  ASSERT_NE(host.syncTexts.back(), "All changes are on the controller");
  const unsigned resets = controller.resetCount();
  ASSERT_EQ(link.writeConfiguration(), status::kOk);
  EXPECT_EQ(controller.configuration(), model.working);
  const auto writes = requestsFor(area::kConfiguration | kWriteFlag);
  ASSERT_EQ(writes.size(), 238u);
  EXPECT_EQ(writes.back().len, 50);
  EXPECT_EQ(link.progressCount(), kImageSize);
  EXPECT_EQ(host.progress.back(), (std::pair<std::size_t, std::size_t>{kImageSize, kImageSize}));
  ASSERT_EQ(requestsFor(area::kReset | kWriteFlag).size(), 1u);
  EXPECT_EQ(requestsFor(area::kReset | kWriteFlag)[0].offset, 0);
  EXPECT_EQ(controller.resetCount(), resets + 1);
  EXPECT_TRUE(link.inSync());
  EXPECT_EQ(host.syncTexts.back(), "All changes are on the controller");
  EXPECT_EQ(link.pollSuspendCount(), 0u);
  EXPECT_NE(std::find(host.statusTexts.begin(), host.statusTexts.end(),
                      "Write configuration to the device"),
            host.statusTexts.end());
}

// A whole write the controller refuses leaves the image pending, held like any refused change.
TEST_F(DeviceLinkTest, ARefusedWholeWriteIsHeldNotRepeatedOnEveryTick) {
  connect();
  model.working.data()[0] ^= 1;
  model.working.data()[7000] ^= 1;
  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  EXPECT_EQ(link.writeConfiguration(), status::kFailedResult);
  EXPECT_EQ(link.pendingChanges(), 2u);
  controller.clearRequests();
  tick();
  tick();
  EXPECT_TRUE(requestsFor(area::kConfiguration | kWriteFlag).empty());
  EXPECT_TRUE(host.errors.empty());  // the command shows its own box
}

TEST_F(DeviceLinkTest, UnplugDuringWriteStopsAtTheFailingChunkWithoutReset) {
  connect();
  const config::ConfigImage before = controller.configuration();
  model.working.clear();
  controller.unplugAtRequest(11);
  EXPECT_EQ(link.writeConfiguration(), status::kDisconnected);
  EXPECT_EQ(controller.resetCount(), 0u);
  EXPECT_EQ(requestsFor(area::kReset | kWriteFlag).size(), 0u);
  // Ten chunks arrived, the rest is the old configuration.
  const auto mem = controller.configuration().bytes();
  EXPECT_TRUE(std::all_of(mem.begin(), mem.begin() + 640, [](std::uint8_t b) { return b == 0; }));
  EXPECT_TRUE(std::equal(mem.begin() + 640, mem.end(), before.bytes().begin() + 640));
  EXPECT_EQ(link.pollSuspendCount(), 0u);
  // The command shows its own box; the link adds none, and the panel says what is missing at once.
  EXPECT_TRUE(host.errors.empty());
  ASSERT_GT(link.pendingChanges(), 0u);
  EXPECT_EQ(host.syncTexts.back(), syncStateText(link.syncState()));
  // The link knows the tail did not arrive, and sends it when the controller is back.
  EXPECT_GT(link.pendingChanges(), 0u);
  tick();
  EXPECT_FALSE(link.isConnected());
  controller.plugIn();
  waitForConnection();
  tick();
  EXPECT_EQ(controller.configuration(), model.working);
  EXPECT_EQ(link.pendingChanges(), 0u);
}

TEST_F(DeviceLinkTest, ChangedRunsAreSentAtTheirOffsets) {
  connect();
  model.working.data()[1000] ^= 0xFF;
  tick();
  auto writes = requestsFor(area::kConfiguration | kWriteFlag);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].offset, 1000);
  EXPECT_EQ(writes[0].len, 1);
  EXPECT_EQ(host.flashes.back(), "Send of changes");
  EXPECT_EQ(host.flashTimings.back(), (std::pair<std::uint32_t, std::uint32_t>{1000, 250}));
  EXPECT_EQ(model.device, model.working);
  EXPECT_EQ(controller.configuration(), model.working);

  controller.clearRequests();
  model.working.data()[2000] ^= 1;
  model.working.data()[2002] ^= 1;
  for (std::size_t i = 5000; i < 5100; ++i) {
    model.working.data()[i] ^= 0x80;
  }
  tick();
  writes = requestsFor(area::kConfiguration | kWriteFlag);
  ASSERT_EQ(writes.size(), 4u);
  EXPECT_EQ(writes[0].offset, 2000);
  EXPECT_EQ(writes[1].offset, 2002);
  EXPECT_EQ(writes[2].offset, 5000);
  EXPECT_EQ(writes[2].len, 64);
  EXPECT_EQ(writes[3].offset, 5064);
  EXPECT_EQ(writes[3].len, 36);
  EXPECT_EQ(controller.configuration(), model.working);
}

TEST_F(DeviceLinkTest, ChangesAreNotSentOutOfSyncDuringLearningOrWhileDisconnected) {
  connect();
  const std::size_t flashes = host.flashes.size();
  link.setInSync(false);
  model.working.data()[10] ^= 1;
  link.syncChanges();
  EXPECT_NE(model.device, model.working);
  link.setInSync(true);
  testing::CountingProcedure learning(100);
  learning.holdsChanges = true;
  ASSERT_EQ(link.startProcedure(learning), status::kOk);
  link.syncChanges();
  EXPECT_NE(model.device, model.working);
  link.stopProcedure();
  EXPECT_EQ(learning.stops, 1);
  link.clearConnected();
  link.syncChanges();
  // Nothing was sent, so the change stays pending in the working image only.
  EXPECT_NE(model.device, model.working);
  EXPECT_EQ(link.pendingChanges(), 1u);
  EXPECT_TRUE(controller.requests().empty());
  EXPECT_EQ(host.flashes.size(), flashes);
}

// A refused change stays pending with one box for the episode, is not sent again on every tick,
// and goes again once the controller took another change.
TEST_F(DeviceLinkTest, RefusedChangeStaysPendingUntilTheControllerTakesChangesAgain) {
  connect();
  tick();
  EXPECT_EQ(host.syncTexts.back(), "All changes are on the controller");
  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  model.working.data()[3] ^= 1;
  tick();
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0], "Error writing to the device \"KIVSOLANPRISM-F401\"\nFailed result");
  EXPECT_NE(model.device.data()[3], model.working.data()[3]);
  EXPECT_EQ(link.pendingChanges(), 1u);
  EXPECT_EQ(host.syncTexts.back(), "Changes not yet on the controller: 1");
  // A controller that keeps refusing is not asked again and again.
  const std::size_t tries = requestsFor(area::kConfiguration | kWriteFlag).size();
  const std::size_t flashes = host.flashes.size();
  const std::size_t syncTexts = host.syncTexts.size();
  for (int i = 0; i < 5; ++i) {
    tick();
  }
  EXPECT_EQ(requestsFor(area::kConfiguration | kWriteFlag).size(), tries);
  EXPECT_EQ(host.flashes.size(), flashes);
  EXPECT_EQ(host.syncTexts.size(), syncTexts);  // shown again only when it changes
  // Another change in the same episode: tried, refused, no second box.
  model.working.data()[900] ^= 1;
  tick();
  EXPECT_EQ(requestsFor(area::kConfiguration | kWriteFlag).size(), tries + 1);
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.syncTexts.back(), "Changes not yet on the controller: 2");

  // The controller takes changes again: the next one goes, then the held ones.
  controller.setAreaAnswer(area::kConfiguration, 0);
  model.working.data()[2000] ^= 1;
  tick();
  tick();
  EXPECT_EQ(controller.configuration(), model.working);
  EXPECT_EQ(model.device, model.working);
  EXPECT_EQ(host.syncTexts.back(), "All changes are on the controller");
  EXPECT_EQ(host.errors.size(), 1u);

  // A new episode gets its own box, in the language in force.
  lang::setCurrentLanguage(lang::Language::Russian);
  controller.setAreaAnswer(area::kConfiguration, kAnswerBadParameters);
  model.working.data()[3] ^= 1;
  model.working.data()[3000] ^= 1;
  controller.clearRequests();
  tick();
  // A refusal concerns its run only: the next run is tried in the same pass.
  EXPECT_EQ(requestsFor(area::kConfiguration | kWriteFlag).size(), 2u);
  ASSERT_EQ(host.errors.size(), 2u);
  EXPECT_EQ(host.errors[1], "Ошибка записи в устройство\nОшибка в параметрах");
  EXPECT_EQ(host.syncTexts.back(), "Не отправлено в контроллер изменений: 2");
}

// The cable is pulled while changes are being sent: what did not arrive is kept, shown as kept,
// and sent when the same controller is back.
TEST_F(DeviceLinkTest, UnplugDuringChangeSendingKeepsTheRestForTheReturn) {
  connect();
  for (std::size_t i = 0; i < 3; ++i) {
    model.working.data()[1000 + i * 100] ^= 0x0F;
  }
  controller.unplugAtRequest(3);  // the poll's read and the first run arrive, the second is lost
  host.waits.clear();
  tick();
  // A lost exchange ends the pass: three attempts for the second run, none for the third.
  EXPECT_EQ(host.waits, (std::vector<std::uint32_t>{50, 50, 50}));
  EXPECT_EQ(controller.configuration().data()[1000], model.working.data()[1000]);
  EXPECT_NE(controller.configuration().data()[1100], model.working.data()[1100]);
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(link.pendingChanges(), 2u);
  tick();
  EXPECT_FALSE(link.isConnected());
  EXPECT_EQ(host.syncTexts.back(), "Not connected: changes are kept here (2)");
  // An edit made meanwhile is kept as well.
  model.working.data()[1500] ^= 0x0F;
  tick();
  EXPECT_EQ(host.syncTexts.back(), "Not connected: changes are kept here (3)");
  // What changed on the controller meanwhile, where the user changed nothing, is taken from it.
  controller.configuration().data()[4000] = 0x44;

  // The first return fails again while the kept changes go: a new connection, a new box.
  controller.plugIn();
  controller.unplugAtRequest(1 + 238 + 1);
  waitForConnection();
  EXPECT_EQ(host.errors.size(), 2u);
  tick();
  EXPECT_FALSE(link.isConnected());

  controller.plugIn();
  waitForConnection();
  ASSERT_TRUE(link.isConnected());
  tick();
  EXPECT_EQ(model.working.data()[4000], 0x44);
  EXPECT_EQ(controller.configuration(), model.working);
  EXPECT_EQ(model.device, model.working);
  EXPECT_EQ(host.syncTexts.back(), "All changes are on the controller");
  EXPECT_EQ(host.errors.size(), 2u);

  // Once delivered, nothing is kept: a read the program makes replaces the image again.
  model.working.data()[4100] ^= 1;
  link.suspendPoll();
  ASSERT_EQ(link.readConfiguration(), status::kOk);
  link.resumePoll();
  EXPECT_EQ(model.working, controller.configuration());
}

// A read that fails on the controller's return clears the parameter block; that must never turn
// into changes sent to the controller.
TEST_F(DeviceLinkTest, AFailedReadOnReturnDoesNotBecomeChanges) {
  connect();
  model.working.data()[9000] ^= 0x0F;
  controller.unplug();
  tick();
  ASSERT_FALSE(link.isConnected());
  controller.plugIn();
  controller.endReadsAt(area::kConfiguration, 5000);
  waitForConnection();
  ASSERT_TRUE(link.isConnected());
  EXPECT_FALSE(link.inSync());
  controller.unplug();
  tick();
  controller.plugIn();
  controller.clearFaults();
  const config::ConfigImage before = controller.configuration();
  waitForConnection();
  tick();
  // Only the user's change went to the controller.
  const auto writes = requestsFor(area::kConfiguration | kWriteFlag);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].offset, 9000);
  config::ConfigImage expected = before;
  expected.data()[9000] ^= 0x0F;
  EXPECT_EQ(controller.configuration(), expected);
}

// A change whose answer is lost may be on the controller already. Taking it back makes the images
// agree again, but the byte must still go until the controller acknowledges it.
TEST_F(DeviceLinkTest, AnUnansweredChangeIsSentUntilAcknowledgedEvenWhenTakenBack) {
  connect();
  constexpr std::size_t kAt = 1000;
  const std::uint8_t before = model.working.data()[kAt];
  const std::uint8_t edited = before ^ 0x5A;
  model.working.data()[kAt] = edited;
  controller.injectFault(AnswerFault::Silence, 3);  // each attempt arrives, no answer does
  link.syncChanges();
  ASSERT_EQ(controller.configuration().data()[kAt], edited);
  EXPECT_EQ(model.device.data()[kAt], before);
  EXPECT_EQ(host.errors.size(), 1u);

  model.working.data()[kAt] = before;
  EXPECT_TRUE(link.isChange(kAt));
  EXPECT_EQ(link.pendingChanges(), 1u);
  tick();
  ASSERT_TRUE(link.isConnected());
  EXPECT_EQ(host.syncTexts.back(), "Changes not yet on the controller: 1");

  // The next change the controller takes is the reason to try the unknown byte again.
  model.working.data()[3000] ^= 1;
  tick();
  tick();
  EXPECT_EQ(controller.configuration(), model.working);
  EXPECT_EQ(link.pendingChanges(), 0u);
  EXPECT_EQ(host.syncTexts.back(), "All changes are on the controller");
  // Acknowledged once, the byte is known again: nothing more goes.
  controller.clearRequests();
  tick();
  tick();
  EXPECT_TRUE(requestsFor(area::kConfiguration | kWriteFlag).empty());
  EXPECT_EQ(host.errors.size(), 1u);
}

// A whole read shows what the controller holds: a byte whose answer was lost is known again.
TEST_F(DeviceLinkTest, AWholeReadEndsWhatALostAnswerLeftUnknown) {
  connect();
  model.working.data()[2500] ^= 0x21;
  controller.injectFault(AnswerFault::Silence, 3);
  link.syncChanges();
  ASSERT_EQ(link.pendingChanges(), 1u);
  ASSERT_EQ(link.readConfigurationReported(), status::kOk);
  EXPECT_EQ(model.working, controller.configuration());
  EXPECT_EQ(link.pendingChanges(), 0u);
  controller.clearRequests();
  model.working.data()[3000] ^= 1;  // a change the controller takes: no reason left to send more
  tick();
  tick();
  const auto writes = requestsFor(area::kConfiguration | kWriteFlag);
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].offset, 3000);
}

// The same when the controller goes away after the lost answer: the user's value is kept for its
// return and sent, not replaced by what the controller took.
TEST_F(DeviceLinkTest, AnUnansweredChangeTakenBackReachesTheReturningController) {
  connect();
  constexpr std::size_t kAt = 14500;  // parameter block
  const std::uint8_t before = model.working.data()[kAt];
  model.working.data()[kAt] = before ^ 0x33;
  controller.injectFault(AnswerFault::Silence, 3);
  link.syncChanges();
  model.working.data()[kAt] = before;
  controller.unplug();
  tick();
  ASSERT_FALSE(link.isConnected());
  EXPECT_EQ(host.syncTexts.back(), "Not connected: changes are kept here (1)");
  controller.plugIn();
  waitForConnection();
  ASSERT_TRUE(link.isConnected());
  tick();
  EXPECT_EQ(model.working.data()[kAt], before);
  EXPECT_EQ(controller.configuration().data()[kAt], before);
  EXPECT_EQ(link.pendingChanges(), 0u);

  // A refusal is an answer: the controller kept its value, so taking the edit back needs nothing.
  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  model.working.data()[kAt] = before ^ 1;
  tick();
  model.working.data()[kAt] = before;
  controller.clearRequests();
  controller.clearFaults();
  tick();
  EXPECT_TRUE(requestsFor(area::kConfiguration | kWriteFlag).empty());
  EXPECT_EQ(link.pendingChanges(), 0u);
  EXPECT_EQ(controller.configuration().data()[kAt], before);
}

// A whole write that succeeds after a whole read broke off: the image on the controller is the
// user's, so an edit back to what the broken read left (a cleared parameter) is a change again.
TEST_F(DeviceLinkTest, AWholeWriteEndsWhatABrokenReadLeft) {
  connect();
  controller.setRestartTime(300);
  controller.endReadsAt(area::kConfiguration, 5000);
  link.suspendPoll();
  ASSERT_EQ(link.readConfiguration(), status::kRangeEndedEarly);
  link.resumePoll();
  EXPECT_EQ(link.pendingChanges(), 0u);  // the cleared block is no change of the user's
  controller.clearFaults();
  const std::size_t at = layout::kParamBlock.offset + 40;
  ASSERT_EQ(model.working.data()[at], 0);
  model.working.data()[at] = 5;
  ASSERT_EQ(link.writeConfiguration(), status::kOk);
  EXPECT_EQ(link.pendingChanges(), 0u);

  model.working.data()[at] = 0;
  EXPECT_TRUE(link.isChange(at));
  EXPECT_EQ(link.pendingChanges(), 1u);
  // The controller restarts after the write; on its return the edit is kept and sent.
  tick();
  ASSERT_FALSE(link.isConnected());
  for (int i = 0; i < 12 && !link.isConnected(); ++i) {
    host.now += 200;
    tick();
  }
  ASSERT_TRUE(link.inSync());
  tick();
  EXPECT_EQ(model.working.data()[at], 0);
  EXPECT_EQ(controller.configuration().data()[at], 0);
  EXPECT_EQ(link.pendingChanges(), 0u);
}

// A read on the controller's return breaks off after it was away with a change: a whole write then
// puts the user's image on it, and the change kept before must not come back over it.
TEST_F(DeviceLinkTest, AWholeWriteDropsWhatWasKeptForAReturn) {
  connect();
  controller.setRestartTime(300);
  constexpr std::size_t kAt = 9000;
  const std::uint8_t original = model.working.data()[kAt];
  model.working.data()[kAt] = original ^ 0x0F;
  controller.unplug();
  tick();
  ASSERT_FALSE(link.isConnected());
  controller.plugIn();
  controller.endReadsAt(area::kConfiguration, 5000);
  waitForConnection();
  ASSERT_TRUE(link.isConnected());
  ASSERT_FALSE(link.inSync());
  controller.clearFaults();
  model.working.data()[kAt] = original;
  ASSERT_EQ(link.writeConfiguration(), status::kOk);
  tick();
  ASSERT_FALSE(link.isConnected());
  for (int i = 0; i < 12 && !link.isConnected(); ++i) {
    host.now += 200;
    tick();
  }
  ASSERT_TRUE(link.inSync());
  tick();
  EXPECT_EQ(model.working.data()[kAt], original);
  EXPECT_EQ(controller.configuration().data()[kAt], original);
}

// Whole transfers stop the poll while they run and release it afterwards.
TEST_F(DeviceLinkTest, WholeTransfersHoldThePollWhileTheyRun) {
  connect();
  while (link.trafficHoldOff() > 0) {
    link.pollTick();
  }
  bool timerOn = false;
  host.onProcessEvents = [&] { timerOn |= host.pollTimerEnabled; };
  ASSERT_EQ(link.readConfiguration(), status::kOk);
  EXPECT_FALSE(timerOn);
  EXPECT_TRUE(host.pollTimerEnabled);
  ASSERT_EQ(link.writeConfiguration(), status::kOk);
  EXPECT_FALSE(timerOn);
  EXPECT_TRUE(host.pollTimerEnabled);
}

// The first and the last byte of the image are kept for a returning controller like any other.
TEST_F(DeviceLinkTest, EditsAtBothEndsOfTheImageAreKeptForTheReturn) {
  connect();
  const config::ConfigImage edited = editWhileAway({{0, 0x01}, {kImageSize - 1, 0x80}}, 2);
  EXPECT_EQ(model.working, edited);
  EXPECT_EQ(controller.configuration(), edited);
  EXPECT_EQ(link.pendingChanges(), 0u);
}

// Each absence keeps its own changes, also after an earlier return delivered others.
TEST_F(DeviceLinkTest, EveryAbsenceKeepsItsChanges) {
  connect();
  for (std::size_t at : {std::size_t{700}, std::size_t{800}}) {
    const config::ConfigImage edited = editWhileAway({{at, 0x3C}});
    EXPECT_EQ(model.working, edited) << at;
    EXPECT_EQ(controller.configuration(), edited) << at;
  }
}

// A new connection is a reason to try a refused change again, also when its read broke off and
// the user then put the image back in order (a file loaded).
TEST_F(DeviceLinkTest, ANewConnectionRetriesARefusedChangeAfterABrokenRead) {
  connect();
  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  model.working.data()[3] ^= 1;
  tick();
  ASSERT_EQ(link.pendingChanges(), 1u);
  const config::ConfigImage edited = model.working;
  controller.unplug();
  tick();
  controller.setAreaAnswer(area::kConfiguration, 0);
  controller.plugIn();
  controller.endReadsAt(area::kConfiguration, 5000);
  waitForConnection();
  ASSERT_TRUE(link.isConnected());
  ASSERT_FALSE(link.inSync());
  controller.clearFaults();
  model.working = edited;
  link.setInSync(true);
  tick();
  tick();
  EXPECT_EQ(controller.configuration(), edited);
  EXPECT_EQ(link.pendingChanges(), 0u);
}

// Serial number 1 is a controller like any other: its return brings what was kept for it.
TEST_F(DeviceLinkTest, TheLowestSerialNumberGetsItsChangesOnReturn) {
  controller.identity().serialNumber = 1;
  connect();
  ASSERT_EQ(link.lastSerialNumber(), 1u);
  // What the controller holds where the user changed nothing is read on its return.
  controller.configuration().data()[4000] = 0x44;
  config::ConfigImage edited = editWhileAway({{700, 0x3C}});
  edited.data()[4000] = 0x44;
  EXPECT_EQ(model.working, edited);
  EXPECT_EQ(controller.configuration(), edited);
  // Once delivered, nothing is kept for it: a read the program makes replaces the image again, and
  // so does one the user asks for.
  model.working.data()[4100] ^= 1;
  link.suspendPoll();
  ASSERT_EQ(link.readConfiguration(), status::kOk);
  link.resumePoll();
  EXPECT_EQ(model.working, controller.configuration());
  model.working.data()[4100] ^= 1;
  ASSERT_EQ(link.readConfigurationReported(), status::kOk);
  EXPECT_EQ(model.working, controller.configuration());
}

// Leaving the connection without a failure (a language switch) keeps the changes for the return.
TEST_F(DeviceLinkTest, LeavingTheConnectionKeepsTheChanges) {
  connect();
  link.clearConnected();
  const std::uint8_t edited = model.working.data()[1200] ^ 0x42;
  model.working.data()[1200] = edited;
  for (int i = 0; i < 8 && !(link.isConnected() && link.inSync()); ++i) {
    tick();
  }
  tick();
  EXPECT_EQ(model.working.data()[1200], edited);
  EXPECT_EQ(controller.configuration().data()[1200], edited);
  EXPECT_EQ(link.pendingChanges(), 0u);
}

// A read the user asks for replaces what was kept for a return that could not be read.
TEST_F(DeviceLinkTest, AReadTheUserAsksForDropsWhatWasKept) {
  connect();
  model.working.data()[9000] ^= 0x0F;
  controller.unplug();
  tick();
  controller.plugIn();
  controller.endReadsAt(area::kConfiguration, 5000);
  waitForConnection();
  ASSERT_TRUE(link.isConnected());
  controller.clearFaults();
  ASSERT_EQ(link.readConfigurationReported(), status::kOk);
  EXPECT_EQ(model.working, controller.configuration());
  EXPECT_EQ(link.pendingChanges(), 0u);
}

// A successful whole read ends both what a broken read left and the changes held after a refusal.
TEST_F(DeviceLinkTest, AWholeReadEndsABrokenReadAndHeldChanges) {
  connect();
  const std::size_t at = layout::kParamBlock.offset + 40;
  controller.configuration().data()[at] = 5;
  controller.endReadsAt(area::kConfiguration, 5000);
  link.suspendPoll();
  ASSERT_NE(link.readConfiguration(), status::kOk);
  controller.clearFaults();
  ASSERT_EQ(link.readConfiguration(), status::kOk);
  link.resumePoll();
  ASSERT_EQ(model.working.data()[at], 5);
  model.working.data()[at] = 0;
  EXPECT_EQ(link.pendingChanges(), 1u);
  tick();
  EXPECT_EQ(controller.configuration().data()[at], 0);

  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  model.working.data()[at] = 6;
  tick();
  ASSERT_EQ(link.pendingChanges(), 1u);
  controller.clearFaults();
  link.suspendPoll();
  ASSERT_EQ(link.readConfiguration(), status::kOk);
  link.resumePoll();
  model.working.data()[at] = 7;
  tick();
  EXPECT_EQ(controller.configuration().data()[at], 7);
}

// An episode of failures lasts while anything is still held: a change the controller takes
// meanwhile does not end it, so a further refusal gets no second box.
TEST_F(DeviceLinkTest, AFailureEpisodeLastsWhileChangesAreHeld) {
  connect();
  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  model.working.data()[3] ^= 1;
  tick();
  ASSERT_EQ(host.errors.size(), 1u);
  controller.clearFaults();
  model.working.data()[2000] ^= 1;
  tick();  // the new change goes; the held one waits for the next pass
  ASSERT_EQ(controller.configuration().data()[2000], model.working.data()[2000]);
  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  tick();  // the held one is refused again
  EXPECT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(link.pendingChanges(), 1u);
}

// Another controller in its place does not get the changes meant for the first one.
TEST_F(DeviceLinkTest, ChangesKeptForOneControllerAreNotSentToAnother) {
  connect();
  controller.unplug();
  tick();
  model.working.data()[1234] ^= 0xFF;
  controller.replaceWithAnotherController(5550123);
  waitForConnection();
  tick();
  EXPECT_EQ(model.working, controller.configuration());
  EXPECT_TRUE(requestsFor(area::kConfiguration | kWriteFlag).empty());
}

TEST_F(DeviceLinkTest, AnotherControllerTriggersAFreshRead) {
  connect();
  controller.replaceWithAnotherController(5550123);
  controller.configuration().data()[200] = 0x42;
  for (int i = 0; i < 6 && link.lastSerialNumber() != 5550123; ++i) {
    tick();
  }
  EXPECT_EQ(link.lastSerialNumber(), 5550123u);
  EXPECT_EQ(model.working.data()[200], 0x42);
  EXPECT_TRUE(link.inSync());
  EXPECT_EQ(requestsFor(area::kConfiguration).size(), 238u);
}

TEST_F(DeviceLinkTest, ResetTakesTheControllerAwayAndThePollSeesItReturn) {
  connect();
  controller.setRestartTime(300);
  EXPECT_EQ(link.resetDevice(), status::kOk);
  EXPECT_EQ(controller.resetCount(), 1u);
  link.forgetSerialNumber();
  tick();
  EXPECT_FALSE(link.isConnected());
  for (int i = 0; i < 10 && !link.isConnected(); ++i) {
    host.now += 200;
    tick();
  }
  EXPECT_TRUE(link.isConnected());
}

TEST_F(DeviceLinkTest, RestoreDefaultsAsksFirst) {
  connect();
  host.answers = {false};
  EXPECT_EQ(link.restoreDefaults(), status::kOk);
  EXPECT_TRUE(controller.requests().empty());
  ASSERT_EQ(host.questions.size(), 1u);
  EXPECT_EQ(host.questions[0],
            "Are you sure you want to reset\nthe device configuration\nto its default state?");
  controller.configuration().data()[50] = 0x99;
  host.answers = {true};
  EXPECT_EQ(link.restoreDefaults(), status::kOk);
  ASSERT_EQ(requestsFor(area::kRestoreDefaults | kWriteFlag).size(), 1u);
  EXPECT_EQ(requestsFor(area::kRestoreDefaults | kWriteFlag)[0].offset, 0);
  EXPECT_EQ(link.pollSuspendCount(), 0u);
  EXPECT_FALSE(host.timerOnDuringBox);  // no poll while the question waits
}

// A step the link calls out to (the backup before defaults, the pages' corrections after a read)
// may fail by throwing: the poll runs again all the same, or the controller would never be polled
// again.
TEST_F(DeviceLinkTest, AStepThatThrowsLeavesThePollRunning) {
  connect();
  host.answers = {true};
  EXPECT_THROW(link.restoreDefaults([]() -> bool { throw std::runtime_error("backup"); }),
               std::runtime_error);
  EXPECT_EQ(link.pollSuspendCount(), 0u);
  EXPECT_TRUE(host.pollTimerEnabled);
  EXPECT_TRUE(requestsFor(area::kRestoreDefaults | kWriteFlag).empty());

  link.normaliseAfterRead([](config::ConfigImage&) { throw std::runtime_error("correction"); });
  EXPECT_THROW(link.readConfiguration(), std::runtime_error);
  EXPECT_EQ(link.pollSuspendCount(), 0u);
  EXPECT_TRUE(host.pollTimerEnabled);
}

TEST_F(DeviceLinkTest, AreaAnswersMapToStatuses) {
  connect();
  std::array<std::uint8_t, 8> buffer{};
  controller.setAreaAnswer(area::kKeyLearning, kAnswerBadParameters);
  EXPECT_EQ(link.readArea(area::kKeyLearning, 0, buffer), status::kBadParameters);
  EXPECT_EQ(link.writeArea(area::kKeyLearning, 0, buffer), status::kBadParameters);
  controller.setAreaAnswer(area::kKeyLearning, kAnswerFailed);
  EXPECT_EQ(link.writeArea(area::kKeyLearning, 0, buffer), status::kFailedResult);
  EXPECT_EQ(link.readArea(0x30, 0, buffer), status::kBadParameters);  // unknown area
  controller.clearRequests();
  const std::array<std::uint8_t, 65> tooLong{};
  EXPECT_EQ(link.writeArea(area::kConfiguration, 0, tooLong), status::kBadParameters);
  EXPECT_TRUE(controller.requests().empty());
  while (link.trafficHoldOff() > 0) {
    link.pollTick();
  }
  EXPECT_EQ(link.writeArea(area::kConfiguration, 0, std::span(tooLong).first(64)), status::kOk);
  EXPECT_EQ(link.trafficHoldOff(), kTrafficHoldOffTicks);
}

TEST_F(DeviceLinkTest, AnswerFaultsAreRetriedOrReported) {
  connect();
  std::array<std::uint8_t, 4> buffer{};
  controller.injectFault(AnswerFault::WrongChecksum, 2);
  EXPECT_EQ(link.readArea(area::kVariables, 0, buffer), status::kOk);
  controller.injectFault(AnswerFault::WrongChecksum, 3);
  EXPECT_EQ(link.readArea(area::kVariables, 0, buffer), status::kBadAnswer);
  controller.injectFault(AnswerFault::LengthAbove64, 3);
  EXPECT_EQ(link.readArea(area::kVariables, 0, buffer), status::kBadAnswer);
  controller.injectFault(AnswerFault::WrongReportId, 3);
  EXPECT_EQ(link.readArea(area::kVariables, 0, buffer), status::kBadReportId);
  controller.clearFaults();
  EXPECT_EQ(link.readArea(area::kVariables, 0, buffer), status::kOk);
}

TEST_F(DeviceLinkTest, SilentControllerCostsThreeTimeOutsAndThreePauses) {
  connect();
  controller.injectFault(AnswerFault::Silence);
  const std::uint32_t start = host.now;
  std::array<std::uint8_t, 4> buffer{};
  EXPECT_EQ(link.readArea(area::kVariables, 0, buffer), status::kTimeout);
  const std::uint32_t spent = host.now - start;
  EXPECT_GE(spent, 3u * 200u + 3u * 50u);
  EXPECT_LE(spent, 3u * 203u + 3u * 50u);
  EXPECT_EQ(host.waits, (std::vector<std::uint32_t>{50, 50, 50}));
}

TEST_F(DeviceLinkTest, SlowAnswersArriveWithinTheTimeOut) {
  connect();
  controller.setAnswerDelay(20, 150);
  std::array<std::uint8_t, 4> buffer{};
  EXPECT_EQ(link.readArea(area::kVariables, 0, buffer), status::kOk);
  EXPECT_TRUE(host.waits.empty());
}

TEST_F(DeviceLinkTest, ActivityDotsAndConnectionLine) {
  connect();
  std::vector<unsigned> dots;
  for (int i = 0; i < 12; ++i) {
    tick();
    dots.push_back(link.activityDots());
  }
  EXPECT_EQ(dots, (std::vector<unsigned>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1}));
  // The CAN-log page follows the image on every connected poll.
  EXPECT_EQ(host.canPageRefreshes, 12);
  EXPECT_EQ(host.statusTexts.back(), "Controller \"KIVSOLANPRISM-F401 V1.40\" is connected.");
  controller.setCurrentSource(2);
  tick();
  EXPECT_EQ(host.currentSource.back(), (std::pair<std::string, bool>{"Selected: 3", true}));
  lang::setCurrentLanguage(lang::Language::Russian);
  tick();
  EXPECT_EQ(host.statusTexts.back(), "Контроллер \"KIVSOLANPRISM-F401 V1.40\" подключен...");
}

TEST_F(DeviceLinkTest, MonitoringTextIsDrainedIntoLinesAndSpeedsUpThePoll) {
  connect();
  controller.queueMonitoringText("KEY 1 PRESSED\r\nIR x12,");
  tick();
  EXPECT_EQ(host.monitoringLines, std::vector<std::string>{"KEY 1 PRESSED"});
  EXPECT_EQ(link.pollInterval(), kPollFastMs);
  controller.queueMonitoringText("34\n");
  tick();
  EXPECT_EQ(host.monitoringLines.back(), "IR x12,34");
  for (const auto& read : requestsFor(area::kMonitorText)) {
    EXPECT_EQ(read.offset, 0);
  }
  for (int i = 0; i < 5; ++i) {
    tick();
    EXPECT_EQ(link.pollInterval(), kPollFastMs) << i;
  }
  tick();
  EXPECT_EQ(link.pollInterval(), kPollIdleMs);
}

TEST_F(DeviceLinkTest, OneDrainTakesAboutAKilobyte) {
  connect();
  controller.queueMonitoringText(std::string(3000, 'x') + "\n");
  tick();
  EXPECT_TRUE(host.monitoringLines.empty());
  const std::size_t firstDrain = requestsFor(area::kMonitorText).size();
  EXPECT_GE(firstDrain, 17u);  // 64-byte answers until more than 1024 bytes
  EXPECT_LE(firstDrain, 18u);
  for (int i = 0; i < 4; ++i) {
    tick();
  }
  ASSERT_EQ(host.monitoringLines.size(), 1u);
  EXPECT_EQ(host.monitoringLines[0].size(), 3000u);
}

TEST_F(DeviceLinkTest, CanRecordsAreHandedOverWholeAndBothKindsAlternate) {
  connect();
  for (std::uint8_t i = 0; i < 6; ++i) {
    sim::CanRecord r;
    r.identifierWord = sim::CanRecord::standardId(0x100u + i);
    r.length = 1;
    r.data[0] = i;
    controller.canLog().queue(r);
  }
  controller.queueMonitoringText("A\nB\nC\n");
  tick();  // both waiting: monitoring text first
  EXPECT_EQ(host.monitoringLines.size(), 3u);
  EXPECT_TRUE(host.canRecords.empty());
  EXPECT_EQ(link.pollInterval(), kPollCanMs);
  host.now = 10'000;
  tick();  // only CAN waits now
  ASSERT_EQ(host.canRecords.size(), 3u);
  EXPECT_NE(host.statusTexts.back().find(", 0 packets/sec"), std::string::npos);
  EXPECT_EQ(host.canRecords[0].size(), kCanRecordSize);
  EXPECT_EQ(host.canRecords[2][5], 2);  // the data byte after the identifier word and length
  host.now = 11'000;
  // The rate is the CAN log's own count (its start commands restart it), not a count of the link.
  host.canRate = 7;
  controller.queueMonitoringText("D\n");
  tick();  // both again: the toggle now picks the CAN log
  EXPECT_EQ(host.canRecords.size(), 6u);
  EXPECT_EQ(host.monitoringLines.size(), 3u);
  EXPECT_NE(host.statusTexts.back().find(", 7 packets/sec"), std::string::npos);
  tick();
  EXPECT_EQ(host.monitoringLines.size(), 4u);
  // The rate stays in the connection line for five lines from the last CAN drain: the drain's own,
  // the monitoring tick's and three more.
  host.statusTexts.clear();
  for (int i = 0; i < 7; ++i) {
    tick();
  }
  const auto withRate = std::count_if(
      host.statusTexts.begin(), host.statusTexts.end(),
      [](const std::string& t) { return t.find("packets/sec") != std::string::npos; });
  EXPECT_EQ(withRate, 3);
}

TEST_F(DeviceLinkTest, ClosingWindowTakesNoCanRecords) {
  connect();
  sim::CanRecord r;
  r.identifierWord = sim::CanRecord::standardId(0x100);
  controller.canLog().queue(r);
  host.shutdown = true;
  tick();
  EXPECT_TRUE(host.canRecords.empty());
}

// A line cut short by a disconnect is not glued to the first line after the return.
TEST_F(DeviceLinkTest, AReconnectionStartsANewMonitoringLine) {
  connect();
  controller.queueMonitoringText("half a li");
  tick();
  controller.unplug();
  tick();
  controller.plugIn();
  waitForConnection();
  controller.queueMonitoringText("whole\n");
  tick();
  tick();
  EXPECT_EQ(host.monitoringLines, std::vector<std::string>{"whole"});
}

TEST_F(DeviceLinkTest, UserCommandKeepsWaitingDataInTheController) {
  connect();
  controller.queueMonitoringText("held\n");
  link.setUserCommand(true);
  tick();
  EXPECT_TRUE(host.monitoringLines.empty());
  EXPECT_TRUE(requestsFor(area::kMonitorText).empty());
  link.setUserCommand(false);
  tick();
  EXPECT_EQ(host.monitoringLines, std::vector<std::string>{"held"});
}

TEST_F(DeviceLinkTest, AFailedDrainFailsThePoll) {
  connect();
  controller.queueMonitoringText("lost\n");
  controller.setAreaAnswer(area::kMonitorText, kAnswerFailed);
  tick();
  EXPECT_FALSE(link.isConnected());
  EXPECT_EQ(host.statusTexts.back(), "Failed result");
  EXPECT_EQ(host.currentSource.back(), (std::pair<std::string, bool>{"Selected: ?", false}));
  EXPECT_TRUE(host.monitoringLines.empty());
}

TEST_F(DeviceLinkTest, RunningCanLogIsNamedInTheConnectionLine) {
  connect();
  controller.canLog().setMode(1, host.now);
  controller.canLog().setRate(0);
  host.canToFile = true;
  tick();
  EXPECT_NE(host.statusTexts.back().find(". CAN log started and written to the file"),
            std::string::npos);
}

TEST_F(DeviceLinkTest, VariablesAreReadOnlyWhileTheirViewShows) {
  connect();
  controller.setVariables({1, 2, 0x80, 255});
  tick();
  EXPECT_TRUE(host.variables.empty());
  host.variablesView = true;
  tick();
  ASSERT_EQ(host.variables.size(), 1u);
  EXPECT_EQ(host.variables[0].bin[2], "1000 0000");
  EXPECT_EQ(host.variables[0].dec[3], "255");
}

// The window gets to run before each read of the variables and of the drains.
TEST_F(DeviceLinkTest, TheWindowRunsBeforeEveryReadOfTheDrainsAndTheVariables) {
  connect();
  tick();
  int before = host.processEventsCalls;
  tick();
  const int idle = host.processEventsCalls - before;
  host.variablesView = true;
  before = host.processEventsCalls;
  tick();
  EXPECT_EQ(host.processEventsCalls - before, idle + 1);
  host.variablesView = false;
  controller.queueMonitoringText("x\n");
  before = host.processEventsCalls;
  tick();  // one read with the text, one that comes back empty
  EXPECT_EQ(host.processEventsCalls - before, idle + 2);
  sim::CanRecord r;
  r.identifierWord = sim::CanRecord::standardId(0x100);
  controller.canLog().queue(r);
  before = host.processEventsCalls;
  tick();
  EXPECT_EQ(host.processEventsCalls - before, idle + 1);
  EXPECT_EQ(host.canRecords.size(), 1u);
}

TEST_F(DeviceLinkTest, ReadDeviceInfoLogsTheHeaderAndFourLines) {
  connect();
  host.logLines.clear();
  DeviceInfo info;
  ASSERT_EQ(link.readDeviceInfo(info), status::kOk);
  EXPECT_EQ(info.serialNumber, controller.identity().serialNumber);
  ASSERT_EQ(host.logLines.size(), 5u);
  EXPECT_EQ(host.logLines[0], "******************* Device *******************");
  EXPECT_EQ(host.logLines[1], "Controller          \"KIVSOLANPRISM-F401\"");
  EXPECT_EQ(host.logLines[2], "The serial number   4010001");
  EXPECT_EQ(host.logLines[3], "Boot version        1.05");
  info.applicationVersion = 0;
  link.showDeviceInfo(info);
  EXPECT_EQ(host.logLines.back(), "Application version (application is not loaded)");
}

// Versions count in hundredths: 199 is 1.99 and 299 is 2.99, in the log and in the connection line.
TEST_F(DeviceLinkTest, VersionsReadAsMajorAndTwoMinorDigits) {
  controller.identity().loaderVersion = 199;
  controller.identity().applicationVersion = 299;
  connect();
  EXPECT_NE(std::find(host.logLines.begin(), host.logLines.end(), "Boot version        1.99"),
            host.logLines.end());
  EXPECT_EQ(host.logLines.back(), "Application version 2.99");
  tick();
  EXPECT_TRUE(
      host.statusTexts.back().starts_with("Controller \"KIVSOLANPRISM-F401 V2.99\" is connected"))
      << host.statusTexts.back();
}

TEST_F(DeviceLinkTest, ReportedReadFailureShowsTheBoxAndRestoresTheToolbar) {
  connect();
  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  host.toolbarUpdates.clear();
  bool userCommandWhileReading = false;
  host.onProcessEvents = [&] { userCommandWhileReading |= link.userCommand(); };
  EXPECT_EQ(link.readConfigurationReported(), status::kFailedResult);
  host.onProcessEvents = nullptr;
  EXPECT_TRUE(userCommandWhileReading);
  EXPECT_EQ(host.toolbarUpdates, (std::vector<bool>{true, false}));
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0],
            "Error reading the configuration of the device\nFailed result\nUpdate controller "
            "software");
  EXPECT_FALSE(link.userCommand());
  EXPECT_EQ(host.toolbarUpdates.back(), false);
  EXPECT_EQ(link.pollSuspendCount(), 0u);
  EXPECT_FALSE(host.timerOnDuringBox);  // no poll while the box is open
  EXPECT_TRUE(host.pollTimerEnabled);
}

TEST_F(DeviceLinkTest, HoldOffSkipsTwoTicksAfterOtherTraffic) {
  connect();
  std::array<std::uint8_t, 4> buffer{};
  link.readArea(area::kVariables, 0, buffer);
  EXPECT_FALSE(link.pollTick());
  EXPECT_FALSE(link.pollTick());
  EXPECT_EQ(link.trafficHoldOff(), 0u);
}

// After streaming data the disconnected probe goes back to the idle pace.
TEST_F(DeviceLinkTest, PollReturnsToIdleIntervalWhenTheControllerGoes) {
  connect();
  sim::CanRecord r;
  r.identifierWord = sim::CanRecord::standardId(0x100);
  controller.canLog().queue(r);
  controller.queueMonitoringText("x\n");
  tick();
  EXPECT_EQ(link.pollInterval(), kPollCanMs);
  tick();  // the records' turn: the connection line shows their rate
  ASSERT_EQ(host.canRecords.size(), 1u);
  ASSERT_NE(host.statusTexts.back().find("packets/sec"), std::string::npos);
  controller.unplug();
  tick();
  EXPECT_FALSE(link.isConnected());
  EXPECT_EQ(link.pollInterval(), kPollIdleMs);
  EXPECT_EQ(host.pollIntervals.back(), kPollIdleMs);
  EXPECT_EQ(host.connectionChanges, (std::vector<bool>{true, false}));
  // Back again: no rate from before the loss, the idle pace at once, the dots from the start.
  controller.plugIn();
  waitForConnection();
  tick();
  EXPECT_EQ(link.pollInterval(), kPollIdleMs);
  EXPECT_EQ(host.statusTexts.back().find("packets/sec"), std::string::npos);
  EXPECT_EQ(link.activityDots(), 1u);
}

// A device-information answer shorter than the record is a failed read, never a controller with
// serial 0 and version 0.00.
TEST_F(DeviceLinkTest, ShortDeviceInformationIsAFailedRead) {
  connect();
  DeviceInfo info;
  info.serialNumber = 77;
  controller.endReadsAt(area::kDeviceInfo, kDeviceInfoSize - 1);
  EXPECT_EQ(link.readDeviceInfo(info), status::kRangeEndedEarly);
  EXPECT_EQ(info.serialNumber, 77u);
  tick();
  EXPECT_FALSE(link.isConnected());
  EXPECT_EQ(link.deviceInfo().serialNumber, controller.identity().serialNumber);
  controller.endReadsAt(area::kDeviceInfo, kDeviceInfoSize);
  tick();
  EXPECT_TRUE(link.isConnected());
}

// A procedure driven by the poll: one step per tick while connected, stopped when the controller
// goes away.
TEST_F(DeviceLinkTest, PollStepsAProcedureAndStopsItOnDisconnect) {
  connect();
  testing::CountingProcedure finishing(2);
  ASSERT_EQ(link.startProcedure(finishing), status::kOk);
  testing::CountingProcedure second(2);
  EXPECT_EQ(link.startProcedure(second), status::kBadParameters);
  EXPECT_EQ(second.starts, 0);
  tick();
  tick();
  EXPECT_EQ(finishing.steps, 2);
  EXPECT_EQ(link.activeProcedure(), nullptr);
  tick();
  EXPECT_EQ(finishing.steps, 2);

  testing::CountingProcedure endless(1000);
  ASSERT_EQ(link.startProcedure(endless), status::kOk);
  tick();
  controller.unplug();
  tick();
  EXPECT_EQ(endless.stops, 1);
  EXPECT_EQ(link.activeProcedure(), nullptr);
  const int steps = endless.steps;
  tick();
  EXPECT_EQ(endless.steps, steps);
}

// --- the poll's pace and its place among other traffic ---

// After CAN records the poll stays quick for a few ticks, as after monitoring text, then idles.
TEST_F(DeviceLinkTest, AfterCanRecordsThePollStaysQuickForAFewTicks) {
  connect();
  sim::CanRecord r;
  r.identifierWord = sim::CanRecord::standardId(0x100);
  controller.canLog().queue(r);
  tick();
  ASSERT_EQ(host.canRecords.size(), 1u);
  EXPECT_EQ(link.pollInterval(), kPollCanMs);
  for (const auto& read : requestsFor(area::kCanLog)) {
    EXPECT_EQ(read.offset, 0);
  }
  for (unsigned i = 0; i < kFastPollTicks; ++i) {
    tick();
    EXPECT_EQ(link.pollInterval(), kPollFastMs) << i;
  }
  tick();
  EXPECT_EQ(link.pollInterval(), kPollIdleMs);
  // Both kinds waiting, and the records gone before their turn: the quick ticks follow as well.
  controller.canLog().queue(r);
  controller.queueMonitoringText("x\n");
  tick();
  controller.canLog().clear();
  tick();
  EXPECT_EQ(link.pollInterval(), kPollFastMs);
}

// The poll's own exchanges run with the timer stopped, and a tick takes down the gauge of the
// whole transfer before it.
TEST_F(DeviceLinkTest, ATickRunsWithTheTimerOffAndTakesTheGaugeDown) {
  connect();
  ASSERT_TRUE(host.progressVisible);  // the connection's whole read
  bool timerOn = false;
  host.onProcessEvents = [&] { timerOn |= host.pollTimerEnabled; };
  controller.queueMonitoringText("x\n");
  tick();
  host.onProcessEvents = nullptr;
  EXPECT_FALSE(timerOn);
  EXPECT_TRUE(host.pollTimerEnabled);
  EXPECT_FALSE(host.progressVisible);
}

// Ticks that come while another exchange holds the transport (a waiting box inside the firmware
// update's packets lets the timer run) are skipped instead of mixing their requests into that
// exchange, also once the hold-off after traffic has run out.
TEST_F(DeviceLinkTest, TicksDuringAnotherExchangeAreSkipped) {
  connect();
  tick();
  ASSERT_EQ(link.trafficHoldOff(), 0u);
  unsigned nestedTicks = 0;
  bool anyNestedTickRan = false;
  controller.setReportCallHook([&] {
    host.now += 1;
    // Counted before the tick, so that a tick which does run cannot recurse without end.
    while (nestedTicks < kTrafficHoldOffTicks + 2) {
      ++nestedTicks;
      anyNestedTickRan = link.pollTick() || anyNestedTickRan;
    }
  });
  controller.clearRequests();
  std::array<std::uint8_t, 64> answer{};
  EXPECT_EQ(link.readArea(area::kVariables, 0, answer), status::kOk);
  controller.setReportCallHook([this] { host.now += 1; });
  ASSERT_EQ(nestedTicks, kTrafficHoldOffTicks + 2);
  EXPECT_FALSE(anyNestedTickRan);
  EXPECT_EQ(controller.requests().size(), 1u);
}

// A controller under a later product id of the family is found by the poll's probe.
TEST_F(DeviceLinkTest, TheProbeFindsAControllerUnderAnotherProductId) {
  sim::UsbIdentity usb;
  usb.productId = kProductIds[2];
  controller.setUsbIdentity(usb);
  connect();
  EXPECT_EQ(model.working, controller.configuration());
}

// A page that removed its listeners hears nothing more from the link; the others still do.
TEST_F(DeviceLinkTest, RemovedListenersHearNothing) {
  FakeLinkHost page;
  page.variablesView = true;
  page.attach(link);
  link.removeMonitorListener(page);
  link.removeCanRecordListener(page);
  link.removeStateListener(page);
  link.removeVariablesListener(page);
  link.removeConnectionListener(page);
  connect();
  controller.queueMonitoringText("x\n");
  tick();
  controller.unplug();
  tick();
  EXPECT_TRUE(page.logLines.empty());
  EXPECT_TRUE(page.monitoringLines.empty());
  EXPECT_EQ(page.canPageRefreshes, 0);
  EXPECT_TRUE(page.currentSource.empty());
  EXPECT_TRUE(page.stateWords.empty());
  EXPECT_TRUE(page.variables.empty());
  EXPECT_TRUE(page.connectionChanges.empty());
  EXPECT_EQ(page.reloads, 0);
  EXPECT_EQ(host.monitoringLines, std::vector<std::string>{"x"});
  EXPECT_EQ(host.connectionChanges, (std::vector<bool>{true, false}));
}

// --- what counts as a change, and what ends a failure ---

TEST(SyncStateText, SaysWhereTheChangesAre) {
  lang::setCurrentLanguage(lang::Language::English);
  EXPECT_EQ(syncStateText({false, 0}), "");
  EXPECT_EQ(syncStateText({false, 1}), "Not connected: changes are kept here (1)");
  EXPECT_EQ(syncStateText({true, 0}), "All changes are on the controller");
  EXPECT_EQ(syncStateText({true, 1}), "Changes not yet on the controller: 1");
  EXPECT_EQ(syncStateText({true, 12}), "Changes not yet on the controller: 12");
}

// Adjacent changed bytes are one change: the panel counts runs, not bytes.
TEST_F(DeviceLinkTest, AdjacentChangedBytesCountAsOneChange) {
  connect();
  link.clearConnected();
  for (std::size_t at = 3000; at < 3003; ++at) {
    model.working.data()[at] ^= 0x11;
  }
  model.working.data()[3004] ^= 0x11;
  for (std::size_t at = 3000; at < 3005; ++at) {
    EXPECT_EQ(link.isChange(at), at != 3003) << at;
  }
  EXPECT_EQ(link.pendingChanges(), 2u);
  link.updateSyncText();
  EXPECT_EQ(host.syncTexts.back(), "Not connected: changes are kept here (2)");
}

// The controller took a whole image and refused only its reset: what was held and the failure
// episode end with the write, so a held byte edited again goes, and a new refusal gets its box.
TEST_F(DeviceLinkTest, AWholeWriteEndsHeldChangesAndTheFailureEpisode) {
  connect();
  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  model.working.data()[3] ^= 1;
  tick();
  ASSERT_EQ(host.errors.size(), 1u);
  controller.setAreaAnswer(area::kConfiguration, 0);
  controller.setAreaAnswer(area::kReset, kAnswerFailed);
  EXPECT_EQ(link.writeConfiguration(), status::kFailedResult);
  ASSERT_EQ(controller.configuration(), model.working);
  EXPECT_EQ(link.pendingChanges(), 0u);
  EXPECT_EQ(host.errors.size(), 1u);

  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  model.working.data()[5] ^= 1;
  tick();
  EXPECT_EQ(host.errors.size(), 2u);
  controller.setAreaAnswer(area::kConfiguration, 0);
  model.working.data()[3] ^= 1;
  tick();
  tick();
  EXPECT_EQ(controller.configuration(), model.working);
  EXPECT_EQ(link.pendingChanges(), 0u);
}

// Sending the user's changes shows its own flash, not the gauge a failed whole write left behind.
TEST_F(DeviceLinkTest, SendingChangesLeavesTheGaugeAlone) {
  connect();
  controller.setAreaAnswer(area::kConfiguration, kAnswerFailed);
  model.working.data()[10] ^= 1;
  ASSERT_EQ(link.writeConfiguration(), status::kFailedResult);
  controller.setAreaAnswer(area::kConfiguration, 0);
  model.working.data()[2000] ^= 1;
  const std::size_t shown = host.progress.size();
  tick();
  EXPECT_EQ(controller.configuration().data()[2000], model.working.data()[2000]);
  EXPECT_EQ(host.progress.size(), shown);
  EXPECT_FALSE(host.progressVisible);
  EXPECT_TRUE(host.statusTexts.back().starts_with("Controller \""));
}

}  // namespace
}  // namespace kivprism::device

namespace kivprism::device {
namespace {

// A controller with its keyboard, mouse and touch functions on lists those interfaces first under
// the same ids; they refuse feature reports. The link must settle on the configuration interface.
class CompositeControllerTest : public DeviceLinkTest,
                                public ::testing::WithParamInterface<std::uint16_t> {};

TEST_P(CompositeControllerTest, TheConfigurationInterfaceIsUsedNotTheFirstNode) {
  const std::uint16_t configurationPage = GetParam();
  // The platform may not tell the usage pages at all; then the interfaces must show it.
  const bool told = configurationPage != 0;
  const std::uint16_t keyboardPage = told ? 0x01 : 0;
  const std::uint16_t touchPage = told ? 0x0D : 0;
  port.setComposite({{keyboardPage, 0}, {keyboardPage, 1}, {touchPage, 3}}, configurationPage, 2);
  controller.configuration().data()[77] = 0x77;
  connect();
  EXPECT_EQ(model.working.data()[77], 0x77);
  EXPECT_TRUE(link.inSync());
  model.working.data()[78] = 0x78;
  tick();
  EXPECT_EQ(controller.configuration().data()[78], 0x78);
  EXPECT_TRUE(host.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(UsagePages, CompositeControllerTest,
                         ::testing::Values(std::uint16_t{0xFF00}, std::uint16_t{0xFFA0},
                                           std::uint16_t{0}));

}  // namespace
}  // namespace kivprism::device
