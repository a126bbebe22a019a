// Touch-panel calibration: the controller asks the user to press the picture's corners while the
// program shows its prompts; a successful calibration's touch block is read into the image, and
// the change sending then stores it in the controller's configuration.
#pragma once

#include <cstdint>

#include "core/device/device_link.hpp"
#include "core/keys/procedure_host.hpp"

namespace kivprism::keys {

// The calibration state byte: bits 0..6 the step, bit 7 set while the panel is touched.
inline constexpr std::uint8_t kCalibrationStepMask = 0x7F;
inline constexpr std::uint8_t kCalibrationTouching = 0x80;
inline constexpr std::uint8_t kCalibrationSuccessStep = 3;
inline constexpr std::uint8_t kCalibrationPromptSteps = 5;
inline constexpr std::uint32_t kCalibrationPollMs = 100;

// The prompt a new state byte shows: nothing (no prompt), or the release prompt or a step's
// prompt in the current language. Step 0 (over) has no prompt either.
std::string_view calibrationPrompt(std::uint8_t state);

class TouchCalibration {
 public:
  enum class Outcome {
    Declined,     // the user answered No
    StartFailed,  // the controller did not start
    Stopped,      // a second click, shut-down or a failed read ended it; nothing read
    Succeeded,    // the touch block is in the image
    TimedOut,     // the controller gave up
  };

  TouchCalibration(device::DeviceLink& link, shell::ShellServices& shell, ProcedureHost& host);

  // SpeedButtonTouchSetup: starts calibrating (with the 10 % margin when asked), or asks a
  // running calibration to stop at its next step.
  void click(bool withMargin);
  Outcome calibrate(bool withMargin);

  // The calibration flag; a second click clears it.
  bool running() const { return running_; }
  void setRunning(bool running) { running_ = running; }

 private:
  Outcome finish(std::uint8_t lastState);

  device::DeviceLink& link_;
  shell::ShellServices& shell_;
  ProcedureHost& host_;
  bool running_ = false;
};

}  // namespace kivprism::keys
