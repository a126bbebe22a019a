// The controller's areas as the program reads and writes them.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <string_view>

#include "core/config/image.hpp"
#include "core/events/consistency.hpp"
#include "core/events/entry_layout.hpp"
#include "sim/sim_fixture.hpp"

namespace kivprism::sim::test {
namespace {

namespace area = device::area;
namespace layout = config::layout;
using Bytes = std::vector<std::uint8_t>;

// "8D 00 ..." as bytes; blanks are ignored.
Bytes hexBytes(std::string_view text) {
  Bytes out;
  std::string digits;
  for (const char c : text) {
    if (c != ' ') {
      digits.push_back(c);
    }
  }
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
    out.push_back(static_cast<std::uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
  }
  return out;
}

class Areas : public SimFixture {};

TEST_F(Areas, ConfigurationReadsInChunksOf64AndEndsWithLen0) {
  std::iota(controller.configuration().data(), controller.configuration().data() + 64, 0);
  const device::Report first = read(area::kConfiguration, 0);
  EXPECT_EQ(device::packetCmd(first), area::kConfiguration | 0x80);
  EXPECT_EQ(device::packetOffset(first), 0);
  EXPECT_TRUE(device::hasValidChecksum(first));
  Bytes expected(64);
  std::iota(expected.begin(), expected.end(), 0);
  EXPECT_EQ(dataOf(first), expected);

  // 237 chunks of 64 leave 50 bytes for the last answer.
  const device::Report last = read(area::kConfiguration, 237 * 64);
  EXPECT_EQ(device::packetOffset(last), 237 * 64);
  EXPECT_EQ(device::packetLen(last), 50);
  EXPECT_EQ(device::packetLen(read(area::kConfiguration, layout::kImageSize)), 0);
  EXPECT_EQ(device::packetCmd(read(area::kConfiguration, layout::kImageSize + 1)), 0xFE);
}

TEST_F(Areas, ConfigurationWritesLandAtTheirOffsetAndAreAcknowledged) {
  const Bytes run{0xDE, 0xAD, 0xBE, 0xEF};
  const device::Report ack = write(area::kConfiguration, 14409, run);
  EXPECT_EQ(device::packetCmd(ack), 0xFF);
  EXPECT_EQ(device::packetOffset(ack), 14409);
  EXPECT_EQ(controller.configuration().get(layout::kLongPressTime), 0xADDEu);
  EXPECT_EQ(dataOf(read(area::kConfiguration, 14409)).at(3), 0xEF);

  // A run that would pass the end is refused whole; an empty write is acknowledged.
  const config::ConfigImage before = controller.configuration();
  const Bytes two{1, 2};
  EXPECT_EQ(device::packetCmd(write(area::kConfiguration, layout::kImageSize - 1, two)), 0xFE);
  EXPECT_EQ(controller.configuration(), before);
  EXPECT_EQ(device::packetCmd(write(area::kConfiguration, 0)), 0xFF);
}

TEST_F(Areas, UnknownAreasAndWrongDirectionsAreRejected) {
  EXPECT_EQ(device::packetCmd(read(0x20, 0)), 0xFE);
  EXPECT_EQ(device::packetCmd(write(0x20, 0)), 0xFE);
  EXPECT_EQ(device::packetCmd(write(area::kDeviceInfo, 0)), 0xFE);
  EXPECT_EQ(device::packetCmd(read(area::kReset, 0)), 0xFE);
  EXPECT_EQ(device::packetCmd(read(0x16, 0)), 0xFE);
  const Bytes mode{4};
  EXPECT_EQ(device::packetCmd(write(area::kCanLog, 0, mode)), 0xFE);
}

TEST_F(Areas, RequestsWithABadChecksumOrLengthAreRefused) {
  device::Report bad = device::makeReadRequest(area::kConfiguration, 0);
  bad[device::kPacketChecksumOffset] ^= 1;
  EXPECT_EQ(device::packetCmd(exchange(bad)), 0xFE);
  device::Report tooLong = device::makeReadRequest(area::kConfiguration, 0);
  tooLong[device::kPacketLenOffset] = 65;
  device::sealPacket(tooLong);
  EXPECT_EQ(device::packetCmd(exchange(tooLong)), 0xFE);
}

TEST_F(Areas, ForcedAnswersStandInForTheArea) {
  controller.setAreaAnswer(area::kCanLog, 0xFE);
  controller.setAreaAnswer(area::kConfiguration, 0xFD);
  EXPECT_EQ(device::packetCmd(read(area::kCanLog, 0)), 0xFE);
  const device::Report failed = write(area::kConfiguration, 100, Bytes{1});
  EXPECT_EQ(device::packetCmd(failed), 0xFD);
  EXPECT_EQ(device::packetOffset(failed), 100);
  EXPECT_EQ(controller.configuration().bytes()[100], 0);
  controller.setAreaAnswer(area::kConfiguration, 0);
  EXPECT_EQ(device::packetCmd(read(area::kConfiguration, 0)), 0x90);
}

// The record byte for byte as the controller sends it, written out by hand so that the simulator
// and the program's parser cannot share a mistake: u32 application version, serial number,
// loader version and device type, the name in 40 bytes, and the state word.
TEST_F(Areas, DeviceInformationIsThe58ByteRecord) {
  controller.identity() = {141, 0x01020304, 105, 0x0401, "TEST"};
  controller.setCurrentSource(2);
  controller.queueMonitoringText("hello\r\n");
  EXPECT_EQ(device::packetCmd(write(area::kCanLog, 0, Bytes{1})), 0xFF);
  clock.advance(100);
  const Bytes expected = hexBytes(
      "8D 00 00 00  04 03 02 01  69 00 00 00  01 04 00 00"
      "54 45 53 54 00 00 00 00  00 00 00 00 00 00 00 00  00 00 00 00 00 00 00 00"
      "00 00 00 00 00 00 00 00  00 00 00 00 00 00 00 00"
      "02 E0");
  ASSERT_EQ(expected.size(), 58u);
  EXPECT_EQ(dataOf(read(area::kDeviceInfo, 0)), expected);
}

// Bit 13: the CAN log runs; bit 14: its records wait in area 0x15.
TEST_F(Areas, StateWordFollowsTheCanLog) {
  EXPECT_EQ(controller.stateWord() & 0xE000, 0);
  EXPECT_EQ(device::packetCmd(write(area::kCanLog, 0, Bytes{1})), 0xFF);
  EXPECT_EQ(controller.stateWord() & 0xE000, 0x2000);
  clock.advance(100);
  EXPECT_EQ(controller.stateWord() & 0xE000, 0x6000);
  EXPECT_EQ(device::packetCmd(write(area::kCanLog, 0, Bytes{0})), 0xFF);
  EXPECT_EQ(controller.stateWord() & 0xE000, 0);
}

TEST_F(Areas, MonitoringTextDrainsInPacketsAndEchoesTypedLines) {
  const std::string text(100, 'x');
  controller.queueMonitoringText(text);
  EXPECT_EQ(device::packetLen(read(area::kMonitorText, 0)), 64);
  EXPECT_EQ(device::packetLen(read(area::kMonitorText, 0)), 36);
  EXPECT_EQ(device::packetLen(read(area::kMonitorText, 0)), 0);

  Bytes typed{'v', 'e', 'r', 0, 'z'};
  EXPECT_EQ(device::packetCmd(write(area::kMonitorText, 0, typed)), 0xFF);
  ASSERT_EQ(controller.typedLines().size(), 1u);
  EXPECT_EQ(controller.typedLines()[0], "ver");
  const Bytes echo = dataOf(read(area::kMonitorText, 0));
  EXPECT_EQ(std::string(echo.begin(), echo.end()), "> ver\r\n");
}

TEST_F(Areas, ScheduledTextWaitsForItsTick) {
  controller.scheduleMonitoringText(clock.now() + 500, "later\r\n");
  EXPECT_EQ(controller.stateWord() & device_info::kMonitorTextWaiting, 0);
  clock.advance(500);
  EXPECT_NE(controller.stateWord() & device_info::kMonitorTextWaiting, 0);
}

TEST_F(Areas, IrCodeAndVariablesReadAsFourBytes) {
  EXPECT_EQ(dataOf(read(area::kIrCode, 0)), Bytes(4, 0));
  controller.receiveIrCode({1, 0x45, 0x34, 0x12});
  EXPECT_EQ(dataOf(read(area::kIrCode, 0)), (Bytes{1, 0x45, 0x34, 0x12}));
  controller.setVariables({0xA5, 1, 2, 3});
  EXPECT_EQ(dataOf(read(area::kVariables, 0)), (Bytes{0xA5, 1, 2, 3}));
}

TEST_F(Areas, RestoreDefaultsBringsBackTheFactoryConfiguration) {
  controller.configuration().clear();
  EXPECT_EQ(device::packetCmd(write(area::kRestoreDefaults, 0)), 0xFF);
  EXPECT_EQ(controller.configuration(), factoryConfiguration());
  EXPECT_TRUE(port.isOpen());
}

TEST(FactoryConfiguration, HasKeyDefaultsAndConsistentExampleRules) {
  config::ConfigImage image = factoryConfiguration();
  EXPECT_EQ(image.get(layout::kLongPressTime), 1000u);
  EXPECT_EQ(image.get(layout::keyReferenceLevel(0)), 2500u);
  for (std::size_t c = 1; c < layout::kKeyChannelCount; ++c) {
    EXPECT_EQ(image.get(layout::keyReferenceLevel(c)), 4095u);
  }
  EXPECT_EQ(image.get(layout::keyLevel(0, 1)), 1840u);
  EXPECT_EQ(image.get(layout::kTouchMode), 1u);
  EXPECT_EQ(image.get(layout::kIebusVolPreDiv), 1u);
  EXPECT_EQ(image.get(layout::kDiffBusMode), 2u);

  const events::EntryBytes first = image.entry(0);
  EXPECT_EQ(events::entryName(first), "Volume up");
  EXPECT_EQ(events::get(first, events::event::key::kNumber), 1);
  EXPECT_EQ(events::get(first, events::reaction::usb_key::kConsumerUsage), 0xE9);
  EXPECT_EQ(events::get(image.entry(2), events::event::ir_code::kCode).protocol, 1);
  EXPECT_TRUE(config::isEmptyEntry(image.entry(3)));
  // The editor would find nothing to repair in them.
  const events::EntryContext context = events::entryContextOf(image);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_FALSE(events::applyConsistencyRules(image.entry(i), context).any()) << "entry " << i;
  }
}

}  // namespace
}  // namespace kivprism::sim::test
