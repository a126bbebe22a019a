// Learning an IR code and capturing a touch point for an entry: the controller receives the code
// from a remote or the touch from the screen, the program reads it and stores it into the entry.
// Both run on the user-interface thread through the device link; what the user sees (boxes, short
// messages, the touch progress bar, the locked toolbar) goes through CaptureHost.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/config/image.hpp"
#include "core/events/ir_protocols.hpp"
#include "core/events/records.hpp"
#include "core/lang/text.hpp"
#include "core/shell/shell_services.hpp"

namespace kivprism::device {
class DeviceLink;
}

namespace kivprism::editor {

namespace capture_texts {
using lang::TextPair;
inline constexpr TextPair kIrCodeReadFailed{"Ошибка получения ИК кода\n%s",
                                            "Failed to get IR code\n%s"};
inline constexpr TextPair kNoIrCode{"ИК код отсутствует", "No Infrared code"};
inline constexpr TextPair kTouchTheScreen{"Нажмите в нужном месте экрана",
                                          "Click in the right place on the screen"};
inline constexpr TextPair kNoTouchPoint{"Точка нажатия не получена", "No touch point"};
}  // namespace capture_texts

// Short messages blink at this pace.
inline constexpr std::uint32_t kCaptureBlinkMs = 250;
inline constexpr std::uint32_t kNoIrCodeMessageMs = 2500;
// How long the controller waits for a touch, and how long the program asks for one.
inline constexpr std::uint16_t kTouchWaitMs = 10000;
inline constexpr std::uint32_t kTouchPromptMs = 10000;
inline constexpr std::uint32_t kTouchPollMs = 100;
inline constexpr std::size_t kTouchPolls = 100;
inline constexpr std::uint32_t kNoTouchPointMessageMs = 3000;
// The press a captured point makes.
inline constexpr std::uint16_t kCapturedTouchDurationMs = 200;

// Area 0x14 as the program reads it: a flag byte (non-zero once a point was captured), X and Y.
namespace touch_reading {
inline constexpr std::size_t kSize = 5;
inline constexpr std::size_t kFlag = 0;
inline constexpr std::size_t kX = 1;  // u16
inline constexpr std::size_t kY = 3;  // u16
}  // namespace touch_reading

// Everything of the window the two captures use. Boxes are modal and hold the poll themselves.
class CaptureHost {
 public:
  virtual ~CaptureHost() = default;

  // ProgressBarReactionTouch: shown at the pass (1..kTouchPolls), and hidden.
  virtual void showTouchProgress(std::size_t pass) = 0;
  virtual void hideTouchProgress() = 0;
  // The toolbar's busy state and the keyboard dialog's key groups follow this.
  virtual void setCaptureRunning(bool running) = 0;
  // The entry may have changed: the pane redraws.
  virtual void refreshEntry() = 0;
};

using IrCodeBytes = std::array<std::uint8_t, events::record::kIrCodeSize>;

// A captured point becomes the entry's USB touch reaction with the usual press duration.
void storeTouchPoint(config::ConfigImage& image, std::size_t entry, std::uint16_t x,
                     std::uint16_t y);

enum class IrLearning {
  Busy,          // a whole read or write or another command holds the controller: ignored
  Disconnected,  // no controller: error box
  ReadFailed,    // area 0x13 could not be read: error box with the status text
  NoCode,        // nothing received yet: short message
  Refused,       // a reaction cannot send this protocol: information box
  Stored,
};

// A click on PanelIRDEFx (event) or PanelEventReactionIRx (reaction).
IrLearning learnIrCode(device::DeviceLink& link, shell::ShellServices& shell, CaptureHost& host,
                       std::size_t entry, events::IrContext context);

// SpeedButtonReactionTouch: the controller waits for a touch while the program polls it.
class TouchPointCapture {
 public:
  enum class Outcome {
    Busy,          // a whole read or write or another command holds the controller: ignored
    Disconnected,  // no controller: error box
    Ended,         // the click ended a running capture early
    StartFailed,   // the controller did not start waiting: error box
    NoPoint,       // no touch, a failed read, shut-down or a second click: short message
    Stored,
  };

  TouchPointCapture(device::DeviceLink& link, shell::ShellServices& shell, CaptureHost& host);

  // Starts a capture for the entry; a click while one runs ends it at its next pass.
  Outcome click(std::size_t entry);
  bool running() const { return running_; }

 private:
  Outcome capture(std::size_t entry);

  device::DeviceLink& link_;
  shell::ShellServices& shell_;
  CaptureHost& host_;
  bool running_ = false;
};

}  // namespace kivprism::editor
