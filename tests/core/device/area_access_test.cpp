// Area access against scripted answers the simulated controller would never give.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/device/device_link.hpp"
#include "support/fake_hid_port.hpp"
#include "support/fake_link_host.hpp"

namespace kivprism::device {
namespace {

using testing::FakeHidPort;
using testing::FakeLinkHost;

// The 58-byte device-information record written out by hand, so that the parser and the simulated
// controller cannot share a mistake.
std::vector<std::uint8_t> deviceRecord(std::string_view stateWordHex) {
  std::string hex =
      "8D000000"
      "04030201"
      "69000000"
      "01040000"
      "54455354" +
      std::string(72, '0') + std::string(stateWordHex);
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    out.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  }
  return out;
}

class AreaAccessTest : public ::testing::Test {
 protected:
  AreaAccessTest() { port.devices.push_back(FakeHidPort::controller("ctl")); }

  // Every request gets this answer.
  void answerWith(Report answer) {
    port.responder = [answer](const Report&) { return std::deque<Report>{answer}; };
  }

  // Connects to a controller scripted byte by byte: the literal device record with stateWord, an
  // empty configuration, canAnswer from the CAN log, writes acknowledged unless writeAnswer says
  // otherwise, and an empty answer to anything else.
  void connectScripted() {
    port.responder = [this](const Report& r) {
      const std::uint8_t cmd = packetCmd(r);
      const std::uint16_t offset = packetOffset(r);
      Report answer = FakeHidPort::answer(static_cast<std::uint8_t>(cmd | kWriteFlag), 0);
      if (cmd == area::kDeviceInfo) {
        answer = FakeHidPort::answer(0x81, 0, deviceRecord(stateWord));
      } else if (cmd == area::kConfiguration) {
        answer = FakeHidPort::answer(
            0x90, offset,
            std::vector<std::uint8_t>(
                std::min<std::size_t>(64, config::ConfigImage::kSize - offset), 0));
      } else if (cmd == area::kCanLog) {
        answer = FakeHidPort::answer(static_cast<std::uint8_t>(cmd | kWriteFlag), 0, canAnswer);
      } else if (isWriteCmd(cmd)) {
        answer = writeAnswer ? writeAnswer(r) : FakeHidPort::answer(kAnswerAck, offset);
      }
      return std::deque<Report>{answer};
    };
    host.attach(link);
    link.resumePoll();
    poll();
    poll();
    ASSERT_TRUE(link.isConnected());
  }
  void poll() {
    while (link.trafficHoldOff() > 0) {
      link.pollTick();
    }
    link.pollTick();
  }
  std::size_t configurationWritesAt(std::uint16_t offset) const {
    return static_cast<std::size_t>(
        std::count_if(port.requests.begin(), port.requests.end(), [offset](const Report& r) {
          return packetCmd(r) == (area::kConfiguration | kWriteFlag) && packetOffset(r) == offset;
        }));
  }

  std::string stateWord = "0000";
  std::vector<std::uint8_t> canAnswer;
  std::function<Report(const Report&)> writeAnswer;

  FakeLinkHost host;
  FakeHidPort port;
  config::ConfigModel model;
  DeviceLink link{port, host, model};
};

TEST_F(AreaAccessTest, AcknowledgedReadCopiesNothingAndCountsZero) {
  answerWith(FakeHidPort::answer(kAnswerAck, 0));
  std::array<std::uint8_t, 8> buffer;
  buffer.fill(0xEE);
  std::size_t count = 99;
  EXPECT_EQ(link.readArea(area::kKeyLearning, 0, buffer, count), status::kOk);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 8>{}));
  // A ranged read that meets it has run out of data.
  EXPECT_EQ(link.readAreaRange(area::kConfiguration, 0, buffer), status::kRangeEndedEarly);
}

TEST_F(AreaAccessTest, ReadAnswerMustBelongToTheRequest) {
  std::array<std::uint8_t, 4> buffer{};
  answerWith(FakeHidPort::answer(0x93, 0, std::vector<std::uint8_t>{1}));
  EXPECT_EQ(link.readArea(area::kVariables, 0, buffer), status::kAnswerMismatch);
  answerWith(FakeHidPort::answer(0x97, 4, std::vector<std::uint8_t>{1}));
  EXPECT_EQ(link.readArea(area::kVariables, 0, buffer), status::kAnswerMismatch);
}

TEST_F(AreaAccessTest, WriteMustBeAcknowledgedWithItsOffset) {
  const std::vector<std::uint8_t> data{1, 2};
  answerWith(FakeHidPort::answer(kAnswerAck, 7));
  EXPECT_EQ(link.writeArea(area::kConfiguration, 8, data), status::kWriteNotAcknowledged);
  answerWith(FakeHidPort::answer(0x90, 8, data));
  EXPECT_EQ(link.writeArea(area::kConfiguration, 8, data), status::kWriteNotAcknowledged);
  answerWith(FakeHidPort::answer(kAnswerAck, 8));
  EXPECT_EQ(link.writeArea(area::kConfiguration, 8, data), status::kOk);
  ASSERT_EQ(port.requests.size(), 3u);
  EXPECT_EQ(packetLen(port.requests[2]), 2);
  EXPECT_EQ(port.requests[2][5], 1);
}

