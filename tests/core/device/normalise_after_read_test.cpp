// A configuration read from the controller that the pages must correct: the corrections are
// changes of the working image and reach the controller with the next change sending, whatever
// the window does in between.
#include <gtest/gtest.h>

#include "core/device/device_link.hpp"
#include "core/params/derive.hpp"
#include "sim/simulated_controller.hpp"
#include "sim/simulated_hid_port.hpp"
#include "support/fake_link_host.hpp"

namespace kivprism::device {
namespace {

namespace layout = config::layout;

class NormaliseAfterReadTest : public ::testing::Test {
 protected:
  NormaliseAfterReadTest() {
    lang::setCurrentLanguage(lang::Language::English);
    controller.setReportCallHook([this] { host.now += 1; });
    host.attach(link);
    link.resumePoll();
    link.normaliseAfterRead([](config::ConfigImage& image) { params::normalisePage(image); });
    // A pulse count without a source to count, and its times: the page clears them.
    controller.configuration().set(layout::kPulseNumSrc, 0);
    controller.configuration().set(layout::kPulseNum, 3);
    controller.configuration().set(layout::kPulseMsActive, 250);
    expected = controller.configuration();
    params::normalisePage(expected);
  }

  sim::SimulatedControllerOptions options() {
    sim::SimulatedControllerOptions o;
    o.clock = [this] { return host.now; };
    return o;
  }
  void connect() {
    for (int i = 0; i < 8 && !link.isConnected(); ++i) {
      while (link.trafficHoldOff() > 0) {
        link.pollTick();
      }
      link.pollTick();
    }
    ASSERT_TRUE(link.isConnected());
  }

  testing::FakeLinkHost host;
  sim::SimulatedController controller{options()};
  sim::SimulatedHidPort port{controller};
  config::ConfigModel model;
  DeviceLink link{port, host, model};
  config::ConfigImage expected;
};

TEST_F(NormaliseAfterReadTest, CorrectionsOfTheFirstReadAreChangesAndReachTheController) {
  connect();
  EXPECT_EQ(model.working, expected);
  link.syncChanges();  // the poll may have sent them already
  EXPECT_EQ(controller.configuration(), expected);
  EXPECT_EQ(model.device, expected);
  EXPECT_EQ(link.pendingChanges(), 0u);
}

TEST_F(NormaliseAfterReadTest, EveryWholeReadThatSucceedsIsCorrected) {
  connect();
  link.syncChanges();
  controller.configuration().set(layout::kPulseNum, 2);  // changed on the controller meanwhile
  link.suspendPoll();
  ASSERT_EQ(link.readConfiguration(), status::kOk);
  EXPECT_EQ(model.working.getU8(layout::kPulseNum), 0);
  EXPECT_EQ(model.device.getU8(layout::kPulseNum), 2);  // the device copy is what was read
  EXPECT_TRUE(link.isChange(layout::kPulseNum.offset));
  EXPECT_GT(link.pendingChanges(), 0u);
  link.syncChanges();
  EXPECT_EQ(controller.configuration().getU8(layout::kPulseNum), 0);

  int calls = 0;
  link.normaliseAfterRead([&calls](config::ConfigImage&) { ++calls; });
  controller.unplug();
  EXPECT_NE(link.readConfiguration(), status::kOk);
  EXPECT_EQ(calls, 0);  // a broken read is no configuration to correct
  controller.plugIn();
  ASSERT_EQ(link.readConfiguration(), status::kOk);
  EXPECT_EQ(calls, 1);
  link.resumePoll();
}

TEST_F(NormaliseAfterReadTest, WithoutANormaliserTheImageIsTakenAsRead) {
  link.normaliseAfterRead({});
  connect();
  EXPECT_EQ(model.working, controller.configuration());
  EXPECT_EQ(link.pendingChanges(), 0u);
}

}  // namespace
}  // namespace kivprism::device
