#include "core/device/transport.hpp"

#include <gtest/gtest.h>

#include "support/fake_hid_port.hpp"
#include "support/fake_link_host.hpp"

namespace kivprism::device {
namespace {

using testing::FakeHidPort;
using testing::FakeLinkHost;

class TransportTest : public ::testing::Test {
 protected:
  TransportTest() {
    port.devices.push_back(FakeHidPort::controller("ctl"));
    port.responder = FakeHidPort::echoing({1, 2, 3});
    transport.setLogSink([this](std::string_view line) { host.logLines.emplace_back(line); });
  }

  FakeLinkHost host;
  FakeHidPort port;
  Transport transport{port, host};
};

TEST(HidString, ConvertsTo8BitWithQuestionMarks) {
  EXPECT_EQ(hidStringTo8Bit(u"KIV"), "KIV");
  EXPECT_EQ(hidStringTo8Bit(u"K\u0418V"), "K?V");
  EXPECT_EQ(hidStringTo8Bit(std::u16string_view(u"AB\0CD", 5)), "AB");
  EXPECT_EQ(hidStringTo8Bit(u"\u00e9"), "\xe9");
}

TEST_F(TransportTest, ProbesRotateProductIdsUntilAControllerAnswers) {
  port.devices = {FakeHidPort::controller("ctl", 0x47)};
  EXPECT_EQ(transport.isDeviceOnline(), status::kDisconnected);
  EXPECT_EQ(transport.isDeviceOnline(), status::kDisconnected);
  EXPECT_EQ(transport.isDeviceOnline(), status::kOk);
  EXPECT_FALSE(transport.deviceOpen());  // the probe only tests
  EXPECT_EQ(transport.isDeviceOnline(), status::kOk);
  EXPECT_EQ(port.enumeratedProductIds, (std::vector<std::uint16_t>{0x45, 0x46, 0x47, 0x47}));

  port.devices.clear();
  for (int i = 0; i < 3; ++i) {
    transport.isDeviceOnline();
  }
  EXPECT_EQ(port.enumeratedProductIds.back(), 0x45);  // wrapped from 0x48
  EXPECT_EQ(port.enumeratedProductIds[port.enumeratedProductIds.size() - 2], 0x48);
}

TEST_F(TransportTest, IdentityStringsMustMatchExactly) {
  auto lower = FakeHidPort::controller("lower");
  lower.manufacturer = u"kiv";
  auto wide = FakeHidPort::controller("wide");
  wide.product = u"SOLANPRISM-F401\u0401";
  port.devices = {lower, wide};
  EXPECT_EQ(transport.openDevice(), status::kDisconnected);
  EXPECT_TRUE(port.opened.empty());

  port.devices.push_back(FakeHidPort::controller("right"));
  EXPECT_EQ(transport.openDevice(), status::kOk);
  EXPECT_EQ(port.opened, std::vector<std::string>{"right"});
}

TEST_F(TransportTest, UnreadableStringsGiveTheirStatus) {
  auto noManufacturer = FakeHidPort::controller("a");
  noManufacturer.manufacturer.reset();
  port.devices = {noManufacturer};
  EXPECT_EQ(transport.openDevice(), status::kManufacturerStringFailed);
  auto noProduct = FakeHidPort::controller("b");
  noProduct.product.reset();
  port.devices = {noProduct};
  EXPECT_EQ(transport.openDevice(), status::kProductStringFailed);
}

TEST_F(TransportTest, RefusedAccessNamesTheUdevRule) {
  port.openFailures["ctl"] = HidResult::AccessDenied;
  port.devices.push_back({"other", 0xFFFF, 0x45, u"ACME", u"Thing"});
  EXPECT_EQ(transport.openDevice(), status::kAccessDenied);
  EXPECT_NE(statusText(status::kAccessDenied, lang::Language::English).find("udev"),
            std::string::npos);
  // The probe keeps to the refused controller until access is granted.
  EXPECT_EQ(transport.isDeviceOnline(), status::kAccessDenied);
  EXPECT_EQ(transport.isDeviceOnline(), status::kAccessDenied);
  EXPECT_EQ(transport.currentProductId(), 0x45);
  port.openFailures.erase("ctl");
  EXPECT_EQ(transport.isDeviceOnline(), status::kOk);
  port.openFailures["ctl"] = HidResult::PlatformError;
  EXPECT_EQ(transport.openDevice(), status::kDisconnected);
}

TEST_F(TransportTest, AControllerHeldByAnotherProgramSaysWhatToCloseAndStaysProbed) {
  port.openFailures["ctl"] = HidResult::InUse;
  EXPECT_EQ(transport.openDevice(), status::kDeviceInUse);
  const std::string text = statusText(status::kDeviceInUse, lang::Language::English);
  EXPECT_NE(text.find("another program"), std::string::npos);
  EXPECT_NE(text.find("Close it"), std::string::npos);
  EXPECT_NE(statusText(status::kDeviceInUse, lang::Language::Russian).find("Закройте"),
            std::string::npos);
  EXPECT_EQ(transport.isDeviceOnline(), status::kDeviceInUse);
  EXPECT_EQ(transport.isDeviceOnline(), status::kDeviceInUse);
  EXPECT_EQ(transport.currentProductId(), 0x45);
  // A refusal of the user outweighs another program's hold: that one the user must mend first.
  port.devices.push_back(FakeHidPort::controller("second"));
  port.openFailures["second"] = HidResult::AccessDenied;
  EXPECT_EQ(transport.openDevice(), status::kAccessDenied);
  port.openFailures.clear();
  EXPECT_EQ(transport.isDeviceOnline(), status::kOk);
}

TEST_F(TransportTest, ReportFailuresGiveTheirStatusAndCloseTheDevice) {
  Packet p{};
  port.getResults = {HidResult::CallFailed};
  EXPECT_EQ(transport.readReport(p), status::kGetFeatureFailed);
  EXPECT_FALSE(transport.deviceOpen());
  port.getResults = {HidResult::PlatformError};
  EXPECT_EQ(transport.readReport(p), status::kDisconnected);
  port.setResults = {HidResult::CallFailed};
  EXPECT_EQ(transport.writeReport(p), status::kSetFeatureFailed);
  EXPECT_FALSE(transport.deviceOpen());
  port.setResults = {HidResult::PlatformError};
  EXPECT_EQ(transport.writeReport(p), status::kDisconnected);
  port.devices.clear();
  EXPECT_EQ(transport.readReport(p), status::kDisconnected);
}

TEST_F(TransportTest, ExchangeSealsTheRequestAndReturnsTheAnswer) {
  Packet p{};
  p[kPacketCmdOffset] = area::kMonitorText;
  ASSERT_EQ(transport.sendPacket(p), status::kOk);
  ASSERT_EQ(port.requests.size(), 1u);
  EXPECT_EQ(port.requests[0][0], 1);
  EXPECT_TRUE(hasValidChecksum(port.requests[0]));
  EXPECT_EQ(packetCmd(p), 0x85);
  EXPECT_EQ(packetLen(p), 3);
  EXPECT_FALSE(transport.transportBusy());
}

TEST_F(TransportTest, AnswerIsPolledBackToBackUntilItArrives) {
  port.responder = [](const Report& r) {
    return std::deque<Report>{Report{1}, Report{1}, Report{1},
                              FakeHidPort::answer(0x85, packetOffset(r))};
  };
  Packet p = makeReadRequest(area::kMonitorText, 0);
  ASSERT_EQ(transport.sendPacket(p), status::kOk);
  EXPECT_EQ(port.gets, 4);
  EXPECT_EQ(host.processEventsCalls, 0);
  EXPECT_TRUE(host.waits.empty());
}

TEST_F(TransportTest, SilenceTimesOutAfter200MsPerAttempt) {
  port.responder = nullptr;
  port.onGet = [this] { host.now += 1; };
  Packet p = makeReadRequest(area::kMonitorText, 0);
  const std::uint32_t start = host.now;
  EXPECT_EQ(transport.sendPacket(p), status::kTimeout);
  EXPECT_EQ(port.requests.size(), 3u);
  EXPECT_EQ(host.waits, (std::vector<std::uint32_t>{50, 50, 50}));
  // Three answer waits of 200 ms and three pauses of 50 ms.
  EXPECT_EQ(host.now - start, 3u * 200u + 3u * 50u);
  EXPECT_EQ(p, makeReadRequest(area::kMonitorText, 0));  // the request stays
}

TEST_F(TransportTest, CorruptAnswersAreRepeatedAndGiveStatus10) {
  int calls = 0;
  port.responder = [&calls](const Report& r) {
    Report a = FakeHidPort::answer(0x85, packetOffset(r), std::vector<std::uint8_t>{7});
    if (++calls == 1) {
      a[69] ^= 1;
    } else if (calls == 2) {
      a[kPacketLenOffset] = 65;
      sealPacket(a);
    }
    return std::deque<Report>{a};
  };
  Packet p = makeReadRequest(area::kMonitorText, 0);
  EXPECT_EQ(transport.sendPacket(p), status::kOk);
  EXPECT_EQ(calls, 3);

  port.responder = [](const Report&) {
    Report a = FakeHidPort::answer(0x85, 0);
    a[69] ^= 1;
    return std::deque<Report>{a};
  };
  EXPECT_EQ(transport.sendPacket(p), status::kBadAnswer);
}

TEST_F(TransportTest, WrongReportIdGives11) {
  port.responder = [](const Report&) {
    Report a = FakeHidPort::answer(0x85, 0);
    a[0] = 2;
    return std::deque<Report>{a};
  };
  Packet p = makeReadRequest(area::kMonitorText, 0);
  EXPECT_EQ(transport.sendPacket(p), status::kBadReportId);
}

TEST_F(TransportTest, UnplugDuringAnExchangeFailsWithTheOpenStatusAfterRetries) {
  port.onGet = [this] { port.devices.clear(); };
  port.getResults = {HidResult::PlatformError};
  Packet p = makeReadRequest(area::kConfiguration, 0);
  EXPECT_EQ(transport.sendPacket(p), status::kDisconnected);
  EXPECT_EQ(port.requests.size(), 1u);  // the repeats could not even open
  EXPECT_EQ(host.waits.size(), 3u);
  EXPECT_GE(host.processEventsCalls, 1);  // after the failed read
}

TEST_F(TransportTest, BootLoaderStartIsNeverRepeated) {
  port.responder = nullptr;
  port.onGet = [this] { host.now += 10; };
  Packet p = makeWriteRequest(area::kBootLoader, 0, {});
  EXPECT_EQ(transport.sendPacket(p), status::kTimeout);
  EXPECT_EQ(port.requests.size(), 1u);
  EXPECT_TRUE(host.waits.empty());
}

TEST_F(TransportTest, BusyTransportWaitsProcessingEventsAndGivesUpOnShutdown) {
  port.responder = nullptr;
  bool busySeen = false;
  int nested = 0;
  // A command started from the pending events while the first exchange failed its read must
  // not find the transport busy.
  port.getResults = {HidResult::CallFailed};
  host.onProcessEvents = [&] {
    busySeen = busySeen || transport.transportBusy();
    if (nested++ == 0) {
      port.responder = FakeHidPort::echoing();
      Packet inner = makeReadRequest(area::kVariables, 0);
      EXPECT_EQ(transport.sendPacket(inner), status::kOk);
    }
  };
  Packet p = makeReadRequest(area::kMonitorText, 0);
  EXPECT_EQ(transport.sendReceiveUsbPacket(p), status::kGetFeatureFailed);
  EXPECT_FALSE(busySeen);
  EXPECT_EQ(nested, 1);
}

TEST_F(TransportTest, WaitForABusyTransportEndsOnShutdown) {
  // An exchange started while another one holds the transport waits, handling events, until the
  // program shuts down; then it goes on at once.
  bool started = false;
  port.onGet = [&] {
    host.now += 1;
    if (started) {
      return;
    }
    started = true;
    Packet inner = makeReadRequest(area::kVariables, 0);
    transport.sendReceiveUsbPacket(inner);
  };
  host.onProcessEvents = [this] { host.shutdown = host.processEventsCalls >= 3; };
  Packet p = makeReadRequest(area::kMonitorText, 0);
  transport.sendReceiveUsbPacket(p);
  EXPECT_EQ(host.processEventsCalls, 3);
  EXPECT_FALSE(transport.transportBusy());
}

TEST(PacketLog, LineFormat) {
  Packet p = makeWriteRequest(area::kConfiguration, 300, std::vector<std::uint8_t>{0xAB, 0x01});
  EXPECT_EQ(Transport::formatPacketLogLine(12345, '>', p),
            "    12.345 > CMD:90 OFFSET:0300 LEN:02 [ AB 01 ]");
  EXPECT_EQ(Transport::formatPacketLogLine(5, '<', makeReadRequest(area::kMonitorText, 7)),
            "     0.005 < CMD:05 OFFSET:0007 LEN:00");
  // An oversized LEN shows as received; the dump holds the data field only.
  p[kPacketLenOffset] = 200;
  const std::string line = Transport::formatPacketLogLine(0, '<', p);
  EXPECT_NE(line.find("LEN:200 ["), std::string::npos);
  EXPECT_EQ(line.size(),
            std::string("     0.000 < CMD:90 OFFSET:0300 LEN:200 [").size() + 64 * 3 + 2);
}

TEST_F(TransportTest, PacketLogSkipsThePollAndStartsAtTheFirstPacket) {
  port.responder = FakeHidPort::echoing({0x55});
  Packet info = makeReadRequest(area::kDeviceInfo, 0);
  transport.sendPacket(info);
  EXPECT_TRUE(host.logLines.empty());  // log off
  transport.setPacketLogEnabled(true);
  host.now = 1000;
  info = makeReadRequest(area::kDeviceInfo, 0);
  transport.sendPacket(info);
  EXPECT_TRUE(host.logLines.empty());  // the poll's packets never appear
  Packet text = makeReadRequest(area::kMonitorText, 0);
  transport.sendPacket(text);
  host.now = 3500;
  text = makeReadRequest(area::kMonitorText, 0);
  transport.sendPacket(text);
  ASSERT_EQ(host.logLines.size(), 4u);
  EXPECT_EQ(host.logLines[0], "     0.000 > CMD:05 OFFSET:0000 LEN:00");
  EXPECT_EQ(host.logLines[1], "     0.000 < CMD:85 OFFSET:0000 LEN:01 [ 55 ]");
  EXPECT_EQ(host.logLines[2].substr(0, 10), "     2.500");
}

TEST_F(TransportTest, PacketLogStartedOnTickZeroCountsFromThere) {
  port.responder = FakeHidPort::echoing({0x55});
  transport.setPacketLogEnabled(true);
  host.now = 0;
  Packet text = makeReadRequest(area::kMonitorText, 0);
  transport.sendPacket(text);
  host.now = 1500;
  text = makeReadRequest(area::kMonitorText, 0);
  transport.sendPacket(text);
  ASSERT_EQ(host.logLines.size(), 4u);
  EXPECT_EQ(host.logLines[0].substr(0, 10), "     0.000");
  EXPECT_EQ(host.logLines[1].substr(0, 10), "     0.000");
  EXPECT_EQ(host.logLines[2].substr(0, 10), "     1.499");
}

}  // namespace
}  // namespace kivprism::device
