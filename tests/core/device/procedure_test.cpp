// The shape of a long device procedure, shown with a test double that asks the controller for its
// information a given number of times.
#include "core/device/procedure.hpp"

#include <gtest/gtest.h>

#include "core/device/device_link.hpp"
#include "support/counting_procedure.hpp"
#include "support/fake_hid_port.hpp"
#include "support/fake_link_host.hpp"

namespace kivprism::device {
namespace {

using testing::CountingProcedure;
using testing::FakeHidPort;
using testing::FakeLinkHost;

class ProcedureTest : public ::testing::Test {
 protected:
  ProcedureTest() {
    port.devices = {FakeHidPort::controller("/dev/hidraw0")};
    port.responder = FakeHidPort::echoing(std::vector<std::uint8_t>(kDeviceInfoSize, 0));
    link.resumePoll();
  }
  FakeLinkHost host;
  FakeHidPort port;
  config::ConfigModel model;
  DeviceLink link{port, host, model};
};

TEST_F(ProcedureTest, RunsToItsEndWithThePollSuspendedAndTheGaugeFollowing) {
  CountingProcedure procedure(3);
  host.onProcessEvents = [&] { EXPECT_GT(link.pollSuspendCount(), 0u); };
  EXPECT_EQ(runProcedure(procedure, link, 25), status::kOk);
  EXPECT_EQ(procedure.starts, 1);
  EXPECT_EQ(procedure.stops, 0);
  EXPECT_EQ(port.requests.size(), 3u);
  // A pause between steps, none after the last.
  EXPECT_EQ(host.waits, (std::vector<std::uint32_t>{25, 25}));
  ASSERT_FALSE(host.progress.empty());
  EXPECT_EQ(host.progress.back(), std::make_pair(std::size_t{3}, std::size_t{3}));
  EXPECT_EQ(host.statusTexts, (std::vector<std::string>{"Counting"}));
  EXPECT_FALSE(host.progressVisible);
  EXPECT_EQ(link.pollSuspendCount(), 0u);
  EXPECT_TRUE(host.pollTimerEnabled);
}

TEST_F(ProcedureTest, AFailureIsNeverReportedAsSuccess) {
  CountingProcedure refused(3);
  refused.startStatus = status::kBadParameters;
  EXPECT_EQ(runProcedure(refused, link, 10), status::kBadParameters);
  EXPECT_TRUE(port.requests.empty());

  CountingProcedure failing(5);
  failing.failAt = 2;
  EXPECT_EQ(runProcedure(failing, link, 10), status::kTimeout);
  EXPECT_EQ(port.requests.size(), 2u);

  CountingProcedure silent(5);
  silent.failAt = 1;
  silent.failStatus = status::kOk;
  EXPECT_EQ(runProcedure(silent, link, 10), status::kFailedResult);
  EXPECT_EQ(link.pollSuspendCount(), 0u);
}

TEST_F(ProcedureTest, ClosingTheWindowStopsIt) {
  CountingProcedure procedure(100);
  port.onGet = [&] {
    if (port.requests.size() == 4) {
      host.shutdown = true;
    }
  };
  EXPECT_EQ(runProcedure(procedure, link, 10), status::kDisconnected);
  EXPECT_EQ(procedure.stops, 1);
  EXPECT_EQ(port.requests.size(), 4u);
}

}  // namespace
}  // namespace kivprism::device
