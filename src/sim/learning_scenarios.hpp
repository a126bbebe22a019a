// Ready-made scenarios for the learning dialogues of the simulated controller: a driver who presses
// keys one after another, a calibration that walks through given states, and the defaults of the
// demo program, so that key learning, touch calibration, IR learning and touch-point capture can
// be tried without a car.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "sim/learning_scripts.hpp"

namespace kivprism::sim {

class SimulatedController;

// One key held for a while, then released for a pause before the next one.
struct HeldKey {
  std::size_t channel = 0;  // 0..3
  std::uint16_t level = 0;
  std::uint32_t holdMs = 300;
  std::uint32_t pauseMs = 700;
};

// The keys pressed one after another from the start of the key phase, after an initial pause; no
// noise unless given, so that tests know every level the program reads.
KeyLearningScript keyPressSequence(const KeyLevels& idleLevels, std::vector<HeldKey> keys,
                                   std::uint32_t firstPauseMs = 500, std::uint16_t noise = 0);

// The controller reports the states in order, each for the same time, and then 0 (over).
TouchCalibrationScript calibrationStates(std::initializer_list<std::uint8_t> states,
                                         std::uint32_t stateMs = 300,
                                         const TouchBlock& touchBlock = {});

// The demo: two key channels (four keys on channel 1, three on channel 2), each key pressed
// twice, two seconds apart; a calibration of the three corners, pressed and released.
KeyLearningScript demoKeyLearning();
TouchCalibrationScript demoTouchCalibration();
// The demo's remote, one code per learning click and then again from the start: NEC, Sony
// 12 bits, RC5 (which a reaction cannot send), nothing received, Samsung, JVC.
IrCodeScript demoIrCodes();
// The demo's screen: a touch after two seconds, another after three, then none at all.
std::vector<TouchPointScript> demoTouchPoints();
void useDemoScenarios(SimulatedController& controller);

}  // namespace kivprism::sim
