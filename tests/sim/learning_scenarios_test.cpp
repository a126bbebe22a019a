// The ready-made learning scenarios: key presses one after another, calibration state lists and
// the demo's defaults.
#include "sim/learning_scenarios.hpp"

#include <gtest/gtest.h>

#include <set>

#include "sim/simulated_controller.hpp"

namespace kivprism::sim::test {
namespace {

TEST(LearningScenarios, HeldKeysFollowEachOtherAfterTheFirstPause) {
  const KeyLearningScript s =
      keyPressSequence({4000, 3500, 4095, 4095}, {{0, 1000, 200, 300}, {1, 1200}, {0, 1840}}, 400);
  EXPECT_EQ(s.idleLevels, (KeyLevels{4000, 3500, 4095, 4095}));
  EXPECT_EQ(s.noise, 0);
  ASSERT_EQ(s.presses.size(), 3u);
  EXPECT_EQ(s.presses[0].startMs, 400u);
  EXPECT_EQ(s.presses[0].durationMs, 200u);
  EXPECT_EQ(s.presses[1].startMs, 900u);
  EXPECT_EQ(s.presses[1].channel, 1u);
  EXPECT_EQ(s.presses[2].startMs, 1900u);
  EXPECT_EQ(s.presses[2].level, 1840);

  KeyLearning learning(1);
  learning.setScript(s);
  std::array<std::uint8_t, 9> block{1, 0xC0, 0x0F};
  ASSERT_TRUE(learning.write(block, 100));
  EXPECT_EQ(learning.readings(100 + 399)[0], 0);
  EXPECT_EQ(learning.readings(100 + 400)[0], 1000);
  EXPECT_EQ(learning.readings(100 + 1000)[1], 1200);
}

TEST(LearningScenarios, CalibrationStatesEndWithZero) {
  const TouchBlock block{1, 2, 3, 4, 5, 6, 7, 8, 9};
  TouchCalibration calibration;
  calibration.setScript(calibrationStates({1, 0x81, 3, 0}, 100, block));
  ASSERT_EQ(calibration.script().steps.size(), 3u);
  calibration.start(false, 0);
  EXPECT_EQ(calibration.state(50), 1);
  EXPECT_EQ(calibration.state(150), 0x81);
  EXPECT_EQ(calibration.state(250), 3);
  EXPECT_EQ(calibration.state(300), 0);
  EXPECT_EQ(calibration.update(300), block);
}

TEST(LearningScenarios, DemoLearnsTwoChannelsAndCalibratesThreeCorners) {
  SimulatedController controller([] { return std::uint32_t{0}; });
  useDemoScenarios(controller);
  std::set<std::size_t> channels;
  for (const KeyPress& p : controller.keyLearning().script().presses) {
    channels.insert(p.channel);
  }
  EXPECT_EQ(channels, (std::set<std::size_t>{0, 1}));
  const auto& steps = controller.touchCalibration().script().steps;
  ASSERT_FALSE(steps.empty());
  EXPECT_EQ(steps.back().state & 0x7F, TouchCalibration::kSuccessStep);
}

}  // namespace
}  // namespace kivprism::sim::test
