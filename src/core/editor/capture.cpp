#include "core/editor/capture.hpp"

#include <algorithm>

#include "core/device/device_link.hpp"
#include "core/editor/event_handlers.hpp"
#include "core/editor/reaction_handlers.hpp"
#include "core/events/entry.hpp"
#include "core/events/entry_operations.hpp"
#include "core/events/entry_types.hpp"
#include "core/keys/keys_texts.hpp"

namespace kivprism::editor {

namespace area = device::area;
namespace status = device::status;
namespace reaction = events::reaction;
using lang::translateText;

namespace {

bool allZero(std::span<const std::uint8_t> bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

std::span<const std::uint8_t> u16Bytes(std::array<std::uint8_t, 2>& buffer, std::uint16_t value) {
  config::writeLe(buffer, 0, buffer.size(), value);
  return buffer;
}

}  // namespace

void storeTouchPoint(config::ConfigImage& image, std::size_t entry, std::uint16_t x,
                     std::uint16_t y) {
  const auto e = events::entryAt(image, entry);
  events::setReactionType(e, static_cast<std::uint8_t>(events::ReactionType::UsbTouch),
                          events::entryContextOf(image));
  events::set(e, reaction::usb_touch::kX, x);
  events::set(e, reaction::usb_touch::kY, y);
  events::set(e, reaction::usb_touch::kDurationMs, kCapturedTouchDurationMs);
}

IrLearning learnIrCode(device::DeviceLink& link, shell::ShellServices& shell, CaptureHost& host,
                       std::size_t entry, events::IrContext context) {
  // A click handled between the packets of a whole read would store into an image the read is
  // still overwriting.
  if (link.userCommand()) {
    return IrLearning::Busy;
  }
  if (!link.isConnected()) {
    shell.showError(translateText(keys::texts::kControllerDisconnected));
    return IrLearning::Disconnected;
  }
  IrCodeBytes code{};
  std::size_t count = 0;
  device::DeviceStatus result = link.readArea(area::kIrCode, 0, code, count);
  // A code cut short would be stored as another code.
  if (result == status::kOk && count < code.size() && !allZero(code)) {
    result = status::kRangeEndedEarly;
  }
  if (result != status::kOk) {
    shell.showError(lang::formatText(translateText(capture_texts::kIrCodeReadFailed),
                                     device::statusText(result).c_str()));
    return IrLearning::ReadFailed;
  }
  if (allZero(code)) {
    shell.flashMessage(kNoIrCodeMessageMs, kCaptureBlinkMs,
                       translateText(capture_texts::kNoIrCode));
    host.refreshEntry();
    return IrLearning::NoCode;
  }
  config::ConfigImage& image = link.model().working;
  if (context == events::IrContext::Event) {
    storeLearntEventIrCode(image, entry, code);
  } else if (storeLearntReactionIrCode(image, entry, code) == LearntReactionCode::Unsupported) {
    shell.showInformation(translateText(kUnsupportedReactionProtocol));
    return IrLearning::Refused;
  }
  host.refreshEntry();
  return IrLearning::Stored;
}

TouchPointCapture::TouchPointCapture(device::DeviceLink& link, shell::ShellServices& shell,
                                     CaptureHost& host)
    : link_(link), shell_(shell), host_(host) {}

TouchPointCapture::Outcome TouchPointCapture::click(std::size_t entry) {
  if (running_) {
    running_ = false;
    return Outcome::Ended;
  }
  // Ten seconds of waiting inside a whole read or write would stall it, and the point would land
  // in an image the read is still overwriting.
  if (link_.userCommand()) {
    return Outcome::Busy;
  }
  if (!link_.isConnected()) {
    shell_.showError(translateText(keys::texts::kControllerDisconnected));
    return Outcome::Disconnected;
  }
  running_ = true;
  host_.setCaptureRunning(true);
  const Outcome outcome = capture(entry);
  host_.setCaptureRunning(false);
  running_ = false;
  return outcome;
}

TouchPointCapture::Outcome TouchPointCapture::capture(std::size_t entry) {
  std::array<std::uint8_t, 2> command{};
  if (link_.writeAreaReported(area::kTouchPoint, 0, u16Bytes(command, kTouchWaitMs)) !=
      status::kOk) {
    return Outcome::StartFailed;
  }
  shell_.flashMessage(kTouchPromptMs, kCaptureBlinkMs,
                      translateText(capture_texts::kTouchTheScreen));
  std::array<std::uint8_t, touch_reading::kSize> reading{};
  bool captured = false;
  for (std::size_t pass = 1; pass <= kTouchPolls; ++pass) {
    host_.showTouchProgress(pass);
    std::size_t count = 0;
    if (link_.readArea(area::kTouchPoint, 0, reading, count) != status::kOk) {
      break;
    }
    // A short answer is no point yet: its coordinates would be cut.
    if (count >= reading.size() && reading[touch_reading::kFlag] != 0) {
      captured = true;
      break;
    }
    shell_.waitMs(kTouchPollMs);
    if (shell_.shuttingDown() || !running_) {
      break;
    }
  }
  shell_.endFlash();
  host_.hideTouchProgress();
  Outcome outcome = Outcome::NoPoint;
  if (captured) {
    storeTouchPoint(link_.model().working, entry,
                    static_cast<std::uint16_t>(config::readLe(reading, touch_reading::kX, 2)),
                    static_cast<std::uint16_t>(config::readLe(reading, touch_reading::kY, 2)));
    host_.refreshEntry();
    outcome = Outcome::Stored;
  } else {
    shell_.flashMessage(kNoTouchPointMessageMs, kCaptureBlinkMs,
                        translateText(capture_texts::kNoTouchPoint));
  }
  // The controller stops waiting; a controller that went away has nothing to stop.
  link_.writeArea(area::kTouchPoint, 0, u16Bytes(command, 0));
  return outcome;
}

}  // namespace kivprism::editor