TEST_F(AreaAccessTest, RangedReadTakesOnlyTheMissingBytesOfALongAnswer) {
  port.responder = [](const Report& r) {
    std::vector<std::uint8_t> data(64);
    for (std::size_t i = 0; i < data.size(); ++i) {
      data[i] = static_cast<std::uint8_t>(packetOffset(r) + i);
    }
    return std::deque<Report>{FakeHidPort::answer(0x90, packetOffset(r), data)};
  };
  std::array<std::uint8_t, 100> buffer{};
  link.progressStart(100, "reading");
  EXPECT_EQ(link.readAreaRange(area::kConfiguration, 10, buffer), status::kOk);
  EXPECT_EQ(buffer[0], 10);
  EXPECT_EQ(buffer[99], 109);
  ASSERT_EQ(port.requests.size(), 2u);
  EXPECT_EQ(packetOffset(port.requests[1]), 74);
  EXPECT_EQ(link.progressCount(), 100u);
  EXPECT_EQ(host.progress.back(), (std::pair<std::size_t, std::size_t>{100, 100}));
}

TEST_F(AreaAccessTest, ProgressShowsItsCaptionAgainAfterBeingHiddenAndStopsAtTheEnd) {
  int calls = host.processEventsCalls;
  link.progressStart(100, "Reading");
  EXPECT_GT(host.processEventsCalls, calls);  // so that the gauge paints
  EXPECT_EQ(host.statusTexts.back(), "Reading");
  EXPECT_EQ(host.progress.back(), (std::pair<std::size_t, std::size_t>{0, 100}));
  // While the gauge shows, a step does not put the caption up again.
  calls = host.processEventsCalls;
  link.progressStep(10);
  EXPECT_GT(host.processEventsCalls, calls);
  EXPECT_EQ(std::count(host.statusTexts.begin(), host.statusTexts.end(), "Reading"), 1);
  host.statusTexts.push_back("Controller is connected");
  link.progressHide();
  EXPECT_FALSE(host.progressVisible);
  link.progressStep(30);
  link.progressStep(30);
  EXPECT_EQ(host.statusTexts.back(), "Reading");
  EXPECT_EQ(std::count(host.statusTexts.begin(), host.statusTexts.end(), "Reading"), 2);
  EXPECT_TRUE(host.progressVisible);
  link.progressStep(40);
  EXPECT_EQ(host.progress.back(), (std::pair<std::size_t, std::size_t>{100, 100}));
  const std::size_t shown = host.progress.size();
  link.progressStep(1);
  EXPECT_EQ(host.progress.size(), shown);
  // A gauge filled exactly takes no further step either.
  link.progressStart(50, "Writing");
  link.progressStep(50);
  const std::size_t full = host.progress.size();
  link.progressStep(1);
  EXPECT_EQ(host.progress.size(), full);
  EXPECT_EQ(link.progressCount(), 50u);
}

TEST_F(AreaAccessTest, WriteRangeStopsAtTheFirstFailure) {
  int calls = 0;
  port.responder = [&calls](const Report& r) {
    const bool fail = ++calls == 3;
    return std::deque<Report>{
        FakeHidPort::answer(fail ? kAnswerFailed : kAnswerAck, packetOffset(r))};
  };
  std::vector<std::uint8_t> data(300, 0x11);
  link.progressStart(300, "Writing");
  EXPECT_EQ(link.writeAreaRange(area::kConfiguration, 0, data), status::kFailedResult);
  EXPECT_EQ(port.requests.size(), 3u);
  EXPECT_EQ(link.progressCount(), 128u);  // the two chunks that were taken
  EXPECT_EQ(packetOffset(port.requests[2]), 128);
  EXPECT_TRUE(link.writeAreaRange(area::kConfiguration, 0, {}) == status::kOk);
  EXPECT_EQ(port.requests.size(), 3u);
  // A range past the 16-bit offsets or a zero chunk is refused before anything is sent.
  EXPECT_EQ(link.writeAreaRange(area::kConfiguration, 0xFFF0, std::span(data).first(17)),
            status::kBadParameters);
  EXPECT_EQ(link.writeAreaRange(area::kConfiguration, 0, data, 0), status::kBadParameters);
  std::array<std::uint8_t, 17> tail{};
  EXPECT_EQ(link.readAreaRange(area::kConfiguration, 0xFFF0, tail), status::kBadParameters);
  EXPECT_EQ(port.requests.size(), 3u);
  // A range that ends exactly at the last offset is a range like any other.
  answerWith(FakeHidPort::answer(kAnswerAck, 0xFFF0));
  EXPECT_EQ(link.writeAreaRange(area::kConfiguration, 0xFFF0, std::span(data).first(16)),
            status::kOk);
  EXPECT_EQ(port.requests.size(), 4u);
  EXPECT_NE(link.readAreaRange(area::kConfiguration, 0xFFF0, std::span(tail).first(16)),
            status::kBadParameters);
  EXPECT_EQ(port.requests.size(), 5u);
}

