// What the device link needs from the application around it: the shell's services, and the poll
// timer, the status bar and the progress gauge. The window's shell implements it with Qt, the
// command-line tool with the terminal, and tests with a fake whose clock moves only when the test
// says so. What pages consume (monitoring text, CAN records, the state word, the variables,
// connection changes) reaches them through the listeners of link_listeners.hpp instead. Everything
// runs on the one user-interface thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The listeners' types (VariablesView, CanRecord) come along for the pages that include this.
#include "core/device/link_listeners.hpp"
#include "core/shell/shell_services.hpp"

namespace kivprism::device {

// The shell's services (time, waits, boxes, short messages, the toolbar lock) and what only the
// link shows: the poll timer, the status bar and the progress gauge.
class LinkHost : public shell::ShellServices {
 public:
  // --- poll timer ---
  virtual void setPollTimerEnabled(bool enabled) = 0;
  virtual void setPollInterval(std::uint32_t ms) = 0;

  // --- status bar ---
  // Status-bar panel 0: probe status, connection line, progress caption.
  virtual void setStatusText(std::string_view text) = 0;
  // The panel beside it: whether the user's changes are on the controller.
  virtual void setSyncText(std::string_view text) = 0;
  // The progress gauge in the toolbar panel; shown at the given position.
  virtual void showProgress(std::size_t position, std::size_t total) = 0;
  virtual void hideProgress() = 0;
};

}  // namespace kivprism::device
