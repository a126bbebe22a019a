#include "core/keys/touch_calibration.hpp"

#include <algorithm>
#include <array>

#include "core/keys/keys_texts.hpp"

namespace kivprism::keys {

namespace area = device::area;
namespace layout = config::layout;
namespace status = device::status;
using lang::translateText;

namespace {

constexpr std::uint16_t kStateOffset = 1;
constexpr std::uint8_t kNoState = 0xFF;
constexpr std::uint32_t kEndMessageMs = 3000;

}  // namespace

std::string_view calibrationPrompt(std::uint8_t state) {
  const std::uint8_t step = state & kCalibrationStepMask;
  if ((state & kCalibrationTouching) != 0 && step != 0) {
    return translateText(texts::kReleaseTouch);
  }
  if (step >= 1 && step <= kCalibrationPromptSteps) {
    return translateText(texts::kCalibrationPrompts[step - 1]);
  }
  return {};
}

TouchCalibration::TouchCalibration(device::DeviceLink& link, shell::ShellServices& shell,
                                   ProcedureHost& host)
    : link_(link), shell_(shell), host_(host) {}

void TouchCalibration::click(bool withMargin) {
  if (!beginProcedureClick(running_, link_, shell_)) {
    return;
  }
  host_.setProcedureRunning(true);
  calibrate(withMargin);
  host_.setProcedureRunning(false);
  running_ = false;
}

TouchCalibration::Outcome TouchCalibration::calibrate(bool withMargin) {
  const bool yes = [this] {
    shell::PollPause pause(link_);
    return shell_.askQuestion(translateText(texts::kAskTouchCalibration));
  }();
  if (!yes) {
    return Outcome::Declined;
  }
  const std::array<std::uint8_t, 1> start{static_cast<std::uint8_t>(withMargin ? 1 : 0)};
  if (link_.writeAreaReported(area::kTouchCalibration, 0, start) != status::kOk) {
    return Outcome::StartFailed;
  }
  std::uint8_t last = kNoState;
  while (!shell_.shuttingDown() && running_) {
    std::array<std::uint8_t, 1> state{};
    std::size_t count = 0;
    if (link_.readAreaReported(area::kTouchCalibration, kStateOffset, state, count) !=
        status::kOk) {
      break;
    }
    if (state[0] != last) {
      if ((state[0] & kCalibrationStepMask) == 0) {
        return finish(last);
      }
      const std::string_view prompt = calibrationPrompt(state[0]);
      if (!prompt.empty()) {
        shell_.flashMessage(0, kPromptBlinkMs, prompt);
      }
      last = state[0];
    }
    shell_.waitMs(kCalibrationPollMs);
  }
  shell_.endFlash();
  return Outcome::Stopped;
}

TouchCalibration::Outcome TouchCalibration::finish(std::uint8_t lastState) {
  shell_.endFlash();
  if ((lastState & kCalibrationStepMask) != kCalibrationSuccessStep) {
    shell_.flashMessage(kEndMessageMs, kPromptBlinkMs, translateText(texts::kCalibrationTimedOut));
    return Outcome::TimedOut;
  }
  std::array<std::uint8_t, layout::kTouchBlock.width> block{};
  std::size_t count = 0;
  if (link_.readAreaReported(area::kTouchCalibration, 0, block, count) != status::kOk) {
    return Outcome::Stopped;
  }
  if (count < block.size()) {
    // A short answer would fill the rest of the block with zeros; the old block stays instead.
    shell::PollPause pause(link_);
    shell_.showError(translateText(texts::kTouchBlockShort));
    return Outcome::Stopped;
  }
  std::copy(block.begin(), block.end(), link_.model().working.span(layout::kTouchBlock).begin());
  shell_.flashMessage(kEndMessageMs, kPromptBlinkMs, translateText(texts::kCalibrationDone));
  return Outcome::Succeeded;
}

}  // namespace kivprism::keys