TEST_F(AreaAccessTest, ReportedReadNamesTheStatus) {
  lang::setCurrentLanguage(lang::Language::Russian);
  answerWith(FakeHidPort::answer(kAnswerBadParameters, 0));
  std::array<std::uint8_t, 4> buffer{};
  std::size_t count = 0;
  EXPECT_EQ(link.readAreaReported(area::kIrCode, 0, buffer, count), status::kBadParameters);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_EQ(host.errors[0], "Ошибка чтения из устройства\nОшибка в параметрах");
  const std::array<std::uint8_t, 2> data{1, 2};
  EXPECT_EQ(link.writeAreaReported(area::kIrCode, 0, data), status::kBadParameters);
  ASSERT_EQ(host.errors.size(), 2u);
  EXPECT_EQ(host.errors[1], "Ошибка записи в устройство\nОшибка в параметрах");
  answerWith(FakeHidPort::answer(kAnswerAck, 0));
  EXPECT_EQ(link.writeAreaReported(area::kIrCode, 0, data), status::kOk);
  EXPECT_EQ(host.errors.size(), 2u);
  lang::setCurrentLanguage(lang::Language::English);
}

TEST(DeviceRecord, ParsesTheLiteralRecord) {
  const auto bytes = deviceRecord("02E0");
  ASSERT_EQ(bytes.size(), kDeviceInfoSize);
  const DeviceInfo info = parseDeviceInfo(std::span<const std::uint8_t, kDeviceInfoSize>(bytes));
  EXPECT_EQ(info.applicationVersion, 141u);
  EXPECT_EQ(info.serialNumber, 0x01020304u);
  EXPECT_EQ(info.loaderVersion, 105u);
  EXPECT_EQ(info.deviceType, 0x0401u);
  EXPECT_EQ(info.name, "TEST");
  EXPECT_EQ(info.stateWord, 0xE002);
  EXPECT_EQ(info.currentSource(), 2u);
  const auto encoded = encodeDeviceInfo(info);
  EXPECT_TRUE(std::equal(encoded.begin(), encoded.end(), bytes.begin()));
}

// What the poll does with state-word bits 13 and 14 of a literal record.
TEST_F(AreaAccessTest, StateWordBits13And14DriveTheCanLog) {
  lang::setCurrentLanguage(lang::Language::English);
  connectScripted();
  const auto canReads = [&] {
    return std::count_if(port.requests.begin(), port.requests.end(),
                         [](const Report& r) { return packetCmd(r) == area::kCanLog; });
  };
  stateWord = "0020";  // bit 13: running, nothing waiting
  poll();
  ASSERT_FALSE(host.stateWords.empty());
  EXPECT_EQ(host.stateWords.back(), 0x2000);  // the pages get the word as read
  EXPECT_NE(host.statusTexts.back().find(". CAN log started"), std::string::npos);
  EXPECT_EQ(canReads(), 0);
  stateWord = "0040";  // bit 14: records waiting, the log not named as running
  poll();
  EXPECT_EQ(canReads(), 1);
  EXPECT_EQ(host.statusTexts.back().find("CAN log"), std::string::npos);
  EXPECT_EQ(link.pollInterval(), kPollCanMs);
}

// Only whole CAN records are taken: an answer that ends inside a record is dropped whole.
TEST_F(AreaAccessTest, ACanAnswerEndingInsideARecordIsDropped) {
  connectScripted();
  stateWord = "0040";
  canAnswer.assign(kCanRecordSize + kCanRecordSize / 2, 0x5A);
  poll();
  EXPECT_TRUE(host.canRecords.empty());
  canAnswer.assign(2 * kCanRecordSize, 0x5A);
  poll();
  EXPECT_EQ(host.canRecords.size(), 2u);
}

// An answer to a change that does not acknowledge it leaves the change pending but, like a
// refusal, concerns its run only: the rest of the pass still goes.
TEST_F(AreaAccessTest, AnUnacknowledgedChangeDoesNotEndThePass) {
  connectScripted();
  writeAnswer = [](const Report& r) {
    const std::uint16_t offset = packetOffset(r);
    return FakeHidPort::answer(kAnswerAck, offset == 100 ? 101 : offset);
  };
  model.working.data()[100] ^= 1;
  model.working.data()[200] ^= 1;
  port.requests.clear();
  poll();
  EXPECT_EQ(configurationWritesAt(100), 1u);
  EXPECT_EQ(configurationWritesAt(200), 1u);
  EXPECT_EQ(model.device.data()[200], model.working.data()[200]);
  EXPECT_NE(model.device.data()[100], model.working.data()[100]);
  EXPECT_EQ(link.pendingChanges(), 1u);
  EXPECT_EQ(host.errors.size(), 1u);
}

}  // namespace
}  // namespace kivprism::device
