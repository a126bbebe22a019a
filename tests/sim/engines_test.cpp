// Limits and clock edge cases of the controller's buffers and engines.
#include <gtest/gtest.h>

#include <string>

#include "sim/can_log_engine.hpp"
#include "sim/monitor_text.hpp"
#include "sim/sim_fixture.hpp"

namespace kivprism::sim::test {
namespace {

TEST(MonitorTextBuffer, KeepsTheNewestTextWhenFullAndScheduledTextInOrder) {
  MonitorText text;
  text.queue(std::string(MonitorText::kBufferLimit, 'a'));
  text.queue("bc");
  EXPECT_EQ(text.pendingBytes(), MonitorText::kBufferLimit);
  std::vector<std::uint8_t> out(MonitorText::kBufferLimit);
  ASSERT_EQ(text.take(out), MonitorText::kBufferLimit);
  EXPECT_EQ(out.front(), 'a');
  EXPECT_EQ(out[out.size() - 2], 'b');
  EXPECT_EQ(out.back(), 'c');
  EXPECT_FALSE(text.waiting());

  text.schedule(20, "second ");
  text.schedule(10, "first ");
  text.update(15);
  text.update(25);
  std::array<std::uint8_t, 32> chunk{};
  const std::size_t n = text.take(chunk);
  EXPECT_EQ(std::string(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(n)),
            "first second ");
}

TEST(CanLogBuffer, DropsNewRecordsWhenFullAndCountsThem) {
  CanLogEngine engine(7);
  engine.setRate(1000);
  engine.setMode(1, 0);
  engine.update(static_cast<std::uint32_t>(CanLogEngine::kBufferLimit + 100));
  EXPECT_EQ(engine.pending(), CanLogEngine::kBufferLimit);
  EXPECT_EQ(engine.dropped(), 100u);  // one record per millisecond was due
  std::array<std::uint8_t, CanRecord::kSize> one{};
  ASSERT_EQ(engine.take(one), CanRecord::kSize);
  EXPECT_EQ(CanRecord::decode(one).timeStamp, 0u);
  EXPECT_EQ(engine.take(std::span(one).first(16)), 0u) << "never half a record";
}

TEST(CanLogBuffer, TrafficCarriesOnAcrossTheTickWrapping) {
  CanLogEngine engine(7);
  engine.setRate(100);
  const std::uint32_t start = 0xFFFFFF00u;
  engine.setMode(2, start);
  engine.update(start + 1000);  // wraps past 0
  EXPECT_EQ(engine.pending(), 100u);
  std::array<std::uint8_t, CanRecord::kSize * 100> all{};
  engine.take(all);
  const CanRecord last = CanRecord::decode(std::span(all).subspan(99 * 17).first<17>());
  EXPECT_EQ(last.timeStamp, start + 990);
}

TEST(CanLogBuffer, ARateChangeTakesEffectWithoutABurst) {
  CanLogEngine engine(7);
  engine.setRate(10);
  engine.setMode(1, 0);
  engine.update(1000);
  EXPECT_EQ(engine.pending(), 10u);
  engine.setRate(1000);
  engine.update(1000);
  engine.update(1100);
  EXPECT_EQ(engine.pending(), 10u + 100u);
}

class Presence : public SimFixture {};

TEST_F(Presence, RestartWithoutDowntimeStillEndsTheOldHandle) {
  controller.setRestartTime(0);
  EXPECT_EQ(device::packetCmd(write(device::area::kReset, 0)), 0xFF);
  device::Report r{};
  r[0] = device::kReportId;
  EXPECT_EQ(port.getFeature(r), device::HidResult::PlatformError);
  EXPECT_TRUE(reopen());
}

TEST_F(Presence, AnUnreadResetAcknowledgementRestartsNothing) {
  ASSERT_EQ(port.setFeature(device::makeWriteRequest(device::area::kReset, 0, {})),
            device::HidResult::Ok);
  EXPECT_EQ(device::packetCmd(read(device::area::kDeviceInfo, 0)), 0x81);
  EXPECT_EQ(controller.resetCount(), 0u);
}

TEST_F(Presence, ClosedPortAndPluggedInControllerDoNotMix) {
  port.close();
  device::Report r{};
  r[0] = device::kReportId;
  EXPECT_EQ(port.getFeature(r), device::HidResult::PlatformError);
  EXPECT_EQ(port.setFeature(r), device::HidResult::PlatformError);
  EXPECT_EQ(controller.requestCount(), 0u);
}

TEST_F(Presence, ChangedUsbIdentityIsWhatEnumerationReports) {
  UsbIdentity usb = controller.usbIdentity();
  usb.manufacturer = u"kiv";
  usb.productId = 0x48;
  controller.setUsbIdentity(usb);
  std::vector<device::HidDeviceInfo> found;
  port.enumerate(0xFFFF, 0x48, found);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].manufacturer, u"kiv");
}

}  // namespace
}  // namespace kivprism::sim::test
