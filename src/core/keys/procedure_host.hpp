// What key learning and touch calibration need from the window around them, beyond the device
// link they talk through. Everything runs on the one user-interface thread: waits let pending
// events run, so the poll, repaints and a second click on the procedure's button happen inside.
#pragma once

#include <cstdint>
#include <string_view>

namespace kivprism::device {
class DeviceLink;
}

namespace kivprism::keys {

class ProcedureHost {
 public:
  virtual ~ProcedureHost() = default;

  // A question with Yes and No, No preselected; true for Yes.
  virtual bool askQuestion(std::string_view text) = 0;
  virtual void showError(std::string_view text) = 0;
  // Waits while handling pending events.
  virtual void waitMs(std::uint32_t ms) = 0;
  // True once the main window has started to close.
  virtual bool shuttingDown() const = 0;
  // A short message in the toolbar panel, blinking; 0 duration stays until replaced or ended.
  virtual void showPrompt(std::uint32_t durationMs, std::string_view text) = 0;
  virtual void endPrompt() = 0;
  // The toolbar and the keyboard dialog's groups are locked while a procedure runs; the
  // procedure's own button stays enabled so that a second click can stop it.
  virtual void setProcedureRunning(bool running) = 0;
};

// Key learning also redraws the keys grid as keys come in, and the event pane at its end.
class KeyLearningHost : public ProcedureHost {
 public:
  virtual void keysGridChanged() = 0;
  // The end of learning: the grid loses its selection and the event pane redraws.
  virtual void keyLearningEnded() = 0;
};

// The click on a procedure's button: a second click while it runs stops it, and without a
// controller an error box says so. True when the procedure is to start; running is then set.
bool beginProcedureClick(bool& running, device::DeviceLink& link, ProcedureHost& host);

}  // namespace kivprism::keys
