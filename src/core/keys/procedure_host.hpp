// What key learning and touch calibration need from the window around them beyond the device
// link and the shell's services: the page's own reactions to a procedure.
#pragma once

#include <cstdint>

#include "core/shell/shell_services.hpp"

namespace kivprism::device {
class DeviceLink;
}

namespace kivprism::keys {

// The procedures' prompts in the toolbar panel blink at this rate.
inline constexpr std::uint32_t kPromptBlinkMs = 250;

class ProcedureHost {
 public:
  virtual ~ProcedureHost() = default;

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
bool beginProcedureClick(bool& running, device::DeviceLink& link, shell::ShellServices& shell);

}  // namespace kivprism::keys
