// Answer timing, fault injection and the controller's presence on the bus.
#include <gtest/gtest.h>

#include "sim/sim_fixture.hpp"

namespace kivprism::sim::test {
namespace {

namespace area = device::area;
using device::HidResult;

class Transport : public SimFixture {
 protected:
  device::Report getFeature() {
    device::Report r{};
    r[0] = device::kReportId;
    EXPECT_EQ(port.getFeature(r), HidResult::Ok);
    return r;
  }
  void sendRead(std::uint8_t areaNumber) {
    ASSERT_EQ(port.setFeature(device::makeReadRequest(areaNumber, 0)), HidResult::Ok);
  }
};

TEST_F(Transport, AnswerIsReadOnceAfterTheEmptyReads) {
  controller.setAnswerDelay(3);
  sendRead(area::kDeviceInfo);
  for (int i = 0; i < 3; ++i) {
    const device::Report empty = getFeature();
    EXPECT_EQ(empty[0], device::kReportId);
    EXPECT_EQ(device::packetCmd(empty), 0);
  }
  EXPECT_EQ(device::packetCmd(getFeature()), 0x81);
  EXPECT_EQ(device::packetCmd(getFeature()), 0);
}

TEST_F(Transport, AnswerWaitsForSimulatedTime) {
  controller.setAnswerDelay(0, 20);
  sendRead(area::kDeviceInfo);
  clock.advance(19);
  EXPECT_EQ(device::packetCmd(getFeature()), 0);
  clock.advance(1);
  EXPECT_EQ(device::packetCmd(getFeature()), 0x81);
}

TEST_F(Transport, ANewRequestReplacesAnUnreadAnswer) {
  sendRead(area::kDeviceInfo);
  sendRead(area::kVariables);
  EXPECT_EQ(device::packetCmd(getFeature()), 0x97);
}

TEST_F(Transport, CorruptAnswersForAsManyAnswersAsAsked) {
  controller.injectFault(AnswerFault::WrongChecksum, 2);
  EXPECT_FALSE(device::hasValidChecksum(read(area::kDeviceInfo, 0)));
  EXPECT_FALSE(device::hasValidChecksum(read(area::kDeviceInfo, 0)));
  EXPECT_TRUE(device::hasValidChecksum(read(area::kDeviceInfo, 0)));

  controller.injectFault(AnswerFault::LengthAbove64, 1);
  const device::Report longAnswer = read(area::kDeviceInfo, 0);
  EXPECT_GT(device::packetLen(longAnswer), 64);
  EXPECT_TRUE(device::hasValidChecksum(longAnswer));

  controller.injectFault(AnswerFault::WrongReportId);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NE(read(area::kDeviceInfo, 0)[0], device::kReportId);
  }
  controller.clearFaults();
  EXPECT_EQ(read(area::kDeviceInfo, 0)[0], device::kReportId);
}

TEST_F(Transport, SilenceLeavesEveryReadEmpty) {
  controller.injectFault(AnswerFault::Silence, 1);
  EXPECT_EQ(device::packetCmd(read(area::kDeviceInfo, 0)), 0);
  EXPECT_EQ(device::packetCmd(read(area::kDeviceInfo, 0)), 0x81);
}

TEST_F(Transport, RangedReadEndsEarlyWhereTold) {
  controller.endReadsAt(area::kConfiguration, 1000);
  EXPECT_EQ(device::packetLen(read(area::kConfiguration, 960)), 40);
  EXPECT_EQ(device::packetLen(read(area::kConfiguration, 1000)), 0);
  EXPECT_EQ(device::packetLen(read(area::kConfiguration, 5000)), 0);
  EXPECT_EQ(device::packetLen(read(area::kDeviceInfo, 0)), 58);
}

TEST_F(Transport, UnplugAtTheNthRequestKillsTheHandleUntilPluggedIn) {
  controller.unplugAtRequest(2);
  EXPECT_EQ(device::packetCmd(read(area::kDeviceInfo, 0)), 0x81);
  EXPECT_EQ(port.setFeature(device::makeReadRequest(area::kDeviceInfo, 0)),
            HidResult::PlatformError);
  device::Report r{};
  r[0] = device::kReportId;
  EXPECT_EQ(port.getFeature(r), HidResult::PlatformError);
  EXPECT_FALSE(reopen());

  controller.plugIn();
  EXPECT_EQ(port.getFeature(r), HidResult::PlatformError) << "the old handle stays dead";
  ASSERT_TRUE(reopen());
  EXPECT_EQ(device::packetCmd(read(area::kDeviceInfo, 0)), 0x81);
}

TEST_F(Transport, ResetAcknowledgesThenLeavesTheBusForTheRestartTime) {
  controller.configuration().set(config::layout::kLongPressTime, 777);
  controller.queueMonitoringText("pending");
  EXPECT_EQ(device::packetCmd(write(area::kReset, 0)), 0xFF);
  EXPECT_EQ(controller.resetCount(), 1u);
  EXPECT_EQ(port.setFeature(device::makeReadRequest(area::kDeviceInfo, 0)),
            HidResult::PlatformError);
  EXPECT_FALSE(reopen());
  clock.advance(999);
  EXPECT_FALSE(reopen());
  clock.advance(1);
  ASSERT_TRUE(reopen());
  // The stored configuration survives; what sat in RAM does not.
  EXPECT_EQ(controller.configuration().get(config::layout::kLongPressTime), 777u);
  EXPECT_EQ(device::packetLen(read(area::kMonitorText, 0)), 0);
}

TEST_F(Transport, AnotherControllerTakesThePlaceWithItsOwnSerial) {
  controller.configuration().clear();
  controller.replaceWithAnotherController(555);
  device::Report r{};
  r[0] = device::kReportId;
  EXPECT_EQ(port.getFeature(r), HidResult::PlatformError);
  ASSERT_TRUE(reopen());
  const auto info = dataOf(read(area::kDeviceInfo, 0));
  EXPECT_EQ(config::readLe(info, device_info::kSerialNumberOffset, 4), 555u);
  EXPECT_EQ(controller.configuration(), factoryConfiguration());
}

TEST_F(Transport, BootLoaderStartTakesTheControllerAwayWithoutAnswer) {
  std::vector<std::uint8_t> header(64);
  header[8] = 0x01;  // device type 0x0401
  header[9] = 0x04;
  header[12] = 150;  // version 1.50
  ASSERT_EQ(port.setFeature(device::makeWriteRequest(area::kBootLoader, 0, header)), HidResult::Ok);
  device::Report r{};
  r[0] = device::kReportId;
  EXPECT_EQ(port.getFeature(r), HidResult::PlatformError);
  EXPECT_TRUE(controller.inBootLoader());
  EXPECT_FALSE(reopen());

  controller.leaveBootLoader();
  ASSERT_TRUE(reopen());
  EXPECT_EQ(controller.identity().applicationVersion, 150u);
}

TEST_F(Transport, EnumerationMatchesVendorAndProductOnly) {
  std::vector<device::HidDeviceInfo> found;
  EXPECT_EQ(port.enumerate(0xFFFF, 0x46, found), HidResult::Ok);
  EXPECT_TRUE(found.empty());
  EXPECT_EQ(port.enumerate(0xFFFF, 0x45, found), HidResult::Ok);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].manufacturer, u"KIV");
  EXPECT_EQ(found[0].product, u"SOLANPRISM-F401");
  EXPECT_EQ(port.open("elsewhere"), HidResult::PlatformError);
  EXPECT_FALSE(port.isOpen());
}

TEST_F(Transport, ReportCallHookRunsOnEveryCall) {
  int calls = 0;
  controller.setReportCallHook([&] { ++calls; });
  controller.setAnswerDelay(2);
  read(area::kDeviceInfo, 0);
  EXPECT_EQ(calls, 1 + 3);
}

TEST_F(Transport, RequestsAreRecordedForInspection) {
  write(area::kConfiguration, 14409, std::vector<std::uint8_t>{7});
  ASSERT_EQ(controller.requests().size(), 1u);
  const ReceivedRequest& r = controller.requests().back();
  EXPECT_EQ(r.cmd, 0x90);
  EXPECT_EQ(r.offset, 14409);
  EXPECT_EQ(r.payload().size(), 1u);
  EXPECT_EQ(controller.requestCount(), 1u);
}

}  // namespace
}  // namespace kivprism::sim::test
