// The timed engines: CAN log, key learning, touch calibration and capture, the demo, image files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "sim/sim_fixture.hpp"

namespace kivprism::sim::test {
namespace {

namespace area = device::area;
using Bytes = std::vector<std::uint8_t>;

class Scripts : public SimFixture {
 protected:
  std::vector<CanRecord> drainCan() {
    std::vector<CanRecord> out;
    for (;;) {
      const Bytes data = dataOf(read(area::kCanLog, 0));
      EXPECT_EQ(data.size() % CanRecord::kSize, 0u);
      if (data.empty()) {
        return out;
      }
      for (std::size_t i = 0; i < data.size(); i += CanRecord::kSize) {
        out.push_back(CanRecord::decode(std::span(data).subspan(i).first<CanRecord::kSize>()));
      }
    }
  }
  std::uint16_t keyReading(std::size_t channel) {
    return static_cast<std::uint16_t>(
        config::readLe(dataOf(read(area::kKeyLearning, 0)), 2 * channel, 2));
  }
};

TEST_F(Scripts, CanLogRecordsAtTheConfiguredRateWithControllerTimeStamps) {
  controller.canLog().setRate(200);
  const std::uint32_t start = clock.now();
  ASSERT_EQ(device::packetCmd(write(area::kCanLog, 0, Bytes{1})), 0xFF);
  clock.advance(1000);
  // Whole records only, at most three per answer.
  EXPECT_EQ(device::packetLen(read(area::kCanLog, 0)), 51);
  const std::vector<CanRecord> records = drainCan();
  ASSERT_EQ(records.size(), 200u - 3u);
  EXPECT_EQ(records.front().timeStamp, start + 15);
  EXPECT_EQ(records.back().timeStamp, start + 995);
  for (const CanRecord& r : records) {
    EXPECT_LE(r.length, 8);
    const bool standard = (r.identifierWord & 0x3FFFF) == 0;
    EXPECT_TRUE(standard ? (r.identifierWord >> 18) < 0x800 : r.identifierWord < (1u << 29));
  }
  EXPECT_EQ(controller.stateWord() & device_info::kCanRecordsWaiting, 0);
}

TEST_F(Scripts, CanLogStopsAndRestartsEmpty) {
  write(area::kCanLog, 0, Bytes{3});
  clock.advance(500);
  write(area::kCanLog, 0, Bytes{0});
  clock.advance(500);
  EXPECT_TRUE(drainCan().empty());
  EXPECT_EQ(controller.canLog().mode(), 0);
}

TEST_F(Scripts, QueuedCanRecordsArriveExactly) {
  CanRecord r;
  r.identifierWord = CanRecord::standardId(0x123);
  r.length = 2;
  r.data = {0xAB, 0xCD};
  r.timeStamp = 123456;
  controller.canLog().queue(r);
  const Bytes raw = dataOf(read(area::kCanLog, 0));
  const Bytes expected{0x00, 0x00, 0x8C, 0x04, 2,    0xAB, 0xCD, 0, 0,
                       0,    0,    0,    0,    0x40, 0xE2, 0x01, 0};
  EXPECT_EQ(raw, expected);
}

TEST_F(Scripts, SameSeedGivesTheSameTraffic) {
  ManualClock otherClock;
  SimulatedController other(otherClock.function());
  for (SimulatedController* c : {&controller, &other}) {
    c->canLog().setMode(1, 1);
  }
  clock.advance(300);
  otherClock.advance(300);
  std::array<std::uint8_t, 17 * 30> a{}, b{};
  controller.canLog().update(clock.now());
  other.canLog().update(otherClock.now());
  EXPECT_EQ(controller.canLog().take(a), other.canLog().take(b));
  EXPECT_EQ(a, b);
}

TEST_F(Scripts, KeyLearningReportsQuietLevelsThenScriptedKeys) {
  KeyLearningScript script;
  script.idleLevels = {4000, 4095, 4095, 3000};
  script.noise = 6;
  script.presses = {{0, 1840, 500, 200}, {3, 1000, 800, 100}};
  controller.keyLearning().setScript(script);

  Bytes start(9, 0);
  start[0] = 1;
  ASSERT_EQ(device::packetCmd(write(area::kKeyLearning, 0, start)), 0xFF);
  // A retried start keeps the quiet phase.
  ASSERT_EQ(device::packetCmd(write(area::kKeyLearning, 0, start)), 0xFF);
  EXPECT_FALSE(controller.keyLearning().inKeyPhase());
  EXPECT_EQ(device::packetLen(read(area::kKeyLearning, 0)), 8);
  for (int i = 0; i < 19; ++i) {
    const std::uint16_t v = keyReading(0);
    EXPECT_LE(v, 4000);
    EXPECT_GE(v, 4000 - 6);
    clock.advance(100);
  }
  Bytes thresholds = start;
  thresholds[1] = 0xC0;  // 4032
  thresholds[2] = 0x0F;
  ASSERT_EQ(device::packetCmd(write(area::kKeyLearning, 0, thresholds)), 0xFF);
  EXPECT_TRUE(controller.keyLearning().inKeyPhase());
  EXPECT_EQ(controller.keyLearning().thresholds()[0], 4032);
  EXPECT_EQ(keyReading(0), 0);
  clock.advance(600);
  EXPECT_NEAR(keyReading(0), 1840, 6);
  // A retried thresholds write does not restart the presses.
  ASSERT_EQ(device::packetCmd(write(area::kKeyLearning, 0, thresholds)), 0xFF);
  clock.advance(250);
  EXPECT_EQ(keyReading(0), 0);
  EXPECT_NEAR(keyReading(3), 1000, 6);

  ASSERT_EQ(device::packetCmd(write(area::kKeyLearning, 0, Bytes(9, 0))), 0xFF);
  EXPECT_FALSE(controller.keyLearning().active());
  EXPECT_EQ(device::packetCmd(write(area::kKeyLearning, 0, Bytes(8, 0))), 0xFE);
}

TEST_F(Scripts, TouchCalibrationStepsThroughItsStatesAndStoresTheBlock) {
  TouchCalibrationScript script;
  script.steps = {{1, 100}, {0x81, 50}, {2, 100}, {3, 100}, {0x83, 50}};
  script.touchBlock = {9, 8, 7, 6, 5, 4, 3, 2, 1};
  controller.touchCalibration().setScript(script);
  ASSERT_EQ(device::packetCmd(write(area::kTouchCalibration, 0, Bytes{1})), 0xFF);
  EXPECT_TRUE(controller.touchCalibration().withMargin());

  Bytes seen;
  for (int t = 0; t < 500; t += 50) {
    const Bytes state = dataOf(read(area::kTouchCalibration, 1));
    ASSERT_EQ(state.size(), 1u);
    if (seen.empty() || seen.back() != state[0]) {
      seen.push_back(state[0]);
    }
    clock.advance(50);
  }
  EXPECT_EQ(seen, (Bytes{1, 0x81, 2, 3, 0x83, 0}));
  EXPECT_EQ(dataOf(read(area::kTouchCalibration, 0)), (Bytes{9, 8, 7, 6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(controller.configuration().bytes()[0], 9);
}

TEST_F(Scripts, TouchCalibrationThatGivesUpKeepsTheOldBlock) {
  controller.touchCalibration().setScript({{{1, 100}}, {9, 9, 9, 9, 9, 9, 9, 9, 9}});
  const config::ConfigImage before = controller.configuration();
  write(area::kTouchCalibration, 0, Bytes{0});
  clock.advance(100);
  EXPECT_EQ(dataOf(read(area::kTouchCalibration, 1)), Bytes{0});
  EXPECT_EQ(controller.configuration(), before);
  EXPECT_EQ(device::packetCmd(write(area::kTouchCalibration, 0, Bytes{2})), 0xFE);
}

TEST_F(Scripts, TouchPointArrivesWithinTheWaitOnly) {
  controller.touchCapture().setScript({true, 0x0123, 0x0456, 1500});
  const Bytes wait10s{0x10, 0x27};
  ASSERT_EQ(device::packetCmd(write(area::kTouchPoint, 0, wait10s)), 0xFF);
  EXPECT_EQ(dataOf(read(area::kTouchPoint, 0)), Bytes(5, 0));
  clock.advance(1500);
  EXPECT_EQ(dataOf(read(area::kTouchPoint, 0)), (Bytes{1, 0x23, 0x01, 0x56, 0x04}));
  write(area::kTouchPoint, 0, Bytes{0, 0});
  EXPECT_EQ(dataOf(read(area::kTouchPoint, 0)), Bytes(5, 0));

  // A wait shorter than the user's reaction captures nothing.
  write(area::kTouchPoint, 0, Bytes{0xE8, 0x03});
  clock.advance(5000);
  EXPECT_EQ(dataOf(read(area::kTouchPoint, 0))[0], 0);
}

TEST_F(Scripts, DemoStreamsMonitoringLinesOverTime) {
  controller.startDemo(100);
  EXPECT_EQ(controller.stateWord() & device_info::kMonitorTextWaiting, 0);
  clock.advance(350);
  std::string text;
  for (Bytes chunk = dataOf(read(area::kMonitorText, 0)); !chunk.empty();
       chunk = dataOf(read(area::kMonitorText, 0))) {
    text.append(chunk.begin(), chunk.end());
  }
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  EXPECT_NE(dataOf(read(area::kIrCode, 0)), Bytes(4, 0));
}

TEST(ConfigurationFile, RoundTripsARawImageAndRefusesOtherSizes) {
  const auto dir = std::filesystem::temp_directory_path() / "kivprism_sim_test";
  std::filesystem::create_directories(dir);
  ManualClock clock;
  SimulatedController a(clock.function());
  a.configuration().bytes()[12345] = 0x5A;
  std::string error;
  ASSERT_TRUE(a.saveConfiguration(dir / "state.bin", error)) << error;
  EXPECT_EQ(std::filesystem::file_size(dir / "state.bin"), config::layout::kImageSize);

  SimulatedController b(clock.function());
  ASSERT_TRUE(b.loadConfiguration(dir / "state.bin", error)) << error;
  EXPECT_EQ(b.configuration(), a.configuration());

  std::ofstream(dir / "short.bin", std::ios::binary) << "abc";
  EXPECT_FALSE(b.loadConfiguration(dir / "short.bin", error));
  EXPECT_NE(error.find("15218"), std::string::npos);
  EXPECT_EQ(b.configuration(), a.configuration());
  EXPECT_FALSE(b.loadConfiguration(dir / "missing.bin", error));
  EXPECT_FALSE(a.saveConfiguration(dir / "no-such-folder" / "state.bin", error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "state.bin.tmp"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace kivprism::sim::test
