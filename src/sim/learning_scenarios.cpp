#include "sim/learning_scenarios.hpp"

#include "sim/simulated_controller.hpp"

namespace kivprism::sim {

KeyLearningScript keyPressSequence(const KeyLevels& idleLevels, std::vector<HeldKey> keys,
                                   std::uint32_t firstPauseMs, std::uint16_t noise) {
  KeyLearningScript script;
  script.idleLevels = idleLevels;
  script.noise = noise;
  std::uint32_t t = firstPauseMs;
  for (const HeldKey& key : keys) {
    script.presses.push_back({key.channel, key.level, t, key.holdMs});
    t += key.holdMs + key.pauseMs;
  }
  return script;
}

TouchCalibrationScript calibrationStates(std::initializer_list<std::uint8_t> states,
                                         std::uint32_t stateMs, const TouchBlock& touchBlock) {
  TouchCalibrationScript script;
  for (const std::uint8_t state : states) {
    // A trailing 0 is what the controller reports once the states have run out.
    if (state != 0) {
      script.steps.push_back({state, stateMs});
    }
  }
  script.touchBlock = touchBlock;
  return script;
}

KeyLearningScript demoKeyLearning() {
  constexpr std::uint16_t kChannel1[] = {620, 1240, 1850, 2470};
  constexpr std::uint16_t kChannel2[] = {900, 1750, 2600};
  std::vector<HeldKey> keys;
  for (int round = 0; round < 2; ++round) {
    for (const std::uint16_t level : kChannel1) {
      keys.push_back({0, level, 500, 1500});
    }
    for (const std::uint16_t level : kChannel2) {
      keys.push_back({1, level, 500, 1500});
    }
  }
  return keyPressSequence({3950, 3600, 4095, 4095}, std::move(keys), 1500, 6);
}

TouchCalibrationScript demoTouchCalibration() {
  TouchCalibrationScript script = TouchCalibrationScript::standard();
  // Three seconds to find each corner.
  for (CalibrationStep& step : script.steps) {
    if ((step.state & 0x80) == 0) {
      step.durationMs = 3000;
    }
  }
  return script;
}

IrCodeScript demoIrCodes() {
  IrCodeScript script;
  script.codes = {
      {1, 0x45, 0x00, 0x00},   // NEC
      {5, 0x12, 0x01, 0x00},   // Sony 12 bits
      {3, 0x0C, 0x00, 0x00},   // RC5
      {0, 0x00, 0x00, 0x00},   // nothing received
      {10, 0x02, 0x07, 0x07},  // Samsung
      {2, 0x21, 0x03, 0x00},   // JVC
  };
  script.repeat = true;
  return script;
}

std::vector<TouchPointScript> demoTouchPoints() {
  return {{true, 1024, 600, 2000}, {true, 3000, 2500, 3000}, {false, 0, 0, 0}};
}

void useDemoScenarios(SimulatedController& controller) {
  controller.keyLearning().setScript(demoKeyLearning());
  controller.touchCalibration().setScript(demoTouchCalibration());
  controller.irReceiver().setScript(demoIrCodes());
  controller.touchCapture().setScripts(demoTouchPoints());
}

}  // namespace kivprism::sim
